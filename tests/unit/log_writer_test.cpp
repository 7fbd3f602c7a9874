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
    EXPECT_EQ(LogWriter::flushTicks(16, 1), 38) << "37.5";
    EXPECT_EQ(LogWriter::flushTicks(48, 1), 12) << "12.5";
    EXPECT_EQ(LogWriter::flushTicks(7, 3), 257);
    EXPECT_EQ(LogWriter::flushTicks(1, 60), 32767) << "held to the 16-bit counter";
    EXPECT_EQ(LogWriter::flushTicks(10, 0), 0) << "every tick";
}

// NEWLOG 0 names a new file every hour: log_soak_test's hours of files.
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

// The first flush comes on tick N + 1 (tests/scenarios/logging), and every
// N + 1 ticks after it.
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

// One processor has no mean line; four and their mean, memory shares and the
// network tables' lines are in tests/scenarios/logging_lines.
TEST(LogExit, TheEndOfTheLoopWritesThemOnceHoweverItEnded) {
    test::LogRig rig(1);
    rig.start("LOGEnable=1\nLOGTiming=10\nLOGWrite=5\ncapCPU=1\nLOGUnsaved=1\n");
    rig.setLoad(0, 57);
    rig.ticks(3);
    rig.m.sim.quit(0);  // as a signal or the session's end leaves the loop
    rig.app().finish();
    rig.app().finish();
    rig.app().end(0);  // --run-for's way out after that adds nothing
    EXPECT_EQ(rig.values("a" + rig.log().fileName()), Lines(3, "0, 0, 57"));
}

TEST(LogDelete, OnlyOldPlainFilesNamedLikeLogsGoAtStartAndAtEachRotation) {
    test::LogRig rig(1);
    const fs::path logs = rig.logs();
    const fs::path outside = rig.m.folder / "elsewhere";
    fs::create_directory(outside);
    touch(outside / "target.log", "precious\r\n");
    // The first two are old logs, b of 06:00 yesterday is within the day; the rest only look like logs.
    for (const char* name : {"a2026-12-04-05.log", "f2026-11-30-23.log", "b2026-12-05-06.log", "notes.txt",
                             "A2026-12-01-00.log", "g2026-12-01-00.log", "a2026-12-01-00.log.bak",
                             "a2026-02-30-00.log"})
        touch(logs / name);
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

// Every flush opens all six files, even with nothing to write, and none
// through a link named like one; DELLOG 0 keeps even the oldest.
TEST(LogSecurity, AllSixFilesAreOpenedButALinkNamedLikeOneIsNotWrittenThrough) {
    test::LogRig rig(1);
    const fs::path target = rig.m.folder / "secret.txt";
    const std::string before = "not for the log\n";
    touch(target, before);
    rig.setClock(2026, 12, 6, 5, 0, 0);
    fs::create_symlink(target, rig.logs() / "b2026-12-06-05.log");
    touch(rig.logs() / "a2000-01-01-00.log");
    rig.start(logging("capCPU=0\ncapMEM=1\ncapNET=1\nDELLOG=0\n", 10, 0));  // a flush every tick
    rig.ticks(1);
    const std::string name = rig.log().fileName();
    EXPECT_EQ(name, "2026-12-06-05.log");
    EXPECT_EQ(rig.names(),
              (Lines{"a2000-01-01-00.log", "a" + name, "b" + name, "c" + name, "d" + name, "e" + name, "f" + name}));
    EXPECT_TRUE(rig.lines("a" + name).empty());
    EXPECT_EQ(test::readFile(target), before);
    EXPECT_TRUE(fs::is_symlink(rig.logs() / ("b" + name)));
    EXPECT_EQ(rig.lines("c" + name).size(), 12u) << "the other families are written";
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
