// Dragging and lining up beyond what the placement scenario prints: every
// window of a dragged row saves its place, positions are never clamped,
// and the reset layout.
#include <gtest/gtest.h>

#include "core/inifile.h"
#include "engine_rig.h"
#include "window/placement.h"

using namespace vel;

namespace {

using test::At;
using test::at;

const char* const kFourModules = "Visi0=1\nVisi1=1\nVisi2=1\nVisi3=1\nPosX0=1500\nPosY0=600\n";

std::string saved(test::EngineRig& rig, const std::string& key) { return ReadIni("MAIN", key, rig.m.iniPath()); }

}  // namespace

TEST(Arrange, RowModeDraggingTheHeadMovesTheWholeRow) {
    test::EngineRig rig(4);
    rig.start(std::string("PLCMNT=0\n") + kFourModules);
    rig.dragBy(*rig.cpu(0).picMod, 5, 5, 20, 10);  // 300 and 150 twips
    for (int n = 0; n < 4; ++n) EXPECT_EQ(at(rig.cpu(n)), (At{1800.0 + 945 * n, 750})) << "CPU " << n;
    EXPECT_EQ(saved(rig, "PosX3"), "4635") << "every window of the row saves its new place";
    EXPECT_EQ(saved(rig, "PosY3"), "750");
}

TEST(Arrange, PositionsAreNeverClamped) {
    test::EngineRig rig(1);
    rig.start("PLCMNT=2\nVisi0=1\nPosX0=1500\nPosY0=600\n");
    rig.dragBy(*rig.cpu(0).picMod, 5, 5, -400, -300);
    EXPECT_EQ(at(rig.cpu(0)), (At{-4500, -3900}));
    EXPECT_EQ(saved(rig, "PosX0"), "-4500");
    EXPECT_EQ(saved(rig, "PosY0"), "-3900");
}

TEST(ResetLayout, WritesEveryEntryAndMovesOnlyLoadedWindows) {
    test::EngineRig rig(2);
    App& app = rig.start("PLCMNT=2\nVisi0=1\nPosX0=5000\nPosY0=5000\nPosX6=777\nPosY6=888\n");
    resetModuleLocations(app);
    EXPECT_EQ(at(rig.cpu(0)), (At{1045, -30}));
    const int lefts[10] = {1045, 1990, 2935, 3880, 4825, 5770, 6715, 7660, 8605, 100};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(saved(rig, "PosX" + std::to_string(i)), std::to_string(lefts[i])) << "entry " << i;
        EXPECT_EQ(saved(rig, "PosY" + std::to_string(i)), "-30") << "entry " << i;
        EXPECT_EQ(app.settings.PosX[i], lefts[i]);
    }
    EXPECT_FALSE(app.IsFormLoaded(app.window(WindowSlot::Network))) << "the network window was not loaded, only its entry written";
}
