// Finding our windows on the X server by their title, for the live tests.
#pragma once

#include <string>

#include <X11/Xlib.h>

namespace vel::test {

// The top-level window (a child of the root) with this title, or 0.
inline Window findTopLevel(Display* dpy, Window root, const char* name) {
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

}  // namespace vel::test
