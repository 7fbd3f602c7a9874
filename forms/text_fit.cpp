#include "forms/text_fit.h"

#include <algorithm>

namespace vel::forms {

namespace {

constexpr double kSmallestPt = 5.25, kStepPt = 0.75;

int alignedX(const gfx::ClipRect& box, int width, Alignment align) {
    switch (align) {
        case Alignment::Right: return box.right - width;
        case Alignment::Center: return box.left + (box.right - box.left - width) / 2;
        case Alignment::Left: break;
    }
    return box.left;
}

// How far [from, to) must move to lie in [low, high); its start wins when
// it is longer than the room.
int shiftInto(int from, int to, int low, int high) {
    int by = 0;
    if (to > high) by = high - to;
    if (from + by < low) by = low - from;
    return by;
}

}  // namespace

PlacedLine placeLine(const gfx::FontSpec& font, std::string_view line, const gfx::ClipRect& box, int y,
                     Alignment align, gfx::TextBackend* system, int spread) {
    PlacedLine p;
    p.font = font;
    p.y = y;
    if (box.right <= box.left || box.bottom <= box.top) {
        p.shown = false;
        return p;
    }
    const int baseline = y + gfx::measureText(font, line, system).ascent;
    for (;;) {
        const gfx::TextMetrics m = gfx::measureText(p.font, line, system);
        p.width = m.width;
        p.x = alignedX(box, m.width, align);
        p.y = baseline - m.ascent;
        gfx::InkBox ink = gfx::inkBox(p.font, line, system);
        if (ink.empty()) return p;
        ink.right += spread;
        ink.bottom += spread;
        const bool inside = p.x + ink.left >= box.left && p.x + ink.right <= box.right &&
                            p.y + ink.top >= box.top && p.y + ink.bottom <= box.bottom;
        if (inside) return p;
        const bool roomEnough =
            ink.right - ink.left <= box.right - box.left && ink.bottom - ink.top <= box.bottom - box.top;
        if (roomEnough || p.font.sizePt <= kSmallestPt) {
            p.x += shiftInto(p.x + ink.left, p.x + ink.right, box.left, box.right);
            p.y += shiftInto(p.y + ink.top, p.y + ink.bottom, box.top, box.bottom);
            return p;
        }
        p.font.sizePt = std::max(kSmallestPt, p.font.sizePt - kStepPt);
    }
}

void drawPlaced(Pixels& s, const PlacedLine& p, std::string_view line, Colour c, const gfx::ClipRect& clip,
                gfx::TextBackend* system) {
    if (p.shown) gfx::drawText(s, p.x, p.y, line, p.font, c, clip, system);
}

}  // namespace vel::forms
