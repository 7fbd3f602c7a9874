// Label, shape, line, image and the picture button.
#pragma once

#include "forms/control.h"
#include "forms/text_fit.h"

namespace vel::forms {

class Label : public Control {
public:
    Label(std::string name, int index = -1);
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    Colour foreColor() const { return foreColor_; }
    void setForeColor(Colour c);
    Colour backColor() const { return backColor_; }
    void setBackColor(Colour c);
    bool opaque() const { return opaque_; }  // BackStyle 1
    void setOpaque(bool v);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a);
    const gfx::FontSpec& font() const { return font_; }
    void setFont(const gfx::FontSpec& f);
    // Multi-line captions break at CR and LF. A line that does not fit the
    // label is moved or drawn smaller (see placeLine), rather than cut at
    // the label's edge.
    bool graphical() const override { return true; }
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;
    std::string describe() const override;

private:
    std::string caption_;
    Colour foreColor_ = 0;
    Colour backColor_ = rgb(255, 255, 255);
    bool opaque_ = false;
    Alignment alignment_ = Alignment::Left;
    gfx::FontSpec font_;
};

// A rectangle shape: filled with its back colour when opaque, then with its
// fill colour when the fill style is solid; optional 1-px border.
class Shape : public Control {
public:
    Shape(std::string name, int index = -1);
    Colour backColor() const { return backColor_; }
    void setBackColor(Colour c);
    bool backOpaque() const { return backOpaque_; }
    void setBackOpaque(bool v);
    Colour fillColor() const { return fillColor_; }
    void setFillColor(Colour c);
    int fillStyle() const { return fillStyle_; }  // 0 solid, 1 transparent
    void setFillStyle(int s);
    bool border() const { return border_; }
    void setBorder(bool v);
    Colour borderColor() const { return borderColor_; }
    void setBorderColor(Colour c);
    bool graphical() const override { return true; }
    bool takesMouse() const override { return false; }
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;
    std::string describe() const override;

private:
    Colour backColor_ = rgb(255, 255, 255);
    bool backOpaque_ = false;
    Colour fillColor_ = 0;
    int fillStyle_ = 1;
    bool border_ = true;
    Colour borderColor_ = 0;
};

class Line : public Control {
public:
    Line(std::string name, int index = -1);
    int x1() const { return x1_; }
    int y1() const { return y1_; }
    int x2() const { return x2_; }
    int y2() const { return y2_; }
    void setX1(int v);
    void setY1(int v);
    void setX2(int v);
    void setY2(int v);
    void setPoints(int x1, int y1, int x2, int y2);
    Colour borderColor() const { return color_; }
    void setBorderColor(Colour c);
    bool graphical() const override { return true; }
    bool takesMouse() const override { return false; }
    platform::Rect area() const override;
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;
    std::string describe() const override;

private:
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    Colour color_ = 0;
};

class Image : public Control {
public:
    Image(std::string name, int index = -1);
    void setPicture(const Pixels& p);
    const Pixels& picture() const { return picture_; }
    bool graphical() const override { return true; }
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;
    std::string describe() const override;

protected:
    Pixels picture_;
};

// An image that shows a second picture while the left button is held on it.
class PictureButton : public Image {
public:
    PictureButton(std::string name, int index = -1);
    void setPictures(const Pixels& normal, const Pixels& pressed);
    void setPressed(bool pressed);
    bool pressed() const { return pressed_; }
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;

private:
    Pixels pressedPicture_;
    bool pressed_ = false;
};

}  // namespace vel::forms
