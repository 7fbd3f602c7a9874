// The engine's load routine: which timers run, at what period, and the
// state it starts from (each timer's period and the module it waits for are
// printed at load by the options_dialog and cpu_six_processors scenarios).
// Also the hexadecimal helper it offers.
#include <gtest/gtest.h>

#include "engine_rig.h"

using namespace vel;

TEST(EngineLoad, AnyVisibleCpuModuleStartsTheCpuTimerAndNoneStopsIt) {
    for (int visible = -1; visible <= 4; ++visible) {
        test::EngineRig rig(4);
        std::string lines = "CPUCLOCK=2\n";
        for (int m = 0; m <= 4; ++m) lines += "Visi" + std::to_string(m) + "=" + (m == visible ? "1" : "0") + "\n";
        rig.start(lines);
        EXPECT_EQ(rig.engine().tmrCPUs->enabled(), visible >= 0) << "visible module " << visible;
        EXPECT_FALSE(rig.engine().tmrNET->enabled());
        EXPECT_FALSE(rig.engine().tmrLOG->enabled());
    }
}

TEST(EngineLoad, PeriodsThatDoNotFitTheirTimerAreRefused) {
    // 327 and 328 in sixteen bits: the options dialog's case and the six-processor scenario.
    EXPECT_EQ(periodInterval16(-1), std::nullopt);
    EXPECT_EQ(periodInterval(21474836), 2147483600u);
    EXPECT_EQ(periodInterval(21474837), std::nullopt);
}

TEST(EngineLoad, PeriodZeroMeansTheTimerNeverTicks) {
    test::EngineRig rig;
    rig.start("Visi0=1\nCPUCLOCK=0\n");
    EXPECT_TRUE(rig.engine().tmrCPUs->enabled());
    EXPECT_EQ(rig.engine().tmrCPUs->interval(), 0u);
    rig.m.sim.advance(5000);
    EXPECT_EQ(rig.engine().tmrCPUs->ticks(), 0u);
    EXPECT_EQ(rig.engine().state.NeedlePos, 0);
}

TEST(EngineLoad, LoadResetsTheStoreTheIdleStateAndTheFullViewScreen) {
    test::EngineRig rig;
    App& app = rig.start("Visi0=1\n");
    FrmHidden& e = rig.engine();
    EXPECT_EQ(app.idleCountdown, 10);
    EXPECT_TRUE(app.fadePending);
    EXPECT_TRUE(e.holdsScreen());

    e.state.NeedlePos = 17;
    e.state.EkgPos = 9;
    e.state.NeedleHistory[2][5] = 33;
    e.state.GraphHistory[4][0] = 12;
    app.FVScreen = 6;
    app.FVSubView = 2;
    app.FVSType = 3;
    app.idleCountdown = 0;
    app.fadePending = false;
    e.unload();
    EXPECT_FALSE(e.holdsScreen());
    EXPECT_EQ(e.screenPixel(0, 0), -1) << "the screen is released at unload";
    e.load();

    EXPECT_EQ(e.state.NeedlePos, 0);
    EXPECT_EQ(e.state.EkgPos, 0);
    EXPECT_EQ(e.state.NeedleHistory[2][5], 0);
    for (const auto& h : e.state.GraphHistory)
        for (std::int16_t v : h) ASSERT_EQ(v, 200);
    EXPECT_EQ(app.FVScreen, 0);
    EXPECT_EQ(app.FVSubView, 0);
    EXPECT_EQ(app.FVSType, 3) << "the load routine leaves the Full View's sub-type alone";
    EXPECT_EQ(app.idleCountdown, 10);
    EXPECT_TRUE(app.fadePending);
    EXPECT_TRUE(e.tmrCPUs->enabled()) << "timers run again after a new load";
    EXPECT_TRUE(e.tmrVSBL->enabled());
}

TEST(HexToDecimal, DigitsCountTheirValueOtherCharactersTheirCodeMinus55) {
    EXPECT_EQ(HexToDecimal(""), 0);
    EXPECT_EQ(HexToDecimal("A"), 10);
    EXPECT_EQ(HexToDecimal("1A2B"), 0x1A2B);
    EXPECT_EQ(HexToDecimal("10"), 16) << "most significant first";
    EXPECT_EQ(HexToDecimal("G"), 16);
    EXPECT_EQ(HexToDecimal("a"), 42) << "lower case is not folded: 'a' is 97 - 55";
    EXPECT_EQ(HexToDecimal("7FFFFFFF"), 2147483647);
}

TEST(HexToDecimal, AStepThatOverflowsIsSkippedAndTheRestStillCounts) {
    EXPECT_EQ(HexToDecimal("80000000"), 0);
    EXPECT_EQ(HexToDecimal("FFFFFFFF"), 0x0FFFFFFF);
    EXPECT_EQ(HexToDecimal("100000001"), 1);
}
