// The icons for desktop menus and velmora.exe: the program's, a small meter
// in the skins' bezel, and the log viewer's, a chart in the same bezel.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vel::skingen {

enum class Icon { Velmora, Logscope };

// The icon at SIZE x SIZE as RGBA rows, with smooth, transparent corners.
std::vector<std::uint8_t> programIconRgba(int size, Icon which = Icon::Velmora);
// Writes the icon at SIZE as an RGBA PNG.
bool writeProgramIcon(const std::string& path, int size, Icon which = Icon::Velmora);

// The sizes of the Windows programs' icons (app/velmora.ico, app/logscope.ico).
inline constexpr std::array<int, 4> kIcoSizes{16, 32, 48, 256};
// The Windows icon file: 32-bit bitmaps with masks for the small sizes, so
// that every Windows shows them, and a PNG for 256.
std::vector<std::uint8_t> programIconIco(Icon which = Icon::Velmora);
bool writeProgramIco(const std::string& path, Icon which = Icon::Velmora);

}  // namespace vel::skingen
