// The machine-wide installed-products record.
#include <gtest/gtest.h>

#include "core/installed_products.h"
#include "core/registry_helpers.h"
#include "core/version.h"
#include "support/sim_machine.h"

using namespace vel;
using platform::RegRoot;

namespace {
std::string value(App& app, const std::string& name) {
    return regVariantText(GetValue(app, RegRoot::LocalMachine, kInstalledProductsKey, name));
}
}  // namespace

TEST(InstalledProducts, FirstStartCreatesTheListWithEntryOne) {
    test::SimMachine m;
    App& app = m.newApp();
    app.setProgramFolder("/opt/velmora");
    RegisterInstalledProduct(app, "D1", "W1");
    // NIP 1 and N01: tests/scenarios/startup_exit.
    EXPECT_EQ(value(app, "V01"), versionText());
    EXPECT_EQ(value(app, "P01"), "/opt/velmora/");
    EXPECT_EQ(value(app, "S01"), "D1");
    EXPECT_EQ(value(app, "W01"), "W1");
    platform::RegValue nip;
    ASSERT_TRUE(m.sim.memoryRegistry().readValue(RegRoot::LocalMachine, kInstalledProductsKey, "NIP", nip));
    EXPECT_EQ(nip.type, platform::kRegDword);
}

TEST(InstalledProducts, SameVersionChangesNothingNewerRewritesOnlyTheVersion) {
    test::SimMachine m;
    App& app = m.newApp();
    RegisterInstalledProduct(app, "FIRST", "W");
    RegisterInstalledProduct(app, "SECOND", "W2");
    EXPECT_EQ(value(app, "S01"), "FIRST");
    EXPECT_EQ(value(app, "W01"), "W");
    SetValue(app, RegRoot::LocalMachine, kInstalledProductsKey, "V01", std::string("1.9.3"));
    RegisterInstalledProduct(app, "THIRD", "W3");
    EXPECT_EQ(value(app, "V01"), versionText());
    EXPECT_EQ(value(app, "S01"), "FIRST") << "the next-check date keeps its first value";
    EXPECT_EQ(value(app, "NIP"), "1");
}

TEST(InstalledProducts, AListOfTwoOtherProductsGetsEntryThree) {
    test::SimMachine m;
    App& app = m.newApp();
    auto put = [&](const std::string& n, const std::string& v) {
        SetValue(app, RegRoot::LocalMachine, kInstalledProductsKey, n, v);
    };
    put("N01", "Memtide");
    put("N02", "Logscope");
    SetValue(app, RegRoot::LocalMachine, kInstalledProductsKey, "NIP", std::int32_t{2});
    RegisterInstalledProduct(app, "D", "W");
    EXPECT_EQ(value(app, "NIP"), "3");
    EXPECT_EQ(value(app, "N03"), "VELMORA v2");
    EXPECT_EQ(value(app, "N01"), "Memtide");
}

TEST(InstalledProducts, ARegistryWithoutWriteRightsIsSkippedQuietly) {
    test::SimMachine m;
    m.sim.memoryRegistry().setReadOnlyRoot(RegRoot::LocalMachine, true);
    App& app = m.newApp();
    RegisterInstalledProduct(app, "D", "W");
    EXPECT_FALSE(KeyExists(app, RegRoot::LocalMachine, kInstalledProductsKey));
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
    test::SimMachine m;
    App& app = m.newApp();
    const std::string key = "Software\\Test";
    SetValue(app, RegRoot::CurrentUser, key, "n", std::int32_t{-5});
    SetValue(app, RegRoot::CurrentUser, key, "t", std::string("  padded  "));
    SetValue(app, RegRoot::CurrentUser, key, "numtext", std::string("42"));
    EXPECT_EQ(std::get<std::int32_t>(GetValue(app, RegRoot::CurrentUser, key, "n")), -5);
    EXPECT_EQ(std::get<std::string>(GetValue(app, RegRoot::CurrentUser, key, "t")), "padded");
    EXPECT_EQ(std::get<std::int32_t>(GetValue(app, RegRoot::CurrentUser, key, "numtext")), 42);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(GetValue(app, RegRoot::CurrentUser, key, "missing")));
    DeleteValue(app, RegRoot::CurrentUser, key, "n");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(GetValue(app, RegRoot::CurrentUser, key, "n")));
    DeleteValue(app, RegRoot::CurrentUser, "Software\\Nowhere", "n");
    EXPECT_FALSE(KeyExists(app, RegRoot::CurrentUser, "Software\\Nowhere"));
}
