// Placing a line of text inside its control's box, measured with the face
// that draws it: our pixel fonts, or the system's where it has its own.
// A layout made for one set of faces then still shows every line whole
// under another.
#pragma once

#include <string_view>

#include "gfx/draw.h"
#include "gfx/font.h"

namespace vel::forms {

enum class Alignment { Left = 0, Right = 1, Center = 2 };

struct PlacedLine {
    gfx::FontSpec font;
    int x = 0, y = 0;   // the top-left of the line to draw
    int width = 0;      // its advance in that font
    bool shown = true;  // false when the box has no room at all
};

// The line aligned in [box.left, box.right) with the top of its line at y.
// A line whose ink would leave the box moves into it when it fits there;
// else it is drawn smaller on the same baseline, in 0.75 pt steps down to
// 5.25 pt. A line that fits is left exactly where it was asked to be.
// `system` measures as it will draw (null: our pixel fonts). `spread`: how
// many pixels further right and down its ink is drawn (an embossed copy).
PlacedLine placeLine(const gfx::FontSpec& font, std::string_view line, const gfx::ClipRect& box, int y,
                     Alignment align, gfx::TextBackend* system, int spread = 0);

// Draws it in colour (nothing when it has no room).
void drawPlaced(Pixels& s, const PlacedLine& p, std::string_view line, Colour c, const gfx::ClipRect& clip,
                gfx::TextBackend* system);

}  // namespace vel::forms
