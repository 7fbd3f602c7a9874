// Commands for the processor loads and counters of the simulated machine,
// and prints of the engine's timers, sample store and idle state.
#include <sstream>

#include "core/app.h"
#include "core/frm_hidden.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_sources.h"
#include "scenario/commands.h"

namespace vel {

void printTimer(ScenarioContext& c, const forms::Timer& t) {
    c.out << "timer " << t.name() << " enabled=" << (t.enabled() ? 1 : 0) << " interval=" << t.interval()
          << " ticks=" << t.ticks() << "\n";
}

namespace {

FrmHidden& engineOf(ScenarioContext& c) {
    FrmHidden* engine = c.started().engine.get();
    if (!engine) throw ScenarioError("the program has no engine window");
    return *engine;
}

int moduleArg(const Args& a, std::size_t i) {
    int m = argInt(a, i);
    if (m < 0 || m > 4) throw ScenarioError("CPU module index 0..4 expected: " + a[i]);
    return m;
}


void printEngine(ScenarioContext& c) {
    FrmHidden& e = engineOf(c);
    App& app = c.started();
    c.out << "engine loaded=" << (e.loaded() ? 1 : 0) << " NeedlePos=" << e.state.NeedlePos
          << " EkgPos=" << e.state.EkgPos << " all=" << e.allProcessorsValue()
          << " total-counter=" << (e.usesTotalCounter() ? 1 : 0) << " idleCountdown=" << int(app.idle.countdown)
          << " fadePending=" << (app.idle.fadePending ? 1 : 0) << "\n";
    for (const auto& t : e.timers()) printTimer(c, *t);
}

void printIdle(ScenarioContext& c) {
    App& app = c.started();
    platform::Point p = c.sim.cursorPos();
    c.out << "idle countdown=" << int(app.idle.countdown) << " fadePending=" << (app.idle.fadePending ? 1 : 0)
          << " cursor=" << p.x << "," << p.y;
    for (int i = 0; i < static_cast<int>(WindowSlot::Count); ++i) {
        forms::Form* f = app.window(static_cast<WindowSlot>(i));
        if (app.IsFormLoaded(f)) c.out << " " << f->name() << "=" << int(f->alpha());
    }
    c.out << "\n";
}

void printHistory(ScenarioContext& c, const Args& a) {
    const EngineState& s = engineOf(c).state;
    const std::string& which = arg(a, 2);
    const int m = moduleArg(a, 3);
    if (which == "needle") {
        const int from = a.size() > 4 ? argInt(a, 4) : 0;
        const int count = a.size() > 5 ? argInt(a, 5) : 20;
        if (from < 0 || count < 0 || from + count > kNeedleSlots)
            throw ScenarioError("needle slots are 0..999");
        c.out << "needle " << m << " from " << from << ":";
        for (int i = from; i < from + count; ++i) c.out << " " << s.NeedleHistory[m][i];
        c.out << "\n";
    } else if (which == "graph") {
        c.out << "graph " << m << ":";
        for (std::int16_t v : s.GraphHistory[m]) c.out << " " << v;
        c.out << "\n";
    } else {
        throw ScenarioError("print history needle|graph M");
    }
}

}  // namespace

void registerEngineCommands(CommandTable& t) {
    t["load"] = [](ScenarioContext& c, const Args& a) {
        c.sim.simSources().setLoad(static_cast<std::uint32_t>(argInt(a, 1)), argDouble(a, 2));
    };
    t["counter"] = [](ScenarioContext& c, const Args& a) { c.sim.simSources().setCounter(arg(a, 1), argDouble(a, 2)); };
    t["os"] = [](ScenarioContext& c, const Args& a) {
        const std::string& family = arg(a, 1);
        if (family == "nt") {
            c.sim.simSources().setPlatformId(platform::kPlatformWin32NT);
        } else if (family == "9x") {
            c.sim.simSources().setPlatformId(platform::kPlatformWin32Windows);
            c.sim.simSources().declare9x(c.sim.memoryRegistry());
        } else {
            throw ScenarioError("os nt|9x");
        }
    };
    // The engine's prints join the core "print" command.
    CommandHandler corePrint = t["print"];
    t["print"] = [corePrint](ScenarioContext& c, const Args& a) {
        const std::string& what = arg(a, 1);
        if (what == "engine")
            printEngine(c);
        else if (what == "idle")
            printIdle(c);
        else if (what == "history")
            printHistory(c, a);
        else if (corePrint)
            corePrint(c, a);
        else
            throw ScenarioError("print what? " + what);
    };
}

}  // namespace vel
