// The least a program can do that keeps the default desktop's rhythm: a
// small window whose clock face changes ten times a second, and the pointer
// and the pixel under it read four times a second (one pipelined round
// trip). No skins, no forms, no /proc: bench/overhead.sh runs it as the
// "floor" case, so the default desktop's figures can be set against what
// that rhythm alone costs on the machine at hand.
//   velmora_floor SECONDS
#include <X11/Xatom.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <xcb/xcb.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::int64_t nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t{t.tv_sec} * 1000 + t.tv_nsec / 1'000'000;
}

constexpr int kWidth = 65, kHeight = 29;  // the clock module's size

// A second hand sweeping a 23-pixel face: the pixels a tick changes.
void drawHand(XImage* face, int tick) {
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 24; ++x) XPutPixel(face, x, y, 0xE8E0C8);
    const double angle = tick * 0.6 * 3.14159265358979 / 180.0;
    for (int r = 0; r < 11; ++r)
        XPutPixel(face, 12 + static_cast<int>(std::lround(r * std::sin(angle))),
                  11 - static_cast<int>(std::lround(r * std::cos(angle))), 0x202020);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "velmora_floor: cannot open the display\n");
        return 1;
    }
    const int screen = DefaultScreen(d);
    const Window root = RootWindow(d, screen);
    XSetWindowAttributes attrs{};
    attrs.override_redirect = True;
    const Window w = XCreateWindow(d, root, DisplayWidth(d, screen) - 200, DisplayHeight(d, screen) - 100, kWidth,
                                   kHeight, 0, CopyFromParent, InputOutput, CopyFromParent, CWOverrideRedirect, &attrs);
    // Translucent like the modules, so the compositing manager blends it.
    unsigned long opacity = 0xC0000000ul;
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_WINDOW_OPACITY", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&opacity), 1);
    XMapWindow(d, w);
    const GC gc = XCreateGC(d, w, 0, nullptr);
    XImage* face = XCreateImage(d, DefaultVisual(d, screen), static_cast<unsigned>(DefaultDepth(d, screen)), ZPixmap,
                                0, static_cast<char*>(std::calloc(kWidth * kHeight, 4)), kWidth, kHeight, 32, 0);
    XSync(d, False);

    xcb_connection_t* c = XGetXCBConnection(d);
    const std::int64_t start = nowMs(), end = start + std::int64_t{seconds} * 1000;
    std::int64_t nextClock = start, nextPointer = start;
    int tick = 0, lastX = 0, lastY = 0;
    pollfd fd{ConnectionNumber(d), POLLIN, 0};
    while (nowMs() < end) {
        const std::int64_t wake = nextClock < nextPointer ? nextClock : nextPointer;
        const std::int64_t wait = wake - nowMs();
        if (wait > 0) poll(&fd, 1, static_cast<int>(wait));
        while (XPending(d) > 0) {
            XEvent e;
            XNextEvent(d, &e);
        }
        const std::int64_t now = nowMs();
        if (now >= nextClock) {
            drawHand(face, tick++);
            XPutImage(d, w, gc, face, 0, 0, 6, 3, 24, 23);
            nextClock += 100;
        }
        if (now >= nextPointer) {
            const auto pointer = xcb_query_pointer(c, static_cast<xcb_window_t>(root));
            const auto pixel = xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, static_cast<xcb_window_t>(root),
                                             static_cast<std::int16_t>(lastX), static_cast<std::int16_t>(lastY), 1, 1,
                                             ~0u);
            if (auto* p = xcb_query_pointer_reply(c, pointer, nullptr)) {
                lastX = p->root_x;
                lastY = p->root_y;
                std::free(p);
            }
            std::free(xcb_get_image_reply(c, pixel, nullptr));
            nextPointer += 250;
        }
        XFlush(d);
    }
    XDestroyImage(face);
    XFreeGC(d, gc);
    XCloseDisplay(d);
    return 0;
}
