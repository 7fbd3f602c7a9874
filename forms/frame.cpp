#include "forms/frame.h"

#include <sstream>

#include "forms/dialog_look.h"
#include "forms/form.h"

namespace vel::forms {

namespace {
constexpr int kTabHeight = 18;
constexpr int kLeft = 37, kRight = 39;
}  // namespace

Frame::Frame(std::string name, int index) : Control(ControlKind::Frame, std::move(name), index) {}

void Frame::setCaption(const std::string& c) {
    caption_ = c;
    invalidate();
}

void Frame::paint(Pixels& s, int ox, int oy, const gfx::ClipRect& clip) const {
    const DialogLook& l = dialogLook();
    gfx::TextBackend* const t = textBackend();
    gfx::fillRect(s, ox, oy, width(), height(), l.face, clip);
    const int th = look::textHeight(l);
    const int lineY = oy + th / 2;
    look::etchedRect(l, s, ox, lineY, width(), height() - th / 2, clip);
    if (!caption_.empty()) {
        // Inside the etched line's right end; the line is broken behind it.
        const gfx::ClipRect room{ox + 8, oy, ox + width() - 4, oy + height()};
        const PlacedLine p = placeLine(l.font, caption_, room, oy, Alignment::Left, t, enabled() ? 0 : 1);
        if (p.shown) {
            gfx::fillRect(s, ox + 6, oy, p.width + 4, th, l.face, clip);
            look::text(l, t, s, p.x, p.y, caption_, p.font, enabled(), clip);
        }
    }
    paintChildren(s, ox, oy, clip);
}

std::string Frame::describe() const {
    return "Caption=\"" + caption_ + "\" " + Control::describe();
}

TabStrip::TabStrip(std::string name, int index) : Control(ControlKind::TabStrip, std::move(name), index) {}

void TabStrip::addTab(const std::string& caption, const std::string& key, const std::string& toolTip) {
    tabs_.push_back({caption, key, toolTip});
    if (selected_ == 0) selected_ = 1;
    invalidate();
}

void TabStrip::select(int position) {
    if (position < 1 || position > tabCount() || position == selected_) return;
    selected_ = position;
    invalidate();
}

int TabStrip::panelTop() const { return top() + kTabHeight + 2; }

int TabStrip::tabWidth(int position) const {
    return look::textWidth(dialogLook(), textBackend(), tabs_[static_cast<std::size_t>(position - 1)].caption) + 14;
}

int TabStrip::tabLeft(int position) const {
    int x = 2;
    for (int p = 1; p < position; ++p) x += tabWidth(p);
    return x;
}

int TabStrip::tabAt(int x, int y) const {
    if (y < 0 || y >= kTabHeight + 2) return 0;
    for (int p = 1; p <= tabCount(); ++p)
        if (x >= tabLeft(p) && x < tabLeft(p) + tabWidth(p)) return p;
    return 0;
}

void TabStrip::choose(int position) {
    if (position < 1 || position > tabCount()) return;
    select(position);
    Control::click();
}

bool TabStrip::keyDown(const platform::KeyEvent& e) {
    if (e.keyCode == kLeft && selected_ > 1) choose(selected_ - 1);
    else if (e.keyCode == kRight && selected_ < tabCount()) choose(selected_ + 1);
    else return false;
    return true;
}

void TabStrip::pressAt(int x, int y) {
    if (int p = tabAt(x, y)) choose(p);
}

void TabStrip::hoverAt(int x, int y) {
    const int p = tabAt(x, y);
    setToolTipText(p ? tabs_[static_cast<std::size_t>(p - 1)].toolTip : std::string());
}

void TabStrip::paint(Pixels& s, int ox, int oy, const gfx::ClipRect& clip) const {
    const DialogLook& l = dialogLook();
    gfx::TextBackend* const t = textBackend();
    // The panel: a raised box below the tabs.
    const int py = oy + kTabHeight;
    gfx::fillRect(s, ox, py, width(), height() - kTabHeight, l.face, clip);
    look::raisedEdge(l, s, ox, py, width(), height() - kTabHeight, clip);
    for (int p = 1; p <= tabCount(); ++p) {
        const bool chosen = p == selected_;
        int x = ox + tabLeft(p), w = tabWidth(p), y = oy + 2, h = kTabHeight - 1;
        if (chosen) x -= 2, w += 4, y -= 2, h += 3;
        gfx::fillRect(s, x, y, w, h, l.face, clip);
        gfx::fillRect(s, x, y + 2, 1, h - 2, l.highlight, clip);
        gfx::fillRect(s, x + 1, y + 1, 1, 1, l.highlight, clip);
        gfx::fillRect(s, x + 2, y, w - 4, 1, l.highlight, clip);
        gfx::fillRect(s, x + w - 2, y + 1, 1, h - 1, l.shadow, clip);
        gfx::fillRect(s, x + w - 1, y + 2, 1, h - 2, l.darkShadow, clip);
        const std::string& caption = tabs_[static_cast<std::size_t>(p - 1)].caption;
        const PlacedLine placed =
            look::fittedText(l, t, s, {x, y, x + w, y + h}, y + 2, Alignment::Center, caption, enabled(), clip);
        if (chosen && hasFocus()) look::focusRect(l, s, placed.x - 2, y + 2, placed.width + 4, look::textHeight(l), clip);
    }
}

std::string TabStrip::describe() const {
    std::ostringstream out;
    out << "SelectedItem=" << selected_;
    if (selected_ > 0) out << " (\"" << tabs_[static_cast<std::size_t>(selected_ - 1)].caption << "\")";
    out << " Tabs=";
    for (int p = 1; p <= tabCount(); ++p) out << (p > 1 ? "|" : "") << tabs_[static_cast<std::size_t>(p - 1)].caption;
    out << " " << Control::describe();
    return out.str();
}

}  // namespace vel::forms
