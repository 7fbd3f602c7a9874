// The frame and the tab strip: the dialog's grouping controls.
#pragma once

#include <string>
#include <vector>

#include "forms/buttons.h"
#include "forms/control.h"

namespace vel::forms {

// A captioned, etched box that holds other controls (and so also groups
// option buttons).
class Frame : public Control, public Container {
public:
    Frame(std::string name, int index = -1);
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    bool takesMouse() const override { return false; }
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;
    Form* containerForm() override { return form(); }
    Control* asControl() override { return this; }
    std::string describe() const override;

private:
    std::string caption_;
};

// A row of tabs over a panel. The pages are separate controls laid over
// the panel; the click handler shows the one of the selected tab.
class TabStrip : public Control {
public:
    struct Tab {
        std::string caption, key, toolTip;
    };
    TabStrip(std::string name, int index = -1);
    void addTab(const std::string& caption, const std::string& key, const std::string& toolTip);
    const std::vector<Tab>& tabs() const { return tabs_; }
    int tabCount() const { return static_cast<int>(tabs_.size()); }
    // 1-based position of the selected tab (0 with none).
    int selectedIndex() const { return selected_; }
    // Selects without running the click handler.
    void select(int position);
    // The panel's inner area, in the parent's pixels.
    int panelTop() const;

    bool focusable() const override { return true; }
    bool keyDown(const platform::KeyEvent& e) override;
    void pressAt(int x, int y) override;
    void hoverAt(int x, int y) override;
    void click() override {}
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override;
    std::string describe() const override;

private:
    int tabAt(int x, int y) const;
    int tabLeft(int position) const;
    int tabWidth(int position) const;
    void choose(int position);
    std::vector<Tab> tabs_;
    int selected_ = 0;
};

}  // namespace vel::forms
