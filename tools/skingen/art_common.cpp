// Shared colours and shading helpers of the artwork.
#include "tools/skingen/art.h"

#include <algorithm>
#include <cstdlib>

namespace vel::skingen {

using namespace vel::gfx;

namespace {

const LcdStyle kStyles[kStyleCount] = {
    {"Black", rgb(0, 0, 0), rgb(0, 193, 1), rgb(0, 0, 0)},
    {"Blue", rgb(103, 186, 218), rgb(5, 57, 115), rgb(103, 186, 218)},
    {"Gold", rgb(252, 211, 93), rgb(127, 127, 127), rgb(255, 234, 150)},
    {"Green", rgb(133, 212, 0), rgb(61, 109, 9), rgb(133, 212, 0)},
    {"Red", rgb(255, 92, 85), rgb(252, 207, 80), rgb(170, 30, 32)},
};

const ClipRect kEverywhere{-10000, -10000, 10000, 10000};

}  // namespace

const LcdStyle& lcdStyle(int index) { return kStyles[std::clamp(index, 0, kStyleCount - 1)]; }

LcdStyle onDial(const LcdStyle& s) {
    LcdStyle d = s;
    d.face = s.dial;
    return d;
}

Colour lighter(Colour c, int amount) { return mix(rgb(255, 255, 255), c, amount); }
Colour darker(Colour c, int amount) { return mix(rgb(0, 0, 0), c, amount); }

void hline(Pixels& p, int x0, int x1, int y, Colour c) {
    fillRect(p, std::min(x0, x1), y, std::abs(x1 - x0) + 1, 1, c);
}

void vline(Pixels& p, int x, int y0, int y1, Colour c) {
    fillRect(p, x, std::min(y0, y1), 1, std::abs(y1 - y0) + 1, c);
}

void text(Pixels& p, int x, int y, const std::string& s, double sizePt, bool bold, Colour c) {
    drawText(p, x, y, s, FontSpec{"Arial", sizePt, bold}, c, kEverywhere);
}

void textCentred(Pixels& p, int cx, int y, const std::string& s, double sizePt, bool bold, Colour c) {
    const FontSpec f{"Arial", sizePt, bold};
    // The last advance carries one pixel of spacing that is not ink.
    const int w = measureText(f, s).width - 1 - (bold ? 1 : 0);
    drawText(p, cx - w / 2, y, s, f, c, kEverywhere);
}

void roundGradient(Pixels& p, int x, int y, int w, int h, int radius, Colour top, Colour bottom) {
    Pixels mask(w, h, 0);
    fillRoundRect(mask, 0, 0, w, h, radius, rgb(255, 255, 255));
    for (int yy = 0; yy < h; ++yy) {
        const Colour c = mix(bottom, top, h > 1 ? yy * 255 / (h - 1) : 0);
        for (int xx = 0; xx < w; ++xx)
            if (mask.at(xx, yy) != 0) setPixel(p, x + xx, y + yy, c);
    }
}

void insetRim(Pixels& p, int x, int y, int w, int h, Colour shadow, Colour light) {
    hline(p, x - 1, x + w - 1, y - 1, shadow);
    vline(p, x - 1, y - 1, y + h - 1, shadow);
    hline(p, x, x + w, y + h, light);
    vline(p, x + w, y, y + h, light);
}

void glossyBezel(Pixels& p, int radius) {
    const int w = p.width, h = p.height;
    p.fill(kKey);
    fillRoundRect(p, 0, 0, w, h, radius, rgb(6, 6, 8));
    roundGradient(p, 1, 1, w - 2, h - 2, radius - 1, rgb(96, 102, 116), rgb(24, 26, 31));
    // Gloss: the upper half catches the light, strongest at the top edge.
    for (int y = 1; y < h / 2; ++y) {
        const int a = 46 - y * 80 / h;
        for (int x = 1; x < w - 1; ++x)
            if (p.at(x, y) != kKey && p.at(x, y) != rgb(6, 6, 8)) p.at(x, y) = lighter(p.at(x, y), std::max(a, 0));
    }
    // A crisp highlight just inside the top of the outline.
    for (int x = radius; x < w - radius; ++x) p.at(x, 1) = rgb(176, 182, 194);
}

void lcdFace(Pixels& p, const LcdStyle& s) {
    p.fill(s.face);
    const Colour edge = darker(s.face, 60);
    hline(p, 0, p.width - 1, 0, s.face == 0 ? rgb(22, 24, 26) : edge);
    vline(p, 0, 0, p.height - 1, s.face == 0 ? rgb(22, 24, 26) : edge);
}

Colour faint(const LcdStyle& s, int amount) { return mix(s.figure, s.face, amount); }

void paintThroughMask(Pixels& p, int x, int y, const Pixels& mask, Colour c) {
    for (int yy = 0; yy < mask.height; ++yy)
        for (int xx = 0; xx < mask.width; ++xx) {
            const int a = redOf(mask.at(xx, yy));
            if (a > 0 && p.inside(x + xx, y + yy)) p.at(x + xx, y + yy) = mix(c, p.at(x + xx, y + yy), a);
        }
}

void paintGradientThroughMask(Pixels& p, int x, int y, const Pixels& mask, Colour top, Colour bottom) {
    for (int yy = 0; yy < mask.height; ++yy) {
        const Colour c = mix(bottom, top, mask.height > 1 ? yy * 255 / (mask.height - 1) : 0);
        for (int xx = 0; xx < mask.width; ++xx) {
            const int a = redOf(mask.at(xx, yy));
            if (a > 0 && p.inside(x + xx, y + yy)) p.at(x + xx, y + yy) = mix(c, p.at(x + xx, y + yy), a);
        }
    }
}

}  // namespace vel::skingen
