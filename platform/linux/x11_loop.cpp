// The event loop: X events and timers, poll() in between, and the mouse.
#include "platform/linux/x11_platform.h"
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>
#include <sys/wait.h>

#include <algorithm>

#include "platform/linux/x11_atoms.h"

namespace vel::platform::linux_backend {

namespace {
// Xlib's None macro hides MouseButton::None in this file.
constexpr MouseButton kNoButton = static_cast<MouseButton>(0);

int shiftOf(unsigned state) {
    return ((state & ShiftMask) ? 1 : 0) | ((state & ControlMask) ? 2 : 0) | ((state & Mod1Mask) ? 4 : 0);
}

MouseButton buttonOf(unsigned xbutton) {
    switch (xbutton) {
        case Button1: return MouseButton::Left;
        case Button2: return MouseButton::Middle;
        case Button3: return MouseButton::Right;
        default: return kNoButton;  // wheel and extra buttons
    }
}

// Windows virtual-key numbers for the keys the program looks at.
int virtualKey(KeySym sym) {
    if (sym >= XK_a && sym <= XK_z) return static_cast<int>(sym - XK_a) + 'A';
    if (sym >= XK_A && sym <= XK_Z) return static_cast<int>(sym - XK_A) + 'A';
    if (sym >= XK_0 && sym <= XK_9) return static_cast<int>(sym - XK_0) + '0';
    switch (sym) {
        case XK_Tab: case XK_ISO_Left_Tab: return 9;
        case XK_Return: case XK_KP_Enter: return 13;
        case XK_Escape: return 27;
        case XK_space: return 32;
        case XK_Prior: case XK_KP_Prior: return 33;
        case XK_Next: case XK_KP_Next: return 34;
        case XK_End: case XK_KP_End: return 35;
        case XK_Home: case XK_KP_Home: return 36;
        case XK_Left: return 37;
        case XK_Up: return 38;
        case XK_Right: return 39;
        case XK_Down: return 40;
        case XK_F1: return 112;
        case XK_F4: return 115;
        case XK_KP_Add: return 107;
        case XK_KP_Subtract: return 109;
        case XK_plus: case XK_equal: return 187;  // the '+' key, shifted or not
        case XK_minus: return 189;
        default: return 0;
    }
}
}  // namespace

TimerId X11Platform::startTimer(std::uint32_t intervalMs, std::function<void()> tick) {
    return timers_.add(intervalMs, std::move(tick), tickMs());
}

void X11Platform::quit(int exitCode) {
    quitting_ = true;
    exitCode_ = exitCode;
}

int X11Platform::runLoop() {
    while (!quitting_) runOnce(true);
    XFlush(dpy_);
    return exitCode_;
}

void X11Platform::doEvents() { runOnce(false); }

void X11Platform::runOnce(bool wait) {
    if (wait) {
        inPass_ = true;
        lastFlushMs_ = tickMs();  // the pass starts; its end flushes
    }
    dispatchQueued();
    if (!quitting_) timers_.fireDue(tickMs());
    reapChildren();
    watchCompositor();
    if (idleHook_) idleHook_();
    flushOncePerPass(wait);
    if (wait) inPass_ = false;
    if (signalledToEnd() || XEventsQueued(dpy_, QueuedAlready) > 0) return;
    if (waitForInput(wait ? timers_.waitMs(tickMs()) : 0)) {
        XEventsQueued(dpy_, QueuedAfterReading);
        dispatchQueued();
    }
}

void X11Platform::flushOncePerPass(bool outermost) {
    // A tick that lets pending events run would flush its painting and the
    // loop's pass again after it: the pass's own flush is enough, unless a
    // busy wait keeps the pass from ending for longer than a frame.
    constexpr std::uint64_t kFrameMs = 16;
    const std::uint64_t now = tickMs();
    if (!outermost && inPass_ && now - lastFlushMs_ < kFrameMs) return;
    lastFlushMs_ = now;
    XFlush(dpy_);
}

bool X11Platform::waitForInput(int timeoutMs) {
    // The socket is only read when poll says there is something, so a quiet
    // loop costs one poll per wake-up and no failed reads.
    pollfd fds[2] = {{ConnectionNumber(dpy_), POLLIN, 0}, {signals_.fd(), POLLIN, 0}};
    const nfds_t count = signals_.fd() >= 0 ? 2 : 1;
    return poll(fds, count, timeoutMs) > 0 && (fds[0].revents & POLLIN);
}

bool X11Platform::signalledToEnd() {
    if (!quitting_ && signals_.arrived()) endSession();
    return quitting_;
}

void X11Platform::dispatchQueued() {
    // Bounded, so a flood of motion cannot starve the timers.
    for (int n = 0; n < 256 && XEventsQueued(dpy_, QueuedAlready) > 0; ++n) {
        XEvent e;
        if (pressWatch_.active) {
            // A press that has become a click or a drag leaves what follows
            // (the next press of a double-click) to the loop.
            if (pressWatch_.decided()) break;
            XPeekEvent(dpy_, &e);
            if (e.type == ButtonPress) {
                pressWatch_.release();
                break;
            }
        }
        XNextEvent(dpy_, &e);
        dispatch(&e);
    }
}

void X11Platform::deliverMouse(XId xid, MouseEvent e) {
    X11Window* w = findByXid(xid);
    if (!w || !w->listener) return;
    if (!modal_.empty() && modal_.back() != w->id) return;  // a message box is up
    e.x = scale_.toLogical(e.x);
    e.y = scale_.toLogical(e.y);
    w->listener->onMouse(e);  // may destroy w
}

void X11Platform::dispatch(void* event) {
    XEvent& e = *static_cast<XEvent*>(event);
    // While a press may still become a drag, and during one, the pointer
    // belongs to the drag, also when a tick lets pending events run: a
    // release delivered here would never end it.
    const bool pointerEvent = e.type == ButtonPress || e.type == ButtonRelease || e.type == MotionNotify;
    if (pointerEvent && pressWatch_.active) {
        watchPress(&e);
        return;
    }
    if (dragging_ > 0 && pointerEvent) return;
    switch (e.type) {
        case Expose: {
            X11Window* w = findByXid(e.xexpose.window);
            if (!w) break;
            // A manager maps its frame after our window: shown at last.
            if (w->focusOnMap) focusWindow(w->id);
            if (w->image)
                putImage(*w, e.xexpose.x, e.xexpose.y, e.xexpose.width, e.xexpose.height);
            else if (e.xexpose.count == 0 && w->listener)
                w->listener->onExpose();
            break;
        }
        case ButtonPress: {
            if (e.xbutton.button == Button4 || e.xbutton.button == Button5) {
                MouseEvent wheel{MouseEvent::Kind::Wheel, kNoButton, shiftOf(e.xbutton.state), e.xbutton.x, e.xbutton.y};
                wheel.wheel = e.xbutton.button == Button4 ? 120 : -120;
                deliverMouse(e.xbutton.window, wheel);
                break;
            }
            MouseButton b = buttonOf(e.xbutton.button);
            if (b == kNoButton) break;
            X11Window* w = findByXid(e.xbutton.window);
            if (!w) break;
            if (b == MouseButton::Left) lastPress_ = Point{e.xbutton.x_root, e.xbutton.y_root};
            lastUserTime_ = e.xbutton.time;
            const bool dbl = clicks_.press(w->id, static_cast<int>(b), e.xbutton.x_root, e.xbutton.y_root,
                                           static_cast<std::uint32_t>(e.xbutton.time));
            deliverMouse(e.xbutton.window, MouseEvent{dbl ? MouseEvent::Kind::DoubleClick : MouseEvent::Kind::Down,
                                                      b, shiftOf(e.xbutton.state), e.xbutton.x, e.xbutton.y});
            break;
        }
        case ButtonRelease: {
            MouseButton b = buttonOf(e.xbutton.button);
            if (b == kNoButton) break;
            deliverMouse(e.xbutton.window,
                         MouseEvent{MouseEvent::Kind::Up, b, shiftOf(e.xbutton.state), e.xbutton.x, e.xbutton.y});
            break;
        }
        case MotionNotify: {
            // Only the latest position matters.
            while (XCheckTypedWindowEvent(dpy_, e.xmotion.window, MotionNotify, &e)) {
            }
            MouseButton held = (e.xmotion.state & Button1Mask)   ? MouseButton::Left
                               : (e.xmotion.state & Button3Mask) ? MouseButton::Right
                               : (e.xmotion.state & Button2Mask) ? MouseButton::Middle
                                                                 : kNoButton;
            deliverMouse(e.xmotion.window,
                         MouseEvent{MouseEvent::Kind::Move, held, shiftOf(e.xmotion.state), e.xmotion.x, e.xmotion.y});
            break;
        }
        case LeaveNotify:
            if (e.xcrossing.mode == NotifyNormal && e.xcrossing.detail != NotifyInferior)
                deliverMouse(e.xcrossing.window, MouseEvent{MouseEvent::Kind::Leave, kNoButton, 0,
                                                            e.xcrossing.x, e.xcrossing.y});
            break;
        case KeyPress: {
            X11Window* w = findByXid(e.xkey.window);
            if (!w || !w->listener || (!modal_.empty() && modal_.back() != w->id)) break;
            lastUserTime_ = e.xkey.time;
            KeySym sym = XLookupKeysym(&e.xkey, 0);
            int vk = virtualKey(sym);
            // Alt+F4 closes, as window managers and Windows do; here it only
            // arrives where no manager took it.
            if (sym == XK_F4 && (e.xkey.state & Mod1Mask))
                w->listener->onCloseRequest();
            else if (vk)
                w->listener->onKey(KeyEvent{vk, shiftOf(e.xkey.state)});
            break;
        }
        case ConfigureNotify:
            if (X11Window* w = findByXid(e.xconfigure.window)) w->rectStale = true;
            break;
        case MapNotify:
            if (X11Window* w = findByXid(e.xmap.window)) {
                w->rectStale = true;
                if (w->focusOnMap && e.xmap.window == w->xid) focusWindow(w->id);
            }
            break;
        case ClientMessage:
            if (e.xclient.message_type == atoms_->wmProtocols &&
                static_cast<Atom>(e.xclient.data.l[0]) == atoms_->wmDeleteWindow) {
                X11Window* w = findByXid(e.xclient.window);
                if (w && w->listener) w->listener->onCloseRequest();
            }
            break;
        default:
            break;
    }
}

void X11Platform::watchCompositor() {
    // A compositor can come and go while we run; invisible windows are made
    // differently with and without one. One round trip every two seconds.
    const std::uint64_t now = tickMs();
    if (now < nextCompositorCheck_) return;
    nextCompositorCheck_ = now + 2000;
    const bool running = compositorRunning();
    if (running == compositorSeen_) return;
    compositorSeen_ = running;
    for (auto& [id, w] : windows_)
        if (w->layered && w->alpha == 0) applyShape(*w);
}

void X11Platform::reapChildren() {
    children_.erase(std::remove_if(children_.begin(), children_.end(),
                                   [](int pid) { return waitpid(pid, nullptr, WNOHANG) != 0; }),
                    children_.end());
}

}  // namespace vel::platform::linux_backend
