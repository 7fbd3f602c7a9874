// The message loop: SetTimer timers on the hidden timer window, PeekMessage
// for "let pending events run", and the idle hook the forms paint from.
#include "platform/win32/win32_platform.h"

namespace vel::platform::win32 {

namespace {
// Bounded, so a flood of mouse moves cannot starve the painting.
constexpr int kMessagesPerPass = 256;
// How late the system may run a tick so that timers due close together
// share one wake-up, as the X11 loop does.
constexpr ULONG kTimerToleranceMs = 10;

using SetCoalescable = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG);

// Windows 8 and later; older systems set an ordinary timer.
SetCoalescable coalescableTimerFunction() {
    HMODULE user = GetModuleHandleA("user32.dll");
    return user ? reinterpret_cast<SetCoalescable>(reinterpret_cast<void*>(GetProcAddress(user, "SetCoalescableTimer")))
                : nullptr;
}

// Ends a message box (a dialog of the system's class) of this thread.
BOOL CALLBACK endMessageBox(HWND window, LPARAM) {
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (lstrcmpW(cls, L"#32770") == 0) EndDialog(window, IDCANCEL);
    return TRUE;
}
}  // namespace

TimerId Win32Platform::startTimer(std::uint32_t intervalMs, std::function<void()> tick) {
    const UINT_PTR id = nextTimer_++;
    if (!timerFunctionLooked_) {
        setCoalescableTimer_ = coalescableTimerFunction();
        timerFunctionLooked_ = true;
    }
    const UINT_PTR made = setCoalescableTimer_
                              ? setCoalescableTimer_(timerWindow_, id, intervalMs, nullptr, kTimerToleranceMs)
                              : SetTimer(timerWindow_, id, intervalMs, nullptr);
    if (!made) return 0;
    timers_[id] = std::make_shared<std::function<void()>>(std::move(tick));
    return static_cast<TimerId>(id);
}

void Win32Platform::stopTimer(TimerId id) {
    if (timers_.erase(id)) KillTimer(timerWindow_, id);
}

bool Win32Platform::sessionMessage(UINT msg, WPARAM wp, LRESULT& result) {
    if (msg == WM_QUERYENDSESSION) {
        result = TRUE;
        return true;
    }
    if (msg != WM_ENDSESSION) return false;
    // The system ends the process once every window has answered, so the
    // orderly end runs now, from inside whatever loop is running.
    if (wp) endSession();
    result = 0;
    return true;
}

LRESULT Win32Platform::timerWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (LRESULT result = 0; sessionMessage(msg, wp, result)) return result;
    if (msg == WM_TIMER) {
        auto it = timers_.find(wp);
        if (it == timers_.end()) return 0;  // stopped while its message waited
        auto tick = it->second;             // the tick may stop its own timer
        if (!quitting_) (*tick)();
        // Inside the system's move loop nobody else calls the idle hook.
        if (dragging_ > 0) runIdle();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void Win32Platform::pumpPending() {
    // Inside the system's move loop its input is its own: a mouse move or
    // the button's release taken here would leave that loop running.
    const UINT onlyOurs = dragging_ > 0 ? PM_QS_POSTMESSAGE | PM_QS_PAINT | PM_QS_SENDMESSAGE : 0;
    MSG m;
    for (int n = 0; n < kMessagesPerPass && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE | onlyOurs); ++n) {
        if (m.message == WM_QUIT) {
            // The move loop must see it too, or it never ends.
            if (dragging_ > 0) PostQuitMessage(static_cast<int>(m.wParam));
            quit(static_cast<int>(m.wParam));
            return;
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

void Win32Platform::runIdle() {
    if (idleHook_) idleHook_();
}

int Win32Platform::runLoop() {
    while (!quitting_) {
        pumpPending();
        if (quitting_) break;
        runIdle();
        MSG m;
        if (!quitting_ && !PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) WaitMessage();
    }
    // Our own WM_QUIT must not end a later loop on this thread.
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    return exitCode_;
}

void Win32Platform::quit(int exitCode) {
    if (quitting_) return;
    quitting_ = true;
    exitCode_ = exitCode;
    // WM_QUIT wakes our loop and also ends the system's move loop. A message
    // box's loop may swallow it and wait on for an answer nobody gives (an
    // "already running" notice under --run-for), so an open box is ended too.
    PostQuitMessage(exitCode);
    EnumThreadWindows(GetCurrentThreadId(), endMessageBox, 0);
}

void Win32Platform::doEvents() {
    pumpPending();
    runIdle();
}

}  // namespace vel::platform::win32
