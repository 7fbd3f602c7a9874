#include "forms/picture_box.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "forms/repaint_area.h"

namespace vel::forms {

namespace {
int nearest(double v) {
    // Coordinates reach the device rounded to the nearest pixel, halves to even.
    return static_cast<int>(std::nearbyint(v));
}
}  // namespace

PictureBox::PictureBox(std::string name, int index)
    : Control(ControlKind::PictureBox, std::move(name), index) {}

void PictureBox::makeImage() const {
    if (image_.width != width_ || image_.height != height_) resetImage();
}

void PictureBox::resetImage() const {
    if (image_.width != width_ || image_.height != height_) image_ = Pixels(width_, height_);
    image_.fill(backColor_);
    if (!picture_.empty()) gfx::blit(image_, 0, 0, picture_);
}

Colour PictureBox::shownColour(int x, int y) const {
    if (image_.width == width_ && image_.height == height_) return image_.at(x, y);
    return picture_.inside(x, y) ? picture_.at(x, y) : backColor_;
}

void PictureBox::setPicture(const Pixels& picture) {
    picture_ = picture;
    clearAll();
}

void PictureBox::clearPicture() {
    picture_ = Pixels();
    clearAll();
}

void PictureBox::releasePictures() {
    picture_ = Pixels();
    image_ = Pixels();
    drawn_ = {};
    invalidate();
}

void PictureBox::setBackColor(Colour c) {
    backColor_ = c;
    clearAll();
}

void PictureBox::clearAll() {
    cls();
    invalidate();
}

void PictureBox::cls() {
    // Nothing drawn yet: the box shows its back colour and picture as it is.
    if (!image_.empty()) resetImage();
    // Only what was drawn since the last clearing changes back.
    invalidate(drawn_);
    drawn_ = {};
}

void PictureBox::markDrawn(const platform::Rect& area) {
    drawn_ = unite(drawn_, area);
    invalidate(area);
}

int PictureBox::toPixelX(double x) const { return nearest(x - scaleLeft_); }
int PictureBox::toPixelY(double y) const { return nearest(y - scaleTop_); }

void PictureBox::line(double x1, double y1, double x2, double y2, Colour c) {
    makeImage();
    const int px1 = toPixelX(x1), py1 = toPixelY(y1), px2 = toPixelX(x2), py2 = toPixelY(y2);
    gfx::lineTo(image_, px1, py1, px2, py2, c);
    markDrawn(platform::Rect{std::min(px1, px2), std::min(py1, py2), std::max(px1, px2) + 1, std::max(py1, py2) + 1});
}

void PictureBox::pset(double x, double y, Colour c) {
    makeImage();
    int px = toPixelX(x), py = toPixelY(y);
    if (image_.inside(px, py)) {
        image_.at(px, py) = c;
        markDrawn(platform::Rect{px, py, px + 1, py + 1});
    }
}

std::int32_t PictureBox::point(double x, double y) const {
    int px = static_cast<int>(std::floor(x - scaleLeft_)), py = static_cast<int>(std::floor(y - scaleTop_));
    if (px < 0 || py < 0 || px >= width_ || py >= height_) return -1;
    return static_cast<std::int32_t>(shownColour(px, py));
}

void PictureBox::paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const {
    if (image_.width == width_ && image_.height == height_) {
        gfx::blit(target, ox, oy, image_, clip);
    } else {
        gfx::fillRect(target, ox, oy, width_, height_, backColor_, clip);
        if (!picture_.empty()) gfx::blit(target, ox, oy, picture_, clip);
    }
    paintChildren(target, ox, oy, clip);
}

std::string PictureBox::describe() const {
    std::ostringstream out;
    out << Control::describe() << " BackColor=" << backColor_ << " ForeColor=" << foreColor_
        << " FillColor=" << fillColor_ << " Picture=" << picture_.width << "x" << picture_.height;
    if (scaleLeft_ != 0 || scaleTop_ != 0) out << " ScaleLeft=" << scaleLeft_ << " ScaleTop=" << scaleTop_;
    return out.str();
}

}  // namespace vel::forms
