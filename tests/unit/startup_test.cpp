// Start-up on the simulated machine, in virtual time, and an end during it;
// a first run without settings; the machine-wide installed-products record start-up
// keeps, and the registry helpers it is written with; the options --help
// and the man page list.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>

#include "core/frm_main.h"
#include "core/installed_products.h"
#include "core/registry_helpers.h"
#include "core/startup.h"
#include "core/version.h"
#include "support/files.h"
#include "support/sim_machine.h"

using namespace vel;
using platform::RegRoot;

namespace {

std::string value(App& app, const std::string& name) {
    return regVariantText(GetValue(app.os.registry(), RegRoot::LocalMachine, kInstalledProductsKey, name));
}
void defaultIni(test::SimMachine& m) {
    m.iniText("[MAIN]\nTLUCENTZON=255\nTLUCENTZOFF=100\nVISIBLE=1\nPosX8=3000\nPosY8=1500\nALWAYSOT=1\n");
}

}  // namespace

TEST(StartUp, WithoutTheSplashPausesTheSameStepsComeAtOnce) {
    auto startedWith = [](bool pauses) {
        test::SimMachine m(2);
        defaultIni(m);
        App& app = m.newApp();
        app.splashPauses = pauses;
        EXPECT_TRUE(StartVelmora(app));
        m.sim.advance(1500);
        return app.trace;
    };
    const auto paused = startedWith(true), quick = startedWith(false);
    ASSERT_EQ(paused.size(), quick.size());
    for (std::size_t i = 0; i < quick.size(); ++i) EXPECT_EQ(quick[i].event, paused[i].event) << "step " << i;
    ASSERT_FALSE(quick.empty());
    // Two processors: 8 s of pauses, then the splash's three timer ticks.
    EXPECT_EQ(paused.back().event, "splash closed");
    EXPECT_EQ(paused.back().ms, 9500u);
    EXPECT_EQ(quick.back().ms, 1500u) << "the splash still stays for its timer";
    for (std::size_t i = 0; i + 1 < quick.size(); ++i) EXPECT_EQ(quick[i].ms, 0u) << quick[i].event;
}

TEST(StartUp, AnEndThatComesDuringStartUpStopsIt) {
    test::SimMachine m;
    defaultIni(m);
    App& app = m.newApp();
    m.sim.startTimer(2000, [&] { shutDown(app); });  // as --run-for 2 does
    EXPECT_FALSE(StartVelmora(app));
    EXPECT_TRUE(m.sim.exited());
    EXPECT_EQ(m.sim.exitCode(), 0);
    EXPECT_LT(m.sim.nowMs(), 3000) << "the start went on past its next step";
    EXPECT_FALSE(app.IsFormLoaded(app.mainBar.get()));
    EXPECT_FALSE(app.IsFormLoaded(app.window(WindowSlot::Clock)));
}

namespace {
std::string shippedSettings() { return test::readFile(std::filesystem::path(VELMORA_SOURCE_DIR) / "app/velmora.ini"); }

// Started from this settings file (none: nullptr), with the splash gone:
// the windows the settings ask for are up.
App& started(test::SimMachine& m, const char* ini, SettingsOrigin origin) {
    if (ini) m.iniText(ini);
    App& app = m.newApp();
    EXPECT_TRUE(StartVelmora(app));
    m.sim.advance(1500);
    EXPECT_EQ(app.settingsOrigin, origin);
    return app;
}
}  // namespace

TEST(FirstRun, NoFileOrAnEmptyOneGetsTheShippedSettingsAndEveryWindowShows) {
    for (const bool emptyFile : {false, true}) {
        test::SimMachine m;
        App& app = started(m, emptyFile ? "" : nullptr, SettingsOrigin::DefaultsWritten);
        EXPECT_EQ(test::readFile(m.iniPath()), shippedSettings());
        EXPECT_TRUE(app.IsFormLoaded(app.mainBar.get()));
        EXPECT_EQ(app.mainBar->alpha(), 255);
        for (const WindowRow& w : kWindows)
            EXPECT_EQ(app.IsFormLoaded(app.window(w.slot)), w.slot != WindowSlot::Cpu2 && w.slot != WindowSlot::Cpu3)
                << "window " << static_cast<int>(w.slot) << " on two processors";
    }
}

TEST(FirstRun, CommentsAndOtherSectionsAreKeptAndTheSettingsAdded) {
    test::SimMachine m;
    const std::string mine = "; my notes\n[Tools]\nEditor=vi\n\n[MAIN]\n; PosX8=100\n";
    App& app = started(m, mine.c_str(), SettingsOrigin::DefaultsWritten);
    const std::string now = test::readFile(m.iniPath());
    EXPECT_EQ(now.substr(0, mine.size()), mine) << now;
    EXPECT_EQ(app.settingsFile.section("MAIN"), iniSectionKeys(shippedSettings(), "MAIN"));
    EXPECT_TRUE(app.IsFormLoaded(app.window(WindowSlot::Memory)));
    // A file that cannot be written stays as it is; the run still starts as shipped.
    test::SimMachine locked;
    locked.iniText(mine);
    std::filesystem::permissions(locked.iniPath(), std::filesystem::perms::owner_read);
    App& second = started(locked, nullptr, SettingsOrigin::DefaultsUnwritten);
    EXPECT_EQ(test::readFile(locked.iniPath()), mine);
    EXPECT_TRUE(second.IsFormLoaded(second.window(WindowSlot::Memory)));
}

TEST(InstalledProducts, FirstStartCreatesEntryOneAndANewerVersionRewritesOnlyTheVersion) {
    test::SimMachine m;
    App& app = m.newApp();
    app.setProgramFolder("/opt/velmora");
    RegisterInstalledProduct(app.os.registry(), app.programFolder, "D1", "W1");
    // NIP 1 and N01: tests/scenarios/startup_exit.
    EXPECT_EQ(value(app, "V01"), versionText());
    EXPECT_EQ(value(app, "P01"), "/opt/velmora/");
    platform::RegValue nip;
    ASSERT_TRUE(m.sim.memoryRegistry().readValue(RegRoot::LocalMachine, kInstalledProductsKey, "NIP", nip));
    EXPECT_EQ(nip.type, platform::kRegDword);
    RegisterInstalledProduct(app.os.registry(), app.programFolder, "SECOND", "W2");  // the same version changes nothing
    EXPECT_EQ(value(app, "S01"), "D1");
    EXPECT_EQ(value(app, "W01"), "W1");
    SetValue(app.os.registry(), RegRoot::LocalMachine, kInstalledProductsKey, "V01", std::string("1.9.3"));
    RegisterInstalledProduct(app.os.registry(), app.programFolder, "THIRD", "W3");
    EXPECT_EQ(value(app, "V01"), versionText());
    EXPECT_EQ(value(app, "S01"), "D1") << "the next-check date keeps its first value";
    EXPECT_EQ(value(app, "NIP"), "1");
}

TEST(InstalledProducts, AListOfTwoOtherProductsGetsEntryThree) {
    test::SimMachine m;
    App& app = m.newApp();
    SetValue(app.os.registry(), RegRoot::LocalMachine, kInstalledProductsKey, "N01", std::string("Memtide"));
    SetValue(app.os.registry(), RegRoot::LocalMachine, kInstalledProductsKey, "N02", std::string("Logscope"));
    SetValue(app.os.registry(), RegRoot::LocalMachine, kInstalledProductsKey, "NIP", std::int32_t{2});
    RegisterInstalledProduct(app.os.registry(), app.programFolder, "D", "W");
    EXPECT_EQ(value(app, "NIP"), "3");
    EXPECT_EQ(value(app, "N03"), "VELMORA v2");
    EXPECT_EQ(value(app, "N01"), "Memtide");
}

TEST(InstalledProducts, ARegistryWithoutWriteRightsIsSkippedQuietly) {
    test::SimMachine m;
    m.sim.memoryRegistry().setReadOnlyRoot(RegRoot::LocalMachine, true);
    App& app = m.newApp();
    RegisterInstalledProduct(app.os.registry(), app.programFolder, "D", "W");
    EXPECT_FALSE(KeyExists(app.os.registry(), RegRoot::LocalMachine, kInstalledProductsKey));
    EXPECT_TRUE(m.sim.messages().empty());
}

TEST(Scrambler, HexDigitsInPairsAndReversible) {
    std::string s = ScrambleString("http://x");
    EXPECT_EQ(s.size(), 16u);
    for (char c : s) EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
    EXPECT_NE(s, ScrambleString("http://y"));
    EXPECT_EQ(UnscrambleString(s), "http://x");
    EXPECT_EQ(ScrambleString(""), "");
}

TEST(RegistryHelpers, ValuesKeepTheirTypes) {
    platform::MemoryRegistry reg;
    const std::string key = "Software\\Test";
    SetValue(reg, RegRoot::CurrentUser, key, "n", std::int32_t{-5});
    SetValue(reg, RegRoot::CurrentUser, key, "t", std::string("  padded  "));
    SetValue(reg, RegRoot::CurrentUser, key, "numtext", std::string("42"));
    EXPECT_EQ(std::get<std::int32_t>(GetValue(reg, RegRoot::CurrentUser, key, "n")), -5);
    EXPECT_EQ(std::get<std::string>(GetValue(reg, RegRoot::CurrentUser, key, "t")), "padded");
    EXPECT_EQ(std::get<std::int32_t>(GetValue(reg, RegRoot::CurrentUser, key, "numtext")), 42);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(GetValue(reg, RegRoot::CurrentUser, key, "missing")));
    DeleteValue(reg, RegRoot::CurrentUser, key, "n");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(GetValue(reg, RegRoot::CurrentUser, key, "n")));
    DeleteValue(reg, RegRoot::CurrentUser, "Software\\Nowhere", "n");
    EXPECT_FALSE(KeyExists(reg, RegRoot::CurrentUser, "Software\\Nowhere"));
}

namespace {
// The long options named in a text ("\-\-name" in the man page's troff).
std::set<std::string> optionsIn(std::string text) {
    for (std::size_t at; (at = text.find("\\-")) != std::string::npos;) text.replace(at, 2, "-");
    std::set<std::string> found;
    const std::regex option("--[a-z][a-z-]*");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        found.insert(it->str());
    return found;
}
}  // namespace

// Both programs: logscope is built beside velmora.
TEST(CommandLine, HelpAndTheManPageListTheSameOptions) {
    const std::filesystem::path velmora = VELMORA_BINARY;
    for (const std::string name : {"velmora", "logscope"}) {
        std::string help;
        FILE* out = popen(("'" + (velmora.parent_path() / name).string() + "' --help").c_str(), "r");
        ASSERT_NE(out, nullptr);
        char buffer[512];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, out)) > 0;) help.append(buffer, n);
        ASSERT_EQ(pclose(out), 0) << name;
        const auto listed = optionsIn(help);
        EXPECT_TRUE(listed.count("--scale")) << name;
        EXPECT_EQ(listed, optionsIn(test::readFile(std::filesystem::path(VELMORA_SOURCE_DIR) / "app" / (name + ".1"))))
            << name;
    }
}
