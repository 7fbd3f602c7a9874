// Style codes outside a module's style table, as a hand-edited settings file
// can hold them. The styles themselves are pinned by the reference pictures
// (tests/data/styles and tests/data/snapshots).
#include <gtest/gtest.h>

#include "module_rig.h"

using namespace vel;

TEST(CpuModuleStyle, ACodeWithoutAStyleShowsNoControlsOnABlankSurface) {
    for (int code : {-1, 18}) {
        SCOPED_TRACE("style " + std::to_string(code));
        test::EngineRig rig(1);
        rig.start("Visi0=1\nmTyp0=" + std::to_string(code) + "\n");
        FrmCPU& f = rig.cpu(0);
        for (const forms::Control* c : {static_cast<forms::Control*>(f.lnVU), static_cast<forms::Control*>(f.lblCPU),
                                        static_cast<forms::Control*>(f.lblPNum), static_cast<forms::Control*>(f.shpTC)})
            EXPECT_FALSE(c->visible()) << c->name();
        EXPECT_FALSE(f.picMod->hasPicture());
        const Pixels surface = f.render();
        for (int y = 3; y < 26; ++y)
            for (int x = 3; x < 63; ++x) ASSERT_EQ(surface.at(x, y), rgb(255, 255, 255)) << x << "," << y;
    }
}

// Picture 8 exists (a bar), picture 13 does not: the face takes the bar.
TEST(MemoryModuleStyle, ACodeOutsideTheStylesTakesWhateverTheListHolds) {
    test::ModuleRig rig(1);
    App& app = rig.start("Visi6=1\nmTyp6=7\n");
    FrmMemory& f = rig.memory();
    EXPECT_EQ(f.picMod->picture(), app.ui.picture("mem_bar_2.png"));
    EXPECT_EQ(f.memMeter[0]->picture(), app.ui.picture("mem_bar_0.png"));
}

TEST(MouseModuleStyle, AStyleWithoutAFaceKeepsTheFirstFaceWithWhiteLabels) {
    test::ModuleRig rig(1);
    App& app = rig.start("Visi7=1\nmTyp7=5\n");
    FrmMouse& f = rig.mouse();
    for (const forms::Label* l : f.lblRGB) EXPECT_EQ(l->foreColor(), rgb(255, 255, 255));
    EXPECT_EQ(f.picMod->picture(), app.ui.picture("mse_face_0.png"));
}
