// Start-up and shut-down on the simulated machine, in virtual time.
#include <gtest/gtest.h>

#include "core/frm_main.h"
#include "core/frm_splash.h"
#include "core/startup.h"
#include "support/sim_machine.h"

using namespace vel;

namespace {

std::vector<std::string> events(const App& app) {
    std::vector<std::string> out;
    for (const auto& e : app.trace) out.push_back("@" + std::to_string(e.ms) + " " + e.event);
    return out;
}

void defaultIni(test::SimMachine& m) {
    m.iniText("[MAIN]\nTLUCENTZON=255\nTLUCENTZOFF=100\nVISIBLE=1\nPosX8=3000\nPosY8=1500\nALWAYSOT=1\n");
}

}  // namespace

TEST(StartUp, StatusTextsAndPicturesInOrderWithTheirPauses) {
    test::SimMachine m(2);  // one 750 ms pause per sampler created
    defaultIni(m);
    App& app = m.newApp();
    ASSERT_TRUE(StartVelmora(app));
    const std::vector<std::string> expected = {
        "@0 picture 0",
        "@1000 status Enumerating processors...",
        "@1750 status Detecting processor types...",
        "@3250 picture 1",
        "@3750 status Detecting system hardware...",
        "@4000 picture 2",
        "@5500 status Loading VELMORA v2 settings...",
        "@5500 status Verifying log file settings...",
        "@7000 status Applying settings...",
        "@7500 status Loading modules...",
        "@7500 status Almost done...",
    };
    EXPECT_EQ(events(app), expected);
    EXPECT_EQ(m.sim.nowMs(), 8000);
}

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

TEST(StartUp, SplashIsCentredTopMostWithItsBuildText) {
    test::SimMachine m;
    m.sim.setScreenSize(1024, 768);
    App& app = m.newApp();
    StartVelmora(app);
    const platform::SimWindow* w = m.sim.findWindow("frmSplash");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->topMost);
    EXPECT_EQ(w->rect.left, (1024 - w->rect.width()) / 2);
    EXPECT_EQ(w->rect.top, (768 - w->rect.height()) / 2);
    EXPECT_TRUE(w->hasRegion) << "the splash takes its outline from its skin";
    EXPECT_EQ(app.splash->lblBuild->caption(), "Build 1.0047");
    EXPECT_EQ(app.splash->SplashMetersText->caption(), "Memtide...\n\rRestore Your Memory!");
}

TEST(StartUp, MainBarOpensShapedTranslucentAtItsPlace) {
    test::SimMachine m;
    defaultIni(m);
    App& app = m.newApp();
    StartVelmora(app);
    const platform::SimWindow* w = m.sim.findWindow("frmMain");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->visible);
    EXPECT_TRUE(w->hasRegion);
    EXPECT_TRUE(w->layered);
    EXPECT_EQ(w->alpha, 255);
    EXPECT_TRUE(w->topMost);
    EXPECT_EQ(w->rect.left, 200);  // 3000 twips
    EXPECT_EQ(w->rect.top, 100);
    EXPECT_EQ(w->rect.width(), 65);
}

TEST(StartUp, ASecondInstanceShowsTheNoticeAndOpensNothing) {
    test::SimMachine m;
    m.sim.setOtherInstanceRunning(true);
    App& app = m.newApp();
    EXPECT_FALSE(StartVelmora(app));
    ASSERT_EQ(m.sim.messages().size(), 1u);
    EXPECT_EQ(m.sim.messages()[0].text, "VELMORA v2 is already running!");
    EXPECT_EQ(m.sim.messages()[0].title, "Brinlake");
    EXPECT_EQ(m.sim.messages()[0].style, platform::mb::Exclamation);
    EXPECT_TRUE(m.sim.windows().empty());
    EXPECT_TRUE(m.sim.exited());
}

TEST(StartUp, SixProcessorsGetFourSamplers) {
    test::SimMachine m(6);
    App& app = m.newApp();
    ASSERT_TRUE(StartVelmora(app));
    EXPECT_EQ(app.processorCount, 6);
    for (int i = 0; i < 4; ++i) EXPECT_NE(app.samplers[i], nullptr);
    EXPECT_EQ(m.sim.nowMs(), 9500) << "processors without a sampler add no pause";
}

TEST(ShutDown, AnsweringNoKeepsEverythingRunning) {
    test::SimMachine m;
    defaultIni(m);
    App& app = m.newApp();
    StartVelmora(app);
    m.sim.queueAnswer(platform::mb::IdNo);
    app.mainBar->btnExit_Click();
    ASSERT_EQ(m.sim.messages().size(), 1u);
    const auto& q = m.sim.messages()[0];
    EXPECT_EQ(q.text, "Do you really want to close VELMORA v2?");
    EXPECT_EQ(q.style, platform::mb::YesNo | platform::mb::DefaultButton2 | platform::mb::Exclamation);
    EXPECT_FALSE(m.sim.exited());
    EXPECT_TRUE(app.mainBar->loaded());
}

TEST(ShutDown, AnsweringYesUnloadsAndEnds) {
    test::SimMachine m;
    defaultIni(m);
    App& app = m.newApp();
    StartVelmora(app);
    m.sim.queueAnswer(platform::mb::IdYes);
    app.mainBar->btnExit_Click();
    EXPECT_TRUE(m.sim.exited());
    EXPECT_EQ(m.sim.exitCode(), 0);
    EXPECT_FALSE(app.mainBar->loaded());
    for (const auto& s : app.samplers) EXPECT_EQ(s, nullptr);
}

TEST(ShutDown, ClosingTheQuestionWithoutAnAnswerMeansNo) {
    test::SimMachine m;
    App& app = m.newApp();
    StartVelmora(app);
    app.mainBar->btnExit_Click();  // no scripted answer: the default button (No)
    EXPECT_FALSE(m.sim.exited());
}
