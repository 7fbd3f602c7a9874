#include "options/frm_options.h"

#include <string>

#include "core/app.h"
#include "core/frm_hidden.h"
#include "core/vb.h"
#include "core/version.h"
#include "engine/style_catalogue.h"
#include "forms/dialog_look.h"
#include "forms/runtime.h"
#include "modules/frm_mouse.h"
#include "modules/image_lists.h"
#include "modules/module_form.h"
#include "window/sibling_tools.h"
#include "window/window_services.h"

namespace vel {

namespace {

constexpr int kDialogWidth = 452, kDialogHeight = 374;  // client pixels

ModuleForm* moduleWindow(const App& app, int index) { return app.module(slotOfVisi(index)); }

// Picture (code + 1) of the engine's image list for the module's kind.
std::string previewFile(int index, int code) {
    if (index <= module::kCpuAll) {
        const CpuStyle* style = cpuStyle(static_cast<std::int16_t>(code));
        return style ? std::string(style->face) : std::string();
    }
    if (index == module::kNetwork) return netImageFile(code + 1);
    if (index == module::kMemory) return memImageFile(code + 1);
    return mseImageFile(code + 1);
}

template <class Rows, class NameOf>
void fillList(forms::ComboBox& box, const Rows& rows, NameOf nameOf) {
    box.clear();
    for (const auto& row : rows) box.addItem(std::string(nameOf(row)));
}

template <std::size_t N>
void fillList(forms::ComboBox& box, const std::array<std::string_view, N>& names) {
    fillList(box, names, [](std::string_view n) { return n; });
}

}  // namespace

FrmOptions::FrmOptions(App& app) : Form(app.ui, "frmOptions"), app_(app) {
    setDialog("VELMORA v2 Options");
    setBackColor(runtime().dialogLook().face);
    move(0, 0, kDialogWidth * forms::kTwipsPerPixel, kDialogHeight * forms::kTwipsPerPixel);
    buildFrame();
    wireHandlers();
}

void FrmOptions::wireHandlers() {
    tbsOptions->onClick = [this] { tbsOptions_Click(); };
    onKeyDown = [this](const platform::KeyEvent& e) { return Form_KeyDown(e.keyCode, e.shift); };
    for (forms::UpDown* ud : {udCPU, udNET, udMEM, udLoggingTime, udWriteTime, udLogDeleteTime})
        ud->onChange = [this, ud] { timing_Change(*ud); };
    sldTransON->onChange = [this] { sldTrans_Change(true); };
    sldTransOFF->onChange = [this] { sldTrans_Change(false); };
    for (int i = 0; i < 3; ++i) {
        optPlacement[i]->onClick = [this, i] { optPlacement_Click(i); };
        optVisibility[i]->onClick = [this, i] { optVisibility_Click(i); };
    }
    for (int i = 0; i < 4; ++i) optVCorner[i]->onClick = [this, i] { optVCorner_Click(i); };
    for (forms::CheckBox* box : {chkAOT, chkCapCPUs, chkCapNetwork, chkCapMemory, chkWriteUnsaved})
        box->onClick = [this, box] { flag_Click(*box); };
    chkStart->onClick = [this] { chkStart_Click(); };
    chkLogEnable->onClick = [this] { chkLogEnable_Click(); };
    cboNewFile->onClick = [this] { cboNewFile_Click(); };
    for (int i = 0; i < 9; ++i) chkModule[i]->onClick = [this, i] { chkModule_Click(i); };
    for (int i = 0; i < 8; ++i) cboModule[i]->onClick = [this, i] { cboModule_Click(i); };
    cmdLogscope->onClick = [this] { cmdLogscope_Click(); };
    cmdApply->onClick = [this] { cmdApply_Click(); };
    cmdOK->onClick = [this] { cmdOK_Click(); };
    cmdCancel->onClick = [this] { cmdCancel_Click(); };
    Command1->onClick = [this] { Command1_Click(); };
}

void FrmOptions::changed() { cmdApply->setEnabled(true); }

// --- load ------------------------------------------------------------------

void FrmOptions::onLoad() {
    const char* placements[3] = {"options_placement_horizontal.png", "options_placement_vertical.png",
                                 "options_placement_user.png"};
    for (int i = 0; i < 3; ++i) imgPlacement[static_cast<std::size_t>(i)]->setPicture(app_.ui.picture(placements[i]));
    picVisMon->setPicture(app_.ui.picture("options_monitor.png"));
    // Centred on the screen.
    const platform::Size screen = os().screenSize();
    move((screen.width * forms::kTwipsPerPixel - width()) / 2, (screen.height * forms::kTwipsPerPixel - height()) / 2);
    // Nothing fades while the dialog is open.
    for (const WindowRow& w : kWindows) {
        forms::Form* f = app_.window(w.slot);
        if (app_.IsFormLoaded(f)) MakeTranslucent(*f, 255);
    }
    if (FrmHidden* engine = app_.engine.get()) engine->tmrVSBL->setEnabled(false);
    // The pages show the settings as they are.
    fillGeneral();
    fillModules();
    fillLogging();
    // The program's own version information where the system reads it.
    const platform::VersionInfo resource = os().version();
    const bool fromResource = !resource.copyright.empty();
    const int minor = fromResource ? resource.minor : kVersion.minor;
    const int revision = fromResource ? resource.revision : kVersion.revision;
    lblVersion->setCaption("Build: " + std::to_string(minor) + "." + std::to_string(revision));
    lblCopyright->setCaption(fromResource ? resource.copyright : std::string(kVersionCopyright));
    // Only the processors this machine has can be chosen; nothing to apply yet.
    limitProcessors();
    cmdApply->setEnabled(false);
    focus(tbsOptions);
}

void FrmOptions::fillGeneral() {
    const Settings& s = app_.settings;
    chkStart->setValue(s.SWWN != 0 ? 1 : 0);
    // A stored value the controls do not have chooses nothing.
    if (s.PLCMNT >= 0 && s.PLCMNT < 3) optPlacement[s.PLCMNT]->setValue(true);
    if (s.VISIBLE >= 0 && s.VISIBLE < 3) optVisibility[s.VISIBLE]->setValue(true);
    if (s.CORNER >= 0 && s.CORNER < 4) optVCorner[s.CORNER]->setValue(true);
    chkAOT->setValue(s.ALWAYSOT ? 1 : 0);
    optVisibility_Click(s.VISIBLE);
    sldTransON->setValue(s.TLUCENTZOn);
    sldTransOFF->setValue(s.TLUCENTZOff);
    const std::int32_t clocks[3] = {s.CPUCLOCK, s.NETCLOCK, s.MEMCLOCK};
    forms::UpDown* downs[3] = {udCPU, udNET, udMEM};
    forms::Label* labels[3] = {lblCPUTime, lblNETTime, lblMEMTime};
    for (int i = 0; i < 3; ++i) {
        downs[i]->setValue(clocks[i]);
        labels[i]->setCaption(std::to_string(downs[i]->value()));
    }
}

void FrmOptions::fillModules() {
    const Settings& s = app_.settings;
    for (int i = 0; i < 9; ++i) {
        chkModule[i]->setValue(s.Visi[static_cast<std::size_t>(i)] ? 1 : 0);
        chkModule_Click(i);
    }
    for (int i = 0; i <= module::kCpuAll; ++i)
        fillList(*cboModule[i], cpuStyles(), [](const CpuStyle& style) { return style.name; });
    fillList(*cboModule[module::kNetwork], networkStyleNames());
    fillList(*cboModule[module::kMemory], memoryStyleNames());
    fillList(*cboModule[module::kMouse], mouseStyleNames());
    for (int i = 0; i < 8; ++i) {
        cboModule[i]->setListIndex(s.mTyp[static_cast<std::size_t>(i)]);
        showPreview(i);
    }
    if (FrmMouse* mouse = app_.mouse(); mouse && mouse->loaded())
        mouse->colourLabels();
}

void FrmOptions::fillLogging() {
    const Settings& s = app_.settings;
    chkLogEnable->setValue(s.LOGEnable ? 1 : 0);
    chkLogEnable_Click();
    chkCapCPUs->setValue(s.capCPU ? 1 : 0);
    chkCapNetwork->setValue(s.capNET ? 1 : 0);
    chkCapMemory->setValue(s.capMEM ? 1 : 0);
    udLoggingTime->setValue(s.LOGTiming);
    lblLogCapTime->setCaption(std::to_string(udLoggingTime->value()));
    udWriteTime->setValue(s.LOGWrite);
    lblLogWriteTime->setCaption(std::to_string(udWriteTime->value()));
    chkWriteUnsaved->setValue(s.LOGUnsaved ? 1 : 0);
    cboNewFile->clear();
    for (const char* every : {"1 Hour", "2 Hours", "4 Hours", "8 Hours"}) cboNewFile->addItem(every);
    cboNewFile->setListIndex(s.NEWLOG);
    udLogDeleteTime->setValue(s.DELLOG);
    lblLogDeleteTime->setCaption(std::to_string(udLogDeleteTime->value()));
}

void FrmOptions::limitProcessors() {
    // The modules of processors the machine does not have.
    int from = 0;
    switch (app_.processorCount) {
        case 1: from = 1; break;
        case 2: from = 2; break;
        case 3: from = 3; break;
        default: return;
    }
    const int to = app_.processorCount == 1 ? module::kCpuAll : 3;
    for (int i = from; i <= to; ++i) {
        chkModule[i]->setValue(0);
        app_.settings.Visi[static_cast<std::size_t>(i)] = false;
        chkModule_Click(i);
        chkModule[i]->setEnabled(false);
    }
}

// --- the handlers --------------------------------------------------------

void FrmOptions::tbsOptions_Click() {
    for (int i = 0; i < tbsOptions->tabCount(); ++i) picOptions[static_cast<std::size_t>(i)]->setVisible(i == tbsOptions->selectedIndex() - 1);
}

bool FrmOptions::Form_KeyDown(int keyCode, int shift) {
    if (shift != 2 || keyCode != 9) return false;
    const int next = tbsOptions->selectedIndex() >= tbsOptions->tabCount() ? 1 : tbsOptions->selectedIndex() + 1;
    tbsOptions->select(next);
    tbsOptions_Click();
    return true;
}

void FrmOptions::timing_Change(forms::UpDown& ud) {
    Settings& s = app_.settings;
    const int v = ud.value();
    if (&ud == udCPU) lblCPUTime->setCaption(std::to_string(v)), s.CPUCLOCK = v;
    else if (&ud == udNET) lblNETTime->setCaption(std::to_string(v)), s.NETCLOCK = v;
    else if (&ud == udMEM) lblMEMTime->setCaption(std::to_string(v)), s.MEMCLOCK = v;
    else if (&ud == udLoggingTime) {
        lblLogCapTime->setCaption(std::to_string(v));
        if (auto t = toInt16(v)) s.LOGTiming = *t;
    } else if (&ud == udWriteTime) {
        lblLogWriteTime->setCaption(std::to_string(v));
        if (auto t = toInt16(v)) s.LOGWrite = *t;
    } else if (&ud == udLogDeleteTime) {
        lblLogDeleteTime->setCaption(std::to_string(v));
        if (auto t = toByte(v)) s.DELLOG = *t;
    }
    changed();
}

void FrmOptions::sldTrans_Change(bool awake) {
    forms::Slider& slider = awake ? *sldTransON : *sldTransOFF;
    if (auto alpha = toByte(slider.value())) (awake ? app_.settings.TLUCENTZOn : app_.settings.TLUCENTZOff) = *alpha;
    changed();
}

void FrmOptions::optPlacement_Click(int index) {
    app_.settings.PLCMNT = static_cast<std::int16_t>(index);
    changed();
}

void FrmOptions::optVCorner_Click(int index) {
    app_.settings.CORNER = static_cast<std::int16_t>(index);
    changed();
}

void FrmOptions::optVisibility_Click(int index) {
    Settings& s = app_.settings;
    s.VISIBLE = static_cast<std::int16_t>(index);
    switch (index) {
        case 0:
            sldTransOFF->setMin(0);
            sldTransOFF->setVisible(false);
            Label2->setVisible(false);
            picVisMon->setVisible(false);
            break;
        case 1:
            Label2->setVisible(true);
            sldTransOFF->setVisible(true);
            sldTransOFF->setMin(1);
            if (s.TLUCENTZOff == 0) s.TLUCENTZOff = 1;
            picVisMon->setVisible(false);
            break;
        case 2:
            Label2->setVisible(true);
            sldTransOFF->setVisible(true);
            sldTransOFF->setMin(0);
            picVisMon->setVisible(true);
            break;
        default: break;
    }
    changed();
}

void FrmOptions::flag_Click(forms::CheckBox& box) {
    Settings& s = app_.settings;
    const bool ticked = box.value() == 1;
    if (&box == chkAOT) s.ALWAYSOT = ticked;
    else if (&box == chkCapCPUs) s.capCPU = ticked;
    else if (&box == chkCapNetwork) s.capNET = ticked;
    else if (&box == chkCapMemory) s.capMEM = ticked;
    else if (&box == chkWriteUnsaved) s.LOGUnsaved = ticked;
    changed();
}

void FrmOptions::chkStart_Click() {
    app_.settings.SWWN = static_cast<std::int16_t>(chkStart->value());
    changed();
}

void FrmOptions::chkLogEnable_Click() {
    const bool on = chkLogEnable->value() == 1;
    app_.settings.LOGEnable = on;
    for (forms::Frame* f : fraLogging) f->setVisible(on);
    changed();
}

void FrmOptions::cboNewFile_Click() {
    if (auto code = toByte(cboNewFile->listIndex())) app_.settings.NEWLOG = *code;
    changed();
}

void FrmOptions::chkModule_Click(int index) {
    const bool on = chkModule[static_cast<std::size_t>(index)]->value() == 1;
    if (index < 8) {
        cboModule[static_cast<std::size_t>(index)]->setVisible(on);
        imgModule[static_cast<std::size_t>(index)]->setVisible(on);
    }
    app_.settings.Visi[static_cast<std::size_t>(index)] = on;
    if (forms::Form* f = moduleWindow(app_, index)) {
        if (on) f->show();
        else f->unload();
    }
    if (index == module::kMouse)
        if (FrmHidden* engine = app_.engine.get()) engine->tmrMSE->setEnabled(on);
    changed();
}

void FrmOptions::showPreview(int index) {
    const int code = cboModule[static_cast<std::size_t>(index)]->listIndex();
    const std::string file = code < 0 ? std::string() : previewFile(index, code);
    imgModule[static_cast<std::size_t>(index)]->setPicture(file.empty() ? Pixels() : app_.ui.picture(file));
    imgModule[static_cast<std::size_t>(index)]->refresh();
}

void FrmOptions::cboModule_Click(int index) {
    Settings& s = app_.settings;
    const auto i = static_cast<std::size_t>(index);
    if (auto code = toInt16(cboModule[i]->listIndex())) s.mTyp[i] = *code;
    showPreview(index);
    if (s.Visi[i]) {
        if (ModuleForm* f = moduleWindow(app_, index); f && f->loaded()) f->dressForStyle();
    }
    changed();
}

void FrmOptions::cmdLogscope_Click() {
    // The main bar's log viewer button does the same.
    launchSiblingTool(app_.os, app_.appPath, SiblingTool::Logscope);
}

void FrmOptions::onUnload() {
    if (FrmHidden* engine = app_.engine.get()) engine->tmrVSBL->setEnabled(true);
}

void showOptions(App& app) {
    if (!app.options) app.options = std::make_unique<FrmOptions>(app);
    forms::Form& dialog = *app.options;
    if (dialog.loaded() && dialog.visible()) {
        dialog.setWindowPos(platform::ZOrder::NoTopMost, platform::kSwpNoMove | platform::kSwpNoSize | platform::kSwpShowWindow);
        return;
    }
    dialog.show();
}

}  // namespace vel
