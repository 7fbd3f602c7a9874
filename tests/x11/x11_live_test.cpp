// The Linux backend against a real X server (Xvfb, started by
// x11_session.sh): monitors set up through RandR, presenting, and a desktop
// scale (windows, shapes, pictures, the pointer and screen reads in device
// pixels on the server and in logical ones for the program; Xft.dpi sets
// the scale). Our own connection plays the desktop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/native.h"

// Xlib last: its macros (None, Bool, Status) must not meet the names above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>

namespace {

using vel::platform::Rect;

class X11Live : public ::testing::Test {
protected:
    void SetUp() override {
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(dpy, nullptr) << "x11_session.sh gives these tests a display";
        root = DefaultRootWindow(dpy);
    }
    void TearDown() override {
        os.reset();
        if (!dpy) return;
        for (const char* name : {"VelLeft", "VelRight"}) XRRDeleteMonitor(dpy, root, XInternAtom(dpy, name, False));
        XDeleteProperty(dpy, root, XA_RESOURCE_MANAGER);
        XSync(dpy, False);
        XCloseDisplay(dpy);
    }
    // The backend at SCALE (0: the desktop's).
    void start(int scale = 0) {
        vel::platform::NativeOptions options;
        options.scale = scale;
        std::string error;
        os = vel::platform::createNativePlatform(options, error);
        ASSERT_NE(os, nullptr) << error;
    }
    void setMonitor(const char* name, int x, int y, int w, int h, bool primary) {
        XRRMonitorInfo m{.name = XInternAtom(dpy, name, False), .primary = primary, .automatic = False, .noutput = 0,
                         .x = x, .y = y, .width = w, .height = h, .mwidth = w / 4, .mheight = h / 4, .outputs = nullptr};
        XRRSetMonitor(dpy, root, &m);
        XSync(dpy, False);
    }
    // The top-level window (a child of the root) with this title, or 0.
    Window findTopLevel(const char* name) {
        Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (!XQueryTree(dpy, root, &rootReturn, &parent, &children, &count)) return 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            char* title = nullptr;
            if (XFetchName(dpy, children[i], &title) && title) {
                if (std::string(title) == name) found = children[i];
                XFree(title);
            }
        }
        if (children) XFree(children);
        return found;
    }
    // How many pixels of PART of the picture, each SCALE x SCALE on the
    // server with the picture's corner at (X, Y), the screen does not show;
    // asked again for a second while some are wrong.
    int wrongPixels(const vel::Pixels& picture, const Rect& part, int x, int y, int scale) {
        int wrong = -1;
        for (int tries = 0; tries < 100 && wrong != 0; ++tries) {
            if (tries) usleep(10'000);
            XSync(dpy, False);
            XImage* shown = XGetImage(dpy, root, x + part.left * scale, y + part.top * scale,
                                      static_cast<unsigned>(part.width() * scale),
                                      static_cast<unsigned>(part.height() * scale), AllPlanes, ZPixmap);
            if (!shown) continue;
            wrong = 0;
            for (int py = 0; py < part.height() * scale; ++py)
                for (int px = 0; px < part.width() * scale; ++px) {
                    const vel::Colour c = picture.at(part.left + px / scale, part.top + py / scale);
                    const unsigned long rgb = (static_cast<unsigned long>(vel::redOf(c)) << 16) |
                                              (vel::greenOf(c) << 8) | vel::blueOf(c);
                    if ((XGetPixel(shown, px, py) & 0xFFFFFFu) != rgb) ++wrong;
                }
            XDestroyImage(shown);
        }
        return wrong;
    }
    // The window's size on the server (device pixels).
    std::pair<int, int> serverSize(Window w) {
        XWindowAttributes a{};
        XGetWindowAttributes(dpy, w, &a);
        return {a.width, a.height};
    }

    Display* dpy = nullptr;
    Window root = 0;
    std::unique_ptr<vel::platform::Platform> os;
};

}  // namespace

TEST_F(X11Live, ScreenSizeIsThePrimaryMonitors) {
    start();
    // 1600 x 900 in all: a 1024 x 768 monitor on the left, a 576 x 900 one
    // on the right.
    setMonitor("VelLeft", 0, 0, 1024, 768, false);
    setMonitor("VelRight", 1024, 0, 576, 900, true);
    EXPECT_EQ(os->screenSize().width, 576) << "RandR's primary monitor";
    EXPECT_EQ(os->screenSize().height, 900);

    XRRDeleteMonitor(dpy, root, XInternAtom(dpy, "VelRight", False));
    setMonitor("VelRight", 1024, 0, 576, 900, false);
    EXPECT_EQ(os->screenSize().width, 1024) << "no primary: the first Xinerama screen";
    EXPECT_EQ(os->screenSize().height, 768);
}

namespace {
// Our process's shared-memory segments that the kernel still holds.
int segmentsOfThisProcess() {
    std::ifstream table("/proc/sysvipc/shm");
    std::string line;
    int count = 0;
    std::getline(table, line);  // header
    for (long key, id, perms, size, creator; table >> key >> id >> perms >> size >> creator;) {
        count += creator == getpid() ? 1 : 0;
        std::getline(table, line);
    }
    return table.eof() ? count : -1;
}
}  // namespace

// The same pixels reach the screen through shared memory and through the
// socket, for a whole picture and for a changed rectangle; no segment stays.
// The pixel under a resting pointer comes with the pointer's own round trip:
// it must be the pixel there now, not the one of the last tick.
TEST_F(X11Live, SharedAndSocketPresentsShowTheSamePixelsAndThePixelUnderThePointerIsTheOneThereNow) {
    const int before = segmentsOfThisProcess();
    auto pixelUnderPointer = [&](int x, int y) {
        XWarpPointer(dpy, 0, root, 0, 0, 0, 0, x, y);
        XSync(dpy, False);
        const vel::platform::Point p = os->cursorPos();
        EXPECT_EQ(p.x, x);
        EXPECT_EQ(p.y, y);
        return os->screenPixel(p.x, p.y);
    };
    for (const char* noShm : {"0", "1"}) {
        SCOPED_TRACE(std::string("VELMORA_NO_SHM=") + noShm);
        setenv("VELMORA_NO_SHM", noShm, 1);
        start();
        const vel::platform::WindowId id = os->createWindow({"VelPresent", {20, 30, 120, 110}}, nullptr);
        os->showWindow(id, true);
        vel::Pixels picture(100, 80);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 100; ++x) picture.at(x, y) = static_cast<vel::Colour>(x * 2 + y * 0x300 + 0x170000);
        os->present(id, picture, {0, 0, 100, 80});
        for (int y = 40; y < 50; ++y)
            for (int x = 60; x < 75; ++x) picture.at(x, y) = 0x0000FF;
        os->present(id, picture, {60, 40, 75, 50});
        if (std::string(noShm) == "0") {
            EXPECT_EQ(segmentsOfThisProcess() - before, 1) << "one segment for the window";
        }
        os->cursorPos();  // a round trip: the server has done what we asked
        EXPECT_EQ(wrongPixels(picture, {0, 0, 100, 80}, 20, 30, 1), 0);

        EXPECT_EQ(pixelUnderPointer(25, 35), static_cast<std::int32_t>(picture.at(5, 5)));
        EXPECT_EQ(pixelUnderPointer(25, 35), static_cast<std::int32_t>(picture.at(5, 5))) << "the resting pointer's";
        EXPECT_EQ(pixelUnderPointer(85, 75), 0x0000FF) << "the pointer moved";
        picture.fill(0xC03020);
        os->present(id, picture, {0, 0, 100, 80});
        EXPECT_EQ(pixelUnderPointer(85, 75), 0xC03020) << "the picture under the resting pointer changed";
        EXPECT_EQ(os->screenPixel(25, 35), 0xC03020) << "another place is read on its own";
        os.reset();
    }
    unsetenv("VELMORA_NO_SHM");
    // The server lets go of a segment when it reaches the detach.
    for (int i = 0; i < 100 && segmentsOfThisProcess() != before; ++i) usleep(10'000);
    EXPECT_EQ(segmentsOfThisProcess(), before);
}

TEST_F(X11Live, WindowsShapesPicturesAndThePointerAreEnlargedOnTheServer) {
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
    const Window w = findTopLevel("VelScaled");
    ASSERT_NE(w, 0u);
    EXPECT_EQ(serverSize(w), (std::pair{8, 6}));
    const Rect logical = os->windowRect(id);
    EXPECT_EQ((std::array{logical.left, logical.top, logical.right, logical.bottom}), (std::array{100, 50, 104, 53}));

    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(dpy, w, ShapeBounding, &count, &ordering);
    int area = 0;
    for (int i = 0; i < count; ++i) area += rects[i].width * rects[i].height;
    if (rects) XFree(rects);
    EXPECT_EQ(area, 4 * (4 + 2 + 2)) << "each logical pixel of the region is 2 x 2 on the server";

    // The server's pixels are the picture enlarged: the top row (the shape
    // leaves the rest out), each pixel twice as wide and high.
    EXPECT_EQ(wrongPixels(picture, {0, 0, 4, 1}, 200, 100, 2), 0);
    EXPECT_EQ(os->screenPixel(102, 51), static_cast<std::int32_t>(picture.at(2, 1)));

    XWarpPointer(dpy, 0, root, 0, 0, 0, 0, 205, 103);
    XSync(dpy, False);
    const vel::platform::Point p = os->cursorPos();
    EXPECT_EQ(p.x, 102);
    EXPECT_EQ(p.y, 51);
    EXPECT_EQ(os->screenSize().width, 800) << "the 1600 x 900 server, halved";
}

TEST_F(X11Live, XftDpiInTheResourceDatabaseSetsTheScale) {
    const std::string resources = "Xft.antialias:\t1\nXft.dpi:\t288\n";
    XChangeProperty(dpy, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(resources.data()), static_cast<int>(resources.size()));
    XSync(dpy, False);
    unsetenv("GDK_SCALE");
    start(0);
    os->createWindow({"VelDpi", Rect{0, 0, 10, 5}}, nullptr);
    os->doEvents();
    const Window w = findTopLevel("VelDpi");
    ASSERT_NE(w, 0u);
    EXPECT_EQ(serverSize(w), (std::pair{30, 15}));
}
