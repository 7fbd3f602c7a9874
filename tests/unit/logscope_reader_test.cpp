// Logscope reads back what the program's own logger wrote: the logger runs
// on the simulated machine with known values, across midnight and a new
// year, with a counter passing 2^31, a family's file missing and lines
// that cannot be read; the series must hold those values point by point.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "log_rig.h"
#include "logscope/log_reader.h"
#include "platform/common/civil_date.h"

using namespace vel;
using namespace vel::logscope;

namespace {

std::int64_t msAt(int y, int mo, int d, int h, int mi, int s, int ms) {
    return ((platform::daysFromCivil(y, mo, d) * 24 + h) * 60 + mi) * 60000 + s * 1000 + ms;
}

}  // namespace

TEST(LogscopeReader, SeriesReadBackWhatTheLoggerWrotePointByPoint) {
    test::LogRig rig(2);
    rig.setClock(2026, 12, 31, 23, 59, 50, 250);
    // A flush at every tick and a new name at every flush: each tick's
    // lines land in the file of its own hour.
    rig.start("LOGEnable=1\nLOGTiming=10\nLOGWrite=0\nNEWLOG=7\ncapCPU=1\ncapMEM=1\ncapNET=1\n");
    platform::MemoryStatusEx mem;
    mem.totalPhys = 1000, mem.availPhys = 435, mem.totalVirtual = 800, mem.availVirtual = 200;
    mem.totalPageFile = 4000, mem.availPageFile = 1;
    rig.m.sim.simSources().setMemory(mem);
    platform::MibUdpStats udp;
    udp.dwInDatagrams = 0x7FFFFFF8u;  // passes 2^31 on the third tick
    udp.dwNoPorts = 0x80000005u;      // a level past 2^31 from the start
    rig.m.sim.simSources().setUdp(udp);
    platform::MibTcpStats tcp;
    tcp.dwCurrEstab = 7;
    rig.m.sim.simSources().setTcp(tcp);

    std::vector<std::int64_t> times;
    std::vector<double> cpu0, cpu1, mean, udpIn;
    for (int i = 0; i < 20; ++i) {
        const int s = 50 + i;
        rig.setClock(s < 60 ? 2026 : 2027, s < 60 ? 12 : 1, s < 60 ? 31 : 1, s < 60 ? 23 : 0, s < 60 ? 59 : 0, s % 60,
                     250);
        times.push_back(msAt(2026, 12, 31, 23, 59, 50, 250) + i * 1000);
        rig.setLoad(0, 5 * i);
        rig.setLoad(1, 3 * i);
        cpu0.push_back(5 * i);
        cpu1.push_back(3 * i);
        mean.push_back(4 * i);
        if (i > 0) rig.m.sim.simSources().advanceUdp(3, 1);
        udpIn.push_back(i > 0 ? 3 : 0);  // the first line is the baseline's
        rig.ticks(1);
    }
    ASSERT_TRUE(std::filesystem::exists(rig.logs() / "a2027-01-01-00.log"));
    // Memory's file of the new year's first hour is gone, and the
    // processors' one ends in lines that cannot be read.
    std::filesystem::remove(rig.logs() / "b2027-01-01-00.log");
    std::ofstream(rig.logs() / "a2027-01-01-00.log", std::ios::binary | std::ios::app)
        << "12/31/26, 25:00:00.0000, 0, 0, 5\r\ngarbage\r\n01/01/27, 00:00:10.0250, 0, 0, 1";

    const std::string folder = rig.logs().string();
    const std::vector<Period> periods = findPeriods(rig.m.sim.files(), folder);
    ASSERT_EQ(periods.size(), 2u);
    EXPECT_EQ(periods[0].name, "2026-12-31-23.log");
    EXPECT_EQ(periods[0].families, 0b111111);
    EXPECT_EQ(periods[1].families, 0b111101) << "no memory file";

    const LogSet set = LogSet::open(rig.m.sim, folder, periods);
    ASSERT_EQ(set.skipped().size(), 1u);
    EXPECT_EQ(set.skipped()[0].text(), "3 lines skipped in a2027-01-01-00.log");
    EXPECT_EQ(set.first(), times.front());
    EXPECT_EQ(set.last(), times.back());

    const Series& c0 = set.series(Family::Processors, 0);
    EXPECT_EQ(c0.time, times) << "one time line across midnight and the new year";
    EXPECT_EQ(c0.value, cpu0);
    EXPECT_EQ(set.series(Family::Processors, 1).value, cpu1);
    EXPECT_EQ(set.series(Family::Processors, 9).value, mean);
    EXPECT_TRUE(set.series(Family::Processors, 2).empty());

    const Series& phys = set.series(Family::Memory, 0);
    EXPECT_EQ(phys.time, std::vector<std::int64_t>(times.begin(), times.begin() + 10)) << "a gap, not an error";
    EXPECT_EQ(phys.value, std::vector<double>(10, 43.5));
    EXPECT_EQ(set.series(Family::Memory, 1).value, std::vector<double>(10, 25));
    EXPECT_EQ(set.series(Family::Memory, 2).value, std::vector<double>(10, 0.025));

    EXPECT_EQ(set.series(Family::UDP, 0).time, times);
    EXPECT_EQ(set.series(Family::UDP, 0).value, udpIn) << "growth per second, across 2^31 too";
    EXPECT_EQ(set.series(Family::UDP, 2).value, std::vector<double>(20, 2147483653.0)) << "a level past 2^31";
    EXPECT_EQ(set.series(Family::TCP, 0).value, std::vector<double>(20, 7));
    EXPECT_EQ(set.series(Family::IP, 0).value, std::vector<double>(20, 0));
    EXPECT_EQ(set.present(Family::Processors).size(), 3u);
}

// The reader on bytes alone: what a line may hold and what it may not.
TEST(LogscopeReader, LinesFromBytes) {
    LogSet set;
    set.addFile('f', "f2026-12-06-14.log",
                "12/06/26, 14:05:09.0042, 5, 0, 0\r\n"
                "12/06/26, 14:05:11.0042, 5, 0, -4294967295\r\n"  // one step across 2^31, two seconds
                "12/06/26, 14:05:12.0042, 5, 0, 10\n"             // no CR: still the line
                "12/06/26, 14:05:13.0042, 4, 0, 10\r\n"           // another family's type
                "12/06/26, 14:05:13.0042, 5, C, 10\r\n"           // no such field
                "02/30/26, 14:05:13.0042, 5, 0, 10\r\n"           // no such day
                "12/06/26, 14:05:13.1042, 5, 0, 10\r\n"           // five-digit milliseconds
                "12/06/26, 14:05:13.0042, 5, 0, 1x\r\n"
                "12/06/26, 14:05:13.0042, 5, 0, \r\n");
    set.addFile('b', "b2026-12-06-14.log", "12/06/26, 14:05:09.0042, 1, 3, 43.1234\r\n12/06/26, 14:05:09.0042, 1, 3, 4.\r\n");
    set.addFile('g', "g2026-12-06-14.log", "anything");
    set.finish();
    ASSERT_EQ(set.skipped().size(), 2u);
    EXPECT_EQ(set.skipped()[0].text(), "6 lines skipped in f2026-12-06-14.log");
    EXPECT_EQ(set.skipped()[1].text(), "1 line skipped in b2026-12-06-14.log");
    const Series& in = set.series(Family::UDP, 0);
    EXPECT_EQ(in.time, (std::vector<std::int64_t>{msAt(2026, 12, 6, 14, 5, 9, 42), msAt(2026, 12, 6, 14, 5, 11, 42),
                                                  msAt(2026, 12, 6, 14, 5, 12, 42)}));
    EXPECT_EQ(in.value, (std::vector<double>{0, 0.5, 10}));
    EXPECT_NEAR(set.series(Family::Memory, 3).value.at(0), 43.1234, 1e-9);
    EXPECT_EQ(set.lineCount(), 4u);
}
