// The log writers and the flush: which lines, in what form, when they reach
// the files and under which names; and what the logger does to the logs
// folder beyond appending: a failed open, the unsaved lines at an orderly
// end, old files, links and foreign files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "core/frm_main.h"
#include "log_rig.h"
#include "logging/log_files.h"
#include "platform/linux/files.h"
#include "support/allocation_counter.h"

using namespace vel;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {
void touch(const fs::path& p, const std::string& text = "keep\r\n") { std::ofstream(p, std::ios::binary) << text; }

// Logging on with only the given capture, the timer left to the test.
std::string logging(const std::string& capture, int timing = 10, int write = 1) {
    return "LOGEnable=1\nLOGTiming=" + std::to_string(timing) + "\nLOGWrite=" + std::to_string(write) + "\n" + capture;
}
}  // namespace

TEST(LogFlush, TicksBetweenFlushesRoundHalfToEvenInSinglePrecision) {
    EXPECT_EQ(LogWriter::flushTicks(10, 5), 300);
    EXPECT_EQ(LogWriter::flushTicks(10, 1), 60);
    EXPECT_EQ(LogWriter::flushTicks(16, 1), 38) << "37.5";
    EXPECT_EQ(LogWriter::flushTicks(48, 1), 12) << "12.5";
    EXPECT_EQ(LogWriter::flushTicks(7, 3), 257);
    EXPECT_EQ(LogWriter::flushTicks(1, 60), 32767) << "held to the 16-bit counter";
    EXPECT_EQ(LogWriter::flushTicks(10, 0), 0) << "every tick";
}

// The first flush on tick N + 1: tests/scenarios/logging.
TEST(LogFlush, AfterTheFirstFlushEveryNPlusOneTicks) {
    test::LogRig rig;
    rig.start(logging("capCPU=1\n"));  // N = 60
    rig.ticks(61);
    const std::string name = "a" + rig.log().fileName();
    ASSERT_EQ(rig.lines(name).size(), 183u) << "three lines a tick with two processors";
    EXPECT_EQ(rig.log().buffer(kLogCPU).count, 0);
    EXPECT_EQ(rig.log().flushCounter(), 0);
    rig.ticks(60);
    EXPECT_EQ(rig.lines(name).size(), 183u);
    rig.ticks(1);
    EXPECT_EQ(rig.lines(name).size(), 366u);
}

TEST(LogFlush, AllSixFilesAreOpenedEvenWithNothingToWrite) {
    test::LogRig rig;
    rig.start(logging("capCPU=0\ncapMEM=1\n", 10, 0));  // a flush every tick
    rig.ticks(1);
    const std::string name = rig.log().fileName();
    EXPECT_EQ(rig.names(), (Lines{"a" + name, "b" + name, "c" + name, "d" + name, "e" + name, "f" + name}));
    EXPECT_TRUE(rig.lines("a" + name).empty());
    EXPECT_TRUE(rig.lines("c" + name).empty());
    EXPECT_EQ(rig.lines("b" + name).size(), 4u);
}

TEST(LogLines, OneProcessorHasNoMeanAndFourHaveEveryField) {
    {
        test::LogRig rig(1);
        rig.start(logging("capCPU=1\n", 10, 0));
        rig.setLoad(0, 57);
        rig.ticks(1);
        EXPECT_EQ(rig.values("a" + rig.log().fileName()), (Lines{"0, 0, 57"}));
    }
    {
        test::LogRig rig(4);
        rig.start(logging("capCPU=1\n", 10, 0));
        for (int p = 0; p < 4; ++p) rig.setLoad(p, 10 + p);  // mean 11.5
        rig.ticks(1);
        EXPECT_EQ(rig.values("a" + rig.log().fileName()),
                  (Lines{"0, 0, 10", "0, 1, 11", "0, 2, 12", "0, 3, 13", "0, 9, 12"}));
    }
}

TEST(LogLines, MemorySharesHaveAtMostFourDecimalsAndNoTrailingZeros) {
    test::LogRig rig;
    platform::MemoryStatusEx mem;
    mem.totalPhys = 1000, mem.availPhys = 435;
    mem.totalVirtual = 1000000, mem.availVirtual = 431234;
    mem.totalPageFile = 100, mem.availPageFile = 43;
    rig.m.sim.simSources().setMemory(mem);
    rig.start(logging("capMEM=1\n", 10, 0));
    rig.ticks(1);
    // Load: (565 + 568766 + 57) / 1001100 = 0.5688 at four places.
    EXPECT_EQ(rig.values("b" + rig.log().fileName()),
              (Lines{"1, 0, 43.5", "1, 1, 43.1234", "1, 2, 43", "1, 3, 56.88"}));
}

// NEWLOG 0 names a new file every hour: log_soak_test's day of files.
TEST(LogNames, NewlogThreeKeepsOneNameForEightHours) {
    test::LogRig rig(1);
    rig.setClock(2026, 12, 6, 0, 0, 0);
    rig.start(logging("capCPU=1\nNEWLOG=3\n", 50, 5));  // a flush every 5 min
    rig.m.sim.advance(9 * 3600 * 1000);
    Lines files;
    for (const std::string& n : rig.names())
        if (n[0] == 'a') files.push_back(n);
    EXPECT_EQ(files, (Lines{"a2026-12-06-00.log", "a2026-12-06-08.log"}));
}

TEST(LogNames, AnyOtherNewlogPicksANameAtEachFlushAndNamesChangeOnlyAtAFlush) {
    test::LogRig rig(1);
    rig.start(logging("capCPU=1\nNEWLOG=7\n", 10, 1));
    rig.setClock(2026, 12, 6, 9, 59, 0);
    rig.ticks(61);
    EXPECT_EQ(rig.log().fileName(), "2026-12-06-09.log");
    rig.setClock(2026, 12, 6, 10, 0, 30);
    rig.ticks(60);
    EXPECT_EQ(rig.log().fileName(), "2026-12-06-09.log") << "no flush yet";
    rig.ticks(1);
    EXPECT_EQ(rig.log().fileName(), "2026-12-06-10.log");
    EXPECT_EQ(rig.lines("a2026-12-06-10.log").size(), 61u) << "the lines of 09:59 go to the file of the flush";
}

TEST(LogNetwork, FirstLinesShowNoGrowthAndACounterAtZeroStartsCountingWhenItGrows) {
    test::LogRig rig;
    platform::MibTcpStats tcp;
    tcp.dwCurrEstab = 4, tcp.dwNumConns = 9, tcp.dwInSegs = 1000, tcp.dwOutSegs = 500;
    rig.m.sim.simSources().setTcp(tcp);
    rig.start(logging("capNET=1\n", 10, 0));
    rig.ticks(1);
    const std::string e = "e" + rig.log().fileName();
    EXPECT_EQ(rig.values(e), (Lines{"4, 0, 4", "4, 1, 0", "4, 2, 9", "4, 3, 0", "4, 4, 0", "4, 5, 0", "4, 6, 0",
                                    "4, 7, 0", "4, 8, 0", "4, 9, 0", "4, A, 0"}));
    tcp.dwInSegs = 1010, tcp.dwOutRsts = 5, tcp.dwCurrEstab = 2;
    rig.m.sim.simSources().setTcp(tcp);
    rig.ticks(1);
    Lines v = rig.values(e);
    EXPECT_EQ(v[11], "4, 0, 2") << "raw";
    EXPECT_EQ(v[17], "4, 6, 10");
    EXPECT_EQ(v[21], "4, A, 0") << "its first growth from 0 is not counted";
    tcp.dwOutRsts = 8;
    rig.m.sim.simSources().setTcp(tcp);
    rig.ticks(1);
    EXPECT_EQ(rig.values(e).back(), "4, A, 3");
}

// A delta across 2^31 is in tests/scenarios/logging.
TEST(LogNetwork, ARawCounterPastTwoToTheThirtyOneIsReadAsSigned) {
    test::LogRig rig;
    platform::MibUdpStats udp;
    udp.dwNoPorts = 0x80000005u;
    rig.m.sim.simSources().setUdp(udp);
    rig.start(logging("capNET=1\n", 10, 0));
    rig.ticks(1);
    EXPECT_EQ(rig.values("f" + rig.log().fileName())[2], "5, 2, -2147483643");
}

TEST(LogNetwork, IcmpAndIpFieldsInTheirTablesOrder) {
    test::LogRig rig;
    platform::MibIcmp icmp;
    platform::MibIpStats ip;
    rig.m.sim.simSources().setIcmp(icmp);
    rig.m.sim.simSources().setIp(ip);
    rig.start(logging("capNET=1\n", 10, 0));
    rig.ticks(1);  // every baseline 0: they start with the next growth
    std::uint32_t* in[] = {&icmp.inStats.dwMsgs,    &icmp.inStats.dwEchos,         &icmp.inStats.dwEchoReps,
                           &icmp.inStats.dwErrors,  &icmp.inStats.dwDestUnreachs,  &icmp.inStats.dwTimeExcds,
                           &icmp.outStats.dwMsgs,   &icmp.outStats.dwEchos,        &icmp.outStats.dwEchoReps,
                           &icmp.outStats.dwErrors, &icmp.outStats.dwDestUnreachs, &icmp.outStats.dwTimeExcds};
    for (auto* c : in) *c = 100;
    ip.dwInReceives = ip.dwInDelivers = ip.dwInDiscards = ip.dwInAddrErrors = ip.dwOutRequests = 100;
    rig.m.sim.simSources().setIcmp(icmp);
    rig.m.sim.simSources().setIp(ip);
    rig.ticks(1);
    for (int i = 0; i < 12; ++i) *in[i] += static_cast<std::uint32_t>(i + 1);
    ip.dwInReceives += 1, ip.dwInDelivers += 2, ip.dwInDiscards += 3, ip.dwInAddrErrors += 4, ip.dwOutRequests += 5;
    rig.m.sim.simSources().setIcmp(icmp);
    rig.m.sim.simSources().setIp(ip);
    rig.ticks(1);
    const Lines c = rig.values("c" + rig.log().fileName());
    const Lines d = rig.values("d" + rig.log().fileName());
    EXPECT_EQ(Lines(c.end() - 12, c.end()),
              (Lines{"3, 0, 1", "3, 1, 2", "3, 2, 3", "3, 3, 4", "3, 4, 5", "3, 5, 6", "3, 6, 7", "3, 7, 8", "3, 8, 9",
                     "3, 9, 10", "3, A, 11", "3, B, 12"}));
    EXPECT_EQ(Lines(d.end() - 5, d.end()), (Lines{"2, 0, 1", "2, 1, 2", "2, 2, 3", "2, 3, 4", "2, 4, 5"}));
}

TEST(LogCost, AWarmTickWithEveryWriterOnDoesNotAllocate) {
    test::LogRig rig(4);
    rig.start(logging("capCPU=1\ncapMEM=1\ncapNET=1\n", 10, 1));
    rig.ticks(61);  // warm: a whole cycle and its flush
    long allocations = 0;
    for (int i = 0; i < 60; ++i) {
        rig.m.sim.simSources().advanceUdp(static_cast<std::uint32_t>(i * 1000003), 1);  // ever longer numbers
        rig.setClock(2026, 12, 6, 23, 59, 59 - i % 2, i * 17);
        test::CountAllocations counting;
        rig.engine().tmrLOG_Timer();
        allocations += counting.count();
    }
    EXPECT_EQ(rig.log().flushCounter(), 60) << "no flush among them";
    EXPECT_EQ(allocations, 0);
}

TEST(LogNetwork, AFailedStatisticsCallWritesTheLastGoodReadingWithNoGrowth) {
    test::LogRig rig;
    platform::MibUdpStats udp;
    udp.dwInDatagrams = 100;
    rig.m.sim.simSources().setUdp(udp);
    rig.start(logging("capNET=1\n", 10, 0));
    rig.ticks(1);
    rig.m.sim.simSources().advanceUdp(5, 0);
    rig.m.sim.simSources().setNetStatisticsFail(true);
    rig.ticks(1);
    rig.m.sim.simSources().setNetStatisticsFail(false);
    rig.m.sim.simSources().advanceUdp(2, 0);
    rig.ticks(1);
    const Lines v = rig.values("f" + rig.log().fileName());
    ASSERT_EQ(v.size(), 15u) << "every tick has its lines";
    EXPECT_EQ(v[5], "5, 0, 0") << "no growth from the failed call";
    EXPECT_EQ(v[10], "5, 0, 7") << "the growth since the last good reading";
}

TEST(LogFailure, AFailedOpenLosesThatFlushAndNothingAfterIt) {
    test::LogRig rig(1);
    rig.start("LOGEnable=1\nLOGTiming=10\nLOGWrite=1\ncapCPU=1\n");
    fs::remove_all(rig.logs());
    rig.ticks(61);  // the flush finds no folder
    EXPECT_EQ(rig.log().buffer(kLogCPU).count, 0) << "emptied all the same";
    fs::create_directory(rig.logs());
    rig.ticks(61);
    const Lines lines = rig.lines("a" + rig.log().fileName());
    EXPECT_EQ(lines.size(), 61u) << "exactly the next cycle's lines";
    EXPECT_FALSE(fs::exists(rig.m.folder / ("a" + rig.log().fileName()))) << "the logger never makes the folder";
}

TEST(LogExit, UnsavedLinesAreLostAtTheExitButtonsYesWhenNotAskedFor) {
    // Written when asked for: tests/scenarios/logging.
    test::LogRig rig(1);
    rig.start("LOGEnable=1\nLOGTiming=10\nLOGWrite=5\ncapCPU=1\ncapMEM=1\nLOGUnsaved=0\n");
    rig.ticks(7);
    rig.m.sim.queueAnswer(platform::mb::IdYes);
    rig.app().mainBar->btnExit_Click();
    ASSERT_TRUE(rig.m.sim.exited());
    EXPECT_TRUE(rig.names().empty());
}

TEST(LogExit, TheEndOfTheLoopWritesThemOnceHoweverItEnded) {
    test::LogRig rig(1);
    rig.start("LOGEnable=1\nLOGTiming=10\nLOGWrite=5\ncapCPU=1\nLOGUnsaved=1\n");
    rig.ticks(3);
    rig.m.sim.quit(0);  // as a signal or the session's end leaves the loop
    rig.app().finish();
    rig.app().finish();
    rig.app().end(0);  // --run-for's way out after that adds nothing
    EXPECT_EQ(rig.lines("a" + rig.log().fileName()).size(), 3u);
}

TEST(LogDelete, OnlyOldPlainFilesNamedLikeLogsGoAtStartAndAtEachRotation) {
    test::LogRig rig(1);
    const fs::path logs = rig.logs();
    const fs::path outside = rig.m.folder / "elsewhere";
    fs::create_directory(outside);
    touch(outside / "target.log", "precious\r\n");
    touch(logs / "a2026-12-04-05.log");  // two days old: goes
    touch(logs / "f2026-11-30-23.log");  // goes
    touch(logs / "b2026-12-05-06.log");  // within the day: stays
    touch(logs / "notes.txt");
    touch(logs / "A2026-12-01-00.log");
    touch(logs / "g2026-12-01-00.log");
    touch(logs / "a2026-12-01-00.log.bak");
    touch(logs / "a2026-02-30-00.log");          // no such date
    touch(rig.m.folder / "a2026-12-01-00.log");  // not in logs/
    fs::create_symlink(outside / "target.log", logs / "c2026-12-01-00.log");
    fs::create_directory(logs / "d2026-12-01-00.log");
    rig.setClock(2026, 12, 6, 5, 0, 0);  // start-up takes the engine to 05:00:07.5
    rig.start("LOGEnable=1\nLOGTiming=10\nLOGWrite=0\nDELLOG=1\ncapCPU=1\n");
    EXPECT_EQ(rig.names(),
              (Lines{"A2026-12-01-00.log", "a2026-02-30-00.log", "a2026-12-01-00.log.bak", "b2026-12-05-06.log",
                     "c2026-12-01-00.log", "d2026-12-01-00.log", "g2026-12-01-00.log", "notes.txt"}));
    EXPECT_EQ(test::readFile(outside / "target.log"), "precious\r\n");
    EXPECT_TRUE(fs::exists(rig.m.folder / "a2026-12-01-00.log"));

    rig.ticks(1);  // the first name: a rotation
    EXPECT_TRUE(fs::exists(logs / "b2026-12-05-06.log"));
    rig.setClock(2026, 12, 6, 7, 0, 1);
    rig.ticks(1);  // the next hour's name: b of 06:00 yesterday is now more than a day old
    EXPECT_FALSE(fs::exists(logs / "b2026-12-05-06.log"));
    EXPECT_TRUE(fs::exists(logs / "a2026-12-06-05.log")) << "today's files stay";
}

TEST(LogDelete, ZeroDaysKeepsEverything) {
    test::LogRig rig(1);
    touch(rig.logs() / "a2000-01-01-00.log");
    rig.start("LOGEnable=1\nDELLOG=0\n");
    EXPECT_EQ(rig.names(), (Lines{"a2000-01-01-00.log"}));
}

TEST(LogDelete, NamesAreReadWhole) {
    EXPECT_EQ(logFileHour("a1970-01-02-03.log"), 86400 + 3 * 3600);
    EXPECT_EQ(logFileHour("f2024-02-29-23.log"), logFileHour("a2024-03-01-00.log").value() - 3600);
    for (const char* other : {"a2023-02-29-00.log", "a2024-13-01-00.log", "a2024-01-01-24.log", "a2024-01-01-0x.log",
                              "a2024-01-01-00.LOG", "a2024-01-01-00.log ", "xa2024-01-01-00.log", "a2024_01-01-00.log"})
        EXPECT_FALSE(logFileHour(other)) << other;
}

TEST(LogSecurity, ALinkNamedLikeTheLogFileIsNotWrittenThrough) {
    test::LogRig rig(1);
    const fs::path target = rig.m.folder / "secret.txt";
    const std::string before = "not for the log\n";
    touch(target, before);
    rig.setClock(2026, 12, 6, 5, 0, 0);
    fs::create_symlink(target, rig.logs() / "a2026-12-06-05.log");
    rig.start("LOGEnable=1\nLOGTiming=10\nLOGWrite=0\ncapCPU=1\ncapMEM=1\n");
    rig.ticks(1);
    EXPECT_EQ(rig.log().fileName(), "2026-12-06-05.log");
    EXPECT_EQ(test::readFile(target), before);
    EXPECT_TRUE(fs::is_symlink(rig.logs() / "a2026-12-06-05.log"));
    EXPECT_EQ(rig.lines("b2026-12-06-05.log").size(), 4u) << "the other families are written";
}

// The Linux backend's own calls, without a display.
TEST(LinuxFiles, AppendsRefuseLinksAndWhatIsNotAPlainFile) {
    using namespace platform;
    test::SimMachine m(1);
    const fs::path dir = m.folder / "logs";
    const std::string file = (dir / "a.log").string();
    linux_backend::LinuxFiles files;
    for (int round = 0; round < 2; ++round) {
        const FileHandle h = files.openAppend(file);
        ASSERT_NE(h, kNoFile);
        EXPECT_TRUE(files.writeFile(h, "x\r\n", 3));
        EXPECT_TRUE(files.closeFile(h));
    }
    EXPECT_EQ(test::readFile(file), "x\r\nx\r\n");
    fs::create_symlink(file, dir / "link.log");
    EXPECT_EQ(files.openAppend((dir / "link.log").string()), kNoFile);
    fs::create_directory(dir / "sub");
    EXPECT_EQ(files.openAppend((dir / "sub").string()), kNoFile);
    ASSERT_EQ(::mkfifo((dir / "pipe.log").c_str(), 0600), 0);
    EXPECT_EQ(files.openAppend((dir / "pipe.log").string()), kNoFile) << "and does not wait for a reader";

    std::vector<FolderEntry> entries;
    ASSERT_TRUE(files.listFolder(dir.string(), entries));
    std::map<std::string, FileKind> kinds;
    for (const auto& e : entries) kinds[e.name] = e.kind;
    EXPECT_EQ(kinds, (std::map<std::string, FileKind>{{"a.log", FileKind::File},
                                                      {"link.log", FileKind::Link},
                                                      {"pipe.log", FileKind::Other},
                                                      {"sub", FileKind::Directory}}));
    EXPECT_TRUE(files.deleteFile((dir / "link.log").string()));
    EXPECT_EQ(files.fileKind(file), FileKind::File) << "the link went, its target stayed";
    EXPECT_FALSE(files.listFolder((dir / "none").string(), entries));
}
