// Loading a CPU module beyond what the cpu_modules scenario prints (its
// captions and tooltips): codes outside the style table and what the mouse
// does on it.
#include <gtest/gtest.h>

#include "engine_rig.h"
#include "fullview/frm_fullview.h"

using namespace vel;

namespace {

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

struct Shown {
    bool lnVU = false, lblCPU = false, lblPNum = false, shpTC = false;
    bool operator==(const Shown&) const = default;
};
void PrintTo(const Shown& s, std::ostream* os) {
    *os << "{lnVU=" << s.lnVU << " lblCPU=" << s.lblCPU << " lblPNum=" << s.lblPNum << " shpTC=" << s.shpTC << "}";
}

Shown shownOf(const FrmCPU& f) {
    return {f.lnVU->visible(), f.lblCPU->visible(), f.lblPNum->visible(), f.shpTC->visible()};
}

struct Box {
    int left, top, width, height;
    bool operator==(const Box&) const = default;
};
void PrintTo(const Box& b, std::ostream* os) { *os << "{" << b.left << "," << b.top << " " << b.width << "x" << b.height << "}"; }
Box boxOf(const forms::Control& c) { return {c.left(), c.top(), c.width(), c.height()}; }

// Loads frmCPU0 alone with this style code.
FrmCPU& loadWithStyle(test::EngineRig& rig, int code) {
    rig.start("Visi0=1\nmTyp0=" + std::to_string(code) + "\n");
    return rig.cpu(0);
}

}  // namespace

TEST(CpuModuleStyle, ACodeWithoutAStyleShowsNoControlsOnABlankSurface) {
    // Codes 0 to 17 are pinned by their reference pictures (tests/data/styles).
    for (int code : {-1, 18, 19, 100}) {
        test::EngineRig rig(1);
        FrmCPU& f = loadWithStyle(rig, code);
        EXPECT_EQ(shownOf(f), Shown{}) << "style " << code;
        EXPECT_FALSE(f.picMod->hasPicture());
        const Pixels surface = f.render();
        for (int y = 3; y < 26; ++y)
            for (int x = 3; x < 63; ++x) ASSERT_EQ(surface.at(x, y), rgb(255, 255, 255)) << x << "," << y;
    }
}

TEST(CpuModuleStyle, TheTachometerNumberIsDrawnOverItsCover) {
    test::EngineRig rig(1);
    FrmCPU& f = loadWithStyle(rig, 4);
    rig.setLoad(0, 0);
    rig.engine().tmrCPUs_Timer();
    ASSERT_EQ(f.lblCPU->caption(), "0");
    ASSERT_EQ(boxOf(*f.shpTC), (Box{9, 4, 43, 12})) << "at 0 % the cover hides the whole bar";
    // Rows 11-15 of the surface are both label and cover: the digit's
    // pixels must be in the text colour, the rest of the row black.
    const Pixels window = f.render();
    int textPixels = 0;
    for (int y = 3 + 11; y <= 3 + 15; ++y)
        for (int x = 3 + 9; x < 3 + 52; ++x) {
            const Colour c = window.at(x, y);
            if (c == rgb(0, 193, 1)) ++textPixels;
            else ASSERT_EQ(c, rgb(0, 0, 0)) << x << "," << y;
        }
    EXPECT_GT(textPixels, 0);
}

// A double-click on the number label records the Full View's screen (on
// the surface: tests/scenarios/cpu_modules); on the skin frame it does nothing.
TEST(CpuModuleMouse, DoubleClickOnTheNumberLabelRecordsTheFullViewScreenButNotOnTheFrame) {
    test::EngineRig rig(4);
    App& app = rig.start(std::string("PLCMNT=2\nVisi1=1\nVisi2=1\nmTyp2=4\n") + kSavedPlaces);
    app.fullViewNav.screen = 5;
    app.fullViewNav.sType = 7;
    doubleClickOn(rig, *rig.cpu(1).picMainSkin, 1, 14);
    EXPECT_EQ(app.fullViewNav.screen, 5);
    EXPECT_EQ(app.fullViewNav.sType, 7);
    doubleClickOn(rig, *rig.cpu(2).lblCPU, 20, 4);
    EXPECT_EQ(app.fullViewNav.screen, 0);
    EXPECT_EQ(app.fullViewNav.sType, 2);
}
