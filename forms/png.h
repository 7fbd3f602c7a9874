// PNG reading and writing for skins and snapshots.
#pragma once

#include <optional>
#include <string>

#include "platform/pixels.h"

namespace vel::gfx {

// Alpha is dropped on load: skins carry their transparent colour in pixel (0,0).
std::optional<Pixels> loadPng(const std::string& path);
bool savePng(const std::string& path, const Pixels& image);

}  // namespace vel::gfx
