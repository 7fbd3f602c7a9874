// The picture box: a background picture, a persistent drawing image that
// Cls clears back to the picture, and child controls drawn over it. The
// drawing image is made on the first drawing: most boxes only show their
// picture and need no second copy of it.
#pragma once

#include <optional>

#include "forms/control.h"

namespace vel::forms {

class PictureBox : public Control, public Container {
public:
    PictureBox(std::string name, int index = -1);

    // The picture (shown at the top-left, unscaled). Setting it clears the
    // drawing, as a new picture on a persistent image does.
    void setPicture(const Pixels& picture);
    void clearPicture();
    // Frees the picture and the drawing on it, for a box that is not shown again.
    void releasePictures();
    const Pixels& picture() const { return picture_; }
    bool hasPicture() const { return !picture_.empty(); }

    Colour backColor() const { return backColor_; }
    void setBackColor(Colour c);
    Colour foreColor() const { return foreColor_; }
    void setForeColor(Colour c) { foreColor_ = c; }
    Colour fillColor() const { return fillColor_; }
    void setFillColor(Colour c) { fillColor_ = c; }
    int fillStyle() const { return fillStyle_; }  // 0 solid, 1 transparent
    void setFillStyle(int s) { fillStyle_ = s; }
    bool autoRedraw() const { return autoRedraw_; }
    void setAutoRedraw(bool v) { autoRedraw_ = v; }
    // User scale origin: the coordinates of the top-left pixel.
    double scaleLeft() const { return scaleLeft_; }
    double scaleTop() const { return scaleTop_; }
    void setScaleOrigin(double left, double top) { scaleLeft_ = left; scaleTop_ = top; }
    void setScalePixels() { scaleLeft_ = 0; scaleTop_ = 0; }

    // Drawing on the persistent image, in scale coordinates.
    void cls();
    void line(double x1, double y1, double x2, double y2, Colour c);
    void line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, foreColor_); }
    void pset(double x, double y, Colour c);
    // Colour at a point, or -1 outside the surface.
    std::int32_t point(double x, double y) const;
    // The colour shown at a pixel of the box (inside it).
    Colour shownColour(int x, int y) const;
    // Direct access for blends; call invalidate() after changing it.
    Pixels& image() {
        makeImage();
        drawn_ = {0, 0, width_, height_};
        return image_;
    }
    const Pixels& image() const {
        makeImage();
        return image_;
    }

    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;
    Form* containerForm() override { return form(); }
    Control* asControl() override { return this; }
    std::string describe() const override;

private:
    void makeImage() const;
    void resetImage() const;
    // A new picture or back colour: the whole box changes.
    void clearAll();
    void markDrawn(const platform::Rect& area);
    int toPixelX(double x) const;
    int toPixelY(double y) const;
    Pixels picture_;
    mutable Pixels image_;  // empty until drawn on
    platform::Rect drawn_;  // drawn on since the image last showed only back colour and picture
    Colour backColor_ = rgb(255, 255, 255);
    Colour foreColor_ = 0;
    Colour fillColor_ = 0;
    int fillStyle_ = 1;
    bool autoRedraw_ = true;
    double scaleLeft_ = 0, scaleTop_ = 0;
};

}  // namespace vel::forms
