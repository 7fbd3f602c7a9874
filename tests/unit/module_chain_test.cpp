// Where the windows open and how they line up beyond what the placement and
// modules_family scenarios print (rows and columns, a dragged row, every
// window of it saving its place, positions never clamped) and options_test
// (the reset layout): modules skipping hidden ones, and drags.
#include <gtest/gtest.h>

#include "core/frm_main.h"
#include "module_rig.h"

using namespace vel;

namespace {

using test::At;
using test::at;

const char* const kSaved =
    "PosX5=5000\nPosY5=500\nPosX6=6000\nPosY6=600\nPosX7=7005\nPosY7=705\nPosX8=8000\nPosY8=800\n"
    "PosX9=300\nPosY9=300\nPosX0=1500\nPosY0=1500\n";

}  // namespace

TEST(ModuleChain, MemoryAndMouseSkipModulesThatAreNotShown) {
    test::ModuleRig rig(1);
    rig.start(std::string("PLCMNT=0\nVisi5=1\nVisi7=1\n") + kSaved);
    EXPECT_EQ(at(rig.network()), (At{5000, 500})) << "nothing to stack on: its saved place";
    EXPECT_EQ(at(rig.mouse()), (At{5945, 500})) << "stacked on the network module, memory being hidden";
    EXPECT_FALSE(rig.memory().loaded());
    EXPECT_EQ(at(*rig.app().mainBar), (At{6890, 500}));
}

TEST(ModuleChain, DraggingTheMouseModuleByALabelSavesItsPlaceAsIndexSeven) {
    test::ModuleRig rig(1);
    App& app = rig.start(std::string("PLCMNT=2\nVisi7=1\n") + kSaved);
    FrmMouse& f = rig.mouse();
    rig.dragBy(*f.lblRGB[0], 5, 3, 10, 20);
    EXPECT_EQ(app.settings.PosX[7], 7005 + 150);
    EXPECT_EQ(app.settings.PosY[7], 705 + 300);
    EXPECT_EQ(at(f), (At{7155, 1005}));
}

TEST(ModuleChain, TheMemoryBarsDoNotDrag) {
    test::ModuleRig rig(1);
    App& app = rig.start(std::string("PLCMNT=2\nVisi6=1\n") + kSaved);
    const platform::Point p = rig.screenPoint(*rig.memory().memMeter[0], 4, 12);
    rig.m.sim.setPendingDrag(10, 20);
    rig.m.sim.mouseDown(p.x, p.y);
    rig.m.sim.mouseUp(p.x + 10, p.y + 20);
    EXPECT_EQ(at(rig.memory()), (At{6000, 600}));
    EXPECT_EQ(app.settings.PosX[6], 6000);
}

TEST(ModuleChain, AfterADragTheMouseIsFreeAgain) {
    // The system's move loop keeps the release for itself; the window must
    // not go on believing its button is down.
    test::ModuleRig rig(1);
    App& app = rig.start(std::string("PLCMNT=2\n") + kSaved);
    FrmMain& bar = *app.mainBar;
    const int leftBefore = rig.m.sim.findWindow("frmMain")->rect.left;
    rig.dragBy(*bar.picMainSkin, 46, 4, 10, 20);
    EXPECT_EQ(app.settings.PosX[8], (leftBefore + 10) * 15) << "the drag itself happened";
    const platform::Point button = rig.screenPoint(*bar.btnOpt[1], 4, 4);
    rig.m.sim.mouseMove(button.x, button.y);
    rig.m.sim.advance(static_cast<std::uint64_t>(rig.m.sim.tooltipDelay()) + 10);
    EXPECT_EQ(app.ui.visibleTooltip(), bar.btnOpt[1]->toolTipText());
    // A click on the button after the drag is an ordinary click.
    rig.m.sim.mouseDown(button.x, button.y);
    rig.m.sim.mouseUp(button.x, button.y);
    ASSERT_EQ(rig.m.sim.launches().size(), 1u);
    EXPECT_NE(rig.m.sim.launches()[0].file.find("Logscope"), std::string::npos);
}
