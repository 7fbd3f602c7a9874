// The drawing primitives where their callers rarely go: at and past the
// surface's edges and with degenerate sizes. What they draw inside it is
// pinned pixel for pixel by the shipped artwork the generator must redraw
// exactly and by the reference pictures of every window.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "gfx/draw.h"

using namespace vel;
using namespace vel::gfx;

namespace {

constexpr Colour kInk = rgb(255, 0, 0);
using Points = std::set<std::pair<int, int>>;

Points inked(const Pixels& p) {
    Points out;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.at(x, y) == kInk) out.insert({x, y});
    return out;
}

}  // namespace

TEST(GfxDraw, EdgesDegenerateSizesAndAlphaLimitsAreHeld) {
    Pixels p(6, 3);
    lineTo(p, 2, 2, 2, 2, kInk);
    EXPECT_TRUE(inked(p).empty()) << "a zero-length line draws nothing";
    lineInclusive(p, 2, 2, 2, 2, kInk, ClipRect{0, 0, 6, 3});
    EXPECT_EQ(inked(p), (Points{{2, 2}})) << "but an inclusive one draws its point";
    Pixels line(6, 3);
    lineTo(line, -10, 1, 20, 1, kInk, ClipRect{2, 0, 4, 3});
    lineInclusive(line, -3, -3, 10, 10, kInk, ClipRect{-50, -50, 50, 50});
    EXPECT_EQ(inked(line), (Points{{0, 0}, {1, 1}, {2, 2}, {2, 1}, {3, 1}}));

    Pixels fill(5, 5);
    fillRect(fill, -2, -2, 4, 4, kInk);
    fillRect(fill, 1, 1, 0, 3, kInk);
    fillRect(fill, 1, 1, 3, -1, kInk);
    EXPECT_EQ(inked(fill), (Points{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));

    Pixels src(2, 2, kInk);
    Pixels blitted(4, 4);
    blit(blitted, 3, -1, src);
    EXPECT_EQ(inked(blitted), (Points{{3, 0}}));

    // Alpha is clamped; a shrinking stretch picks the nearest pixels.
    const Colour over = rgb(200, 0, 255), under = rgb(100, 255, 0);
    EXPECT_EQ(mix(over, under, -5), under);
    EXPECT_EQ(mix(over, under, 300), over);
    Pixels wide(3, 1);
    wide.at(0, 0) = rgb(1, 0, 0);
    wide.at(1, 0) = rgb(2, 0, 0);
    wide.at(2, 0) = rgb(3, 0, 0);
    Pixels narrow(2, 1);
    alphaBlendStretch(narrow, wide, 255);
    EXPECT_EQ(narrow.at(0, 0), rgb(1, 0, 0));
    EXPECT_EQ(narrow.at(1, 0), rgb(2, 0, 0));
    Pixels untouched(2, 1, rgb(1, 2, 3));
    alphaBlendStretch(untouched, wide, 0);
    EXPECT_EQ(untouched, Pixels(2, 1, rgb(1, 2, 3)));
}
