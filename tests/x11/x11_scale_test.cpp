// The Linux backend at a desktop scale, on the real X server: windows,
// shapes, pictures, the pointer and screen reads are in device pixels on
// the server and in logical ones for the program; Xft.dpi sets the scale.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/native.h"

// Xlib last: its macros (None, Bool, Status) must not meet the names above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "top_level.h"
#include <X11/extensions/shape.h>

namespace {

using vel::platform::Rect;

class X11Scale : public ::testing::Test {
protected:
    void SetUp() override {
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(dpy, nullptr) << "x11_session.sh gives these tests a display";
        root = DefaultRootWindow(dpy);
    }
    void TearDown() override {
        os.reset();
        if (!dpy) return;
        XDeleteProperty(dpy, root, XA_RESOURCE_MANAGER);
        XSync(dpy, False);
        XCloseDisplay(dpy);
    }
    void start(int scale) {
        vel::platform::NativeOptions options;
        options.scale = scale;
        std::string error;
        os = vel::platform::createNativePlatform(options, error);
        ASSERT_NE(os, nullptr) << error;
    }
    Window topLevel(const char* name) { return vel::test::findTopLevel(dpy, root, name); }
    // A root pixel as the 24-bit server holds it (0xRRGGBB).
    unsigned long serverPixel(int x, int y) {
        XImage* image = XGetImage(dpy, root, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return ~0ul;
        const unsigned long native = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return native;
    }
    // The window's size on the server (device pixels).
    std::pair<unsigned, unsigned> serverSize(Window w) {
        Window r = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        XGetGeometry(dpy, w, &r, &x, &y, &width, &height, &border, &depth);
        return {width, height};
    }

    Display* dpy = nullptr;
    Window root = 0;
    std::unique_ptr<vel::platform::Platform> os;
};

}  // namespace

TEST_F(X11Scale, WindowsShapesPicturesAndThePointerAreEnlargedOnTheServer) {
    start(2);
    const vel::platform::WindowId id = os->createWindow({"VelScaled", Rect{100, 50, 104, 53}}, nullptr);
    vel::platform::Region region;
    region.rects = {Rect{0, 0, 4, 1}, Rect{1, 1, 3, 3}};
    os->setWindowRegion(id, &region, false);
    os->showWindow(id, true);
    vel::Pixels picture(4, 3);
    for (int i = 0; i < 12; ++i) picture.data[static_cast<std::size_t>(i)] = vel::rgb(20 * i, 255 - 20 * i, 7 * i);
    os->present(id, picture);
    os->doEvents();
    const Window w = topLevel("VelScaled");
    ASSERT_NE(w, 0u);
    EXPECT_EQ(serverSize(w), (std::pair<unsigned, unsigned>{8, 6}));
    const Rect logical = os->windowRect(id);
    EXPECT_EQ((std::array{logical.left, logical.top, logical.right, logical.bottom}), (std::array{100, 50, 104, 53}));

    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(dpy, w, ShapeBounding, &count, &ordering);
    int area = 0;
    for (int i = 0; i < count; ++i) area += rects[i].width * rects[i].height;
    if (rects) XFree(rects);
    EXPECT_EQ(area, 4 * (4 + 2 + 2)) << "each logical pixel of the region is 2 x 2 on the server";

    // The server's pixels are the picture enlarged, read back from the
    // screen by our connection and by the backend's own screen reads.
    bool same = false;
    for (int tries = 0; tries < 100 && !same; ++tries) {
        XSync(dpy, False);
        same = true;
        for (int y = 0; y < 2 && same; ++y)
            for (int x = 0; x < 8; ++x) {
                const vel::Colour c = picture.at(x / 2, y / 2);
                if (serverPixel(200 + x, 100 + y) !=
                    ((static_cast<unsigned long>(vel::redOf(c)) << 16) | (vel::greenOf(c) << 8) | vel::blueOf(c))) {
                    same = false;
                    break;
                }
            }
        if (!same) usleep(10'000);
    }
    EXPECT_TRUE(same) << "the top row of the picture, each pixel twice as wide and high";
    EXPECT_EQ(os->screenPixel(102, 51), static_cast<std::int32_t>(picture.at(2, 1)));

    XWarpPointer(dpy, 0, root, 0, 0, 0, 0, 205, 103);
    XSync(dpy, False);
    const vel::platform::Point p = os->cursorPos();
    EXPECT_EQ(p.x, 102);
    EXPECT_EQ(p.y, 51);
    EXPECT_EQ(os->screenSize().width, 800) << "the 1600 x 900 server, halved";
    os->destroyWindow(id);
}

TEST_F(X11Scale, XftDpiInTheResourceDatabaseSetsTheScale) {
    const std::string resources = "Xft.antialias:\t1\nXft.dpi:\t288\n";
    XChangeProperty(dpy, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(resources.data()), static_cast<int>(resources.size()));
    XSync(dpy, False);
    unsetenv("GDK_SCALE");
    start(0);
    const vel::platform::WindowId id = os->createWindow({"VelDpi", Rect{0, 0, 10, 5}}, nullptr);
    os->doEvents();
    const Window w = topLevel("VelDpi");
    ASSERT_NE(w, 0u);
    EXPECT_EQ(serverSize(w), (std::pair<unsigned, unsigned>{30, 15}));
    os->destroyWindow(id);
}
