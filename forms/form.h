// A top-level window of the program: a borderless platform window whose
// pixels the runtime composites from the form's control tree.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/control.h"
#include "forms/timer.h"
#include "platform/platform.h"

namespace vel::forms {

class Runtime;

constexpr int kTwipsPerPixel = 15;

class Form : public Container, public platform::WindowListener {
public:
    Form(Runtime& runtime, std::string name);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    Runtime& runtime() const { return runtime_; }
    platform::Platform& os() const;

    // Load creates the window (hidden) and runs the load handler once.
    void load();
    // Loads when needed, then shows the window.
    void show();
    void hide();
    // Runs the unload handler, stops the timers and destroys the window.
    void unload();
    bool loaded() const { return loaded_; }
    bool visible() const { return visible_; }

    // Position and size in twips.
    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    void setLeft(double twips) { move(twips, top_, width_, height_); }
    void setTop(double twips) { move(left_, twips, width_, height_); }
    void move(double left, double top) { move(left, top, width_, height_); }
    void move(double left, double top, double width, double height);
    int pixelWidth() const;
    int pixelHeight() const;
    // Takes the position the system gave the window (after a drag).
    void syncFromWindow();
    // The system's caption drag. Its move loop swallows the button's
    // release, so the press this form saw is forgotten afterwards: the
    // next move finds the control under the mouse afresh.
    void systemDrag();

    platform::WindowId window() const { return window_; }
    // Window services; ignored while the form is not loaded.
    void setRegion(const platform::Region* region, bool redraw);
    bool hasRegion() const { return hasRegion_; }
    const platform::Region& region() const { return region_; }
    long setLayeredAlpha(std::uint8_t alpha);
    std::uint8_t alpha() const { return alpha_; }
    bool layered() const { return layered_; }
    void setWindowPos(platform::ZOrder insertAfter, unsigned flags);
    bool topMost() const { return topMost_; }

    Colour backColor() const { return backColor_; }
    void setBackColor(Colour c) { backColor_ = c; invalidate(); }

    // Painting: invalidate schedules, refresh paints and presents now.
    // Only the invalidated part is repainted, and only the part whose
    // pixels really changed is presented.
    void invalidate();
    void invalidate(const platform::Rect& area);  // window pixels
    void refresh();
    // Composites the invalidated part of the control tree into the window
    // buffer and returns the whole buffer.
    const Pixels& render();

    Timer& addTimer(const std::string& name, std::uint32_t interval, bool enabled);
    Timer* findTimer(const std::string& name) const;
    const std::vector<std::unique_ptr<Timer>>& timers() const { return timers_; }

    // platform::WindowListener
    void onMouse(const platform::MouseEvent& e) override;
    void onExpose() override;

    void onKey(const platform::KeyEvent& e) override;

    Form* containerForm() override { return this; }
    // Popups (tooltips) are never activated and never listed as windows.
    bool popup() const { return popup_; }
    void setPopup(bool v) { popup_ = v; }
    // The window's title for people (task lists, window managers); the
    // form's name stays its identity. Set before the form loads.
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { caption_ = caption; }
    // A dialog window: title bar with the caption and a close button.
    bool dialog() const { return dialog_; }
    void setDialog(const std::string& caption) { dialog_ = true; caption_ = caption; }
    // A window people work in (not a monitor): it takes the keyboard when
    // shown, so Esc and Alt+F4 reach it. Dialogs always do.
    bool takesFocus() const { return takesFocus_ || dialog_; }
    void setTakesFocus(bool v) { takesFocus_ = v; }

    // Keyboard: the focused control, Tab order, and the buttons that Enter
    // and Esc press when the focused control does not use the key.
    Control* focusedControl() const { return focused_; }
    void focus(Control* control);
    // Moves the focus to the next (or previous) control that can take it.
    void focusNext(bool backwards);
    void setDefaultButton(Control* c) { defaultButton_ = c; }
    void setCancelButton(Control* c) { cancelButton_ = c; }
    // Sees every key before the controls do (KeyPreview); true consumes it.
    std::function<bool(const platform::KeyEvent&)> onKeyDown;

    // A control drawing outside its own box above everything else (an
    // open drop-down list); it gets the mouse first.
    Control* overlay() const { return overlay_; }
    void setOverlay(Control* c);

protected:
    virtual void onLoad() {}
    virtual void onUnload() {}

private:
    void dispatchMouse(const platform::MouseEvent& e);
    // Marks the form visible and presents all of it, before the window shows.
    void paintForShowing();
    void forgetMouse();
    platform::Rect wholeWindow() const { return {0, 0, buffer_.width, buffer_.height}; }
    platform::Rect windowArea() const;  // the size the window has now
    // Repaints what was invalidated; returns the part repainted.
    platform::Rect repaint();
    Runtime& runtime_;
    std::string name_;
    bool popup_ = false;
    bool loaded_ = false;
    bool loading_ = false;
    bool visible_ = false;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    platform::WindowId window_ = 0;
    platform::Region region_;
    bool hasRegion_ = false;
    std::uint8_t alpha_ = 255;
    bool layered_ = false;
    bool topMost_ = false;
    Colour backColor_ = rgb(212, 208, 200);
    Pixels buffer_;
    platform::Rect dirty_;        // invalidated, not yet repainted
    platform::Rect unpresented_;  // repainted by render() alone, not yet presented
    bool presentAll_ = true;      // the window needs every pixel (shown, exposed, resized)
    Pixels presented_;            // scratch: the repainted part as it was presented
    std::vector<std::unique_ptr<Timer>> timers_;
    Control* captured_ = nullptr;  // control that took the button down
    Control* hovered_ = nullptr;
    bool dialog_ = false;
    bool takesFocus_ = false;
    std::string caption_;
    Control* focused_ = nullptr;
    Control* defaultButton_ = nullptr;
    Control* cancelButton_ = nullptr;
    Control* overlay_ = nullptr;
};

}  // namespace vel::forms
