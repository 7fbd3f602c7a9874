// Commands for the machine, time, the mouse, message boxes, settings and
// the registry, windows and controls, and snapshots.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/app.h"
#include "core/frm_hidden.h"
#include "core/inifile.h"
#include "core/frm_splash.h"
#include "core/registry_helpers.h"
#include "core/startup.h"
#include "gfx/png.h"
#include "forms/runtime.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_sources.h"
#include "scenario/commands.h"

namespace vel {

namespace {

// A path under the program folder as "<folder>/rest", so transcripts do
// not depend on where the scenario ran.
std::string inProgramFolder(const ScenarioContext& c, const std::string& path) {
    const std::string& folder = c.programFolder;
    if (!folder.empty() && path.compare(0, folder.size(), folder) == 0) return "<folder>" + path.substr(folder.size());
    return path;
}

using platform::mb::IdNo;
using platform::mb::IdOk;
using platform::mb::IdYes;

platform::RegRoot parseRoot(const std::string& path, std::string& subKey) {
    auto slash = path.find('\\');
    std::string root = path.substr(0, slash);
    subKey = slash == std::string::npos ? "" : path.substr(slash + 1);
    if (root == "HKCU" || root == "HKEY_CURRENT_USER") return platform::RegRoot::CurrentUser;
    if (root == "HKLM" || root == "HKEY_LOCAL_MACHINE") return platform::RegRoot::LocalMachine;
    if (root == "HKDD" || root == "HKEY_DYN_DATA") return platform::RegRoot::DynData;
    throw ScenarioError("unknown registry root: " + root);
}

std::string join(const Args& a, std::size_t from) {
    std::string s;
    for (std::size_t i = from; i < a.size(); ++i) s += (i > from ? " " : "") + a[i];
    return s;
}

std::string escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

std::string iniFile(ScenarioContext& ctx) {
    return (std::filesystem::path(ctx.programFolder) / "velmora.ini").string();
}

// The running program's settings file, or before "start" one of our own.
template <class F>
auto withIniFile(ScenarioContext& ctx, F&& f) {
    if (ctx.app && !ctx.app->settingsFile.path().empty()) return f(ctx.app->settingsFile);
    IniFile own(ctx.sim.files(), iniFile(ctx));
    return f(own);
}

void printWindow(ScenarioContext& ctx, const forms::Form& f) {
    const platform::SimWindow* w = f.loaded() ? ctx.sim.window(f.window()) : nullptr;
    ctx.out << f.name() << " loaded=" << (f.loaded() ? 1 : 0);
    if (f.loaded()) {
        ctx.out << " left=" << f.left() << " top=" << f.top() << " alpha=" << static_cast<int>(f.alpha())
                << " topmost=" << (w && w->topMost ? 1 : 0) << " visible=" << (w && w->visible ? 1 : 0)
                << " region=" << (f.hasRegion() ? f.region().rects.size() : 0);
    }
    ctx.out << "\n";
}

std::vector<forms::Form*> allForms(App& app) {
    std::vector<forms::Form*> forms;
    if (app.splash) forms.push_back(app.splash.get());
    if (app.engine) forms.push_back(app.engine.get());
    for (int i = 0; i < static_cast<int>(WindowSlot::Count); ++i)
        if (forms::Form* f = app.window(static_cast<WindowSlot>(i))) forms.push_back(f);
    return forms;
}

void mouseOn(ScenarioContext& ctx, const Args& a, int& x, int& y) {
    forms::Form& f = ctx.form(arg(a, 1));
    if (!f.loaded()) throw ScenarioError(f.name() + " is not loaded");
    forms::Control& c = ctx.control(f, arg(a, 2));
    ctx.controlCentre(c, x, y);
    if (a.size() >= 5) {
        int ox = 0, oy = 0;
        c.windowOrigin(ox, oy);
        platform::Rect r = ctx.sim.windowRect(f.window());
        const platform::Point p = ctx.sim.toDevice({r.left + ox + argInt(a, 3), r.top + oy + argInt(a, 4)});
        x = p.x;
        y = p.y;
    }
}

// Puts the mouse over the control the arguments name; returns where.
platform::Point hoverOn(ScenarioContext& ctx, const Args& a) {
    int x, y;
    mouseOn(ctx, a, x, y);
    ctx.sim.mouseMove(x, y);
    return {x, y};
}

}  // namespace

void registerCoreCommands(CommandTable& t) {
    t["screen"] = [](ScenarioContext& c, const Args& a) { c.sim.setScreenSize(argInt(a, 1), argInt(a, 2)); };
    t["processors"] = [](ScenarioContext& c, const Args& a) {
        c.sim.simSources().setProcessorCount(static_cast<std::uint32_t>(argInt(a, 1)));
    };
    t["tsc"] = [](ScenarioContext& c, const Args& a) {
        c.sim.setTimeStampMhz(static_cast<std::uint32_t>(argInt(a, 1)));
    };
    t["other-instance"] = [](ScenarioContext& c, const Args&) { c.sim.setOtherInstanceRunning(true); };
    t["clock"] = [](ScenarioContext& c, const Args& a) {
        // clock YYYY-MM-DD HH:MM:SS[.mmm]
        platform::SystemTime st;
        if (std::sscanf(arg(a, 1).c_str(), "%d-%d-%d", &st.year, &st.month, &st.day) != 3 ||
            std::sscanf(arg(a, 2).c_str(), "%d:%d:%d.%d", &st.hour, &st.minute, &st.second, &st.milliseconds) < 3)
            throw ScenarioError("clock wants YYYY-MM-DD HH:MM:SS[.mmm]");
        c.sim.setClock(st);
    };
    t["ini"] = [](ScenarioContext& c, const Args& a) {
        // ini KEY VALUE...: written to section MAIN of the program's velmora.ini
        withIniFile(c, [&](IniFile& f) { return f.write("MAIN", arg(a, 1), join(a, 2)); });
    };
    t["ini-text"] = [](ScenarioContext& c, const Args& a) {
        // ini-text LINE...: appends a raw line to velmora.ini
        std::ofstream out(iniFile(c), std::ios::app | std::ios::binary);
        out << join(a, 1) << "\r\n";
    };
    t["start"] = [](ScenarioContext& c, const Args&) {
        if (c.app) {
            // A restart is allowed once the program has ended.
            if (!c.sim.exited()) throw ScenarioError("already started");
            c.app.reset();
            c.sim.clearExit();
        }
        c.app = std::make_unique<App>(c.sim);
        c.app->ui.setFullRepaint(c.fullRepaint);
        StartVelmora(*c.app);
    };
    t["advance"] = [](ScenarioContext& c, const Args& a) { c.sim.advance(static_cast<std::uint64_t>(argInt(a, 1))); };
    t["scale"] = [](ScenarioContext& c, const Args& a) {
        // scale N: the desktop's scale, before start; the command line's --scale wins
        const auto scale = platform::parseScale(arg(a, 1));
        if (!scale) throw ScenarioError("scale wants 1, 2 or 3");
        if (c.app) throw ScenarioError("scale comes before start");
        if (!c.scaleFixed) c.sim.setScale(*scale);
    };
    t["cursor"] = [](ScenarioContext& c, const Args& a) {
        const platform::Point p = c.sim.toDevice({argInt(a, 1), argInt(a, 2)});
        c.sim.mouseMove(p.x, p.y);
    };
    t["move"] = [](ScenarioContext& c, const Args& a) { hoverOn(c, a); };
    t["click"] = [](ScenarioContext& c, const Args& a) {
        const platform::Point p = hoverOn(c, a);
        c.sim.mouseDown(p.x, p.y);
        c.sim.mouseUp(p.x, p.y);
    };
    t["press"] = [](ScenarioContext& c, const Args& a) {
        const platform::Point p = hoverOn(c, a);
        c.sim.mouseDown(p.x, p.y);
    };
    t["release"] = [](ScenarioContext& c, const Args& a) {
        int x, y;
        mouseOn(c, a, x, y);
        c.sim.mouseUp(x, y);
    };
    t["dblclick"] = [](ScenarioContext& c, const Args& a) {
        const platform::Point p = hoverOn(c, a);
        c.sim.doubleClick(p.x, p.y);
    };
    t["drag"] = [](ScenarioContext& c, const Args& a) {
        // drag WINDOW CONTROL DX DY: press, move by (DX, DY) pixels, release
        int x, y;
        Args at(a.begin(), a.begin() + 3);
        mouseOn(c, at, x, y);
        c.sim.mouseMove(x, y);
        const platform::Point by = c.sim.toDevice({argInt(a, 3), argInt(a, 4)});
        c.sim.setPendingDrag(by.x, by.y);
        c.sim.mouseDown(x, y);
        c.sim.mouseUp(x + by.x, y + by.y);
    };
    t["end-session"] = [](ScenarioContext& c, const Args&) { c.sim.endUserSession(); };
    t["answer"] = [](ScenarioContext& c, const Args& a) {
        const std::string& w = arg(a, 1);
        c.sim.queueAnswer(w == "yes" ? IdYes : w == "no" ? IdNo : w == "ok" ? IdOk : argInt(a, 1));
    };
    t["print"] = [](ScenarioContext& c, const Args& a) {
        const std::string& what = arg(a, 1);
        if (what == "messages") {
            for (const auto& m : c.sim.messages())
                c.out << "message title=\"" << m.title << "\" style=" << m.style << " text=\"" << escape(m.text)
                      << "\" answer=" << m.answer << "\n";
        } else if (what == "windows") {
            for (forms::Form* f : allForms(c.started())) printWindow(c, *f);
        } else if (what == "edges") {
            // Shown windows only, in pixels: what lines up with what.
            for (forms::Form* f : allForms(c.started())) {
                const platform::SimWindow* w = f->loaded() ? c.sim.window(f->window()) : nullptr;
                if (!w || !w->visible) continue;
                const platform::Rect r = c.sim.windowRect(w->id);
                c.out << f->name() << " left=" << r.left << " top=" << r.top << " right=" << r.right
                      << " bottom=" << r.bottom << "\n";
            }
        } else if (what == "window") {
            printWindow(c, c.form(arg(a, 2)));
        } else if (what == "control") {
            forms::Form& f = c.form(arg(a, 2));
            c.out << f.name() << "." << arg(a, 3) << " " << c.control(f, arg(a, 3)).describe() << "\n";
        } else if (what == "setting") {
            c.out << "ini " << arg(a, 2) << "=" << withIniFile(c, [&](IniFile& f) { return f.read("MAIN", arg(a, 2)); }) << "\n";
        } else if (what == "registry") {
            std::string sub;
            platform::RegRoot root = parseRoot(arg(a, 2), sub);
            RegVariant v = GetValue(c.started().os.registry(), root, sub, a.size() > 3 ? join(a, 3) : "");
            c.out << "registry " << arg(a, 2) << " " << join(a, 3) << "="
                  << (std::holds_alternative<std::monostate>(v) ? "<none>" : regVariantText(v)) << "\n";
        } else if (what == "tooltip") {
            c.out << "tooltip=\"" << c.started().ui.visibleTooltip() << "\"\n";
        } else if (what == "launches") {
            for (const auto& l : c.sim.launches())
                c.out << "launch file=\"" << inProgramFolder(c, l.file) << "\" params=\"" << l.params
                      << "\" show=" << l.showCmd << " result=" << l.result << "\n";
        } else if (what == "trace") {
            for (const auto& e : c.started().trace) c.out << "@" << e.ms << " " << e.event << "\n";
        } else if (what == "time") {
            c.out << "time=" << c.sim.nowMs() << "\n";
        } else if (what == "exit") {
            c.out << "exited=" << (c.sim.exited() ? 1 : 0) << " code=" << c.sim.exitCode() << "\n";
        } else if (what == "fullview") {
            App& app = c.started();
            c.out << "FVScreen=" << app.fullViewNav.screen << " FVSubView=" << app.fullViewNav.subView << " FVSType=" << app.fullViewNav.sType
                  << "\n";
        } else {
            throw ScenarioError("print what? " + what);
        }
    };
    t["snapshot"] = [](ScenarioContext& c, const Args& a) {
        std::filesystem::path p = arg(a, 1);
        if (!gfx::savePng(p.string(), c.sim.snapshot())) throw ScenarioError("cannot write " + p.string());
    };
    t["echo"] = [](ScenarioContext& c, const Args& a) { c.out << join(a, 1) << "\n"; };
}

}  // namespace vel
