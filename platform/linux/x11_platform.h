// The X11 desktop backend: Xlib windows shaped with XShape, our pixels put
// with XPutImage, EWMH hints for top-most and moving, a poll() loop.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/double_click.h"
#include "platform/linux/files.h"
#include "platform/linux/http_client.h"
#include "platform/linux/registry.h"
#include "platform/linux/perf_clock.h"
#include "platform/linux/pixel_format.h"
#include "platform/linux/single_instance.h"
#include "platform/linux/termination_signals.h"
#include "platform/linux/timer_queue.h"
#include "platform/common/display_scale.h"
#include "platform/native.h"

// Xlib's types, declared here without Xlib: its macros (None, Bool, ...)
// must not meet platform.h's names in the files that include this one.
struct _XDisplay;
struct _XImage;
struct _XGC;

namespace vel::platform::linux_backend {

using XId = unsigned long;  // Window, Atom, Colormap

struct X11Window {
    WindowId id = 0;
    XId xid = 0;
    XId inputCatcher = 0;  // stands in for the window while alpha is 0 without a compositor
    std::string name;
    Rect rect;  // rect, region and the image are in device pixels (the scale applied)
    bool rectStale = false;  // the window manager may have moved it
    bool popup = false;
    bool toolWindow = true;
    bool mapped = false;
    bool focusOnMap = false;  // takes the keyboard once the server shows it
    bool topMost = false;
    bool hasRegion = false;
    Region region;
    std::uint8_t alpha = 255;
    bool layered = false;
    WindowListener* listener = nullptr;
    _XImage* image = nullptr;
    std::uint32_t* pixels = nullptr;    // the image's pixels, in the visual's layout
    std::vector<std::uint32_t> buffer;  // holds them when they are not shared with the server
    // A shared-memory image (MIT-SHM): the segment, and the request that
    // last let the server read it, which must be done before we write again.
    int shmId = -1;
    unsigned long shmReadBy = 0;
    Pixels enlarged;  // the last picture at the desktop's scale (above 1 only)
};

class X11Platform : public Platform {
public:
    X11Platform(_XDisplay* display, const NativeOptions& options, std::string programFolder,
                std::string installedSkins);
    ~X11Platform() override;

    std::string backendName() const override { return "linux"; }
    WindowId createWindow(const WindowDesc& desc, WindowListener* listener) override;
    void destroyWindow(WindowId id) override;
    void showWindow(WindowId id, bool visible) override;
    void moveWindow(WindowId id, const Rect& bounds) override;
    Rect windowRect(WindowId id) const override;
    void setWindowRegion(WindowId id, const Region* region, bool redraw) override;
    long setLayeredAlpha(WindowId id, std::uint8_t alpha) override;
    void setWindowPos(WindowId id, ZOrder insertAfter, unsigned flags) override;
    void bringToFront(WindowId id) override;
    void activateWindow(WindowId id) override { focusWindow(id); }
    void present(WindowId id, const Pixels& pixels, const Rect& changed) override;
    using Platform::present;
    void systemDrag(WindowId id) override;

    Point cursorPos() override;
    std::int32_t screenPixel(int x, int y) override;
    Size screenSize() override;
    int doubleClickTime() override { return clicks_.interval(); }
    int tooltipDelay() override { return 500; }

    void setIdleHook(std::function<void()> hook) override { idleHook_ = std::move(hook); }
    TimerId startTimer(std::uint32_t intervalMs, std::function<void()> tick) override;
    void stopTimer(TimerId id) override { timers_.remove(id); }
    int runLoop() override;
    void quit(int exitCode) override;
    bool quitting() const override { return quitting_; }
    void doEvents() override;
    void sleep(std::uint32_t ms) override;
    SystemTime localTime() override;
    std::optional<LocaleDateNames> localeDateNames() override;
    SystemTime systemTime() override;
    std::int64_t perfCounter() override { return perf_.counter(); }
    std::int64_t perfFrequency() override { return perf_.frequency(); }
    std::uint64_t timeStampCounter() override { return timeStamp(); }
    std::uint64_t tickMs() override;

    int messageBox(const std::string& text, const std::string& title, int style) override;

    Registry& registry() override { return *registry_; }
    Sources& sources() override;
    Files& files() override { return files_; }
    HttpClient& http() override;
    long shellExecute(const std::string& file, const std::string& params, int showCmd) override;
    bool claimSingleInstance(const std::string& name) override;
    std::string programFolder() override { return programFolder_; }
    std::string installedSkinsFolder() override { return installedSkins_; }
    char pathSeparator() const override { return '/'; }
    std::string nativePath(const std::string& path) const override;
    void mirrorAutostart(bool enabled, const std::string& command) override;

    // Window creation for the backend's own dialogs.
    WindowId createDialogWindow(const std::string& title, const Rect& bounds, WindowListener* listener);
    void focusWindow(WindowId id);

private:
    struct Atoms;
    X11Window* find(WindowId id) const;
    X11Window* findByXid(XId xid) const;
    void setTitle(XId xid, const std::string& utf8);
    // A client message to the window manager about one of our windows.
    void askManager(XId window, XId messageType, const std::array<long, 5>& data);
    void giveFocus(X11Window& w);
    void setSizeHints(XId xid, const Rect& bounds);  // device pixels
    void setNetWmState(X11Window& w);
    void sendNetWmState(X11Window& w, bool add, XId state);
    void applyShape(X11Window& w);
    void ensureInputCatcher(X11Window& w);
    XId topLevelOf(XId xid) const;
    bool compositorRunning();
    bool wmSupports(XId feature);
    void putImage(X11Window& w, int x, int y, int width, int height);
    // The window's image at this size, shared with the server when it can be.
    static bool shmWanted(_XDisplay* dpy);
    bool allocateImage(X11Window& w, int width, int height);
    bool allocateSharedImage(X11Window& w, int width, int height);
    void releaseImage(X11Window& w);
    // Before the pixels change: the server has finished reading them.
    void awaitImageRead(X11Window& w);
    void refreshRect(X11Window& w) const;
    // The pointer's root position (device pixels) and its button mask.
    unsigned queryPointer(Point& at) const;
    // Whether the press at `press` became a drag (true) or a click.
    bool awaitDragStart(WindowId id, Point press);
    void watchPress(const void* event);  // an XEvent
    void sendMoveResize(X11Window& w, Point rootAt, long direction);
    // Moves the window by how far the pointer is from where it was pressed.
    void followPointer(X11Window& w, const Rect& origin, Point press, Point now);
    // False when the manager did not take the move: our own loop does it.
    bool managerDrag(X11Window& w, Point press);
    void awaitManagerRelease(X11Window& w, Point at);
    void pointerDrag(X11Window& w, Point press);
    Point devicePointer() const;
    // The root's pixel, in our colour, from a server image of it.
    std::int32_t rootColour(void* image /* XImage */) const;
    Size deviceScreenSize();
    // One pass of a drag's own loop: other events, timers, painting, a short wait.
    void dragPass();

    // The loop: one pass handles what is pending, fires due timers, then idles.
    void runOnce(bool wait);
    void dispatchQueued();
    void dispatch(void* event);  // an XEvent
    void deliverMouse(XId xid, MouseEvent e);
    void reapChildren();
    // A termination signal ends the program in order; true once it has.
    bool signalledToEnd();
    // XFlush at the end of the loop's pass; a nested pass flushes at most once a frame.
    void flushOncePerPass(bool outermost);
    // poll() on the display and the signal pipe; true when X has input.
    bool waitForInput(int timeoutMs);
    void watchCompositor();
    void readDesktopSettings();

    _XDisplay* dpy_;
    DisplayScale scale_;
    int screen_;
    XId root_;
    void* visual_ = nullptr;  // Visual*
    int depth_ = 24;
    XId colormap_ = 0;
    _XGC* gc_ = nullptr;
    std::unique_ptr<PixelFormat> format_;
    std::unique_ptr<Atoms> atoms_;
    std::map<WindowId, std::unique_ptr<X11Window>> windows_;
    WindowId nextWindow_ = 1;
    std::vector<WindowId> modal_;  // message boxes, innermost last
    TimerQueue timers_;
    DoubleClickDetector clicks_;
    PerfClock perf_;
    bool quitting_ = false;
    int exitCode_ = 0;
    int dragging_ = 0;  // inside a drag's own loop
    PressWatch pressWatch_;
    Point lastPress_;        // the left button's last press (root, device pixels)
    int dragThreshold_ = 8;  // the desktop's, in device pixels
    unsigned long lastUserTime_ = 0;  // server time of the user's last press or key
    std::function<void()> idleHook_;
    std::unique_ptr<FileRegistry> registry_;
    LinuxFiles files_;
    std::unique_ptr<Sources> sources_;
    std::unique_ptr<HttpClient> http_;
    SingleInstanceLock instance_;
    std::string programFolder_;
    std::string explicitFolder_;  // --program-folder, repeated in the autostart entry
    std::string installedSkins_;  // an installed copy's skins, for files the program folder lacks
    std::vector<int> children_;
    TerminationSignals signals_;
    std::uint64_t lastFlushMs_ = 0;
    bool inPass_ = false;  // inside the loop's own pass, where its end flushes
    bool shmOffered_ = false;  // MIT-SHM here, not switched off, no failure yet
    bool compositorSeen_ = false;
    std::uint64_t nextCompositorCheck_ = 0;
    // The pixel at the pointer's last place, read in the round trip that
    // asked where the pointer is now (device pixels).
    struct PixelAhead {
        bool valid = false;
        Point at;
        std::uint64_t readMs = 0;
        std::int32_t colour = -1;
    };
    bool pointerKnown_ = false;
    Point lastPointer_;
    PixelAhead pixelAhead_;
};

}  // namespace vel::platform::linux_backend
