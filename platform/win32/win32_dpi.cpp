#include "platform/win32/win32_dpi.h"

#include "platform/common/display_scale.h"

namespace vel::platform::win32 {

namespace {

template <typename Fn>
Fn lookUp(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

UINT primaryMonitorDpi() {
    using MonitorFromPointFn = HMONITOR(WINAPI*)(POINT, DWORD);
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    auto monitorFromPoint = lookUp<MonitorFromPointFn>(GetModuleHandleA("user32.dll"), "MonitorFromPoint");
    if (!monitorFromPoint) return 0;
    HMODULE shcore = LoadLibraryA("shcore.dll");
    UINT dpi = 0;
    if (auto getDpi = lookUp<GetDpiForMonitorFn>(shcore, "GetDpiForMonitor")) {
        UINT x = 0, y = 0;
        if (HMONITOR primary = monitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
            primary && getDpi(primary, kEffectiveDpi, &x, &y) == S_OK)
            dpi = x;
    }
    if (shcore) FreeLibrary(shcore);
    return dpi;
}

UINT windowDpi(HWND probe) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    auto getDpi = lookUp<GetDpiForWindowFn>(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    return getDpi && probe ? getDpi(probe) : 0;
}

UINT screenDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 0;
}

}  // namespace

int desktopScale(HWND probe) {
    UINT dpi = primaryMonitorDpi();
    if (!dpi) dpi = windowDpi(probe);
    if (!dpi) dpi = screenDpi();
    return scaleForDpi(dpi ? dpi : 96);
}

}  // namespace vel::platform::win32
