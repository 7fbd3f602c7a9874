// Forms: creation, shape, opacity, stacking, presenting pixels and input.
#include "platform/win32/win32_platform.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/region_builder.h"
#include "platform/win32/utf16.h"

namespace vel::platform::win32 {

namespace {
const wchar_t* kFormClass = L"VelmoraForm";
const char* kTimerWindowClass = "VelmoraTimers";
// The form's name, as a global atom, so that another process can read it.
const wchar_t* kFormNameProperty = L"VelmoraFormName";

// Each window keeps its record (form) or the platform (timer window) in its user
// data, set from the creation parameter before any other message.
template <typename Target>
Target* attached(HWND hwnd, UINT msg, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    return reinterpret_cast<Target*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK formProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (Win32Window* w = attached<Win32Window>(hwnd, msg, lp); w && w->os) {
        w->hwnd = hwnd;  // messages arrive before CreateWindowExA returns
        return w->os->formMessage(*w, msg, wp, lp);
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK timerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (Win32Platform* os = attached<Win32Platform>(hwnd, msg, lp)) return os->timerWindowMessage(hwnd, msg, wp, lp);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int shiftOf(WPARAM wp) {
    return ((wp & MK_SHIFT) ? 1 : 0) | ((wp & MK_CONTROL) ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

bool anyButtonDown(WPARAM wp) { return (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0; }

MouseButton heldButton(WPARAM wp) {
    return (wp & MK_LBUTTON)   ? MouseButton::Left
           : (wp & MK_RBUTTON) ? MouseButton::Right
           : (wp & MK_MBUTTON) ? MouseButton::Middle
                               : MouseButton::None;
}
}  // namespace

void Win32Platform::registerClasses() {
    // Forms are Unicode windows: their titles and text are UTF-16.
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.style = CS_DBLCLKS;
    form.lpfnWndProc = formProc;
    form.hInstance = instance_;
    form.hCursor = LoadCursor(nullptr, IDC_ARROW);
    // velmora.exe's icon (resource 1) for title bars and the taskbar; a
    // program without one gets the system's.
    form.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    form.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    form.lpszClassName = kFormClass;
    RegisterClassExW(&form);
    WNDCLASSEXA timers{};
    timers.cbSize = sizeof timers;
    timers.lpfnWndProc = timerWindowProc;
    timers.hInstance = instance_;
    timers.lpszClassName = kTimerWindowClass;
    RegisterClassExA(&timers);
    timerWindow_ = CreateWindowExA(WS_EX_TOOLWINDOW, kTimerWindowClass, "VELMORA", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             instance_, this);
}

Win32Window* Win32Platform::find(WindowId id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second.get();
}

HWND Win32Platform::hwndOf(WindowId id) const {
    const Win32Window* w = find(id);
    return w ? w->hwnd : nullptr;
}

WindowId Win32Platform::createWindow(const WindowDesc& desc, WindowListener* listener) {
    auto w = std::make_unique<Win32Window>();
    w->os = this;
    w->id = nextWindow_++;
    w->name = desc.name;
    w->popup = desc.popup;
    w->dialog = desc.dialog;
    w->takesFocus = desc.takesFocus || desc.dialog;
    w->listener = listener;
    w->keptExStyle = (desc.toolWindow || desc.popup ? WS_EX_TOOLWINDOW : 0) | (desc.popup ? WS_EX_NOACTIVATE : 0) |
                     (desc.dialog ? WS_EX_DLGMODALFRAME : 0);
    const DWORD exStyle = w->keptExStyle | (desc.popup ? WS_EX_TOPMOST : 0);
    w->style = desc.dialog ? WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN : WS_POPUP | WS_CLIPCHILDREN;
    const RECT outer = outerRect(*w, scale_.toDevice(desc.bounds));
    const std::string& title = desc.title();
    w->hwnd = CreateWindowExW(exStyle, kFormClass, widen(title).c_str(), w->style, outer.left, outer.top,
                              outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance_, w.get());
    if (!w->hwnd) return 0;
    if (const ATOM name = GlobalAddAtomW(widen(desc.name).c_str()))
        SetPropW(w->hwnd, kFormNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(name)));
    const WindowId id = w->id;
    windows_[id] = std::move(w);
    return id;
}

std::optional<Colour> Win32Platform::systemColour(int index) {
    // COLORREF is 0x00BBGGRR, as our colours are.
    return static_cast<Colour>(GetSysColor(index));
}

void Win32Platform::destroyWindow(WindowId id) {
    auto it = windows_.find(id);
    if (it == windows_.end()) return;
    std::unique_ptr<Win32Window> w = std::move(it->second);
    windows_.erase(it);
    SetWindowLongPtrA(w->hwnd, GWLP_USERDATA, 0);  // no message reaches the record any more
    // Global atoms outlive the window, and the process, unless deleted.
    if (const auto name = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropW(w->hwnd, kFormNameProperty))))
        GlobalDeleteAtom(name);
    DestroyWindow(w->hwnd);
}

std::string Win32Platform::formNameOf(HWND hwnd) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd, kFormNameProperty)));
    wchar_t name[256] = {};
    const UINT n = atom ? GlobalGetAtomNameW(atom, name, 256) : 0;
    return narrow(std::wstring_view(name, n));
}

void Win32Platform::showWindow(WindowId id, bool visible) {
    // Monitor windows never take the keyboard from the user's work; a
    // dialog is there to be typed into.
    if (Win32Window* w = find(id)) ShowWindow(w->hwnd, !visible ? SW_HIDE : w->takesFocus ? SW_SHOW : SW_SHOWNOACTIVATE);
}

void Win32Platform::activateWindow(WindowId id) {
    if (Win32Window* w = find(id)) {
        SetForegroundWindow(w->hwnd);
        SetFocus(w->hwnd);
    }
}

void Win32Platform::moveWindow(WindowId id, const Rect& bounds) {
    if (Win32Window* w = find(id)) {
        const RECT outer = outerRect(*w, scale_.toDevice(bounds));
        SetWindowPos(w->hwnd, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

RECT Win32Platform::outerRect(const Win32Window& w, const Rect& bounds) {
    RECT r{bounds.left, bounds.top, bounds.left + std::max(1, bounds.width()), bounds.top + std::max(1, bounds.height())};
    if (w.dialog) AdjustWindowRectEx(&r, w.style, FALSE, w.keptExStyle);
    return r;
}

Rect Win32Platform::windowRect(WindowId id) const {
    // The bounds a form asked for: for a dialog, the inside of the frame.
    RECT r{};
    const Win32Window* w = find(id);
    if (!w) return {};
    if (!w->dialog) {
        GetWindowRect(w->hwnd, &r);
        return scale_.toLogical(Rect{r.left, r.top, r.right, r.bottom});
    }
    GetClientRect(w->hwnd, &r);
    POINT origin{0, 0};
    ClientToScreen(w->hwnd, &origin);
    return scale_.toLogical(Rect{origin.x, origin.y, origin.x + r.right, origin.y + r.bottom});
}

void Win32Platform::setWindowRegion(WindowId id, const Region* region, bool redraw) {
    Win32Window* w = find(id);
    if (!w) return;
    HRGN rgn = region ? buildRegion(scale_.toDevice(*region)) : nullptr;
    if (!SetWindowRgn(w->hwnd, rgn, redraw ? TRUE : FALSE) && rgn) DeleteObject(rgn);  // kept by the system on success
}

long Win32Platform::setLayeredAlpha(WindowId id, std::uint8_t alpha) {
    Win32Window* w = find(id);
    if (!w) return ERROR_INVALID_WINDOW_HANDLE;
    SetLastError(0);
    // The layered style replaces the extended style, except what keeps the
    // form off the taskbar and out of the way; top-most stays as it was.
    const LONG topMost = GetWindowLongA(w->hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST;
    SetWindowLongA(w->hwnd, GWL_EXSTYLE, static_cast<LONG>(WS_EX_LAYERED | w->keptExStyle) | topMost);
    if (!SetLayeredWindowAttributes(w->hwnd, 0, alpha, LWA_ALPHA)) return static_cast<long>(GetLastError());
    return 0;
}

void Win32Platform::setWindowPos(WindowId id, ZOrder insertAfter, unsigned flags) {
    if (Win32Window* w = find(id))
        SetWindowPos(w->hwnd, insertAfter == ZOrder::TopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}

void Win32Platform::bringToFront(WindowId id) {
    if (Win32Window* w = find(id))
        SetWindowPos(w->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Win32Platform::present(WindowId id, const Pixels& logical, const Rect& logicalChanged) {
    Win32Window* w = find(id);
    if (!w || logical.empty()) return;
    Rect changed;
    const Pixels& pixels = scale_.enlarge(logical, logicalChanged, w->enlarged, changed);
    Rect r = clippedTo(changed, pixels.width, pixels.height);
    if (w->width != pixels.width || w->height != pixels.height || w->bits.size() != pixels.data.size()) {
        w->width = pixels.width;
        w->height = pixels.height;
        w->bits.assign(pixels.data.size(), 0);
        r = Rect{0, 0, pixels.width, pixels.height};
    }
    if (r.empty()) return;
    // Our 0x00BBGGRR to the DIB's 0x00RRGGBB, for the changed rows only.
    for (int y = r.top; y < r.bottom; ++y) {
        const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.width);
        std::transform(pixels.data.begin() + static_cast<std::ptrdiff_t>(at + static_cast<std::size_t>(r.left)),
                       pixels.data.begin() + static_cast<std::ptrdiff_t>(at + static_cast<std::size_t>(r.right)),
                       w->bits.begin() + static_cast<std::ptrdiff_t>(at + static_cast<std::size_t>(r.left)),
                       [](Colour c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); });
    }
    HDC dc = GetDC(w->hwnd);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    paint(*w, dc);
    ReleaseDC(w->hwnd, dc);
}

void Win32Platform::paint(Win32Window& w, HDC dc) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w.width;
    info.bmiHeader.biHeight = -w.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(w.width), static_cast<DWORD>(w.height), 0, 0, 0,
                      static_cast<UINT>(w.height), w.bits.data(), &info, DIB_RGB_COLORS);
}

void Win32Platform::systemDrag(WindowId id) {
    Win32Window* w = find(id);
    if (!w) return;
    // The system's caption move loop, from the point pressed; our timers
    // keep running inside it. SC_MOVE itself rather than the caption click
    // that leads to it, because that click activates the window.
    ++dragging_;
    ReleaseCapture();
    SendMessageW(w->hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, static_cast<LPARAM>(GetMessagePos()));
    --dragging_;
}

void Win32Platform::deliverMouse(Win32Window& w, MouseEvent::Kind kind, MouseButton button, WPARAM wp, LPARAM lp) {
    if (!w.listener) return;
    w.listener->onMouse(MouseEvent{kind, button, shiftOf(wp), scale_.toLogical(GET_X_LPARAM(lp)),
                                   scale_.toLogical(GET_Y_LPARAM(lp))});
}

LRESULT Win32Platform::formMessage(Win32Window& w, UINT msg, WPARAM wp, LPARAM lp) {
    using K = MouseEvent::Kind;
    HWND hwnd = w.hwnd;
    if (LRESULT result = 0; sessionMessage(msg, wp, result)) return result;
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // we paint every pixel
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            const bool havePicture = !w.bits.empty();
            if (havePicture) paint(w, dc);
            EndPaint(hwnd, &ps);
            if (!havePicture && w.listener) w.listener->onExpose();
            return 0;
        }
        // A form that does not take the keyboard is never activated: not by
        // a click, nor by the move loop, whose moves would. Wine hands an
        // activated borderless window to the window manager at its next
        // move, unmapping it, and so loses the drag's pointer grab and focus
        // in the middle of a quick drag.
        case WM_WINDOWPOSCHANGING:
            if (!w.takesFocus) reinterpret_cast<WINDOWPOS*>(lp)->flags |= SWP_NOACTIVATE;
            return DefWindowProcW(hwnd, msg, wp, lp);
        case WM_MOUSEACTIVATE:
            return w.takesFocus ? MA_ACTIVATE : MA_NOACTIVATE;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: {
            // Like the classic forms: the window keeps the mouse until the button is up.
            SetCapture(hwnd);
            const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
            const MouseButton b = (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK)   ? MouseButton::Left
                                  : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) ? MouseButton::Right
                                                                                         : MouseButton::Middle;
            deliverMouse(w, dbl ? K::DoubleClick : K::Down, b, wp, lp);  // may destroy w
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            if (!anyButtonDown(wp) && GetCapture() == hwnd) ReleaseCapture();
            const MouseButton b = msg == WM_LBUTTONUP   ? MouseButton::Left
                                  : msg == WM_RBUTTONUP ? MouseButton::Right
                                                        : MouseButton::Middle;
            deliverMouse(w, K::Up, b, wp, lp);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (!w.trackingLeave) {
                TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd, 0};
                w.trackingLeave = TrackMouseEvent(&t) != FALSE;
            }
            deliverMouse(w, K::Move, heldButton(wp), wp, lp);
            return 0;
        case WM_MOUSELEAVE:
            w.trackingLeave = false;
            deliverMouse(w, K::Leave, MouseButton::None, 0, 0);
            return 0;
        case WM_MOUSEWHEEL:
            if (w.listener) {
                // The wheel goes to the window that has the keyboard; its
                // point is on the screen.
                POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                ScreenToClient(hwnd, &p);
                MouseEvent e{K::Wheel, MouseButton::None, shiftOf(GET_KEYSTATE_WPARAM(wp)), scale_.toLogical(p.x),
                             scale_.toLogical(p.y)};
                e.wheel = GET_WHEEL_DELTA_WPARAM(wp);
                w.listener->onMouse(e);
            }
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (msg == WM_SYSKEYDOWN && wp == VK_F4) return DefWindowProcA(hwnd, msg, wp, lp);  // Alt+F4 closes
            if (w.listener) {
                const int shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                                  (GetKeyState(VK_MENU) < 0 ? 4 : 0);
                w.listener->onKey(KeyEvent{static_cast<int>(wp), shift});
            }
            return 0;
        case WM_CLOSE:
            if (w.listener) w.listener->onCloseRequest();
            return 0;  // the form decides; the default would destroy the window
        default:
            return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

}  // namespace vel::platform::win32
