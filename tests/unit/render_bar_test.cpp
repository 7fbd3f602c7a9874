// The bar styles: the cover shape shrinks to uncover the lit bar.
#include <gtest/gtest.h>

#include "tests/unit/render_rig.h"

namespace vel {
namespace {

using test::RenderRig;

TEST(DrawHorizontalBars, CoverStartsAtTheValue) {
    RenderRig r;
    r.lblCPU.setCaption("x");
    struct Case { std::int16_t sample; int left, width; };
    // 50 / 2.22 = 22.52 -> 23; 100 / 2.22 = 45.05 -> 45.
    for (Case c : {Case{0, 8, 45}, Case{1, 8, 45}, Case{2, 9, 44}, Case{50, 31, 22}, Case{100, 53, 0}}) {
        DrawHBar(c.sample, r.view, r.ctx);
        EXPECT_EQ(r.shpTC.left(), c.left) << c.sample;
        EXPECT_EQ(r.shpTC.width(), c.width) << c.sample;
    }
    EXPECT_EQ(r.lblCPU.caption(), "x");  // the plain bar has no text
    EXPECT_EQ(r.os.doEventsCalls, 5);

    DrawHCombo(50, r.view, r.ctx);
    EXPECT_EQ(r.shpTC.left(), 31);
    EXPECT_EQ(r.shpTC.width(), 22);
    EXPECT_EQ(r.lblCPU.caption(), "50");
    EXPECT_EQ(r.os.doEventsCalls, 6);
    // Beyond full scale the negative width is refused and the old one stays.
    DrawHCombo(120, r.view, r.ctx);  // 54.05 -> 54
    EXPECT_EQ(r.shpTC.left(), 62);
    EXPECT_EQ(r.shpTC.width(), 22);
    EXPECT_EQ(r.lblCPU.caption(), "120");
}

TEST(DrawVerticalBars, CoverHeightShrinksWithTheValue) {
    RenderRig r;
    r.lblCPU.setCaption("x");
    struct Case { std::int16_t sample; int height; };
    for (Case c : {Case{0, 20}, Case{12, 18}, Case{13, 17}, Case{50, 10}, Case{100, 0}}) {
        DrawVBar(c.sample, r.view, r.ctx);
        EXPECT_EQ(r.shpTC.height(), c.height) << c.sample;
        EXPECT_EQ(r.shpTC.top(), 2);
    }
    EXPECT_EQ(r.lblCPU.caption(), "x");
    EXPECT_EQ(r.os.doEventsCalls, 5);

    DrawVCombo(50, r.view, r.ctx);
    EXPECT_EQ(r.shpTC.height(), 10);
    EXPECT_EQ(r.lblCPU.caption(), "50");
    DrawVCombo(110, r.view, r.ctx);  // 22: a negative height is refused
    EXPECT_EQ(r.shpTC.height(), 10);
    EXPECT_EQ(r.lblCPU.caption(), "110");
    EXPECT_EQ(r.os.doEventsCalls, 7);
}

}  // namespace
}  // namespace vel
