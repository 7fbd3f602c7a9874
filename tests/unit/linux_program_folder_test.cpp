// Where the program folder is on Linux, and how an installed copy sets up a
// user's own folder. Each case builds its install tree and home in a
// private temporary folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "gfx/png.h"
#include "forms/runtime.h"
#include "platform/linux/program_folder.h"
#include "platform/sim/sim_platform.h"
#include "support/files.h"

using namespace vel;
using namespace vel::platform::linux_backend;
namespace fs = std::filesystem;

namespace {

using test::readFile;
using test::writeFile;

// An installed copy (root/usr/bin, root/usr/share/velmora) and an empty home.
class LinuxProgramFolder : public ::testing::Test {
protected:
    void SetUp() override {
        bin = top / "root/usr/bin";
        share = top / "root/usr/share/velmora";
        home = top / "home";
        fs::create_directories(bin);
        fs::create_directories(home);
        writeFile(share / "velmora.ini", "[MAIN]\nCORNER=3\n");
        writeFile(share / "skins/a.png", "installed a");
        writeFile(share / "skins/b.png", "installed b");
    }

    FolderChoice installedRun() { return chooseProgramFolder("", bin.string(), "", home.string()); }
    fs::path userFolder() const { return home / ".local/share/velmora"; }

    test::TempFolder tmp;
    const fs::path top = tmp.path();
    fs::path bin, share, home;
};

}  // namespace

TEST_F(LinuxProgramFolder, BuildFolderAndExplicitFolderAreUsedAsTheyAreElseXdgDataHomeOrHome) {
    EXPECT_EQ(userProgramFolder("/data", "/home/u"), "/data/velmora");
    EXPECT_EQ(userProgramFolder("relative/data", "/home/u"), "/home/u/.local/share/velmora");
    EXPECT_EQ(userProgramFolder("", ""), "");
    // A build folder: writable, its own skins, no installed defaults beside it.
    const fs::path build = top / "build";
    fs::create_directories(build / "skins");
    FolderChoice c = chooseProgramFolder("", build.string(), "", home.string());
    EXPECT_EQ(c.folder, build.string());
    EXPECT_EQ(c.installedSkins, "");
    // --program-folder wins even for an installed copy, and nothing is made there.
    c = chooseProgramFolder((top / "mine").string(), bin.string(), "", home.string());
    EXPECT_EQ(c.folder, (top / "mine").string());
    EXPECT_EQ(c.installedSkins, fs::canonical(share / "skins").string());
    EXPECT_FALSE(fs::exists(top / "mine"));
    EXPECT_FALSE(fs::exists(userFolder()));
}

// The first start's set-up (the default settings, logs/, the skins link, XDG_DATA_HOME) and a second
// start keeping the user's settings: tests/package/deb_install.sh.
TEST_F(LinuxProgramFolder, UsersOwnSkinsWinFileByFileAndTheRestComeFromTheInstalledOnes) {
    writeFile(userFolder() / "skins/a.png", "");
    writeFile(userFolder() / "logs/a.txt", "log");
    const FolderChoice c = installedRun();
    ASSERT_EQ(c.error, "");
    EXPECT_TRUE(c.notes.empty());
    EXPECT_EQ(c.folder, userFolder().string());
    EXPECT_EQ(readFile(userFolder() / "logs/a.txt"), "log");
    EXPECT_EQ(readFile(userFolder() / "velmora.ini"), "[MAIN]\nCORNER=3\n");
    EXPECT_FALSE(fs::is_symlink(userFolder() / "skins"));
    EXPECT_EQ(c.installedSkins, fs::canonical(share / "skins").string());

    // The pictures: the user's a.png, the installed b.png.
    Pixels mine(2, 1, rgb(1, 2, 3)), installed(3, 1, rgb(4, 5, 6));
    ASSERT_TRUE(gfx::savePng((userFolder() / "skins/a.png").string(), mine));
    ASSERT_TRUE(gfx::savePng((share / "skins/a.png").string(), installed));
    ASSERT_TRUE(gfx::savePng((share / "skins/b.png").string(), installed));
    platform::SimPlatform sim;
    forms::Runtime ui{sim};
    ui.setSkinsFolder((userFolder() / "skins").string());
    ui.setFallbackSkinsFolder(c.installedSkins);
    EXPECT_EQ(ui.picture("a.png"), mine);
    EXPECT_EQ(ui.picture("b.png"), installed);
    EXPECT_TRUE(ui.picture("c.png").empty());
    EXPECT_EQ(ui.missingPictures(), std::vector<std::string>{"c.png"});
}

TEST_F(LinuxProgramFolder, BadCasesSayWhatIsWrongAndLoseNothing) {
    // A skins link whose target is gone stays as it is; the skins are looked up.
    fs::create_directories(userFolder());
    fs::create_directory_symlink(top / "gone", userFolder() / "skins");
    FolderChoice c = installedRun();
    EXPECT_EQ(c.error, "");
    ASSERT_EQ(c.notes.size(), 1u);
    EXPECT_NE(c.notes[0].find("gone, which does not exist"), std::string::npos) << c.notes[0];
    EXPECT_EQ(fs::read_symlink(userFolder() / "skins"), top / "gone");
    EXPECT_EQ(c.installedSkins, fs::canonical(share / "skins").string());

    // A home where no folder can be made: an error that says how to go on.
    writeFile(top / "file-home", "not a folder");
    c = chooseProgramFolder("", bin.string(), "", (top / "file-home").string());
    EXPECT_NE(c.error.find("--program-folder"), std::string::npos) << c.error;
    EXPECT_EQ(readFile(top / "file-home"), "not a folder");
    c = chooseProgramFolder("", bin.string(), "", "");
    EXPECT_NE(c.error.find("HOME"), std::string::npos) << c.error;
}
