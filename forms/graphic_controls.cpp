#include "forms/graphic_controls.h"

#include <algorithm>
#include <sstream>
#include <string_view>

namespace vel::forms {

namespace {
// Calls each(line) for the caption's lines, as views into it. LF CR and
// CR LF both make one break.
template <class Each>
void forEachLine(std::string_view text, Each&& each) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        each(text.substr(start, i - start));
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
        start = i + 1;
    }
    each(text.substr(start));
}

const char* boolText(bool v) { return v ? "True" : "False"; }

}  // namespace

Label::Label(std::string name, int index) : Control(ControlKind::Label, std::move(name), index) {}

void Label::setCaption(const std::string& c) {
    if (caption_ == c) return;
    caption_ = c;
    invalidate();
}
void Label::setForeColor(Colour c) { foreColor_ = c; invalidate(); }
void Label::setBackColor(Colour c) { backColor_ = c; invalidate(); }
void Label::setOpaque(bool v) { opaque_ = v; invalidate(); }
void Label::setAlignment(Alignment a) { alignment_ = a; invalidate(); }
void Label::setFont(const gfx::FontSpec& f) { font_ = f; invalidate(); }

void Label::paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const {
    if (opaque_) gfx::fillRect(target, ox, oy, width_, height_, backColor_, clip);
    const int lh = gfx::lineHeight(font_);
    int y = oy;
    gfx::TextBackend* const system = textBackend();
    forEachLine(caption_, [&](std::string_view line) {
        // A line may not climb into the one above it.
        const gfx::ClipRect box{ox, y, ox + width_, std::max(y, oy + height_)};
        drawPlaced(target, placeLine(font_, line, box, y, alignment_, system), line, foreColor_, clip, system);
        y += lh;
    });
}

std::string Label::describe() const {
    std::ostringstream out;
    out << Control::describe() << " Caption=\"" << caption_ << "\" ForeColor=" << foreColor_
        << " BackColor=" << backColor_ << " BackStyle=" << (opaque_ ? 1 : 0);
    return out.str();
}

Shape::Shape(std::string name, int index) : Control(ControlKind::Shape, std::move(name), index) {}

void Shape::setBackColor(Colour c) { backColor_ = c; invalidate(); }
void Shape::setBackOpaque(bool v) { backOpaque_ = v; invalidate(); }
void Shape::setFillColor(Colour c) { fillColor_ = c; invalidate(); }
void Shape::setFillStyle(int s) { fillStyle_ = s; invalidate(); }
void Shape::setBorder(bool v) { border_ = v; invalidate(); }
void Shape::setBorderColor(Colour c) { borderColor_ = c; invalidate(); }

void Shape::paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const {
    if (backOpaque_) gfx::fillRect(target, ox, oy, width_, height_, backColor_, clip);
    if (fillStyle_ == 0) gfx::fillRect(target, ox, oy, width_, height_, fillColor_, clip);
    if (border_ && width_ > 0 && height_ > 0) {
        gfx::fillRect(target, ox, oy, width_, 1, borderColor_, clip);
        gfx::fillRect(target, ox, oy + height_ - 1, width_, 1, borderColor_, clip);
        gfx::fillRect(target, ox, oy, 1, height_, borderColor_, clip);
        gfx::fillRect(target, ox + width_ - 1, oy, 1, height_, borderColor_, clip);
    }
}

std::string Shape::describe() const {
    std::ostringstream out;
    out << Control::describe() << " BackColor=" << backColor_ << " BackStyle=" << (backOpaque_ ? 1 : 0)
        << " FillColor=" << fillColor_ << " FillStyle=" << fillStyle_ << " Border=" << boolText(border_);
    return out.str();
}

Line::Line(std::string name, int index) : Control(ControlKind::Line, std::move(name), index) {}

void Line::setX1(int v) { setPoints(v, y1_, x2_, y2_); }
void Line::setY1(int v) { setPoints(x1_, v, x2_, y2_); }
void Line::setX2(int v) { setPoints(x1_, y1_, v, y2_); }
void Line::setY2(int v) { setPoints(x1_, y1_, x2_, v); }

void Line::setPoints(int x1, int y1, int x2, int y2) {
    if (x1 == x1_ && y1 == y1_ && x2 == x2_ && y2 == y2_) return;
    invalidate();  // the old line
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    invalidate();
}

void Line::setBorderColor(Colour c) { color_ = c; invalidate(); }

platform::Rect Line::area() const {
    // The end points are in the parent's pixels, both ends drawn.
    return {std::min(x1_, x2_), std::min(y1_, y2_), std::max(x1_, x2_) + 1, std::max(y1_, y2_) + 1};
}

void Line::paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const {
    // A line's own left/top are 0: its end points are in the container's scale.
    gfx::lineInclusive(target, ox - left_ + x1_, oy - top_ + y1_, ox - left_ + x2_, oy - top_ + y2_, color_, clip);
}

std::string Line::describe() const {
    std::ostringstream out;
    out << "X1=" << x1_ << " Y1=" << y1_ << " X2=" << x2_ << " Y2=" << y2_ << " BorderColor=" << color_
        << " Visible=" << boolText(visible_);
    return out.str();
}

Image::Image(std::string name, int index) : Control(ControlKind::Image, std::move(name), index) {}

void Image::setPicture(const Pixels& p) {
    picture_ = p;
    invalidate();
}

void Image::paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const {
    if (!picture_.empty()) gfx::blit(target, ox, oy, picture_, clip);
}

std::string Image::describe() const {
    std::ostringstream out;
    out << Control::describe() << " Picture=" << picture_.width << "x" << picture_.height;
    return out.str();
}

PictureButton::PictureButton(std::string name, int index) : Image(std::move(name), index) {
    kind_ = ControlKind::PictureButton;
}

void PictureButton::setPictures(const Pixels& normal, const Pixels& pressed) {
    picture_ = normal;
    pressedPicture_ = pressed;
    invalidate();
}

void PictureButton::setPressed(bool pressed) {
    if (pressed_ == pressed) return;
    pressed_ = pressed;
    invalidate();
}

void PictureButton::paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const {
    const Pixels& p = pressed_ && !pressedPicture_.empty() ? pressedPicture_ : picture_;
    if (!p.empty()) gfx::blit(target, ox, oy, p, clip);
}

}  // namespace vel::forms
