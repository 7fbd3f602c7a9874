// Our own pixel fonts, designed for the tiny sizes the modules use
// (5.25 to 6.75 pt) and a regular size for dialogs, splash and tooltips.
// They render identically everywhere, so snapshots compare exactly. A
// backend with fonts of its own (Windows) can take over the drawing.
#pragma once

#include <string>
#include <string_view>

#include "forms/draw.h"
#include "platform/platform.h"

namespace vel::gfx {

struct FontSpec {
    std::string name = "Arial";  // the face the design asks for; we map it
    double sizePt = 8.0;
    bool bold = false;
};

// Pixel metrics of the face chosen for a font request.
struct TextMetrics {
    int width = 0;    // advance of the whole text
    int height = 0;   // line height
    int ascent = 0;   // the baseline below the top of the line
};

// The pixels a line's ink covers when drawn at (0, 0): [left, right) x
// [top, bottom), empty when nothing is inked.
struct InkBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
};

TextMetrics measureText(const FontSpec& font, std::string_view text);
// Measured with the face that draws the text, whichever that is.
InkBox inkBox(const FontSpec& font, std::string_view text);
// Draws one line of text with its top-left at (x, y); clipped.
void drawText(Pixels& s, int x, int y, std::string_view text, const FontSpec& font, Colour c,
              const ClipRect& clip);
int lineHeight(const FontSpec& font);

// Text from now on is measured and drawn by the system's fonts (null: our
// pixel fonts again). Line heights stay those of our faces, so layouts do
// not move; widths, ascents and ink are the system face's.
void useSystemText(platform::SystemText* text);

}  // namespace vel::gfx
