// The program's icon for desktop menus and velmora.exe: a small meter in the
// skins' bezel.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vel::skingen {

// The icon at SIZE x SIZE as RGBA rows, with smooth, transparent corners.
std::vector<std::uint8_t> programIconRgba(int size);
// Writes the icon at SIZE as an RGBA PNG.
bool writeProgramIcon(const std::string& path, int size);

// The sizes of velmora.exe's icon (app/velmora.ico).
inline constexpr std::array<int, 4> kIcoSizes{16, 32, 48, 256};
// The Windows icon file: 32-bit bitmaps with masks for the small sizes, so
// that every Windows shows them, and a PNG for 256.
std::vector<std::uint8_t> programIconIco();
bool writeProgramIco(const std::string& path);

}  // namespace vel::skingen
