// The settings file must behave like the Windows profile functions on
// every backend, including on files a user or a crash has mangled.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/inifile.h"
#include "platform/sim/files.h"
#include "support/files.h"

using namespace vel;
namespace fs = std::filesystem;

namespace {

// The files of the simulated machine, counting the whole-file reads.
class CountingFiles : public platform::SimFiles {
public:
    std::optional<std::string> readFile(const std::string& path, std::size_t most) override {
        ++reads;
        return SimFiles::readFile(path, most);
    }
    int reads = 0;
};

class IniFileTest : public ::testing::Test {
protected:
    void write(const std::string& contents) { test::writeFile(file, contents); }
    std::string contents() { return test::readFile(file); }
    test::TempFolder tmp;
    const fs::path dir = tmp.path();
    const std::string file = (dir / "velmora.ini").string();
    CountingFiles files;
    IniFile ini{files, file};
};

}  // namespace

TEST(IniLookup, KeysQuotesDuplicatesCommentsAndStrayLines) {
    const std::string blanks = "[main]\r\n  tlucentzon  =   200  \r\nVISI0=1\r\n";
    const std::string quotes = "[MAIN]\na=\"quoted\"\nb='single'\nc=\"half\nd=\"mixed'\ne=  \" padded \"  \n";
    const std::string twice = "[MAIN]\nCPUCLOCK=5\ncpuclock=9\n[main]\nNETCLOCK=3\n";
    const std::string comments = "[MAIN]\n;PLCMNT=2\n   ; VISIBLE=1\nCORNER=3 ; bottom right\n";
    // A key outside any section, a line without '=', a section that only starts alike.
    const std::string stray = "PLCMNT=1\n[MAIN]\nPLCMNT\n[MAIN2]\nPLCMNT=7\n";
    const struct {
        const std::string& ini;
        const char *section, *key, *value;
    } cases[] = {
        {blanks, "MAIN", "TLUCENTZOn", "200"}, {blanks, " Main ", "Visi0", "1"},  // case and blanks ignored
        {blanks, "MAIN", "Visi1", ""},         {blanks, "OTHER", "VISI0", ""},
        {quotes, "MAIN", "a", "quoted"},       {quotes, "MAIN", "b", "single"},  // matching quotes go
        {quotes, "MAIN", "c", "\"half"},       {quotes, "MAIN", "d", "\"mixed'"},
        {quotes, "MAIN", "e", " padded "},
        {twice, "MAIN", "CPUCLOCK", "5"},      {twice, "MAIN", "NETCLOCK", ""},  // the first key and section win
        {comments, "MAIN", "PLCMNT", ""},      {comments, "MAIN", "VISIBLE", ""},  // ';' only at a line's start
        {comments, "MAIN", "CORNER", "3 ; bottom right"},
        {stray, "MAIN", "PLCMNT", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(iniLookup(c.ini, c.section, c.key), c.value) << c.ini << " " << c.key;
    EXPECT_EQ(iniLookup("[MAIN]\nk=" + std::string(400, 'x') + "\n", "MAIN", "k"), std::string(254, 'x'));
}

TEST(IniUpdate, ReplacesInPlaceOrAddsAfterTheSectionsLastLineKeepingEveryOtherLine) {
    const std::string ini = "; my notes\r\n[MAIN]\r\nPLCMNT=0\r\n; keep me\r\nALWAYSOT=1\r\n\r\n[Other]\r\nx=1\r\n";
    EXPECT_EQ(iniUpdate(ini, "MAIN", "plcmnt", "2"),
              "; my notes\r\n[MAIN]\r\nplcmnt=2\r\n; keep me\r\nALWAYSOT=1\r\n\r\n[Other]\r\nx=1\r\n");
    EXPECT_EQ(iniUpdate("[MAIN]\nPLCMNT=0\n\n[Other]\nx=1\n", "MAIN", "VISI0", "1"),
              "[MAIN]\nPLCMNT=0\nVISI0=1\n\n[Other]\nx=1\n");
    EXPECT_EQ(iniUpdate("[MAIN]\nA=1", "MAIN", "B", "2"), "[MAIN]\nA=1\nB=2\n") << "no newline at the end";
    EXPECT_EQ(iniUpdate("[Other]\r\nx=1", "MAIN", "A", "1"), "[Other]\r\nx=1\r\n[MAIN]\r\nA=1\r\n");
    EXPECT_EQ(iniUpdate("", "MAIN", "A", "1"), "[MAIN]\r\nA=1\r\n");
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndWriteCreatesIt) {
    EXPECT_EQ(ini.read("MAIN", "PLCMNT"), "");
    EXPECT_NE(ini.write("MAIN", "PLCMNT", "1"), 0);
    EXPECT_EQ(ini.read("MAIN", "plcmnt"), "1");
    EXPECT_EQ(contents(), "[MAIN]\r\nPLCMNT=1\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary file left";
}

TEST_F(IniFileTest, AReadSeesAChangeMadeBehindItsBack) {
    write("[MAIN]\nPLCMNT=1\n");
    EXPECT_EQ(ini.read("MAIN", "PLCMNT"), "1");
    write("[MAIN]\nPLCMNT=22\n");
    EXPECT_EQ(ini.read("MAIN", "PLCMNT"), "22");
}

TEST_F(IniFileTest, BinaryGarbageNeitherCrashesNorLosesBytes) {
    std::mt19937 rng(7);
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>(rng() & 0xFF);
    write(junk);
    EXPECT_LE(ini.read("MAIN", "PLCMNT").size(), 254u);
    EXPECT_NE(ini.write("MAIN", "PLCMNT", "1"), 0);
    std::string after = contents();
    EXPECT_EQ(after.compare(0, junk.size(), junk), 0) << "the original bytes must survive a write";
    EXPECT_EQ(ini.read("MAIN", "PLCMNT"), "1");
}

TEST_F(IniFileTest, TenMegabyteFileIsReadOnce) {
    std::string big = "[MAIN]\nPLCMNT=1\n";
    std::string filler = "[Noise]\n" + std::string(1000, 'n') + "=1\n";
    while (big.size() < 10 * 1024 * 1024) big += filler;
    big += "[MAIN]\nALWAYSOT=1\n";
    write(big);
    for (int i = 0; i < 60; ++i) EXPECT_EQ(ini.read("MAIN", "PLCMNT"), "1");
    EXPECT_EQ(ini.read("MAIN", "ALWAYSOT"), "");  // second MAIN section is not read
    EXPECT_EQ(files.reads, 1);
    // Another owner of the same file keeps its own copy: nothing is shared.
    CountingFiles otherFiles;
    IniFile other(otherFiles, file);
    EXPECT_EQ(other.read("MAIN", "PLCMNT"), "1");
    EXPECT_EQ(otherFiles.reads, 1);
    EXPECT_NE(other.write("MAIN", "PLCMNT", "22"), 0);
    EXPECT_EQ(ini.read("MAIN", "PLCMNT"), "22") << "the first owner sees the change on disk";
}

TEST_F(IniFileTest, UnwritableTargetsAndReadOnlyFilesStayAsTheyAreAndALinkIsWrittenThrough) {
    const std::string missingFolder = (dir / "no" / "such" / "velmora.ini").string();
    EXPECT_EQ(IniFile(files, missingFolder).write("MAIN", "PLCMNT", "1"), 0);
    EXPECT_FALSE(fs::exists(missingFolder));
    fs::create_directories(dir / "adir");
    EXPECT_EQ(IniFile(files, (dir / "adir").string()).write("MAIN", "PLCMNT", "1"), 0);
    EXPECT_TRUE(fs::is_directory(dir / "adir"));
    fs::remove(dir / "adir");

    write("[MAIN]\nPLCMNT=2\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(ini.write("MAIN", "PLCMNT", "1"), 0);
    EXPECT_EQ(contents(), "[MAIN]\nPLCMNT=2\n");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary file left";
    fs::remove(file);

    // velmora.ini -> settings/real.ini: the link stays, its target changes
    // and keeps its mode.
    fs::create_directories(dir / "settings");
    const fs::path real = dir / "settings" / "real.ini";
    std::ofstream(real, std::ios::binary) << "; mine\n[MAIN]\nPLCMNT=2\n";
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(fs::path("settings") / "real.ini", file);
    EXPECT_NE(ini.write("MAIN", "PLCMNT", "1"), 0);
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(contents(), "; mine\n[MAIN]\nPLCMNT=1\n");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "settings"), fs::directory_iterator()), 1);
}
