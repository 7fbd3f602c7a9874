#include "fullview/frm_fullview.h"

#include <string>

#include "core/app.h"
#include "fullview/hardware_pages.h"
#include "fullview/memory_page.h"
#include "fullview/network_pages.h"
#include "fullview/panel_style.h"
#include "fullview/processor_pages.h"
#include "window/window_services.h"

namespace vel {

using namespace fullview;

namespace {

const char* const kScreenCaptions[5] = {"Single Processor Data", "Processors Summary", "Network Statistics",
                                        "Memory Data", "Miscellaneous Data"};

struct SubView {
    const char* tip;
    const char* caption;
};
// Each screen's sub-views: the button's tooltip and its short caption.
const SubView kProcessorSubViews[1] = {{"Summary", "SUM"}};
const SubView kSummarySubViews[2] = {{"Summary", "SUM"}, {"Processors Activity", "ACT"}};
const SubView kNetworkSubViews[3] = {
    {"IP Statistics", "IP"}, {"ICMP Statistics", "ICMP"}, {"TCP\\UDP Statistics", "T\\U"}};
const SubView kHardwareSubViews[3] = {
    {"Motherboard\\BIOS Information", "M\\B"}, {"Video\\Monitor Information", "V\\M"}, {"Keyboard\\Mouse Information", "K\\M"}};

const SubView* subViewsOf(std::int16_t screen) {
    switch (screen) {
        case kSingleProcessor: return kProcessorSubViews;
        case kProcessorsSummary: return kSummarySubViews;
        case kNetwork: return kNetworkSubViews;
        case kMemory: return kProcessorSubViews;  // one "Summary" too
        case kHardware: return kHardwareSubViews;
        default: return nullptr;
    }
}

// The screen button that stands for a screen (5 and 6 are buttons 3 and 4).
int buttonOfScreen(std::int16_t screen) {
    switch (screen) {
        case kMemory: return 3;
        case kHardware: return 4;
        default: return screen;
    }
}

// A caption over a button picture, from inset to the button's right edge
// and centred in its height; it lies above the button, so it passes its
// clicks on.
forms::Label& buttonCaption(forms::PictureBox& skin, const char* name, int index, const forms::Image& button,
                            int inset, bool bold) {
    forms::Label& l = skin.add<forms::Label>(name, index);
    gfx::FontSpec f = fontFor(TextRole::Small);
    f.bold = bold;
    const int h = gfx::lineHeight(f);
    l.setFont(f);
    l.move(button.left() + inset, button.top() + (button.height() - h) / 2, button.width() - inset - 1, h);
    l.setForeColor(kValueColour);
    return l;
}

std::string screenPicture(int button, bool pressed) {
    return "fv_screen_" + std::to_string(button) + (pressed ? "_down.png" : ".png");
}

}  // namespace

namespace fullview {

int subViewCount(std::int16_t screen) {
    switch (screen) {
        case kSingleProcessor: return 1;
        case kProcessorsSummary: return 2;
        case kNetwork: return 3;
        case kMemory: return 1;
        case kHardware: return 3;
        default: return 0;
    }
}

std::int16_t translateScreen(std::int16_t screen) {
    if (screen == 3) return kMemory;
    if (screen == 4) return kHardware;
    return screen;
}

}  // namespace fullview

FrmFULLVIEW::FrmFULLVIEW(App& app) : Form(app.ui, "frmFULLVIEW"), pdh(app.os.sources()), app_(app) {
    // A window to read and leave with Esc: it takes the keyboard when shown.
    setTakesFocus(true);
    onKeyDown = [this](const platform::KeyEvent& e) {
        constexpr int kEscape = 27;
        if (e.keyCode != kEscape) return false;
        btnExit_Click();
        return true;
    };
    setCaption(app.titleFor("Full View"));
    picMainSkin = &add<forms::PictureBox>("picMainSkin");
    picMainSkin->onMouseDown = [this](const forms::MouseArgs&) { dragWindow(); };

    for (int i = 0; i < kPanelCount; ++i) {
        picMod[i] = &picMainSkin->add<forms::PictureBox>("picMod", i);
        picMod[i]->move(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
        picMod[i]->setVisible(false);
        picMod[i]->onMouseDown = [this](const forms::MouseArgs&) { dragWindow(); };
    }
    processorPages = std::make_unique<FvProcessorPages>(app, *picMod[kPanelProcessor], *picMod[kPanelSummary],
                                                        *picMod[kPanelActivity]);
    networkPages = std::make_unique<FvNetworkPages>(app.os.sources(), *picMod[kPanelIP], *picMod[kPanelICMP], *picMod[kPanelTCPUDP]);
    memoryPage = std::make_unique<FvMemoryPage>(app, *picMod[kPanelMemory]);
    hardwarePages = std::make_unique<FvHardwarePages>(*picMod[kPanelHardware]);
    memoryPage->onMemtideStarted = [this] { unload(); };
    for (int i = 0; i < 4; ++i) processorPages->lblCPUOpt[i]->onClick = [this, i] { lblCPUOpt_Click(i); };
    for (int i = 0; i < 2; ++i) {
        networkPages->lblIPOpt[i]->onClick = [this, i] { lblNetOpt_Click(i); };
        networkPages->lblICMPOpt[i]->onClick = [this, i] { lblNetOpt_Click(i); };
        networkPages->lblTCPUDPOpt[i]->onClick = [this, i] { lblNetOpt_Click(i); };
    }

    for (int i = 0; i < 5; ++i) {
        const int top = kScreenButtonTop + i * kScreenButtonPitch;
        btnSelect[i] = &picMainSkin->add<forms::Image>("btnSelect", i);
        btnSelect[i]->move(kScreenButtonLeft, top, kScreenButtonWidth, kScreenButtonHeight);
        btnSelect[i]->onClick = [this, i] { btnSelect_Click(i); };
        btnFV[i] = &buttonCaption(*picMainSkin, "btnFV", i, *btnSelect[i], kScreenIconWidth, false);
        btnFV[i]->setCaption(kScreenCaptions[i]);
        btnFV[i]->onClick = [this, i] { btnFV_Click(i); };
    }
    for (int i = 0; i < 3; ++i) {
        btnTSelect[i] = &picMainSkin->add<forms::Image>("btnTSelect", i);
        btnTSelect[i]->move(kSubButtonLeft + i * kSubButtonPitch, kSubButtonTop, kSubButtonWidth, kSubButtonHeight);
        btnTSelect[i]->onClick = [this, i] { btnTSelect_Click(i); };
        btnTFV[i] = &buttonCaption(*picMainSkin, "btnTFV", i, *btnTSelect[i], 1, true);
        btnTFV[i]->setAlignment(forms::Alignment::Center);
        btnTFV[i]->onClick = [this, i] { btnTFV_Click(i); };
    }
    btnExit = &picMainSkin->add<forms::PictureButton>("btnExit");
    btnExit->move(kExitLeft, kExitTop, kExitSize, kExitSize);
    btnExit->setToolTipText("Close");
    btnExit->onClick = [this] { btnExit_Click(); };

    tmrProcessors = &addTimer("tmrProcessors", 100, false);
    tmrCycles = &addTimer("tmrCycles", 1000, false);
    tmrIP = &addTimer("tmrIP", 200, false);
    tmrICMP = &addTimer("tmrICMP", 200, false);
    tmrTCPUDP = &addTimer("tmrTCPUDP", 200, false);
    tmrMemory = &addTimer("tmrMemory", 200, false);
    tmrMemory->onTimer = [this] { memoryPage->update(); };
    tmrProcessors->onTimer = [this] { processorPages->tick(pdh); };
    tmrCycles->onTimer = [this] { processorPages->estimateSpeed(); };
    tmrIP->onTimer = [this] { networkPages->ipTick(app_.fullViewNav.sType); };
    tmrICMP->onTimer = [this] { networkPages->icmpTick(app_.fullViewNav.sType); };
    tmrTCPUDP->onTimer = [this] { networkPages->tcpUdpTick(app_.fullViewNav.sType); };
}

FrmFULLVIEW::~FrmFULLVIEW() = default;

void FrmFULLVIEW::onLoad() {
    forms::Runtime& ui = app_.ui;
    const Pixels& skin = ui.picture("fv_skin.png");
    picMainSkin->move(0, 0, skin.width, skin.height);  // sized to its picture
    picMainSkin->setPicture(skin);
    for (forms::PictureBox* p : picMod) p->setPicture(ui.picture("fv_panel.png"));
    btnExit->setPictures(ui.picture("fv_exit.png"), ui.picture("fv_exit_down.png"));
    memoryPage->loadPictures();

    shapeToSkin(app_, *this, *picMainSkin);
    const double screenWidth = static_cast<double>(os().screenSize().width) * forms::kTwipsPerPixel;
    move((screenWidth - width()) / 2, 3000);

    pdh.close();
    SetFVScreen();
    if (app_.settings.ALWAYSOT) makeTopMost(*this);
}

void FrmFULLVIEW::onUnload() {
    pdh.close();
    os().doEvents();
}

void FrmFULLVIEW::dragWindow() {
    if (!loaded()) return;
    os().systemDrag(window());
    syncFromWindow();
}

int FrmFULLVIEW::shownPanel() const {
    for (int i = 0; i < kPanelCount; ++i)
        if (picMod[i]->visible()) return i;
    return kPanelCount;
}

void FrmFULLVIEW::setSubViewButtons(std::int16_t screen, std::int16_t subView) {
    forms::Runtime& ui = app_.ui;
    const SubView* views = subViewsOf(screen);
    const int count = subViewCount(screen);
    for (int i = 0; i < 3; ++i) {
        const bool on = i < count;
        btnTSelect[i]->setPicture(ui.picture(!on ? "fv_sub_off.png" : i == subView ? "fv_sub_down.png" : "fv_sub.png"));
        btnTSelect[i]->setEnabled(on);
        btnTFV[i]->setEnabled(on);
        btnTSelect[i]->setToolTipText(on ? views[i].tip : "");
        btnTFV[i]->setToolTipText(on ? views[i].tip : "");
        btnTFV[i]->setCaption(on ? views[i].caption : "");
        btnTFV[i]->setForeColor(i == subView && on ? kLinkColour : kValueColour);
    }
}

void FrmFULLVIEW::SetFVScreen() {
    forms::Runtime& ui = app_.ui;
    for (forms::Timer* t : allTimers()) t->setEnabled(false);
    for (forms::PictureBox* p : picMod) {
        p->setVisible(false);
        p->move(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
    }
    const int pressed = buttonOfScreen(app_.fullViewNav.screen);
    for (int i = 0; i < 5; ++i) {
        btnSelect[i]->setPicture(ui.picture(screenPicture(i, i == pressed)));
        btnFV[i]->setForeColor(i == pressed ? kLinkColour : kValueColour);
    }
    app_.fullViewNav.screen = translateScreen(app_.fullViewNav.screen);
    const std::int16_t screen = app_.fullViewNav.screen, subView = app_.fullViewNav.subView;
    setSubViewButtons(screen, subView);

    switch (screen) {
        case kSingleProcessor:
            processorPages->showSingle();
            if (subView == 0) {
                picMod[kPanelProcessor]->setVisible(true);
                tmrCycles->setEnabled(true);
            }
            tmrProcessors->setEnabled(true);
            break;
        case kProcessorsSummary:
            if (subView == 0) {
                app_.fullViewNav.sType = 99;
                processorPages->showSummary();
                picMod[kPanelSummary]->setVisible(true);
            } else if (subView == 1) {
                app_.fullViewNav.sType = 98;
                picMod[kPanelActivity]->setVisible(true);
            }
            tmrProcessors->setEnabled(true);
            break;
        case kNetwork: {
            forms::Timer* timers[3] = {tmrIP, tmrICMP, tmrTCPUDP};
            if (subView >= 0 && subView <= 2) {
                picMod[kPanelIP + subView]->setVisible(true);
                timers[subView]->setEnabled(true);
            }
            break;
        }
        case kMemory:
            picMod[kPanelMemory]->setVisible(true);
            memoryPage->update();
            tmrMemory->setEnabled(true);
            break;
        case kHardware:
            if (subView >= 0 && subView <= 2) hardwarePages->showSubView(subView);
            picMod[kPanelHardware]->setVisible(true);
            break;
        default: break;
    }
    Set_sType();
    invalidate();
}

void FrmFULLVIEW::Set_sType() {
    switch (app_.fullViewNav.screen) {
        case kSingleProcessor:
        case kProcessorsSummary: processorPages->setUp(pdh); break;
        case kNetwork: networkPages->setUp(app_.fullViewNav.subView, app_.fullViewNav.sType); break;
        case kMemory: memoryPage->setUp(); break;
        case kHardware:
            if (app_.fullViewNav.subView >= 0 && app_.fullViewNav.subView <= 2) hardwarePages->setUp(app_.inventory, app_.fullViewNav.subView);
            break;
        default: break;
    }
    invalidate();
}

void FrmFULLVIEW::btnSelect_Click(int index) {
    pdh.close();
    app_.fullViewNav.screen = static_cast<std::int16_t>(index);
    app_.fullViewNav.subView = 0;
    app_.fullViewNav.sType = index == 1 ? 99 : 0;
    SetFVScreen();
}

void FrmFULLVIEW::btnTSelect_Click(int index) {
    app_.fullViewNav.subView = static_cast<std::int16_t>(index);
    const bool rebuilds = (app_.fullViewNav.screen == kSingleProcessor && index == 0) ||
                          (app_.fullViewNav.screen == kProcessorsSummary && (index == 0 || index == 1));
    if (app_.fullViewNav.screen == kSingleProcessor || app_.fullViewNav.screen == kProcessorsSummary) {
        if (!rebuilds) return;  // only the sub-view is recorded
        pdh.close();
    }
    app_.fullViewNav.sType = 0;
    SetFVScreen();
}

void FrmFULLVIEW::lblCPUOpt_Click(int index) {
    app_.fullViewNav.sType = static_cast<std::int16_t>(index);
    pdh.close();
    Set_sType();
}

void FrmFULLVIEW::lblNetOpt_Click(int index) {
    app_.fullViewNav.sType = static_cast<std::int16_t>(index);
    Set_sType();
}

void FrmFULLVIEW::btnExit_Click() {
    for (forms::Timer* t : allTimers()) t->setEnabled(false);
    os().doEvents();
    unload();
}

void showFullView(App& app, std::int16_t screen, std::int16_t subView, std::int16_t sType) {
    app.fullViewNav = {screen, subView, sType};
    if (app.fullView && app.fullView->loaded()) {
        app.os.bringToFront(app.fullView->window());
        return;
    }
    // Created on demand: a closed window starts afresh.
    app.fullView = std::make_unique<FrmFULLVIEW>(app);
    app.fullView->show();
}

}  // namespace vel
