#include "core/start_with_windows.h"

#include "core/app.h"
#include "core/registry_helpers.h"

namespace vel {

void applyStartWithWindows(App& app, bool enabled) {
    const std::string command = app.programFolder + "velmora.exe";
    if (enabled) {
        SetValue(app.os.registry(), platform::RegRoot::CurrentUser, kRunKey, kRunValueName, command);
    } else {
        DeleteValue(app.os.registry(), platform::RegRoot::CurrentUser, kRunKey, kRunValueName);
    }
    app.os.mirrorAutostart(enabled, command);
    saveSetting(app.settingsFile, settingKey(SettingGroup::StartWithWindows, -1), enabled ? "1" : "0");
    app.settings.SWWN = enabled ? 1 : 0;
}

}  // namespace vel
