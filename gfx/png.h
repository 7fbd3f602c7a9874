// PNG reading and writing for skins and snapshots.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gfx/pixels.h"

namespace vel::gfx {

// Alpha is dropped on load: skins carry their transparent colour in pixel (0,0).
// A file over 16 MiB, or a picture over 4096 pixels a side, is refused
// before it is decoded, as is one whose chunks run past its end.
std::optional<Pixels> loadPng(const std::string& path);
std::optional<Pixels> decodePng(std::string_view bytes);
bool savePng(const std::string& path, const Pixels& image);

}  // namespace vel::gfx
