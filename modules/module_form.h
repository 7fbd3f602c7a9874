// What the memory, network, mouse and clock windows share: the skin frame
// and its face surface, the load steps around the style, and the mouse
// family (drag, wake, double-click).
#pragma once

#include <functional>
#include <initializer_list>
#include <string>

#include "core/app.h"
#include "forms/form.h"
#include "forms/picture_box.h"

namespace vel {

// The small sans-serif face of the module captions.
gfx::FontSpec moduleCaptionFont();

class ModuleForm : public forms::Form {
public:
    forms::PictureBox* picMainSkin;
    forms::PictureBox* picMod;

    WindowSlot slot() const { return slot_; }
    // The face and colours of the module's style code (at load, and when
    // the options dialog picks another style).
    virtual void dressForStyle() {}
    int posIndex() const { return posIndex_; }

protected:
    ModuleForm(App& app, const std::string& name, WindowSlot slot, int posIndex, const std::string& toolTip);

    // Press drags the window, moving over it wakes the modules, and a
    // double-click runs onDouble (when given).
    void wireMouse(forms::Control& control, std::function<void()> onDouble);
    // Load steps 1-3: skin, size and region, then the window's place
    // (stacked on the nearest loaded window of the list, or the saved place).
    void loadFrame(std::initializer_list<WindowSlot> stackList);
    // The closing load steps: always-on-top, then the awake opacity.
    void finishLoad();
    // Opens the Full View on one of its screens.
    void openFullView(std::int16_t screen);

    App& app_;

private:
    WindowSlot slot_;
    int posIndex_;
};

}  // namespace vel
