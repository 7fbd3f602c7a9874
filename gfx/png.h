// PNG reading and writing for skins and snapshots.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gfx/pixels.h"

namespace vel::gfx {

// Where pictures are read from: the platform's files, so every picture
// comes through the same door as the settings file.
class FileReader {
public:
    virtual ~FileReader() = default;
    // The whole file; nullopt when it cannot be read or holds more than `most` bytes.
    virtual std::optional<std::string> readFile(const std::string& path, std::size_t most) = 0;
};

// Alpha is dropped on load: skins carry their transparent colour in pixel (0,0).
// A file over 16 MiB, or a picture over 4096 pixels a side, is refused
// before it is decoded, as is one whose chunks run past its end.
std::optional<Pixels> loadPng(FileReader& files, const std::string& path);
std::optional<Pixels> decodePng(std::string_view bytes);
bool savePng(const std::string& path, const Pixels& image);
// The same bytes savePng writes; empty for an empty picture.
std::string encodePng(const Pixels& image);

}  // namespace vel::gfx
