// A window region as the rectangles XShape takes (XRectangle's fields:
// 16-bit signed origin, 16-bit unsigned size).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace vel::platform::linux_backend {

struct ShapeRect {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

// Empty and inverted rectangles are dropped; coordinates are clamped to
// what the protocol can carry.
std::vector<ShapeRect> shapeRects(const Region& region);

}  // namespace vel::platform::linux_backend
