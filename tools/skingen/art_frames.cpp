// Window frames: the module skin, the main control bar and its buttons.
#include <cmath>
#include <numbers>

#include "tools/skingen/art.h"

namespace vel::skingen {

using namespace vel::gfx;

namespace {


// Icons are drawn into a 13x13 button picture offset by the press.
void memoryChip(Pixels& p, int o) {
    const Colour pin = rgb(196, 200, 210), body = rgb(28, 30, 36);
    for (int y = 3; y <= 9; y += 2) {
        hline(p, 2 + o, 3 + o, y + o, pin);
        hline(p, 9 + o, 10 + o, y + o, pin);
    }
    fillRect(p, 4 + o, 2 + o, 5, 9, body);
    frameRect(p, 4 + o, 2 + o, 5, 9, rgb(110, 200, 120));
    setPixel(p, 6 + o, 2 + o, body);  // the notch
    setPixel(p, 5 + o, 4 + o, rgb(110, 200, 120));
}

void chartPage(Pixels& p, int o) {
    const Colour paper = rgb(238, 240, 244), edge = rgb(150, 156, 168);
    fillRect(p, 3 + o, 2 + o, 7, 9, paper);
    frameRect(p, 3 + o, 2 + o, 7, 9, edge);
    setPixel(p, 9 + o, 2 + o, rgb(60, 64, 74));  // folded corner
    setPixel(p, 8 + o, 3 + o, edge);
    const Colour line = rgb(30, 110, 230);
    lineInclusive(p, 4 + o, 8 + o, 5 + o, 6 + o, line, ClipRect{0, 0, 13, 13});
    lineInclusive(p, 5 + o, 6 + o, 6 + o, 7 + o, line, ClipRect{0, 0, 13, 13});
    lineInclusive(p, 6 + o, 7 + o, 8 + o, 4 + o, line, ClipRect{0, 0, 13, 13});
    hline(p, 4 + o, 8 + o, 9 + o, rgb(190, 194, 204));
}

void gear(Pixels& p, int o) {
    const double cx = 6.5 + o, cy = 6.5 + o;
    const Colour steel = rgb(206, 212, 222);
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        lineAA(p, cx + 3.0 * std::cos(a), cy + 3.0 * std::sin(a), cx + 4.6 * std::cos(a), cy + 4.6 * std::sin(a),
               1.9, steel);
    }
    fillCircleAA(p, cx, cy, 3.5, steel);
    fillCircleAA(p, cx, cy, 1.4, rgb(40, 44, 52));
}

void powerSymbol(Pixels& p, int o) {
    const double cx = 6.5 + o, cy = 6.8 + o, r = 3.6;
    const Colour red = rgb(240, 56, 44);
    // The ring, open at the top, in short chords; angles from twelve o'clock.
    for (int deg = 40; deg < 320; deg += 10) {
        const double a = deg * std::numbers::pi / 180, b = (deg + 10) * std::numbers::pi / 180;
        lineAA(p, cx + r * std::sin(a), cy - r * std::cos(a), cx + r * std::sin(b), cy - r * std::cos(b), 1.5, red);
    }
    lineAA(p, cx, cy - 5.0, cx, cy - 1.2, 1.6, red);
}

}  // namespace

Pixels moduleSkin() {
    Pixels p(65, 29);
    glossyBezel(p, 5);
    fillRect(p, 3, 3, 60, 23, kWell);
    insetRim(p, 3, 3, 60, 23, kRimShadow, kRimLight);
    return p;
}

Pixels mainSkin() {
    Pixels p(65, 29);
    glossyBezel(p, 5);
    // The well the buttons sit in.
    fillRect(p, 4, 8, 57, 13, kWell);
    insetRim(p, 4, 8, 57, 13, kRimShadow, kRimLight);
    // Engraved wordmark: dark cut with a light lower lip.
    const FontSpec tiny{"Arial", 5.25, false};
    const int w = measureText(tiny, "VELMORA").width - 1;
    const int x = (65 - w) / 2;
    text(p, x, 2, "VELMORA", 5.25, false, rgb(226, 232, 242));
    // A grip on the lower edge.
    for (int i = 0; i < 4; ++i) {
        setPixel(p, 28 + 3 * i, 24, rgb(12, 13, 16));
        setPixel(p, 29 + 3 * i, 25, rgb(100, 106, 118));
    }
    return p;
}

Pixels mainButton(int which, bool down) {
    Pixels p(13, 13, kWell);
    fillRoundRect(p, 0, 0, 13, 13, 3, rgb(4, 4, 6));
    if (down) {
        roundGradient(p, 1, 1, 11, 11, 2, rgb(22, 24, 28), rgb(62, 66, 76));
    } else {
        roundGradient(p, 1, 1, 11, 11, 2, rgb(104, 110, 124), rgb(34, 37, 44));
        hline(p, 3, 9, 1, rgb(178, 184, 198));
    }
    const int o = down ? 1 : 0;
    switch (which) {
        case 0: memoryChip(p, o); break;
        case 1: chartPage(p, o); break;
        case 2: gear(p, o); break;
        default: powerSymbol(p, o); break;
    }
    return p;
}

}  // namespace vel::skingen
