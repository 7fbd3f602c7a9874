// Start-up and shut-down on the simulated machine, in virtual time.
#include <gtest/gtest.h>

#include "core/frm_main.h"
#include "core/frm_splash.h"
#include "core/startup.h"
#include "support/sim_machine.h"

using namespace vel;

namespace {

void defaultIni(test::SimMachine& m) {
    m.iniText("[MAIN]\nTLUCENTZON=255\nTLUCENTZOFF=100\nVISIBLE=1\nPosX8=3000\nPosY8=1500\nALWAYSOT=1\n");
}

}  // namespace

TEST(StartUp, TheSplashClosesOnTheThirdTickOfItsTimer) {
    test::SimMachine m(1);
    defaultIni(m);
    App& app = m.newApp();
    StartVelmora(app);
    m.sim.advance(1499);
    EXPECT_TRUE(app.splash->loaded());
    EXPECT_EQ(app.splash->tickCount, 2);
    m.sim.advance(1);
    EXPECT_FALSE(app.splash->loaded());
    EXPECT_EQ(app.trace.back().event, "splash closed");
    EXPECT_EQ(app.trace.back().ms, 8750u);
}

TEST(StartUp, SixProcessorsGetFourSamplers) {
    test::SimMachine m(6);
    App& app = m.newApp();
    ASSERT_TRUE(StartVelmora(app));
    EXPECT_EQ(app.processorCount, 6);
    for (int i = 0; i < 4; ++i) EXPECT_NE(app.samplers[i], nullptr);
    EXPECT_EQ(m.sim.nowMs(), 9500) << "processors without a sampler add no pause";
}

TEST(ShutDown, AnsweringYesUnloadsAndEnds) {
    test::SimMachine m;
    defaultIni(m);
    App& app = m.newApp();
    StartVelmora(app);
    m.sim.queueAnswer(platform::mb::IdYes);
    app.mainBar->btnExit_Click();
    // The exit code and the windows unloaded: tests/scenarios/cpu_modules.
    EXPECT_TRUE(m.sim.exited());
    for (const auto& s : app.samplers) EXPECT_EQ(s, nullptr);
}

TEST(ShutDown, ClosingTheQuestionWithoutAnAnswerMeansNo) {
    test::SimMachine m;
    App& app = m.newApp();
    StartVelmora(app);
    app.mainBar->btnExit_Click();  // no scripted answer: the default button (No)
    EXPECT_FALSE(m.sim.exited());
}
