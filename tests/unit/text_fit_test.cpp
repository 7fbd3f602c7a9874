// Text placed inside its control's box with the face that draws it: with
// our faces a line that fits stays exactly where it was; one that does not
// is moved or drawn smaller; and with a wider, taller face (standing in for
// a system's fonts) every kind of control keeps its text inside its box.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "forms/buttons.h"
#include "forms/combo_box.h"
#include "forms/frame.h"
#include "forms/graphic_controls.h"
#include "forms/runtime.h"
#include "forms/text_fit.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/control_spill.h"
#include "tests/support/wide_text.h"

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

TEST(TextFit, ALineThatFitsStaysWhereItWasAsked) {
    const int w = gfx::measureText(kDialog, "Opague").width;
    const gfx::ClipRect box{10, 20, 90, 33};
    const PlacedLine left = placeLine(kDialog, "Opague", box, 20, Alignment::Left, nullptr);
    EXPECT_EQ(left.x, 10);
    EXPECT_EQ(left.y, 20);
    EXPECT_EQ(left.font.sizePt, 8);
    EXPECT_EQ(placeLine(kDialog, "Opague", box, 20, Alignment::Right, nullptr).x, 90 - w);
    EXPECT_EQ(placeLine(kDialog, "Opague", box, 20, Alignment::Center, nullptr).x, 10 + (80 - w) / 2);
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

TEST(TextFit, EveryControlKeepsAWiderTallerFacesTextInItsBox) {
    test::WideText wide;
    platform::SimPlatform sim;
    Runtime rt{sim};
    rt.setTextBackend(&wide);
    Form form{rt, "frmFit"};
    const auto fit = [](auto& c, const char* caption, int w, int h) -> auto& {
        c.setCaption(caption);
        c.move(0, 0, w, h);
        return c;
    };
    Label& label = fit(form.add<Label>("lblScale", 0), "Opague", 44, 13);
    label.setFont(kDialog);
    CheckBox& check = fit(form.add<CheckBox>("chkModule", 8), "Show Zenthe\u2122 Module", 140, 17);
    OptionButton& option = fit(form.add<OptionButton>("optPlacement", 0), "Horizontal Mode", 100, 17);
    option.setEnabled(false);
    CommandButton& button = fit(form.add<CommandButton>("Command1"), "Reset Module Locations", 150, 23);
    Frame& frame = fit(form.add<Frame>("fraTiming"), "Timing Settings (10ths of seconds)", 204, 100);
    ComboBox& combo = form.add<ComboBox>("cboNewFile");
    combo.addItem("Week (Sunday)");
    combo.setListIndex(0);
    combo.move(0, 0, 96, 21);
    TabStrip& tabs = form.add<TabStrip>("tbsOptions");
    tabs.addTab("General", "tabGen", "");
    tabs.move(0, 0, 100, 60);
    const Control* all[] = {&label, &check, &option, &button, &frame, &combo, &tabs};

    for (const Control* c : all) {
        const test::Spill s = test::spillOf(*c);
        EXPECT_FALSE(s.any()) << c->qualifiedName() << " leaves its box by " << s.left << " " << s.top << " "
                              << s.right << " " << s.bottom;
    }
    // Multi-line: each line keeps to its own row and below.
    label.setCaption("CPU\r\nMemory");
    label.move(0, 0, 60, 26);
    EXPECT_FALSE(test::spillOf(label).any());
}
