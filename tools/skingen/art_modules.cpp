// Faces of the memory, network, mouse and clock modules with their parts.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/skingen/art.h"

namespace vel::skingen {

using namespace vel::gfx;

namespace {

constexpr int kW = 60, kH = 23;

// Draws a small bitmap given as rows of '#' (ink) and '.'.
void stamp(Pixels& p, int x, int y, std::initializer_list<const char*> rows, Colour c) {
    int yy = y;
    for (const char* row : rows) {
        for (int xx = 0; row[xx]; ++xx)
            if (row[xx] == '#') setPixel(p, x + xx, yy, c);
        ++yy;
    }
}

// A frame one pixel outside a rectangle.
void slotFrame(Pixels& p, int x, int y, int w, int h, Colour c) { frameRect(p, x - 1, y - 1, w + 2, h + 2, c); }

Colour frameColour(const LcdStyle& s) { return s.face == 0 ? rgb(0, 72, 4) : faint(s, 96); }

// The background the network module gives its transfer graphs in each style.
Colour netGraphBackground(int style) {
    const Colour back[kStyleCount] = {rgb(0, 193, 1), rgb(5, 57, 115), rgb(127, 127, 127), rgb(76, 136, 12),
                                      rgb(252, 207, 80)};
    return back[std::clamp(style, 0, kStyleCount - 1)];
}

// Horizontal shine across a bar: brightest a third of the way in.
Colour shine(Colour c, int x, int width) {
    const double t = width > 1 ? static_cast<double>(x) / (width - 1) : 0.5;
    const int s = static_cast<int>(80 * (1.0 - std::abs(t - 0.35) * 2.4));
    return s > 0 ? lighter(c, s) : darker(c, -s);
}

}  // namespace

Pixels memFace(int style) {
    const LcdStyle& s = lcdStyle(style);
    Pixels p(kW, kH);
    lcdFace(p, s);
    const Colour frame = frameColour(s);
    const int xs[4] = {8, 19, 30, 41}, ws[4] = {10, 10, 10, 11};
    for (int i = 0; i < 4; ++i) slotFrame(p, xs[i], 3, ws[i], 17, frame);
    // A quarter scale to the right of the bars.
    for (int i = 0; i <= 4; ++i) hline(p, 54, i % 2 == 0 ? 56 : 55, 3 + i * 4, frame);
    text(p, 2, 3, "M", 5.25, false, frame);
    text(p, 3, 9, "E", 5.25, false, frame);
    text(p, 2, 15, "M", 5.25, false, frame);
    return p;
}

// The bars show free memory and the program covers them from the top, so
// the lowest LED pair is the last one left lit: that pair carries the
// warning colour, and on black the next one up a caution yellow.
Pixels memBar(int style) {
    const LcdStyle& s = lcdStyle(style);
    const Colour warning[kStyleCount] = {rgb(240, 48, 24), rgb(206, 28, 40), rgb(214, 36, 24), rgb(196, 28, 16),
                                         rgb(128, 0, 18)};
    style = std::clamp(style, 0, kStyleCount - 1);
    Pixels p(10, 17, s.face);
    for (int y = 16; y >= 0; --y) {
        if ((16 - y) % 3 == 2) continue;  // two rows lit, one dark
        const int pair = (16 - y) / 3;    // 0 at the bottom
        Colour c = s.figure;
        if (pair == 0) c = warning[style];
        if (pair == 1 && style == 0) c = rgb(236, 214, 0);
        for (int x = 0; x < 10; ++x) p.at(x, y) = shine(c, x, 10);
    }
    return p;
}

Pixels netFace(int style) {
    const LcdStyle& s = lcdStyle(style);
    Pixels p(kW, kH);
    lcdFace(p, s);
    const Colour frame = frameColour(s);
    slotFrame(p, 9, 3, 10, 8, frame);
    slotFrame(p, 10, 12, 9, 7, frame);
    for (int i = 0; i < 4; ++i) slotFrame(p, 24 + 7 * i, 3, 6, 4, frame);
    // The transfer graphs clear to their background colour and traffic
    // draws rows in the face colour. Both graphs sit in one panel of that
    // background colour, so an idle graph is an empty panel, not a block.
    fillRect(p, 23, 7, 29, 14, netGraphBackground(style));
    frameRect(p, 23, 7, 29, 14, frame);
    // A ruler between the graphs, in the rows' colour, every second row:
    // the panel is the empty scale and that colour is what fills it.
    for (int y = 18; y >= 9; y -= 2) {
        setPixel(p, 36, y, s.face);
        setPixel(p, 38, y, s.face);
    }
    // Captions beside the graphs: TCP on the left, UDP on the right.
    text(p, 20, 11, "T", 5.25, false, frame);
    text(p, 53, 11, "U", 5.25, false, frame);
    return p;
}

Pixels netStatus(int style, bool connected) {
    const LcdStyle& s = lcdStyle(style);
    Pixels p(10, 8, s.face);
    // A globe; when offline it stays as a faint ghost, like an unlit LCD segment.
    const Colour ink = connected ? s.figure : faint(s, s.face == 0 ? 60 : 70);
    stamp(p, 1, 0, {"..####..", ".##..##.", "#.#..#.#", "########", "#.#..#.#", ".##..##.", "..####.."}, ink);
    if (connected) {
        setPixel(p, 2, 1, lighter(s.figure, 140));
        // Two short rays: the link is live.
        setPixel(p, 9, 0, s.figure);
        setPixel(p, 9, 2, s.figure);
    }
    return p;
}

Pixels netType(int style, int kind) {
    const LcdStyle& s = lcdStyle(style);
    Pixels p(9, 7, s.face);
    switch (kind) {
        case 0:  // two computers on a wire
            stamp(p, 0, 0, {"###...###", "#.#...#.#", "###...###", ".#.....#.", ".#######.", "....#....",
                            "..#####.."}, s.figure);
            break;
        case 1:  // a telephone
            stamp(p, 0, 0, {".#######.", "##.....##", "##.#.#.##", "...###...", "..#####..", ".#######.",
                            ".#######."}, s.figure);
            break;
        case 2:  // a shield
            stamp(p, 0, 0, {"#########", "#...#...#", "#..###..#", "#...#...#", ".#..#..#.", "..#...#..",
                            "....#...."}, s.figure);
            stamp(p, 0, 0, {".........", ".###.###.", ".##...##.", ".###.###.", "..##.##..", "...###...",
                            "........."}, lighter(s.figure, s.face == 0 ? 0 : 120));
            if (s.face == 0) stamp(p, 0, 0, {".........", ".###.###.", ".##...##.", ".###.###.", "..##.##..",
                                             "...###...", "........."}, rgb(0, 70, 2));
            break;
        default:  // anything else
            stamp(p, 0, 0, {"..####...", ".#....#..", "......#..", "....##...", "...#.....", ".........",
                            "...#....."}, s.figure);
            break;
    }
    return p;
}

Pixels mouseFace(int style) {
    const LcdStyle s = onDial(lcdStyle(style));
    Pixels p(kW, kH);
    lcdFace(p, s);
    const Colour frame = frameColour(s);
    slotFrame(p, 8, 2, 10, 20, frame);
    // A pointer, so the face says what it measures.
    stamp(p, 20, 2, {"#....", "##...", "###..", "####.", "#####", "##...", "#.#..", "..#.."}, frame);
    const Colour dots[3] = {rgb(230, 30, 30), rgb(20, 190, 40), rgb(30, 80, 230)};
    for (int i = 0; i < 3; ++i) {
        const int y = 3 + 7 * i;
        fillRect(p, 52, y, 4, 4, frame);
        fillRect(p, 53, y + 1, 2, 2, dots[i]);
    }
    return p;
}

Pixels clockFace() {
    Pixels p(kW, kH);
    verticalGradient(p, 0, 0, kW, kH, rgb(214, 218, 224), rgb(150, 156, 166));
    hline(p, 0, kW - 1, 0, rgb(110, 114, 122));
    vline(p, 0, 0, kH - 1, rgb(110, 114, 122));
    // The dial, centred on pixel (18,12).
    const double cx = 18.5, cy = 12.5;
    fillCircleAA(p, cx + 0.4, cy + 0.5, 10.9, rgb(120, 126, 136));  // soft shadow
    fillCircleAA(p, cx, cy, 10.6, rgb(70, 74, 84));
    fillCircleAA(p, cx, cy, 9.7, rgb(252, 252, 248));
    for (int h = 0; h < 12; ++h) {
        const double a = h * std::numbers::pi / 6;
        const bool quarter = h % 3 == 0;
        const double r0 = quarter ? 6.5 : 7.7, r1 = 9.3;
        lineAA(p, cx + r0 * std::sin(a), cy - r0 * std::cos(a), cx + r1 * std::sin(a), cy - r1 * std::cos(a),
               quarter ? 1.4 : 0.9, quarter ? rgb(30, 32, 40) : rgb(90, 94, 104));
    }
    fillCircleAA(p, cx, cy, 1.3, rgb(40, 42, 50));
    // The quiet panel for date and time lines.
    fillRect(p, 35, 1, 24, 21, rgb(232, 230, 206));
    insetRim(p, 35, 1, 24, 21, rgb(108, 110, 100), rgb(246, 246, 240));
    return p;
}

}  // namespace vel::skingen
