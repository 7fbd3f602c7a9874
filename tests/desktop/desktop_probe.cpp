// What the desktop tests ask the X server, by the program's form names
// (WM_WINDOW_ROLE), whatever frames a window manager put around them:
//   desktop_probe find ROLE      the window's id, or nothing (exit 1)
//   desktop_probe where ROLE     its place on the root and size: X Y W H
//   desktop_probe focus          the role of the window with the keyboard
//   desktop_probe close ROLE     asks it to close, as a window manager does
//   desktop_probe shape ROLE     its XShape bounding region, "rects N window W H
//                                shaped 0|1", shaped when it leaves part of the window out
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <cstdio>
#include <string>

namespace {

std::string roleOf(Display* d, Window w) {
    static const Atom role = XInternAtom(d, "WM_WINDOW_ROLE", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string out;
    if (XGetWindowProperty(d, w, role, 0, 256, False, XA_STRING, &type, &format, &count, &after, &data) == Success &&
        data) {
        out.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return out;
}

// Depth-first over the tree: a managed window sits below its frame.
Window findRole(Display* d, Window under, const std::string& role) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, under, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes a{};
        if (roleOf(d, children[i]) == role && XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable)
            found = children[i];
        else
            found = findRole(d, children[i], role);
    }
    if (children) XFree(children);
    return found;
}

void printShape(Display* d, Window w) {
    XWindowAttributes a{};
    XGetWindowAttributes(d, w, &a);
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(d, w, ShapeBounding, &count, &ordering);
    long area = 0;
    for (int i = 0; i < count; ++i) area += static_cast<long>(rects[i].width) * rects[i].height;  // disjoint bands
    const bool shaped = area < static_cast<long>(a.width) * a.height;
    std::printf("rects %d window %d %d shaped %d\n", count, a.width, a.height, shaped ? 1 : 0);
    if (rects) XFree(rects);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string verb = argc > 1 ? argv[1] : "";
    const bool onRole = verb == "find" || verb == "where" || verb == "close" || verb == "shape";
    if (!(argc == 3 && onRole) && !(argc == 2 && verb == "focus")) {
        std::fprintf(stderr, "usage: desktop_probe find|where|close|shape ROLE | desktop_probe focus\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "desktop_probe: cannot open display\n");
        return 2;
    }
    // Windows come and go while the tree is walked (the splash, a closing
    // dialog): one gone between two requests is skipped, not fatal.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const Window root = DefaultRootWindow(d);
    int code = 0;
    if (verb == "focus") {
        Window w = 0;
        int revert = 0;
        XGetInputFocus(d, &w, &revert);
        std::string role;
        // The focus may sit on the window or, by some managers, on its frame.
        for (Window at = w; at && at != root && role.empty();) {
            role = roleOf(d, at);
            Window r = 0, parent = 0, *children = nullptr;
            unsigned count = 0;
            if (!XQueryTree(d, at, &r, &parent, &children, &count)) break;
            if (children) XFree(children);
            at = parent;
        }
        std::printf("%s\n", role.c_str());
        code = role.empty() ? 1 : 0;
    } else {
        const Window w = findRole(d, root, argv[2]);
        if (!w) {
            code = 1;
        } else if (verb == "find") {
            std::printf("%lu\n", w);
        } else if (verb == "where") {
            XWindowAttributes a{};
            int x = 0, y = 0;
            Window child = 0;
            XGetWindowAttributes(d, w, &a);
            XTranslateCoordinates(d, w, root, 0, 0, &x, &y, &child);
            std::printf("%d %d %d %d\n", x, y, a.width, a.height);
        } else if (verb == "shape") {
            printShape(d, w);
        } else {
            XEvent e{};
            e.xclient.type = ClientMessage;
            e.xclient.window = w;
            e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
            e.xclient.format = 32;
            e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
            e.xclient.data.l[1] = CurrentTime;
            XSendEvent(d, w, False, NoEventMask, &e);
            XSync(d, False);
        }
    }
    XCloseDisplay(d);
    return code;
}
