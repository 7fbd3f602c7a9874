// Moving a window with the mouse. A press starts nothing by itself: only
// when the pointer leaves the desktop's drag threshold with the button
// still held does the window manager's move (or, without one, our own
// loop) take over. A release before that is a click, so the next press
// can complete a double-click. Timers keep running throughout, as they do
// in the Windows move loop.
#include "platform/linux/x11_platform.h"
#include <X11/Xatom.h>

#include <algorithm>
#include <cstdlib>

#include "platform/linux/x11_atoms.h"

namespace vel::platform::linux_backend {

namespace {
// _NET_WM_MOVERESIZE directions.
constexpr long kMoveResizeMove = 8, kMoveResizeCancel = 11;
// How long a window manager may take to start a move it was asked for
// before our own loop moves the window instead.
constexpr std::uint64_t kManagerAnswerMs = 300;
// After the release: how long the manager may keep the pointer before it
// is told to stop, and how long we wait for it at most.
constexpr std::uint64_t kManagerGlueMs = 150, kManagerSettleMs = 600;
}  // namespace

bool X11Platform::wmSupports(XId feature) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    // A live window manager names its check window on the root.
    if (XGetWindowProperty(dpy_, root_, atoms_->netSupportingWmCheck, 0, 1, False, XA_WINDOW, &type, &format, &count,
                           &after, &data) != Success || !data || count == 0) {
        if (data) XFree(data);
        return false;
    }
    XFree(data);
    data = nullptr;
    if (XGetWindowProperty(dpy_, root_, atoms_->netSupported, 0, 4096, False, XA_ATOM, &type, &format, &count, &after,
                           &data) != Success || !data)
        return false;
    const Atom* atoms = reinterpret_cast<const Atom*>(data);
    const bool found = std::find(atoms, atoms + count, feature) != atoms + count;
    XFree(data);
    return found;
}

void X11Platform::systemDrag(WindowId id) {
    if (!find(id)) return;
    const Point press = lastPress_;
    if (!awaitDragStart(id, press)) return;
    X11Window* w = find(id);
    if (!w) return;
    if (wmSupports(atoms_->netWmMoveResize) && managerDrag(*w, press)) return;
    if ((w = find(id))) pointerDrag(*w, press);
}

unsigned X11Platform::queryPointer(Point& at) const {
    Window r = 0, c = 0;
    int wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(dpy_, root_, &r, &c, &at.x, &at.y, &wx, &wy, &mask);
    return mask;
}

void X11Platform::watchPress(const void* event) {
    const XEvent& e = *static_cast<const XEvent*>(event);
    if (e.type == MotionNotify)
        pressWatch_.pointerAt(e.xmotion.x_root, e.xmotion.y_root);
    else if (e.type == ButtonRelease && e.xbutton.button == Button1)
        pressWatch_.release();
}

bool X11Platform::awaitDragStart(WindowId id, Point press) {
    pressWatch_.start(press.x, press.y, dragThreshold_);
    while (!signalledToEnd() && find(id)) {
        dispatchQueued();  // the pointer's events go to the watch
        if (pressWatch_.decided()) break;
        // Its state too, so that an event lost to another grab cannot
        // leave us waiting; a release still queued is taken first.
        Point at;
        const unsigned mask = queryPointer(at);
        if (!(mask & Button1Mask)) {
            XSync(dpy_, False);
            dispatchQueued();
            pressWatch_.release();
            break;
        }
        pressWatch_.pointerAt(at.x, at.y);
        if (pressWatch_.decided()) break;
        dragPass();
    }
    const bool drag = pressWatch_.moved;
    pressWatch_ = {};
    return drag;
}

void X11Platform::dragPass() {
    dispatchQueued();  // pointer events are dropped; the rest is handled
    timers_.fireDue(tickMs());
    if (idleHook_) idleHook_();
    XFlush(dpy_);
    // Short waits: the pointer's state is read, not waited for.
    if (XEventsQueued(dpy_, QueuedAlready) == 0) waitForInput(std::clamp(timers_.waitMs(tickMs()), 0, 15));
}

void X11Platform::sendMoveResize(X11Window& w, Point rootAt, long direction) {
    // The last field: a normal application asks.
    askManager(w.xid, atoms_->netWmMoveResize, {rootAt.x, rootAt.y, direction, Button1, 1});
    XFlush(dpy_);
}

void X11Platform::followPointer(X11Window& w, const Rect& origin, Point press, Point now) {
    const Point from = scale_.toLogical(press), to = scale_.toLogical(now);
    const int dx = to.x - from.x, dy = to.y - from.y;
    moveWindow(w.id, Rect{origin.left + dx, origin.top + dy, origin.right + dx, origin.bottom + dy});
}

bool X11Platform::managerDrag(X11Window& w, Point press) {
    const WindowId id = w.id;
    // The manager moves the window from where it is when asked, so it
    // first catches up with the pointer, which has left the threshold.
    Point at;
    queryPointer(at);
    const Rect before = windowRect(id);
    followPointer(w, before, press, at);
    const Rect asked = w.rect;  // where the manager finds it
    XUngrabPointer(dpy_, CurrentTime);  // the manager takes the pointer over
    sendMoveResize(w, at, kMoveResizeMove);
    const std::uint64_t askedMs = tickMs();
    bool taken = false, released = false;
    ++dragging_;
    while (X11Window* still = find(id)) {
        Point now;
        const unsigned mask = queryPointer(now);
        if (!(mask & Button1Mask) || signalledToEnd()) {
            released = true;
            break;
        }
        if (!taken) {
            // The manager has the move once the window follows the pointer;
            // one that only keeps it on the screen does not count.
            refreshRect(*still);
            const int pointerX = now.x - at.x, pointerY = now.y - at.y;
            const int windowX = still->rect.left - asked.left, windowY = still->rect.top - asked.top;
            const bool pointerMoved = std::abs(pointerX) > 2 || std::abs(pointerY) > 2;
            taken = pointerMoved && std::abs(windowX - pointerX) <= 2 && std::abs(windowY - pointerY) <= 2;
            // A manager that ignores the request (some do without a real
            // button on their own seat) leaves the window where it was.
            if (!taken && pointerMoved && tickMs() - askedMs > kManagerAnswerMs) break;
        }
        dragPass();
    }
    --dragging_;
    X11Window* still = find(id);
    if (!still) return true;
    if (!released) {
        sendMoveResize(*still, at, kMoveResizeCancel);
        moveWindow(id, before);  // our own loop follows the pointer from the press
        return false;
    }
    awaitManagerRelease(*still, at);
    still->rectStale = true;
    return true;
}

void X11Platform::awaitManagerRelease(X11Window& w, Point at) {
    // The manager keeps the pointer until it has seen the release and
    // placed the window; once we could take the pointer, the window's
    // place is final. A manager that asked too late never saw the button
    // down and would keep moving the window with none held: it is stopped.
    const std::uint64_t start = tickMs();
    bool cancelled = false;
    while (tickMs() - start < kManagerSettleMs) {
        if (XGrabPointer(dpy_, root_, False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime) ==
            GrabSuccess) {
            XUngrabPointer(dpy_, CurrentTime);
            XFlush(dpy_);
            return;
        }
        if (!cancelled && tickMs() - start > kManagerGlueMs) {
            sendMoveResize(w, at, kMoveResizeCancel);
            cancelled = true;
        }
        ++dragging_;
        dragPass();
        --dragging_;
    }
}

void X11Platform::pointerDrag(X11Window& w, Point press) {
    const Rect origin = windowRect(w.id);
    const WindowId id = w.id;
    const XId grabWindow = w.inputCatcher && w.alpha == 0 ? w.inputCatcher : w.xid;
    // A manager that was asked first may still hold the pointer a moment.
    bool grabbed = false;
    for (int tries = 0; tries < 20 && !grabbed; ++tries) {
        grabbed = XGrabPointer(dpy_, grabWindow, False, ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                               GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
        if (!grabbed) sleep(10);
    }
    if (!grabbed) return;
    // The pointer's own state drives the move, not its events: a tick that
    // lets pending events run may take those.
    ++dragging_;
    Point last = press;
    while (!signalledToEnd()) {
        X11Window* still = find(id);
        if (!still) break;
        Point now;
        const unsigned mask = queryPointer(now);
        if (now.x != last.x || now.y != last.y) {
            followPointer(*still, origin, press, now);
            last = now;
        }
        if (!(mask & Button1Mask)) break;  // the release ends the move and is not seen as a click
        dragPass();
    }
    --dragging_;
    XUngrabPointer(dpy_, CurrentTime);
    XFlush(dpy_);
    if (X11Window* still = find(id)) still->rectStale = true;
}

}  // namespace vel::platform::linux_backend
