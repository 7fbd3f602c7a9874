#include "modules/frm_mouse.h"

#include <cstdio>

#include "core/vb.h"
#include "modules/image_lists.h"

namespace vel {

namespace {

constexpr int kFullViewHardware = 6;
const Colour kLabelColour[5] = {rgb(0, 193, 1), rgb(5, 57, 115), rgb(127, 127, 127), rgb(61, 109, 9),
                                rgb(252, 207, 80)};
const char* const kDesignCaption[3] = {"R: 000", "G: 000", "B: 000"};

}  // namespace

std::string colourHexDigits(std::int32_t colour) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(colour));
    const std::string h = std::string("000000") + hex;
    return h.substr(h.size() - 6);
}

FrmMouse::FrmMouse(App& app) : ModuleForm(app, "frmMouse", WindowSlot::Mouse, "Mouse (Double-click for info...)") {
    setCaption(app.titleFor("Mouse"));
    const std::string tip = picMod->toolTipText();
    const auto fullView = [this] { openFullView(kFullViewHardware); };
    shpMSE = &picMod->add<forms::Shape>("shpMSE");
    shpMSE->move(8, 2, 10, 20);
    shpMSE->setBackOpaque(true);
    shpMSE->setBackColor(rgb(255, 255, 255));
    shpMSE->setBorder(false);
    for (int i = 0; i < 3; ++i) {
        lblRGB[i] = &picMod->add<forms::Label>("lblRGB", i);
        lblRGB[i]->move(27, 2 + 6 * i, 23, 8);
        lblRGB[i]->setCaption(kDesignCaption[i]);
        lblRGB[i]->setForeColor(rgb(255, 255, 255));
        lblRGB[i]->setFont(moduleCaptionFont());
        lblRGB[i]->setAlignment(forms::Alignment::Right);
        lblRGB[i]->setOpaque(false);
        lblRGB[i]->setToolTipText(tip);
        wireMouse(*lblRGB[i], fullView);
    }
    wireMouse(*picMainSkin, nullptr);
    wireMouse(*picMod, fullView);
}

void FrmMouse::onLoad() {
    forms::Runtime& ui = app_.ui;
    picMod->setPicture(ui.picture(mseImageFile(1)));
    loadFrame();
    dressForStyle();
    finishLoad();
}

void FrmMouse::dressForStyle() {
    const int code = app_.settings.mTyp[7];
    if (code >= 0 && code <= 4) picMod->setPicture(app_.ui.picture(mseImageFile(code + 1)));
    colourLabels();
}

void FrmMouse::colourLabels() {
    const int code = app_.settings.mTyp[7];
    if (code >= 0 && code <= 4)
        for (forms::Label* l : lblRGB) l->setForeColor(kLabelColour[code]);
}

void FrmMouse::showColour(std::int32_t colour) {
    // -1 is no colour a shape can take; the swatch keeps the last one.
    if (colour >= 0 && colour <= 0xFFFFFF) shpMSE->setBackColor(static_cast<Colour>(colour));
    const std::string h = colourHexDigits(colour);
    lblRGB[0]->setCaption("R: " + std::to_string(HexToDecimal(h.substr(4, 2))));
    lblRGB[1]->setCaption("G: " + std::to_string(HexToDecimal(h.substr(2, 2))));
    lblRGB[2]->setCaption("B: " + std::to_string(HexToDecimal(h.substr(0, 2))));
}

}  // namespace vel
