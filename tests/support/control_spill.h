// How far a control's painting reaches past its own box: the control is
// painted alone on a marked ground with nothing clipping it, and every pixel
// it touched outside the box counts. Text that leaves its box is text the
// real clip would cut.
#pragma once

#include <algorithm>

#include "forms/control.h"

namespace vel::test {

struct Spill {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool any() const { return left || top || right || bottom; }
};

inline Spill spillOf(const forms::Control& c) {
    constexpr Colour kGround = rgb(1, 254, 3);
    constexpr int kMargin = 24;
    const int w = c.width(), h = c.height();
    Pixels canvas(w + 2 * kMargin, h + 2 * kMargin, kGround);
    c.paint(canvas, kMargin, kMargin, gfx::ClipRect{0, 0, canvas.width, canvas.height});
    Spill s;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            if (canvas.at(x, y) == kGround) continue;
            s.left = std::max(s.left, kMargin - x);
            s.top = std::max(s.top, kMargin - y);
            s.right = std::max(s.right, x + 1 - (kMargin + w));
            s.bottom = std::max(s.bottom, y + 1 - (kMargin + h));
        }
    return s;
}

}  // namespace vel::test
