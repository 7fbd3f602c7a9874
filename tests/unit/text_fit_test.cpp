// Text placed inside its control's box with our faces: a line that does not
// fit is moved or drawn smaller. Lines that fit stay where they were asked,
// as every reference picture shows; with the system's fonts every text of
// the dialogs stays in its box (the Windows fit test).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "forms/buttons.h"
#include "forms/text_fit.h"
#include "tests/support/control_spill.h"

using namespace vel;
using namespace vel::forms;

namespace {

const gfx::FontSpec kDialog{"MS Shell Dlg 2", 8, false};
constexpr Colour kPaper = rgb(255, 255, 255), kInk = rgb(0, 0, 0);

// The box of the pixels a drawing changed on white paper.
gfx::InkBox inkOn(const Pixels& p) {
    gfx::InkBox b{p.width, p.height, 0, 0};
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.at(x, y) != kPaper) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x + 1);
                b.bottom = std::max(b.bottom, y + 1);
            }
    return b.empty() ? gfx::InkBox{} : b;
}

}  // namespace

TEST(TextFit, OurFacesInkIsWhatTheyDraw) {
    for (const gfx::FontSpec& f : {kDialog, gfx::FontSpec{"Arial", 5.25, false}, gfx::FontSpec{"Arial", 6.75, true}}) {
        for (const char* text : {"Opague", "g", "Show Zenthe\u2122 Module", "'", "W."}) {
            Pixels p(200, 20, kPaper);
            gfx::drawText(p, 5, 3, text, f, kInk, {0, 0, 200, 20});
            const gfx::InkBox want = inkOn(p), got = gfx::inkBox(f, text);
            EXPECT_EQ((std::array{got.left + 5, got.top + 3, got.right + 5, got.bottom + 3}),
                      (std::array{want.left, want.top, want.right, want.bottom}))
                << text << " at " << f.sizePt;
        }
    }
    EXPECT_TRUE(gfx::inkBox(kDialog, " ").empty());
}

TEST(TextFit, AWideLineIsDrawnSmallerOnItsBaselineAndALowOneMovesUp) {
    const std::string text = "Streaming SIMD Extensions v2 Available";
    const gfx::FontSpec font{"Arial", 8.25, false};
    const int room = gfx::measureText(font, text).width * 3 / 4;
    const PlacedLine p = placeLine(font, text, {0, 0, room, 13}, 0, Alignment::Right, nullptr);
    EXPECT_LT(p.font.sizePt, 8.25);
    const gfx::InkBox ink = gfx::inkBox(p.font, text);
    EXPECT_GE(p.x + ink.left, 0);
    EXPECT_LE(p.x + ink.right, room);
    EXPECT_EQ(p.y + gfx::measureText(p.font, text).ascent, gfx::measureText(font, text).ascent);

    // The descender of a 10-row ink reaches row 12: in 11 rows it moves up one.
    const gfx::InkBox g = gfx::inkBox(kDialog, "Opague");
    ASSERT_EQ(g.bottom, 12);
    const PlacedLine up = placeLine(kDialog, "Opague", {0, 0, 100, 11}, 0, Alignment::Left, nullptr);
    EXPECT_EQ(up.font.sizePt, 8);
    EXPECT_EQ(up.y, -1);

    // A box with no room shows nothing: an option button's caption beside a
    // button that has only its own 12 pixels.
    EXPECT_FALSE(placeLine(kDialog, "Top-Left Corner", {16, 0, 12, 12}, 0, Alignment::Left, nullptr).shown);
    OptionButton corner("optVCorner", 0);
    corner.setCaption("Top-Left Corner");
    corner.move(0, 0, 12, 12);
    EXPECT_FALSE(test::spillOf(corner).any());
}
