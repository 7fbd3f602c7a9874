#include "engine/antialias.h"

#include <algorithm>
#include <cmath>

#include "core/vb.h"
#include "gfx/draw.h"

namespace vel {

namespace {

// One channel of a weighted blend, limited to a byte.
int blendChannel(double weight, int channel, int old) {
    const double v = roundHalfEven(weight * channel + (1.0 - weight) * old);
    return static_cast<int>(std::clamp(v, 0.0, 255.0));
}

// Reads a pixel (outside reads as -1: all channels 255) and writes it back
// blended; pset refuses pixels outside the surface.
void blendPixel(forms::PictureBox& surface, double px, double py, double weight, int red, int green,
                int blue) {
    const auto old = static_cast<std::uint32_t>(surface.point(px, py));
    const int r = blendChannel(weight, red, redOf(old));
    const int g = blendChannel(weight, green, greenOf(old));
    const int b = blendChannel(weight, blue, blueOf(old));
    surface.pset(px, py, rgb(r, g, b));
}

}  // namespace

void AAPlot(forms::PictureBox& surface, double x, double y, std::int16_t red, std::int16_t green,
            std::int16_t blue) {
    const double ix = std::floor(x), iy = std::floor(y);
    const double fx = x - ix, fy = y - iy;
    const double gx = 1.0 - fx, gy = 1.0 - fy;
    blendPixel(surface, ix, iy, gx * gy, red, green, blue);
    blendPixel(surface, ix + 1, iy, fx * gy, red, green, blue);
    blendPixel(surface, ix, iy + 1, gx * fy, red, green, blue);
    blendPixel(surface, ix + 1, iy + 1, fx * fy, red, green, blue);
}

void AlphaBlendPicture(forms::PictureBox& source, forms::PictureBox& destination, std::uint8_t alpha) {
    gfx::alphaBlendStretch(destination.image(), source.image(), alpha);
    destination.invalidate();
}

}  // namespace vel
