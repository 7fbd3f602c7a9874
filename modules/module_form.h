// What the module windows share: the skin frame and its face surface, the
// load steps around the style, and the mouse family (drag, wake,
// double-click).
#pragma once

#include <functional>
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

protected:
    ModuleForm(App& app, const std::string& name, WindowSlot slot, const std::string& toolTip);

    // Press drags the window, moving over it wakes the modules, and a
    // double-click runs onDouble (when given).
    void wireMouse(forms::Control& control, std::function<void()> onDouble);
    // The first load steps: skin, size and region, then the window's place
    // (stacked as its row of the window table says, or the saved place).
    void loadFrame();
    // The closing load steps: always-on-top, then the awake opacity.
    void finishLoad();
    // Opens the Full View on one of its screens.
    void openFullView(std::int16_t screen);

    App& app_;

private:
    WindowSlot slot_;
};

}  // namespace vel
