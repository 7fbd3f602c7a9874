// logscope: shows the program's log files as graphs.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "core/version.h"
#include "forms/runtime.h"
#include "logscope/frm_logscope.h"
#include "platform/common/display_scale.h"
#include "platform/native.h"

namespace {

const char* kUsage =
    "Usage: logscope [OPTIONS] [FOLDER | FILE...]\n"
    "Shows VELMORA v2's log files as graphs: FOLDER's logs, or the named log files\n"
    "(default: the logs/ folder of the program folder).\n"
    "\n"
    "Keys: 1 processors, 2 memory, 3 IP, 4 ICMP, 5 TCP, 6 UDP; arrows pan, + and - zoom,\n"
    "Home and End go to the start and the end, Esc closes. The wheel zooms around\n"
    "the pointer; dragging pans.\n"
    "\n"
    "Options:\n"
    "  --program-folder DIR   the program folder whose logs/ opens by default\n"
    "                         (default: the program's folder; for an installed copy\n"
    "                         ~/.local/share/velmora)\n"
    "  --run-for SECONDS      exit cleanly SECONDS after the start (for scripts)\n"
    "  --display NAME         the X display to use (default: $DISPLAY)\n"
    "  --scale N              show the window N times larger: 1, 2 or 3\n"
    "  --version              print the version and exit\n"
    "  --help                 print this help and exit\n";

struct CommandLine {
    std::string programFolder, display;
    std::vector<std::string> paths;
    double runFor = -1;
    int scale = 0;
};

std::optional<int> parse(int argc, char** argv, CommandLine& cl) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (a == "--version") {
            std::cout << "Logscope (VELMORA v2) " << vel::versionText() << "\n";
            return 0;
        }
        // The main bar starts us with this word; it asks for nothing.
        if (a == "QRT") continue;
        if (a.size() < 2 || a.compare(0, 2, "--") != 0) {
            cl.paths.push_back(a);
            continue;
        }
        if (a != "--program-folder" && a != "--run-for" && a != "--display" && a != "--scale") {
            std::cerr << "logscope: unknown option '" << a << "' (see --help)\n";
            return 2;
        }
        if (i + 1 >= argc) {
            std::cerr << "logscope: " << a << " needs a value (see --help)\n";
            return 2;
        }
        const std::string v = argv[++i];
        if (a == "--program-folder") cl.programFolder = v;
        if (a == "--display") cl.display = v;
        if (a == "--scale" && !vel::app::readScale("logscope", v, cl.scale)) return 2;
        if (a == "--run-for" && !vel::app::readSeconds("logscope", v, cl.runFor)) return 2;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vel;
    CommandLine cl;
    if (auto code = parse(argc, argv, cl)) return *code;
    platform::NativeOptions options;
    options.programFolder = cl.programFolder;
    options.display = cl.display;
    options.scale = cl.scale;
    std::string error;
    auto os = platform::createNativePlatform(options, error);
    if (!os) {
        std::cerr << "logscope: " << error << "\n";
        return 1;
    }
    platform::Files& files = os->files();
    std::string where;
    std::vector<std::string> notes;
    logscope::LogSet logs;
    if (cl.paths.size() <= 1 && (cl.paths.empty() || files.fileKind(cl.paths[0]) == platform::FileKind::Directory)) {
        where = cl.paths.empty() ? os->programFolder() + os->pathSeparator() + "logs" : cl.paths[0];
        // Only the default folder can be missing here; a named one is there.
        if (files.fileKind(where) != platform::FileKind::Directory) notes.push_back("No folder " + where);
        logs = logscope::LogSet::open(*os, where, logscope::findPeriods(files, where));
    } else {
        for (const std::string& p : cl.paths)
            if (files.fileKind(p) != platform::FileKind::File) {
                std::cerr << "logscope: " << p << " is not a log file or a folder\n";
                return 2;
            }
        where = cl.paths[0];
        std::vector<std::string> unread;
        logs = logscope::LogSet::openFiles(*os, cl.paths, unread);
        for (const std::string& p : unread) notes.push_back("Cannot read " + p + " as a log file");
    }
    forms::Runtime ui(*os);
    logscope::FrmLogscope window(ui, where, std::move(logs), std::move(notes));
    if (cl.runFor >= 0)
        os->startTimer(static_cast<std::uint32_t>(cl.runFor * 1000), [&] { window.unload(); });
    window.show();
    return os->runLoop();
}
