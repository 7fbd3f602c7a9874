// The engine rig with handles on the memory, network, mouse and clock
// windows, and a double-click helper on any control.
#pragma once

#include "engine_rig.h"
#include "modules/frm_clock.h"
#include "modules/frm_mem.h"
#include "modules/frm_mouse.h"
#include "modules/frm_net.h"

namespace vel::test {

// A memory status from its six amounts in bytes.
inline platform::MemoryStatusEx memoryStatus(std::uint64_t totalPhys, std::uint64_t availPhys,
                                             std::uint64_t totalVirtual, std::uint64_t availVirtual,
                                             std::uint64_t totalPageFile, std::uint64_t availPageFile) {
    return {.totalPhys = totalPhys, .availPhys = availPhys, .totalPageFile = totalPageFile,
            .availPageFile = availPageFile, .totalVirtual = totalVirtual, .availVirtual = availVirtual};
}

class ModuleRig : public EngineRig {
public:
    using EngineRig::EngineRig;
    FrmMemory& memory() { return *app().memory(); }
    FrmNetwork& network() { return *app().network(); }
    FrmMouse& mouse() { return *app().mouse(); }
    FrmClock& clock() { return *app().clock(); }
    platform::SimSources& sources() { return m.sim.simSources(); }

    // A double-click on a control's pixel (x, y).
    void doubleClick(const forms::Control& c, int x, int y) {
        const platform::Point p = screenPoint(c, x, y);
        m.sim.doubleClick(p.x, p.y);
    }
};

}  // namespace vel::test
