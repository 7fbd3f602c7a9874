// Controls of the forms runtime: the classic visual building blocks the
// windows are made of. Positions and sizes are in the parent's scale, which
// is pixels everywhere inside a window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx/draw.h"
#include "gfx/font.h"
#include "platform/platform.h"

namespace vel::forms {

class Form;
class Container;
struct DialogLook;

enum class ControlKind {
    PictureBox, Label, Shape, Line, Image, PictureButton,
    // The dialog controls.
    Frame, CommandButton, CheckBox, OptionButton, ComboBox, Slider, UpDown, TabStrip
};

struct MouseArgs {
    int button = 0;  // 1 left, 2 right, 4 middle
    int shift = 0;
    double x = 0;
    double y = 0;
};

class Control {
public:
    Control(ControlKind kind, std::string name, int index);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 when not part of a control array
    std::string qualifiedName() const;    // "lblRGB(1)" or "picMod"

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setLeft(int v);
    void setTop(int v);
    void setWidth(int v);
    void setHeight(int v);
    void move(int left, int top, int width, int height);

    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    const std::string& toolTipText() const { return toolTip_; }
    void setToolTipText(const std::string& t) { toolTip_ = t; }

    Container* parent() const { return parent_; }
    Form* form() const;
    // Position of the control's top-left corner in window pixels.
    void windowOrigin(int& x, int& y) const;
    // Visible on screen: it and every container up to the window.
    bool shown() const;

    // What the control draws with: its runtime's dialog look and the
    // system fonts that runtime's text uses (the classic look and our pixel
    // fonts while it is in no window).
    const DialogLook& dialogLook() const;
    gfx::TextBackend* textBackend() const;

    // Graphical controls (label, shape, line) are painted by their
    // container; windowed ones (picture boxes, images) receive the mouse.
    virtual bool graphical() const { return false; }
    virtual bool takesMouse() const { return true; }
    // Paints into the window buffer; (ox, oy) is the control's origin there.
    virtual void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const = 0;

    // Repaint the window now ("Refresh").
    void refresh();
    // Schedules a repaint of the part of the window the control paints.
    void invalidate();
    // Where paint() may draw, in the parent's pixels.
    virtual platform::Rect area() const { return {left_, top_, left_ + width_, top_ + height_}; }
    // Schedules a repaint of part of the control (its own pixels).
    void invalidate(const platform::Rect& part);

    std::function<void(const MouseArgs&)> onMouseDown, onMouseMove, onMouseUp;
    std::function<void()> onClick, onDblClick;

    // Keyboard focus: controls that take it are visited by Tab in the
    // order they were added.
    virtual bool focusable() const { return false; }
    bool hasFocus() const;
    void setFocus();
    // A key for the focused control; true when it used the key.
    virtual bool keyDown(const platform::KeyEvent&) { return false; }
    // The mouse wheel over the control (delta 120 per notch, up positive).
    virtual bool wheel(int) { return false; }
    // The control's own reaction to the left button, before the handlers
    // above run (a check box ticks, a slider thumb follows the mouse).
    virtual void pressAt(int, int) {}
    virtual void dragTo(int, int) {}
    virtual void releaseAt(int, int) {}
    // The mouse moved over the control (no button held).
    virtual void hoverAt(int, int) {}
    // The system's own controls take the second press of a double-click
    // as one more press, so no fast click is lost; picture boxes and
    // labels see it as a double-click.
    virtual bool pressesOnDoubleClick() const { return false; }
    // A click by mouse or keyboard: the control's own change, then onClick.
    virtual void click();
    // Whether Tab stops here now (an option group stops at its chosen button).
    virtual bool tabStop() const { return focusable(); }
    // The part drawn as the form's overlay (window pixels).
    virtual bool overlayHit(int, int) const { return false; }
    virtual void overlayMouse(const platform::MouseEvent&) {}
    virtual void paintOverlay(Pixels&) const {}
    virtual void closeOverlay() {}

    // A text rendering of the properties, for scenario prints and tests.
    virtual std::string describe() const;

protected:
    friend class Container;
    // Schedules a repaint of `inParent` (the parent's pixels).
    void invalidateInParent(const platform::Rect& inParent);
    ControlKind kind_;
    std::string name_;
    int index_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string toolTip_;
    Container* parent_ = nullptr;
};

// A control that holds other controls (a picture box or the window itself).
class Container {
public:
    virtual ~Container() = default;
    template <class T, class... Args>
    T& add(Args&&... args) {
        auto control = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *control;
        adopt(std::move(control));
        return ref;
    }
    const std::vector<std::unique_ptr<Control>>& children() const { return children_; }
    // Finds a control anywhere below by name and array index.
    Control* find(const std::string& name, int index = -1) const;
    virtual Form* containerForm() = 0;
    virtual Control* asControl() { return nullptr; }
    // Paints the graphical children in z-order, then the windowed ones.
    void paintChildren(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const;
    // Deepest shown, mouse-taking control at (x, y) in this container's pixels.
    Control* hitTest(int x, int y, int& localX, int& localY) const;

protected:
    void adopt(std::unique_ptr<Control> control);
    std::vector<std::unique_ptr<Control>> children_;
};

// Intersection of two clip rectangles.
gfx::ClipRect intersect(const gfx::ClipRect& a, const gfx::ClipRect& b);

}  // namespace vel::forms
