// Every text of the options dialog and the Full View stays inside its
// control's box when the system's fonts draw it: the program runs on the
// simulated machine with GDI's text installed, each control that shows
// text is painted alone on a marked ground with nothing clipping it, and
// any pixel it touches outside its box is a clip a user would see.
#include <cstdio>
#include <string>

#include "core/frm_main.h"
#include "core/startup.h"
#include "forms/buttons.h"
#include "forms/combo_box.h"
#include "forms/frame.h"
#include "forms/graphic_controls.h"
#include "fullview/frm_fullview.h"
#include "harness.h"
#include "options/frm_options.h"
#include "platform/win32/win32_text.h"
#include "support.h"
#include "tests/support/control_spill.h"
#include "tests/support/sim_machine.h"

using namespace vel;

namespace {

// What a control shows as text ("" for a control that shows none).
std::string textOf(const forms::Control& c) {
    if (auto* l = dynamic_cast<const forms::Label*>(&c)) return l->caption();
    if (auto* b = dynamic_cast<const forms::CaptionedControl*>(&c)) return b->caption();
    if (auto* f = dynamic_cast<const forms::Frame*>(&c)) return f->caption();
    std::string tabs;
    if (auto* t = dynamic_cast<const forms::TabStrip*>(&c))
        for (const auto& tab : t->tabs()) tabs += (tabs.empty() ? "" : "|") + tab.caption;
    return tabs;
}

struct Walk {
    std::string where;
    int checked = 0;

    void check(const forms::Control& c, const std::string& text) {
        ++checked;
        const test::Spill s = test::spillOf(c);
        if (!s.any()) return;
        char line[400];
        std::snprintf(line, sizeof line, "%s: %s \"%s\" (%dx%d) leaves its box by %d left, %d top, %d right, %d bottom",
                      where.c_str(), c.qualifiedName().c_str(), text.c_str(), c.width(), c.height(), s.left, s.top,
                      s.right, s.bottom);
        ::wintest::recordFailure(__FILE__, __LINE__, line);
    }

    void control(forms::Control& c) {
        if (!c.shown()) return;
        if (auto* combo = dynamic_cast<forms::ComboBox*>(&c)) {
            // Every entry in turn, as the field shows it.
            const int kept = combo->listIndex();
            for (int i = 0; i < combo->listCount(); ++i) {
                combo->setListIndex(i);
                check(c, combo->text());
            }
            combo->setListIndex(kept);
        } else if (const std::string text = textOf(c); !text.empty()) {
            check(c, text);
        }
        if (auto* box = dynamic_cast<forms::Container*>(&c)) children(*box);
    }

    void children(const forms::Container& box) {
        for (const auto& child : box.children()) control(*child);
    }
};

// The program on the simulated machine, its skins from beside this test
// program, and GDI's text drawing from the moment its forms exist.
struct SystemTextRig {
    platform::win32::GdiText text;  // outlives the program below
    test::SimMachine m{2};

    App& start() {
        wintest::copySkins(m.folder);
        m.iniText("[MAIN]\nVisi8=1\nVisi0=1\nVisi5=1\nVisi6=1\nVisi7=1\nCPUCLOCK=0\nPLCMNT=2\n");
        App& app = m.newApp();
        StartVelmora(app);
        // The runtime installs the backend's text (none on the simulated machine).
        app.ui.setTextBackend(&text);
        m.sim.advance(2000);
        return app;
    }
};

}  // namespace

WTEST(Fit, EveryTextOfTheOptionsDialogStaysInItsBox) {
    SystemTextRig rig;
    App& app = rig.start();
    app.mainBar->btnOpt_Click(2);
    REQUIRE(app.options != nullptr);
    auto& dialog = dynamic_cast<FrmOptions&>(*app.options);
    Walk walk;
    for (int page = 1; page <= dialog.tbsOptions->tabCount(); ++page) {
        dialog.tbsOptions->select(page);
        dialog.tbsOptions_Click();
        walk.where = "options page " + std::to_string(page);
        walk.children(dialog);
    }
    std::printf("  %d texts checked\n", walk.checked);
    CHECK(walk.checked > 80);
}

WTEST(Fit, EveryTextOfTheFullViewStaysInItsBox) {
    SystemTextRig rig;
    App& app = rig.start();
    // The longest brand string the Full View shows.
    app.inventory.processor = {{"64", "9", "3", "1", "3400", "12", "CPU0", "100", "GenuineQuillon",
                                "Quillon(R) Xenon(R) Platinum 9380H CPU @ 3.40GHz", "LGA1700"},
                               {}};
    showFullView(app, fullview::kHardware, 0, 0);
    REQUIRE(app.fullView != nullptr);
    FrmFULLVIEW& fv = *app.fullView;
    struct View {
        int button, subView, option;
    };
    const View views[] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {2, 0, 0}, {2, 0, 1}, {2, 1, 0}, {2, 1, 1},
                          {2, 2, 0}, {2, 2, 1}, {3, 0, 0}, {4, 0, 0}, {4, 1, 0}, {4, 2, 0}};
    Walk walk;
    for (const View& v : views) {
        fv.btnSelect_Click(v.button);
        if (v.subView) fv.btnTSelect_Click(v.subView);
        if (v.option) fv.lblNetOpt_Click(v.option);
        rig.m.sim.advance(1000);
        walk.where = "Full View " + std::to_string(v.button) + "." + std::to_string(v.subView) + "." +
                     std::to_string(v.option);
        walk.children(fv);
    }
    std::printf("  %d texts checked\n", walk.checked);
    CHECK(walk.checked > 200);
}
