// How the dialog controls look: the 3D colours and the dialog font, plus
// the edge, focus and glyph drawing they share. The classic grey scheme is
// the default; a backend with system colours (Windows) replaces it. Each
// forms runtime keeps its own look; the drawing here is handed it.
#pragma once

#include <string_view>

#include "gfx/draw.h"
#include "gfx/font.h"
#include "forms/text_fit.h"
#include "platform/platform.h"

namespace vel::forms {

struct DialogLook {
    Colour face = rgb(212, 208, 200);       // COLOR_3DFACE
    Colour highlight = rgb(255, 255, 255);  // COLOR_3DHILIGHT
    Colour light = rgb(212, 208, 200);      // COLOR_3DLIGHT
    Colour shadow = rgb(128, 128, 128);     // COLOR_3DSHADOW
    Colour darkShadow = rgb(64, 64, 64);    // COLOR_3DDKSHADOW
    Colour text = rgb(0, 0, 0);             // COLOR_BTNTEXT
    Colour grayText = rgb(128, 128, 128);   // COLOR_GRAYTEXT
    Colour window = rgb(255, 255, 255);     // COLOR_WINDOW
    Colour windowText = rgb(0, 0, 0);       // COLOR_WINDOWTEXT
    Colour selection = rgb(10, 36, 106);    // COLOR_HIGHLIGHT
    Colour selectionText = rgb(255, 255, 255);
    // The dialog face: the system maps this name to its own dialog font.
    gfx::FontSpec font{"MS Shell Dlg 2", 8.0, false};
};

// The classic look with every colour the system's scheme has replaced.
DialogLook systemDialogLook(platform::Platform& os);

namespace look {
// A raised edge (button) or a sunken one (field), two pixels deep.
void raisedEdge(const DialogLook& l, Pixels& s, int x, int y, int w, int h, const gfx::ClipRect& clip);
void pressedEdge(const DialogLook& l, Pixels& s, int x, int y, int w, int h, const gfx::ClipRect& clip);
void sunkenEdge(const DialogLook& l, Pixels& s, int x, int y, int w, int h, const gfx::ClipRect& clip);
// The etched line pair of frames and separators.
void etchedRect(const DialogLook& l, Pixels& s, int x, int y, int w, int h, const gfx::ClipRect& clip);
// The dotted focus rectangle.
void focusRect(const DialogLook& l, Pixels& s, int x, int y, int w, int h, const gfx::ClipRect& clip);
// Text in the dialog font (or `font`), drawn by `system` where it is given;
// disabled text is embossed as Windows draws it.
void text(const DialogLook& l, gfx::TextBackend* system, Pixels& s, int x, int y, std::string_view t, bool enabled,
          const gfx::ClipRect& clip);
void text(const DialogLook& l, gfx::TextBackend* system, Pixels& s, int x, int y, std::string_view t,
          const gfx::FontSpec& font, bool enabled, const gfx::ClipRect& clip);
// The same, placed inside a box (see placeLine); the placing is returned.
PlacedLine fittedText(const DialogLook& l, gfx::TextBackend* system, Pixels& s, const gfx::ClipRect& box, int y,
                      Alignment align, std::string_view t, bool enabled, const gfx::ClipRect& clip);
int textWidth(const DialogLook& l, gfx::TextBackend* system, std::string_view t);
int textHeight(const DialogLook& l);
// A small solid triangle pointing up, down, left or right, centred in the box.
enum class Arrow { Up, Down, Left, Right };
void arrow(Pixels& s, int x, int y, int w, int h, Arrow dir, Colour c, const gfx::ClipRect& clip);
}  // namespace look

}  // namespace vel::forms
