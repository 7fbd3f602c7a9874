// Our pixel faces: advances, clipping and UTF-8 decoding. Each face's
// glyphs, line height and ascent are in every reference picture that shows
// text.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "gfx/font.h"
#include "gfx/font_glyphs.h"

using namespace vel;
using namespace vel::gfx;

namespace {

constexpr Colour kInk = rgb(0, 193, 1);
const FontSpec kTiny{"Arial", 5.25, false};
const FontSpec kRegular{"Tahoma", 8, false};
const ClipRect kAll{0, 0, 1000, 1000};

// The widths of a sheet row's glyphs, which are separated by one blank.
std::vector<std::size_t> glyphWidths(const std::string& row) {
    std::vector<std::size_t> widths;
    std::istringstream glyphs(row + ' ');
    for (std::string g; std::getline(glyphs, g, ' ');) widths.push_back(g.size());
    return widths;
}

}  // namespace

TEST(GfxFontFaces, EverySheetIsWellFormedAndCoversPrintableAscii) {
    for (const auto* sheet : {&glyphs::tinySheet(), &glyphs::smallSheet(), &glyphs::regularSheet()}) {
        std::string covered;
        for (const auto& block : sheet->blocks) {
            ASSERT_EQ(static_cast<int>(block.rows.size()), sheet->rows) << block.chars;
            for (const std::string row : block.rows) {
                EXPECT_EQ(row.find_first_not_of("#. "), std::string::npos) << block.chars;
                EXPECT_EQ(glyphWidths(row), glyphWidths(block.rows[0])) << block.chars << ": " << row;
            }
            covered += block.chars;
        }
        for (char c = 32; c < 127; ++c) EXPECT_NE(covered.find(c), std::string::npos) << c;
        for (const char* extra : {"\xC2\xB0", "\xC3\xA9", "\xE2\x84\xA2"})
            EXPECT_NE(covered.find(extra), std::string::npos);
    }
}

TEST(GfxFontDraw, OnlyGlyphPixelsChangeAndClipHolds) {
    const Colour paper = rgb(1, 2, 3);
    Pixels full(30, 13, paper);
    drawText(full, 0, 0, "Hello", kRegular, kInk, kAll);
    Pixels clipped(30, 13, paper);
    drawText(clipped, 0, 0, "Hello", kRegular, kInk, ClipRect{3, 4, 12, 9});
    int inFull = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 30; ++x) {
            EXPECT_TRUE(full.at(x, y) == paper || full.at(x, y) == kInk);
            const bool inside = x >= 3 && x < 12 && y >= 4 && y < 9;
            EXPECT_EQ(clipped.at(x, y), inside ? full.at(x, y) : paper) << x << "," << y;
            inFull += full.at(x, y) == kInk;
        }
    EXPECT_GT(inFull, 20);
}

TEST(GfxFontUtf8, MultiByteCharactersAreOneGlyphAndUnknownOnesAHollowBox) {
    EXPECT_EQ(measureText(kTiny, "25\xC2\xB0").width, 4 + 4 + 4);
    EXPECT_EQ(measureText(kRegular, "\xE2\x84\xA2").width, 10);
    EXPECT_EQ(measureText(kRegular, "Caf\xC3\xA9").width, measureText(kRegular, "Cafe").width);
    // A stray Latin-1 byte reads as that character.
    EXPECT_EQ(measureText(kTiny, "\xB0").width, measureText(kTiny, "\xC2\xB0").width);
    // A cut-off sequence does not swallow the next character.
    EXPECT_EQ(measureText(kTiny, "\xE2\x84" "1").width, 4 + 4 + 4);

    Pixels p(5, 7);
    drawText(p, 0, 0, "\xE4\xB8\xAD", kTiny, kInk, kAll);  // U+4E2D
    const Pixels box = p;
    p.fill(0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            if (x != 1 || y == 0 || y == 4) p.at(x, y) = kInk;
    EXPECT_EQ(box, p);
}
