// What the logger does to the logs folder beyond appending: a failed open,
// the unsaved lines at an orderly end, old files, links and foreign files.
#include "logging/log_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "core/frm_main.h"
#include "log_rig.h"
#include "platform/linux/posix_files.h"

using namespace vel;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {
void touch(const fs::path& p, const std::string& text = "keep\r\n") { std::ofstream(p, std::ios::binary) << text; }
}  // namespace

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
    for (int round = 0; round < 2; ++round) {
        const FileHandle h = linux_backend::appendOpen(file);
        ASSERT_NE(h, kNoFile);
        EXPECT_TRUE(linux_backend::appendWrite(h, "x\r\n", 3));
        EXPECT_TRUE(linux_backend::appendClose(h));
    }
    EXPECT_EQ(test::readFile(file), "x\r\nx\r\n");
    fs::create_symlink(file, dir / "link.log");
    EXPECT_EQ(linux_backend::appendOpen((dir / "link.log").string()), kNoFile);
    fs::create_directory(dir / "sub");
    EXPECT_EQ(linux_backend::appendOpen((dir / "sub").string()), kNoFile);
    ASSERT_EQ(::mkfifo((dir / "pipe.log").c_str(), 0600), 0);
    EXPECT_EQ(linux_backend::appendOpen((dir / "pipe.log").string()), kNoFile) << "and does not wait for a reader";

    std::vector<FolderEntry> entries;
    ASSERT_TRUE(linux_backend::folderEntries(dir.string(), entries));
    std::map<std::string, FileKind> kinds;
    for (const auto& e : entries) kinds[e.name] = e.kind;
    EXPECT_EQ(kinds, (std::map<std::string, FileKind>{{"a.log", FileKind::File},
                                                      {"link.log", FileKind::Link},
                                                      {"pipe.log", FileKind::Other},
                                                      {"sub", FileKind::Directory}}));
    EXPECT_TRUE(linux_backend::unlinkFile((dir / "link.log").string()));
    EXPECT_EQ(linux_backend::linkKind(file), FileKind::File) << "the link went, its target stayed";
    EXPECT_FALSE(linux_backend::folderEntries((dir / "none").string(), entries));
}
