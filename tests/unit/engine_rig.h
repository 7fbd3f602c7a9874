// A started program on the simulated machine, with handles on the engine
// and the CPU modules, for the engine and CPU module tests.
#pragma once

#include <ostream>
#include <string>

#include "core/frm_hidden.h"
#include "core/startup.h"
#include "modules/frm_cpu.h"
#include "platform/sim/sim_sources.h"
#include "tests/support/sim_machine.h"

namespace vel::test {

// A window's place in twips, for comparing placements.
struct At {
    double left, top;
    bool operator==(const At&) const = default;
};
inline void PrintTo(const At& a, std::ostream* os) { *os << "(" << a.left << ", " << a.top << ")"; }
inline At at(const forms::Form& f) { return {f.left(), f.top()}; }

class EngineRig {
public:
    explicit EngineRig(int processors = 2) : m(processors) {}

    // Starts the program with these lines in section MAIN of velmora.ini.
    // CPUCLOCK 0 keeps the CPU timer from ticking on its own, so a test
    // steps it by hand unless it sets a period.
    App& start(const std::string& mainLines) {
        std::string text = "[MAIN]\n" + mainLines;
        for (const char* fallback : {"CPUCLOCK=0", "TLUCENTZOn=230", "TLUCENTZOff=90"}) {
            const std::string key = std::string(fallback).substr(0, std::string(fallback).find('=') + 1);
            if (mainLines.find(key) == std::string::npos) text += std::string(fallback) + "\n";
        }
        m.iniText(text);
        App& app = m.newApp();
        StartVelmora(app);
        return app;
    }
    // Settings lines that show all five CPU modules in one style.
    static std::string allCpuModulesIn(int style) {
        std::string lines;
        for (int m = 0; m < 5; ++m)
            lines += "Visi" + std::to_string(m) + "=1\nmTyp" + std::to_string(m) + "=" + std::to_string(style) + "\n";
        return lines;
    }
    App& app() { return *m.app; }
    FrmHidden& engine() { return *m.app->engine; }
    FrmCPU& cpu(int n) { return *m.app->cpu(n); }
    // When the engine loaded: start-up's "Loading modules..." step.
    std::int64_t engineLoadedAt() const {
        for (const auto& e : m.app->trace)
            if (e.event == "status Loading modules...") return static_cast<std::int64_t>(e.ms);
        return -1;
    }
    // The screen pixel at (x, y) inside a control of a loaded window.
    platform::Point screenPoint(const forms::Control& c, int x, int y) {
        int ox = 0, oy = 0;
        c.windowOrigin(ox, oy);
        const platform::Rect r = m.sim.windowRect(c.form()->window());
        return {r.left + ox + x, r.top + oy + y};
    }
    // Presses at (x, y) in the control and lets the simulated desktop's move
    // loop take its window (dx, dy) pixels further before the release.
    void dragBy(const forms::Control& c, int x, int y, int dx, int dy) {
        const platform::Point p = screenPoint(c, x, y);
        m.sim.mouseMove(p.x, p.y);
        m.sim.setPendingDrag(dx, dy);
        m.sim.mouseDown(p.x, p.y);
        m.sim.mouseUp(p.x + dx, p.y + dy);
    }
    void setLoad(int processor, double percent) {
        m.sim.simSources().setLoad(static_cast<std::uint32_t>(processor), percent);
    }

    SimMachine m;
};

}  // namespace vel::test
