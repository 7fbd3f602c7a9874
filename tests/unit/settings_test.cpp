// Reading the settings file into the settings model; upper-case keys, as
// Apply writes them, are read in tests/scenarios/options_dialog.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "support/sim_machine.h"

using namespace vel;

namespace {
App& loaded(test::SimMachine& m, int processors) {
    App& app = m.newApp();
    app.processorCount = static_cast<std::uint8_t>(processors);
    LoadSettings(app);
    return app;
}
}  // namespace

TEST(LoadSettings, AValueThatDoesNotConvertKeepsTheFieldAndReadingGoesOn) {
    test::SimMachine m;
    m.iniText("[MAIN]\nCPUCLOCK=\nNETCLOCK=7\nNEWLOG=300\nDELLOG=12\nVISIBLE=abc\nCORNER=2\n"
              "ALWAYSOT=True\nCAPCPU=5\nCAPNET=0\nCAPMEM=yes\n");
    App& app = m.newApp();
    app.processorCount = 2;
    app.settings.NEWLOG = 3;
    app.settings.VISIBLE = 1;
    app.settings.capMEM = true;
    LoadSettings(app);
    EXPECT_EQ(app.settings.CPUCLOCK, 0);
    EXPECT_EQ(app.settings.NETCLOCK, 7);
    EXPECT_EQ(app.settings.NEWLOG, 3) << "300 does not fit a byte";
    EXPECT_EQ(app.settings.DELLOG, 12);
    EXPECT_EQ(app.settings.VISIBLE, 1);
    EXPECT_EQ(app.settings.CORNER, 2);
    // Flags take True and any number; 'yes' does not convert.
    EXPECT_TRUE(app.settings.ALWAYSOT);
    EXPECT_TRUE(app.settings.capCPU);
    EXPECT_FALSE(app.settings.capNET);
    EXPECT_TRUE(app.settings.capMEM);
}

// Which modules each processor count allows: the options dialog cases.
TEST(LoadSettings, ProcessorModulesFollowTheProcessorCount) {
    test::SimMachine m;
    m.iniText("[MAIN]\nVISI2=1\n");
    EXPECT_FALSE(loaded(m, 2).settings.Visi[2]);
    EXPECT_EQ(ReadIni("MAIN", "VISI2", m.iniPath()), "1") << "the file keeps its value";
}

TEST(LoadSettings, NegativeAndFractionalPositions) {
    test::SimMachine m;
    m.iniText("[MAIN]\nPosX0=-30\nPosY0=1045.5\nPosX9=99999999999\nPosY8=12.5\n");
    Settings& s = loaded(m, 2).settings;
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
