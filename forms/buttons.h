// The dialog's buttons: command button, check box and option button, drawn
// in the dialog look. Option buttons form one group per container.
#pragma once

#include <string>
#include <vector>

#include "forms/control.h"

namespace vel::forms {

// A control with a caption in the dialog font.
class CaptionedControl : public Control {
public:
    using Control::Control;
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    bool focusable() const override { return true; }
    bool pressesOnDoubleClick() const override { return true; }
    std::string describe() const override;

protected:
    std::string caption_;
};

class CommandButton : public CaptionedControl {
public:
    CommandButton(std::string name, int index = -1);
    // The button Enter presses draws a dark outline.
    void setDefault(bool v);
    bool isDefault() const { return default_; }
    bool down() const { return down_; }
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;
    bool keyDown(const platform::KeyEvent& e) override;
    void pressAt(int x, int y) override;
    void dragTo(int x, int y) override;
    void releaseAt(int x, int y) override;

private:
    bool default_ = false;
    bool down_ = false;
};

class CheckBox : public CaptionedControl {
public:
    CheckBox(std::string name, int index = -1);
    // 0 unticked, 1 ticked. Setting it does not run the click handler.
    int value() const { return value_; }
    void setValue(int v);
    void click() override;  // toggles, then onClick
    bool keyDown(const platform::KeyEvent& e) override;
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;
    std::string describe() const override;

private:
    int value_ = 0;
};

class OptionButton : public CaptionedControl {
public:
    OptionButton(std::string name, int index = -1);
    bool value() const { return value_; }
    // Choosing one clears the others of its container; no click handler runs.
    void setValue(bool v);
    // Chooses it; the click handler runs when that is a change.
    void click() override;
    // Arrows move the choice through the group.
    bool keyDown(const platform::KeyEvent& e) override;
    bool tabStop() const override;
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;
    std::string describe() const override;

private:
    std::vector<OptionButton*> group() const;
    bool value_ = false;
};

}  // namespace vel::forms
