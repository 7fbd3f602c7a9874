// The Full View: its frame, the panel every screen is drawn on, the screen
// and sub-view buttons, the close button and the memory page's VU face.
#include <cmath>
#include <numbers>

#include "fullview/fullview_layout.h"
#include "tools/skingen/art.h"

namespace vel::skingen {

using namespace vel::gfx;
using namespace vel::fullview;

namespace {

constexpr Colour kIconSteel = rgb(206, 212, 222);
constexpr Colour kIconBody = rgb(28, 30, 36);
constexpr Colour kGlow = rgb(103, 186, 218);

// A chip with pins on four sides, (x, y) its top-left, s its body size.
void chip(Pixels& p, int x, int y, int s, Colour edge) {
    for (int i = 2; i < s - 1; i += 2) {
        vline(p, x + i, y - 2, y - 1, kIconSteel);
        vline(p, x + i, y + s, y + s + 1, kIconSteel);
        hline(p, x - 2, x - 1, y + i, kIconSteel);
        hline(p, x + s, x + s + 1, y + i, kIconSteel);
    }
    fillRect(p, x, y, s, s, kIconBody);
    frameRect(p, x, y, s, s, edge);
    fillRect(p, x + 3, y + 3, s - 6, s - 6, mix(edge, kIconBody, 120));
}

void processorIcon(Pixels& p, int o) { chip(p, 7 + o, 8 + o, 12, kGlow); }

void summaryIcon(Pixels& p, int o) {
    chip(p, 5 + o, 5 + o, 10, rgb(72, 130, 160));
    chip(p, 11 + o, 12 + o, 10, kGlow);
}

void networkIcon(Pixels& p, int o) {
    const double cx = 13.5 + o, cy = 14.5 + o, r = 7.5;
    ringAA(p, cx, cy, r, 1.3, kGlow);
    lineAA(p, cx - r, cy, cx + r, cy, 1.1, kGlow);
    lineAA(p, cx, cy - r, cx, cy + r, 1.1, kGlow);
    for (double k : {0.45, 0.85}) {
        // The meridians: ellipses drawn as short chords.
        for (int deg = 0; deg < 360; deg += 15) {
            const double a = deg * std::numbers::pi / 180, b = (deg + 15) * std::numbers::pi / 180;
            lineAA(p, cx + k * r * std::cos(a), cy + r * std::sin(a), cx + k * r * std::cos(b), cy + r * std::sin(b),
                   0.9, mix(kGlow, kIconBody, 170));
        }
    }
}

void memoryIcon(Pixels& p, int o) {
    fillRect(p, 4 + o, 9 + o, 20, 10, rgb(22, 92, 52));
    frameRect(p, 4 + o, 9 + o, 20, 10, rgb(110, 200, 120));
    for (int i = 0; i < 3; ++i) fillRect(p, 6 + o + i * 6, 11 + o, 4, 5, kIconBody);
    for (int x = 5; x < 23; x += 2) vline(p, x + o, 19 + o, 20 + o, rgb(226, 190, 90));
}

void hardwareIcon(Pixels& p, int o) {
    // A monitor on its foot, with a keyboard in front.
    fillRect(p, 5 + o, 5 + o, 18, 12, kIconBody);
    frameRect(p, 5 + o, 5 + o, 18, 12, kIconSteel);
    verticalGradient(p, 7 + o, 7 + o, 14, 8, kGlow, rgb(30, 70, 120));
    fillRect(p, 12 + o, 17 + o, 4, 2, kIconSteel);
    fillRect(p, 6 + o, 20 + o, 16, 3, kIconSteel);
    for (int x = 7; x < 21; x += 2) setPixel(p, x + o, 21 + o, kIconBody);
}

// The raised graphite face of a button, or its pressed, lit look.
void buttonFace(Pixels& p, bool down) {
    fillRoundRect(p, 0, 0, p.width, p.height, 4, rgb(4, 4, 6));
    if (down) {
        roundGradient(p, 1, 1, p.width - 2, p.height - 2, 3, rgb(16, 30, 44), rgb(34, 62, 86));
        hline(p, 3, p.width - 4, p.height - 2, kGlow);
    } else {
        roundGradient(p, 1, 1, p.width - 2, p.height - 2, 3, rgb(92, 98, 112), rgb(34, 37, 44));
        hline(p, 4, p.width - 5, 1, rgb(168, 174, 188));
    }
}

// The VU face's scale: an arc round the needle's pivot.
constexpr double kVuPivotX = 30.5, kVuPivotY = 30.5;

void vuArc(Pixels& p, double r, double a0, double a1, double width, Colour c) {
    constexpr int kSteps = 30;
    for (int i = 0; i < kSteps; ++i) {
        const double a = a0 + (a1 - a0) * i / kSteps, b = a0 + (a1 - a0) * (i + 1) / kSteps;
        lineAA(p, kVuPivotX - r * std::cos(a), kVuPivotY - r * std::sin(a), kVuPivotX - r * std::cos(b),
               kVuPivotY - r * std::sin(b), width, c);
    }
}

}  // namespace

Pixels fullViewSkin() {
    Pixels p(kSkinWidth, kSkinHeight);
    glossyBezel(p, 12);
    text(p, 16, 12, "VELMORA v2", 8.25, true, rgb(236, 240, 248));
    text(p, 96, 14, "FULL VIEW", 6.75, false, kGlow);
    // The panel's well.
    fillRect(p, kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight, kWell);
    insetRim(p, kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight, kRimShadow, kRimLight);
    // The sub-view row under the screen buttons, with its engraved caption.
    const int right = kScreenButtonLeft + kScreenButtonWidth - 1;
    text(p, kSubButtonLeft + 1, kSubViewCaptionTop + 1, "SUB-VIEW", 5.25, false, rgb(12, 13, 16));
    text(p, kSubButtonLeft, kSubViewCaptionTop, "SUB-VIEW", 5.25, false, rgb(150, 158, 172));
    hline(p, kSubButtonLeft + 38, right, kSubViewCaptionTop + 3, rgb(12, 13, 16));
    hline(p, kSubButtonLeft + 38, right, kSubViewCaptionTop + 4, rgb(100, 106, 118));
    // A grip on the lower edge.
    for (int i = 0; i < 6; ++i) {
        setPixel(p, 20 + 3 * i, 264, rgb(12, 13, 16));
        setPixel(p, 21 + 3 * i, 265, rgb(100, 106, 118));
    }
    return p;
}

Pixels fullViewPanel() {
    const int w = kPanelWidth, h = kPanelHeight;
    Pixels p(w, h);
    verticalGradient(p, 0, 0, w, h, rgb(12, 28, 44), rgb(4, 10, 18));
    // A faint measuring grid, like the modules' LCD glass.
    for (int y = 24; y < h; y += 8)
        for (int x = 0; x < w; ++x) p.at(x, y) = mix(rgb(40, 80, 110), p.at(x, y), 40);
    for (int x = 8; x < w; x += 8)
        for (int y = 24; y < h; ++y) p.at(x, y) = mix(rgb(40, 80, 110), p.at(x, y), 40);
    // The title strip.
    verticalGradient(p, 0, 0, w, 21, rgb(24, 52, 78), rgb(12, 28, 44));
    hline(p, 0, w - 1, 21, mix(kGlow, rgb(12, 28, 44), 150));
    hline(p, 0, w - 1, 22, rgb(4, 10, 18));
    return p;
}

Pixels fullViewScreenButton(int which, bool down) {
    Pixels p(kScreenButtonWidth, kScreenButtonHeight, kWell);
    buttonFace(p, down);
    const int o = down ? 1 : 0;
    // Drawn on the face directly: the icons only add pixels.
    switch (which) {
        case 0: processorIcon(p, o); break;
        case 1: summaryIcon(p, o); break;
        case 2: networkIcon(p, o); break;
        case 3: memoryIcon(p, o); break;
        default: hardwareIcon(p, o); break;
    }
    return p;
}

Pixels fullViewSubButton(int look) {
    const int w = kSubButtonWidth, h = kSubButtonHeight;
    Pixels p(w, h, kWell);
    if (look == 2) {  // disabled: a flat, unlit plate
        fillRoundRect(p, 0, 0, w, h, 4, rgb(4, 4, 6));
        fillRoundRect(p, 1, 1, w - 2, h - 2, 3, rgb(30, 32, 38));
        return p;
    }
    buttonFace(p, look == 1);
    return p;
}

Pixels fullViewExit(bool down) {
    Pixels p(kExitSize, kExitSize, rgb(40, 43, 50));
    fillCircleAA(p, 9, 9, 8.6, rgb(4, 4, 6));
    fillCircleAA(p, 9, 9, 7.6, down ? rgb(40, 16, 14) : rgb(84, 90, 104));
    if (!down) fillCircleAA(p, 9, 7.5, 5.5, rgb(104, 110, 124));
    const double cx = 9 + (down ? 0.6 : 0), cy = 9.4 + (down ? 0.6 : 0), r = 4.0;
    const Colour red = rgb(240, 56, 44);
    for (int deg = 40; deg < 320; deg += 10) {
        const double a = deg * std::numbers::pi / 180, b = (deg + 10) * std::numbers::pi / 180;
        lineAA(p, cx + r * std::sin(a), cy - r * std::cos(a), cx + r * std::sin(b), cy - r * std::cos(b), 1.5, red);
    }
    lineAA(p, cx, cy - 5.4, cx, cy - 1.2, 1.6, red);
    return p;
}

Pixels fullViewVu() {
    const LcdStyle& s = lcdStyle(1);
    Pixels p(60, 34);
    lcdFace(p, s);
    for (int y = 1; y < 12; ++y) hline(p, 1, 59, y, lighter(s.face, (12 - y) * 5));
    vuArc(p, 24.0, 0.0, std::numbers::pi, 1.0, s.figure);
    for (int i = 0; i <= 10; ++i) {
        const double a = i * std::numbers::pi / 10;
        const double reach = i % 5 == 0 ? 28.5 : 26.5;
        lineAA(p, kVuPivotX - 24.0 * std::cos(a), kVuPivotY - 24.0 * std::sin(a), kVuPivotX - reach * std::cos(a),
               kVuPivotY - reach * std::sin(a), i % 5 == 0 ? 1.2 : 0.9, s.figure);
    }
    // The figures sit in the top corners, where the needle never reaches.
    text(p, 3, 2, "0", 5.25, false, s.figure);
    text(p, 45, 2, "100", 5.25, false, s.figure);
    fillCircleAA(p, kVuPivotX, kVuPivotY + 1.0, 3.6, darker(s.figure, 40));
    fillCircleAA(p, kVuPivotX - 0.2, kVuPivotY + 0.6, 1.6, lighter(s.figure, 90));
    return p;
}

}  // namespace vel::skingen
