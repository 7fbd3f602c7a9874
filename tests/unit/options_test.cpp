// The options dialog beyond the options_dialog scenario (mouse, keyboard,
// visibility modes, a style taking effect): the load steps, the handlers'
// side effects, Apply's order and timer states, Cancel, the reset, the
// start-with-Windows entry and settings the controls cannot show.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "core/frm_main.h"
#include "core/registry_helpers.h"
#include "core/start_with_windows.h"
#include "engine_rig.h"
#include "options/frm_options.h"
#include "snapshot_reference.h"

using namespace vel;

namespace {

class OptionsRig : public test::EngineRig {
public:
    explicit OptionsRig(int processors = 2) : EngineRig(processors) {}
    FrmOptions& open(const std::string& lines) {
        start(lines);
        m.sim.advance(2000);
        app().mainBar->btnOpt_Click(2);
        return dialog();
    }
    FrmOptions& dialog() { return *app().options; }
    forms::Form* window(WindowSlot s) { return app().window(s); }
    // The keys of section MAIN in file order.
    std::vector<std::string> iniKeys() {
        std::ifstream in(m.iniPath());
        std::vector<std::string> keys;
        for (std::string line; std::getline(in, line);) {
            const auto eq = line.find('=');
            if (eq != std::string::npos) keys.push_back(line.substr(0, eq));
        }
        return keys;
    }
    std::string ini(const std::string& key) { return app().settingsFile.read("MAIN", key); }
};

const std::string kFiveModules = "Visi8=1\nVisi0=1\nVisi5=1\nVisi6=1\nVisi7=1\nCPUCLOCK=10\nNETCLOCK=10\nMEMCLOCK=20\n";

}  // namespace

TEST(OptionsDialog, ModulesOfMissingProcessorsAreUntickedAndDisabled) {
    for (int processors : {1, 3}) {
        OptionsRig rig(processors);
        FrmOptions& d = rig.open("Visi0=1\nVisi1=1\nVisi2=1\nVisi3=1\nVisi4=1\n");
        for (int m = 0; m <= 4; ++m) {
            // Module 4 (all processors) needs two; module n needs n + 1.
            const bool present = m == 4 ? processors >= 2 : processors > m;
            SCOPED_TRACE("processors " + std::to_string(processors) + " module " + std::to_string(m));
            EXPECT_EQ(d.chkModule[m]->enabled(), present);
            EXPECT_EQ(d.chkModule[m]->value(), present ? 1 : 0);
            EXPECT_EQ(rig.app().settings.Visi[m], present);
            EXPECT_EQ(d.cboModule[m]->visible(), present);
        }
        EXPECT_EQ(rig.ini("Visi2"), "1") << "the file keeps its value";
    }
}

TEST(OptionsDialog, ModuleBoxesActAtOnceAndCancelKeepsTheirEffect) {
    OptionsRig rig;
    FrmOptions& d = rig.open(kFiveModules);
    FrmHidden& e = rig.engine();
    forms::Form* net = rig.window(WindowSlot::Network);
    d.chkModule[5]->click();
    EXPECT_FALSE(net->loaded());
    EXPECT_FALSE(d.cboModule[5]->visible());
    d.chkModule[7]->click();
    EXPECT_FALSE(rig.window(WindowSlot::Mouse)->loaded());
    EXPECT_FALSE(e.tmrMSE->enabled());  // the mouse sampler follows its box at once
    EXPECT_TRUE(e.tmrNET->enabled());   // the others wait for Apply
    d.cmdCancel_Click();
    EXPECT_FALSE(d.loaded());
    EXPECT_FALSE(net->loaded());
    EXPECT_FALSE(rig.app().settings.Visi[5]);
    EXPECT_EQ(rig.ini("Visi5"), "1");  // nothing written
    EXPECT_TRUE(e.tmrVSBL->enabled());
    // Ticking it again shows it at its place in the row.
    rig.app().mainBar->btnOpt_Click(2);
    FrmOptions& again = rig.dialog();
    again.chkModule[5]->click();
    EXPECT_TRUE(net->loaded());
    EXPECT_EQ(net->left(), rig.window(WindowSlot::Cpu0)->left() + 945);
    // The options button again brings the same window forward.
    rig.app().mainBar->btnOpt_Click(2);
    EXPECT_EQ(&rig.dialog(), &again);
}

TEST(OptionsDialog, ApplyWritesEveryKeyInOrderThenArrangesWakesAndRestartsTimers) {
    OptionsRig rig;
    FrmOptions& d = rig.open(kFiveModules + "LOGEnable=1\nLOGTiming=327\n");
    FrmHidden& e = rig.engine();
    d.chkModule[0]->click();  // no processor module left
    d.udCPU->setFocus();
    rig.m.sim.keyDown(d.window(), 40, 0);  // CPUCLOCK 10 -> 9
    d.chkLogEnable->click();
    std::filesystem::remove(rig.m.iniPath());
    d.cmdApply_Click();

    // The options first, the positions of the loaded windows last, in chain order.
    const std::vector<std::string> keys = rig.iniKeys();
    ASSERT_EQ(keys.size(), settingKeys().size() - 10);  // the five processor windows are not loaded
    EXPECT_EQ(keys.front(), "PLCMNT");
    EXPECT_EQ(std::vector<std::string>(keys.end() - 10, keys.end()),
              (std::vector<std::string>{"PosX9", "PosY9", "PosX5", "PosY5", "PosX6", "PosY6", "PosX7", "PosY7", "PosX8",
                                        "PosY8"}));
    EXPECT_EQ(rig.ini("CPUCLOCK"), "9");
    EXPECT_EQ(rig.ini("VISI0"), "0");

    EXPECT_EQ(e.tmrCPUs->interval(), 900u);
    EXPECT_FALSE(e.tmrCPUs->enabled());
    EXPECT_TRUE(e.tmrNET->enabled());
    EXPECT_EQ(e.tmrMEM->interval(), 2000u);
    EXPECT_TRUE(e.tmrMSE->enabled());
    EXPECT_FALSE(e.tmrLOG->enabled());
    EXPECT_EQ(e.tmrLOG->interval(), 32700u);
    EXPECT_FALSE(d.cmdApply->enabled());
    // The clock heads the row again; the wake, and the fade held while open: options_dialog.
    EXPECT_EQ(rig.window(WindowSlot::Network)->left(), rig.window(WindowSlot::Clock)->left() + 945);

    // The log period is formed in 16 bits: 32800 overflows and the period stays.
    rig.app().settings.LOGTiming = 328;
    d.cmdApply_Click();
    EXPECT_EQ(e.tmrLOG->interval(), 32700u);
    EXPECT_EQ(rig.ini("LOGTIMING"), "328");

    // Ticking a processor module and applying starts processor sampling again.
    d.chkModule[0]->click();
    d.cmdOK_Click();
    EXPECT_TRUE(e.tmrCPUs->enabled());
    EXPECT_FALSE(d.loaded());
    EXPECT_TRUE(e.tmrVSBL->enabled());
}

// Whatever Apply and the arrangement it makes write, loading reads back the
// same, key by key: every key is written once, under the name loading reads.
TEST(OptionsDialog, EveryKeyRoundTripsThroughApplyAndLoading) {
    OptionsRig rig(4);
    FrmOptions& d = rig.open("Visi0=1\nVisi1=1\nVisi2=1\nVisi3=1\nVisi4=1\n" + kFiveModules + "PLCMNT=2\n");
    Settings& s = rig.app().settings;
    // A value of its own in every field, but the placement kept fixed so
    // the positions stay where they are set.
    int n = 0;
    for (const SettingKey& key : settingKeys()) {
        ++n;
        if (key.name == std::string("PLCMNT")) continue;
        std::visit(
            [n](auto* f) {
                using T = std::remove_pointer_t<decltype(f)>;
                if constexpr (std::is_same_v<T, bool>)
                    *f = n % 2 == 1;
                else if constexpr (std::is_same_v<T, std::uint8_t>)
                    *f = static_cast<T>(100 + n);
                else
                    *f = static_cast<T>(-40 * n - 7);
            },
            key.field(s, key.index));
    }
    d.chkStart->click();
    EXPECT_FALSE(rig.m.sim.autostartEnabled()) << "only Apply sets it";
    std::filesystem::remove(rig.m.iniPath());
    d.cmdApply_Click();

    EXPECT_EQ(rig.iniKeys().size(), settingKeys().size());
    Settings read;
    EXPECT_EQ(LoadSettings(rig.app().settingsFile, read, 4), SettingsOrigin::File);
    for (const SettingKey& key : settingKeys())
        EXPECT_EQ(settingText(key, read), settingText(key, s)) << key.name;
    EXPECT_EQ(s.SWWN, 1);
    // Start with Windows is set, then removed, by Apply.
    const auto runEntry = [&] {
        return GetValue(rig.app().os.registry(), platform::RegRoot::CurrentUser, kRunKey, kRunValueName);
    };
    EXPECT_EQ(regVariantText(runEntry()), rig.app().programFolder + "velmora.exe");
    EXPECT_TRUE(rig.m.sim.autostartEnabled());
    d.chkStart->click();
    d.cmdApply_Click();
    EXPECT_TRUE(std::holds_alternative<std::monostate>(runEntry()));
    EXPECT_FALSE(rig.m.sim.autostartEnabled());
    EXPECT_EQ(rig.ini("SWWN"), "0");
}

// The reset writes every entry, moves only the loaded windows, then applies.
TEST(OptionsDialog, ResetWritesTheResetLayoutThenApplies) {
    OptionsRig rig;
    FrmOptions& d = rig.open(kFiveModules + "PLCMNT=2\nPosX6=777\nPosY6=888\n");
    d.chkAOT->click();
    d.Command1_Click();
    const int lefts[10] = {1045, 1990, 2935, 3880, 4825, 5770, 6715, 7660, 8605, 100};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(rig.ini("PosX" + std::to_string(i)), std::to_string(lefts[i])) << "entry " << i;
        EXPECT_EQ(rig.ini("PosY" + std::to_string(i)), "-30") << "entry " << i;
        EXPECT_EQ(rig.app().settings.PosX[i], lefts[i]);
    }
    EXPECT_EQ(test::at(*rig.window(WindowSlot::Memory)), (test::At{6715, -30}));
    EXPECT_FALSE(rig.window(WindowSlot::Cpu1)->loaded()) << "only its entry is written";
    EXPECT_EQ(rig.ini("ALWAYSOT"), "1");  // Apply ran
    EXPECT_TRUE(rig.window(WindowSlot::Memory)->topMost());
    EXPECT_FALSE(d.cmdApply->enabled());
}

TEST(OptionsDialog, SettingsOutsideTheControlsAreKeptAndWrittenBackUnchanged) {
    OptionsRig rig;
    FrmOptions& d = rig.open("CPUCLOCK=0\nNETCLOCK=900\nTLUCENTZOn=2\nmTyp0=40\nVisi0=1\nNEWLOG=9\nPLCMNT=7\n"
                             "VISIBLE=5\nDELLOG=200\nLOGWrite=-3\n");
    EXPECT_EQ(d.udCPU->value(), 1);
    EXPECT_EQ(d.lblCPUTime->caption(), "1");
    EXPECT_EQ(d.sldTransON->value(), 5);
    EXPECT_EQ(d.cboModule[0]->listIndex(), -1);
    EXPECT_TRUE(d.imgModule[0]->picture().empty());
    EXPECT_EQ(d.cboNewFile->listIndex(), -1);
    for (auto* o : d.optPlacement) EXPECT_FALSE(o->value());
    d.cmdOK_Click();
    for (auto [key, value] : {std::pair{"CPUCLOCK", "0"}, {"NETCLOCK", "900"}, {"TLUCENTZON", "2"}, {"MTYP0", "40"},
                              {"NEWLOG", "9"}, {"PLCMNT", "7"}, {"VISIBLE", "5"}, {"DELLOG", "200"}, {"LOGWRITE", "-3"}})
        EXPECT_EQ(rig.ini(key), value) << key;
}

TEST(OptionsDialog, FourPagesMatchTheirReferences) {
    OptionsRig rig;
    FrmOptions& d = rig.open(kFiveModules + "mTyp0=4\nmTyp5=2\nVISIBLE=2\nCORNER=3\nLOGEnable=1\nLOGTiming=10\n"
                                            "LOGWrite=1\nNEWLOG=1\nDELLOG=7\nTLUCENTZOn=230\nTLUCENTZOff=90\n");
    const char* pages[4] = {"options_general", "options_modules", "options_logging", "options_about"};
    for (int p = 0; p < 4; ++p) {
        if (p > 0) rig.m.sim.keyDown(d.window(), 9, 2);
        test::matchesReference(d, pages[p]);
    }
    rig.m.sim.keyDown(d.window(), 9, 2);  // wraps round, Apply still off
    test::matchesReference(d, pages[0]);
}
