#include "forms/range_controls.h"

#include <algorithm>
#include <sstream>

#include "forms/dialog_look.h"
#include "forms/form.h"

namespace vel::forms {

namespace {
constexpr int kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr int kThumbWidth = 11, kThumbHeight = 21, kChannelInset = 8;
}  // namespace

bool RangeControl::setValue(int v) {
    if (v < min_ || v > max_) return false;
    if (v != value_) {
        value_ = v;
        invalidate();
    }
    return true;
}

void RangeControl::setMin(int v) {
    min_ = v;
    if (max_ < min_) max_ = min_;
    if (value_ < min_) value_ = min_;
    invalidate();
}

void RangeControl::setMax(int v) {
    max_ = v;
    if (min_ > max_) min_ = max_;
    if (value_ > max_) value_ = max_;
    invalidate();
}

void RangeControl::userSet(int v) {
    v = std::clamp(v, min_, max_);
    if (v == value_) return;
    value_ = v;
    invalidate();
    if (onChange) onChange();
}

std::string RangeControl::describe() const {
    std::ostringstream out;
    out << "Value=" << value_ << " Min=" << min_ << " Max=" << max_ << " Enabled=" << (enabled() ? "True" : "False")
        << " " << Control::describe();
    return out.str();
}

Slider::Slider(std::string name, int index) : RangeControl(ControlKind::Slider, std::move(name), index) {}

bool Slider::keyDown(const platform::KeyEvent& e) {
    switch (e.keyCode) {
        case kLeft: case kUp: userSet(value_ - small_); return true;
        case kRight: case kDown: userSet(value_ + small_); return true;
        case kPageUp: userSet(value_ - large_); return true;
        case kPageDown: userSet(value_ + large_); return true;
        case kHome: userSet(min_); return true;
        case kEnd: userSet(max_); return true;
        default: return false;
    }
}

bool Slider::wheel(int delta) {
    // Away from the user moves towards the minimum, as the system's track bar does.
    const int notches = delta / 120;
    if (notches == 0) return false;
    userSet(value_ - notches * small_);
    return true;
}

int Slider::thumbLeft() const {
    const int track = width() - 2 * kChannelInset;
    if (max_ <= min_ || track <= 0) return kChannelInset - kThumbWidth / 2;
    const double share = static_cast<double>(value_ - min_) / (max_ - min_);
    return kChannelInset - kThumbWidth / 2 + static_cast<int>(share * track + 0.5);
}

int Slider::valueAt(int x) const {
    const int track = width() - 2 * kChannelInset;
    if (track <= 0) return value_;
    const double share = static_cast<double>(x - kChannelInset) / track;
    return min_ + static_cast<int>(share * (max_ - min_) + (share >= 0 ? 0.5 : -0.5));
}

void Slider::pressAt(int x, int) {
    const int t = thumbLeft();
    if (x >= t && x < t + kThumbWidth) {
        dragging_ = true;
        grab_ = x - (t + kThumbWidth / 2);
        return;
    }
    // A press on the channel pages towards the press.
    userSet(x < t ? value_ - large_ : value_ + large_);
}

void Slider::dragTo(int x, int) {
    if (dragging_) userSet(valueAt(x - grab_));
}

void Slider::releaseAt(int, int) { dragging_ = false; }

void Slider::paint(Pixels& s, int ox, int oy, const gfx::ClipRect& clip) const {
    const DialogLook& l = dialogLook();
    gfx::fillRect(s, ox, oy, width(), height(), l.face, clip);
    const int channelY = oy + 8;
    look::sunkenEdge(l, s, ox + kChannelInset - 2, channelY, width() - 2 * kChannelInset + 4, 4, clip);
    // Tick marks under the thumb's path.
    const int track = width() - 2 * kChannelInset;
    if (tick_ > 0 && max_ > min_ && track > 0) {
        for (int v = min_; v <= max_; v += tick_) {
            const int x = ox + kChannelInset + static_cast<int>(static_cast<double>(v - min_) / (max_ - min_) * track + 0.5);
            gfx::fillRect(s, x, oy + kThumbHeight + 2, 1, 3, l.text, clip);
        }
        gfx::fillRect(s, ox + kChannelInset + track, oy + kThumbHeight + 2, 1, 3, l.text, clip);
    }
    // The thumb: a raised block with a point at the bottom.
    const int tx = ox + thumbLeft(), ty = oy;
    const int body = kThumbHeight - 5;
    gfx::fillRect(s, tx, ty, kThumbWidth, body, l.face, clip);
    look::raisedEdge(l, s, tx, ty, kThumbWidth, body + 1, clip);
    for (int i = 0; i < 5; ++i) {
        const int half = kThumbWidth / 2 - i;
        gfx::fillRect(s, tx + kThumbWidth / 2 - half + 1, ty + body + i, 2 * half - 1, 1, l.face, clip);
        gfx::fillRect(s, tx + kThumbWidth / 2 - half, ty + body + i, 1, 1, l.highlight, clip);
        gfx::fillRect(s, tx + kThumbWidth / 2 + half, ty + body + i, 1, 1, l.darkShadow, clip);
    }
    if (!enabled()) gfx::fillRect(s, tx + 3, ty + 3, kThumbWidth - 6, body - 6, l.light, clip);
    if (hasFocus()) look::focusRect(l, s, ox, oy, width(), height(), clip);
}

UpDown::UpDown(std::string name, int index) : RangeControl(ControlKind::UpDown, std::move(name), index) {}

UpDown::~UpDown() = default;

bool UpDown::keyDown(const platform::KeyEvent& e) {
    if (e.keyCode == kUp || e.keyCode == kRight) userSet(value_ + increment_);
    else if (e.keyCode == kDown || e.keyCode == kLeft) userSet(value_ - increment_);
    else return false;
    return true;
}

bool UpDown::wheel(int delta) {
    const int notches = delta / 120;
    if (notches == 0) return false;
    userSet(value_ + notches * increment_);
    return true;
}

int UpDown::arrowAt(int x, int y) const {
    if (x < 0 || x >= width() || y < 0 || y >= height()) return 0;
    return y < height() / 2 ? 1 : -1;
}

void UpDown::pressAt(int, int y) {
    pressed_ = y < height() / 2 ? 1 : -1;
    pointerOnPressed_ = true;
    userSet(value_ + pressed_ * increment_);
    invalidate();
    Form* f = form();
    if (!f || !f->loaded()) return;
    if (!repeat_) {
        repeat_ = std::make_unique<Timer>(f->os(), "repeat", kFirstRepeatMs, false);
        repeat_->onTimer = [this] { repeatStep(); };
    }
    repeat_->setInterval(kFirstRepeatMs);
    repeat_->setEnabled(true);
}

void UpDown::dragTo(int x, int y) {
    const bool on = pressed_ != 0 && arrowAt(x, y) == pressed_;
    if (on == pointerOnPressed_) return;
    pointerOnPressed_ = on;
    invalidate();
}

void UpDown::repeatStep() {
    const Form* f = form();
    if (pressed_ == 0 || !f || !f->loaded()) {
        repeat_->setEnabled(false);
        return;
    }
    repeat_->setInterval(kRepeatMs);
    if (pointerOnPressed_ && enabled()) userSet(value_ + pressed_ * increment_);
}

void UpDown::releaseAt(int, int) {
    pressed_ = 0;
    pointerOnPressed_ = false;
    if (repeat_) repeat_->setEnabled(false);
    invalidate();
}

void UpDown::paint(Pixels& s, int ox, int oy, const gfx::ClipRect& clip) const {
    const DialogLook& l = dialogLook();
    const int half = height() / 2;
    for (int part = 0; part < 2; ++part) {
        const int y = oy + part * half, h = part == 0 ? half : height() - half;
        gfx::fillRect(s, ox, y, width(), h, l.face, clip);
        const bool down = pointerOnPressed_ && pressed_ == (part == 0 ? 1 : -1);
        if (down) look::pressedEdge(l, s, ox, y, width(), h, clip);
        else look::raisedEdge(l, s, ox, y, width(), h, clip);
        const Colour ink = enabled() ? l.text : l.grayText;
        look::arrow(s, ox + (down ? 1 : 0), y + (down ? 1 : 0), width(), h, part == 0 ? look::Arrow::Up : look::Arrow::Down,
                    ink, clip);
    }
    if (hasFocus()) look::focusRect(l, s, ox + 2, oy + 2, width() - 4, height() - 4, clip);
}

}  // namespace vel::forms
