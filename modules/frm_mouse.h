// The mouse module frmMouse (module index 7): a screen colour picker. The
// swatch takes the colour of the pixel under the pointer and three labels
// show its red, green and blue parts.
#pragma once

#include <array>
#include <cstdint>

#include "forms/graphic_controls.h"
#include "modules/module_form.h"

namespace vel {

class FrmMouse : public ModuleForm {
public:
    explicit FrmMouse(App& app);

    std::array<forms::Label*, 3> lblRGB;
    forms::Shape* shpMSE;

    // The mouse tick's work for one probed colour (0x00BBGGRR, or -1 when
    // the pixel could not be read).
    void showColour(std::int32_t colour);
    void dressForStyle() override;
    // The captions' colour for the style code mTyp7.
    void colourLabels();

protected:
    void onLoad() override;
};

// The last six hexadecimal digits of a colour, upper case, padded with
// zeros: BBGGRR. -1 gives "FFFFFF".
std::string colourHexDigits(std::int32_t colour);

}  // namespace vel
