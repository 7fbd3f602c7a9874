// Anti-aliased points on a meter-sized surface: the weights, the rounding,
// the byte limits, the surface's edges and its scale origin.
#include <gtest/gtest.h>

#include "engine/antialias.h"
#include "tests/unit/render_rig.h"

namespace vel {
namespace {

using Changed = test::PixelMap;

struct Plot {
    double x, y;
    int r, g, b;
};

TEST(AAPlot, WeightsRoundHalvesToEvenAndStayOnTheSurface) {
    struct Case {
        const char* what;
        Colour back;
        std::vector<Plot> plots;
        Changed changed;  // the pixels that no longer hold the colour the surface was cleared to
        int originX = 0, originY = 0;
    };
    const Colour white = rgb(255, 255, 255);
    const Case cases[] = {
        // 0 + 0.5 * 255 = 127.5 -> 128 (even).
        {"half a pixel", white, {{10.5, 4.0, 255, 0, 0}},
         {{{10, 4}, rgb(255, 128, 128)}, {{11, 4}, rgb(255, 128, 128)}}},
        // 0.5 * 5 = 2.5 -> 2 and 0.5 * 3 = 1.5 -> 2: halves go to even, not up.
        {"halves to even", 0, {{20.0, 7.5, 5, 3, 0}}, {{{20, 7}, rgb(2, 2, 0)}, {{20, 8}, rgb(2, 2, 0)}}},
        // Weights 0.1875, 0.0625, 0.5625, 0.1875 of 255; the second plot blends over the first.
        {"quarters", 0, {{2.25, 3.75, 0, 0, 255}, {2.0, 4.0, 0, 0, 0}},
         {{{2, 3}, rgb(0, 0, 48)}, {{3, 3}, rgb(0, 0, 16)}, {{3, 4}, rgb(0, 0, 48)}}},
        // Over-range colour at half weight: 0.5 * 400 + 0.5 * 100 = 250 stays.
        {"byte limits", rgb(100, 100, 100), {{5.0, 5.0, -20, 300, 100}, {7.5, 9.0, 400, 600, 0}},
         {{{5, 5}, rgb(0, 255, 100)}, {{7, 9}, rgb(250, 255, 50)}, {{8, 9}, rgb(250, 255, 50)}}},
        {"edges", 0, {{-0.5, -0.5, 255, 255, 255}, {59.5, 22.5, 255, 0, 0}, {-3.0, 30.0, 255, 0, 0}},
         {{{0, 0}, rgb(64, 64, 64)}, {{59, 22}, rgb(64, 0, 0)}}},
        {"scale origin", 0, {{10.5, 5.0, 255, 0, 0}}, {{{0, 0}, rgb(128, 0, 0)}, {{1, 0}, rgb(128, 0, 0)}}, 10, 5},
    };
    for (const Case& c : cases) {
        forms::PictureBox box("picMod");
        box.move(0, 0, 60, 23);
        box.setBackColor(c.back);  // also clears the image to that colour
        box.setScaleOrigin(c.originX, c.originY);
        for (const Plot& p : c.plots) AAPlot(box, p.x, p.y, p.r, p.g, p.b);
        EXPECT_EQ(test::pixelsOtherThan(box.image(), c.back), c.changed) << c.what;
    }
}

}  // namespace
}  // namespace vel
