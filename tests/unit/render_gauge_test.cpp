// The gauge and bar styles: VU needle, tachometer, needle meter,
// Intensi-Meter, and the bars whose cover shape shrinks to uncover the lit bar.
#include <gtest/gtest.h>

#include "tests/unit/render_rig.h"

namespace vel {
namespace {

using test::RenderRig;

TEST(DrawVU, TipFollowsTheArcAndThePivotStays) {
    RenderRig r;
    struct Case { std::int16_t sample; int x1, y1; };
    // Halves go to even: 5 -> a 1.5 -> 2, b 0.5 -> 0; 15 -> a 4.5 -> 4,
    // b 1.5 -> 2; 75 -> a 22.5 -> 22, b 7.5 -> 8.
    for (Case c : {Case{0, 15, 11}, Case{5, 17, 11}, Case{15, 19, 9}, Case{49, 30, 6}, Case{50, 30, 6},
                   Case{75, 37, 9}, Case{100, 45, 11}}) {
        DrawVU(c.sample, r.view, r.ctx);
        EXPECT_EQ(r.lnVU.x1(), c.x1) << c.sample;
        EXPECT_EQ(r.lnVU.y1(), c.y1) << c.sample;
        EXPECT_EQ(r.lnVU.x2(), 30);
        EXPECT_EQ(r.lnVU.y2(), 22);
    }
    EXPECT_EQ(r.os.doEventsCalls, 7);
}

TEST(DrawTach, CoverShrinksFromTheLeftAndTheValueIsShown) {
    RenderRig r;
    struct Case { std::int16_t sample; int left, width; };
    // 50: 21.46 -> 21; 100: 42.92 -> 43. Past full scale (110: 47.21 -> 47)
    // the width would be negative: the control keeps its old width while
    // the left edge still moves.
    for (Case c : {Case{0, 9, 43}, Case{50, 30, 22}, Case{100, 52, 0}, Case{110, 56, 0}}) {
        DrawTach(c.sample, r.view, r.ctx);
        EXPECT_EQ(r.shpTC.left(), c.left) << c.sample;
        EXPECT_EQ(r.shpTC.width(), c.width) << c.sample;
        EXPECT_EQ(r.lblCPU.caption(), std::to_string(c.sample));
    }
    EXPECT_EQ(r.os.doEventsCalls, 4);
}

constexpr Colour kNow = rgb(0, 0, 224);
constexpr Colour kAverage = rgb(255, 128, 64);

// Rows of column x painted in colour c, as a bit mask (bit y set).
std::uint32_t column(const RenderRig& r, int x, Colour c) {
    std::uint32_t rows = 0;
    for (int y = 0; y < r.picMod.image().height; ++y)
        if (r.at(x, y) == c) rows |= 1u << y;
    return rows;
}
constexpr std::uint32_t rowsFromTo(int first, int last) {
    std::uint32_t m = 0;
    for (int y = first; y <= last; ++y) m |= 1u << y;
    return m;
}

TEST(DrawNeedle, AtZeroTheLeftStrokesAreLeftOut) {
    RenderRig r;
    DrawNeedle(0, r.view, r.ctx, 0);  // history all 0: average needle at 0 too
    EXPECT_EQ(column(r, 7, kNow), 0u);
    EXPECT_EQ(column(r, 8, kNow), rowsFromTo(1, 10));
    EXPECT_EQ(column(r, 9, kNow), rowsFromTo(1, 9));
    EXPECT_EQ(column(r, 7, kAverage), 0u);
    EXPECT_EQ(column(r, 8, kAverage), rowsFromTo(13, 21));
    EXPECT_EQ(column(r, 9, kAverage), rowsFromTo(14, 21));
    EXPECT_EQ(r.drawnPixels(), 10 + 9 + 9 + 8);
    EXPECT_EQ(r.os.doEventsCalls, 0);
}

TEST(DrawNeedle, AverageNeedleShowsTheMeanOfTheThousandSlots) {
    RenderRig r;
    r.state.NeedleHistory[1].fill(50);  // 50 / 2.3 = 21.7 -> 22
    r.state.NeedleHistory[1][0] = 1050;  // sum 51000: mean 51 -> 22.17 -> 22
    DrawNeedle(100, r.view, r.ctx, 1);   // 43.48 -> 43: all three strokes
    EXPECT_EQ(column(r, 50, kNow), rowsFromTo(1, 9));
    EXPECT_EQ(column(r, 51, kNow), rowsFromTo(1, 10));
    EXPECT_EQ(column(r, 52, kNow), rowsFromTo(1, 9));
    EXPECT_EQ(column(r, 29, kAverage), rowsFromTo(14, 21));
    EXPECT_EQ(column(r, 30, kAverage), rowsFromTo(13, 21));
    EXPECT_EQ(column(r, 31, kAverage), rowsFromTo(14, 21));
    EXPECT_EQ(r.drawnPixels(), 9 + 10 + 9 + 8 + 9 + 8);

    // The previous drawing is cleared; past 101 % the right stroke is left out.
    r.state.NeedleHistory[1].fill(400);  // sum 400000 needs 32 bits: 173.9 -> 174
    DrawNeedle(102, r.view, r.ctx, 1);   // 44.35 -> 44
    EXPECT_EQ(column(r, 51, kNow), rowsFromTo(1, 9));
    EXPECT_EQ(column(r, 52, kNow), rowsFromTo(1, 10));
    EXPECT_EQ(column(r, 53, kNow), 0u);
    EXPECT_EQ(column(r, 30, kAverage), 0u);
    EXPECT_EQ(column(r, 181, kAverage), 0u);  // off the meter; nothing wraps
    EXPECT_EQ(r.drawnPixels(), 9 + 10);
}

TEST(DrawNeedle, WithoutAHistoryBothNeedlesShowTheSample) {
    RenderRig r;
    r.state.NeedleHistory[4].fill(100);
    DrawNeedle(46, r.view, r.ctx, 5);  // 20 exactly
    EXPECT_EQ(column(r, 28, kNow), rowsFromTo(1, 10));
    EXPECT_EQ(column(r, 28, kAverage), rowsFromTo(13, 21));
    EXPECT_EQ(column(r, 27, kAverage), rowsFromTo(14, 21));
}

TEST(DrawIMeter, LitPictureOpacityFollowsTheLoad) {
    RenderRig r;
    r.picHolder.setBackColor(rgb(200, 100, 50));  // the lit picture
    r.picMod.setBackColor(rgb(0, 0, 0));           // the unlit face
    struct Case { std::int16_t sample; Colour everywhere; };
    // 100: opacity 255; 50: 127.49999 -> 127, (s * 127 + 127) / 255. 101:
    // 257.55 does not fit a byte, so the blend runs with opacity 0.
    for (Case c : {Case{100, rgb(200, 100, 50)}, Case{50, rgb(100, 50, 25)}, Case{0, rgb(0, 0, 0)},
                   Case{101, rgb(0, 0, 0)}, Case{-1, rgb(0, 0, 0)}}) {
        DrawIMeter(c.sample, r.view, r.ctx);
        EXPECT_EQ(r.picMod.image(), Pixels(60, 23, c.everywhere)) << c.sample;
        EXPECT_EQ(r.lblCPU.caption(), std::to_string(c.sample));
    }
    EXPECT_EQ(r.picMod.fillStyle(), 0);
    EXPECT_EQ(r.os.doEventsCalls, 0);
}

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
