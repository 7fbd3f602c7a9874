#include "core/app.h"

#include "core/frm_main.h"
#include "core/frm_splash.h"
#include "engine/frm_hidden.h"
#include "fullview/frm_fullview.h"
#include "sources/cpu_usage.h"
#include "sources/net_connection.h"
#include "sources/system_metrics.h"

namespace vel {

App::App(platform::Platform& os_) : os(os_), ui(os_), settingsFile(os_.files(), "") {}

App::~App() {
    // Samplers close their counters before the platform goes away.
    for (auto& s : samplers) s.reset();
}

forms::Form* App::window(WindowSlot slot) const { return windows_[static_cast<int>(slot)]; }

void App::showStatus(const std::string& text) {
    if (!splash || !IsFormLoaded(splash.get())) return;
    traceEvent("status " + text);
    splash->setStatus(text);
}

void App::end(int exitCode) {
    finish();
    os.quit(exitCode);
}

void App::finish() {
    if (auto* hidden = dynamic_cast<FrmHidden*>(engine.get())) hidden->log.writeUnsaved();
}

void App::setProgramFolder(const std::string& folder) {
    appPath = folder;
    const char sep = os.pathSeparator();
    // One separator is appended even when the text already ends in one.
    programFolder = appPath + sep;
    iniPath = appPath + sep + "velmora.ini";
    settingsFile.setPath(os.nativePath(iniPath));
}

}  // namespace vel
