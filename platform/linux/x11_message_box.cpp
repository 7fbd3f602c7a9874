// messageBox(): our rendered dialog, modal, run in a nested loop.
#include "platform/linux/x11_platform.h"
#include "platform/linux/message_box.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "platform/linux/x11_atoms.h"

namespace vel::platform::linux_backend {

namespace {
class MessageBoxWindow : public WindowListener {
public:
    MessageBoxWindow(X11Platform& platform, const std::string& text, const std::string& title, int style)
        : platform_(platform), title_(title), style_(style), model_(style),
          layout_(layoutMessageBox(text, title, style)) {}

    void open() {
        Size screen = platform_.screenSize();
        const int x = (screen.width - layout_.width) / 2, y = (screen.height - layout_.height) / 2;
        id_ = platform_.createDialogWindow(title_, Rect{x, y, x + layout_.width, y + layout_.height}, this);
        platform_.setWindowPos(id_, ZOrder::TopMost, kTopMostFlags);
        paint();
        platform_.focusWindow(id_);
    }
    void close() { platform_.destroyWindow(id_); }
    std::optional<int> answer() const { return answer_; }
    int escapeAnswer() const { return model_.escapeAnswer(); }

    void onMouse(const MouseEvent& e) override {
        if (e.kind == MouseEvent::Kind::Down && e.button == MouseButton::Left &&
            MessageBoxModel::inTitleBar(e.x, e.y, layout_)) {
            platform_.systemDrag(id_);
            return;
        }
        const int pressedBefore = model_.pressed(), focusBefore = model_.focus();
        if (auto a = model_.mouse(e, layout_)) answer_ = a;
        if (model_.pressed() != pressedBefore || model_.focus() != focusBefore) paint();
    }
    void onKey(const KeyEvent& e) override {
        if (auto a = model_.key(e.keyCode, e.shift)) answer_ = a;
        paint();
    }
    void onExpose() override { paint(); }
    void onCloseRequest() override { answer_ = model_.escapeAnswer(); }

private:
    void paint() { platform_.present(id_, paintMessageBox(layout_, title_, style_, model_)); }

    X11Platform& platform_;
    std::string title_;
    int style_;
    MessageBoxModel model_;
    MessageBoxLayout layout_;
    WindowId id_ = 0;
    std::optional<int> answer_;
};
}  // namespace

WindowId X11Platform::createDialogWindow(const std::string& title, const Rect& bounds, WindowListener* listener) {
    WindowId id = createWindow(WindowDesc{title, bounds, false, false}, listener);
    X11Window* w = find(id);
    // Unlike the monitor windows, a dialog takes the keyboard.
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = NormalState;
    XSetWMHints(dpy_, w->xid, &hints);
    XDeleteProperty(dpy_, w->xid, atoms_->netWmUserTime);
    Atom dialog = atoms_->typeDialog;
    XChangeProperty(dpy_, w->xid, atoms_->netWmWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&dialog), 1);
    modal_.push_back(id);
    return id;
}

void X11Platform::focusWindow(WindowId id) {
    X11Window* w = find(id);
    if (!w) return;
    // Only a viewable window can take the focus; a window manager may take
    // its time to show a new one, so it may have to wait for its MapNotify.
    XWindowAttributes a{};
    if (XGetWindowAttributes(dpy_, w->xid, &a) && a.map_state == IsViewable)
        giveFocus(*w);
    else
        w->focusOnMap = true;
}

void X11Platform::giveFocus(X11Window& w) {
    w.focusOnMap = false;
    // Asked of the manager with the time of the user's action that opened
    // it, so focus-stealing prevention lets it through; set directly too,
    // for a desktop without a manager.
    const Time when = lastUserTime_ ? lastUserTime_ : CurrentTime;
    askManager(w.xid, atoms_->netActiveWindow, {1, static_cast<long>(when), 0, 0, 0});
    XSetInputFocus(dpy_, w.xid, RevertToParent, when);
    XFlush(dpy_);
}

int X11Platform::messageBox(const std::string& text, const std::string& title, int style) {
    MessageBoxWindow box(*this, text, title, style);
    box.open();
    // Modal: the caller waits here while timers and painting go on.
    while (!box.answer() && !quitting_) runOnce(true);
    box.close();
    return box.answer().value_or(box.escapeAnswer());
}

}  // namespace vel::platform::linux_backend
