// Start-up, screen and cursor, time, dialogs and the process services.
#include "platform/win32/win32_platform.h"

#include <shellapi.h>
#if defined(__x86_64__) || defined(__i386__)
#include <intrin.h>
#endif

#include "platform/win32/utf16.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_sources.h"

namespace vel::platform {

std::unique_ptr<Platform> createNativePlatform(const NativeOptions& options, std::string& error) {
    auto os = std::make_unique<win32::Win32Platform>(options);
    if (!os->ready()) {
        error = "cannot create the program's hidden window (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    return os;
}

namespace win32 {

namespace {
std::string executableFolder() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    const std::string s = narrow(std::wstring_view(path, n));
    const auto slash = s.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : s.substr(0, slash);
}

// Our pictures are shown pixel for pixel: without this, a scaled desktop
// would stretch them.
void declareDpiAware() {
    using SetAware = BOOL(WINAPI*)();
    if (HMODULE user = GetModuleHandleA("user32.dll"))
        if (auto fn = reinterpret_cast<SetAware>(reinterpret_cast<void*>(GetProcAddress(user, "SetProcessDPIAware"))))
            fn();
}

SystemTime fromSystemTime(const SYSTEMTIME& t) {
    return SystemTime{t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}
}  // namespace

Win32Platform::Win32Platform(const NativeOptions& options) {
    declareDpiAware();
    instance_ = GetModuleHandleA(nullptr);
    registerClasses();
    scale_ = DisplayScale(options.scale > 0 ? options.scale : desktopScale(timerWindow_));
    programFolder_ = options.programFolder.empty() ? executableFolder() : options.programFolder;
}

Win32Platform::~Win32Platform() {
    while (!windows_.empty()) destroyWindow(windows_.begin()->first);
    for (const auto& [id, tick] : timers_) KillTimer(timerWindow_, id);
    if (timerWindow_) DestroyWindow(timerWindow_);
    if (instanceMutex_) CloseHandle(instanceMutex_);
}

Sources& Win32Platform::sources() {
    if (Sources* other = replacementSources()) return *other;
    if (!sources_) sources_ = createWin32Sources();
    return *sources_;
}

Point Win32Platform::cursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return scale_.toLogical(Point{p.x, p.y});
}

std::int32_t Win32Platform::screenPixel(int x, int y) {
    HDC screen = GetWindowDC(nullptr);
    if (!screen) return -1;
    const COLORREF c = GetPixel(screen, scale_.toDevice(x), scale_.toDevice(y));  // 0x00BBGGRR, as our colours
    ReleaseDC(nullptr, screen);
    return c == CLR_INVALID ? -1 : static_cast<std::int32_t>(c);
}

Size Win32Platform::screenSize() {
    return scale_.toLogical(Size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

int Win32Platform::tooltipDelay() {
    // The system's hover time is what its own tooltips wait.
    UINT ms = 0;
    if (SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &ms, 0) && ms > 0 && ms < 10000) return static_cast<int>(ms);
    return 500;
}

SystemTime Win32Platform::localTime() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return fromSystemTime(t);
}

SystemTime Win32Platform::systemTime() {
    SYSTEMTIME t{};
    GetSystemTime(&t);
    return fromSystemTime(t);
}

std::int64_t Win32Platform::perfCounter() {
    LARGE_INTEGER v{};
    return QueryPerformanceCounter(&v) ? v.QuadPart : 0;
}

std::int64_t Win32Platform::perfFrequency() {
    LARGE_INTEGER v{};
    return QueryPerformanceFrequency(&v) ? v.QuadPart : 0;
}

std::uint64_t Win32Platform::timeStampCounter() {
#if defined(__x86_64__) || defined(__i386__)
    return __rdtsc();
#else
    return 0;
#endif
}

int Win32Platform::messageBox(const std::string& text, const std::string& title, int style) {
    // Task-modal: every form of ours waits for the answer, timers go on.
    return MessageBoxW(nullptr, widen(text).c_str(), widen(title).c_str(),
                       static_cast<UINT>(style) | MB_TASKMODAL | MB_SETFOREGROUND);
}

long Win32Platform::shellExecute(const std::string& file, const std::string& params, int showCmd) {
    const std::wstring wideParams = widen(params);
    HINSTANCE rc = ShellExecuteW(nullptr, nullptr, widen(file).c_str(), params.empty() ? nullptr : wideParams.c_str(),
                                 nullptr, showCmd);
    return static_cast<long>(reinterpret_cast<INT_PTR>(rc));
}

HttpClient& Win32Platform::http() {
    if (!http_) http_ = createWinHttpClient();
    return *http_;
}

bool Win32Platform::claimSingleInstance(const std::string& name) {
    if (instanceMutex_) return true;
    HANDLE m = CreateMutexW(nullptr, TRUE, widen(name).c_str());
    if (!m) return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(m);
        return false;
    }
    instanceMutex_ = m;  // held until we end
    return true;
}

std::string Win32Platform::nativePath(const std::string& path) const {
    std::string s = path;
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

// The user's abbreviated day and month names, as the clock's date labels
// show them; the day list starts on Sunday like the rest of the program.
std::optional<LocaleDateNames> Win32Platform::localeDateNames() {
    auto read = [](LCTYPE type, std::string& out) {
        wchar_t buf[80] = {};
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 80) <= 0) return false;
        out = narrow(buf);
        return !out.empty();
    };
    LocaleDateNames names;
    // LOCALE_SABBREVDAYNAME1 is Monday and 7 is Sunday.
    if (!read(LOCALE_SABBREVDAYNAME7, names.days[0])) return std::nullopt;
    for (int d = 1; d < 7; ++d)
        if (!read(static_cast<LCTYPE>(LOCALE_SABBREVDAYNAME1 + d - 1), names.days[static_cast<std::size_t>(d)])) return std::nullopt;
    for (int m = 0; m < 12; ++m)
        if (!read(static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + m), names.months[static_cast<std::size_t>(m)])) return std::nullopt;
    return names;
}

}  // namespace win32
}  // namespace vel::platform
