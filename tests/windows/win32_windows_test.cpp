// The Win32 window calls: regions from a skin, the top-most flags and the
// layered style, titles, frames, the icon and activation.
#include "platform/win32/region_builder.h"
#include "platform/win32/win32_platform.h"

#include "gfx/png.h"
#include "harness.h"
#include "support.h"
#include "window/window_services.h"

using namespace vel;
using namespace vel::platform;

namespace {

WindowDesc desc(const char* name, Rect bounds) {
    WindowDesc d;
    d.name = name;
    d.bounds = bounds;
    return d;
}

LONG exStyle(HWND hwnd) { return GetWindowLongA(hwnd, GWL_EXSTYLE); }

// The backend with a window of its own, not shown yet.
struct OneWindow {
    win32::Win32Platform os{wintest::testOptions()};
    wintest::CountingListener listener;
    WindowId id;
    explicit OneWindow(const WindowDesc& d) : id(os.createWindow(d, &listener)) {}
    HWND hwnd() { return os.hwndOf(id); }
};

}  // namespace

WTEST(Region, SkinShapeIsTheWindowShapePixelForPixel) {
    win32::Win32Files files;
    auto skin = gfx::loadPng(files, wintest::programFolder() + "\\skins\\main_skin.png");
    REQUIRE(skin.has_value());
    const Region region = regionFromPixels(*skin, skin->width, skin->height);

    OneWindow w(desc("frmRegionTest", {40, 40, 40 + skin->width, 40 + skin->height}));
    REQUIRE(w.id != 0);
    w.os.setWindowRegion(w.id, &region, true);

    HRGN applied = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(w.hwnd(), applied);
    const Colour key = skin->at(0, 0);
    int mismatches = 0;
    for (int y = 0; y < skin->height; ++y)
        for (int x = 0; x < skin->width; ++x)
            if ((PtInRegion(applied, x, y) != FALSE) != (skin->at(x, y) != key)) ++mismatches;
    CHECK_EQ(mismatches, 0);
    DeleteObject(applied);

    // nullptr makes the window rectangular again.
    w.os.setWindowRegion(w.id, nullptr, true);
    HRGN none = CreateRectRgn(0, 0, 0, 0);
    CHECK_EQ(GetWindowRgn(w.hwnd(), none), ERROR);
    DeleteObject(none);
}

// The UTF-8 title reaches the system whole; the name tests find the form
// by stays apart from it and goes with the window. The layered style
// replaces the extended style and carries the alpha.
WTEST(Window, TopMostFlagsKeepPlaceAndSizeAndShowTheWindowAndTheLayeredStyleCarriesTheAlpha) {
    WindowDesc d = desc("frmTopMostTest", {30, 50, 95, 79});
    d.caption = "VELMORA v2 \u2013 CPU 0";
    OneWindow w(d);
    REQUIRE(w.id != 0);
    win32::Win32Platform& os = w.os;
    const WindowId id = w.id;
    HWND hwnd = w.hwnd();
    CHECK(wintest::titleOf(hwnd) == L"VELMORA v2 \u2013 CPU 0");
    CHECK_EQ(win32::Win32Platform::formNameOf(hwnd), std::string("frmTopMostTest"));
    CHECK(GetClassLongPtrW(hwnd, GCLP_HICON) != 0);  // the program's icon (this test program has the same one)
    CHECK(GetClassLongPtrW(hwnd, GCLP_HICONSM) != 0);
    CHECK(!IsWindowVisible(hwnd));
    CHECK_EQ(exStyle(hwnd), static_cast<LONG>(WS_EX_TOOLWINDOW));  // off the taskbar
    os.setWindowPos(id, ZOrder::TopMost, kTopMostFlags);
    CHECK(IsWindowVisible(hwnd));  // SWP_SHOWWINDOW
    CHECK_EQ(wintest::text(os.windowRect(id)), std::string("30,50 65x29"));
    CHECK(GetForegroundWindow() != hwnd);  // SWP_NOACTIVATE
    for (const int wanted : {230, 0}) {
        CHECK_EQ(os.setLayeredAlpha(id, static_cast<std::uint8_t>(wanted)), 0L);
        // Replaced, but it stays off the taskbar and top-most.
        CHECK_EQ(exStyle(hwnd), static_cast<LONG>(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
        BYTE alpha = 0;
        DWORD flags = 0;
        REQUIRE(GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
        CHECK_EQ(static_cast<int>(alpha), wanted);
        CHECK(flags & LWA_ALPHA);
    }
    CHECK(os.setLayeredAlpha(9999, 10) != 0L);  // no such window: the system's error
    os.setWindowPos(id, ZOrder::NoTopMost, kTopMostFlags);
    CHECK(!(exStyle(hwnd) & WS_EX_TOPMOST));
    // A second form going top-most leaves the first where it is.
    const WindowId other = os.createWindow(desc("frmTopMostOther", {0, 0, 10, 10}), &w.listener);
    os.setWindowPos(other, ZOrder::TopMost, kTopMostFlags);
    CHECK(exStyle(os.hwndOf(other)) & WS_EX_TOPMOST);
    CHECK(!(exStyle(hwnd) & WS_EX_TOPMOST));
    // Moved, it reports its new rectangle; destroyed, none, and its name's atom is gone.
    os.moveWindow(id, {-5, 300, 45, 330});
    CHECK_EQ(wintest::text(os.windowRect(id)), std::string("-5,300 50x30"));
    os.destroyWindow(id);
    CHECK_EQ(os.windowRect(id).width(), 0);
    CHECK_EQ(GlobalFindAtomW(L"frmTopMostTest"), 0);
}

WTEST(Window, DialogHasACloseButtonThatAsksItsOwner) {
    WindowDesc d = desc("frmFramedTest", {100, 120, 320, 216});
    d.toolWindow = false;
    d.dialog = true;
    OneWindow w(d);
    REQUIRE(w.id != 0);
    const LONG style = GetWindowLongA(w.hwnd(), GWL_STYLE);
    CHECK((style & WS_CAPTION) == WS_CAPTION);
    CHECK((style & WS_SYSMENU) != 0);
    // The bounds are the inside of the frame.
    CHECK_EQ(wintest::text(w.os.windowRect(w.id)), std::string("100,120 220x96"));
    SendMessageA(w.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close button
    CHECK_EQ(w.listener.close, 1);
    CHECK(IsWindow(w.hwnd()));  // the owner decides
}

// velmora.exe's icon holds every size as an image the system reads.
WTEST(Window, TheProgramIconIsInVelmoraExeWithEverySize) {
    HMODULE exe = LoadLibraryExA((wintest::programFolder() + "\\velmora.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    REQUIRE(exe != nullptr);
    HRSRC group = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    const BYTE* directory = group ? static_cast<const BYTE*>(LockResource(LoadResource(exe, group))) : nullptr;
    CHECK(directory != nullptr);
    if (directory) {
        CHECK_EQ(directory[4], 4);  // the number of images
        for (int size : {16, 32, 48, 256}) {
            const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(directory), TRUE, size, size, LR_DEFAULTCOLOR);
            HRSRC image = FindResourceA(exe, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));  // RT_ICON
            BYTE* data = image ? static_cast<BYTE*>(LockResource(LoadResource(exe, image))) : nullptr;
            CHECK(data != nullptr);
            if (!data) continue;
            HICON icon = CreateIconFromResourceEx(data, SizeofResource(exe, image), TRUE, 0x00030000, size, size,
                                                  LR_DEFAULTCOLOR);
            CHECK(icon != nullptr);
            if (icon) DestroyIcon(icon);
        }
    }
    FreeLibrary(exe);
}

WTEST(Window, OnlyAFormThatTakesTheKeyboardIsActivated) {
    // Neither a click nor a move activates a monitor window: under Wine an
    // activated one is handed to the window manager mid-drag.
    win32::Win32Platform os(wintest::testOptions());
    wintest::CountingListener listener;
    const WindowId monitor = os.createWindow(desc("frmMonitorTest", {300, 300, 365, 329}), &listener);
    WindowDesc typed = desc("frmTypedTest", {400, 300, 465, 329});
    typed.takesFocus = true;
    const WindowId keyboard = os.createWindow(typed, &listener);
    REQUIRE(monitor != 0 && keyboard != 0);
    for (const WindowId id : {monitor, keyboard}) {
        HWND hwnd = os.hwndOf(id);
        os.showWindow(id, true);
        SetActiveWindow(nullptr);
        SetWindowPos(hwnd, HWND_TOP, 320, 320, 0, 0, SWP_NOSIZE);  // as the move loop moves
        const bool activated = GetActiveWindow() == hwnd;
        const LRESULT onClick = SendMessageW(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(hwnd),
                                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        CHECK_EQ(activated, id == keyboard);
        CHECK_EQ(onClick, static_cast<LRESULT>(id == keyboard ? MA_ACTIVATE : MA_NOACTIVATE));
    }
}
