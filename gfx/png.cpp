// PNG files through stb. Writes are deterministic: stb's encoder has no
// time stamps or random state, and we always write 8-bit RGB.
#include <cstddef>
#include <cstdlib>

namespace {

// What one request of the decoder may take while it decodes the current
// picture; set from the picture's declared size by decodePng.
thread_local std::size_t decoderBudget = 0;

void* decoderMalloc(std::size_t size) { return size <= decoderBudget ? std::malloc(size) : nullptr; }
void* decoderRealloc(void* p, std::size_t size) { return size <= decoderBudget ? std::realloc(p, size) : nullptr; }

}  // namespace

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_MALLOC(size) decoderMalloc(size)
#define STBI_REALLOC(p, size) decoderRealloc(p, size)
#define STBI_FREE(p) std::free(p)
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image.h>
#include <stb_image_write.h>

#include "gfx/png.h"

#include <cstdint>
#include <vector>

namespace vel::gfx {

namespace {

// Skins are a few hundred pixels a side and a few kilobytes.
constexpr std::size_t kMostFileBytes = std::size_t{16} << 20;
constexpr std::uint32_t kMostSide = 4096;

std::uint32_t bigEndian(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
}

// The file as stb may safely see it, or nothing. stb 2.27 reserves what an
// IDAT chunk declares before reading it (2 GiB for a damaged length) and
// hands a null buffer to memcpy when the first IDAT is empty, so every
// chunk must lie within the file, and empty IDATs, which carry nothing,
// are left out.
std::optional<std::string> checkedPng(std::string_view bytes) {
    static constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
    if (bytes.size() > kMostFileBytes || bytes.size() < 8 + 25 || bytes.substr(0, 8) != std::string_view(kSignature, 8))
        return std::nullopt;
    // The header chunk comes first: 13 bytes, width and height leading.
    if (bigEndian(bytes.data() + 8) != 13 || bytes.substr(12, 4) != "IHDR") return std::nullopt;
    const std::uint32_t width = bigEndian(bytes.data() + 16), height = bigEndian(bytes.data() + 20);
    if (width == 0 || height == 0 || width > kMostSide || height > kMostSide) return std::nullopt;

    std::string kept;
    std::size_t at = 8, copiedTo = 0;
    for (;;) {
        if (bytes.size() - at < 12) return std::nullopt;  // ends before IEND
        const std::uint32_t length = bigEndian(bytes.data() + at);
        const std::string_view type = bytes.substr(at + 4, 4);
        if (length > bytes.size() - at - 12) return std::nullopt;
        const std::size_t next = at + 12 + length;
        if (type == "IDAT" && length == 0) {
            kept.append(bytes.substr(copiedTo, at - copiedTo));
            copiedTo = next;
        }
        if (type == "IEND") break;
        at = next;
    }
    kept.append(bytes.substr(copiedTo));
    return kept;
}

}  // namespace

std::optional<Pixels> decodePng(std::string_view bytes) {
    const auto safe = checkedPng(bytes);
    if (!safe) return std::nullopt;
    // No request for a sound picture passes this: 8 bytes a pixel (16-bit
    // RGBA), a filter byte a row, the compressed data twice over. More is
    // damaged data asking to be expanded (a 600 KB file can ask for 600 MB).
    const std::size_t width = bigEndian(safe->data() + 16), height = bigEndian(safe->data() + 20);
    decoderBudget = 8 * width * height + height + 2 * safe->size() + (std::size_t{64} << 10);
    int w = 0, h = 0, channels = 0;
    unsigned char* raw = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(safe->data()),
                                               static_cast<int>(safe->size()), &w, &h, &channels, 3);
    if (!raw) return std::nullopt;
    Pixels image(w, h);
    for (int i = 0; i < w * h; ++i) {
        image.data[static_cast<std::size_t>(i)] = rgb(raw[i * 3], raw[i * 3 + 1], raw[i * 3 + 2]);
    }
    stbi_image_free(raw);
    return image;
}

std::optional<Pixels> loadPng(FileReader& files, const std::string& path) {
    // A file past the bound is not read whole, and is refused like any other.
    const auto bytes = files.readFile(path, kMostFileBytes);
    if (!bytes) return std::nullopt;
    return decodePng(*bytes);
}

namespace {
std::vector<unsigned char> rgbBytes(const Pixels& image) {
    std::vector<unsigned char> raw(static_cast<std::size_t>(image.width) * image.height * 3);
    for (std::size_t i = 0; i < image.data.size(); ++i) {
        const Colour c = image.data[i];
        raw[i * 3] = static_cast<unsigned char>(redOf(c));
        raw[i * 3 + 1] = static_cast<unsigned char>(greenOf(c));
        raw[i * 3 + 2] = static_cast<unsigned char>(blueOf(c));
    }
    return raw;
}
}  // namespace

bool savePng(const std::string& path, const Pixels& image) {
    if (image.empty()) return false;
    const std::vector<unsigned char> raw = rgbBytes(image);
    return stbi_write_png(path.c_str(), image.width, image.height, 3, raw.data(), image.width * 3) != 0;
}

std::string encodePng(const Pixels& image) {
    std::string out;
    if (image.empty()) return out;
    const std::vector<unsigned char> raw = rgbBytes(image);
    const auto append = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
    };
    if (!stbi_write_png_to_func(append, &out, image.width, image.height, 3, raw.data(), image.width * 3)) out.clear();
    return out;
}

}  // namespace vel::gfx
