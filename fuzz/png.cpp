// A skin picture, decoded as the program loads it.
#include "gfx/png.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto picture = vel::gfx::decodePng(std::string_view(reinterpret_cast<const char*>(data), size));
    if (picture)
        vel::fuzz::require(picture->width > 0 && picture->height > 0 && picture->width <= 4096 &&
                               picture->height <= 4096 &&
                               picture->data.size() == static_cast<std::size_t>(picture->width) * picture->height,
                           "a picture outside the bounds, or of the wrong size");
    return 0;
}
