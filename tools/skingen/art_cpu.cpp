// The eighteen CPU faces and the lit picture of the Intensi-Meter.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/skingen/art.h"

namespace vel::skingen {

using namespace vel::gfx;

namespace {

constexpr int kW = 60, kH = 23;

// Colour of a "hot" scale: calm, then yellow, then red towards the top end.
Colour heat(double f, Colour calm, Colour warm, Colour hot) {
    if (f < 0.6) return calm;
    if (f < 0.8) return mix(warm, calm, static_cast<int>((f - 0.6) / 0.2 * 255));
    return mix(hot, warm, static_cast<int>(std::min(1.0, (f - 0.8) / 0.2) * 255));
}

// --- VU meter ---------------------------------------------------------------
// The needle pivots at (30,22); its tip runs on an ellipse through (15,11),
// (30,6) and (45,11), evenly in angle. The scale sits just outside it.
constexpr double kPivotX = 30, kPivotY = 22, kRx = 20.64, kRy = 16.0;
const double kStartAngle = std::numbers::pi - std::asin(11.0 / 16.0);
const double kEndAngle = std::asin(11.0 / 16.0);

void scalePoint(double f, double k, double& x, double& y) {
    const double a = kStartAngle + (kEndAngle - kStartAngle) * f;
    x = kPivotX + k * kRx * std::cos(a);
    y = kPivotY - k * kRy * std::sin(a);
}

// An anti-aliased arc along the scale between two fractions.
void scaleArc(Pixels& p, double f0, double f1, double k, double width, Colour c) {
    constexpr int kSteps = 24;
    for (int i = 0; i < kSteps; ++i) {
        double x0, y0, x1, y1;
        scalePoint(f0 + (f1 - f0) * i / kSteps, k, x0, y0);
        scalePoint(f0 + (f1 - f0) * (i + 1) / kSteps, k, x1, y1);
        lineAA(p, x0 + 0.5, y0 + 0.5, x1 + 0.5, y1 + 0.5, width, c);
    }
}

Pixels vuMeter(const LcdStyle& s, Colour redZone) {
    Pixels p(kW, kH);
    lcdFace(p, s);
    // A little light on the glass: brighter at the top.
    for (int y = 1; y < 9; ++y) hline(p, 1, kW - 1, y, lighter(s.face, (9 - y) * 6));
    scaleArc(p, 0.0, 1.0, 1.12, 1.0, s.figure);
    scaleArc(p, 0.78, 1.0, 1.21, 2.0, redZone);
    for (int i = 0; i <= 20; ++i) {
        const double f = i / 20.0;
        const double reach = i % 10 == 0 ? 1.36 : i % 2 == 0 ? 1.27 : 1.2;
        double x0, y0, x1, y1;
        scalePoint(f, 1.12, x0, y0);
        scalePoint(f, reach, x1, y1);
        lineAA(p, x0 + 0.5, y0 + 0.5, x1 + 0.5, y1 + 0.5, i % 10 == 0 ? 1.2 : 0.9, s.figure);
    }
    text(p, 8, 13, "0", 5.25, false, s.figure);
    text(p, 43, 13, "100", 5.25, false, s.figure);
    // The pivot hub the needle rises from.
    fillCircleAA(p, kPivotX + 0.5, kPivotY + 1.0, 3.6, darker(s.figure, 40));
    fillCircleAA(p, kPivotX + 0.3, kPivotY + 0.6, 1.6, lighter(s.figure, 90));
    return p;
}

// --- LED bars ---------------------------------------------------------------

// One LED cell with a glossy top and a darker foot.
void ledCell(Pixels& p, int x, int y, int w, int h, Colour c) {
    fillRect(p, x, y, w, h, c);
    hline(p, x, x + w - 1, y, lighter(c, 90));
    if (h > 2) hline(p, x, x + w - 1, y + h - 1, darker(c, 60));
}

Pixels digiTach(const LcdStyle& s, bool onBlack) {
    Pixels p(kW, kH);
    lcdFace(p, s);
    const Colour calm = s.figure;
    const Colour warm = onBlack ? rgb(236, 214, 0) : rgb(96, 36, 118);
    const Colour hot = onBlack ? rgb(240, 48, 24) : rgb(160, 16, 40);
    const Colour tick = onBlack ? rgb(0, 86, 2) : darker(s.face, 70);
    for (int i = 0; i < 11; ++i) {
        const int x = 9 + 4 * i;
        const double f = i / 10.0;
        ledCell(p, x, 4, 3, 6, heat(f, calm, warm, hot));
        vline(p, x + 1, i % 5 == 0 ? 1 : 2, 2, tick);
    }
    return p;
}

Colour barColour(double f) { return heat(f, rgb(0, 204, 40), rgb(240, 222, 0), rgb(242, 44, 22)); }

// Shading across the height of a horizontal bar: a glossy upper third.
Colour barShade(Colour c, int row, int rows) {
    const double t = rows > 1 ? static_cast<double>(row) / (rows - 1) : 0.0;
    if (t < 0.12) return lighter(c, 120);
    if (t < 0.4) return lighter(c, static_cast<int>(70 * (0.4 - t) / 0.28));
    return darker(c, static_cast<int>(110 * (t - 0.4) / 0.6));
}

// LED stripes two pixels lit, one dark, from left to right.
void horizontalStripes(Pixels& p, int x0, int x1, int y0, int y1) {
    for (int x = x0; x <= x1; ++x) {
        if ((x - x0) % 3 == 2) continue;
        const Colour c = barColour(static_cast<double>(x - x0) / (x1 - x0));
        for (int y = y0; y <= y1; ++y) p.at(x, y) = barShade(c, y - y0, y1 - y0 + 1);
    }
}

// Rows lit every other pixel from the bottom, split into columns.
void verticalRows(Pixels& p, int x0, int x1, int y0, int y1, int columns) {
    const int width = x1 - x0 + 1;
    for (int y = y1; y >= y0; y -= 2) {
        const Colour c = barColour(static_cast<double>(y1 - y) / (y1 - y0));
        for (int col = 0; col < columns; ++col) {
            const int a = x0 + col * (width + 1) / columns;
            const int b = x0 + (col + 1) * (width + 1) / columns - 2;
            for (int x = a; x <= b; ++x) {
                const double t = static_cast<double>(x - a) / std::max(1, b - a);
                const int shine = static_cast<int>(70 * (1.0 - std::abs(t - 0.35) * 2.2));
                p.at(x, y) = shine > 0 ? lighter(c, shine) : darker(c, -shine);
            }
        }
    }
}

Pixels blackFace() {
    Pixels p(kW, kH);
    lcdFace(p, lcdStyle(0));
    return p;
}

// --- monitor, needles, graphs ------------------------------------------------

Pixels ekgMonitor() {
    Pixels p(kW, kH, rgb(3, 18, 9));
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const bool major = x % 10 == 4 || y % 10 == 1;
            const bool minor = x % 5 == 4 || y % 5 == 1;
            Colour c = major ? rgb(14, 62, 30) : minor ? rgb(9, 40, 20) : rgb(3, 18, 9);
            // Glass: darker towards the rim, faint scan lines.
            const double dx = (x - 29.5) / 30.0, dy = (y - 11.0) / 12.0;
            const int vignette = static_cast<int>(std::min(1.0, dx * dx + dy * dy) * 90);
            c = darker(c, vignette + (y % 2) * 18);
            p.at(x, y) = c;
        }
    hline(p, 0, kW - 1, 0, rgb(0, 0, 0));
    vline(p, 0, 0, kH - 1, rgb(0, 0, 0));
    return p;
}

// The current-value needles (dark blue) hang into a pale upper half and the
// orange average needles stand in a dark lower half: no single tone lets
// both colours read, so the dial is split along its scale.
Pixels needleMeter() {
    Pixels p(kW, kH);
    verticalGradient(p, 0, 0, kW, 12, rgb(252, 250, 244), rgb(226, 222, 210));
    verticalGradient(p, 0, 12, kW, 11, rgb(34, 36, 44), rgb(50, 53, 62));
    hline(p, 0, kW - 1, 0, rgb(150, 148, 140));
    vline(p, 0, 0, 11, rgb(150, 148, 140));
    vline(p, 0, 12, kH - 1, rgb(18, 19, 24));
    const Colour ink = rgb(64, 66, 76);
    const Colour chalk = rgb(190, 194, 204);
    for (int i = 0; i <= 20; ++i) {
        const int x = 8 + static_cast<int>(std::lround(43.0 * i / 20));
        const int reach = i % 10 == 0 ? 3 : i % 2 == 0 ? 2 : 1;
        vline(p, x, 12 - reach, 11, i % 2 == 0 ? ink : rgb(130, 130, 136));
        vline(p, x, 12, 11 + reach, i % 2 == 0 ? chalk : rgb(112, 116, 128));
    }
    hline(p, 8, 51, 11, rgb(150, 150, 156));
    // Which needle is which: blue from the top, orange from the bottom.
    for (int i = 0; i < 3; ++i) {
        hline(p, 2 + i, 6 - i, 2 + i, rgb(40, 96, 220));
        hline(p, 2 + i, 6 - i, 20 - i, rgb(255, 140, 20));
    }
    return p;
}

Pixels lineGraph(const LcdStyle& s) {
    Pixels p(kW, kH);
    lcdFace(p, s);
    const bool dark = s.face == 0;
    const Colour grid = dark ? rgb(0, 52, 4) : faint(s, 56);
    const Colour frame = dark ? rgb(0, 96, 6) : faint(s, 110);
    // The trace runs in x 8..50, y 2..19 (0 % on y 19). The frame stands one
    // pixel outside that and the grid is dotted, so a trace lying along a
    // grid line or at 0 % and 100 % still sits on the face, not on a line.
    for (int i = 1; i < 8; ++i)
        for (int y = 3; y < 19; y += 3) setPixel(p, 8 + static_cast<int>(std::lround(42.0 * i / 8)), y, grid);
    for (int i = 1; i < 4; ++i)
        for (int x = 10; x < 50; x += 3) setPixel(p, x, 19 - static_cast<int>(std::lround(17.0 * i / 4)), grid);
    frameRect(p, 7, 1, 45, 20, frame);
    // Little outside ticks at 0, 50 and 100 %.
    for (int y : {2, 11, 19}) hline(p, 4, 6, y, frame);
    return p;
}

// --- Intensi-Meter ----------------------------------------------------------

// A round glow across the face: colour by distance from the centre.
Pixels radialFace(Colour centre, Colour middle, Colour rim) {
    Pixels p(kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const double dx = (x - 29.5) / 34.0, dy = (y - 11.0) / 16.0;
            const double d = std::min(1.0, std::sqrt(dx * dx + dy * dy));
            p.at(x, y) = d < 0.5 ? mix(middle, centre, static_cast<int>(d / 0.5 * 255))
                                 : mix(rim, middle, static_cast<int>((d - 0.5) / 0.5 * 255));
        }
    // Glass reflection: a soft oval of light over the upper part.
    for (int y = 1; y < 9; ++y)
        for (int x = 1; x < kW; ++x) {
            const double dx = (x - 29.5) / 27.0, dy = (y - 1.0) / 8.0;
            const double d = dx * dx + dy * dy;
            if (d < 1.0) p.at(x, y) = lighter(p.at(x, y), static_cast<int>(44 * (1.0 - d)));
        }
    return p;
}

// Unlit, the lamp is cool frosted glass: light enough for the black number
// to read at low load, and clearly not the warm glow of the lit picture.
Pixels intensiUnlit() {
    Pixels p = radialFace(rgb(222, 226, 232), rgb(198, 204, 214), rgb(150, 158, 172));
    hline(p, 0, kW - 1, 0, rgb(104, 110, 122));
    vline(p, 0, 0, kH - 1, rgb(104, 110, 122));
    return p;
}

}  // namespace

Pixels cpuHolder() {
    Pixels p = radialFace(rgb(255, 253, 232), rgb(255, 206, 90), rgb(226, 104, 18));
    hline(p, 0, kW - 1, 0, rgb(150, 70, 10));
    vline(p, 0, 0, kH - 1, rgb(150, 70, 10));
    return p;
}

Pixels cpuFace(int index) {
    switch (index) {
        case 0: return vuMeter(onDial(lcdStyle(2)), rgb(222, 40, 30));
        case 1: return vuMeter(onDial(lcdStyle(1)), rgb(214, 36, 48));
        case 2: return vuMeter(onDial(lcdStyle(3)), rgb(200, 36, 16));
        case 3: return vuMeter(onDial(lcdStyle(4)), rgb(255, 128, 112));
        case 4: return digiTach(lcdStyle(0), true);
        case 5: return digiTach(lcdStyle(1), false);
        case 6: return ekgMonitor();
        case 7: return needleMeter();
        case 8: case 9: case 10: case 11: case 12: return lineGraph(onDial(lcdStyle(index - 8)));
        case 13: {
            Pixels p = blackFace();
            horizontalStripes(p, 8, 52, 2, 21);
            return p;
        }
        case 14: {
            Pixels p = blackFace();
            horizontalStripes(p, 8, 52, 2, 9);
            for (int i = 0; i <= 10; ++i) setPixel(p, 8 + static_cast<int>(std::lround(43.0 * i / 10)), 10, rgb(0, 70, 2));
            return p;
        }
        case 15: {
            Pixels p = blackFace();
            verticalRows(p, 8, 52, 2, 21, 3);
            return p;
        }
        case 16: {
            Pixels p = blackFace();
            verticalRows(p, 8, 22, 2, 21, 1);
            return p;
        }
        default: return intensiUnlit();
    }
}

}  // namespace vel::skingen
