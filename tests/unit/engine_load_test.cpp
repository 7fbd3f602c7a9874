// The engine's load routine: which timers run and at what period are
// printed at load by the scenarios (startup_exit with no CPU module shown,
// options_dialog and cpu_six_processors). And the visibility timer, in virtual time:
// it starts when the engine loads; its tenth tick, five seconds later, fades.
#include <gtest/gtest.h>

#include "engine_rig.h"

using namespace vel;

namespace {

std::uint8_t alphaOf(test::EngineRig& rig, const char* name) {
    const platform::SimWindow* w = rig.m.sim.findWindow(name);
    return w ? w->alpha : 0;
}

std::int64_t fadeTime(test::EngineRig& rig) {
    EXPECT_GT(rig.engineLoadedAt(), 0) << "start-up no longer traces its module loading";
    return rig.engineLoadedAt() + 5000;
}

void advanceTo(test::EngineRig& rig, std::int64_t ms) {
    rig.m.sim.advance(static_cast<std::uint64_t>(ms - rig.m.sim.nowMs()));
}

}  // namespace

TEST(EngineLoad, PeriodsThatDoNotFitTheirTimerAreRefused) {
    // 327 and 328 in sixteen bits: the options dialog's case and the six-processor scenario.
    EXPECT_EQ(periodInterval16(-1), std::nullopt);
    EXPECT_EQ(periodInterval(21474836), 2147483600u);
    EXPECT_EQ(periodInterval(21474837), std::nullopt);
}

// The state a load starts from is printed by the scenarios; here what a
// period of 0 does and that the screen is let go at unload.
TEST(EngineLoad, PeriodZeroMeansTheTimerNeverTicksAndUnloadReleasesTheScreen) {
    test::EngineRig rig;
    rig.start("Visi0=1\nCPUCLOCK=0\n");
    FrmHidden& e = rig.engine();
    EXPECT_TRUE(e.tmrCPUs->enabled());
    EXPECT_EQ(e.tmrCPUs->interval(), 0u);
    rig.m.sim.advance(5000);
    EXPECT_EQ(e.tmrCPUs->ticks(), 0u);
    EXPECT_EQ(e.state.NeedlePos, 0);
    EXPECT_TRUE(e.holdsScreen());
    e.unload();
    EXPECT_FALSE(e.holdsScreen());
    EXPECT_EQ(e.screenPixel(0, 0), -1);
}

TEST(IdleFade, VisibleZeroHidesOnlyTheMainBarAfterFiveSeconds) {
    test::EngineRig rig(2);
    App& app = rig.start("VISIBLE=0\nVisi0=1\nVisi1=1\n");
    advanceTo(rig, fadeTime(rig) - 1);
    EXPECT_EQ(app.idle.countdown, 1);
    EXPECT_EQ(alphaOf(rig, "frmMain"), 230);
    advanceTo(rig, fadeTime(rig));
    EXPECT_EQ(app.idle.countdown, 0);
    EXPECT_EQ(alphaOf(rig, "frmMain"), 0);
    EXPECT_EQ(alphaOf(rig, "frmCPU1"), 230) << "modules keep their awake opacity";
}

class HotCorner : public ::testing::TestWithParam<int> {};

// At a desktop scale the corner is the whole block of device pixels that
// enlarges its logical pixel; the pointer is put on the block's far pixel.
TEST_P(HotCorner, WakesOnlyOnItsExactPixel) {
    const int scale = GetParam();
    test::EngineRig rig(2);
    rig.m.sim.setScale(scale);
    rig.m.sim.setScreenSize(1024, 768);
    auto pointAt = [&](int x, int y) {
        const platform::Point p = rig.m.sim.toDevice({x, y});
        rig.m.sim.mouseMove(p.x + scale - 1, p.y + scale - 1);
    };
    App& app = rig.start("VISIBLE=2\nCORNER=3\nVisi0=1\n");
    advanceTo(rig, fadeTime(rig));
    ASSERT_EQ(alphaOf(rig, "frmCPU0"), 90);
    pointAt(1022, 767);
    rig.m.sim.advance(1000);
    EXPECT_EQ(alphaOf(rig, "frmCPU0"), 90);
    EXPECT_EQ(app.idle.countdown, 0);
    pointAt(1023, 766);
    rig.m.sim.advance(1000);
    EXPECT_EQ(alphaOf(rig, "frmCPU0"), 90);
    pointAt(1023, 767);
    rig.m.sim.advance(500);
    EXPECT_EQ(alphaOf(rig, "frmCPU0"), 230);
    EXPECT_EQ(alphaOf(rig, "frmMain"), 230);
    EXPECT_EQ(app.idle.countdown, 10);
}

INSTANTIATE_TEST_SUITE_P(Scales, HotCorner, ::testing::Values(1, 2));
