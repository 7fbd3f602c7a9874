// Commands for the Full View: opening it with a navigation state, the
// processor features of the machine, and prints of its screen and sub-view
// buttons, the shown panel's labels, its timers, the memory page's VU
// needles, the counter table, the bar covers and the usage graph.
#include <cstdio>

#include "core/app.h"
#include "fullview/frm_fullview.h"
#include "fullview/memory_page.h"
#include "fullview/network_pages.h"
#include "fullview/processor_pages.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_sources.h"
#include "scenario/commands.h"

namespace vel {

namespace {

FrmFULLVIEW& openFullView(ScenarioContext& c) {
    App& app = c.started();
    if (!app.fullView || !app.fullView->loaded()) throw ScenarioError("the Full View is not open");
    return *app.fullView;
}

// Which picture an image shows, by the file it came from.
std::string pictureName(App& app, const forms::Image& image, std::initializer_list<std::string> files) {
    for (const std::string& f : files)
        if (image.picture() == app.ui.picture(f)) return f;
    return "?";
}

void printButtons(ScenarioContext& c) {
    App& app = c.started();
    FrmFULLVIEW& fv = openFullView(c);
    for (int i = 0; i < 5; ++i) {
        const std::string n = std::to_string(i);
        c.out << "btnSelect(" << i << ") "
              << pictureName(app, *fv.btnSelect[i], {"fv_screen_" + n + ".png", "fv_screen_" + n + "_down.png"})
              << " btnFV=\"" << fv.btnFV[i]->caption() << "\"\n";
    }
    for (int i = 0; i < 3; ++i)
        c.out << "btnTSelect(" << i << ") " << pictureName(app, *fv.btnTSelect[i], {"fv_sub.png", "fv_sub_down.png", "fv_sub_off.png"})
              << " enabled=" << fv.btnTSelect[i]->enabled() << " tip=\"" << fv.btnTSelect[i]->toolTipText()
              << "\" btnTFV=\"" << fv.btnTFV[i]->caption() << "\" enabled=" << fv.btnTFV[i]->enabled() << "\n";
}

// Every shown label of the shown panel, in the order the panel holds them.
void printLabels(ScenarioContext& c) {
    FrmFULLVIEW& fv = openFullView(c);
    const int shown = fv.shownPanel();
    if (shown == fullview::kPanelCount) {
        c.out << "no panel shown\n";
        return;
    }
    const forms::PictureBox& panel = *fv.picMod[shown];
    c.out << "picMod(" << shown << ")\n";
    for (const auto& child : panel.children()) {
        const auto* l = dynamic_cast<const forms::Label*>(child.get());
        if (!l || !l->visible()) continue;
        c.out << "  " << l->qualifiedName() << " \"" << l->caption() << "\"" << (l->enabled() ? "" : " disabled")
              << "\n";
    }
}

void printTimers(ScenarioContext& c) {
    for (forms::Timer* t : openFullView(c).allTimers()) printTimer(c, *t);
}

void printNeedle(ScenarioContext& c, const Args& a) {
    const int index = argInt(a, 3);
    if (index < 0 || index > 3) throw ScenarioError("VU meter 0..3 expected");
    const FvMemoryPage& page = *openFullView(c).memoryPage;
    if (!page.needleValue[index]) {
        c.out << "picTach(" << index << ") not drawn\n";
        return;
    }
    const int value = *page.needleValue[index];
    c.out << "picTach(" << index << ") value=" << value << "\n ";
    for (int i = 0; i <= 20; ++i) {
        const NeedlePoint p = vuNeedlePoint(page.vuLine[index]->x1(), page.vuLine[index]->y2(), value, i);
        char text[40];
        std::snprintf(text, sizeof text, " (%.2f,%.2f)", p.x, p.y);
        c.out << text << (i % 7 == 6 && i < 20 ? "\n " : "");
    }
    c.out << "\n";
}

void printCounters(ScenarioContext& c) {
    const PdhCounterTable& t = openFullView(c).pdh;
    c.out << "counters=" << t.count() << " query=" << (t.isOpen() ? "open" : "closed") << "\n";
    for (int i = 0; i < t.count() && i < PdhCounterTable::kCapacity; ++i)
        c.out << "  " << i << " " << t.entry(i).path << "\n";
}

// The covers of the page shown: the three counter bars of a processor page
// (exact height, then the pixels drawn) or the two activity bars.
void printCovers(ScenarioContext& c) {
    FrmFULLVIEW& fv = openFullView(c);
    const int shown = fv.shownPanel();
    if (shown == fullview::kPanelTCPUDP) {
        for (int i = 0; i < 2; ++i) c.out << "shpTU(" << i << ") " << fv.networkPages->shpTU[i]->height() << "\n";
        return;
    }
    if (shown != fullview::kPanelProcessor && shown != fullview::kPanelSummary)
        throw ScenarioError("no covers on the page shown");
    const FvCounterRows& rows = fv.processorPages->rows[shown == fullview::kPanelProcessor ? 0 : 1];
    for (int i = 0; i < 3; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "%s %.2f (%d px)\n", rows.tag[i]->caption().c_str(), rows.coverHeight[i],
                      rows.cover[i]->height());
        c.out << text;
    }
}

// The graph column the next tick draws and, for each graph, the value of
// its last column and that column's pixels from the top, as grey levels
// (the red channel) where they differ from the background.
void printGraph(ScenarioContext& c) {
    const FvProcessorPages& p = *openFullView(c).processorPages;
    c.out << "column=" << p.graphColumn << "\n";
    const int last = (p.graphColumn + 99) % 100;
    for (int g = 0; g < 2; ++g) {
        c.out << "picGraph(" << g << ") value=" << p.graphValue[g];
        if (p.graphValue[g] >= 0) {
            c.out << " x=" << last << ":";
            for (int y = 0; y < p.picGraph[g]->height(); ++y) {
                const std::int32_t px = p.picGraph[g]->point(last, y);
                if (px != static_cast<std::int32_t>(p.picGraph[g]->backColor())) c.out << " " << y << "=" << (px & 0xFF);
            }
        }
        c.out << "\n";
    }
}

}  // namespace

void registerFullViewCommands(CommandTable& t) {
    t["fullview"] = [](ScenarioContext& c, const Args& a) {
        // fullview SCREEN SUBVIEW STYPE: opens it as a double-click with these values does
        showFullView(c.started(), static_cast<std::int16_t>(argInt(a, 1)), static_cast<std::int16_t>(argInt(a, 2)),
                     static_cast<std::int16_t>(argInt(a, 3)));
    };
    t["feature"] = [](ScenarioContext& c, const Args& a) {
        // feature N 0|1: IsProcessorFeaturePresent(N) answers this from now on
        c.sim.simSources().setFeature(argInt(a, 1), argInt(a, 2) != 0);
    };
    CommandHandler before = t["print"];
    t["print"] = [before](ScenarioContext& c, const Args& a) {
        if (arg(a, 1) == "fullview" && a.size() > 2) {
            const std::string& what = a[2];
            if (what == "buttons") printButtons(c);
            else if (what == "labels") printLabels(c);
            else if (what == "timers") printTimers(c);
            else if (what == "vu") printNeedle(c, a);
            else if (what == "counters") printCounters(c);
            else if (what == "covers") printCovers(c);
            else if (what == "graph") printGraph(c);
            else throw ScenarioError("print fullview buttons|labels|timers|vu N|counters|covers|graph");
            return;
        }
        before(c, a);
    };
}

}  // namespace vel
