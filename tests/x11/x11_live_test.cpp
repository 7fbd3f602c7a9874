// The Linux backend against a real X server (Xvfb, started by
// x11_session.sh): monitors set up through RandR, the information box's
// window hints, presenting, and a desktop scale (windows, shapes,
// pictures, the pointer and screen reads in device pixels on the server
// and in logical ones for the program; Xft.dpi sets the scale). Our own
// connection plays the desktop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/app.h"
#include "core/frm_about_zenthe.h"
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
        XRRMonitorInfo m{};
        m.name = XInternAtom(dpy, name, False);
        m.primary = primary;
        m.x = x;
        m.y = y;
        m.width = w;
        m.height = h;
        m.mwidth = w / 4;
        m.mheight = h / 4;
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
    EXPECT_EQ(os->screenPixel(1500, 10) >= 0, true) << "pixels of the other monitor can still be read";
}

// Closing it by the window manager's request: tests/desktop/gestures.sh.
TEST_F(X11Live, InformationBoxIsFramedAndTakesTheKeyboard) {
    start();
    vel::App app(*os);
    vel::FrmAboutZenthe about(app);
    about.show();
    os->doEvents();
    XSync(dpy, False);
    const Window w = findTopLevel("Zenthe Professional");
    ASSERT_NE(w, 0u);

    // No "no decorations" Motif hint, and it takes the keyboard.
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom motif = XInternAtom(dpy, "_MOTIF_WM_HINTS", False);
    XGetWindowProperty(dpy, w, motif, 0, 5, False, AnyPropertyType, &type, &format, &items, &after, &data);
    EXPECT_EQ(items, 0u);
    if (data) XFree(data);
    XWMHints* hints = XGetWMHints(dpy, w);
    ASSERT_NE(hints, nullptr);
    EXPECT_TRUE((hints->flags & InputHint) && hints->input);
    XFree(hints);
}

namespace {
// Our process's shared-memory segments that the kernel still holds.
int segmentsOfThisProcess() {
    FILE* f = std::fopen("/proc/sysvipc/shm", "r");
    if (!f) return -1;
    char line[512];
    int count = 0;
    std::fgets(line, sizeof line, f);  // header
    while (std::fgets(line, sizeof line, f)) {
        long key = 0, id = 0, perms = 0, size = 0, creator = 0;
        if (std::sscanf(line, "%ld %ld %lo %ld %ld", &key, &id, &perms, &size, &creator) == 5 && creator == getpid())
            ++count;
    }
    std::fclose(f);
    return count;
}
}  // namespace

// The same pixels reach the screen through shared memory and through the
// socket, for a whole picture and for a changed rectangle; no segment stays.
TEST_F(X11Live, SharedAndSocketPresentsShowTheSamePixels) {
    const int before = segmentsOfThisProcess();
    for (const char* noShm : {"0", "1"}) {
        SCOPED_TRACE(std::string("VELMORA_NO_SHM=") + noShm);
        setenv("VELMORA_NO_SHM", noShm, 1);
        std::string error;
        os = vel::platform::createNativePlatform({}, error);
        ASSERT_NE(os, nullptr) << error;
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
        XImage* shown = XGetImage(dpy, root, 20, 30, 100, 80, AllPlanes, ZPixmap);
        ASSERT_NE(shown, nullptr);
        int wrong = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 100; ++x) {
                const vel::Colour c = picture.at(x, y);
                const unsigned long rgb = ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
                if ((XGetPixel(shown, x, y) & 0xFFFFFFu) != rgb) ++wrong;
            }
        XDestroyImage(shown);
        EXPECT_EQ(wrong, 0);
        os.reset();
    }
    unsetenv("VELMORA_NO_SHM");
    // The server lets go of a segment when it reaches the detach.
    for (int i = 0; i < 100 && segmentsOfThisProcess() != before; ++i) usleep(10'000);
    EXPECT_EQ(segmentsOfThisProcess(), before);
}

// The pixel under a resting pointer comes with the pointer's own round trip:
// it must be the pixel there now, not the one of the last tick.
TEST_F(X11Live, ThePixelUnderThePointerIsTheOneThereNow) {
    start();
    const vel::platform::WindowId id = os->createWindow({"VelUnderPointer", {40, 40, 80, 60}}, nullptr);
    os->showWindow(id, true);
    vel::Pixels picture(40, 20);
    picture.fill(0x2040C0);
    for (int x = 20; x < 40; ++x)
        for (int y = 0; y < 20; ++y) picture.at(x, y) = 0x10A030;
    os->present(id, picture, {0, 0, 40, 20});
    auto pixelUnderPointer = [&](int x, int y) {
        XWarpPointer(dpy, 0, root, 0, 0, 0, 0, x, y);
        XSync(dpy, False);
        const vel::platform::Point p = os->cursorPos();
        EXPECT_EQ(p.x, x);
        EXPECT_EQ(p.y, y);
        return os->screenPixel(p.x, p.y);
    };
    EXPECT_EQ(pixelUnderPointer(45, 45), 0x2040C0);
    EXPECT_EQ(pixelUnderPointer(45, 45), 0x2040C0) << "the resting pointer's pixel";
    EXPECT_EQ(pixelUnderPointer(65, 45), 0x10A030) << "the pointer moved";
    picture.fill(0xC03020);
    os->present(id, picture, {0, 0, 40, 20});
    EXPECT_EQ(pixelUnderPointer(65, 45), 0xC03020) << "the picture under the resting pointer changed";
    EXPECT_EQ(os->screenPixel(45, 45), 0xC03020) << "another place is read on its own";
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

TEST_F(X11Live, XftDpiInTheResourceDatabaseSetsTheScale) {
    const std::string resources = "Xft.antialias:\t1\nXft.dpi:\t288\n";
    XChangeProperty(dpy, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(resources.data()), static_cast<int>(resources.size()));
    XSync(dpy, False);
    unsetenv("GDK_SCALE");
    start(0);
    const vel::platform::WindowId id = os->createWindow({"VelDpi", Rect{0, 0, 10, 5}}, nullptr);
    os->doEvents();
    const Window w = findTopLevel("VelDpi");
    ASSERT_NE(w, 0u);
    EXPECT_EQ(serverSize(w), (std::pair<unsigned, unsigned>{30, 15}));
    os->destroyWindow(id);
}
