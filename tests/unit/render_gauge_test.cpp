// The gauge and bar styles: VU needle, tachometer, needle meter,
// Intensi-Meter, and the bars whose cover shape shrinks to uncover the lit bar.
#include <gtest/gtest.h>

#include <array>

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
        EXPECT_EQ((std::array{r.lnVU.x1(), r.lnVU.y1(), r.lnVU.x2(), r.lnVU.y2()}), (std::array{c.x1, c.y1, 30, 22}))
            << c.sample;
    }
    EXPECT_EQ(r.os.doEventsCalls, 7);
}

// The tachometer and the bars move one edge of the cover shape and let
// pending events run once; the styles with text show the sample.
TEST(DrawCovers, TheCoverShrinksWithTheValueAndRefusesANegativeSize) {
    using Draw = void (*)(std::int16_t, CpuModuleView&, RenderContext&);
    struct Case {
        Draw draw;
        bool vertical, text;
        std::int16_t sample;
        int edge, size;  // left and width, or top and height
    };
    // Tach 50: 21.46 -> 21; 100: 42.92 -> 43. Bars 50 / 2.22 = 22.52 -> 23;
    // 100 / 2.22 = 45.05 -> 45. Past full scale the size would be negative:
    // the control keeps its old size while the left edge still moves.
    const Case cases[] = {
        {DrawTach, false, true, 0, 9, 43},     {DrawTach, false, true, 50, 30, 22},
        {DrawTach, false, true, 100, 52, 0},   {DrawTach, false, true, 110, 56, 0},
        {DrawHBar, false, false, 0, 8, 45},    {DrawHBar, false, false, 1, 8, 45},
        {DrawHBar, false, false, 2, 9, 44},    {DrawHBar, false, false, 50, 31, 22},
        {DrawHBar, false, false, 100, 53, 0},  {DrawHCombo, false, true, 50, 31, 22},
        {DrawHCombo, false, true, 120, 62, 22},  // 54.05 -> 54
        {DrawVBar, true, false, 0, 2, 20},     {DrawVBar, true, false, 12, 2, 18},
        {DrawVBar, true, false, 13, 2, 17},    {DrawVBar, true, false, 50, 2, 10},
        {DrawVBar, true, false, 100, 2, 0},    {DrawVCombo, true, true, 50, 2, 10},
        {DrawVCombo, true, true, 110, 2, 10},
    };
    RenderRig r;
    for (const Case& c : cases) {
        const std::string before = r.lblCPU.caption();
        const int yields = r.os.doEventsCalls;
        c.draw(c.sample, r.view, r.ctx);
        const forms::Shape& s = r.shpTC;
        EXPECT_EQ(c.vertical ? s.top() : s.left(), c.edge) << c.sample;
        EXPECT_EQ(c.vertical ? s.height() : s.width(), c.size) << c.sample;
        EXPECT_EQ(r.lblCPU.caption(), c.text ? std::to_string(c.sample) : before) << c.sample;
        EXPECT_EQ(r.os.doEventsCalls, yields + 1);
    }
}

constexpr Colour kNow = rgb(0, 0, 224);
constexpr Colour kAverage = rgb(255, 128, 64);

// Column x is painted in colour c on rows first to last only, or on none
// when first is -1.
struct Column {
    int x;
    Colour c;
    int first, last;
};

void expectColumns(const RenderRig& r, std::initializer_list<Column> columns) {
    for (const Column& col : columns) {
        std::vector<int> rows, want;
        for (int y = 0; y < r.picMod.image().height; ++y)
            if (r.at(col.x, y) == col.c) rows.push_back(y);
        for (int y = col.first; y <= col.last && col.first >= 0; ++y) want.push_back(y);
        EXPECT_EQ(rows, want) << "column " << col.x << (col.c == kNow ? " now" : " average");
    }
}

TEST(DrawNeedle, OneNeedleAtTheSampleAndOneAtTheMeanOfTheThousandSlots) {
    RenderRig r;
    DrawNeedle(0, r.view, r.ctx, 0);  // history all 0: average needle at 0 too; left strokes left out
    expectColumns(r, {{7, kNow, -1, -1}, {8, kNow, 1, 10}, {9, kNow, 1, 9},
                      {7, kAverage, -1, -1}, {8, kAverage, 13, 21}, {9, kAverage, 14, 21}});
    EXPECT_EQ(r.drawnPixels(), 10 + 9 + 9 + 8);
    EXPECT_EQ(r.os.doEventsCalls, 0);

    r.state.NeedleHistory[1].fill(50);  // 50 / 2.3 = 21.7 -> 22
    r.state.NeedleHistory[1][0] = 1050;  // sum 51000: mean 51 -> 22.17 -> 22
    DrawNeedle(100, r.view, r.ctx, 1);   // 43.48 -> 43: all three strokes
    expectColumns(r, {{50, kNow, 1, 9}, {51, kNow, 1, 10}, {52, kNow, 1, 9},
                      {29, kAverage, 14, 21}, {30, kAverage, 13, 21}, {31, kAverage, 14, 21}});
    EXPECT_EQ(r.drawnPixels(), 9 + 10 + 9 + 8 + 9 + 8);

    // The previous drawing is cleared; past 101 % the right stroke is left out.
    r.state.NeedleHistory[1].fill(400);  // sum 400000 needs 32 bits: 173.9 -> 174
    DrawNeedle(102, r.view, r.ctx, 1);   // 44.35 -> 44
    expectColumns(r, {{51, kNow, 1, 9}, {52, kNow, 1, 10}, {53, kNow, -1, -1}});
    EXPECT_EQ(r.drawnPixels(), 9 + 10) << "the average is off the meter; nothing wraps";
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

}  // namespace
}  // namespace vel
