// The artwork of the program, drawn with our own drawing code. Every
// picture is a pure function of nothing, so the files come out the same
// on every run and the tests can compare them with the shipped skins.
#pragma once

#include <string>
#include <vector>

#include "gfx/draw.h"
#include "gfx/font.h"

namespace vel::skingen {

struct Artwork {
    std::string file;  // name inside the skins folder
    Pixels image;
};

// Everything, in a fixed order.
std::vector<Artwork> allArtwork();

// --- shared look ---------------------------------------------------------

constexpr Colour kKey = rgb(255, 0, 255);  // transparent colour of the skins
// The dark well that buttons and faces sit in, and its recessed rim.
constexpr Colour kWell = rgb(14, 15, 18);
constexpr Colour kRimShadow = rgb(4, 4, 6);
constexpr Colour kRimLight = rgb(128, 134, 148);

// The five LCD colour schemes: Black, Blue, Gold, Green, Red.
struct LcdStyle {
    const char* name;
    Colour face;    // also the cover colour the program paints with
    Colour figure;  // the colour the program draws text and traces in
    // The face behind figures where no cover has to match it (the CPU
    // dials and graphs, the mouse readout). Gold and red covers are too
    // close in lightness to their figures, so those dials are paler or
    // deeper; the other styles use the cover colour itself.
    Colour dial;
};
// The style with its dial as the face.
LcdStyle onDial(const LcdStyle& s);
const LcdStyle& lcdStyle(int index);
constexpr int kStyleCount = 5;

// Colour arithmetic for shading.
Colour lighter(Colour c, int amount);  // towards white, 0..255
Colour darker(Colour c, int amount);   // towards black, 0..255

// Thin wrappers for 1-px scale work.
void hline(Pixels& p, int x0, int x1, int y, Colour c);  // both ends drawn
void vline(Pixels& p, int x, int y0, int y1, Colour c);
void text(Pixels& p, int x, int y, const std::string& s, double sizePt, bool bold, Colour c);
void textCentred(Pixels& p, int cx, int y, const std::string& s, double sizePt, bool bold, Colour c);

// A rounded shape filled with a vertical gradient; pixels outside stay.
void roundGradient(Pixels& p, int x, int y, int w, int h, int radius, Colour top, Colour bottom);
// A recessed well: dark top/left edge, light bottom/right edge, outside the
// given rectangle.
void insetRim(Pixels& p, int x, int y, int w, int h, Colour shadow, Colour light);
// The glossy graphite frame shared by every window skin: rounded outline,
// magenta outside, gradient body and a highlight along the top.
void glossyBezel(Pixels& p, int radius);
// The LCD face background: the exact style colour with a faint darker
// line along the top and left edge, like glass set into the frame.
void lcdFace(Pixels& p, const LcdStyle& s);
// Lets the LCD pick a dimmed colour for scale marks and grids.
Colour faint(const LcdStyle& s, int amount);

// Blend a colour over every pixel of p where mask is bright (mask's red
// channel is the coverage); used for anti-aliased shapes drawn in a mask.
void paintThroughMask(Pixels& p, int x, int y, const Pixels& mask, Colour c);
void paintGradientThroughMask(Pixels& p, int x, int y, const Pixels& mask, Colour top, Colour bottom);

// The pictures, grouped by family.
Pixels moduleSkin();
Pixels cpuFace(int index);  // 0..17
Pixels cpuHolder();
Pixels memFace(int style);
Pixels memBar(int style);
Pixels netFace(int style);
Pixels netStatus(int style, bool connected);
Pixels netType(int style, int kind);  // 0 lan, 1 modem, 2 proxy, 3 other
Pixels mouseFace(int style);
Pixels clockFace();
Pixels mainSkin();
Pixels mainButton(int which, bool down);  // 0 memtide, 1 logscope, 2 options, 3 exit
Pixels splashSkin();
Pixels splashMeters(int which);  // 0..2
Pixels fullViewSkin();
Pixels fullViewPanel();
Pixels fullViewScreenButton(int which, bool down);  // 0..4, the screens in button order
Pixels fullViewSubButton(int look);                 // 0 normal, 1 pressed, 2 disabled
Pixels fullViewExit(bool down);
Pixels fullViewVu();
// The options dialog's illustrations.
Pixels placementPicture(int mode);  // 0 horizontal, 1 vertical, 2 user
Pixels visibilityMonitor();

}  // namespace vel::skingen
