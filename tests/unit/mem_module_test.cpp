// The memory module's edge cases: style codes outside the list, amounts
// too small or too large, empty pools, a hidden module. Its styles and a
// usual tick are pinned by tests/data/snapshots and the modules_family
// scenario.
#include <gtest/gtest.h>

#include "module_rig.h"

using namespace vel;

namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

}  // namespace

TEST(MemoryModuleLoad, CodesOutsideTheStylesTakeWhateverTheListHolds) {
    {
        test::ModuleRig rig(1);
        App& app = rig.start("Visi6=1\nmTyp6=12\n");
        FrmMemory& f = rig.memory();
        EXPECT_EQ(f.picMod->picture(), app.ui.picture("mem_face_0.png")) << "no picture 13: the design face stays";
        EXPECT_EQ(f.memMeter[0]->picture(), app.ui.picture("mem_bar_0.png"));
        EXPECT_EQ(f.shpMem[3]->backColor(), rgb(0, 0, 0));
    }
    {
        // Picture 8 exists (a bar), picture 13 does not.
        test::ModuleRig rig(1);
        App& app = rig.start("Visi6=1\nmTyp6=7\n");
        FrmMemory& f = rig.memory();
        EXPECT_EQ(f.picMod->picture(), app.ui.picture("mem_bar_2.png"));
        EXPECT_EQ(f.memMeter[0]->picture(), app.ui.picture("mem_bar_0.png"));
    }
}

// Amounts of more than 4 GB keep all their digits: tests/scenarios/modules_family.
TEST(MemoryModuleTick, SmallAmountsArePadded) {
    test::ModuleRig rig(1);
    rig.start("Visi6=1\n");
    rig.sources().setMemory(test::memoryStatus(64 * kMiB, 5 * kMiB + kMiB / 2, 64 * kMiB, 64 * kMiB, 64 * kMiB, 0));
    rig.engine().tmrMEM_Timer();
    EXPECT_EQ(rig.memory().memMeter[0]->toolTipText(), "Available Physical Memory: 005.500 MB (Double-Click for info...)");
}

TEST(MemoryModuleTick, ZeroTotalSkipsThatBarOnly) {
    test::ModuleRig rig(1);
    rig.start("Visi6=1\n");
    rig.sources().setMemory(test::memoryStatus(100 * kMiB, 0, 0, 0, 100 * kMiB, 50 * kMiB));
    rig.engine().tmrMEM_Timer();
    FrmMemory& f = rig.memory();
    EXPECT_EQ(f.shpMem[0]->height(), 18) << "all physical memory in use";
    EXPECT_EQ(f.shpMem[1]->height(), 3) << "no virtual total: the cover stays";
    EXPECT_EQ(f.shpMem[2]->height(), 9);
    EXPECT_EQ(f.memMeter[1]->toolTipText(), "Available Virtual Memory: 000.000 MB (Double-Click for info...)");
}

TEST(MemoryModuleTick, OnlyWhileTheModuleIsShown) {
    test::ModuleRig rig(1);
    App& app = rig.start("Visi6=0\nMEMCLOCK=5\n");
    FrmHidden& e = rig.engine();
    EXPECT_FALSE(e.tmrMEM->enabled());
    app.settings.Visi[6] = false;
    rig.sources().setMemory(test::memoryStatus(100, 0, 100, 0, 100, 0));
    e.tmrMEM_Timer();
    EXPECT_EQ(app.memorySnapshot.TotalPhys.raw, 0) << "the tick does not even refresh the snapshot";
}
