// Reading the settings file into the settings model; upper-case keys, as
// Apply writes them, are read in tests/scenarios/options_dialog, and the
// modules each processor count allows in options_test.
#include <gtest/gtest.h>

#include "core/inifile.h"
#include "core/settings.h"
#include "support/sim_machine.h"

using namespace vel;

namespace {
Settings loaded(test::SimMachine& m, int processors, Settings s = {}) {
    IniFile file(m.sim.files(), m.iniPath());
    EXPECT_EQ(LoadSettings(file, s, processors), SettingsOrigin::File);
    return s;
}
}  // namespace

TEST(LoadSettings, AValueThatDoesNotConvertKeepsTheFieldAndReadingGoesOn) {
    test::SimMachine m;
    m.iniText("[MAIN]\nCPUCLOCK=\nNETCLOCK=7\nNEWLOG=300\nDELLOG=12\nVISIBLE=abc\nCORNER=2\n"
              "ALWAYSOT=True\nCAPCPU=5\nCAPNET=0\nCAPMEM=yes\nPosX0=-30\nPosY0=1045.5\nPosX9=99999999999\nPosY8=12.5\n");
    Settings before;
    before.NEWLOG = 3;
    before.VISIBLE = 1;
    before.capMEM = true;
    const Settings s = loaded(m, 2, before);
    EXPECT_EQ(s.CPUCLOCK, 0);
    EXPECT_EQ(s.NETCLOCK, 7);
    EXPECT_EQ(s.NEWLOG, 3) << "300 does not fit a byte";
    EXPECT_EQ(s.DELLOG, 12);
    EXPECT_EQ(s.VISIBLE, 1);
    EXPECT_EQ(s.CORNER, 2);
    // Flags take True and any number; 'yes' does not convert.
    EXPECT_TRUE(s.ALWAYSOT);
    EXPECT_TRUE(s.capCPU);
    EXPECT_FALSE(s.capNET);
    EXPECT_TRUE(s.capMEM);
    // Negative and fractional positions.
    EXPECT_EQ(s.PosX[0], -30);
    EXPECT_EQ(s.PosY[0], 1046) << "halves go to even";
    EXPECT_EQ(s.PosX[9], 0) << "out of range keeps the old value";
    EXPECT_EQ(s.PosY[8], 12);
}

TEST(ProgramFolder, OneSeparatorIsAlwaysAppended) {
    test::SimMachine m;
    m.sim.setPathSeparator('\\');
    App& app = m.newApp();
    app.setProgramFolder("C:\\Tools\\");
    EXPECT_EQ(app.programFolder, "C:\\Tools\\\\");
    app.setProgramFolder("C:\\Tools");
    EXPECT_EQ(app.iniPath, "C:\\Tools\\velmora.ini");
}
