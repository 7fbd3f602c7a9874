#include "forms/repaint_area.h"

#include <algorithm>
#include <cstring>

namespace vel::forms {

platform::Rect unite(const platform::Rect& a, const platform::Rect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

namespace {
const Colour* row(const Pixels& p, int x, int y) {
    return p.data.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) + x;
}
}  // namespace

void copyArea(const Pixels& from, const platform::Rect& area, Pixels& to) {
    const int w = area.width(), h = area.height();
    // Resizing within the capacity: a warm tick does not allocate.
    to.width = w;
    to.height = h;
    to.data.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        std::memcpy(to.data.data() + static_cast<std::size_t>(y) * w, row(from, area.left, area.top + y),
                    static_cast<std::size_t>(w) * sizeof(Colour));
}

platform::Rect changedPart(const Pixels& now, const Pixels& before, const platform::Rect& area) {
    const int w = area.width(), h = area.height();
    const std::size_t rowBytes = static_cast<std::size_t>(w) * sizeof(Colour);
    auto rowDiffers = [&](int y) { return std::memcmp(row(now, area.left, area.top + y), row(before, 0, y), rowBytes) != 0; };
    int top = 0;
    while (top < h && !rowDiffers(top)) ++top;
    if (top == h) return {};
    int bottom = h;
    while (!rowDiffers(bottom - 1)) --bottom;
    int left = w, right = 0;
    for (int y = top; y < bottom; ++y) {
        const Colour* a = row(now, area.left, area.top + y);
        const Colour* b = row(before, 0, y);
        int x = 0;
        while (x < left && a[x] == b[x]) ++x;
        left = std::min(left, x);
        int r = w;
        while (r > right && a[r - 1] == b[r - 1]) --r;
        right = std::max(right, r);
    }
    return {area.left + left, area.top + top, area.left + right, area.top + bottom};
}

}  // namespace vel::forms
