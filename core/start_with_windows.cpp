#include "core/start_with_windows.h"

#include "core/app.h"
#include "core/inifile.h"
#include "core/registry_helpers.h"

namespace vel {

void applyStartWithWindows(App& app, bool enabled) {
    const std::string command = app.programFolder + "velmora.exe";
    if (enabled) {
        SetValue(app, platform::RegRoot::CurrentUser, kRunKey, kRunValueName, command);
    } else {
        DeleteValue(app, platform::RegRoot::CurrentUser, kRunKey, kRunValueName);
    }
    app.os.mirrorAutostart(enabled, command);
    WriteIni("MAIN", "SWWN", enabled ? "1" : "0", app.os.nativePath(app.iniPath));
    app.settings.SWWN = enabled ? 1 : 0;
}

}  // namespace vel
