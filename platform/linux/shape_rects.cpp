#include "platform/linux/shape_rects.h"

#include <algorithm>

namespace vel::platform::linux_backend {

std::vector<ShapeRect> shapeRects(const Region& region) {
    constexpr int kMin = -32768, kMax = 32767;
    std::vector<ShapeRect> out;
    out.reserve(region.rects.size());
    for (const Rect& r : region.rects) {
        const int left = std::clamp(r.left, kMin, kMax), right = std::clamp(r.right, kMin, kMax);
        const int top = std::clamp(r.top, kMin, kMax), bottom = std::clamp(r.bottom, kMin, kMax);
        if (right <= left || bottom <= top) continue;
        out.push_back(ShapeRect{static_cast<std::int16_t>(left), static_cast<std::int16_t>(top),
                                static_cast<std::uint16_t>(right - left),
                                static_cast<std::uint16_t>(bottom - top)});
    }
    return out;
}

}  // namespace vel::platform::linux_backend
