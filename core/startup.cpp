#include "core/startup.h"

#include <algorithm>

#include "core/app.h"
#include "core/frm_hidden.h"
#include "core/frm_main.h"
#include "core/frm_splash.h"
#include "core/installed_products.h"
#include "core/settings.h"
#include "remote/remote_host.h"
#include "sources/cpu_usage.h"
#include "sources/system_metrics.h"

namespace vel {

void LoadModules(App& app) {
    if (app.engine) app.engine->load();
    for (const WindowRow& w : kWindows) {
        forms::Form* f = app.window(w.slot);
        if (f && w.isModule() && app.settings.Visi[w.visi]) f->show();
    }
    app.mainBar->show();
}

namespace {

void takeHardwareInventory(App& app) { takeInventory(app.os.sources(), ".", app.inventory); }

}  // namespace

namespace {

// Another machine named by --source or [REMOTE] SOURCE=, in place of this
// one. False (after telling the user) when it cannot be watched.
bool openRemoteHost(App& app) {
    remote::RemoteSettings settings = remote::readRemoteSettings(app.settingsFile);
    if (!app.sourceOption.empty()) settings.source = app.sourceOption;
    if (settings.source.empty()) return true;
    std::string error;
    app.remoteHost = remote::RemoteHost::open(app.os, settings, app.appPath, error);
    if (!app.remoteHost) {
        app.sourceError = error;
        app.os.messageBox(std::string(kProductName) + " cannot watch that source: " + error, kMakerTitle,
                          platform::mb::Critical);
        return false;
    }
    app.hostLabel = app.remoteHost->label();
    return true;
}

}  // namespace

bool StartVelmora(App& app) {
    platform::Platform& os = app.os;
    app.setProgramFolder(os.programFolder());
    if (!openRemoteHost(app)) {
        app.end(1);
        return false;
    }
    // This machine: one program per user. Another: one per host and program folder.
    const std::string instance =
        app.remoteHost ? app.remoteHost->instanceName(app.appPath) : std::string("Brinlake VELMORA v2");
    if (!os.claimSingleInstance(instance)) {
        const std::string what = app.hostLabel.empty() ? "" : " for " + app.hostLabel;
        os.messageBox(std::string(kProductName) + " is already running" + what + "!", kMakerTitle,
                      platform::mb::Exclamation);
        app.end(0);
        return false;
    }
    // A session that ends (or a polite kill) ends the program as the exit
    // button's Yes does, without the question.
    os.setSessionEndHandler([&app] { shutDown(app); });
    app.ui.setSkinsFolder(os.nativePath(app.programFolder + "skins"));
    app.ui.setFallbackSkinsFolder(os.installedSkinsFolder());
    app.createWindows();

    recordInstalledProduct(app.os.registry(), app.programFolder, app.os.localTime());

    // --run-for's time or the session's end can come while the splash shows;
    // the start stops there rather than load windows nobody will see.
    auto letEventsRun = [&os] {
        os.doEvents();
        return !os.quitting();
    };

    FrmSplash& splash = *app.splash;
    splash.show();

    app.showStatus("Enumerating processors...");
    // Another machine's processors are known from its first answer; the
    // splash keeps running while it comes.
    if (app.remoteHost && !app.remoteHost->awaitFirstAnswer(letEventsRun)) return false;
    app.metrics = std::make_unique<clsSystemMetrics>(os);
    app.processorCount = app.metrics->Number_Of_Processors();
    app.splashPause(750);

    app.showStatus("Detecting processor types...");
    // Only four sampler slots exist; further processors have none, and they
    // get no pause either, so a 64-processor machine does not wait 48 s here.
    const int slotsToFill = std::min<int>(app.processorCount, 4);
    for (int n = 0; n < slotsToFill; ++n) {
        app.samplers[n] = std::make_unique<clsCPUUsage>(os, static_cast<std::uint8_t>(n));
        if (!letEventsRun()) return false;
        app.splashPause(750);
    }

    splash.showPicture(1, "Get detailed info...\n\rCPU...Memory... NETWORK!");
    splash.SplashMetersText->refresh();
    splash.refresh();
    if (!letEventsRun()) return false;
    app.splashPause(500);

    app.showStatus("Detecting system hardware...");
    takeHardwareInventory(app);
    app.splashPause(250);

    splash.showPicture(2, "Memtide...\n\rRestore Your Memory!");
    splash.refresh();
    if (!letEventsRun()) return false;
    app.splashPause(1500);

    app.showStatus("Loading VELMORA v2 settings...");
    app.settingsOrigin = LoadSettings(app.settingsFile, app.settings, app.processorCount);
    // The reading itself takes no time; the splash names its last part, the
    // log settings, for a second.
    app.showStatus("Verifying log file settings...");
    app.splashPause(1000);
    if (!letEventsRun()) return false;
    app.splashPause(500);

    app.showStatus("Applying settings...");
    app.screenX = app.metrics->ScreenX();
    app.screenY = app.metrics->ScreenY();
    app.splashPause(500);

    app.showStatus("Loading modules...");
    LoadModules(app);
    if (!letEventsRun()) return false;

    app.showStatus("Almost done...");
    app.splashPause(500);

    splash.startClosing();
    return true;
}

}  // namespace vel
