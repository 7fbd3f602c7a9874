// Start-up and the loading of the windows.
#pragma once

#include <array>

#include "core/app.h"

namespace vel {

// The module windows in the order they load (and unload), with the index of
// their visibility flag; the clock's flag is the last one.
struct ModuleWindow {
    WindowSlot slot;
    int visi;
};
inline constexpr std::array<ModuleWindow, 9> kModuleLoadOrder{{
    {WindowSlot::Clock, 8},
    {WindowSlot::Cpu0, 0},
    {WindowSlot::Cpu1, 1},
    {WindowSlot::Cpu2, 2},
    {WindowSlot::Cpu3, 3},
    {WindowSlot::CpuAll, 4},
    {WindowSlot::Network, 5},
    {WindowSlot::Memory, 6},
    {WindowSlot::Mouse, 7},
}};

// The start routine. Returns false when the program must end at once
// (another instance runs, or the program was ended during start-up). The
// program then lives on in its windows.
bool StartVelmora(App& app);
// Loads the engine, then the windows whose visibility flag is set, in the
// fixed order, and last the main control bar.
void LoadModules(App& app);
// Creates the window objects (not loaded) and puts them in their slots.
void createWindows(App& app);

}  // namespace vel
