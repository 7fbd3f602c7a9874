// The options dialog frmOptions: four pages of settings over a tab strip.
// Every control writes its value straight into Settings and enables Apply;
// Apply makes the settings durable and effective.
#pragma once

#include <array>

#include "forms/buttons.h"
#include "forms/combo_box.h"
#include "forms/form.h"
#include "forms/frame.h"
#include "forms/graphic_controls.h"
#include "forms/picture_box.h"
#include "forms/range_controls.h"

namespace vel {

class App;

class FrmOptions : public forms::Form {
public:
    explicit FrmOptions(App& app);

    forms::TabStrip* tbsOptions;
    std::array<forms::PictureBox*, 4> picOptions{};
    forms::CommandButton* Command1;
    forms::CheckBox* chkStart;
    forms::CommandButton* cmdApply;
    forms::CommandButton* cmdCancel;
    forms::CommandButton* cmdOK;

    // General
    forms::UpDown* udCPU;
    forms::UpDown* udNET;
    forms::UpDown* udMEM;
    forms::Label* lblCPUTime;
    forms::Label* lblNETTime;
    forms::Label* lblMEMTime;
    forms::Slider* sldTransON;
    forms::Slider* sldTransOFF;
    forms::Label* Label2;
    std::array<forms::OptionButton*, 3> optVisibility{};
    forms::PictureBox* picVisMon;
    std::array<forms::OptionButton*, 4> optVCorner{};
    forms::CheckBox* chkAOT;
    std::array<forms::OptionButton*, 3> optPlacement{};
    std::array<forms::Image*, 3> imgPlacement{};

    // Modules
    std::array<forms::CheckBox*, 9> chkModule{};
    std::array<forms::ComboBox*, 8> cboModule{};
    std::array<forms::Image*, 8> imgModule{};

    // Logging
    std::array<forms::Frame*, 3> fraLogging{};
    forms::ComboBox* cboNewFile;
    forms::UpDown* udLogDeleteTime;
    forms::Label* lblLogDeleteTime;
    forms::CommandButton* cmdLogscope;
    forms::UpDown* udLoggingTime;
    forms::Label* lblLogCapTime;
    forms::UpDown* udWriteTime;
    forms::Label* lblLogWriteTime;
    forms::CheckBox* chkWriteUnsaved;
    forms::CheckBox* chkCapCPUs;
    forms::CheckBox* chkCapNetwork;
    forms::CheckBox* chkCapMemory;
    forms::CheckBox* chkLogEnable;
    forms::Label* Label12;

    // The fourth page
    forms::Label* lblTitle;
    forms::Label* lblVersion;
    forms::Label* lblCopyright;

    // The handlers.
    void tbsOptions_Click();
    bool Form_KeyDown(int keyCode, int shift);
    void timing_Change(forms::UpDown& ud);
    void sldTrans_Change(bool awake);
    void optPlacement_Click(int index);
    void optVCorner_Click(int index);
    void optVisibility_Click(int index);
    void flag_Click(forms::CheckBox& box);
    void chkStart_Click();
    void chkLogEnable_Click();
    void cboNewFile_Click();
    void chkModule_Click(int index);
    void cboModule_Click(int index);
    void cmdLogscope_Click();

    // Apply, OK, Cancel and the reset button (options_apply.cpp).
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void Command1_Click();  // "Reset Module Locations" (docs/glossary.md)

    void onCloseRequest() override { cmdCancel_Click(); }

protected:
    void onLoad() override;
    void onUnload() override;

private:
    // Page builders (options_pages.cpp).
    void buildFrame();
    void buildGeneralPage(forms::PictureBox& page);
    void buildModulesPage(forms::PictureBox& page);
    void buildLoggingPage(forms::PictureBox& page);
    void buildAboutPage(forms::PictureBox& page);
    // Wiring of the handlers to the controls.
    void wireHandlers();
    // Load steps.
    void fillGeneral();
    void fillModules();
    void fillLogging();
    void limitProcessors();
    // A setting changed: Apply has something to do.
    void changed();
    void showPreview(int index);

    App& app_;
};

// The main bar's options button: opens the dialog, or brings the open one
// forward.
void showOptions(App& app);

}  // namespace vel
