// PNG files through stb. Writes are deterministic: stb's encoder has no
// time stamps or random state, and we always write 8-bit RGB.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image.h>
#include <stb_image_write.h>

#include "forms/png.h"

#include <vector>

namespace vel::gfx {

std::optional<Pixels> loadPng(const std::string& path) {
    int w = 0, h = 0, channels = 0;
    unsigned char* raw = stbi_load(path.c_str(), &w, &h, &channels, 3);
    if (!raw) return std::nullopt;
    Pixels image(w, h);
    for (int i = 0; i < w * h; ++i) {
        image.data[static_cast<std::size_t>(i)] = rgb(raw[i * 3], raw[i * 3 + 1], raw[i * 3 + 2]);
    }
    stbi_image_free(raw);
    return image;
}

bool savePng(const std::string& path, const Pixels& image) {
    if (image.empty()) return false;
    std::vector<unsigned char> raw(static_cast<std::size_t>(image.width) * image.height * 3);
    for (std::size_t i = 0; i < image.data.size(); ++i) {
        const Colour c = image.data[i];
        raw[i * 3] = static_cast<unsigned char>(redOf(c));
        raw[i * 3 + 1] = static_cast<unsigned char>(greenOf(c));
        raw[i * 3 + 2] = static_cast<unsigned char>(blueOf(c));
    }
    return stbi_write_png(path.c_str(), image.width, image.height, 3, raw.data(), image.width * 3) != 0;
}

}  // namespace vel::gfx
