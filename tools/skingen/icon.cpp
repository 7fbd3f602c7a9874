#include "tools/skingen/icon.h"

#include <stb_image_write.h>

#include <cmath>
#include <cstdint>
#include <fstream>
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

// Both icons' frame, drawn four times larger on the key colour (the key
// becomes transparency): the graphite bezel and a black face with a light
// rim, 50 units wide, from TOP for HEIGHT units of a 64-unit grid.
Pixels iconFrame(int size, int top, int height) {
    const int s = size * kOversample;
    const double u = s / 64.0;
    const int r = static_cast<int>(u);
    Pixels p(s, s, kKey);
    fillRoundRect(p, 0, 0, s, s, static_cast<int>(12 * u), rgb(6, 6, 8));
    roundGradient(p, r, r, s - 2 * r, s - 2 * r, static_cast<int>(11 * u), rgb(104, 110, 124), rgb(26, 28, 33));
    const int x = static_cast<int>(7 * u), y = static_cast<int>(top * u);
    const int w = static_cast<int>(50 * u), h = static_cast<int>(height * u);
    fillRoundRect(p, x - r, y - r, w + 2 * r, h + 2 * r, static_cast<int>(6 * u), kRimLight);
    fillRoundRect(p, x, y, w, h, static_cast<int>(5 * u), kWell);
    return p;
}

Pixels programIconLarge(int size) {
    Pixels p = iconFrame(size, 8, 38);
    const double u = p.width / 64.0;
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

// The log viewer's: a day of load as a green line over a dim grid, an
// amber one below it, on a face that fills the bezel.
Pixels logscopeIconLarge(int size) {
    Pixels p = iconFrame(size, 7, 50);
    const double u = p.width / 64.0;
    const Colour grid = rgb(30, 62, 36);
    for (int i = 1; i < 5; ++i) {
        lineAA(p, (7 + 10 * i) * u, 9 * u, (7 + 10 * i) * u, 55 * u, 1.2 * u, grid);
        lineAA(p, 9 * u, (7 + 10 * i) * u, 55 * u, (7 + 10 * i) * u, 1.2 * u, grid);
    }
    const double load[] = {44, 40, 42, 30, 33, 20, 26, 15, 22, 17};
    const double free[] = {50, 49, 47, 48, 45, 46, 43, 44, 41, 42};
    for (int i = 0; i + 1 < 10; ++i) {
        const double x0 = (10 + 5 * i) * u, x1 = (15 + 5 * i) * u;
        lineAA(p, x0, free[i] * u, x1, free[i + 1] * u, 2.4 * u, rgb(250, 196, 30));
        lineAA(p, x0, load[i] * u, x1, load[i + 1] * u, 3.2 * u, rgb(40, 210, 60));
    }
    return p;
}

}  // namespace

std::vector<std::uint8_t> programIconRgba(int size, Icon which) {
    const Pixels large = which == Icon::Logscope ? logscopeIconLarge(size) : programIconLarge(size);
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
    return rgba;
}

bool writeProgramIcon(const std::string& path, int size, Icon which) {
    const std::vector<std::uint8_t> rgba = programIconRgba(size, which);
    return stbi_write_png(path.c_str(), size, size, 4, rgba.data(), size * 4) != 0;
}

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A classic icon image: the BITMAPINFOHEADER (twice the height, for the
// colour rows and the mask), BGRA rows bottom-up, then the 1-bit mask that
// systems without alpha draw by.
std::vector<std::uint8_t> bitmapEntry(int size, Icon which) {
    const std::vector<std::uint8_t> rgba = programIconRgba(size, which);
    const int maskStride = (size + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, static_cast<std::uint32_t>(size * 2));
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
    put32(out, 0);   // uncompressed
    put32(out, static_cast<std::uint32_t>(size * size * 4 + maskStride * size));
    for (int i = 0; i < 4; ++i) put32(out, 0);  // resolution and palette: unused
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < size; ++x)
            if (rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3] < 128)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// The large image as a PNG, which Windows Vista and later read in icons.
std::vector<std::uint8_t> pngEntry(int size, Icon which) {
    const std::vector<std::uint8_t> rgba = programIconRgba(size, which);
    std::vector<std::uint8_t> out;
    auto append = [](void* context, void* data, int n) {
        auto* sink = static_cast<std::vector<std::uint8_t>*>(context);
        auto* bytes = static_cast<std::uint8_t*>(data);
        sink->insert(sink->end(), bytes, bytes + n);
    };
    stbi_write_png_to_func(append, &out, size, size, 4, rgba.data(), size * 4);
    return out;
}

}  // namespace

std::vector<std::uint8_t> programIconIco(Icon which) {
    std::vector<std::vector<std::uint8_t>> images;
    for (int size : kIcoSizes) images.push_back(size < 256 ? bitmapEntry(size, which) : pngEntry(size, which));
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // an icon, not a cursor
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = kIcoSizes[i];
        out.push_back(static_cast<std::uint8_t>(size % 256));  // 0 means 256
        out.push_back(static_cast<std::uint8_t>(size % 256));
        out.push_back(0);  // no palette
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}

bool writeProgramIco(const std::string& path, Icon which) {
    const std::vector<std::uint8_t> bytes = programIconIco(which);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace vel::skingen
