// Commands for the dialog controls: open the options dialog, keys, the
// wheel, the close button, and prints of a control's state and the focus.
#include <sstream>

#include "core/app.h"
#include "core/frm_main.h"
#include "forms/buttons.h"
#include "forms/combo_box.h"
#include "forms/frame.h"
#include "forms/graphic_controls.h"
#include "forms/range_controls.h"
#include "platform/sim/sim_platform.h"
#include "scenario/commands.h"

namespace vel {

namespace {

int keyCode(const std::string& name) {
    static const std::pair<const char*, int> kKeys[] = {
        {"tab", 9},    {"enter", 13},    {"esc", 27},   {"space", 32}, {"pageup", 33}, {"pagedown", 34},
        {"end", 35},   {"home", 36},     {"left", 37},  {"up", 38},    {"right", 39},  {"down", 40},
        {"f4", 115},
    };
    for (const auto& [n, code] : kKeys)
        if (name == n) return code;
    throw ScenarioError("unknown key: " + name + " (tab enter esc space pageup pagedown end home left up right down f4)");
}

int modifiers(const Args& a, std::size_t from) {
    int shift = 0;
    for (std::size_t i = from; i < a.size(); ++i) {
        if (a[i] == "shift") shift |= 1;
        else if (a[i] == "ctrl") shift |= 2;
        else if (a[i] == "alt") shift |= 4;
        else throw ScenarioError("unknown modifier: " + a[i] + " (shift ctrl alt)");
    }
    return shift;
}

forms::Form& loadedForm(ScenarioContext& c, const std::string& name) {
    forms::Form& f = c.form(name);
    if (!f.loaded()) throw ScenarioError(name + " is not loaded");
    return f;
}

const char* yesNo(bool v) { return v ? "1" : "0"; }

// The state a user can see of one control, in one line.
std::string stateOf(const forms::Control& c) {
    std::ostringstream out;
    out << "visible=" << yesNo(c.visible()) << " shown=" << yesNo(c.shown()) << " enabled=" << yesNo(c.enabled())
        << " focus=" << yesNo(c.hasFocus());
    if (auto* box = dynamic_cast<const forms::CheckBox*>(&c)) {
        out << " value=" << box->value() << " caption=\"" << box->caption() << "\"";
    } else if (auto* opt = dynamic_cast<const forms::OptionButton*>(&c)) {
        out << " value=" << yesNo(opt->value()) << " caption=\"" << opt->caption() << "\"";
    } else if (auto* button = dynamic_cast<const forms::CommandButton*>(&c)) {
        out << " caption=\"" << button->caption() << "\" default=" << yesNo(button->isDefault());
    } else if (auto* range = dynamic_cast<const forms::RangeControl*>(&c)) {
        out << " value=" << range->value() << " min=" << range->min() << " max=" << range->max();
        if (auto* slider = dynamic_cast<const forms::Slider*>(&c))
            out << " small=" << slider->smallChange() << " large=" << slider->largeChange();
    } else if (auto* list = dynamic_cast<const forms::ComboBox*>(&c)) {
        out << " index=" << list->listIndex() << " text=\"" << list->text() << "\" dropped=" << yesNo(list->dropped())
            << " list=";
        for (int i = 0; i < list->listCount(); ++i) out << (i ? "|" : "") << list->list()[static_cast<std::size_t>(i)];
    } else if (auto* tabs = dynamic_cast<const forms::TabStrip*>(&c)) {
        out << " tab=" << tabs->selectedIndex();
        if (tabs->selectedIndex() > 0)
            out << " caption=\"" << tabs->tabs()[static_cast<std::size_t>(tabs->selectedIndex() - 1)].caption << "\"";
    } else if (auto* frame = dynamic_cast<const forms::Frame*>(&c)) {
        out << " caption=\"" << frame->caption() << "\"";
    } else if (auto* label = dynamic_cast<const forms::Label*>(&c)) {
        out << " caption=\"" << label->caption() << "\"";
    } else if (auto* image = dynamic_cast<const forms::Image*>(&c)) {
        out << " picture=" << image->picture().width << "x" << image->picture().height;
    }
    return out.str();
}

}  // namespace

void registerOptionsCommands(CommandTable& t) {
    t["options"] = [](ScenarioContext& c, const Args&) {
        App& app = c.started();
        if (!app.mainBar || !app.mainBar->loaded()) throw ScenarioError("the main bar is not loaded");
        app.mainBar->btnOpt_Click(2);
    };
    t["key"] = [](ScenarioContext& c, const Args& a) {
        // key WINDOW KEY [shift] [ctrl] [alt]
        forms::Form& f = loadedForm(c, arg(a, 1));
        c.sim.keyDown(f.window(), keyCode(arg(a, 2)), modifiers(a, 3));
    };
    t["wheel"] = [](ScenarioContext& c, const Args& a) {
        // wheel WINDOW CONTROL NOTCHES (positive away from the user)
        forms::Form& f = loadedForm(c, arg(a, 1));
        forms::Control& control = c.control(f, arg(a, 2));
        int x = 0, y = 0;
        c.controlCentre(control, x, y);
        c.sim.mouseMove(x, y);
        c.sim.mouseWheel(x, y, argInt(a, 3) * 120);
    };
    t["close"] = [](ScenarioContext& c, const Args& a) { c.sim.closeButton(loadedForm(c, arg(a, 1)).window()); };

    CommandHandler earlierPrint = t["print"];
    t["print"] = [earlierPrint](ScenarioContext& c, const Args& a) {
        const std::string& what = arg(a, 1);
        if (what == "state") {
            // print state WINDOW CONTROL...
            forms::Form& f = c.form(arg(a, 2));
            for (std::size_t i = 3; i < a.size(); ++i)
                c.out << f.name() << "." << a[i] << " " << stateOf(c.control(f, a[i])) << "\n";
            if (a.size() < 4) throw ScenarioError("print state WINDOW CONTROL...");
        } else if (what == "focus" && a.size() == 2) {
            const platform::SimWindow* w = c.sim.window(c.sim.focusedWindow());
            c.out << "focus=" << (w ? w->name : "none") << "\n";
        } else if (what == "focus") {
            forms::Form& f = c.form(arg(a, 2));
            const forms::Control* focused = f.focusedControl();
            c.out << f.name() << " focus=" << (focused ? focused->qualifiedName() : "none") << "\n";
        } else {
            earlierPrint(c, a);
        }
    };
}

}  // namespace vel
