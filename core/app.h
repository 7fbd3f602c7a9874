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
#include "core/version.h"
#include "core/window_table.h"
#include "sources/hardware_inventory.h"
#include "sources/memory_status.h"
#include "sources/net_connection.h"
#include "forms/runtime.h"
#include "platform/platform.h"

namespace vel {

class clsSystemMetrics;
class clsCPUUsage;
class FrmSplash;
class FrmMain;
class FrmHidden;
class FrmFULLVIEW;
class FrmOptions;
class ModuleForm;
class FrmClock;
class FrmCPU;
class FrmNetwork;
class FrmMemory;
class FrmMouse;
class clsNetConnection;
namespace remote {
class RemoteHost;
}

// Which Full View screen, sub-view and sub-type shows (or showed last).
struct FullViewNav {
    std::int16_t screen = 0;
    std::int16_t subView = 0;
    std::int16_t sType = 0;
};

// The windows' awake/idle state: ticks of the visibility timer left before
// they fade, and whether a fade is still due.
struct IdleState {
    std::uint8_t countdown = 0;
    bool fadePending = false;
    void wake() { countdown = 10; }
};

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

    // The source named on the command line (--source), before [REMOTE]'s.
    std::string sourceOption;
    // Another machine watched in place of this one; it outlives everything
    // below that reads figures.
    std::unique_ptr<remote::RemoteHost> remoteHost;
    // Why the source could not be watched ("" when it could or none was named).
    std::string sourceError;
    // "nas:9100" while another machine is watched, "" for this one.
    std::string hostLabel;
    // A window's title, naming the host watched when it is not this machine:
    // "VELMORA v2 – Memory — nas:9100"; the product name alone for "".
    std::string titleFor(const std::string& what) const;
    // A tooltip with the watched host after it (unchanged for this machine).
    std::string withHost(const std::string& tip) const { return hostLabel.empty() ? tip : tip + " \u2014 " + hostLabel; }

    std::unique_ptr<clsSystemMetrics> metrics;
    std::array<std::unique_ptr<clsCPUUsage>, 4> samplers;
    // The memory snapshot, refreshed by each reader right before it reads.
    MemorySnapshot memorySnapshot;
    // The network tick's state: the lights' last counts and the connection
    // object of the latest tick.
    TrafficLightMemory trafficLights;
    std::unique_ptr<clsNetConnection> netConnection;

    // The hardware inventory, taken once under the splash.
    HardwareInventory inventory;

    FullViewNav fullViewNav;
    IdleState idle;

    std::unique_ptr<FrmSplash> splash;
    std::unique_ptr<FrmMain> mainBar;
    // The options dialog, made when first opened.
    std::unique_ptr<FrmOptions> options;
    // The hidden engine window.
    std::unique_ptr<FrmHidden> engine;
    // The Full View, made when it is first opened after being closed.
    std::unique_ptr<FrmFULLVIEW> fullView;

    // Makes the splash, main bar, engine and module windows that do not
    // exist yet (none is loaded).
    void createWindows();
    // The window of a slot (nullptr while that window does not exist yet).
    forms::Form* window(WindowSlot slot) const;
    // The module window of a slot (nullptr for the main bar).
    ModuleForm* module(WindowSlot slot) const;
    FrmClock* clock() const { return clock_.get(); }
    // index 0-3 a processor's module, 4 the all-processors module.
    FrmCPU* cpu(int index) const { return cpus_.at(static_cast<std::size_t>(index)).get(); }
    FrmNetwork* network() const { return network_.get(); }
    FrmMemory* memory() const { return memory_.get(); }
    FrmMouse* mouse() const { return mouse_.get(); }
    bool IsFormLoaded(const forms::Form* form) const { return form && ui.isLoaded(form); }

    // Opens the Full View on a screen, sub-view and sub-type; what the
    // windows below the application level call to show it.
    void openFullView(std::int16_t screen, std::int16_t subView, std::int16_t sType);

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
    std::unique_ptr<FrmClock> clock_;
    std::array<std::unique_ptr<FrmCPU>, 5> cpus_;
    std::unique_ptr<FrmNetwork> network_;
    std::unique_ptr<FrmMemory> memory_;
    std::unique_ptr<FrmMouse> mouse_;
};

}  // namespace vel
