// The Win32 desktop backend: borderless popup windows kept off the taskbar
// by the tool-window style, shaped with SetWindowRgn, faded with the layered
// style, painted with SetDIBitsToDevice; timers are SetTimer timers of one
// hidden window. The forms have no owner: an owned window cannot leave the
// top-most band while its owner is in it, and one top-most form would pull
// the shared owner, and with it every other form, there.
#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/common/display_scale.h"
#include "platform/native.h"
#include "platform/win32/files.h"
#include "platform/win32/http_client.h"
#include "platform/win32/registry.h"
#include "platform/win32/win32_text.h"

namespace vel::platform::win32 {

class Win32Platform;

struct Win32Window {
    Win32Platform* os = nullptr;
    WindowId id = 0;
    HWND hwnd = nullptr;
    std::string name;
    bool popup = false;
    bool dialog = false;    // title bar and close button around the bounds
    bool takesFocus = false;
    DWORD style = 0;
    DWORD keptExStyle = 0;  // what the layered style keeps: off the taskbar, never activated
    bool trackingLeave = false;
    WindowListener* listener = nullptr;
    int width = 0, height = 0;          // of the last presented picture, in device pixels
    std::vector<std::uint32_t> bits;    // that picture, as a top-down 32-bit DIB
    Pixels enlarged;                    // the picture at the desktop's scale (above 1 only)
};

class Win32Platform : public Platform {
public:
    explicit Win32Platform(const NativeOptions& options);
    ~Win32Platform() override;
    bool ready() const { return timerWindow_ != nullptr; }

    std::string backendName() const override { return "win32"; }
    std::optional<Colour> systemColour(int index) override;
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
    void present(WindowId id, const Pixels& pixels, const Rect& changed) override;
    using Platform::present;
    void systemDrag(WindowId id) override;

    Point cursorPos() override;
    std::int32_t screenPixel(int x, int y) override;
    Size screenSize() override;
    int doubleClickTime() override { return static_cast<int>(GetDoubleClickTime()); }
    int tooltipDelay() override;

    void setIdleHook(std::function<void()> hook) override { idleHook_ = std::move(hook); }
    TimerId startTimer(std::uint32_t intervalMs, std::function<void()> tick) override;
    void stopTimer(TimerId id) override;
    int runLoop() override;
    void quit(int exitCode) override;
    bool quitting() const override { return quitting_; }
    void doEvents() override;
    void sleep(std::uint32_t ms) override { Sleep(ms); }
    SystemTime localTime() override;
    SystemTime systemTime() override;
    std::int64_t perfCounter() override;
    std::int64_t perfFrequency() override;
    std::uint64_t timeStampCounter() override;
    std::uint64_t tickMs() override { return GetTickCount64(); }

    int messageBox(const std::string& text, const std::string& title, int style) override;

    Registry& registry() override { return registry_; }
    Sources& sources() override;
    Files& files() override { return files_; }
    HttpClient& http() override;
    long shellExecute(const std::string& file, const std::string& params, int showCmd) override;
    bool claimSingleInstance(const std::string& name) override;
    std::string programFolder() override { return programFolder_; }
    char pathSeparator() const override { return '\\'; }
    std::string nativePath(const std::string& path) const override;
    std::optional<LocaleDateNames> localeDateNames() override;
    SystemText* systemText() override { return &text_; }
    // The version resource of the running executable.
    VersionInfo version() const override;

    // The window procedures' way back in.
    LRESULT formMessage(Win32Window& w, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT timerWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    // WM_QUERYENDSESSION and WM_ENDSESSION, for any of our windows.
    bool sessionMessage(UINT msg, WPARAM wp, LRESULT& result);
    HWND hwndOf(WindowId id) const;
    static RECT outerRect(const Win32Window& w, const Rect& bounds);
    // The form's name ("frmMain"), which tests find it by; the window text
    // is the title people read. Empty for a window that is not a form.
    static std::string formNameOf(HWND hwnd);

private:
    Win32Window* find(WindowId id) const;
    void registerClasses();
    void pumpPending();
    void runIdle();
    void paint(Win32Window& w, HDC dc);
    void deliverMouse(Win32Window& w, MouseEvent::Kind kind, MouseButton button, WPARAM wp, LPARAM lp);

    HINSTANCE instance_ = nullptr;
    DisplayScale scale_;  // windows, input and the screen in device pixels; the program in logical ones
    GdiText text_;
    HWND timerWindow_ = nullptr;  // hidden: receives the timers
    std::map<WindowId, std::unique_ptr<Win32Window>> windows_;
    WindowId nextWindow_ = 1;
    std::map<UINT_PTR, std::shared_ptr<std::function<void()>>> timers_;
    UINT_PTR nextTimer_ = 1;
    // SetCoalescableTimer where user32 has it, looked up at the first timer.
    UINT_PTR(WINAPI* setCoalescableTimer_)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG) = nullptr;
    bool timerFunctionLooked_ = false;
    bool quitting_ = false;
    int exitCode_ = 0;
    int dragging_ = 0;
    std::function<void()> idleHook_;
    Win32Registry registry_;
    Win32Files files_;
    std::unique_ptr<Sources> sources_;
    std::unique_ptr<HttpClient> http_;
    HANDLE instanceMutex_ = nullptr;
    std::string programFolder_;
};

}  // namespace vel::platform::win32
