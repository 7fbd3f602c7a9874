// The Win32 backend at a desktop scale: the system sees device pixels
// (twice the logical ones here), the program only logical ones; presented
// pixels reach the screen exactly.
#include "platform/win32/win32_platform.h"

#include "harness.h"
#include "support.h"

using namespace vel;
using namespace vel::platform;

WTEST(Window, AtScaleTwoTheSystemSeesEveryPixelTwice) {
    NativeOptions options = wintest::testOptions();
    options.scale = 2;
    win32::Win32Platform os(options);
    wintest::CountingListener listener;
    WindowDesc d;
    d.name = "frmScaleTest";
    d.bounds = {100, 100, 104, 102};
    const WindowId id = os.createWindow(d, &listener);
    REQUIRE(id != 0);
    RECT device{};
    GetWindowRect(os.hwndOf(id), &device);
    CHECK_EQ(device.left, 200);
    CHECK_EQ(device.right, 208);
    CHECK_EQ(device.bottom, 204);
    CHECK_EQ(wintest::text(os.windowRect(id)), std::string("100,100 4x2"));

    Region region;
    region.rects = {{0, 0, 3, 1}, {1, 1, 2, 2}};
    os.setWindowRegion(id, &region, true);
    HRGN applied = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(os.hwndOf(id), applied);
    CHECK(PtInRegion(applied, 5, 1) != FALSE);
    CHECK(PtInRegion(applied, 3, 3) != FALSE);
    CHECK(PtInRegion(applied, 1, 3) == FALSE);
    DeleteObject(applied);
    os.setWindowRegion(id, nullptr, true);

    os.setWindowPos(id, ZOrder::TopMost, kTopMostFlags);
    Pixels p(4, 2, rgb(1, 2, 3));
    p.at(1, 0) = rgb(255, 0, 0);
    p.at(3, 1) = rgb(0, 0, 255);
    os.doEvents();
    os.present(id, p);
    os.doEvents();
    HDC screen = GetWindowDC(nullptr);
    CHECK_EQ(GetPixel(screen, 202, 200), rgb(255, 0, 0));
    CHECK_EQ(GetPixel(screen, 203, 201), rgb(255, 0, 0));
    CHECK_EQ(GetPixel(screen, 207, 203), rgb(0, 0, 255));
    CHECK_EQ(GetPixel(screen, 204, 201), rgb(1, 2, 3));
    ReleaseDC(nullptr, screen);
    CHECK_EQ(os.screenPixel(101, 100), static_cast<std::int32_t>(rgb(255, 0, 0)));
    CHECK_EQ(os.screenSize().width, GetSystemMetrics(SM_CXSCREEN) / 2);
    CHECK_EQ(os.screenPixel(-1, 5), -1);  // off the screen

    // A press on device pixel (7, 3) is on logical pixel (3, 1).
    SendMessageA(os.hwndOf(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 3));
    SendMessageA(os.hwndOf(id), WM_LBUTTONUP, 0, MAKELPARAM(7, 3));
    CHECK_EQ(listener.lastMouse.x, 3);
    CHECK_EQ(listener.lastMouse.y, 1);
    os.destroyWindow(id);
}
