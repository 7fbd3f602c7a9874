// Anti-aliased points (the picture blend is gfx_draw_test's alphaBlendStretch).
#include <gtest/gtest.h>

#include "engine/antialias.h"

namespace vel {
namespace {

// A meter-sized surface cleared to one colour.
void prepare(forms::PictureBox& box, Colour back, int w = 60, int h = 23) {
    box.move(0, 0, w, h);
    box.setBackColor(back);  // also clears the image to that colour
}

TEST(AAPlot, HalfPixelSplitsBetweenTwoPixelsRoundingHalvesToEven) {
    forms::PictureBox box("picMod");
    prepare(box, rgb(255, 255, 255));
    AAPlot(box, 10.5, 4.0, 255, 0, 0);
    // 0.5 * 255 + 0.5 * 255 = 255; 0 + 0.5 * 255 = 127.5 -> 128 (even).
    EXPECT_EQ(box.image().at(10, 4), rgb(255, 128, 128));
    EXPECT_EQ(box.image().at(11, 4), rgb(255, 128, 128));
    EXPECT_EQ(box.image().at(10, 5), rgb(255, 255, 255));
    EXPECT_EQ(box.image().at(11, 5), rgb(255, 255, 255));
    EXPECT_EQ(box.image().at(9, 4), rgb(255, 255, 255));
    EXPECT_EQ(box.image().at(12, 4), rgb(255, 255, 255));

    // 0.5 * 5 = 2.5 -> 2 and 0.5 * 3 = 1.5 -> 2: halves go to even, not up.
    forms::PictureBox black("picMod");
    prepare(black, 0);
    AAPlot(black, 20.0, 7.5, 5, 3, 0);
    EXPECT_EQ(black.image().at(20, 7), rgb(2, 2, 0));
    EXPECT_EQ(black.image().at(20, 8), rgb(2, 2, 0));
}

TEST(AAPlot, QuarterWeightsOverFourPixels) {
    forms::PictureBox box("picMod");
    prepare(box, 0);
    AAPlot(box, 2.25, 3.75, 0, 0, 255);
    // Weights 0.1875, 0.0625, 0.5625, 0.1875 of 255.
    EXPECT_EQ(box.image().at(2, 3), rgb(0, 0, 48));
    EXPECT_EQ(box.image().at(3, 3), rgb(0, 0, 16));
    EXPECT_EQ(box.image().at(2, 4), rgb(0, 0, 143));
    EXPECT_EQ(box.image().at(3, 4), rgb(0, 0, 48));
    // A second plot blends over the first.
    AAPlot(box, 2.0, 4.0, 0, 0, 0);
    EXPECT_EQ(box.image().at(2, 4), rgb(0, 0, 0));
    EXPECT_EQ(box.image().at(3, 4), rgb(0, 0, 48));
}

TEST(AAPlot, ChannelsAreLimitedToAByte) {
    forms::PictureBox box("picMod");
    prepare(box, rgb(100, 100, 100));
    AAPlot(box, 5.0, 5.0, -20, 300, 100);
    EXPECT_EQ(box.image().at(5, 5), rgb(0, 255, 100));
    // Over-range colour at half weight: 0.5 * 400 + 0.5 * 100 = 250 stays.
    AAPlot(box, 7.5, 9.0, 400, 600, 0);
    EXPECT_EQ(box.image().at(7, 9), rgb(250, 255, 50));
}

TEST(AAPlot, OnlyPixelsInsideTheSurfaceChange) {
    forms::PictureBox box("picMod");
    prepare(box, 0);
    AAPlot(box, -0.5, -0.5, 255, 255, 255);  // quarter weight on (0, 0)
    EXPECT_EQ(box.image().at(0, 0), rgb(64, 64, 64));
    AAPlot(box, 59.5, 22.5, 255, 0, 0);  // quarter weight on (59, 22)
    EXPECT_EQ(box.image().at(59, 22), rgb(64, 0, 0));
    AAPlot(box, -3.0, 30.0, 255, 0, 0);  // nowhere near
    int changed = 0;
    for (Colour c : box.image().data) changed += c != 0;
    EXPECT_EQ(changed, 2);
}

TEST(AAPlot, FollowsTheScaleOriginAsPsetDoes) {
    forms::PictureBox box("picMod");
    prepare(box, 0);
    box.setScaleOrigin(10, 5);
    AAPlot(box, 10.5, 5.0, 255, 0, 0);
    EXPECT_EQ(box.image().at(0, 0), rgb(128, 0, 0));
    EXPECT_EQ(box.image().at(1, 0), rgb(128, 0, 0));
    EXPECT_EQ(box.image().at(10, 5), rgb(0, 0, 0));
}

}  // namespace
}  // namespace vel
