// logscope: shows the program's log files as graphs.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "core/version.h"
#include "forms/runtime.h"
#include "gfx/png.h"
#include "logscope/frm_logscope.h"
#include "platform/common/civil_date.h"
#include "platform/common/display_scale.h"
#include "platform/native.h"
#include "platform/sim/sim_platform.h"

namespace {

const char* kUsage =
    "Usage: logscope [OPTIONS] [FOLDER | FILE...]\n"
    "Shows VELMORA v2's log files as graphs: FOLDER's logs, or the named log files\n"
    "(default: the logs/ folder of the program folder).\n"
    "\n"
    "Keys: 1 processors, 2 memory, 3 IP, 4 ICMP, 5 TCP, 6 UDP; Shift+1 to Shift+9 hide\n"
    "or show the family's series (as a click on its legend entry does), A shows them\n"
    "all; Page Up and Page Down go to the day before and after (or pick it in the list);\n"
    "arrows pan, + and - zoom, Home and End go to the start and the end, Esc closes.\n"
    "The wheel zooms around the pointer; dragging pans; the pointer over the chart\n"
    "reads out every shown series at its time. Ctrl+S writes the chart as PNG and\n"
    "Ctrl+E the shown series over the view as CSV, beside the logs (or in your home\n"
    "folder when that cannot be written); the status line names the file.\n"
    "\n"
    "Options:\n"
    "  --program-folder DIR   the program folder whose logs/ opens by default\n"
    "                         (default: the program's folder; for an installed copy\n"
    "                         ~/.local/share/velmora)\n"
    "  --run-for SECONDS      exit cleanly SECONDS after the start (for scripts)\n"
    "  --display NAME         the X display to use (default: $DISPLAY)\n"
    "  --scale N              show the window N times larger: 1, 2 or 3\n"
    "  --export-png FILE      write the chart as PNG to FILE and exit, with no window\n"
    "  --export-csv FILE      write the series as CSV to FILE and exit, with no window\n"
    "                         (both may be given; they need no display when a FOLDER\n"
    "                         or FILE is named)\n"
    "  --family NAME          the family to show or export: processors, memory, ip,\n"
    "                         icmp, tcp or udp (default: processors)\n"
    "  --day YYYY-MM-DD       the day to show or export (default: the latest)\n"
    "  --version              print the version and exit\n"
    "  --help                 print this help and exit\n";

struct CommandLine {
    std::string programFolder, display, exportPng, exportCsv, family, day;
    std::vector<std::string> paths;
    double runFor = -1;
    int scale = 0;
};

std::optional<int> parse(int argc, char** argv, CommandLine& cl) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (const auto code = vel::app::infoOption(a, kUsage, "Logscope (VELMORA v2) " + vel::versionText())) return code;
        // The main bar starts us with this word; it asks for nothing.
        if (a == "QRT") continue;
        if (a.size() < 2 || a.compare(0, 2, "--") != 0) {
            cl.paths.push_back(a);
            continue;
        }
        std::string v;
        if (!vel::app::takeValue("logscope",
                                 {"--program-folder", "--run-for", "--display", "--scale", "--export-png", "--export-csv",
                                  "--family", "--day"},
                                 argc, argv, i, v))
            return 2;
        if (a == "--program-folder") cl.programFolder = v;
        if (a == "--display") cl.display = v;
        if (a == "--export-png") cl.exportPng = v;
        if (a == "--export-csv") cl.exportCsv = v;
        if (a == "--family") cl.family = v;
        if (a == "--day") cl.day = v;
        if (a == "--scale" && !vel::app::readScale("logscope", v, cl.scale)) return 2;
        if (a == "--run-for" && !vel::app::readSeconds("logscope", v, cl.runFor)) return 2;
    }
    return std::nullopt;
}

// Where exports go when the logs' own folder takes none.
std::string homeFolder() {
    for (const char* name : {"HOME", "USERPROFILE"})
        if (const char* v = std::getenv(name); v && *v) return v;
    return {};
}

std::string folderOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? "." : path.substr(0, cut == 0 ? 1 : cut);
}

// The index in `days` of "YYYY-MM-DD"; -1 for the latest, -2 for a day the logs do not have.
int dayIndex(const std::string& text, const std::vector<vel::logscope::Day>& days) {
    if (text.empty()) return -1;
    int y = 0, m = 0, d = 0;
    char dash1 = 0, dash2 = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c%d", &y, &dash1, &m, &dash2, &d) != 5 || dash1 != '-' || dash2 != '-')
        return -2;
    const std::int64_t start = vel::platform::daysFromCivil(y, m, d) * vel::logscope::kDayMs;
    for (std::size_t i = 0; i < days.size(); ++i)
        if (days[i].start == start) return static_cast<int>(i);
    return -2;
}

// Writes the chart and the series of the chosen family and day, with no window.
int exportHeadless(vel::platform::Files& files, const CommandLine& cl, const vel::logscope::LogSet& logs,
                   vel::logscope::Family family, int day) {
    using namespace vel::logscope;
    ChartView view;
    view.reset(logs.first(), logs.last());
    if (day >= 0) view.showDay(daysOf(logs)[static_cast<std::size_t>(day)].start);
    const std::vector<const Series*> series = logs.present(family);
    int failed = 0;
    const auto write = [&](const std::string& path, const std::string& bytes) {
        if (!bytes.empty() && files.replaceFile(path, bytes)) {
            std::cout << "Wrote " << path << "\n";
        } else {
            std::cerr << "logscope: cannot write " << path << "\n";
            ++failed;
        }
    };
    if (!cl.exportPng.empty()) {
        vel::Pixels chart(kChartWidth, kChartHeight);
        std::vector<Reduced> work;
        drawChart(chart, series, view.span(), work);
        write(cl.exportPng, vel::gfx::encodePng(chart));
    }
    if (!cl.exportCsv.empty()) write(cl.exportCsv, csvOf(series, view.span()));
    return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vel;
    CommandLine cl;
    if (auto code = parse(argc, argv, cl)) return *code;
    const int family = cl.family.empty() ? 0 : logscope::familyOfName(cl.family);
    if (family < 0) {
        std::cerr << "logscope: no family '" << cl.family << "' (see --help)\n";
        return 2;
    }
    const bool headless = !cl.exportPng.empty() || !cl.exportCsv.empty();
    platform::NativeOptions options;
    options.programFolder = cl.programFolder;
    // Started by the program's button: its folder, wherever this file is.
    if (const char* folder = std::getenv(platform::kProgramFolderVariable); options.programFolder.empty() && folder)
        options.programFolder = folder;
    options.display = cl.display;
    options.scale = cl.scale;
    std::string error;
    std::unique_ptr<platform::Platform> os = platform::createNativePlatform(options, error);
    // Exporting named logs needs no desktop: the files are all it reads.
    if (!os && headless && !cl.paths.empty()) os = std::make_unique<platform::SimPlatform>();
    if (!os) {
        std::cerr << "logscope: " << error << "\n";
        return 1;
    }
    platform::Files& files = os->files();
    std::string where, logsFolder;
    std::vector<std::string> notes;
    logscope::LogSet logs;
    if (cl.paths.size() <= 1 && (cl.paths.empty() || files.fileKind(cl.paths[0]) == platform::FileKind::Directory)) {
        where = cl.paths.empty() ? os->programFolder() + os->pathSeparator() + "logs" : cl.paths[0];
        logsFolder = where;
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
        logsFolder = folderOf(where);
        std::vector<std::string> unread;
        logs = logscope::LogSet::openFiles(*os, cl.paths, unread);
        for (const std::string& p : unread) notes.push_back("Cannot read " + p + " as a log file");
    }
    const int day = dayIndex(cl.day, logscope::daysOf(logs));
    if (day == -2) {
        std::cerr << "logscope: no logs of the day '" << cl.day << "' (give it as YYYY-MM-DD)\n";
        return 2;
    }
    if (headless) return exportHeadless(files, cl, logs, static_cast<logscope::Family>(family), day);
    forms::Runtime ui(*os);
    logscope::FrmLogscope window(ui, where, std::move(logs), std::move(notes), {logsFolder, homeFolder()});
    window.setFamily(static_cast<logscope::Family>(family));
    if (day >= 0) window.showDay(day);
    if (cl.runFor >= 0)
        os->startTimer(static_cast<std::uint32_t>(cl.runFor * 1000), [&] { window.unload(); });
    window.show();
    return os->runLoop();
}
