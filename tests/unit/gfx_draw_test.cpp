// Pixel rules of the drawing primitives, checked pixel by pixel. Those
// only the artwork generator uses (round rectangles, keyed blits, smooth
// circles) are pinned by the shipped pictures it must redraw exactly.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "gfx/draw.h"

using namespace vel;
using namespace vel::gfx;

namespace {

constexpr Colour kInk = rgb(255, 0, 0);

std::set<std::pair<int, int>> inked(const Pixels& p, Colour c = kInk) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.at(x, y) == c) out.insert({x, y});
    return out;
}

const ClipRect kAll{0, 0, 100, 100};

}  // namespace

TEST(GfxLines, ZeroLengthLineDrawsNothingButInclusiveDrawsOnePixel) {
    Pixels p(4, 4);
    lineTo(p, 2, 2, 2, 2, kInk);
    EXPECT_TRUE(inked(p).empty());
    lineInclusive(p, 2, 2, 2, 2, kInk, kAll);
    EXPECT_EQ(inked(p), (std::set<std::pair<int, int>>{{2, 2}}));
}

TEST(GfxLines, SlopedLineFollowsBresenham) {
    Pixels p(8, 4);
    lineTo(p, 0, 0, 6, 2, kInk);
    EXPECT_EQ(inked(p), (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}));
    Pixels q(8, 4);
    lineInclusive(q, 0, 0, 6, 2, kInk, kAll);
    EXPECT_EQ(inked(q).size(), 7u);
    EXPECT_EQ(inked(q).count({6, 2}), 1u);
}

TEST(GfxLines, LinesClipToTheRectAndTheSurface) {
    Pixels p(6, 3);
    lineTo(p, -10, 1, 20, 1, kInk, ClipRect{2, 0, 4, 3});
    EXPECT_EQ(inked(p), (std::set<std::pair<int, int>>{{2, 1}, {3, 1}}));
    Pixels q(6, 3);
    lineInclusive(q, -3, -3, 10, 10, kInk, ClipRect{-50, -50, 50, 50});
    EXPECT_EQ(inked(q), (std::set<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}}));
}

TEST(GfxRects, FillAndFrameClip) {
    Pixels p(5, 5);
    fillRect(p, -2, -2, 4, 4, kInk);
    EXPECT_EQ(inked(p), (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
    Pixels q(5, 5);
    fillRect(q, 0, 0, 5, 5, kInk, ClipRect{1, 2, 3, 10});
    EXPECT_EQ(inked(q).size(), 6u);  // x 1..2, y 2..4
    EXPECT_EQ(q.at(0, 2), 0u);
    Pixels f(4, 4);
    frameRect(f, 0, 0, 4, 4, kInk);
    EXPECT_EQ(inked(f).size(), 12u);
    EXPECT_EQ(f.at(1, 1), 0u);
    Pixels none(4, 4);
    fillRect(none, 1, 1, 0, 3, kInk);
    fillRect(none, 1, 1, 3, -1, kInk);
    EXPECT_TRUE(inked(none).empty());
}

TEST(GfxBlend, MixIsRoundedConstantAlpha) {
    const Colour over = rgb(200, 0, 255), under = rgb(100, 255, 0);
    EXPECT_EQ(mix(over, under, 0), under);
    EXPECT_EQ(mix(over, under, 255), over);
    // (o*a + u*(255-a) + 127) / 255 per channel.
    EXPECT_EQ(mix(over, under, 128), rgb(150, 127, 128));
    EXPECT_EQ(mix(over, under, -5), under);
    EXPECT_EQ(mix(over, under, 300), over);
}

TEST(GfxBlend, AlphaBlendStretchUsesNearestNeighbour) {
    Pixels src(2, 1);
    src.at(0, 0) = rgb(10, 20, 30);
    src.at(1, 0) = rgb(200, 0, 255);
    Pixels dst(4, 2, rgb(100, 255, 0));
    alphaBlendStretch(dst, src, 255);
    EXPECT_EQ(dst.at(0, 1), rgb(10, 20, 30));
    EXPECT_EQ(dst.at(1, 0), rgb(10, 20, 30));
    EXPECT_EQ(dst.at(2, 0), rgb(200, 0, 255));
    EXPECT_EQ(dst.at(3, 1), rgb(200, 0, 255));

    Pixels half(4, 2, rgb(100, 255, 0));
    alphaBlendStretch(half, src, 128);
    EXPECT_EQ(half.at(3, 0), rgb(150, 127, 128));

    Pixels untouched(4, 2, rgb(1, 2, 3));
    alphaBlendStretch(untouched, src, 0);
    EXPECT_EQ(untouched, Pixels(4, 2, rgb(1, 2, 3)));

    // Shrinking picks x * srcW / dstW.
    Pixels wide(3, 1);
    wide.at(0, 0) = rgb(1, 0, 0);
    wide.at(1, 0) = rgb(2, 0, 0);
    wide.at(2, 0) = rgb(3, 0, 0);
    Pixels narrow(2, 1);
    alphaBlendStretch(narrow, wide, 255);
    EXPECT_EQ(narrow.at(0, 0), rgb(1, 0, 0));
    EXPECT_EQ(narrow.at(1, 0), rgb(2, 0, 0));
}

TEST(GfxBlit, PlainAndClipped) {
    Pixels src(2, 2, kInk);
    src.at(1, 1) = rgb(255, 0, 255);
    Pixels d2(4, 4);
    blit(d2, 3, -1, src);
    EXPECT_EQ(inked(d2), (std::set<std::pair<int, int>>{{3, 0}}));  // only src (0,1) lands

    Pixels d3(4, 4);
    blit(d3, 0, 0, src, ClipRect{1, 0, 4, 4});
    EXPECT_EQ(d3.at(0, 0), 0u);
    EXPECT_EQ(d3.at(1, 0), kInk);
}
