#include "forms/combo_box.h"

#include <algorithm>
#include <sstream>

#include "forms/dialog_look.h"
#include "forms/form.h"

namespace vel::forms {

namespace {
constexpr int kEnter = 13, kEscape = 27, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40,
              kF4 = 115;
constexpr int kAlt = 4;
constexpr int kRowHeight = 13, kMaxRows = 18;
}  // namespace

ComboBox::ComboBox(std::string name, int index) : Control(ControlKind::ComboBox, std::move(name), index) {}

void ComboBox::addItem(const std::string& item) { items_.push_back(item); }

void ComboBox::clear() {
    items_.clear();
    index_ = -1;
    invalidate();
}

bool ComboBox::setListIndex(int i) {
    if (i < -1 || i >= listCount()) return false;
    if (i != index_) {
        index_ = i;
        invalidate();
    }
    return true;
}

std::string ComboBox::text() const { return index_ >= 0 ? items_[static_cast<std::size_t>(index_)] : std::string(); }

void ComboBox::choose(int i) {
    if (listCount() == 0) return;
    i = std::clamp(i, 0, listCount() - 1);
    if (i == index_) return;
    index_ = i;
    invalidate();
    Control::click();
}

ComboBox::ListBox ComboBox::listBox() const {
    int ox = 0, oy = 0;
    windowOrigin(ox, oy);
    const Form* f = form();
    const int formHeight = f ? f->pixelHeight() : 0;
    int rows = std::min(listCount(), kMaxRows);
    const int below = formHeight - (oy + height()) - 2, above = oy - 2;
    // Below the field when it fits there; else wherever there is more room.
    if (rows * kRowHeight + 2 > below && above > below) {
        rows = std::max(1, std::min(rows, (above - 2) / kRowHeight));
        return {ox, oy - rows * kRowHeight - 2, width(), rows};
    }
    rows = std::max(1, std::min(rows, (below - 2) / kRowHeight));
    return {ox, oy + height(), width(), rows};
}

void ComboBox::scrollTo(int i) {
    const int rows = listBox().rows;
    if (i < firstRow_) firstRow_ = i;
    if (i >= firstRow_ + rows) firstRow_ = i - rows + 1;
    firstRow_ = std::clamp(firstRow_, 0, std::max(0, listCount() - rows));
}

void ComboBox::drop() {
    if (dropped_ || listCount() == 0) return;
    Form* f = form();
    if (!f) return;
    dropped_ = true;
    hot_ = std::max(index_, 0);
    firstRow_ = 0;
    scrollTo(hot_);
    f->setOverlay(this);
}

void ComboBox::closeOverlay() {
    if (!dropped_) return;
    dropped_ = false;
    if (Form* f = form(); f && f->overlay() == this) f->setOverlay(nullptr);
    invalidate();
}

bool ComboBox::keyDown(const platform::KeyEvent& e) {
    const bool toggle = e.keyCode == kF4 || ((e.shift & kAlt) && (e.keyCode == kDown || e.keyCode == kUp));
    if (dropped_) {
        if (toggle || e.keyCode == kEscape) {
            closeOverlay();
        } else if (e.keyCode == kEnter) {
            const int pick = hot_;
            closeOverlay();
            choose(pick);
        } else if (e.keyCode == kUp || e.keyCode == kDown) {
            hot_ = std::clamp(hot_ + (e.keyCode == kDown ? 1 : -1), 0, listCount() - 1);
            scrollTo(hot_);
            invalidate();
        } else {
            return false;
        }
        return true;
    }
    if (toggle) drop();
    else if (e.keyCode == kUp || e.keyCode == kLeft) choose(index_ - 1);
    else if (e.keyCode == kDown || e.keyCode == kRight) choose(index_ + 1);
    else if (e.keyCode == kHome) choose(0);
    else if (e.keyCode == kEnd) choose(listCount() - 1);
    else return false;
    return true;
}

bool ComboBox::wheel(int delta) {
    const int notches = delta / 120;
    if (notches == 0 || listCount() == 0) return false;
    if (dropped_) {
        firstRow_ = std::clamp(firstRow_ - notches, 0, std::max(0, listCount() - listBox().rows));
        invalidate();
    } else {
        choose((index_ < 0 ? 0 : index_) - notches);
    }
    return true;
}

void ComboBox::pressAt(int, int) { dropped_ ? closeOverlay() : drop(); }

bool ComboBox::overlayHit(int x, int y) const {
    if (!dropped_) return false;
    const ListBox b = listBox();
    return x >= b.left && x < b.left + b.width && y >= b.top && y < b.top + b.rows * kRowHeight + 2;
}

void ComboBox::overlayMouse(const platform::MouseEvent& e) {
    using Kind = platform::MouseEvent::Kind;
    if (e.kind == Kind::Wheel) {
        wheel(e.wheel);
        return;
    }
    const ListBox b = listBox();
    const int row = (e.y - b.top - 1) / kRowHeight;
    const int entry = std::clamp(firstRow_ + row, 0, listCount() - 1);
    if (e.kind == Kind::Move && entry != hot_) {
        hot_ = entry;
        invalidate();
    } else if (e.kind == Kind::Down) {
        closeOverlay();
        choose(entry);
    }
}

void ComboBox::paint(Pixels& s, int ox, int oy, const gfx::ClipRect& clip) const {
    const DialogLook& l = dialogLook();
    gfx::TextBackend* const t = textBackend();
    look::sunkenEdge(l, s, ox, oy, width(), height(), clip);
    gfx::fillRect(s, ox + 2, oy + 2, width() - 4, height() - 4, enabled() ? l.window : l.face, clip);
    // The drop button at the right.
    const int bw = 16, bx = ox + width() - 2 - bw;
    gfx::fillRect(s, bx, oy + 2, bw, height() - 4, l.face, clip);
    if (dropped_) look::pressedEdge(l, s, bx, oy + 2, bw, height() - 4, clip);
    else look::raisedEdge(l, s, bx, oy + 2, bw, height() - 4, clip);
    look::arrow(s, bx, oy + 2, bw, height() - 4, look::Arrow::Down, enabled() ? l.text : l.grayText, clip);
    // The chosen text; selected colours while focused.
    const gfx::ClipRect textClip = intersect(clip, {ox + 3, oy + 3, bx - 1, oy + height() - 3});
    const int ty = oy + (height() - look::textHeight(l)) / 2;
    const bool focused = hasFocus() && !dropped_;
    if (focused) gfx::fillRect(s, ox + 3, oy + 3, bx - ox - 4, height() - 6, l.selection, textClip);
    const Colour ink = !enabled() ? l.grayText : focused ? l.selectionText : l.windowText;
    const std::string shown = text();
    const gfx::ClipRect room{ox + 5, oy + 3, bx - 1, oy + height() - 3};
    drawPlaced(s, placeLine(l.font, shown, room, ty, Alignment::Left, t), shown, ink, textClip, t);
    if (focused) look::focusRect(l, s, ox + 3, oy + 3, bx - ox - 4, height() - 6, clip);
}

void ComboBox::paintOverlay(Pixels& s) const {
    if (!dropped_) return;
    const DialogLook& l = dialogLook();
    gfx::TextBackend* const t = textBackend();
    const ListBox b = listBox();
    const int h = b.rows * kRowHeight + 2;
    const gfx::ClipRect clip{b.left, b.top, b.left + b.width, b.top + h};
    gfx::fillRect(s, b.left, b.top, b.width, h, l.window, clip);
    gfx::frameRect(s, b.left, b.top, b.width, h, l.windowText);
    for (int r = 0; r < b.rows && firstRow_ + r < listCount(); ++r) {
        const int entry = firstRow_ + r, y = b.top + 1 + r * kRowHeight;
        const bool hot = entry == hot_;
        if (hot) gfx::fillRect(s, b.left + 1, y, b.width - 2, kRowHeight, l.selection, clip);
        const std::string& item = items_[static_cast<std::size_t>(entry)];
        const gfx::ClipRect row{b.left + 3, y, b.left + b.width - 1, y + kRowHeight};
        drawPlaced(s, placeLine(l.font, item, row, y + (kRowHeight - look::textHeight(l)) / 2, Alignment::Left, t), item,
                   hot ? l.selectionText : l.windowText, clip, t);
    }
}

std::string ComboBox::describe() const {
    std::ostringstream out;
    out << "ListIndex=" << index_ << " Text=\"" << text() << "\" ListCount=" << listCount()
        << " Enabled=" << (enabled() ? "True" : "False") << " " << Control::describe();
    return out.str();
}

}  // namespace vel::forms
