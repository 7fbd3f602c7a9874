// Anti-aliased points (the picture blend is gfx_draw_test's alphaBlendStretch).
#include <gtest/gtest.h>

#include "engine/antialias.h"
#include "tests/unit/render_rig.h"

namespace vel {
namespace {

using Changed = test::PixelMap;

// A meter-sized surface cleared to one colour.
void prepare(forms::PictureBox& box, Colour back) {
    box.move(0, 0, 60, 23);
    box.setBackColor(back);  // also clears the image to that colour
}

// The pixels that no longer hold the colour the surface was cleared to.
Changed changed(const forms::PictureBox& box, Colour back) { return test::pixelsOtherThan(box.image(), back); }

TEST(AAPlot, HalfPixelSplitsBetweenTwoPixelsRoundingHalvesToEven) {
    forms::PictureBox box("picMod");
    prepare(box, rgb(255, 255, 255));
    AAPlot(box, 10.5, 4.0, 255, 0, 0);
    // 0.5 * 255 + 0.5 * 255 = 255; 0 + 0.5 * 255 = 127.5 -> 128 (even).
    EXPECT_EQ(changed(box, rgb(255, 255, 255)), (Changed{{{10, 4}, rgb(255, 128, 128)}, {{11, 4}, rgb(255, 128, 128)}}));

    // 0.5 * 5 = 2.5 -> 2 and 0.5 * 3 = 1.5 -> 2: halves go to even, not up.
    forms::PictureBox black("picMod");
    prepare(black, 0);
    AAPlot(black, 20.0, 7.5, 5, 3, 0);
    EXPECT_EQ(changed(black, 0), (Changed{{{20, 7}, rgb(2, 2, 0)}, {{20, 8}, rgb(2, 2, 0)}}));
}

TEST(AAPlot, QuarterWeightsOverFourPixelsAndASecondPlotBlendsOverTheFirst) {
    forms::PictureBox box("picMod");
    prepare(box, 0);
    AAPlot(box, 2.25, 3.75, 0, 0, 255);
    // Weights 0.1875, 0.0625, 0.5625, 0.1875 of 255.
    EXPECT_EQ(changed(box, 0), (Changed{{{2, 3}, rgb(0, 0, 48)}, {{3, 3}, rgb(0, 0, 16)},
                                        {{2, 4}, rgb(0, 0, 143)}, {{3, 4}, rgb(0, 0, 48)}}));
    AAPlot(box, 2.0, 4.0, 0, 0, 0);
    EXPECT_EQ(changed(box, 0), (Changed{{{2, 3}, rgb(0, 0, 48)}, {{3, 3}, rgb(0, 0, 16)}, {{3, 4}, rgb(0, 0, 48)}}));
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

TEST(AAPlot, OnlyPixelsInsideTheSurfaceChangeAndTheScaleOriginIsFollowed) {
    forms::PictureBox box("picMod");
    prepare(box, 0);
    AAPlot(box, -0.5, -0.5, 255, 255, 255);  // quarter weight on (0, 0)
    AAPlot(box, 59.5, 22.5, 255, 0, 0);      // quarter weight on (59, 22)
    AAPlot(box, -3.0, 30.0, 255, 0, 0);      // nowhere near
    EXPECT_EQ(changed(box, 0), (Changed{{{0, 0}, rgb(64, 64, 64)}, {{59, 22}, rgb(64, 0, 0)}}));

    forms::PictureBox scaled("picMod");
    prepare(scaled, 0);
    scaled.setScaleOrigin(10, 5);  // as pset does
    AAPlot(scaled, 10.5, 5.0, 255, 0, 0);
    EXPECT_EQ(changed(scaled, 0), (Changed{{{0, 0}, rgb(128, 0, 0)}, {{1, 0}, rgb(128, 0, 0)}}));
}

}  // namespace
}  // namespace vel
