// Glyph sheets of our pixel fonts. A block lists its characters (UTF-8)
// and then the rows of their bitmaps side by side: row r of block b holds
// one token per character, separated by single spaces; '#' is ink, '.' is
// paper. A glyph's width is its token length and must be the same on every
// row. Row 0 is the cap line; the baseline lies below row capHeight - 1.
#pragma once

#include <vector>

namespace vel::gfx::glyphs {

struct GlyphBlock {
    const char* chars;
    std::vector<const char*> rows;
};

struct GlyphSheet {
    int rows = 0;        // rows per glyph, descenders included
    int capHeight = 0;   // rows above the baseline
    std::vector<GlyphBlock> blocks;
};

const GlyphSheet& tinySheet();     // 5 px caps, for 5.25 pt
const GlyphSheet& smallSheet();    // 6 px caps, for 6 to 6.75 pt
const GlyphSheet& regularSheet();  // 8 px caps, for 8 pt UI text

}  // namespace vel::gfx::glyphs
