// Runs the real program on the simulated machine, driven by a small
// command file. The language is described in docs/scenario-language.md.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

namespace vel::platform {
class SimPlatform;
}

namespace vel {

struct ScenarioOptions {
    std::string scenarioPath;
    std::string programFolder;  // overrides the scenario's folder line
    int scale = 0;              // the desktop's scale; 0 = the scenario's (1 unless it says)
    // Every window repainted and presented whole on every change.
    bool fullRepaint = false;
    // Called with the simulated machine before the first command.
    std::function<void(platform::SimPlatform&)> prepare{};
};

// Returns the process exit code: 0, or 2 when the scenario itself is wrong
// (unknown command, missing window); the reason goes to err.
int runScenario(const ScenarioOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vel
