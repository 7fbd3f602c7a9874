// The simulated machine: a virtual desktop in virtual time. Nothing here
// really waits; timers fire and pauses pass only when time is advanced.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/civil_date.h"
#include "platform/common/display_scale.h"
#include "platform/common/memory_registry.h"
#include "platform/platform.h"
#include "platform/sim/files.h"
#include "platform/sim/sim_http.h"

namespace vel::platform {

class SimSources;

struct SimMessage {
    std::string text;
    std::string title;
    int style = 0;
    int answer = 0;
};

// A window as the simulated screen holds it: rect, region and pixels are in
// the screen's device pixels (the program's logical ones times the scale).
struct SimWindow {
    WindowId id = 0;
    std::string name;
    Rect rect;
    bool visible = false;
    bool popup = false;
    bool dialog = false;  // title bar and close button (outside rect)
    bool takesFocus = false;
    std::string caption;
    bool hasRegion = false;
    Region region;
    bool layered = false;
    std::uint8_t alpha = 255;
    bool topMost = false;
    Pixels pixels;
    WindowListener* listener = nullptr;
};

class SimPlatform : public Platform {
public:
    SimPlatform();
    ~SimPlatform() override;

    // --- Platform ---------------------------------------------------------
    std::string backendName() const override { return "sim"; }
    WindowId createWindow(const WindowDesc& desc, WindowListener* listener) override;
    void destroyWindow(WindowId id) override;
    void showWindow(WindowId id, bool visible) override;
    void moveWindow(WindowId id, const Rect& bounds) override;
    Rect windowRect(WindowId id) const override;
    void setWindowRegion(WindowId id, const Region* region, bool redraw) override;
    long setLayeredAlpha(WindowId id, std::uint8_t alpha) override;
    void setWindowPos(WindowId id, ZOrder insertAfter, unsigned flags) override;
    void bringToFront(WindowId id) override;
    void activateWindow(WindowId id) override;
    // The window that has the keyboard (0: none of ours).
    WindowId focusedWindow() const { return focused_; }
    void present(WindowId id, const Pixels& pixels, const Rect& changed) override;
    using Platform::present;
    void systemDrag(WindowId id) override;
    Point cursorPos() override { return scale_.toLogical(cursor_); }
    std::int32_t screenPixel(int x, int y) override;
    Size screenSize() override { return screen_; }
    void setIdleHook(std::function<void()> hook) override { idleHook_ = std::move(hook); }
    // Runs after every idle point, once the windows are painted (for tests
    // that watch what was presented tick by tick).
    void setAfterIdle(std::function<void()> watch) { afterIdle_ = std::move(watch); }
    TimerId startTimer(std::uint32_t intervalMs, std::function<void()> tick) override;
    void stopTimer(TimerId id) override;
    int runLoop() override;
    void quit(int exitCode) override;
    bool quitting() const override { return quitting_; }
    void doEvents() override;
    void sleep(std::uint32_t ms) override;
    SystemTime localTime() override;
    SystemTime systemTime() override;
    std::int64_t perfCounter() override;
    std::int64_t perfFrequency() override { return hasPerfCounter_ ? 10'000'000 : 0; }
    // Counts timeStampMhz cycles per virtual microsecond, as if the machine
    // had been switched on a second before; reading it costs nothing.
    std::uint64_t timeStampCounter() override {
        return static_cast<std::uint64_t>(nowUs_ + 1'000'000) * timeStampMhz_;
    }
    std::uint64_t tickMs() override { return static_cast<std::uint64_t>(nowUs_ / 1000); }
    int messageBox(const std::string& text, const std::string& title, int style) override;
    Registry& registry() override { return registry_; }
    Sources& sources() override;
    Files& files() override { return files_; }
    HttpClient& http() override { return http_; }
    // The scripted answers of the simulated network.
    SimHttp& simHttp() { return http_; }
    long shellExecute(const std::string& file, const std::string& params, int showCmd) override;
    bool claimSingleInstance(const std::string& name) override;
    std::string programFolder() override { return programFolder_; }
    char pathSeparator() const override { return separator_; }
    std::string nativePath(const std::string& path) const override;
    VersionInfo version() const override { return version_; }
    void mirrorAutostart(bool enabled, const std::string& command) override;

    // --- machine facts and script controls --------------------------------
    // The desktop in logical pixels; the screen has scale() times as many
    // device pixels each way.
    void setScreenSize(int w, int h) { screen_ = {w, h}; }
    // The desktop's scale (1..3), set before windows are made. The
    // wallpaper is enlarged with it, like every window.
    void setScale(int scale);
    int scale() const { return scale_.factor(); }
    // A logical screen point as the device pixel the script's input uses.
    Point toDevice(Point logical) const { return scale_.toDevice(logical); }
    // Paints one desktop pixel (logical, under the windows) in this colour.
    void setWallpaperPixel(int x, int y, Colour c) { wallpaperPixels_[{x, y}] = c; }
    // While set, reading a screen pixel fails (-1), as GetPixel does on a
    // screen it may not read.
    void setScreenReadFails(bool fail) { screenReadFails_ = fail; }
    // The user's locale as far as date names go (none: English).
    void setLocaleDateNames(const LocaleDateNames& names) { localeNames_ = names; }
    std::optional<LocaleDateNames> localeDateNames() override { return localeNames_; }
    void setProgramFolder(const std::string& folder) { programFolder_ = folder; }
    void setPathSeparator(char c) { separator_ = c; }
    void setOtherInstanceRunning(bool v) { otherInstance_ = v; }
    void setHasPerfCounter(bool v) { hasPerfCounter_ = v; }
    // The processor's time-stamp counter rate (0: it has none, the default).
    void setTimeStampMhz(std::uint32_t mhz) { timeStampMhz_ = mhz; }
    void setVersion(const VersionInfo& v) { version_ = v; }
    // Local time at the current virtual instant; UTC offset in minutes.
    void setClock(const SystemTime& local, int utcOffsetMinutes = 0);
    MemoryRegistry& memoryRegistry() { return registry_; }
    SimSources& simSources();

    // Runs the loop for this much virtual time, firing timers in order.
    void advance(std::uint64_t ms);
    std::int64_t nowMs() const { return nowUs_ / 1000; }
    bool exited() const { return quitting_; }
    int exitCode() const { return exitCode_; }
    // The machine after the program ended, ready for the next start.
    void clearExit() { quitting_ = false; exitCode_ = 0; }

    // Input on the screen's device pixels. Events go to the window under the point.
    void mouseMove(int x, int y);
    void mouseDown(int x, int y, MouseButton b = MouseButton::Left);
    void mouseUp(int x, int y, MouseButton b = MouseButton::Left);
    void doubleClick(int x, int y, MouseButton b = MouseButton::Left);
    // Wheel notches (120 each, away from the user positive) at a screen point.
    void mouseWheel(int x, int y, int delta);
    // A key pressed while the window has the keyboard. Alt+F4 asks the
    // window to close, as the system and window managers do.
    void keyDown(WindowId id, int keyCode, int shift);
    // The user closes the window: a dialog's close button, or the window
    // manager's close request for any window.
    void closeButton(WindowId id);
    // The next system drag moves its window by this many device pixels.
    void setPendingDrag(int dx, int dy) { pendingDrag_ = Point{dx, dy}; }
    // The session ends (as WM_ENDSESSION or SIGTERM would tell the program).
    void endUserSession() { endSession(); }

    // Message boxes: answers are used in order; without one the default
    // button answers.
    void queueAnswer(int id) { answers_.push_back(id); }
    const std::vector<SimMessage>& messages() const { return messages_; }
    struct Launch { std::string file, params; int showCmd; long result; };
    const std::vector<Launch>& launches() const { return launches_; }
    bool autostartEnabled() const { return autostart_; }
    const std::string& autostartCommand() const { return autostartCommand_; }

    // Windows bottom to top.
    std::vector<const SimWindow*> windows() const;
    const SimWindow* findWindow(const std::string& name) const;
    const SimWindow* window(WindowId id) const;
    // The desktop as a user would see it, in device pixels: wallpaper, then
    // the windows with their regions and alpha.
    Pixels snapshot() const;

private:
    struct SimTimer {
        TimerId id;
        std::uint32_t interval;
        std::int64_t nextUs;
        std::function<void()> tick;
        bool active;
    };
    SimWindow* find(WindowId id);
    WindowId windowAt(int x, int y) const;
    void raise(WindowId id);
    void deliver(WindowId id, MouseEvent e);
    bool fireDueTimers(std::int64_t untilUs);
    void idle();
    Colour wallpaperAt(int x, int y) const;
    Colour composeAt(int x, int y) const;

    Size screen_{1024, 768};
    DisplayScale scale_;
    std::map<std::pair<int, int>, Colour> wallpaperPixels_;
    bool screenReadFails_ = false;
    std::optional<LocaleDateNames> localeNames_;
    Point cursor_{512, 384};
    std::map<WindowId, SimWindow> windows_;
    std::vector<WindowId> zOrder_;  // bottom to top
    WindowId nextWindow_ = 1;
    WindowId hoverWindow_ = 0;
    std::vector<SimTimer> timers_;
    TimerId nextTimer_ = 1;
    std::int64_t nowUs_ = 0;
    std::int64_t clockBaseUs_ = 0;  // local time since 1970 at nowUs_ = 0
    int utcOffsetMinutes_ = 0;
    bool quitting_ = false;
    int exitCode_ = 0;
    std::function<void()> idleHook_;
    std::function<void()> afterIdle_;
    std::deque<int> answers_;
    std::vector<SimMessage> messages_;
    std::vector<Launch> launches_;
    MemoryRegistry registry_;
    SimFiles files_;
    SimHttp http_;
    std::unique_ptr<SimSources> sources_;
    std::string programFolder_ = ".";
    char separator_ = '/';
    bool otherInstance_ = false;
    bool hasPerfCounter_ = true;
    std::uint64_t timeStampMhz_ = 0;
    VersionInfo version_;
    std::optional<Point> pendingDrag_;
    int buttonsHeld_ = 0;  // MouseButton bits
    bool autostart_ = false;
    std::string autostartCommand_;
    int loopDepth_ = 0;
    WindowId focused_ = 0;
};

}  // namespace vel::platform
