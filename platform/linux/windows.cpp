// Windows: creation with the hints that keep them borderless and out of the
// taskbar, presenting pixels, shape, opacity, stacking and moving.
#include "platform/linux/x11_platform.h"
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <unistd.h>

#include <algorithm>

#include "platform/linux/shape_rects.h"
#include "platform/linux/x11_atoms.h"

namespace vel::platform::linux_backend {

namespace {
constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | KeyPressMask | StructureNotifyMask;

void setAtomList(Display* d, Window w, Atom property, const std::vector<Atom>& atoms) {
    XChangeProperty(d, w, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
}

void setCardinal(Display* d, Window w, Atom property, unsigned long value) {
    XChangeProperty(d, w, property, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&value), 1);
}
}  // namespace

void X11Platform::setTitle(XId xid, const std::string& utf8) {
    // WM_NAME in the ICCCM's encodings (Latin-1, else compound text), so
    // older tools do not show UTF-8 bytes as Latin-1; _NET_WM_NAME as UTF-8.
    char* list[] = {const_cast<char*>(utf8.c_str())};
    XTextProperty name{};
    if (Xutf8TextListToTextProperty(dpy_, list, 1, XStdICCTextStyle, &name) >= Success) {
        XSetWMName(dpy_, xid, &name);
        XFree(name.value);
    } else {
        XStoreName(dpy_, xid, utf8.c_str());
    }
    XChangeProperty(dpy_, xid, atoms_->netWmName, atoms_->utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
}

void X11Platform::setSizeHints(XId xid, const Rect& bounds) {
    // Where we put it, it stays: the window manager must not place it. Its
    // size is the program's alone (min = max), so no manager offers to
    // resize or maximise it.
    XSizeHints size{};
    size.flags = USPosition | PPosition | USSize | PSize | PMinSize | PMaxSize;
    size.x = bounds.left;
    size.y = bounds.top;
    size.width = size.min_width = size.max_width = bounds.width();
    size.height = size.min_height = size.max_height = bounds.height();
    XSetWMNormalHints(dpy_, xid, &size);
}

X11Window* X11Platform::find(WindowId id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second.get();
}

X11Window* X11Platform::findByXid(XId xid) const {
    for (const auto& [id, w] : windows_)
        if (w->xid == xid || (w->inputCatcher && w->inputCatcher == xid)) return w.get();
    return nullptr;
}

WindowId X11Platform::createWindow(const WindowDesc& desc, WindowListener* listener) {
    auto w = std::make_unique<X11Window>();
    w->id = nextWindow_++;
    w->name = desc.name;
    const Rect bounds = scale_.toDevice(desc.bounds);
    w->rect = bounds;
    w->popup = desc.popup;
    w->toolWindow = desc.toolWindow;
    w->listener = listener;

    XSetWindowAttributes attrs{};
    attrs.background_pixmap = None;  // we paint everything; no flash of background
    attrs.border_pixel = 0;
    attrs.colormap = colormap_;
    attrs.event_mask = kEventMask;
    attrs.override_redirect = desc.popup ? True : False;
    attrs.save_under = desc.popup ? True : False;
    const int width = std::max(1, bounds.width()), height = std::max(1, bounds.height());
    w->xid = XCreateWindow(dpy_, root_, bounds.left, bounds.top, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, depth_, InputOutput, static_cast<Visual*>(visual_),
                           CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask | CWOverrideRedirect | CWSaveUnder,
                           &attrs);
    if (!gc_) gc_ = XCreateGC(dpy_, w->xid, 0, nullptr);

    setTitle(w->xid, desc.title());
    // The form's name, for scripts and tests that look for one window.
    XChangeProperty(dpy_, w->xid, atoms_->wmWindowRole, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(desc.name.data()), static_cast<int>(desc.name.size()));
    XClassHint cls{const_cast<char*>("velmora"), const_cast<char*>("Velmora")};
    XSetClassHint(dpy_, w->xid, &cls);

    setSizeHints(w->xid, Rect{bounds.left, bounds.top, bounds.left + width, bounds.top + height});

    // Monitor windows never take the keyboard from the user's work; a
    // dialog is there to be typed into.
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = desc.dialog || desc.takesFocus ? True : False;
    hints.initial_state = NormalState;
    XSetWMHints(dpy_, w->xid, &hints);
    if (!desc.dialog && !desc.takesFocus) setCardinal(dpy_, w->xid, atoms_->netWmUserTime, 0);
    setCardinal(dpy_, w->xid, atoms_->netWmPid, static_cast<unsigned long>(getpid()));

    // Motif hints: flags = decorations, decorations = none. A dialog keeps
    // the window manager's title bar and close button.
    if (!desc.dialog) {
        long motif[5] = {2, 0, 0, 0, 0};
        XChangeProperty(dpy_, w->xid, atoms_->motifHints, atoms_->motifHints, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(motif), 5);
    }
    Atom type = desc.popup ? atoms_->typeTooltip : desc.toolWindow ? atoms_->typeUtility : atoms_->typeNormal;
    setAtomList(dpy_, w->xid, atoms_->netWmWindowType, {type});
    Atom protocols[] = {atoms_->wmDeleteWindow};
    XSetWMProtocols(dpy_, w->xid, protocols, 1);
    setNetWmState(*w);

    WindowId id = w->id;
    windows_[id] = std::move(w);
    return id;
}

void X11Platform::destroyWindow(WindowId id) {
    auto it = windows_.find(id);
    if (it == windows_.end()) return;
    X11Window& w = *it->second;
    releaseImage(w);
    if (w.inputCatcher) XDestroyWindow(dpy_, w.inputCatcher);
    XDestroyWindow(dpy_, w.xid);
    modal_.erase(std::remove(modal_.begin(), modal_.end(), id), modal_.end());
    windows_.erase(it);
    XFlush(dpy_);
}

void X11Platform::setNetWmState(X11Window& w) {
    std::vector<Atom> states;
    if (w.toolWindow || w.popup) {
        states.push_back(atoms_->netWmStateSkipTaskbar);
        states.push_back(atoms_->netWmStateSkipPager);
    }
    if (w.topMost || w.popup) states.push_back(atoms_->netWmStateAbove);
    setAtomList(dpy_, w.xid, atoms_->netWmState, states);
}

void X11Platform::askManager(XId window, XId messageType, const std::array<long, 5>& data) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = messageType;
    e.xclient.format = 32;
    for (std::size_t i = 0; i < data.size(); ++i) e.xclient.data.l[i] = data[i];
    XSendEvent(dpy_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

void X11Platform::sendNetWmState(X11Window& w, bool add, XId state) {
    // The last field: a normal application asks.
    askManager(w.xid, atoms_->netWmState, {add ? 1 : 0, static_cast<long>(state), 0, 1, 0});
}

void X11Platform::showWindow(WindowId id, bool visible) {
    X11Window* w = find(id);
    if (!w || w->mapped == visible) return;
    w->mapped = visible;
    if (visible) {
        if (w->popup || w->topMost)
            XMapRaised(dpy_, w->xid);
        else
            XMapWindow(dpy_, w->xid);
    } else {
        XUnmapWindow(dpy_, w->xid);
    }
    applyShape(*w);
    XFlush(dpy_);
}

void X11Platform::moveWindow(WindowId id, const Rect& logicalBounds) {
    X11Window* w = find(id);
    if (!w) return;
    const Rect bounds = scale_.toDevice(logicalBounds);
    const bool resized = bounds.width() != w->rect.width() || bounds.height() != w->rect.height();
    w->rect = bounds;
    w->rectStale = false;
    const auto width = static_cast<unsigned>(std::max(1, bounds.width()));
    const auto height = static_cast<unsigned>(std::max(1, bounds.height()));
    if (resized)
        setSizeHints(w->xid, Rect{bounds.left, bounds.top, bounds.left + static_cast<int>(width),
                                  bounds.top + static_cast<int>(height)});
    XMoveResizeWindow(dpy_, w->xid, bounds.left, bounds.top, width, height);
    if (w->inputCatcher) XMoveResizeWindow(dpy_, w->inputCatcher, bounds.left, bounds.top, width, height);
    if (resized && !w->hasRegion) applyShape(*w);
    XFlush(dpy_);
}

void X11Platform::refreshRect(X11Window& w) const {
    Window rootReturn = 0, child = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(dpy_, w.xid, &rootReturn, &x, &y, &width, &height, &border, &depth)) return;
    int rx = 0, ry = 0;
    // Through any frame the window manager put around it.
    XTranslateCoordinates(dpy_, w.xid, root_, 0, 0, &rx, &ry, &child);
    w.rect = Rect{rx, ry, rx + static_cast<int>(width), ry + static_cast<int>(height)};
    w.rectStale = false;
}

Rect X11Platform::windowRect(WindowId id) const {
    X11Window* w = find(id);
    if (!w) return {};
    if (w->rectStale) refreshRect(*w);
    return scale_.toLogical(w->rect);
}

void X11Platform::applyShape(X11Window& w) {
    // Invisible (alpha 0) with nobody to blend: an empty bounding shape hides
    // the pixels while an input-only stand-in keeps catching the mouse.
    const bool hidden = w.layered && w.alpha == 0 && !compositorRunning();
    if (hidden) {
        XShapeCombineRectangles(dpy_, w.xid, ShapeBounding, 0, 0, nullptr, 0, ShapeSet, Unsorted);
        ensureInputCatcher(w);
    } else if (w.hasRegion) {
        auto rects = shapeRects(w.region);
        std::vector<XRectangle> xr;
        for (const auto& r : rects) xr.push_back(XRectangle{r.x, r.y, r.width, r.height});
        XShapeCombineRectangles(dpy_, w.xid, ShapeBounding, 0, 0, xr.data(), static_cast<int>(xr.size()), ShapeSet,
                                Unsorted);
    } else {
        XShapeCombineMask(dpy_, w.xid, ShapeBounding, 0, 0, None, ShapeSet);
    }
    if (w.inputCatcher) {
        if (hidden && w.mapped) {
            XMoveResizeWindow(dpy_, w.inputCatcher, w.rect.left, w.rect.top,
                              static_cast<unsigned>(std::max(1, w.rect.width())),
                              static_cast<unsigned>(std::max(1, w.rect.height())));
            // Right above the window (its frame, if managed), not above
            // everything: it must not take clicks meant for windows on top.
            XWindowChanges above{};
            above.sibling = topLevelOf(w.xid);
            above.stack_mode = Above;
            XConfigureWindow(dpy_, w.inputCatcher, CWSibling | CWStackMode, &above);
            XMapWindow(dpy_, w.inputCatcher);
        } else {
            XUnmapWindow(dpy_, w.inputCatcher);
        }
    }
}

XId X11Platform::topLevelOf(XId xid) const {
    for (;;) {
        Window rootReturn = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(dpy_, xid, &rootReturn, &parent, &children, &count)) return xid;
        if (children) XFree(children);
        if (parent == 0 || parent == rootReturn) return xid;
        xid = parent;
    }
}

void X11Platform::ensureInputCatcher(X11Window& w) {
    if (w.inputCatcher) {
        if (w.hasRegion) {
            auto rects = shapeRects(w.region);
            std::vector<XRectangle> xr;
            for (const auto& r : rects) xr.push_back(XRectangle{r.x, r.y, r.width, r.height});
            XShapeCombineRectangles(dpy_, w.inputCatcher, ShapeBounding, 0, 0, xr.data(),
                                    static_cast<int>(xr.size()), ShapeSet, Unsorted);
        } else {
            XShapeCombineMask(dpy_, w.inputCatcher, ShapeBounding, 0, 0, None, ShapeSet);
        }
        return;
    }
    XSetWindowAttributes attrs{};
    attrs.override_redirect = True;
    attrs.event_mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
    w.inputCatcher = XCreateWindow(dpy_, root_, w.rect.left, w.rect.top,
                                   static_cast<unsigned>(std::max(1, w.rect.width())),
                                   static_cast<unsigned>(std::max(1, w.rect.height())), 0, 0, InputOnly,
                                   CopyFromParent, CWOverrideRedirect | CWEventMask, &attrs);
    ensureInputCatcher(w);
}

void X11Platform::setWindowRegion(WindowId id, const Region* region, bool /*redraw*/) {
    X11Window* w = find(id);
    if (!w) return;
    w->hasRegion = region != nullptr;
    w->region = region ? scale_.toDevice(*region) : Region{};
    applyShape(*w);
    if (w->inputCatcher) ensureInputCatcher(*w);
    XFlush(dpy_);
}

bool X11Platform::compositorRunning() { return XGetSelectionOwner(dpy_, atoms_->compositorSelection) != None; }

long X11Platform::setLayeredAlpha(WindowId id, std::uint8_t alpha) {
    X11Window* w = find(id);
    if (!w) return 1400;  // ERROR_INVALID_WINDOW_HANDLE
    w->layered = true;
    w->alpha = alpha;
    setCardinal(dpy_, w->xid, atoms_->netWmWindowOpacity, static_cast<unsigned long>(alpha) * 0x01010101ul);
    applyShape(*w);
    XFlush(dpy_);
    return 0;
}

void X11Platform::setWindowPos(WindowId id, ZOrder insertAfter, unsigned flags) {
    X11Window* w = find(id);
    if (!w) return;
    const bool wasTopMost = w->topMost;
    w->topMost = insertAfter == ZOrder::TopMost;
    // The property is what an unmapped window (and a desktop without a
    // window manager) carries; a managed, mapped window asks the manager.
    setNetWmState(*w);
    if (w->mapped && wasTopMost != w->topMost) sendNetWmState(*w, w->topMost, atoms_->netWmStateAbove);
    if (flags & kSwpShowWindow) showWindow(id, true);
    if (w->topMost && w->mapped) {
        XRaiseWindow(dpy_, w->xid);
        if (w->inputCatcher) applyShape(*w);  // keeps the stand-in right above
    }
    XFlush(dpy_);
}

void X11Platform::bringToFront(WindowId id) {
    X11Window* w = find(id);
    if (!w || !w->mapped) return;
    XRaiseWindow(dpy_, w->xid);
    if (w->inputCatcher) applyShape(*w);  // keeps the stand-in right above
    XFlush(dpy_);
}

void X11Platform::present(WindowId id, const Pixels& logical, const Rect& logicalChanged) {
    X11Window* w = find(id);
    if (!w || logical.empty()) return;
    Rect changed;
    const Pixels& pixels = scale_.enlarge(logical, logicalChanged, w->enlarged, changed);
    Rect r = clippedTo(changed, pixels.width, pixels.height);
    if (!w->image || w->image->width != pixels.width || w->image->height != pixels.height) {
        r = Rect{0, 0, pixels.width, pixels.height};
        if (!allocateImage(*w, pixels.width, pixels.height)) return;
    }
    if (r.empty()) return;
    awaitImageRead(*w);
    for (int y = r.top; y < r.bottom; ++y) {
        const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.width) +
                               static_cast<std::size_t>(r.left);
        format_->convert(pixels.data.data() + at, w->pixels + at, static_cast<std::size_t>(r.width()));
    }
    putImage(*w, r.left, r.top, r.width(), r.height());
    // No flush: the loop flushes once after all windows have painted.
}

}  // namespace vel::platform::linux_backend
