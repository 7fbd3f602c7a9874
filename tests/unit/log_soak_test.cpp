// A day of logging at ten ticks a second with every writer and every module
// on, in virtual time: every line arrives, readable, in 24 files per
// family, and the heap holds no more blocks at the end than after two hours.
#include <gtest/gtest.h>

#include <ctime>

#include "log_rig.h"
#include "logging/log_files.h"
#include "support/allocation_counter.h"
#include "support/log_lines.h"

using namespace vel;
namespace fs = std::filesystem;

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
    const std::int64_t midnightSeconds = *logFileHour("a2026-12-06-00.log");
    // Reads back and removes every file of the hours before the current name.
    auto collect = [&](bool all) {
        for (const std::string& name : rig.names()) {
            if (!all && name.substr(1) >= rig.log().fileName()) continue;
            const int family = name[0] - 'a';
            ASSERT_TRUE(family >= 0 && family < kLogCount) << name;
            const long n = test::readableLogLines(name, test::readFile(rig.logs() / name), 2);
            ASSERT_GE(n, 0) << name;
            lines[family] += n;
            const std::int64_t h = (logFileHour(name).value_or(0) - midnightSeconds) / 3600;
            ++(h >= 0 && h < 24 ? filesSeen[family][h] : filesElsewhere);
            fs::remove(rig.logs() / name);
        }
    };
    const std::int64_t midnight = rig.engineLoadedAt();
    long liveAfterHour2 = 0;  // the first files read back, and Logscope's tables with them
    for (int hour = 1; hour <= 24; ++hour) {
        // The last tick of the day at 23:59:59.9.
        const std::int64_t until = midnight + hour * 3'600'000 - (hour == 24 ? 50 : 0);
        rig.m.sim.advance(static_cast<std::uint64_t>(until - rig.m.sim.nowMs()));
        collect(false);
        if (hour == 2) liveAfterHour2 = test::liveAllocations();
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
        EXPECT_EQ(lines[f], ticks * static_cast<long>(test::logFieldOrder(f, 2).size())) << "family " << f;
        for (int h = 0; h < 24; ++h) EXPECT_EQ(filesSeen[f][h], 1) << "family " << f << " hour " << h;
    }
    EXPECT_EQ(filesElsewhere, 0) << "files named outside 2026-12-06";
    EXPECT_EQ(liveAfterHour24, liveAfterHour2) << "heap blocks held after hour 2 and after hour 24";
    // Processor time, so a machine busy with other work does not fail it.
    const double seconds = static_cast<double>(std::clock() - began) / CLOCKS_PER_SEC;
    RecordProperty("processor_seconds", std::to_string(seconds));
    EXPECT_LT(seconds, 60.0);
}
