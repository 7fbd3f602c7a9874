// The trace styles: EKG beam and scrolling line graph.
#include <gtest/gtest.h>

#include "tests/unit/render_rig.h"

namespace vel {
namespace {

using test::kFace;
using test::RenderRig;

constexpr Colour kMarker = rgb(255, 192, 192);
constexpr Colour grey(int v) { return rgb(v, v, v); }

TEST(DrawEKG, MarkersShowAlwaysAndTheBeamBlendsUpFromItsFoot) {
    RenderRig r;
    r.state.EkgPos = 5;
    DrawEKG(0, r.view, r.ctx);  // no load: only the markers
    EXPECT_EQ(r.drawn(), (RenderRig::Drawn{{{13, 3}, kMarker}, {{14, 4}, kMarker}, {{15, 3}, kMarker},
                                           {{13, 19}, kMarker}, {{14, 18}, kMarker}, {{15, 19}, kMarker}}));
    // At the ends of the sweep the outer point on that side is left out,
    // above and below.
    r.state.EkgPos = 40;
    DrawEKG(0, r.view, r.ctx);
    EXPECT_EQ(r.drawn(), (RenderRig::Drawn{{{48, 3}, kMarker}, {{49, 4}, kMarker}, {{48, 19}, kMarker},
                                           {{49, 18}, kMarker}}));
    r.state.EkgPos = 39;
    DrawEKG(-3, r.view, r.ctx);  // no beam for a negative load either
    EXPECT_EQ(r.drawnPixels(), 6);
    r.state.EkgPos = 0;
    DrawEKG(1, r.view, r.ctx);  // step 255: j 0 black at 17, j 1 white at 16.84
    // (9, 17): black at weight 1, then white at 0.84 -> 214.2 -> 214.
    // (9, 16): white at 0.16 over the face: 40.8 + 33.6 = 74.4 -> 74.
    EXPECT_EQ(r.drawn(), (RenderRig::Drawn{{{9, 16}, grey(74)}, {{9, 17}, grey(214)}, {{9, 4}, kMarker},
                                           {{10, 3}, kMarker}, {{9, 18}, kMarker}, {{10, 19}, kMarker}}));
    EXPECT_EQ(r.os.doEventsCalls, 0);

    r.state.EkgPos = 20;
    DrawEKG(100, r.view, r.ctx);  // step round(2.55f) = 3, beam j 0..90
    const int x = 29;
    // Row 2 only sees j 88..90 (y 2.92, 2.76, 2.6) with greys 264, 267, 270
    // over the face: 57.92 -> 58, 64.08 + 44.08 -> 108, 108 + 64.8 -> 173.
    EXPECT_EQ(r.at(x, 2), grey(173));
    EXPECT_EQ(r.at(x, 1), kFace);  // j 91 and on would reach row 1
    EXPECT_EQ(r.at(x + 1, 10), kFace);
    EXPECT_EQ(r.at(x - 1, 10), kFace);
    for (int y = 2; y <= 17; ++y) EXPECT_NE(r.at(x, y), kFace) << y;
}

TEST(DrawGraph, StartsAtTheBottomSteadyLoadIsFlatAndTheOldestSegmentKeepsItsHeight) {
    RenderRig r;
    r.ctx.styleCode = 11;
    const Colour green = rgb(61, 109, 9);
    DrawGraph(50, r.view, r.ctx, 0);  // the first point drops to the bottom: (50, 10.497) to (49, 19)
    EXPECT_EQ(r.at(50, 10), green);
    EXPECT_EQ(r.drawnPixels(), 9);
    for (int n = 1; n < 42; ++n) DrawGraph(50, r.view, r.ctx, 0);
    // Each segment runs from (i + 9, 10.497) to (i + 8, 10): one pixel each.
    for (int x = 9; x <= 50; ++x) EXPECT_EQ(r.at(x, 10), green) << x;
    EXPECT_EQ(r.drawnPixels(), 42);

    // Now the oldest slot holds 100 % and the rest 50 %. Segment 1 climbs
    // to the oldest point (9, 2); segment 0 has no earlier point and keeps
    // that height: (9, 1.993) to (8, 2), painting (9, 2) only.
    r.state.GraphHistory[0].fill(50);
    r.state.GraphHistory[0][1] = 100;
    DrawGraph(50, r.view, r.ctx, 0);
    EXPECT_EQ(r.at(9, 2), green);
    for (int y = 0; y < 23; ++y) EXPECT_EQ(r.at(8, y), kFace) << y;
    // Segment 1 climbs from (10, 10) towards (9, 2): one pixel per row.
    for (int y = 3; y <= 10; ++y)
        EXPECT_EQ((r.at(9, y) == green) + (r.at(10, y) == green), 1) << y;
    EXPECT_EQ(r.at(10, 10), green);
}

// Each graph code's colour is pinned by the reference pictures; a code that
// is no graph keeps the last one, and a module without a history only clears.
TEST(DrawGraph, OtherCodesKeepTheLineColourAndOtherModulesOnlyClear) {
    RenderRig r;
    r.ctx.styleCode = 12;
    DrawGraph(50, r.view, r.ctx, 0);
    r.ctx.styleCode = 3;
    DrawGraph(50, r.view, r.ctx, 0);
    EXPECT_EQ(r.picMod.foreColor(), rgb(252, 207, 80));

    r.ctx.styleCode = 9;
    r.picMod.pset(3, 3, rgb(1, 2, 3));
    const EngineState before = r.state;
    DrawGraph(50, r.view, r.ctx, 5);
    DrawGraph(50, r.view, r.ctx, -1);
    EXPECT_EQ(r.drawnPixels(), 0);
    EXPECT_EQ(r.picMod.foreColor(), rgb(5, 57, 115));
    EXPECT_EQ(r.state.GraphHistory, before.GraphHistory);
    EXPECT_EQ(r.os.doEventsCalls, 0);
}

}  // namespace
}  // namespace vel
