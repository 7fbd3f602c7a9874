// The scenario command table. Each subsystem adds its own commands in a
// file of its own here and registers them from runner.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vel {
class App;
namespace platform {
class SimPlatform;
}
namespace forms {
class Form;
class Control;
class Timer;
}

// A scenario mistake: reported with its line number, and the run fails.
struct ScenarioError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ScenarioContext {
    platform::SimPlatform& sim;
    std::unique_ptr<App>& app;  // null until "start"
    std::string scenarioDir;
    std::string programFolder;
    std::ostream& out;
    bool scaleFixed = false;  // the command line set the scale; "scale" lines give way
    bool fullRepaint = false;  // set on the program at each start

    App& started() const;
    // Resolves a window by its form name ("frmMain"), loaded or not.
    forms::Form& form(const std::string& name) const;
    // "picMod" or "lblRGB(1)" inside a form.
    forms::Control& control(forms::Form& form, const std::string& reference) const;
    // Centre of a control in the screen's device pixels (the scale applied).
    void controlCentre(forms::Control& control, int& x, int& y) const;
};

using Args = std::vector<std::string>;
using CommandHandler = std::function<void(ScenarioContext&, const Args&)>;
using CommandTable = std::map<std::string, CommandHandler>;

// Words to numbers, with a scenario error on bad input.
int argInt(const Args& a, std::size_t i);
double argDouble(const Args& a, std::size_t i);
const std::string& arg(const Args& a, std::size_t i);
std::uint64_t argU64(const Args& a, std::size_t i);
std::uint32_t argU32(const Args& a, std::size_t i);

void registerCoreCommands(CommandTable& table);
// Processor loads and counters; engine, history and idle prints. Registered
// after the core commands: it extends their "print".
void registerEngineCommands(CommandTable& table);
// Memory, network counters, connection and screen pixels of the machine;
// another machine's answers; prints of the memory, network, mouse and clock
// modules. Extends "print".
void registerModuleCommands(CommandTable& table);
// Network statistics of the machine; prints of the logger and the logs folder.
void registerLogCommands(CommandTable& table);

// Opening the Full View and prints of its buttons, labels, timers and VU
// needles. Extends "print".
void registerFullViewCommands(CommandTable& table);

// "timer NAME enabled=.. interval=.. ticks=.." for a form's timer.
void printTimer(ScenarioContext& c, const forms::Timer& t);

// The simulated machine's hardware and the inventory tables; extends "print".
void registerInventoryCommands(CommandTable& table);

// The options dialog and keyboard, wheel and close-button input; control
// state and focus prints. Extends "print".
void registerOptionsCommands(CommandTable& table);

}  // namespace vel
