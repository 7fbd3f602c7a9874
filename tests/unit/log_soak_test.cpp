// A day of logging at ten ticks a second with every writer and every module
// on, in virtual time: every line arrives, well formed, in 24 files per
// family, and the heap holds no more blocks at the end than after an hour.
#include <gtest/gtest.h>

#include <ctime>

#include "log_rig.h"
#include "logging/log_files.h"
#include "support/allocation_counter.h"

using namespace vel;
namespace fs = std::filesystem;

namespace {

constexpr const char* kFieldOrder[kLogCount] = {"019", "0123", "0123456789AB", "01234", "0123456789A", "01234"};

// Whether P starts like SHAPE, where '#' stands for any digit.
bool shaped(const char* p, const std::string& shape) {
    for (std::size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == '#' ? p[i] < '0' || p[i] > '9' : p[i] != shape[i]) return false;
    return true;
}

// Counts the lines of one log file, checking each character by character:
// "mm/dd/yy, hh:nn:ss.0mmm, T, F, value" and CR LF, the fields in their
// order tick after tick. Returns -1 at the first malformed line.
long parseLogFile(const std::string& text, int family, std::string& problem) {
    const std::string order = kFieldOrder[family];
    std::vector<std::string> heads;
    for (char field : order)
        heads.push_back(std::string("##/##/##, ##:##:##.0###, ") + kLogFamilies[static_cast<std::size_t>(family)].type +
                        ", " + field + ", ");
    std::size_t expect = 0;
    long count = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* line = p;
        bool ok = end - p > 33 && shaped(p, heads[expect]);
        p += 31;
        if (ok && *p == '-') ++p;
        const char* num = p;
        while (ok && p < end && *p >= '0' && *p <= '9') ++p;
        ok = ok && p > num;
        if (ok && p < end && *p == '.') {
            const char* frac = ++p;
            while (p < end && *p >= '0' && *p <= '9') ++p;
            ok = p > frac && p - frac <= 4 && p[-1] != '0';
        }
        ok = ok && end - p >= 2 && p[0] == '\r' && p[1] == '\n';
        if (!ok) {
            problem =
                "line " + std::to_string(count + 1) + ": " + std::string(line, std::min<std::size_t>(60, end - line));
            return -1;
        }
        p += 2;
        expect = (expect + 1) % order.size();
        ++count;
    }
    if (expect != 0) {
        problem = "the file ends inside a tick's lines";
        return -1;
    }
    return count;
}

}  // namespace

TEST(LogSoak, ADayAtTenTicksASecondLosesNoLineAndKeepsTheHeapFlat) {
    const std::clock_t began = std::clock();
    test::LogRig rig(2);
    // The engine loads 7.5 s into start-up: at midnight.
    rig.setClock(2026, 12, 5, 23, 59, 52, 500);
    std::string settings =
        "LOGEnable=1\nLOGTiming=1\nLOGWrite=1\nNEWLOG=0\ncapCPU=1\ncapMEM=1\ncapNET=1\n"
        "LOGUnsaved=1\nCPUCLOCK=10\nNETCLOCK=10\nMEMCLOCK=10\n";
    for (int v = 0; v <= 8; ++v) settings += "Visi" + std::to_string(v) + "=1\n";
    rig.start(settings);
    rig.m.sim.advance(2000);  // the splash has gone

    // Files read back per family and hour of the day (fixed arrays: the
    // test's own bookkeeping must not hold heap blocks).
    int filesSeen[kLogCount][24] = {};
    int filesElsewhere = 0;
    long lines[kLogCount] = {};
    // Reads back and removes every file of the hours before the current name.
    auto collect = [&](bool all) {
        for (const std::string& name : rig.names()) {
            if (!all && name.substr(1) >= rig.log().fileName()) continue;
            const int family = name[0] - 'a';
            ASSERT_TRUE(family >= 0 && family < kLogCount) << name;
            std::string problem;
            const long n = parseLogFile(test::readFile(rig.logs() / name), family, problem);
            ASSERT_GE(n, 0) << name << " " << problem;
            lines[family] += n;
            const auto hour = logFileHour(name);
            const auto midnightSeconds = logFileHour("a2026-12-06-00.log");
            const std::int64_t h = hour ? (*hour - *midnightSeconds) / 3600 : -1;
            if (h >= 0 && h < 24)
                ++filesSeen[family][h];
            else
                ++filesElsewhere;
            fs::remove(rig.logs() / name);
        }
    };
    const std::int64_t midnight = rig.engineLoadedAt();
    long liveAfterHour1 = 0;
    for (int hour = 1; hour <= 24; ++hour) {
        // The last tick of the day at 23:59:59.9.
        const std::int64_t until = midnight + hour * 3'600'000 - (hour == 24 ? 50 : 0);
        rig.m.sim.advance(static_cast<std::uint64_t>(until - rig.m.sim.nowMs()));
        collect(false);
        if (hour == 1) liveAfterHour1 = test::liveAllocations();
    }
    const long liveAfterHour24 = test::liveAllocations();
    rig.app().end(0);  // --run-for's end: the unsaved lines are written
    collect(true);

    const long ticks = static_cast<long>(rig.engine().tmrLOG->ticks());
    // A day of ticks; the odd one goes to the virtual microseconds that the
    // modules' busy-waits and counter reads spend.
    EXPECT_GT(ticks, 863'900);
    EXPECT_LE(ticks, 864'000);
    for (int f = 0; f < kLogCount; ++f) {
        EXPECT_EQ(lines[f], ticks * static_cast<long>(std::string(kFieldOrder[f]).size())) << "family " << f;
        for (int h = 0; h < 24; ++h) EXPECT_EQ(filesSeen[f][h], 1) << "family " << f << " hour " << h;
    }
    EXPECT_EQ(filesElsewhere, 0) << "files named outside 2026-12-06";
    EXPECT_EQ(liveAfterHour24, liveAfterHour1) << "heap blocks held after hour 1 and after hour 24";
    // Processor time, so a machine busy with other work does not fail it.
    const double seconds = static_cast<double>(std::clock() - began) / CLOCKS_PER_SEC;
    RecordProperty("processor_seconds", std::to_string(seconds));
    EXPECT_LT(seconds, 60.0);
}
