// The Linux backend against a real X server (Xvfb, started by
// x11_session.sh): monitors set up through RandR, and the window manager's
// close request. Our own connection plays the desktop.
#include <gtest/gtest.h>
#include <unistd.h>

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

#include "top_level.h"
#include <X11/extensions/Xrandr.h>

namespace {

class X11Live : public ::testing::Test {
protected:
    void SetUp() override {
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(dpy, nullptr) << "x11_session.sh gives these tests a display";
        root = DefaultRootWindow(dpy);
        std::string error;
        os = vel::platform::createNativePlatform({}, error);
        ASSERT_NE(os, nullptr) << error;
    }
    void TearDown() override {
        os.reset();
        if (!dpy) return;
        for (const char* name : {"VelLeft", "VelRight"}) XRRDeleteMonitor(dpy, root, XInternAtom(dpy, name, False));
        XSync(dpy, False);
        XCloseDisplay(dpy);
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
    Window findTopLevel(const char* name) { return vel::test::findTopLevel(dpy, root, name); }

    Display* dpy = nullptr;
    Window root = 0;
    std::unique_ptr<vel::platform::Platform> os;
};

}  // namespace

TEST_F(X11Live, ScreenSizeIsThePrimaryMonitors) {
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

TEST_F(X11Live, InformationBoxIsFramedAndClosedByTheWindowManager) {
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

    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, w, False, NoEventMask, &e);
    XSync(dpy, False);
    for (int i = 0; i < 200 && about.loaded(); ++i) {  // two seconds at most
        os->doEvents();
        usleep(10'000);
    }
    EXPECT_FALSE(about.loaded());
}
