#include "modules/frm_cpu.h"

#include <cstdio>

#include "fullview/frm_fullview.h"
#include "window/placement.h"
#include "window/window_services.h"

namespace vel {

namespace {

constexpr int kAllIndex = 4;
const char* const kFormNames[5] = {"frmCPU0", "frmCPU1", "frmCPU2", "frmCPU3", "frmCPUAll"};
const char* const kCaptions[5] = {"CPU 0", "CPU 1", "CPU 2", "CPU 3", "AVG"};
const char* const kTitles[5] = {"CPU 0", "CPU 1", "CPU 2", "CPU 3", "All Processors"};

const Colour kLcdGreen = rgb(0, 193, 1);
const Colour kBlack = rgb(0, 0, 0);
const Colour kWhite = rgb(255, 255, 255);

std::string toolTip(int index) {
    if (index == kAllIndex) return "All Processors Averaged (Double-click for info...)";
    return "Processor " + std::to_string(index) + " (Double-click for info...)";
}

gfx::FontSpec arialBold(double sizePt) {
    gfx::FontSpec f;
    f.name = "Arial";
    f.sizePt = sizePt;
    f.bold = true;
    return f;
}

void showLabel(forms::Label& l, int left, int top, int width, Colour text) {
    l.setLeft(left);
    l.setTop(top);
    l.setWidth(width);
    l.setForeColor(text);
    l.setVisible(true);
}

void showCover(forms::Shape& s, int left, int top, int width, int height, Colour cover) {
    s.move(left, top, width, height);
    s.setBackColor(cover);
    s.setVisible(true);
}

}  // namespace

std::string cpuFaceFile(std::int16_t code) {
    if (code < 0 || code >= kCpuStyleCount) return "";
    char name[32];
    std::snprintf(name, sizeof name, "cpu_face_%02d.png", static_cast<int>(code));
    return name;
}

FrmCPU::FrmCPU(App& app, int index) : Form(app.ui, kFormNames[index]), app_(app), index_(index) {
    setCaption(windowTitle(kTitles[index]));
    const std::string tip = toolTip(index);

    picHolder = &add<forms::PictureBox>("picHolder");
    picHolder->move(68, 2, 60, 23);

    picMainSkin = &add<forms::PictureBox>("picMainSkin");
    picMainSkin->move(0, 0, 65, 29);
    picMainSkin->setBackColor(kWhite);
    picMainSkin->setToolTipText(tip);

    picMod = &picMainSkin->add<forms::PictureBox>("picMod");
    picMod->move(3, 3, 60, 23);
    picMod->setBackColor(kWhite);
    picMod->setForeColor(kWhite);
    picMod->setToolTipText(tip);

    // The cover and the needle lie under the labels: the tachometer's
    // number sits on its cover.
    shpTC = &picMod->add<forms::Shape>("shpTC");
    shpTC->move(8, 2, 15, 20);
    shpTC->setBackColor(kBlack);
    shpTC->setBackOpaque(true);
    shpTC->setBorder(false);
    shpTC->setVisible(false);

    lnVU = &picMod->add<forms::Line>("lnVU");
    lnVU->setPoints(13, 11, 30, 22);
    lnVU->setBorderColor(rgb(64, 64, 64));
    lnVU->setVisible(false);

    lblPNum = &picMod->add<forms::Label>("lblPNum");
    lblPNum->move(24, 1, 29, 8);
    lblPNum->setCaption(kCaptions[index]);
    lblPNum->setForeColor(kLcdGreen);
    lblPNum->setFont(arialBold(6));
    lblPNum->setAlignment(forms::Alignment::Center);
    lblPNum->setOpaque(false);
    lblPNum->setVisible(false);
    lblPNum->setToolTipText(tip);

    lblCPU = &picMod->add<forms::Label>("lblCPU");
    lblCPU->move(28, 11, 20, 9);
    lblCPU->setCaption("100");
    lblCPU->setForeColor(kWhite);
    lblCPU->setFont(arialBold(6.75));
    lblCPU->setAlignment(forms::Alignment::Center);
    lblCPU->setOpaque(false);
    lblCPU->setVisible(false);
    lblCPU->setToolTipText(tip);

    view_ = CpuModuleView{picMod, lnVU, shpTC, lblCPU, picHolder};

    wireMouse(*picMainSkin, false);
    wireMouse(*picMod, true);
    wireMouse(*lblCPU, true);
    wireMouse(*lblPNum, true);

    app.setWindow(slot(), this);
}

WindowSlot FrmCPU::slot() const { return static_cast<WindowSlot>(static_cast<int>(WindowSlot::Cpu0) + index_); }

void FrmCPU::wireMouse(forms::Control& control, bool opensFullView) {
    control.onMouseDown = [this](const forms::MouseArgs&) { dragWindow(app_, *this, index_); };
    control.onMouseMove = [this](const forms::MouseArgs&) { WakeModules(app_); };
    // A double-click on the skin frame outside the surface does nothing.
    if (opensFullView) control.onDblClick = [this] { openFullView(); };
}

void FrmCPU::openFullView() {
    if (index_ == kAllIndex)
        showFullView(app_, 1, 0, 99);
    else
        showFullView(app_, 0, 0, static_cast<std::int16_t>(index_));
}

void FrmCPU::place() {
    const Settings& s = app_.settings;
    switch (index_) {
        case 0: move(s.PosX[0], s.PosY[0]); break;  // the head of the chain ignores PLCMNT
        case 1: placeOnLoad(app_, *this, 1, {WindowSlot::Cpu0}); break;
        case 2: placeOnLoad(app_, *this, 2, {WindowSlot::Cpu1, WindowSlot::Cpu0}); break;
        case 3: placeOnLoad(app_, *this, 3, {WindowSlot::Cpu2, WindowSlot::Cpu1, WindowSlot::Cpu0}); break;
        default:
            placeOnLoad(app_, *this, kAllIndex,
                        {WindowSlot::Cpu3, WindowSlot::Cpu2, WindowSlot::Cpu1, WindowSlot::Cpu0});
            break;
    }
}

void FrmCPU::applyStyle(std::int16_t code) {
    // Tested as a chain; the first matching row applies. Codes 6-12 draw
    // straight on the face and show no control.
    if (code >= 0 && code <= 3) {
        static const Colour kNeedle[4] = {rgb(127, 127, 127), rgb(5, 57, 115), rgb(61, 109, 9), rgb(252, 207, 80)};
        lnVU->setBorderColor(kNeedle[code]);
        lnVU->setVisible(true);
    } else if (code == 4 || code == 5) {
        showLabel(*lblCPU, 10, 11, 44, code == 4 ? kLcdGreen : rgb(5, 57, 115));
        showCover(*shpTC, 9, 4, 43, 12, code == 4 ? kBlack : rgb(103, 186, 218));
    } else if (code == 13 || code == 15) {
        showCover(*shpTC, 8, 2, 45, 20, kBlack);
    } else if (code == 14) {
        showLabel(*lblCPU, 8, 11, 44, kLcdGreen);
        showCover(*shpTC, 8, 2, 45, 8, kBlack);
    } else if (code == 16) {
        showLabel(*lblCPU, 28, 11, 20, kLcdGreen);
        lblPNum->setVisible(true);
        showCover(*shpTC, 8, 2, 15, 20, kBlack);
    } else if (code == 17) {
        showLabel(*lblCPU, 10, 6, 44, kBlack);
    }
}

void FrmCPU::dressForStyle() {
    lblCPU->setVisible(false);
    lblPNum->setVisible(false);
    lnVU->setVisible(false);
    shpTC->setVisible(false);

    const std::int16_t code = app_.settings.mTyp[index_];
    const std::string face = cpuFaceFile(code);
    // A code without a face keeps the surface it has and no style row.
    if (!face.empty()) {
        picMod->setPicture(app_.ui.picture(face));
        applyStyle(code);
    }
}

void FrmCPU::onLoad() {
    forms::Runtime& ui = app_.ui;
    picMainSkin->setPicture(ui.picture("module_skin.png"));
    picHolder->setPicture(ui.picture("cpu_holder.png"));

    shapeToSkin(app_, *this, *picMainSkin);
    place();
    dressForStyle();

    if (app_.settings.ALWAYSOT) makeTopMost(*this);
    MakeTranslucent(*this, app_.settings.TLUCENTZOn);
}

}  // namespace vel
