// Where a CPU module opens, and what the mouse does on it.
#include <gtest/gtest.h>

#include "engine_rig.h"
#include "fullview/frm_fullview.h"

using namespace vel;

namespace {

using test::At;
using test::at;

const char* const kSavedPlaces =
    "PosX0=1500\nPosY0=300\nPosX1=6000\nPosY1=900\nPosX2=7500\nPosY2=1800\nPosX3=9000\nPosY3=2700\n"
    "PosX4=10500\nPosY4=3600\n";

void doubleClickOn(test::EngineRig& rig, const forms::Control& c, int x, int y) {
    const platform::Point p = rig.screenPoint(c, x, y);
    rig.m.sim.mouseMove(p.x, p.y);
    rig.m.sim.doubleClick(p.x, p.y);
    // The Full View it opened would lie over the next module.
    if (rig.app().fullView) rig.app().fullView->unload();
}

}  // namespace

TEST(CpuModulePlacement, ColumnModeStacksOnTheNearestLoadedModule) {
    test::EngineRig rig(4);
    rig.start(std::string("PLCMNT=1\nVisi0=1\nVisi1=0\nVisi2=1\n") + kSavedPlaces);
    EXPECT_FALSE(rig.cpu(1).loaded());
    EXPECT_EQ(at(rig.cpu(2)), (At{1500, 300 + 405}));
}

TEST(CpuModulePlacement, RowModeWithoutAModuleToStackOnUsesTheSavedPlace) {
    test::EngineRig rig(4);
    rig.start(std::string("PLCMNT=0\nVisi0=0\nVisi1=1\nVisi2=1\nVisi4=1\n") + kSavedPlaces);
    EXPECT_EQ(at(rig.cpu(1)), (At{6000, 900}));
    EXPECT_EQ(at(rig.cpu(2)), (At{6000 + 945, 900}));
    EXPECT_EQ(at(rig.cpu(4)), (At{6000 + 2 * 945, 900})) << "the all-processors module skips the hidden CPU 3";
}

TEST(CpuModuleMouse, DoubleClickOnTheNumberLabelRecordsTheFullViewScreen) {
    // On the surface: tests/scenarios/cpu_modules.
    test::EngineRig rig(4);
    App& app = rig.start(std::string("PLCMNT=2\nVisi2=1\nmTyp2=4\n") + kSavedPlaces);
    app.FVScreen = 7;
    doubleClickOn(rig, *rig.cpu(2).lblCPU, 20, 4);
    EXPECT_EQ(app.FVScreen, 0);
    EXPECT_EQ(app.FVSType, 2);
}

TEST(CpuModuleMouse, DoubleClickOnTheSkinFrameDoesNothing) {
    test::EngineRig rig(2);
    App& app = rig.start(std::string("PLCMNT=2\nVisi1=1\n") + kSavedPlaces);
    app.FVScreen = 5;
    app.FVSType = 7;
    doubleClickOn(rig, *rig.cpu(1).picMainSkin, 1, 14);
    EXPECT_EQ(app.FVScreen, 5);
    EXPECT_EQ(app.FVSType, 7);
}
