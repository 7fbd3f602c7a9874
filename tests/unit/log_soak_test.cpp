// Three hours of logging with every writer and every module on, in virtual
// time: every line arrives, readable, in one file per family and hour, and
// the hourly new names keep no heap block.
#include <gtest/gtest.h>

#include "log_rig.h"
#include "logging/log_files.h"
#include "support/allocation_counter.h"
#include "support/log_lines.h"

using namespace vel;

TEST(LogSoak, HoursOfLoggingLoseNoLineAndKeepTheHeapFlat) {
    test::LogRig rig(2);
    // The engine loads 7.5 s into start-up: at midnight.
    rig.setClock(2026, 12, 5, 23, 59, 52, 500);
    std::string settings =
        "LOGEnable=1\nLOGTiming=10\nLOGWrite=1\nNEWLOG=0\ncapCPU=1\ncapMEM=1\ncapNET=1\n"
        "LOGUnsaved=1\nCPUCLOCK=10\nNETCLOCK=10\nMEMCLOCK=10\n";
    for (int v = 0; v <= 8; ++v) settings += "Visi" + std::to_string(v) + "=1\n";
    rig.start(settings);
    const std::int64_t midnight = rig.engineLoadedAt();
    long liveAfterHour1 = 0;
    for (int hour = 1; hour <= 3; ++hour) {
        rig.m.sim.advance(static_cast<std::uint64_t>(midnight + hour * 3'600'000 - 500 - rig.m.sim.nowMs()));
        if (hour == 1) liveAfterHour1 = test::liveAllocations();
    }
    EXPECT_EQ(test::liveAllocations(), liveAfterHour1) << "heap blocks held after hour 1 and after hour 3";
    rig.app().end(0);  // --run-for's end: the unsaved lines are written

    const long ticks = static_cast<long>(rig.engine().tmrLOG->ticks());
    EXPECT_GT(ticks, 3 * 3600 - 10);
    std::vector<std::string> hourly;
    for (char family = 'a'; family <= 'f'; ++family)
        for (char hour = '0'; hour <= '2'; ++hour)
            hourly.push_back(family + std::string("2026-12-06-0") + hour + ".log");
    ASSERT_EQ(rig.names(), hourly);
    long lines[kLogCount] = {};
    for (const std::string& name : hourly) {
        const long n = test::readableLogLines(name, test::readFile(rig.logs() / name), 2);
        EXPECT_GE(n, 0) << name;
        lines[name[0] - 'a'] += n;
    }
    for (int f = 0; f < kLogCount; ++f)
        EXPECT_EQ(lines[f], ticks * static_cast<long>(test::logFieldOrder(f, 2).size())) << "family " << f;
}
