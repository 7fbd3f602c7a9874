#include "platform/linux/pixel_format.h"

namespace vel::platform::linux_backend {

PixelFormat::PixelFormat(std::uint32_t redMask, std::uint32_t greenMask, std::uint32_t blueMask)
    : red_(channelOf(redMask)), green_(channelOf(greenMask)), blue_(channelOf(blueMask)),
      commonRgb_(redMask == 0xFF0000u && greenMask == 0xFF00u && blueMask == 0xFFu) {}

PixelFormat::Channel PixelFormat::channelOf(std::uint32_t mask) {
    Channel c;
    if (mask == 0) return c;
    while (!(mask & 1u)) {
        mask >>= 1;
        ++c.shift;
    }
    while (mask & 1u) {
        mask >>= 1;
        ++c.bits;
    }
    return c;
}

std::uint32_t PixelFormat::place(int value8, const Channel& c) {
    if (c.bits == 0) return 0;
    std::uint32_t v = c.bits >= 8 ? static_cast<std::uint32_t>(value8) << (c.bits - 8)
                                  : static_cast<std::uint32_t>(value8) >> (8 - c.bits);
    return v << c.shift;
}

int PixelFormat::extract(std::uint32_t native, const Channel& c) {
    if (c.bits == 0) return 0;
    std::uint32_t v = (native >> c.shift) & ((1u << c.bits) - 1u);
    if (c.bits >= 8) return static_cast<int>(v >> (c.bits - 8));
    // Spread the top bits into the low ones so full scale stays 255.
    std::uint32_t scaled = v << (8 - c.bits);
    return static_cast<int>(scaled | (scaled >> c.bits));
}

std::uint32_t PixelFormat::convert(std::uint32_t bgr) const {
    if (commonRgb_) return ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
    return place(bgr & 0xFF, red_) | place((bgr >> 8) & 0xFF, green_) | place((bgr >> 16) & 0xFF, blue_);
}

void PixelFormat::convert(const std::uint32_t* src, std::uint32_t* dst, std::size_t count) const {
    if (commonRgb_) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t c = src[i];
            dst[i] = ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
        }
        return;
    }
    for (std::size_t i = 0; i < count; ++i) dst[i] = convert(src[i]);
}

std::uint32_t PixelFormat::toColour(std::uint32_t native) const {
    return static_cast<std::uint32_t>(extract(native, red_)) |
           (static_cast<std::uint32_t>(extract(native, green_)) << 8) |
           (static_cast<std::uint32_t>(extract(native, blue_)) << 16);
}

}  // namespace vel::platform::linux_backend
