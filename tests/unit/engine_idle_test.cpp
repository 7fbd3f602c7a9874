// The visibility timer: the five-second idle countdown, the fade and the
// hot corner, in virtual time. The timer starts when the engine loads; its
// tenth tick, five seconds later, fades.
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

void advanceTo(test::EngineRig& rig, std::int64_t ms) { rig.m.sim.advance(static_cast<std::uint64_t>(ms - rig.m.sim.nowMs())); }

}  // namespace

TEST(IdleFade, VisibleZeroHidesOnlyTheMainBarAfterFiveSeconds) {
    test::EngineRig rig(2);
    App& app = rig.start("VISIBLE=0\nVisi0=1\nVisi1=1\n");
    advanceTo(rig, fadeTime(rig) - 1);
    EXPECT_EQ(app.idleCountdown, 1);
    EXPECT_EQ(alphaOf(rig, "frmMain"), 230);
    advanceTo(rig, fadeTime(rig));
    EXPECT_EQ(app.idleCountdown, 0);
    EXPECT_EQ(alphaOf(rig, "frmMain"), 0);
    EXPECT_EQ(alphaOf(rig, "frmCPU0"), 230) << "modules keep their awake opacity";
    EXPECT_EQ(alphaOf(rig, "frmCPU1"), 230);
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
    EXPECT_EQ(app.idleCountdown, 0);
    pointAt(1023, 766);
    rig.m.sim.advance(1000);
    EXPECT_EQ(alphaOf(rig, "frmCPU0"), 90);
    pointAt(1023, 767);
    rig.m.sim.advance(500);
    EXPECT_EQ(alphaOf(rig, "frmCPU0"), 230);
    EXPECT_EQ(alphaOf(rig, "frmMain"), 230);
    EXPECT_EQ(app.idleCountdown, 10);
}

INSTANTIATE_TEST_SUITE_P(Scales, HotCorner, ::testing::Values(1, 2));
