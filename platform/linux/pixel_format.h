// Our 0x00BBGGRR pixels in the layout of an X visual (channel masks of a
// 32-bit-per-pixel TrueColor image).
#pragma once

#include <cstddef>
#include <cstdint>

namespace vel::platform::linux_backend {

class PixelFormat {
public:
    PixelFormat(std::uint32_t redMask, std::uint32_t greenMask, std::uint32_t blueMask);
    std::uint32_t convert(std::uint32_t bgr) const;
    void convert(const std::uint32_t* src, std::uint32_t* dst, std::size_t count) const;
    // Back from the visual's layout (reading screen pixels).
    std::uint32_t toColour(std::uint32_t native) const;

private:
    struct Channel {
        int shift = 0;  // lowest bit of the mask
        int bits = 0;   // width of the mask
    };
    static Channel channelOf(std::uint32_t mask);
    static std::uint32_t place(int value8, const Channel& c);
    static int extract(std::uint32_t native, const Channel& c);
    Channel red_, green_, blue_;
    bool commonRgb_ = false;  // 0x00RRGGBB, the usual 24-bit layout
};

}  // namespace vel::platform::linux_backend
