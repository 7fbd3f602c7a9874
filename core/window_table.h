// The program's visible windows, one row each, in the order everything
// walks them: loading and unloading, arranging, waking and fading.
#pragma once

#include <array>
#include <cstddef>

#include "core/settings.h"

namespace vel {

enum class WindowSlot : int {
    Clock = 0, Cpu0, Cpu1, Cpu2, Cpu3, CpuAll, Network, Memory, Mouse, Main, Count
};

constexpr int kWindowCount = static_cast<int>(WindowSlot::Count);
// The main bar has no visibility flag: it always shows.
constexpr int kAlwaysShown = -1;

struct WindowRow {
    WindowSlot slot;
    int visi;  // its flag in Settings::Visi, or kAlwaysShown
    int pos;   // its entry in Settings::PosX / PosY
    // On load the window stacks on the nearest loaded window of the rows
    // from the one before it back to this slot; its own slot means it
    // keeps its saved place whatever the placement mode.
    WindowSlot stacksBackTo;

    // A module window: shown and unloaded by its visibility flag.
    constexpr bool isModule() const { return visi != kAlwaysShown; }
};

// Indexed by slot, which is also the load and arranging order.
inline constexpr std::array<WindowRow, kWindowCount> kWindows{{
    {WindowSlot::Clock, module::kClockVisi, module::kClockPos, WindowSlot::Clock},
    {WindowSlot::Cpu0, 0, 0, WindowSlot::Cpu0},
    {WindowSlot::Cpu1, 1, 1, WindowSlot::Cpu0},
    {WindowSlot::Cpu2, 2, 2, WindowSlot::Cpu0},
    {WindowSlot::Cpu3, 3, 3, WindowSlot::Cpu0},
    {WindowSlot::CpuAll, module::kCpuAll, module::kCpuAll, WindowSlot::Cpu0},
    {WindowSlot::Network, module::kNetwork, module::kNetwork, WindowSlot::Cpu0},
    {WindowSlot::Memory, module::kMemory, module::kMemory, WindowSlot::Cpu0},
    {WindowSlot::Mouse, module::kMouse, module::kMouse, WindowSlot::Cpu0},
    {WindowSlot::Main, kAlwaysShown, module::kMainPos, WindowSlot::Clock},
}};

constexpr const WindowRow& windowRow(WindowSlot slot) { return kWindows[static_cast<std::size_t>(slot)]; }
constexpr WindowSlot cpuSlot(int index) { return static_cast<WindowSlot>(static_cast<int>(WindowSlot::Cpu0) + index); }

// The module window whose visibility flag is visi (Main for none).
constexpr WindowSlot slotOfVisi(int visi) {
    for (const WindowRow& w : kWindows)
        if (w.visi == visi) return w.slot;
    return WindowSlot::Main;
}

}  // namespace vel
