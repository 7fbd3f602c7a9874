// The Full View window beyond the fullview scenarios (which show where it
// opens, its navigation between screens and sub-views and the timers each
// screen runs): its place among the windows, its counter query and table,
// and dragging it.
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

// Closing it closes its counter query; each processor screen replacing the
// query's counters: tests/scenarios/fullview_pages and fullview_screens.
TEST(FullViewWindow, ItIsDraggedByItsSkinAndPanelsRemembersNothingAndClosesItsQuery) {
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
    fv.btnSelect_Click(0);
    ASSERT_TRUE(fv.pdh.isOpen());
    fv.unload();
    EXPECT_FALSE(fv.pdh.isOpen());
}
