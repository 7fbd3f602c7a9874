// Our own pixel fonts, designed for the tiny sizes the modules use
// (5.25 to 6.75 pt) and a regular size for dialogs, splash and tooltips.
// They render identically everywhere, so snapshots compare exactly. A
// backend with fonts of its own (Windows) can take over the drawing.
#pragma once

#include <string>
#include <string_view>

#include "gfx/draw.h"
#include "gfx/text_backend.h"

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

// With a backend, the text is measured and drawn by the system's fonts
// wherever it can make the face; without one, by our pixel fonts. Line
// heights stay those of our faces either way, so layouts do not move;
// widths, ascents and ink are the drawing face's.
TextMetrics measureText(const FontSpec& font, std::string_view text, TextBackend* system = nullptr);
// Measured with the face that draws the text, whichever that is.
InkBox inkBox(const FontSpec& font, std::string_view text, TextBackend* system = nullptr);
// Draws one line of text with its top-left at (x, y); clipped.
void drawText(Pixels& s, int x, int y, std::string_view text, const FontSpec& font, Colour c,
              const ClipRect& clip, TextBackend* system = nullptr);
int lineHeight(const FontSpec& font);

}  // namespace vel::gfx
