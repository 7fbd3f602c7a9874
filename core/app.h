// The program's process-wide state: settings, the machine facts found at
// start, the samplers and the windows. One instance per run; tests make
// their own on the simulated machine.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/inifile.h"
#include "core/settings.h"
#include "core/version_strings.h"
#include "modules/net_indicators.h"
#include "sources/hardware_inventory.h"
#include "sources/memory_status.h"
#include "forms/runtime.h"
#include "platform/platform.h"

namespace vel {

class clsSystemMetrics;
class clsCPUUsage;
class FrmSplash;
class FrmMain;
class FrmFULLVIEW;
class clsNetConnection;

// The fixed window list, the order of every loop over the windows.
enum class WindowSlot : int {
    Clock = 0, Cpu0, Cpu1, Cpu2, Cpu3, CpuAll, Network, Memory, Mouse, Main, Count
};

constexpr const char* kProductName = VELMORA_PRODUCT_NAME;
constexpr const char* kMakerTitle = "Brinlake";

// A window's title for people: "VELMORA v2 – Memory".
inline std::string windowTitle(const std::string& what) { return std::string(kProductName) + " \u2013 " + what; }

class App {
public:
    explicit App(platform::Platform& os);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    platform::Platform& os;
    forms::Runtime ui;

    Settings settings;
    SettingsOrigin settingsOrigin = SettingsOrigin::File;
    std::string appPath;        // the program folder as the system reports it
    std::string programFolder;  // appPath plus one separator
    std::string iniPath;
    // velmora.ini at iniPath, read and written only through this.
    IniFile settingsFile;
    std::uint8_t processorCount = 0;
    std::int32_t screenX = 0, screenY = 0;  // largest pixel column and row

    std::unique_ptr<clsSystemMetrics> metrics;
    std::array<std::unique_ptr<clsCPUUsage>, 4> samplers;
    // The memory snapshot, refreshed by each reader right before it reads.
    MemorySnapshot memory;
    // The network tick's state: the lights' last counts and the connection
    // object of the latest tick.
    TrafficLightMemory trafficLights;
    std::unique_ptr<clsNetConnection> netConnection;

    // The hardware inventory, taken once under the splash.
    HardwareInventory inventory;

    // Full View navigation state.
    std::int16_t FVScreen = 0, FVSubView = 0, FVSType = 0;

    // Awake/idle state of the windows.
    std::uint8_t idleCountdown = 0;
    bool fadePending = false;

    std::unique_ptr<FrmSplash> splash;
    std::unique_ptr<FrmMain> mainBar;
    // The options dialog, made when first opened.
    std::unique_ptr<forms::Form> options;
    // The hidden engine window, and the module windows (each also sits in
    // its slot of the window list).
    std::unique_ptr<forms::Form> engine;
    std::vector<std::unique_ptr<forms::Form>> modules;
    // The Full View, made when it is first opened after being closed.
    std::unique_ptr<FrmFULLVIEW> fullView;

    // The window of a slot (nullptr while that window does not exist yet).
    forms::Form* window(WindowSlot slot) const;
    void setWindow(WindowSlot slot, forms::Form* form) { windows_[static_cast<int>(slot)] = form; }
    bool IsFormLoaded(const forms::Form* form) const { return form && ui.isLoaded(form); }

    // Splash status during start-up (nothing when the splash is gone).
    void showStatus(const std::string& text);
    // The splash's deliberate pauses. Scripted desktop tests skip them
    // (--skip-splash-pauses) to reach the windows they test sooner.
    bool splashPauses = true;
    void splashPause(std::uint32_t ms) {
        if (splashPauses) os.sleep(ms);
    }
    // Start-up steps as they happen, with the time they happened at, for
    // scenario prints and tests ("status Loading modules..." etc.).
    struct TraceEntry {
        std::uint64_t ms;
        std::string event;
    };
    std::vector<TraceEntry> trace;
    void traceEvent(const std::string& event) { trace.push_back({os.tickMs(), event}); }
    // Ends the program now, after finish().
    void end(int exitCode = 0);
    // The last work of an orderly end, however the loop ended: the log
    // lines not yet written, when the user asked for them. Safe to repeat.
    void finish();

    // Builds the folder and settings paths from the platform's program folder.
    void setProgramFolder(const std::string& folder);

private:
    std::array<forms::Form*, static_cast<int>(WindowSlot::Count)> windows_{};
};

}  // namespace vel
