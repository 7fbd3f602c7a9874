// Commands for the memory, network and screen facts of the simulated
// machine, another machine's metrics answers, and prints of the memory,
// network, mouse and clock modules.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/app.h"
#include "modules/frm_clock.h"
#include "modules/frm_mem.h"
#include "modules/frm_mouse.h"
#include "modules/frm_net.h"
#include "modules/image_lists.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_sources.h"
#include "scenario/commands.h"

namespace vel {

std::uint64_t argU64(const Args& a, std::size_t i) {
    const std::string& s = arg(a, i);
    try {
        std::size_t used = 0;
        const unsigned long long v = std::stoull(s, &used);
        if (used == s.size() && s[0] != '-') return v;
    } catch (...) {
    }
    throw ScenarioError("not a whole unsigned number: " + s);
}

std::uint32_t argU32(const Args& a, std::size_t i) {
    const std::uint64_t v = argU64(a, i);
    if (v > 0xFFFFFFFFull) throw ScenarioError("more than 32 bits: " + a[i]);
    return static_cast<std::uint32_t>(v);
}

namespace {

template <class T>
T& module(T* (App::*which)() const, ScenarioContext& c) {
    T* f = (c.started().*which)();
    if (!f) throw ScenarioError("the program has no such module window");
    return *f;
}

std::string colourText(Colour c) {
    std::ostringstream s;
    s << "RGB(" << redOf(c) << "," << greenOf(c) << "," << blueOf(c) << ")";
    return s.str();
}

// The iListNET number whose picture a status control shows, 0 for none.
int netPictureNumber(App& app, const forms::PictureBox& p) {
    for (int n = 1; n <= 35; ++n)
        if (p.picture() == app.ui.picture(netImageFile(n))) return n;
    return 0;
}

void printMemory(ScenarioContext& c) {
    App& app = c.started();
    const MemorySnapshot& s = app.memorySnapshot;
    c.out << "memory TotalPhys=" << s.TotalPhys.text() << " AvailPhys=" << s.AvailPhys.text()
          << " TotalVirtual=" << s.TotalVirtual.text() << " AvailVirtual=" << s.AvailVirtual.text()
          << " TotalPageFile=" << s.TotalPageFile.text() << " AvailPageFile=" << s.AvailPageFile.text()
          << " CombinedLoad=" << s.CombinedLoad.text() << "\n";
    FrmMemory& m = module(&App::memory, c);
    for (int i = 0; i < 4; ++i)
        c.out << "shpMem(" << i << ") height=" << m.shpMem[i]->height() << " cover=" << colourText(m.shpMem[i]->backColor())
              << " tip=\"" << m.shpMem[i]->toolTipText() << "\" bar-tip-same="
              << (m.memMeter[i]->toolTipText() == m.shpMem[i]->toolTipText() ? 1 : 0) << "\n";
}

void printNetwork(ScenarioContext& c) {
    App& app = c.started();
    FrmNetwork& n = module(&App::network, c);
    c.out << "network phase=" << int(n.phase()) << " lights TCP-in=" << n.imgTCP[0]->visible()
          << " TCP-out=" << n.imgTCP[1]->visible() << " UDP-in=" << n.imgUDP[0]->visible()
          << " UDP-out=" << n.imgUDP[1]->visible() << "\n";
    c.out << "imgNetType picture=" << netPictureNumber(app, *n.imgNetType) << " tip=\"" << n.imgNetType->toolTipText()
          << "\"\n";
    c.out << "imgNetStatus picture=" << netPictureNumber(app, *n.imgNetStatus) << " tip=\""
          << n.imgNetStatus->toolTipText() << "\"\n";
}

// A graph row by row: '.' background, '#' foreground, 'R' red.
void printGraph(ScenarioContext& c, const Args& a) {
    FrmNetwork& n = module(&App::network, c);
    const std::string& which = arg(a, 2);
    forms::PictureBox* g = which == "TCP" ? n.TCPGraph : which == "UDP" ? n.UDPGraph : nullptr;
    if (!g) throw ScenarioError("print graph TCP|UDP");
    const Pixels& p = g->image();
    c.out << which << "Graph\n";
    for (int y = 0; y < p.height; ++y) {
        std::string row;
        for (int x = 0; x < p.width; ++x) {
            const Colour px = p.at(x, y);
            row += px == g->backColor() ? '.' : px == g->foreColor() ? '#' : px == rgb(255, 0, 0) ? 'R' : '?';
        }
        c.out << "  " << row << "\n";
    }
}

void printMouse(ScenarioContext& c) {
    FrmMouse& m = module(&App::mouse, c);
    c.out << "mouse swatch=" << colourText(m.shpMSE->backColor()) << " labels=\"" << m.lblRGB[0]->caption() << "\" \""
          << m.lblRGB[1]->caption() << "\" \"" << m.lblRGB[2]->caption() << "\" ink=" << colourText(m.lblRGB[0]->foreColor())
          << "\n";
}

// The dial part of the clock's surface: '.' the face, H, M, S a pixel of
// exactly the hour, minute or second colour, '+' a blend.
void printClock(ScenarioContext& c) {
    FrmClock& k = module(&App::clock, c);
    c.out << "clock labels=\"" << k.lblDate[0]->caption() << "\" \"" << k.lblDate[1]->caption() << "\" \""
          << k.lblDate[2]->caption() << "\"\n";
    const Pixels& img = k.picMod->image();
    const Pixels& face = k.picMod->picture();
    for (int y = 0; y < img.height; ++y) {
        std::string row;
        for (int x = 4; x <= 32 && x < img.width; ++x) {
            const Colour px = img.at(x, y);
            if (face.inside(x, y) && px == face.at(x, y))
                row += '.';
            else
                row += px == rgb(0, 64, 128) ? 'H' : px == rgb(0, 128, 255) ? 'M' : px == rgb(0, 0, 0) ? 'S' : '+';
        }
        c.out << "  " << row << "\n";
    }
}

}  // namespace

void registerModuleCommands(CommandTable& t) {
    t["memory"] = [](ScenarioContext& c, const Args& a) {
        if (arg(a, 1) == "fail") {
            c.sim.simSources().setMemoryFails();
            return;
        }
        platform::MemoryStatusEx m;
        m.totalPhys = argU64(a, 1);
        m.availPhys = argU64(a, 2);
        m.totalVirtual = argU64(a, 3);
        m.availVirtual = argU64(a, 4);
        m.totalPageFile = argU64(a, 5);
        m.availPageFile = argU64(a, 6);
        c.sim.simSources().setMemory(m);
    };
    t["netcount"] = [](ScenarioContext& c, const Args& a) {
        platform::SimSources& s = c.sim.simSources();
        const std::string& proto = arg(a, 1);
        if (proto == "tcp") {
            platform::MibTcpStats tcp;
            s.tcpStatistics(tcp);
            tcp.dwInSegs = argU32(a, 2);
            tcp.dwOutSegs = argU32(a, 3);
            s.setTcp(tcp);
        } else if (proto == "udp") {
            platform::MibUdpStats udp;
            s.udpStatistics(udp);
            udp.dwInDatagrams = argU32(a, 2);
            udp.dwOutDatagrams = argU32(a, 3);
            s.setUdp(udp);
        } else {
            throw ScenarioError("netcount tcp|udp IN OUT");
        }
    };
    t["traffic"] = [](ScenarioContext& c, const Args& a) {
        platform::SimSources& s = c.sim.simSources();
        const std::string& proto = arg(a, 1);
        if (proto == "tcp")
            s.advanceTcp(argU32(a, 2), argU32(a, 3));
        else if (proto == "udp")
            s.advanceUdp(argU32(a, 2), argU32(a, 3));
        else
            throw ScenarioError("traffic tcp|udp IN OUT");
    };
    t["netstats"] = [](ScenarioContext& c, const Args& a) {
        const std::string& how = arg(a, 1);
        if (how != "fail" && how != "ok") throw ScenarioError("netstats fail|ok");
        c.sim.simSources().setNetStatisticsFail(how == "fail");
    };
    t["connection"] = [](ScenarioContext& c, const Args& a) {
        c.sim.simSources().setConnection(argU32(a, 1), arg(a, 2), argInt(a, 3));
    };
    t["http"] = [](ScenarioContext& c, const Args& a) {
        // http URL FILE: later fetches of URL answer the file (relative to the scenario)
        const std::filesystem::path file(arg(a, 2));
        std::ifstream in(file.is_absolute() ? file : std::filesystem::path(c.scenarioDir) / file, std::ios::binary);
        if (!in) throw ScenarioError("cannot read " + arg(a, 2));
        std::ostringstream body;
        body << in.rdbuf();
        c.sim.simHttp().answer(arg(a, 1), body.str());
    };
    t["unplug"] = [](ScenarioContext& c, const Args& a) { c.sim.simHttp().unplug(arg(a, 1)); };
    t["pixel"] = [](ScenarioContext& c, const Args& a) {
        c.sim.setWallpaperPixel(argInt(a, 1), argInt(a, 2), rgb(argInt(a, 3), argInt(a, 4), argInt(a, 5)));
    };
    t["screen-read"] = [](ScenarioContext& c, const Args& a) {
        const std::string& how = arg(a, 1);
        if (how != "fail" && how != "ok") throw ScenarioError("screen-read fail|ok");
        c.sim.setScreenReadFails(how == "fail");
    };
    t["date-names"] = [](ScenarioContext& c, const Args& a) {
        std::istringstream days(arg(a, 1)), months(arg(a, 2));
        platform::LocaleDateNames names;
        for (auto& d : names.days)
            if (!(days >> d)) throw ScenarioError("date-names wants seven day names, Sunday first");
        for (auto& m : names.months)
            if (!(months >> m)) throw ScenarioError("date-names wants twelve month names");
        c.sim.setLocaleDateNames(names);
    };
    CommandHandler earlierPrint = t["print"];
    t["print"] = [earlierPrint](ScenarioContext& c, const Args& a) {
        const std::string& what = arg(a, 1);
        if (what == "memory")
            printMemory(c);
        else if (what == "network")
            printNetwork(c);
        else if (what == "graph")
            printGraph(c, a);
        else if (what == "mouse")
            printMouse(c);
        else if (what == "clock")
            printClock(c);
        else if (earlierPrint)
            earlierPrint(c, a);
        else
            throw ScenarioError("print what? " + what);
    };
}

}  // namespace vel
