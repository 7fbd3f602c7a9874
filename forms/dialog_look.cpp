#include "forms/dialog_look.h"

#include <algorithm>
#include <utility>

namespace vel::forms {

namespace {
void hline(Pixels& s, int x1, int x2, int y, Colour c, const gfx::ClipRect& clip) {
    if (x2 >= x1) gfx::fillRect(s, x1, y, x2 - x1 + 1, 1, c, clip);
}
void vline(Pixels& s, int x, int y1, int y2, Colour c, const gfx::ClipRect& clip) {
    if (y2 >= y1) gfx::fillRect(s, x, y1, 1, y2 - y1 + 1, c, clip);
}

// Outer and inner bevel: top-left colours, then bottom-right colours.
void bevel(Pixels& s, int x, int y, int w, int h, Colour outerTL, Colour outerBR, Colour innerTL, Colour innerBR,
           const gfx::ClipRect& clip) {
    const int r = x + w - 1, b = y + h - 1;
    hline(s, x, r - 1, y, outerTL, clip);
    vline(s, x, y, b - 1, outerTL, clip);
    hline(s, x, r, b, outerBR, clip);
    vline(s, r, y, b, outerBR, clip);
    hline(s, x + 1, r - 2, y + 1, innerTL, clip);
    vline(s, x + 1, y + 1, b - 2, innerTL, clip);
    hline(s, x + 1, r - 1, b - 1, innerBR, clip);
    vline(s, r - 1, y + 1, b - 1, innerBR, clip);
}
}  // namespace

DialogLook systemDialogLook(platform::Platform& os) {
    DialogLook look;
    const std::pair<Colour DialogLook::*, int> kScheme[] = {
        {&DialogLook::window, 5},       {&DialogLook::windowText, 8},  {&DialogLook::selection, 13},
        {&DialogLook::selectionText, 14}, {&DialogLook::face, 15},       {&DialogLook::shadow, 16},
        {&DialogLook::grayText, 17},    {&DialogLook::text, 18},       {&DialogLook::highlight, 20},
        {&DialogLook::darkShadow, 21},  {&DialogLook::light, 22},
    };
    for (const auto& [field, index] : kScheme)
        if (auto c = os.systemColour(index)) look.*field = *c;
    return look;
}

namespace look {

void raisedEdge(const DialogLook& l, Pixels& s, int x, int y, int w, int h, const gfx::ClipRect& clip) {
    bevel(s, x, y, w, h, l.highlight, l.darkShadow, l.light, l.shadow, clip);
}

void pressedEdge(const DialogLook& l, Pixels& s, int x, int y, int w, int h, const gfx::ClipRect& clip) {
    gfx::frameRect(s, x, y, w, h, l.darkShadow);
    gfx::frameRect(s, x + 1, y + 1, w - 2, h - 2, l.shadow);
    (void)clip;
}

void sunkenEdge(const DialogLook& l, Pixels& s, int x, int y, int w, int h, const gfx::ClipRect& clip) {
    bevel(s, x, y, w, h, l.shadow, l.highlight, l.darkShadow, l.light, clip);
}

void etchedRect(const DialogLook& l, Pixels& s, int x, int y, int w, int h, const gfx::ClipRect& clip) {
    const int r = x + w - 1, b = y + h - 1;
    hline(s, x, r - 1, y, l.shadow, clip);
    vline(s, x, y, b - 1, l.shadow, clip);
    hline(s, x, r - 1, b - 1, l.shadow, clip);
    vline(s, r - 1, y, b - 1, l.shadow, clip);
    hline(s, x + 1, r - 2, y + 1, l.highlight, clip);
    vline(s, x + 1, y + 1, b - 2, l.highlight, clip);
    hline(s, x, r, b, l.highlight, clip);
    vline(s, r, y, b, l.highlight, clip);
}

void focusRect(const DialogLook& l, Pixels& s, int x, int y, int w, int h, const gfx::ClipRect& clip) {
    const Colour c = l.text;
    auto dot = [&](int px, int py) {
        if (px >= clip.left && px < clip.right && py >= clip.top && py < clip.bottom && ((px + py) & 1) == 0)
            gfx::setPixel(s, px, py, c);
    };
    for (int i = x; i < x + w; ++i) {
        dot(i, y);
        dot(i, y + h - 1);
    }
    for (int j = y; j < y + h; ++j) {
        dot(x, j);
        dot(x + w - 1, j);
    }
}

void text(const DialogLook& l, gfx::TextBackend* system, Pixels& s, int x, int y, std::string_view t,
          const gfx::FontSpec& font, bool enabled, const gfx::ClipRect& clip) {
    if (enabled) {
        gfx::drawText(s, x, y, t, font, l.text, clip, system);
        return;
    }
    gfx::drawText(s, x + 1, y + 1, t, font, l.highlight, clip, system);
    gfx::drawText(s, x, y, t, font, l.shadow, clip, system);
}

void text(const DialogLook& l, gfx::TextBackend* system, Pixels& s, int x, int y, std::string_view t, bool enabled,
          const gfx::ClipRect& clip) {
    text(l, system, s, x, y, t, l.font, enabled, clip);
}

PlacedLine fittedText(const DialogLook& l, gfx::TextBackend* system, Pixels& s, const gfx::ClipRect& box, int y,
                      Alignment align, std::string_view t, bool enabled, const gfx::ClipRect& clip) {
    // The embossed copy lies one pixel right and down.
    const PlacedLine p = placeLine(l.font, t, box, y, align, system, enabled ? 0 : 1);
    if (p.shown) text(l, system, s, p.x, p.y, t, p.font, enabled, clip);
    return p;
}

int textWidth(const DialogLook& l, gfx::TextBackend* system, std::string_view t) {
    return gfx::measureText(l.font, t, system).width;
}
int textHeight(const DialogLook& l) { return gfx::lineHeight(l.font); }

void arrow(Pixels& s, int x, int y, int w, int h, Arrow dir, Colour c, const gfx::ClipRect& clip) {
    // A triangle of depth 3 (base 7) or smaller when the box is small.
    const bool vertical = dir == Arrow::Up || dir == Arrow::Down;
    const int depth = std::max(1, std::min(4, (vertical ? std::min(w, h * 2) : std::min(h, w * 2)) / 4));
    const int cx = x + w / 2, cy = y + h / 2;
    for (int i = 0; i < depth; ++i) {
        const int half = (dir == Arrow::Up || dir == Arrow::Left) ? i : depth - 1 - i;
        if (vertical) {
            const int row = cy - depth / 2 + i;
            hline(s, cx - half, cx + half, row, c, clip);
        } else {
            const int col = cx - depth / 2 + i;
            vline(s, col, cy - half, cy + half, c, clip);
        }
    }
}

}  // namespace look

}  // namespace vel::forms
