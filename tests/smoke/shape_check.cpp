// Reports a window's XShape bounding region for the smoke test:
//   shape_check WINDOW-ID
// prints "rects N window W H shaped 0|1 inside X Y", where shaped is 1 when
// the region leaves part of the window out, and (X, Y) is a window point
// inside the region (the centre of its largest rectangle).
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: shape_check WINDOW-ID\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "shape_check: cannot open display\n");
        return 2;
    }
    const Window w = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, w, &a)) return 2;
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(d, w, ShapeBounding, &count, &ordering);
    long area = 0, best = -1;
    int cx = a.width / 2, cy = a.height / 2;
    for (int i = 0; i < count; ++i) {
        const long r = static_cast<long>(rects[i].width) * rects[i].height;
        area += r;  // Xlib hands back non-overlapping bands
        if (r > best) {
            best = r;
            cx = rects[i].x + rects[i].width / 2;
            cy = rects[i].y + rects[i].height / 2;
        }
    }
    const bool shaped = area < static_cast<long>(a.width) * a.height;
    std::printf("rects %d window %d %d shaped %d inside %d %d\n", count, a.width, a.height, shaped ? 1 : 0, cx, cy);
    if (rects) XFree(rects);
    XCloseDisplay(d);
    return 0;
}
