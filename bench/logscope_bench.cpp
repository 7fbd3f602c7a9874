// Logscope on a week of logs at a tick a second (LOGTIMING 10): each of
// the six families holds one value a tick, 604,800 lines in 168 hourly
// files. Opening reads and parses all of them; a redraw reduces the
// processor view's series over a panned span to a 1000-pixel-wide plot
// and draws it.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "logscope/chart.h"
#include "logscope/periods.h"
#include "platform/common/civil_date.h"
#include "platform/sim/sim_platform.h"

namespace vel {
namespace {

namespace fs = std::filesystem;

constexpr int kHours = 7 * 24;

// The week's files, written once for the whole run.
class Week {
public:
    Week() {
        std::string pattern = (fs::temp_directory_path() / "logscope-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        folder_ = pattern;
        const std::int64_t day0 = platform::daysFromCivil(2026, 11, 30);
        std::string text;
        for (int hour = 0; hour < kHours; ++hour) {
            int y, mo, d;
            platform::civilFromDays(day0 + hour / 24, y, mo, d);
            char name[32];
            std::snprintf(name, sizeof name, "%04d-%02d-%02d-%02d.log", y, mo, d, hour % 24);
            for (int family = 0; family < 6; ++family) {
                text.clear();
                const char type = "013245"[family];
                for (int s = 0; s < 3600; ++s) {
                    const long tick = hour * 3600L + s;
                    // A value that moves: a slow wave plus some noise.
                    const long value = family == 0 ? (tick / 60 % 100 + tick * 7919 % 13) % 101
                                                   : tick * 2654435761L % (family == 1 ? 100 : 5000);
                    char line[64];
                    const int n = std::snprintf(line, sizeof line, "%02d/%02d/%02d, %02d:%02d:%02d.0%03d, %c, 0, %ld\r\n",
                                                mo, d, y % 100, hour % 24, s / 60, s % 60, 123, type, value);
                    text.append(line, static_cast<std::size_t>(n));
                }
                bytes_ += text.size();
                std::ofstream(folder_ / (std::string(1, static_cast<char>('a' + family)) + name), std::ios::binary)
                    << text;
            }
        }
    }
    ~Week() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    std::string folder() const { return folder_.string(); }
    std::size_t bytes() const { return bytes_; }

private:
    fs::path folder_;
    std::size_t bytes_ = 0;
};

const Week& week() {
    static const Week w;
    return w;
}

void BM_LogscopeOpenWeek(benchmark::State& state) {
    platform::SimPlatform os;
    const Week& w = week();
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto periods = logscope::findPeriods(os.files(), w.folder());
        const logscope::LogSet set = logscope::LogSet::open(os, w.folder(), periods);
        lines = set.lineCount();
        // The window lists the days as it opens.
        benchmark::DoNotOptimize(logscope::daysOf(set));
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["MB"] = static_cast<double>(w.bytes()) / 1e6;
    state.SetBytesProcessed(static_cast<std::int64_t>(w.bytes() * state.iterations()));
}
BENCHMARK(BM_LogscopeOpenWeek)->Unit(benchmark::kMillisecond)->Iterations(5);

// The argument is the span shown, in hours; each redraw pans it a minute.
void BM_LogscopeRedraw(benchmark::State& state) {
    platform::SimPlatform os;
    const Week& w = week();
    const logscope::LogSet set = logscope::LogSet::open(os, w.folder(), logscope::findPeriods(os.files(), w.folder()));
    const std::vector<const logscope::Series*> shown = set.present(logscope::Family::Processors);
    const std::int64_t span = state.range(0) * 3600000;
    const std::int64_t from0 = set.first() + (set.last() - set.first() - span) / 2;
    Pixels picture(1052 + 10, 420);  // a 1000-pixel plot
    std::vector<logscope::Reduced> work;
    std::int64_t pan = 0;
    for (auto _ : state) {
        const std::int64_t from = from0 + (pan++ % 120 - 60) * 60000;
        logscope::drawChart(picture, shown, {from, from + span}, work);
        benchmark::DoNotOptimize(picture.data.data());
    }
}
BENCHMARK(BM_LogscopeRedraw)->Arg(6)->Arg(168)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vel
