#include "forms/buttons.h"

#include <algorithm>
#include <sstream>

#include "forms/dialog_look.h"
#include "forms/form.h"

namespace vel::forms {

namespace {
constexpr int kSpace = 32, kEnter = 13, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

// Caption to the right of a 13-pixel glyph, up to `right`, with the focus
// rectangle round it.
void glyphCaption(const Control& c, Pixels& s, int ox, int oy, int right, const std::string& caption,
                  const gfx::ClipRect& clip) {
    const DialogLook& l = c.dialogLook();
    gfx::TextBackend* const t = c.textBackend();
    const int th = look::textHeight(l);
    const int ty = oy + (c.height() - th) / 2;
    const PlacedLine p = look::fittedText(l, t, s, {ox + 17, oy, right, oy + c.height()}, ty, Alignment::Left, caption,
                                          c.enabled(), clip);
    if (c.hasFocus() && !caption.empty()) look::focusRect(l, s, ox + 15, ty, p.width + 4, th, clip);
}
}  // namespace

void CaptionedControl::setCaption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    invalidate();
}

std::string CaptionedControl::describe() const {
    std::ostringstream out;
    out << "Caption=\"" << caption_ << "\" Enabled=" << (enabled() ? "True" : "False") << " " << Control::describe();
    return out.str();
}

CommandButton::CommandButton(std::string name, int index) : CaptionedControl(ControlKind::CommandButton, std::move(name), index) {}

void CommandButton::setDefault(bool v) {
    default_ = v;
    invalidate();
}

void CommandButton::paint(Pixels& s, int ox, int oy, const gfx::ClipRect& clip) const {
    const DialogLook& l = dialogLook();
    gfx::TextBackend* const t = textBackend();
    gfx::fillRect(s, ox, oy, width(), height(), l.face, clip);
    int x = ox, y = oy, w = width(), h = height();
    const bool outlined = (default_ || hasFocus()) && enabled();
    if (outlined) {
        gfx::fillRect(s, x, y, w, 1, l.darkShadow, clip);
        gfx::fillRect(s, x, y + h - 1, w, 1, l.darkShadow, clip);
        gfx::fillRect(s, x, y, 1, h, l.darkShadow, clip);
        gfx::fillRect(s, x + w - 1, y, 1, h, l.darkShadow, clip);
        ++x, ++y, w -= 2, h -= 2;
    }
    if (down_)
        look::pressedEdge(l, s, x, y, w, h, clip);
    else
        look::raisedEdge(l, s, x, y, w, h, clip);
    const int shift = down_ ? 1 : 0;
    // Centred inside the edges; pressed, one pixel right and down.
    const int th = look::textHeight(l);
    const gfx::ClipRect inside{ox + 2 + shift, oy + 2, ox + width() - 2 + shift, oy + height() - 2};
    look::fittedText(l, t, s, inside, oy + (height() - th) / 2 + shift, Alignment::Center, caption_, enabled(), clip);
    if (hasFocus()) look::focusRect(l, s, ox + 4, oy + 4, width() - 8, height() - 8, clip);
}

bool CommandButton::keyDown(const platform::KeyEvent& e) {
    if (e.keyCode != kSpace && e.keyCode != kEnter) return false;
    click();
    return true;
}

void CommandButton::pressAt(int, int) {
    down_ = true;
    invalidate();
}

void CommandButton::dragTo(int x, int y) {
    const bool inside = x >= 0 && y >= 0 && x < width() && y < height();
    if (inside != down_) {
        down_ = inside;
        invalidate();
    }
}

void CommandButton::releaseAt(int, int) {
    down_ = false;
    invalidate();
}

CheckBox::CheckBox(std::string name, int index) : CaptionedControl(ControlKind::CheckBox, std::move(name), index) {}

void CheckBox::setValue(int v) {
    if (v == value_) return;
    value_ = v;
    invalidate();
}

void CheckBox::click() {
    setValue(value_ == 1 ? 0 : 1);
    Control::click();
}

bool CheckBox::keyDown(const platform::KeyEvent& e) {
    if (e.keyCode != kSpace) return false;
    click();
    return true;
}

void CheckBox::paint(Pixels& s, int ox, int oy, const gfx::ClipRect& clip) const {
    const DialogLook& l = dialogLook();
    const int by = oy + (height() - 13) / 2;
    look::sunkenEdge(l, s, ox, by, 13, 13, clip);
    gfx::fillRect(s, ox + 2, by + 2, 9, 9, enabled() ? l.window : l.face, clip);
    if (value_ != 0) {
        // The classic tick: a 7-pixel check, three pixels thick.
        const Colour ink = enabled() ? l.windowText : l.grayText;
        static const int kRise[7] = {2, 3, 4, 3, 2, 1, 0};
        for (int i = 0; i < 7; ++i) gfx::fillRect(s, ox + 3 + i, by + 3 + kRise[i], 1, 3, ink, clip);
    }
    glyphCaption(*this, s, ox, oy, ox + width(), caption_, clip);
}

std::string CheckBox::describe() const {
    return "Value=" + std::to_string(value_) + " " + CaptionedControl::describe();
}

OptionButton::OptionButton(std::string name, int index) : CaptionedControl(ControlKind::OptionButton, std::move(name), index) {}

std::vector<OptionButton*> OptionButton::group() const {
    std::vector<OptionButton*> out;
    if (!parent()) return out;
    for (const auto& c : parent()->children())
        if (auto* o = dynamic_cast<OptionButton*>(c.get())) out.push_back(o);
    return out;
}

void OptionButton::setValue(bool v) {
    if (v)
        for (OptionButton* o : group())
            if (o != this && o->value_) {
                o->value_ = false;
                o->invalidate();
            }
    if (v == value_) return;
    value_ = v;
    invalidate();
}

void OptionButton::click() {
    if (value_) return;
    setValue(true);
    Control::click();
}

bool OptionButton::keyDown(const platform::KeyEvent& e) {
    if (e.keyCode == kSpace) {
        click();
        return true;
    }
    const bool next = e.keyCode == kRight || e.keyCode == kDown;
    const bool previous = e.keyCode == kLeft || e.keyCode == kUp;
    if (!next && !previous) return false;
    std::vector<OptionButton*> all = group();
    std::vector<OptionButton*> usable;
    for (OptionButton* o : all)
        if (o->shown() && o->enabled()) usable.push_back(o);
    auto it = std::find(usable.begin(), usable.end(), this);
    if (it == usable.end() || usable.size() < 2) return true;
    const std::size_t here = static_cast<std::size_t>(it - usable.begin());
    OptionButton* to = usable[(here + (next ? 1 : usable.size() - 1)) % usable.size()];
    to->setFocus();
    to->click();
    return true;
}

bool OptionButton::tabStop() const {
    if (value_) return true;
    for (OptionButton* o : group()) {
        if (o->value_ && o->shown() && o->enabled()) return false;
    }
    // No choice in the group: Tab stops at its first usable button.
    for (OptionButton* o : group())
        if (o->shown() && o->enabled()) return o == this;
    return false;
}

void OptionButton::paint(Pixels& s, int ox, int oy, const gfx::ClipRect& clip) const {
    const DialogLook& l = dialogLook();
    const int by = oy + (height() - 12) / 2;
    // A 12-pixel circle: shadow arc top-left, highlight arc bottom-right.
    static const char* kRing[12] = {
        "....SSSS....", "..SSDDDDSS..", ".SDDWWWWDDL.", ".SDWWWWWWLH.", "SDWWWWWWWWLH", "SDWWWWWWWWLH",
        "SDWWWWWWWWLH", "SDWWWWWWWWLH", ".SDWWWWWWLH.", ".SLLWWWWLLH.", "..HHLLLLHH..", "....HHHH....",
    };
    const Colour fill = enabled() ? l.window : l.face;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const char k = kRing[y][x];
            if (k == '.') continue;
            const Colour c = k == 'S' ? l.shadow : k == 'D' ? l.darkShadow : k == 'L' ? l.light : k == 'H' ? l.highlight : fill;
            gfx::fillRect(s, ox + x, by + y, 1, 1, c, clip);
        }
    if (value_) {
        const Colour ink = enabled() ? l.windowText : l.grayText;
        gfx::fillRect(s, ox + 5, by + 4, 2, 4, ink, clip);
        gfx::fillRect(s, ox + 4, by + 5, 4, 2, ink, clip);
    }
    glyphCaption(*this, s, ox - 1, oy, ox + width(), caption_, clip);
}

std::string OptionButton::describe() const {
    return std::string("Value=") + (value_ ? "True" : "False") + " " + CaptionedControl::describe();
}

}  // namespace vel::forms
