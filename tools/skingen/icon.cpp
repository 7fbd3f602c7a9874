#include "tools/skingen/icon.h"

#include <stb_image_write.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/skingen/art.h"

namespace vel::skingen {

using namespace vel::gfx;

namespace {

constexpr int kOversample = 4;
constexpr double kPi = 3.14159265358979323846;

// The gauge's scale: green, then amber, then red towards full load.
Colour scaleColour(double at) {
    if (at < 0.6) return rgb(40, 210, 60);
    if (at < 0.8) return rgb(250, 196, 30);
    return rgb(236, 56, 44);
}

// Drawn four times larger on the key colour; the key becomes transparency.
Pixels programIconLarge(int size) {
    const int s = size * kOversample;
    const double u = s / 64.0;  // drawn on a 64-unit grid
    Pixels p(s, s, kKey);
    fillRoundRect(p, 0, 0, s, s, static_cast<int>(12 * u), rgb(6, 6, 8));
    roundGradient(p, static_cast<int>(u), static_cast<int>(u), s - 2 * static_cast<int>(u),
                  s - 2 * static_cast<int>(u), static_cast<int>(11 * u), rgb(104, 110, 124), rgb(26, 28, 33));
    // The black face the gauge stands on.
    const int wellX = static_cast<int>(7 * u), wellY = static_cast<int>(8 * u);
    const int wellW = static_cast<int>(50 * u), wellH = static_cast<int>(38 * u);
    fillRoundRect(p, wellX - static_cast<int>(u), wellY - static_cast<int>(u), wellW + 2 * static_cast<int>(u),
                  wellH + 2 * static_cast<int>(u), static_cast<int>(6 * u), kRimLight);
    fillRoundRect(p, wellX, wellY, wellW, wellH, static_cast<int>(5 * u), kWell);
    // A 200-degree scale of ticks around the hub.
    const double cx = 32 * u, cy = 38 * u;
    const double inner = 20 * u, outer = 26 * u;
    constexpr int kTicks = 11;
    for (int i = 0; i < kTicks; ++i) {
        const double at = static_cast<double>(i) / (kTicks - 1);
        const double angle = (190.0 - 200.0 * at) * kPi / 180.0;
        lineAA(p, cx + inner * std::cos(angle), cy - inner * std::sin(angle), cx + outer * std::cos(angle),
               cy - outer * std::sin(angle), 3.2 * u, scaleColour(at));
    }
    // The needle at two thirds of the scale.
    const double needle = (190.0 - 200.0 * 0.66) * kPi / 180.0;
    lineAA(p, cx, cy, cx + 23 * u * std::cos(needle), cy - 23 * u * std::sin(needle), 2.6 * u, rgb(250, 250, 246));
    fillCircleAA(p, cx, cy, 4 * u, rgb(200, 204, 214));
    // Three lamps below the face, as on the network modules.
    const Colour lamps[3] = {rgb(40, 210, 60), rgb(40, 210, 60), rgb(250, 196, 30)};
    for (int i = 0; i < 3; ++i) fillCircleAA(p, (20 + 12 * i) * u, 53 * u, 3.5 * u, lamps[i]);
    return p;
}

}  // namespace

bool writeProgramIcon(const std::string& path, int size) {
    const Pixels large = programIconLarge(size);
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size) * size * 4);
    // Each pixel averages its samples; the key colour's share is transparency.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int r = 0, g = 0, b = 0, n = 0;
            for (int sy = 0; sy < kOversample; ++sy)
                for (int sx = 0; sx < kOversample; ++sx) {
                    const Colour c = large.at(x * kOversample + sx, y * kOversample + sy);
                    if (c == kKey) continue;
                    r += redOf(c), g += greenOf(c), b += blueOf(c), ++n;
                }
            std::uint8_t* out = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            if (n > 0) out[0] = static_cast<std::uint8_t>(r / n), out[1] = static_cast<std::uint8_t>(g / n),
                       out[2] = static_cast<std::uint8_t>(b / n);
            out[3] = static_cast<std::uint8_t>(n * 255 / (kOversample * kOversample));
        }
    return stbi_write_png(path.c_str(), size, size, 4, rgba.data(), size * 4) != 0;
}

}  // namespace vel::skingen
