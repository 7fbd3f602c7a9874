// A simulated machine with a program folder of its own, for tests that run
// the real program logic.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "core/app.h"
#include "core/inifile.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_sources.h"

namespace vel::test {

class SimMachine {
public:
    explicit SimMachine(int processors = 2) {
        // Unique per machine, as tests of several processes run at once.
        std::random_device entropy;
        const unsigned long long tag = (static_cast<unsigned long long>(entropy()) << 32) ^ entropy();
        folder = std::filesystem::temp_directory_path() / ("velmora-sim-" + std::to_string(tag));
        std::filesystem::remove_all(folder);
        // Every program folder we set up has its logs folder, as a shipped one does.
        std::filesystem::create_directories(folder / "logs");
        sim.setProgramFolder(folder.string());
        sim.simSources().setProcessorCount(static_cast<std::uint32_t>(processors));
#ifdef VELMORA_SOURCE_DIR
        std::filesystem::copy(std::filesystem::path(VELMORA_SOURCE_DIR) / "skins", folder / "skins",
                              std::filesystem::copy_options::recursive);
#endif
    }
    ~SimMachine() {
        app.reset();
        std::filesystem::remove_all(folder);
    }
    std::string iniPath() const { return (folder / "velmora.ini").string(); }
    void ini(const std::string& key, const std::string& value) {
        IniFile(sim.files(), iniPath()).write("MAIN", key, value);
    }
    void iniText(const std::string& text) {
        std::ofstream out(iniPath(), std::ios::binary | std::ios::trunc);
        out << text;
    }
    App& newApp() {
        app = std::make_unique<App>(sim);
        return *app;
    }

    std::filesystem::path folder;
    platform::SimPlatform sim;
    std::unique_ptr<App> app;
};

}  // namespace vel::test
