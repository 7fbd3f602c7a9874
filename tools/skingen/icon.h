// The program's icon for desktop menus: a small meter in the skins' bezel.
#pragma once

#include <string>

namespace vel::skingen {

// Writes the icon at SIZE as an RGBA PNG with smooth, transparent corners.
bool writeProgramIcon(const std::string& path, int size);

}  // namespace vel::skingen
