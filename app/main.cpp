// velmora: picks the backend and starts the program.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "core/app.h"
#include "core/frm_main.h"
#include "core/startup.h"
#include "app/command_line.h"
#include "core/version.h"
#include "platform/common/display_scale.h"
#include "remote/remote_host.h"
#include "platform/native.h"
#include "scenario/runner.h"

namespace {

const char* kUsage =
    "Usage: velmora [OPTIONS]\n"
    "Shows the VELMORA v2 system monitor on the desktop.\n"
    "\n"
    "Options:\n"
    "  --program-folder DIR   use DIR for velmora.ini, skins/ and logs/ (default: the program's folder;\n"
    "                         for an installed copy ~/.local/share/velmora)\n"
    "  --run-for SECONDS      exit cleanly SECONDS after the start, start-up included\n"
    "                         (for scripts and measurements)\n"
    "  --display NAME         the X display to use (default: $DISPLAY)\n"
    "  --scale N              show every window N times larger: 1, 2 or 3 (default: the desktop's)\n"
    "  --sim SCENARIO         run on the simulated machine, driven by a scenario file\n"
    "  --source URL           watch another machine: its node exporter's address\n"
    "                         (http://HOST:9100/metrics) or a Prometheus server's\n"
    "                         /federate?match[]={instance=\"HOST:9100\"} (default: [REMOTE]\n"
    "                         SOURCE= in velmora.ini, else this machine)\n"
    "  --skip-splash-pauses   start without the splash's pauses (for scripted tests)\n"
    "  --version              print the version and exit\n"
    "  --help                 print this help and exit\n";

struct CommandLine {
    std::string programFolder;
    std::string scenario;
    std::string display;
    std::string source;
    double runFor = -1;
    int scale = 0;  // 0: the desktop's
    bool splashPauses = true;
};

// nullopt: go on and run; a number: exit with it now.
std::optional<int> parse(int argc, char** argv, CommandLine& cl) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (const auto code = vel::app::infoOption(a, kUsage, "VELMORA v2 " + vel::versionText())) return code;
        if (a == "--skip-splash-pauses") {
            cl.splashPauses = false;
            continue;
        }
        std::string v;
        if (!vel::app::takeValue("velmora",
                                 {"--program-folder", "--sim", "--display", "--run-for", "--scale", "--source"}, argc,
                                 argv, i, v))
            return 2;
        if (a == "--program-folder") cl.programFolder = v;
        if (a == "--sim") cl.scenario = v;
        if (a == "--display") cl.display = v;
        if (a == "--source") {
            vel::platform::HttpUrl url;
            std::string error;
            if (!vel::remote::checkSource(v, url, error)) {
                std::cerr << "velmora: --source: " << error << "\n";
                return 2;
            }
            cl.source = v;
        }
        if (a == "--scale" && !vel::app::readScale("velmora", v, cl.scale)) return 2;
        if (a == "--run-for" && !vel::app::readSeconds("velmora", v, cl.runFor)) return 2;
    }
    return std::nullopt;
}

int runNative(const CommandLine& cl) {
    vel::platform::NativeOptions options;
    options.programFolder = cl.programFolder;
    options.display = cl.display;
    options.scale = cl.scale;
    std::string error;
    auto os = vel::platform::createNativePlatform(options, error);
    if (!os) {
        std::cerr << "velmora: " << error << "\n";
        return 1;
    }
    vel::App app(*os);
    app.splashPauses = cl.splashPauses;
    app.sourceOption = cl.source;
    // Armed before the start, so that it also ends a start-up and an "already
    // running" notice that nobody answers: a script never waits for ever.
    if (cl.runFor >= 0)
        os->startTimer(static_cast<std::uint32_t>(cl.runFor * 1000), [&] { vel::shutDown(app); });
    if (!vel::StartVelmora(app)) {
        if (app.sourceError.empty()) return 0;
        std::cerr << "velmora: cannot watch the source: " << app.sourceError << "\n";
        return 1;
    }
    const std::string ini = os->nativePath(app.iniPath);
    if (app.settingsOrigin == vel::SettingsOrigin::DefaultsWritten)
        std::cerr << "velmora: " << ini << " held no settings; the default settings were written to it\n";
    if (app.settingsOrigin == vel::SettingsOrigin::DefaultsUnwritten)
        std::cerr << "velmora: " << ini << " holds no settings and cannot be written; "
                  << "this run uses the default settings\n";
    for (const std::string& name : app.ui.missingPictures())
        std::cerr << "velmora: cannot read the picture " << name << " in " << app.ui.skinsFolder()
                  << "; its window is drawn without it\n";
    const int code = os->runLoop();
    // However the loop ended, the orderly end's work has run (it runs once).
    app.finish();
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine cl;
    if (auto code = parse(argc, argv, cl)) return *code;
    if (!cl.scenario.empty()) {
        vel::ScenarioOptions options{cl.scenario, cl.programFolder, cl.scale};
        return vel::runScenario(options, std::cout, std::cerr);
    }
    return runNative(cl);
}
