#include "core/frm_main.h"

#include "core/app.h"
#include "core/frm_hidden.h"
#include "options/frm_options.h"
#include "sources/cpu_usage.h"
#include "window/placement.h"
#include "window/sibling_tools.h"
#include "window/window_services.h"

namespace vel {

namespace {
struct ButtonArt {
    const char* normal;
    const char* pressed;
    const char* tip;
    int left;
};
const ButtonArt kOptButtons[3] = {
    {"main_btn_memtide.png", "main_btn_memtide_down.png", "Open Memtide...", 4},
    {"main_btn_logscope.png", "main_btn_logscope_down.png", "Open Logscope...", 17},
    {"main_btn_options.png", "main_btn_options_down.png", "Velmora configuration...", 30},
};
constexpr int kButtonTop = 8, kButtonSize = 13;
}  // namespace

FrmMain::FrmMain(App& app) : Form(app.ui, "frmMain"), app_(app) {
    setCaption(app.titleFor(""));
    picMainSkin = &add<forms::PictureBox>("picMainSkin");
    picMainSkin->move(0, 0, 65, 29);
    picMainSkin->setToolTipText(app.withHost("Double-click for system info..."));
    for (int i = 0; i < 3; ++i) {
        btnOpt[i] = &picMainSkin->add<forms::PictureButton>("btnOpt", i);
        btnOpt[i]->move(kOptButtons[i].left, kButtonTop, kButtonSize, kButtonSize);
        btnOpt[i]->setToolTipText(kOptButtons[i].tip);
        btnOpt[i]->onClick = [this, i] { btnOpt_Click(i); };
        btnOpt[i]->onMouseMove = [this](const forms::MouseArgs&) { WakeModules(app_); };
    }
    btnExit = &picMainSkin->add<forms::PictureButton>("btnExit");
    btnExit->move(48, kButtonTop, kButtonSize, kButtonSize);
    btnExit->setToolTipText("Close Velmora");
    btnExit->onClick = [this] { btnExit_Click(); };
    btnExit->onMouseMove = [this](const forms::MouseArgs&) { WakeModules(app_); };

    picMainSkin->onMouseDown = [this](const forms::MouseArgs&) { dragWindow(app_, *this, WindowSlot::Main); };
    picMainSkin->onMouseMove = [this](const forms::MouseArgs&) { WakeModules(app_); };
    picMainSkin->onDblClick = [this] { picMainSkin_DblClick(); };
}

void FrmMain::onLoad() {
    forms::Runtime& ui = app_.ui;
    picMainSkin->setPicture(ui.picture("main_skin.png"));
    for (int i = 0; i < 3; ++i) btnOpt[i]->setPictures(ui.picture(kOptButtons[i].normal), ui.picture(kOptButtons[i].pressed));
    btnExit->setPictures(ui.picture("main_btn_exit.png"), ui.picture("main_btn_exit_down.png"));

    shapeToSkin(app_, *this, *picMainSkin);
    const Settings& s = app_.settings;
    placeOnLoad(app_, *this, WindowSlot::Main);
    if (s.ALWAYSOT) makeTopMost(*this);
    refresh();
    os().doEvents();
    MakeTranslucent(*this, s.TLUCENTZOn);
}

void FrmMain::onUnload() {
    // The samplers close their counters; then the process ends at once.
    for (int n = 0; n < app_.processorCount && n < 4; ++n) app_.samplers[n].reset();
    app_.end(0);
}

void FrmMain::btnOpt_Click(int index) {
    switch (index) {
        case 0: launchSiblingTool(app_.os, app_.appPath, SiblingTool::Memtide); break;
        case 1: launchSiblingTool(app_.os, app_.appPath, SiblingTool::Logscope); break;
        case 2: showOptions(app_); break;
        default: break;
    }
}

void FrmMain::btnExit_Click() {
    int answer = app_.os.messageBox("Do you really want to close VELMORA v2?", kMakerTitle,
                                    platform::mb::YesNo | platform::mb::DefaultButton2 | platform::mb::Exclamation);
    if (answer == platform::mb::IdYes) shutDown(app_);
}

void FrmMain::picMainSkin_DblClick() { app_.openFullView(6, 0, 0); }

void shutDown(App& app) {
    for (const WindowRow& w : kWindows) {
        forms::Form* f = app.window(w.slot);
        if (f && w.isModule() && app.settings.Visi[w.visi]) f->unload();
    }
    if (app.engine) app.engine->unload();
    if (app.mainBar) app.mainBar->unload();
    // Also when the main bar was never loaded (a session ending during start-up).
    app.end(0);
}

}  // namespace vel
