// A plain 32-bit pixel buffer shared by the forms runtime and the backends.
// Each pixel is a colour value red + 256 * green + 65536 * blue (0x00BBGGRR),
// the convention every measurement and drawing rule of the program uses.
#pragma once

#include <cstdint>
#include <algorithm>
#include <vector>

namespace vel {

using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<Colour> data;

    Pixels() = default;
    Pixels(int w, int h, Colour fill = 0)
        : width(w > 0 ? w : 0), height(h > 0 ? h : 0),
          data(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

    bool empty() const { return width == 0 || height == 0; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Colour at(int x, int y) const { return data[static_cast<std::size_t>(y) * width + x]; }
    Colour& at(int x, int y) { return data[static_cast<std::size_t>(y) * width + x]; }
    void fill(Colour c) { std::fill(data.begin(), data.end(), c); }
    bool operator==(const Pixels& o) const {
        return width == o.width && height == o.height && data == o.data;
    }
};

}  // namespace vel
