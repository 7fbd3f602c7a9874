// The module styles. Each CPU style is one row: its name in the options
// dialog, the kind of meter that draws it, the face under the meter, the
// colours and the controls shown over the face. A new style is a new row
// (and, for a new kind of meter, its renderer).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "gfx/pixels.h"

namespace vel {

constexpr int kCpuStyleCount = 18;
constexpr int kColourStyleCount = 5;  // network, memory and mouse modules

enum class CpuMeter { VU, Tach, EKG, Needle, Graph, HBar, HCombo, VBar, VCombo, IMeter };

// The value caption (lblCPU) over the face: its place and colour.
struct CpuCaptionLayout {
    int left, top, width;
    Colour colour;
};
// The cover (shpTC) the bar and tachometer meters move.
struct CpuCoverLayout {
    int left, top, width, height;
    Colour colour;
};

struct CpuStyle {
    std::string_view name;
    CpuMeter meter;
    std::string_view face;  // the picture of the module surface
    std::optional<Colour> needle;  // the VU needle (lnVU) shows, in this colour
    std::optional<Colour> trace;   // the line graph's colour
    std::optional<CpuCaptionLayout> caption;
    std::optional<CpuCoverLayout> cover;
    bool showsNumber = false;  // the module's own caption (lblPNum)
};

// Indexed by style code (mTyp of a CPU module).
const std::array<CpuStyle, kCpuStyleCount>& cpuStyles();
// The row of a style code; nullptr for a code outside the table.
const CpuStyle* cpuStyle(std::int16_t code);

// Indexed by style code (mTyp of the module).
const std::array<std::string_view, kColourStyleCount>& networkStyleNames();
const std::array<std::string_view, kColourStyleCount>& memoryStyleNames();
const std::array<std::string_view, kColourStyleCount>& mouseStyleNames();

}  // namespace vel
