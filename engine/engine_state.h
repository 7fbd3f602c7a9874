// What the engine remembers between CPU ticks for the meter styles.
#pragma once

#include <array>
#include <cstdint>

namespace vel {

constexpr int kNeedleSlots = 1000;
constexpr int kGraphSlots = 42;
constexpr std::int16_t kGraphNoData = 200;

struct EngineState {
    // Index 0-3 the processor modules, 4 the all-processors module.
    std::array<std::array<std::int16_t, kNeedleSlots>, 5> NeedleHistory{};
    std::int16_t NeedlePos = 0;  // 0..999, shared by the five rings
    std::array<std::array<std::int16_t, kGraphSlots>, 5> GraphHistory{};
    std::int16_t EkgPos = 0;  // 0..40

    // The load routine's values.
    void reset() {
        for (auto& ring : NeedleHistory) ring.fill(0);
        for (auto& h : GraphHistory) h.fill(kGraphNoData);
        NeedlePos = 0;
        EkgPos = 0;
    }
};

}  // namespace vel
