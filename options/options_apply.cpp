// Apply, OK, Cancel and the reset button: Apply writes every setting but
// the positions, re-times the engine's timers, then re-arranges, re-applies
// always-on-top and wakes the windows.
#include <string>

#include "core/app.h"
#include "core/frm_hidden.h"
#include "core/settings.h"
#include "core/start_with_windows.h"
#include "options/frm_options.h"
#include "window/placement.h"
#include "window/window_services.h"

namespace vel {

void FrmOptions::cmdApply_Click() {
    Settings& s = app_.settings;
    FrmHidden* engine = app_.engine.get();

    // Every setting the dialog shows but the start-with-Windows box, group
    // by group; the positions are the placement's to write.
    for (SettingGroup group : {SettingGroup::Looks, SettingGroup::Sampling, SettingGroup::Visibility,
                               SettingGroup::Style, SettingGroup::Logging})
        for (const SettingKey& key : settingKeys())
            if (key.group == group) saveSetting(app_.settingsFile, key, s);
    // The sampling and log periods take effect; the log period is formed in 16 bits.
    if (engine) {
        engine->retimeCPUs();
        engine->retimeNET();
        engine->retimeMEM();
        engine->retimeLOG();
    }
    // The start-with-Windows entry follows the box.
    applyStartWithWindows(app_, chkStart->value() == 1);
    // The windows line up, keep their stacking and wake.
    ArrangeModules(app_);
    ApplyAlwaysOnTop(app_);
    WakeModules(app_);
    // Sampling runs again with the new periods.
    if (engine) engine->enableSamplingTimers();
    // Everything is applied.
    cmdApply->setEnabled(false);
}

void FrmOptions::cmdOK_Click() {
    cmdApply_Click();
    unload();
}

void FrmOptions::cmdCancel_Click() { unload(); }

void FrmOptions::Command1_Click() {
    resetModuleLocations(app_);
    cmdApply_Click();
}

}  // namespace vel
