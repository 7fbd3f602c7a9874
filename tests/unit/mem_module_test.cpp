// The memory module: its controls and styles at load, the cover heights
// and tooltips of the memory tick, and its double-click.
#include <gtest/gtest.h>

#include "module_rig.h"

using namespace vel;

namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

}  // namespace

TEST(MemoryModuleLoad, ControlsAndTheirDesign) {
    test::ModuleRig rig(1);
    rig.start("Visi6=1\nmTyp6=0\n");
    FrmMemory& f = rig.memory();
    EXPECT_TRUE(f.loaded());
    EXPECT_EQ(f.name(), "frmMemory");
    EXPECT_EQ(f.pixelWidth(), 65);
    EXPECT_EQ(f.pixelHeight(), 29);
    EXPECT_EQ(f.picMod->toolTipText(), "Memory (Double-click for info...)");
    EXPECT_EQ(f.picMainSkin->toolTipText(), "Memory (Double-click for info...)");
    const int lefts[4] = {8, 19, 30, 41}, widths[4] = {10, 10, 10, 11};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.memMeter[i]->left(), lefts[i]);
        EXPECT_EQ(f.memMeter[i]->top(), 3);
        EXPECT_EQ(f.memMeter[i]->width(), widths[i]);
        EXPECT_EQ(f.memMeter[i]->height(), 17);
        EXPECT_EQ(f.shpMem[i]->left(), lefts[i]);
        EXPECT_EQ(f.shpMem[i]->width(), widths[i]);
        EXPECT_EQ(f.shpMem[i]->height(), 3) << "covers start 3 pixels high, before the first tick";
        EXPECT_TRUE(f.shpMem[i]->opaque());
        EXPECT_EQ(f.memMeter[i]->picture().width, 10) << "each bar picture is 10 x 17";
        EXPECT_EQ(f.memMeter[i]->picture().height, 17);
    }
}

TEST(MemoryModuleLoad, EachStyleSetsFaceBarsAndCoverColour) {
    const Colour covers[5] = {rgb(0, 0, 0), rgb(103, 186, 218), rgb(252, 211, 93), rgb(133, 212, 0), rgb(255, 92, 85)};
    for (int code = 0; code < 5; ++code) {
        test::ModuleRig rig(1);
        App& app = rig.start("Visi6=1\nmTyp6=" + std::to_string(code) + "\n");
        FrmMemory& f = rig.memory();
        EXPECT_EQ(f.picMod->picture(), app.ui.picture("mem_face_" + std::to_string(code) + ".png")) << code;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(f.memMeter[i]->picture(), app.ui.picture("mem_bar_" + std::to_string(code) + ".png")) << code;
            EXPECT_EQ(f.shpMem[i]->backColor(), covers[code]) << code;
        }
    }
}

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

TEST(MemoryModuleTick, HeightsAndTooltipsFromTheSnapshot) {
    test::ModuleRig rig(1);
    rig.start("Visi6=1\nmTyp6=2\n");
    // Physical 1/4 free (cover 13.5 -> 14), virtual 3/4 free (4.5 -> 4),
    // page file all free (0); combined used 3072 + 512 + 0 of 8192.
    rig.sources().setMemory(test::memoryStatus(4096 * kMiB, 1024 * kMiB, 2048 * kMiB, 1536 * kMiB, 2048 * kMiB, 2048 * kMiB));
    rig.engine().tmrMEM_Timer();
    FrmMemory& f = rig.memory();
    EXPECT_EQ(f.shpMem[0]->height(), 14) << "18 x 0.75 = 13.5, halves to even";
    EXPECT_EQ(f.shpMem[1]->height(), 4) << "18 x 0.25 = 4.5, halves to even";
    EXPECT_EQ(f.shpMem[2]->height(), 0);
    // Combined load 0.4375: this cover is the free share, 18 x 0.5625 = 10.1.
    EXPECT_EQ(f.shpMem[3]->height(), 10);
    EXPECT_EQ(f.memMeter[0]->toolTipText(), "Available Physical Memory: 1024.000 MB (Double-Click for info...)");
    EXPECT_EQ(f.shpMem[0]->toolTipText(), f.memMeter[0]->toolTipText());
    EXPECT_EQ(f.memMeter[1]->toolTipText(), "Available Virtual Memory: 1536.000 MB (Double-Click for info...)");
    EXPECT_EQ(f.memMeter[2]->toolTipText(), "Available Page File: 2048.000 MB (Double-Click for info...)");
    EXPECT_EQ(f.memMeter[3]->toolTipText(), "Total Memory Load: 43.75% (Double-Click for info...)");
    EXPECT_EQ(f.shpMem[3]->toolTipText(), f.memMeter[3]->toolTipText());
}

TEST(MemoryModuleTick, SmallAmountsArePaddedAndHugeOnesKeepAllDigits) {
    test::ModuleRig rig(1);
    rig.start("Visi6=1\n");
    // 5.5 MB free of physical; 6 TiB of page file free.
    rig.sources().setMemory(test::memoryStatus(64 * kMiB, 5 * kMiB + kMiB / 2, 64 * kMiB, 64 * kMiB, std::uint64_t{8} << 40,
                                   std::uint64_t{6} << 40));
    rig.engine().tmrMEM_Timer();
    FrmMemory& f = rig.memory();
    EXPECT_EQ(f.memMeter[0]->toolTipText(), "Available Physical Memory: 005.500 MB (Double-Click for info...)");
    EXPECT_EQ(f.memMeter[2]->toolTipText(), "Available Page File: 6291456.000 MB (Double-Click for info...)")
        << "more than 4 GB is not truncated to 32 bits";
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
    EXPECT_EQ(app.memory.TotalPhys.raw, 0) << "the tick does not even refresh the snapshot";
}

TEST(MemoryModuleTick, RunsOnTheMemoryTimer) {
    test::ModuleRig rig(1);
    rig.start("Visi6=1\nMEMCLOCK=5\n");
    rig.sources().setMemory(test::memoryStatus(100 * kMiB, 0, 100 * kMiB, 0, 100 * kMiB, 0));
    EXPECT_EQ(rig.memory().shpMem[0]->height(), 3);
    rig.m.sim.advance(500);
    EXPECT_EQ(rig.memory().shpMem[0]->height(), 18);
    EXPECT_EQ(rig.memory().shpMem[3]->height(), 0);
}

TEST(MemoryModuleMouse, DoubleClickOnABarOpensTheMemoryScreen) {
    test::ModuleRig rig(1);
    App& app = rig.start("Visi6=1\n");
    app.FVScreen = 0;
    app.FVSType = 3;
    // Below the cover, on the lit part of the bar.
    rig.doubleClick(*rig.memory().memMeter[2], 4, 12);
    EXPECT_EQ(app.FVScreen, 5);
    EXPECT_EQ(app.FVSubView, 0);
    EXPECT_EQ(app.FVSType, 0);
}
