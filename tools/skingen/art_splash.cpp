// The splash panel with the product name in stroked letters, and the three
// pictures it shows in turn.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "tools/skingen/art.h"

namespace vel::skingen {

using namespace vel::gfx;

namespace {

struct Pt {
    double x, y;
};
using Stroke = std::vector<Pt>;
struct Letter {
    double width;
    std::vector<Stroke> strokes;
};

// Letters on a grid six units tall, y growing downwards.
Letter letterFor(char c) {
    switch (c) {
        case 'V': return {4.2, {{{0, 0}, {2.1, 6}, {4.2, 0}}}};
        case 'E': return {3.4, {{{3.4, 0}, {0, 0}, {0, 6}, {3.4, 6}}, {{0, 3}, {2.9, 3}}}};
        case 'L': return {3.3, {{{0, 0}, {0, 6}, {3.3, 6}}}};
        case 'M': return {5.0, {{{0, 6}, {0, 0}, {2.5, 4.0}, {5, 0}, {5, 6}}}};
        case 'O': {
            Stroke ring;
            for (int i = 0; i <= 40; ++i) {
                const double a = i * 2 * std::numbers::pi / 40;
                ring.push_back({2.3 + 2.3 * std::cos(a), 3 + 3 * std::sin(a)});
            }
            return {4.6, {ring}};
        }
        case 'R':
            return {4.0, {{{0, 6}, {0, 0}, {2.6, 0}, {3.6, 0.45}, {4.0, 1.6}, {3.6, 2.75}, {2.6, 3.2}, {0, 3.2}},
                          {{2.3, 3.2}, {4.0, 6}}}};
        case 'A': return {4.6, {{{0, 6}, {2.3, 0}, {4.6, 6}}, {{0.95, 4.1}, {3.65, 4.1}}}};
        case 'v': return {3.6, {{{0, 2.3}, {1.8, 6}, {3.6, 2.3}}}};
        case '2':
            return {3.6, {{{0.1, 1.3}, {0.6, 0.35}, {1.7, 0}, {2.8, 0.2}, {3.5, 1.0}, {3.4, 2.0}, {2.7, 3.0}, {0, 6},
                           {3.6, 6}}}};
        default: return {2.4, {}};
    }
}

// Coverage mask of a word: red channel 0..255.
Pixels strokeWord(const std::string& word, double unit, double pen, int& width) {
    double x = pen;
    std::vector<std::pair<double, Letter>> placed;
    for (char c : word) {
        Letter l = letterFor(c);
        placed.push_back({x, l});
        x += (l.width + 1.5) * unit;
    }
    width = static_cast<int>(std::ceil(x - 1.5 * unit + pen));
    Pixels mask(width + 2, static_cast<int>(std::ceil(6 * unit + 2 * pen)) + 1, 0);
    for (const auto& [x0, l] : placed)
        for (const Stroke& s : l.strokes)
            for (std::size_t i = 1; i < s.size(); ++i)
                lineAA(mask, x0 + s[i - 1].x * unit, pen + s[i - 1].y * unit, x0 + s[i].x * unit, pen + s[i].y * unit,
                       pen * 1.9, rgb(255, 255, 255));
    return mask;
}

// Filled triangle with 4x4 coverage, for arrow heads.
void fillTriangleAA(Pixels& p, Pt a, Pt b, Pt c, Colour col) {
    auto side = [](Pt p1, Pt p2, double x, double y) { return (p2.x - p1.x) * (y - p1.y) - (p2.y - p1.y) * (x - p1.x); };
    const int x0 = static_cast<int>(std::floor(std::min({a.x, b.x, c.x})));
    const int x1 = static_cast<int>(std::ceil(std::max({a.x, b.x, c.x})));
    const int y0 = static_cast<int>(std::floor(std::min({a.y, b.y, c.y})));
    const int y1 = static_cast<int>(std::ceil(std::max({a.y, b.y, c.y})));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            int hits = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i) {
                    const double px = x + (i + 0.5) / 4, py = y + (j + 0.5) / 4;
                    const double d1 = side(a, b, px, py), d2 = side(b, c, px, py), d3 = side(c, a, px, py);
                    if ((d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0)) ++hits;
                }
            if (hits && p.inside(x, y)) p.at(x, y) = mix(col, p.at(x, y), hits * 255 / 16);
        }
}

constexpr Colour kScreen = rgb(18, 20, 27);

Pixels screenBackground() {
    Pixels p(120, 72);
    verticalGradient(p, 0, 0, 120, 72, rgb(30, 34, 44), rgb(10, 11, 15));
    return p;
}

// A module window as it appears on the desktop, for the first picture.
void placeModule(Pixels& p, int x, int y, const Pixels& face) {
    for (int i = 1; i <= 2; ++i)  // soft shadow
        for (int yy = 0; yy < 29; ++yy)
            for (int xx = 0; xx < 65; ++xx)
                if (p.inside(x + xx + i, y + yy + i) && xx > 2 && yy > 2)
                    p.at(x + xx + i, y + yy + i) = darker(p.at(x + xx + i, y + yy + i), 50);
    blitKeyed(p, x, y, moduleSkin(), kKey);
    blit(p, x + 3, y + 3, face);
}

Pixels metersPicture() {
    Pixels p = screenBackground();
    Pixels vu = cpuFace(0);
    lineTo(vu, 30, 22, 24, 7, rgb(40, 40, 44));
    placeModule(p, 1, 3, vu);

    Pixels graph = cpuFace(11);
    const int trace[] = {14, 13, 15, 11, 9, 10, 12, 8, 6, 9, 11, 10, 13, 12, 7, 5, 8, 10, 9, 12, 14};
    for (int i = 0; i + 1 < 21; ++i)
        lineInclusive(graph, 8 + i * 2, trace[i], 10 + i * 2, trace[i + 1], lcdStyle(3).figure, ClipRect{8, 2, 51, 20});
    placeModule(p, 4, 39, graph);

    Pixels tach = cpuFace(4);
    fillRect(tach, 9 + 27, 4, 53 - 36, 12, rgb(0, 0, 0));
    textCentred(tach, 31, 12, "62", 6.75, true, lcdStyle(0).figure);
    placeModule(p, 54, 12, tach);

    Pixels mem = memFace(1);
    const int xs[4] = {8, 19, 30, 41}, ws[4] = {10, 10, 10, 11}, lit[4] = {11, 6, 14, 3};
    for (int i = 0; i < 4; ++i) {
        Pixels bar = memBar(1);
        Pixels part(ws[i], 17, lcdStyle(1).face);
        blit(part, 0, 0, bar);
        if (ws[i] == 11) vline(part, 10, 0, 16, lcdStyle(1).face);
        fillRect(part, 0, 0, ws[i], 17 - lit[i], lcdStyle(1).face);
        blit(mem, xs[i], 3, part);
    }
    placeModule(p, 53, 42, mem);
    return p;
}

Pixels detailsPicture() {
    Pixels p = screenBackground();
    // A small window: title bar, tabs, figures and a graph.
    fillRect(p, 6, 4, 108, 64, rgb(6, 6, 8));
    verticalGradient(p, 7, 5, 106, 9, rgb(70, 120, 200), rgb(24, 56, 120));
    text(p, 10, 6, "Velmora details", 5.25, false, rgb(255, 255, 255));
    fillRect(p, 7, 14, 106, 53, rgb(232, 232, 226));
    const char* tabs[3] = {"CPU", "Memory", "NETWORK"};
    int tx = 9;
    for (int i = 0; i < 3; ++i) {
        const int w = measureText(FontSpec{"Arial", 5.25, false}, tabs[i]).width + 4;
        fillRect(p, tx, 16, w, 8, i == 0 ? rgb(255, 255, 255) : rgb(206, 206, 200));
        frameRect(p, tx, 16, w, 8, rgb(140, 140, 136));
        text(p, tx + 2, 17, tabs[i], 5.25, false, rgb(30, 30, 36));
        tx += w + 1;
    }
    hline(p, 9, 110, 23, rgb(140, 140, 136));
    const char* rows[5] = {"CPU 0", "CPU 1", "Memory", "Swap", "Net"};
    const char* vals[5] = {"23%", "61%", "48%", "12%", "3 k/s"};
    for (int i = 0; i < 5; ++i) {
        text(p, 10, 26 + i * 8, rows[i], 5.25, false, rgb(40, 40, 48));
        const int w = measureText(FontSpec{"Arial", 5.25, false}, vals[i]).width;
        text(p, 61 - w, 26 + i * 8, vals[i], 5.25, false, rgb(20, 80, 170));
    }
    fillRect(p, 66, 27, 44, 36, rgb(0, 0, 0));
    for (int x = 66; x < 110; x += 6) vline(p, x, 27, 62, rgb(0, 52, 4));
    for (int y = 27; y < 63; y += 6) hline(p, 66, 109, y, rgb(0, 52, 4));
    double yv = 50;
    for (int x = 67; x < 109; ++x) {
        const double next = 45 + 10 * std::sin(x * 0.35) + 6 * std::sin(x * 0.13);
        lineInclusive(p, x - 1, static_cast<int>(yv), x, static_cast<int>(next), rgb(0, 193, 1), ClipRect{66, 27, 110, 63});
        yv = next;
    }
    return p;
}

Pixels memtidePicture() {
    Pixels p = screenBackground();
    const double cx = 60, cy = 36;
    // Two arrows chasing each other round the chip: memory coming back.
    const Colour tide = rgb(40, 210, 90);
    for (int half = 0; half < 2; ++half) {
        const double start = half * std::numbers::pi;
        for (int i = 0; i < 24; ++i) {
            const double a = start + 0.35 + i * 0.1, b = a + 0.1;
            lineAA(p, cx + 30 * std::cos(a), cy + 27 * std::sin(a), cx + 30 * std::cos(b), cy + 27 * std::sin(b), 3.2,
                   mix(tide, rgb(10, 90, 40), i * 10 + 15));
        }
        const double e = start + 0.35 + 24 * 0.1;
        const Pt tip{cx + 30 * std::cos(e + 0.28), cy + 27 * std::sin(e + 0.28)};
        const Pt l{cx + 24 * std::cos(e), cy + 21.6 * std::sin(e)}, r{cx + 36 * std::cos(e), cy + 32.4 * std::sin(e)};
        fillTriangleAA(p, l, tip, r, tide);
    }
    // The chip.
    const Colour pin = rgb(200, 204, 214);
    for (int i = 0; i < 7; ++i) {
        fillRect(p, 42 + i * 6, 21, 3, 5, pin);
        fillRect(p, 42 + i * 6, 46, 3, 5, pin);
    }
    roundGradient(p, 38, 25, 45, 22, 2, rgb(60, 64, 74), rgb(20, 22, 26));
    hline(p, 40, 80, 26, rgb(110, 116, 130));
    fillCircleAA(p, 42.5, 42.5, 1.6, rgb(90, 96, 108));
    textCentred(p, 60, 29, "RAM", 8, true, rgb(220, 226, 236));
    return p;
}

}  // namespace

Pixels splashSkin() {
    Pixels p(320, 200);
    p.fill(kKey);
    fillRoundRect(p, 0, 0, 320, 200, 14, rgb(6, 6, 8));
    roundGradient(p, 1, 1, 318, 198, 13, rgb(62, 68, 82), rgb(12, 13, 17));
    for (int y = 2; y < 70; ++y) {
        const int a = 40 - y * 40 / 70;
        for (int x = 1; x < 319; ++x)
            if (p.at(x, y) != kKey && p.at(x, y) != rgb(6, 6, 8)) p.at(x, y) = lighter(p.at(x, y), a);
    }
    for (int x = 14; x < 306; ++x) p.at(x, 1) = rgb(180, 186, 200);

    // The name, with a drop shadow.
    int w1 = 0, w2 = 0;
    const Pixels name = strokeWord("VELMORA", 4.5, 1.6, w1);
    const Pixels version = strokeWord("v2", 4.5, 1.6, w2);
    paintThroughMask(p, 19, 13, name, rgb(0, 0, 0));
    paintGradientThroughMask(p, 17, 11, name, rgb(255, 255, 255), rgb(140, 156, 186));
    paintThroughMask(p, 19 + w1 + 12, 13, version, rgb(0, 0, 0));
    paintGradientThroughMask(p, 17 + w1 + 12, 11, version, rgb(150, 255, 150), rgb(0, 170, 40));
    text(p, 18, 43, "desktop system monitor", 8, false, rgb(150, 164, 190));

    // A faint meter in the empty corner, the family's signature.
    const Colour ghost = rgb(44, 50, 62);
    for (int i = 0; i <= 24; ++i) {
        const double a = std::numbers::pi * (1.0 - i / 24.0);
        const double r0 = i % 6 == 0 ? 28.0 : 31.5;
        lineAA(p, 262.5 + r0 * std::cos(a), 134.5 - r0 * std::sin(a), 262.5 + 35 * std::cos(a),
               134.5 - 35 * std::sin(a), i % 6 == 0 ? 1.4 : 1.0, ghost);
        if (i < 24) {
            const double b = std::numbers::pi * (1.0 - (i + 1) / 24.0);
            lineAA(p, 262.5 + 36 * std::cos(a), 134.5 - 36 * std::sin(a), 262.5 + 36 * std::cos(b),
                   134.5 - 36 * std::sin(b), 1.0, i >= 19 ? rgb(70, 36, 40) : ghost);
        }
    }
    lineAA(p, 262.5, 134.5, 262.5 + 30 * std::cos(0.7), 134.5 - 30 * std::sin(0.7), 1.2, rgb(58, 66, 80));

    // Where the program puts its pictures and texts.
    insetRim(p, 16, 56, 120, 72, rgb(4, 4, 6), rgb(100, 106, 120));
    fillRect(p, 16, 56, 120, 72, kScreen);
    fillRect(p, 143, 66, 2, 30, rgb(0, 193, 1));
    hline(p, 16, 303, 138, rgb(8, 9, 12));
    hline(p, 16, 303, 139, rgb(64, 70, 84));
    fillRect(p, 14, 148, 292, 17, rgb(8, 9, 12));
    insetRim(p, 14, 148, 292, 17, rgb(2, 2, 4), rgb(60, 66, 80));
    // The five LCD styles as little chips.
    for (int i = 0; i < kStyleCount; ++i) {
        const LcdStyle& s = lcdStyle(i);
        const int x = 16 + i * 16;
        fillRect(p, x, 180, 14, 10, rgb(4, 4, 6));
        fillRect(p, x + 1, 181, 12, 8, s.dial);
        text(p, x + 3, 182, "88", 5.25, false, s.figure);
    }
    return p;
}

Pixels splashMeters(int which) {
    switch (which) {
        case 0: return metersPicture();
        case 1: return detailsPicture();
        default: return memtidePicture();
    }
}

}  // namespace vel::skingen
