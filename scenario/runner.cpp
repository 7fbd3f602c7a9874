#include "scenario/runner.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/app.h"
#include "core/frm_hidden.h"
#include "fullview/frm_fullview.h"
#include "options/frm_options.h"
#include "forms/form.h"
#include "forms/runtime.h"
#include "platform/sim/sim_platform.h"
#include "scenario/commands.h"

namespace vel {

App& ScenarioContext::started() const {
    if (!app) throw ScenarioError("the program has not been started (use: start)");
    return *app;
}

forms::Form& ScenarioContext::form(const std::string& name) const {
    App& a = started();
    for (forms::Form* f : a.ui.loadedForms())
        if (f->name() == name) return *f;
    for (int i = 0; i < static_cast<int>(WindowSlot::Count); ++i)
        if (forms::Form* f = a.window(static_cast<WindowSlot>(i)); f && f->name() == name) return *f;
    if (a.engine && a.engine->name() == name) return *a.engine;
    if (a.fullView && a.fullView->name() == name) return *a.fullView;
    if (a.options && a.options->name() == name) return *a.options;
    throw ScenarioError("no window named " + name);
}

forms::Control& ScenarioContext::control(forms::Form& f, const std::string& reference) const {
    std::string name = reference;
    int index = -1;
    auto open = reference.find('(');
    if (open != std::string::npos && reference.back() == ')') {
        name = reference.substr(0, open);
        index = std::stoi(reference.substr(open + 1, reference.size() - open - 2));
    }
    forms::Control* c = f.find(name, index);
    if (!c) throw ScenarioError(f.name() + " has no control " + reference);
    return *c;
}

void ScenarioContext::controlCentre(forms::Control& c, int& x, int& y) const {
    int ox = 0, oy = 0;
    c.windowOrigin(ox, oy);
    forms::Form* f = c.form();
    platform::Rect r = sim.windowRect(f->window());
    const platform::Point p = sim.toDevice({r.left + ox + c.width() / 2, r.top + oy + c.height() / 2});
    x = p.x;
    y = p.y;
}

const std::string& arg(const Args& a, std::size_t i) {
    if (i >= a.size()) throw ScenarioError("'" + a[0] + "' needs more arguments");
    return a[i];
}

int argInt(const Args& a, std::size_t i) {
    const std::string& s = arg(a, i);
    try {
        std::size_t used = 0;
        int v = std::stoi(s, &used);
        if (used == s.size()) return v;
    } catch (...) {
    }
    throw ScenarioError("not a whole number: " + s);
}

double argDouble(const Args& a, std::size_t i) {
    const std::string& s = arg(a, i);
    try {
        std::size_t used = 0;
        double v = std::stod(s, &used);
        if (used == s.size()) return v;
    } catch (...) {
    }
    throw ScenarioError("not a number: " + s);
}

namespace {

Args splitWords(const std::string& line) {
    Args words;
    std::string word;
    bool quoted = false;
    for (char ch : line) {
        if (ch == '"') {
            quoted = !quoted;
        } else if (!quoted && (ch == ' ' || ch == '\t' || ch == '\r')) {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += ch;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

CommandTable buildCommands() {
    CommandTable table;
    registerCoreCommands(table);
    registerEngineCommands(table);
    registerModuleCommands(table);
    registerLogCommands(table);
    registerFullViewCommands(table);
    registerInventoryCommands(table);
    registerOptionsCommands(table);
    return table;
}

}  // namespace

int runScenario(const ScenarioOptions& options, std::ostream& out, std::ostream& err) {
    std::ifstream in(options.scenarioPath);
    if (!in) {
        err << "velmora: cannot read scenario " << options.scenarioPath << "\n";
        return 2;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);

    std::filesystem::path scenarioDir = std::filesystem::absolute(options.scenarioPath).parent_path();
    std::string folder = options.programFolder;
    // A "folder DIR" line names the program folder when the command line does not.
    for (const std::string& line : lines) {
        Args words = splitWords(line);
        if (folder.empty() && words.size() == 2 && words[0] == "folder") {
            std::filesystem::path p = words[1];
            folder = (p.is_relative() ? scenarioDir / p : p).string();
        }
    }
    if (folder.empty()) {
        err << "velmora: the scenario needs a program folder (--program-folder DIR or a 'folder DIR' line)\n";
        return 2;
    }
    std::error_code ec;
    // A program folder has its logs folder, as every one we ship does.
    std::filesystem::create_directories(std::filesystem::path(folder) / "logs", ec);

    platform::SimPlatform sim;
    if (options.scale > 0) sim.setScale(options.scale);
    sim.setProgramFolder(std::filesystem::absolute(folder).lexically_normal().string());
    std::unique_ptr<App> app;
    if (options.prepare) options.prepare(sim);
    ScenarioContext ctx{sim, app, scenarioDir.string(), sim.programFolder(), out, options.scale > 0};
    ctx.fullRepaint = options.fullRepaint;
    CommandTable commands = buildCommands();

    int lineNumber = 0;
    for (const std::string& line : lines) {
        ++lineNumber;
        Args words = splitWords(line);
        if (words.empty() || words[0][0] == '#' || words[0] == "folder") continue;
        auto it = commands.find(words[0]);
        try {
            if (it == commands.end()) throw ScenarioError("unknown command '" + words[0] + "'");
            it->second(ctx, words);
        } catch (const ScenarioError& e) {
            err << options.scenarioPath << ":" << lineNumber << ": " << e.what() << "\n";
            return 2;
        }
        out.flush();
    }
    return 0;
}

}  // namespace vel
