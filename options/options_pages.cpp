// The dialog's layout: the frame around the pages, then each page. All
// positions are pixels of the page picture (or of the dialog for the frame).
#include <string>

#include "core/app.h"
#include "core/version.h"
#include "forms/dialog_look.h"
#include "options/frm_options.h"

namespace vel {

namespace {

constexpr int kPageWidth = 420, kPageHeight = 268;

template <class Parent>
forms::Label& label(Parent& parent, const std::string& name, const std::string& caption, int x, int y, int w,
                    int index = -1) {
    forms::Label& l = parent.template add<forms::Label>(name, index);
    const forms::DialogLook& look = l.dialogLook();
    l.setFont(look.font);
    l.setForeColor(look.text);
    l.setCaption(caption);
    l.move(x, y, w, forms::look::textHeight(look));
    return l;
}

// The number beside an up-down, in a white box.
template <class Parent>
forms::Label& valueLabel(Parent& parent, const std::string& name, int x, int y) {
    forms::Label& l = label(parent, name, "", x, y + 3, 32);
    l.setOpaque(true);
    l.setBackColor(l.dialogLook().window);
    l.setAlignment(forms::Alignment::Center);
    return l;
}

template <class Parent>
forms::UpDown& upDown(Parent& parent, const std::string& name, int x, int y, int min, int max) {
    forms::UpDown& u = parent.template add<forms::UpDown>(name);
    u.move(x, y, 17, 22);
    u.setMax(max);
    u.setMin(min);
    u.setValue(min);
    return u;
}

template <class T>
T& placed(T& control, const std::string& caption, int x, int y, int w, int h) {
    control.setCaption(caption);
    control.move(x, y, w, h);
    return control;
}

}  // namespace

void FrmOptions::buildFrame() {
    tbsOptions = &add<forms::TabStrip>("tbsOptions");
    tbsOptions->move(8, 8, 436, 300);
    tbsOptions->addTab("General", "tabGen", "Setup general options");
    tbsOptions->addTab("Modules", "tabMod", "Setup module options");
    tbsOptions->addTab("Logging", "tabLog", "Setup logging options");
    tbsOptions->addTab("About", "tabAbout", "About VELMORA v2");
    for (int i = 0; i < 4; ++i) {
        picOptions[i] = &add<forms::PictureBox>("picOptions", i);
        picOptions[i]->move(16, 34, kPageWidth, kPageHeight);
        picOptions[i]->setBackColor(runtime().dialogLook().face);
        picOptions[i]->setVisible(i == 0);
    }
    buildGeneralPage(*picOptions[0]);
    buildModulesPage(*picOptions[1]);
    buildLoggingPage(*picOptions[2]);
    buildAboutPage(*picOptions[3]);

    Command1 = &placed(add<forms::CommandButton>("Command1"), "Reset Module Locations", 8, 316, 150, 23);
    chkStart = &placed(add<forms::CheckBox>("chkStart"), "Start with Windows", 10, 346, 150, 17);
    cmdOK = &placed(add<forms::CommandButton>("cmdOK"), "OK", 207, 342, 75, 23);
    cmdCancel = &placed(add<forms::CommandButton>("cmdCancel"), "Cancel", 288, 342, 75, 23);
    cmdApply = &placed(add<forms::CommandButton>("cmdApply"), "Apply", 369, 342, 75, 23);
    cmdOK->setDefault(true);
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);
}

void FrmOptions::buildGeneralPage(forms::PictureBox& page) {
    auto& timing = page.add<forms::Frame>("fraTiming");
    timing.setCaption("Timing Settings (10ths of seconds)");
    timing.move(0, 0, 204, 100);
    const char* captions[3] = {"CPU", "Network", "Memory"};
    forms::Label** labels[3] = {&lblCPUTime, &lblNETTime, &lblMEMTime};
    forms::UpDown** downs[3] = {&udCPU, &udNET, &udMEM};
    const char* labelNames[3] = {"lblCPUTime", "lblNETTime", "lblMEMTime"};
    const char* downNames[3] = {"udCPU", "udNET", "udMEM"};
    const int mins[3] = {1, 1, 10};
    for (int r = 0; r < 3; ++r) {
        const int y = 20 + r * 26;
        label(timing, "lblTiming", captions[r], 14, y + 4, 70, r);
        *labels[r] = &valueLabel(timing, labelNames[r], 124, y);
        *downs[r] = &upDown(timing, downNames[r], 158, y, mins[r], 50);
    }

    auto& trans = page.add<forms::Frame>("fraTrans");
    trans.setCaption("Transparency Levels");
    trans.move(212, 0, 208, 126);
    label(trans, "lblTrans", "Visible Mode", 10, 18, 100, 0);
    sldTransON = &trans.add<forms::Slider>("sldTransON");
    sldTransON->move(6, 31, 196, 26);
    Label2 = &label(trans, "Label2", "Stealth Mode", 10, 58, 100);
    sldTransOFF = &trans.add<forms::Slider>("sldTransOFF");
    sldTransOFF->move(6, 71, 196, 26);
    for (forms::Slider* s : {sldTransON, sldTransOFF}) {
        s->setSteps(5, 10);
        s->setTickFrequency(25);
    }
    sldTransON->setMax(255);
    sldTransON->setMin(5);
    sldTransOFF->setMax(250);
    sldTransOFF->setMin(0);
    label(trans, "lblScale", "Opague", 8, 104, 44, 0);
    forms::Label& arrows = label(trans, "lblScale", "<==          ==>", 54, 104, 86, 1);
    arrows.setAlignment(forms::Alignment::Center);
    forms::Label& clear = label(trans, "lblScale", "Transparent", 140, 104, 62, 2);
    clear.setAlignment(forms::Alignment::Right);

    auto& vis = page.add<forms::Frame>("fraVisibility");
    vis.setCaption("Visibility");
    vis.move(0, 106, 204, 162);
    const char* visCaptions[3] = {"Always Visible", "Mouse Visible", "Corner Visible"};
    for (int i = 0; i < 3; ++i)
        optVisibility[i] = &placed(vis.add<forms::OptionButton>("optVisibility", i), visCaptions[i], 12, 20 + i * 22, 100, 17);
    picVisMon = &vis.add<forms::PictureBox>("picVisMon");
    picVisMon->move(124, 20, 70, 44);
    const char* cornerCaptions[4] = {"Top-Left Corner", "Top-Right Corner", "Bottom-Left Corner", "Bottom-Right Corner"};
    const int cornerX[4] = {4, 54, 4, 54}, cornerY[4] = {4, 4, 28, 28};
    for (int i = 0; i < 4; ++i) {
        // Only the round button shows inside the little screen.
        optVCorner[i] = &placed(picVisMon->add<forms::OptionButton>("optVCorner", i), cornerCaptions[i],
                                cornerX[i], cornerY[i], 12, 12);
        optVCorner[i]->setToolTipText(cornerCaptions[i]);
    }
    chkAOT = &placed(vis.add<forms::CheckBox>("chkAOT"), "Always On Top", 12, 134, 120, 17);

    auto& placement = page.add<forms::Frame>("fraPlacement");
    placement.setCaption("Placement");
    placement.move(212, 132, 208, 136);
    const char* placeCaptions[3] = {"Horizontal Mode", "Vertical Mode", "User Mode"};
    for (int i = 0; i < 3; ++i) {
        const int y = 20 + i * 38;
        optPlacement[i] = &placed(placement.add<forms::OptionButton>("optPlacement", i), placeCaptions[i], 12, y + 8, 108, 17);
        imgPlacement[i] = &placement.add<forms::Image>("imgPlacement", i);
        imgPlacement[i]->move(136, y, 60, 32);
    }
}

void FrmOptions::buildModulesPage(forms::PictureBox& page) {
    const char* names[9] = {"Processor 0", "Processor 1", "Processor 2", "Processor 3", "Processors Average",
                            "Network", "Memory", "Mouse", "Show Zenthe\u2122 Module"};
    for (int i = 0; i < 9; ++i) {
        const int y = 6 + i * 29;
        chkModule[i] = &placed(page.add<forms::CheckBox>("chkModule", i), names[i], 10, y + 4, 140, 17);
        if (i == 8) break;
        cboModule[i] = &page.add<forms::ComboBox>("cboModule", i);
        cboModule[i]->move(164, y + 1, 176, 21);
        imgModule[i] = &page.add<forms::Image>("imgModule", i);
        imgModule[i]->move(350, y, 60, 23);
    }
}

void FrmOptions::buildLoggingPage(forms::PictureBox& page) {
    const char* captions[3] = {"Log Files", "Timing", "Capture Events"};
    const int x[3] = {0, 0, 282}, y[3] = {0, 88, 88}, w[3] = {420, 276, 138}, h[3] = {82, 96, 96};
    for (int i = 0; i < 3; ++i) {
        fraLogging[i] = &page.add<forms::Frame>("fraLogging", i);
        fraLogging[i]->setCaption(captions[i]);
        fraLogging[i]->move(x[i], y[i], w[i], h[i]);
    }
    forms::Frame& files = *fraLogging[0];
    label(files, "lblLogFiles", "Create new log file every", 12, 22, 150, 0);
    cboNewFile = &files.add<forms::ComboBox>("cboNewFile");
    cboNewFile->move(166, 18, 96, 21);
    label(files, "lblLogFiles", "Delete log files older than", 12, 52, 150, 1);
    lblLogDeleteTime = &valueLabel(files, "lblLogDeleteTime", 166, 46);
    udLogDeleteTime = &upDown(files, "udLogDeleteTime", 200, 46, 1, 30);
    label(files, "lblLogFiles", "days", 222, 52, 40, 2);
    cmdLogscope = &placed(files.add<forms::CommandButton>("cmdLogscope"), "Open Logscope", 306, 18, 102, 23);

    forms::Frame& timing = *fraLogging[1];
    label(timing, "lblLogTiming", "Capture Time:", 12, 24, 84, 0);
    lblLogCapTime = &valueLabel(timing, "lblLogCapTime", 96, 18);
    udLoggingTime = &upDown(timing, "udLoggingTime", 130, 18, 1, 50);
    label(timing, "lblLogTiming", "(10ths of seconds)", 152, 24, 100, 1);
    label(timing, "lblLogTiming", "Write Log File:", 12, 52, 84, 2);
    lblLogWriteTime = &valueLabel(timing, "lblLogWriteTime", 96, 46);
    udWriteTime = &upDown(timing, "udWriteTime", 130, 46, 1, 5);
    label(timing, "lblLogTiming", "(minutes)", 152, 52, 100, 3);
    chkWriteUnsaved = &placed(timing.add<forms::CheckBox>("chkWriteUnsaved"), "Write UNSAVED DATA before closing.", 12, 72, 236, 17);

    forms::Frame& events = *fraLogging[2];
    chkCapCPUs = &placed(events.add<forms::CheckBox>("chkCapCPUs"), "Processor Usage", 12, 22, 118, 17);
    chkCapNetwork = &placed(events.add<forms::CheckBox>("chkCapNetwork"), "Network Statistics", 12, 44, 118, 17);
    chkCapMemory = &placed(events.add<forms::CheckBox>("chkCapMemory"), "Memory Statistics", 12, 66, 118, 17);

    chkLogEnable = &placed(page.add<forms::CheckBox>("chkLogEnable"), "Enable Logging", 4, 192, 150, 17);
    Label12 = &label(page, "Label12",
                     "Note: Log files can be quite large depending on the options selected here.\n"
                     "Every capture adds a line per value, so short capture times and\n"
                     "many events fill the logs folder fastest.",
                     4, 216, 416);
    Label12->setHeight(3 * forms::look::textHeight(runtime().dialogLook()));
}

void FrmOptions::buildAboutPage(forms::PictureBox& page) {
    lblTitle = &label(page, "lblTitle", "Brinlake VELMORA v2", 0, 70, kPageWidth);
    gfx::FontSpec big = runtime().dialogLook().font;
    big.sizePt = 12;
    big.bold = true;
    lblTitle->setFont(big);
    lblTitle->setHeight(gfx::lineHeight(big));
    lblTitle->setAlignment(forms::Alignment::Center);
    lblVersion = &label(page, "lblVersion", "", 0, 110, kPageWidth);
    lblVersion->setAlignment(forms::Alignment::Center);
    lblCopyright = &label(page, "lblCopyright", "", 0, 134, kPageWidth);
    lblCopyright->setAlignment(forms::Alignment::Center);
}

}  // namespace vel
