// The Full View window: how it opens, where, its navigation between screens
// and sub-views, and which timers run on each screen.
#include <gtest/gtest.h>

#include "fullview_rig.h"
#include "support/files.h"

using namespace vel;
using namespace vel::fullview;


namespace {

// Place of a window in the desktop's stacking order, bottom first.
int stackPlace(test::FullViewRig& rig, platform::WindowId id) {
    const auto windows = rig.m.sim.windows();
    for (std::size_t i = 0; i < windows.size(); ++i)
        if (windows[i]->id == id) return static_cast<int>(i);
    return -1;
}

const char* const kQuiet = "CPUCLOCK=0\nVisi6=1\nVisi8=1\nPLCMNT=2\nPosX6=100\nPosY6=9000\nPosX9=3000\nPosY9=9000\n";

}  // namespace

// Its place, region and top-most state with ALWAYSOT=1: tests/scenarios/fullview.
TEST(FullViewOpening, TheMainBarOpensTheHardwareScreenCentredAndShaped) {
    test::FullViewRig rig(2);
    App& app = rig.startAndSettle(std::string(kQuiet) + "ALWAYSOT=0\n");
    app.FVScreen = 2;
    app.FVSType = 4;
    FrmFULLVIEW& fv = rig.openFromMainBar();
    EXPECT_EQ(app.FVScreen, 6);
    EXPECT_EQ(app.FVSType, 0);
    EXPECT_EQ(fv.shownPanel(), kPanelHardware);
    ASSERT_TRUE(fv.hasRegion());
    EXPECT_FALSE(fv.region().contains(0, 0)) << "the rounded corner is cut away";
    EXPECT_TRUE(fv.region().contains(280, 136));
    EXPECT_FALSE(rig.m.sim.window(fv.window())->topMost);
    EXPECT_FALSE(fv.layered()) << "the Full View is never made translucent";
}

// Each module's double-click records its screen (tests/scenarios/cpu_modules
// and modules_family), and a window loaded with a state shows that screen
// (tests/scenarios/fullview).
TEST(FullViewOpening, OpeningAgainOnlyBringsItForward) {
    test::FullViewRig rig(2);
    App& app = rig.startAndSettle(kQuiet);
    FrmFULLVIEW& fv = rig.openFromMainBar();
    const platform::WindowId id = fv.window();
    // The clock's information box opens over the middle of the screen.
    rig.doubleClick(*rig.clock().picMod, 40, 5);
    forms::Form* about = app.ui.findLoaded("frmAboutZenthe");
    ASSERT_NE(about, nullptr);
    ASSERT_GT(stackPlace(rig, about->window()), stackPlace(rig, id));

    // The state it records and the page it keeps: tests/scenarios/fullview.
    rig.doubleClick(*rig.memory().picMod, 2, 2);
    EXPECT_EQ(fv.window(), id) << "not loaded again";
    EXPECT_GT(stackPlace(rig, id), stackPlace(rig, about->window())) << "brought forward";
}

// Which panel each screen shows, and where: the reference pictures of every
// screen and sub-view. The timers of the hardware, memory, single-processor
// and ICMP screens: tests/scenarios/fullview.
TEST(FullViewNavigation, EachScreenRunsOnlyItsOwnTimers) {
    test::FullViewRig rig(2);
    rig.startAndSettle(kQuiet);
    FrmFULLVIEW& fv = rig.openFromMainBar();
    struct Case {
        int button, subView;
        const char* timers;
    };
    for (const Case& c : {Case{1, 0, "tmrProcessors"}, Case{1, 1, "tmrProcessors"}, Case{2, 0, "tmrIP"},
                          Case{2, 2, "tmrTCPUDP"}}) {
        rig.click(*fv.btnSelect[c.button]);
        if (c.subView) rig.click(*fv.btnTSelect[c.subView]);
        EXPECT_EQ(rig.runningTimers(), c.timers) << "button " << c.button << " sub-view " << c.subView;
    }
}

// Button 3 opening screen 5: tests/scenarios/fullview.
TEST(FullViewNavigation, ButtonsThreeAndFourAreScreensFiveAndSix) {
    test::FullViewRig rig(2);
    App& app = rig.startAndSettle(kQuiet);
    // A state preset to 4 opens the hardware screen.
    showFullView(app, 4, 1, 0);
    EXPECT_EQ(app.FVScreen, 6);
    EXPECT_EQ(rig.view().shownPanel(), kPanelHardware);
    EXPECT_EQ(rig.view().hardwarePages->lblSTitle->caption(), "Video\\Monitor Information");
}

TEST(FullViewNavigation, SubViewButtonsBeyondTheScreenAreDisabled) {
    test::FullViewRig rig(2);
    App& app = rig.startAndSettle(kQuiet);
    FrmFULLVIEW& fv = rig.openFromMainBar();
    const int expected[5] = {1, 2, 3, 1, 3};
    for (int b = 0; b < 5; ++b) {
        rig.click(*fv.btnSelect[b]);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(fv.btnTSelect[i]->enabled(), i < expected[b]) << "screen button " << b << " sub-view " << i;
            EXPECT_EQ(fv.btnTFV[i]->enabled(), i < expected[b]);
            EXPECT_EQ(fv.btnTSelect[i]->toolTipText().empty(), i >= expected[b]);
        }
    }
    // On the memory screen a click on sub-view 2 does nothing.
    rig.click(*fv.btnSelect[3]);
    rig.click(*fv.btnTFV[2]);
    EXPECT_EQ(app.FVSubView, 0);
    EXPECT_EQ(fv.shownPanel(), kPanelMemory);
    // The network screen's buttons with their tooltips and captions.
    rig.click(*fv.btnSelect[2]);
    EXPECT_EQ(fv.btnTSelect[2]->toolTipText(), "TCP\\UDP Statistics");
    EXPECT_EQ(fv.btnTFV[2]->caption(), "T\\U");
}

TEST(FullViewNavigation, SubViewsOfTheProcessorScreensOnlyRecordWhatTheyDoNotShow) {
    test::FullViewRig rig(2);
    App& app = rig.startAndSettle(kQuiet);
    FrmFULLVIEW& fv = rig.openFromMainBar();
    rig.click(*fv.btnSelect[0]);
    fv.lblCPUOpt_Click(1);
    ASSERT_EQ(app.FVSType, 1);
    // Sub-view 2 of the single-processor screen: only the number changes.
    fv.btnTSelect_Click(2);
    EXPECT_EQ(app.FVSubView, 2);
    EXPECT_EQ(app.FVSType, 1);
    EXPECT_EQ(fv.shownPanel(), kPanelProcessor);
    // Sub-view 0 starts the screen again with processor 0.
    fv.btnTSelect_Click(0);
    EXPECT_EQ(app.FVSType, 0);
    // The summary (99) and its activity graphs (98): tests/scenarios/fullview.
    rig.click(*fv.btnSelect[1]);
    rig.click(*fv.btnTSelect[1]);
    fv.btnTSelect_Click(2);
    EXPECT_EQ(app.FVSubView, 2);
    EXPECT_EQ(fv.shownPanel(), kPanelActivity);
    // Elsewhere every sub-view sets the option back to 0.
    rig.click(*fv.btnSelect[2]);
    fv.lblNetOpt_Click(1);
    rig.click(*fv.btnTSelect[1]);
    EXPECT_EQ(app.FVSType, 0);
    EXPECT_EQ(fv.shownPanel(), kPanelICMP);
}

TEST(FullViewNavigation, OnlyTheDetectedProcessorsCanBeChosen) {
    for (int processors : {1, 2, 6}) {
        test::FullViewRig rig(processors);
        App& app = rig.startAndSettle(kQuiet);
        FrmFULLVIEW& fv = rig.openFromMainBar();
        rig.click(*fv.btnSelect[0]);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(fv.processorPages->lblCPUOpt[i]->enabled(), i < std::min(processors, 4)) << processors;
            rig.click(*fv.processorPages->lblCPUOpt[i]);
            EXPECT_EQ(app.FVSType, i < processors ? i : std::min(processors, 4) - 1) << processors << " " << i;
        }
    }
}

// Each processor screen replacing the query's counters: tests/scenarios/fullview_pages.
TEST(FullViewNavigation, TheMemoryScreenAndClosingTheWindowCloseTheCounterQuery) {
    test::FullViewRig rig(2);
    rig.startAndSettle(kQuiet);
    FrmFULLVIEW& fv = rig.openFromMainBar();
    const auto fill = [&fv] {
        fv.pdh.open();
        fv.pdh.add("\\Memory\\Pages/sec");
        fv.pdh.add("\\Memory\\Cache Faults/sec");
        ASSERT_TRUE(fv.pdh.isOpen());
        ASSERT_EQ(fv.pdh.count(), 2);
    };
    fill();
    rig.click(*fv.btnSelect[3]);
    EXPECT_FALSE(fv.pdh.isOpen());
    EXPECT_EQ(fv.pdh.count(), 0);
    fill();
    fv.unload();
    EXPECT_FALSE(fv.pdh.isOpen()) << "closing the window any way closes the query";
}

TEST(FullViewCounterTable, PositionsPastTheCapacityAreCountedButNotKept) {
    test::FullViewRig rig(1);
    rig.startAndSettle(kQuiet);
    PdhCounterTable table(rig.m.sim.sources());
    table.open();
    for (int i = 0; i < 102; ++i) table.add("\\Processor(" + std::to_string(i) + ")\\% Idle Time");
    EXPECT_EQ(table.count(), 102);
    EXPECT_EQ(table.entry(99).path, "\\Processor(99)\\% Idle Time");
    EXPECT_NE(table.entry(0).handle, 0u) << "a counter the machine lacks still gets its handle";
    table.close();
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.entry(0).path, "");
}

TEST(FullViewWindow, ItIsDraggedByItsSkinAndPanelsAndRemembersNothing) {
    test::FullViewRig rig(2);
    rig.startAndSettle(kQuiet);
    FrmFULLVIEW& fv = rig.openFromMainBar();
    const std::string settingsBefore = test::readFile(rig.m.iniPath());
    const double left = fv.left(), top = fv.top();
    rig.dragBy(*fv.picMainSkin, 300, 6, 20, 10);
    EXPECT_EQ(fv.left(), left + 300);
    EXPECT_EQ(fv.top(), top + 150);
    rig.dragBy(*fv.picMod[kPanelHardware], 300, 212, -20, 0);
    EXPECT_EQ(fv.left(), left);
    EXPECT_EQ(test::readFile(rig.m.iniPath()), settingsBefore) << "no place is saved for it";
}
