// The names of the module styles, as the options dialog lists them.
#pragma once

#include <array>
#include <string_view>

namespace vel {

constexpr int kCpuStyleCount = 18;
constexpr int kColourStyleCount = 5;  // network, memory and mouse modules

// Indexed by style code (mTyp for the CPU modules).
const std::array<std::string_view, kCpuStyleCount>& cpuStyleNames();
const std::array<std::string_view, kColourStyleCount>& networkStyleNames();
const std::array<std::string_view, kColourStyleCount>& memoryStyleNames();
const std::array<std::string_view, kColourStyleCount>& mouseStyleNames();

}  // namespace vel
