// The simulated machine's windows: their rectangles, regions and z-order,
// the mouse and keys delivered to them, and the screen composed from them.
#include "platform/sim/sim_platform.h"

#include <algorithm>

namespace vel::platform {

SimWindow* SimPlatform::find(WindowId id) {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : &it->second;
}

const SimWindow* SimPlatform::window(WindowId id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : &it->second;
}

WindowId SimPlatform::createWindow(const WindowDesc& desc, WindowListener* listener) {
    WindowId id = nextWindow_++;
    SimWindow& w = windows_[id];
    w.id = id;
    w.name = desc.name;
    w.rect = scale_.toDevice(desc.bounds);
    w.popup = desc.popup;
    w.dialog = desc.dialog;
    w.takesFocus = desc.takesFocus || desc.dialog;
    w.caption = desc.caption;
    w.listener = listener;
    zOrder_.push_back(id);
    raise(id);
    return id;
}

void SimPlatform::destroyWindow(WindowId id) {
    windows_.erase(id);
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), id), zOrder_.end());
    if (hoverWindow_ == id) hoverWindow_ = 0;
    if (focused_ == id) focused_ = 0;
}

void SimPlatform::activateWindow(WindowId id) {
    if (SimWindow* w = find(id); w && w->visible && w->takesFocus) focused_ = id;
}

void SimPlatform::showWindow(WindowId id, bool visible) {
    if (SimWindow* w = find(id)) w->visible = visible;
}

void SimPlatform::moveWindow(WindowId id, const Rect& bounds) {
    if (SimWindow* w = find(id)) w->rect = scale_.toDevice(bounds);
}

Rect SimPlatform::windowRect(WindowId id) const {
    const SimWindow* w = window(id);
    return w ? scale_.toLogical(w->rect) : Rect{};
}

void SimPlatform::setWindowRegion(WindowId id, const Region* region, bool) {
    if (SimWindow* w = find(id)) {
        w->hasRegion = region != nullptr;
        w->region = region ? scale_.toDevice(*region) : Region{};
    }
}

long SimPlatform::setLayeredAlpha(WindowId id, std::uint8_t alpha) {
    SimWindow* w = find(id);
    if (!w) return 1400;
    w->layered = true;
    w->alpha = alpha;
    return 0;
}

void SimPlatform::raise(WindowId id) {
    // Top-most windows stay above the others; a window goes to the top of its band.
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), id), zOrder_.end());
    const SimWindow* w = window(id);
    bool top = w && (w->topMost || w->popup);
    auto pos = zOrder_.end();
    if (!top) {
        pos = std::find_if(zOrder_.begin(), zOrder_.end(), [this](WindowId other) {
            const SimWindow* o = window(other);
            return o && (o->topMost || o->popup);
        });
    }
    zOrder_.insert(pos, id);
}

void SimPlatform::setWindowPos(WindowId id, ZOrder insertAfter, unsigned flags) {
    SimWindow* w = find(id);
    if (!w) return;
    w->topMost = insertAfter == ZOrder::TopMost;
    raise(id);
    if (flags & kSwpShowWindow) w->visible = true;
}

void SimPlatform::bringToFront(WindowId id) {
    if (find(id)) raise(id);
}

void SimPlatform::present(WindowId id, const Pixels& pixels, const Rect& changed) {
    // Like a real screen, only the changed part is taken (enlarged at a
    // scale above 1), so a wrong rectangle shows as stale pixels.
    if (SimWindow* w = find(id)) scale_.enlargeInto(pixels, changed, w->pixels);
}

void SimPlatform::systemDrag(WindowId id) {
    // The system's move loop runs until the button goes up, and that
    // release never reaches the window.
    buttonsHeld_ &= ~static_cast<int>(MouseButton::Left);
    SimWindow* w = find(id);
    if (!w || !pendingDrag_) {
        pendingDrag_.reset();
        return;
    }
    Point d = *pendingDrag_;
    pendingDrag_.reset();
    w->rect.left += d.x;
    w->rect.right += d.x;
    w->rect.top += d.y;
    w->rect.bottom += d.y;
    cursor_.x += d.x;
    cursor_.y += d.y;
}

std::int32_t SimPlatform::screenPixel(int x, int y) {
    if (screenReadFails_ || x < 0 || y < 0 || x >= screen_.width || y >= screen_.height) return -1;
    return static_cast<std::int32_t>(composeAt(scale_.toDevice(x), scale_.toDevice(y)));
}

WindowId SimPlatform::windowAt(int x, int y) const {
    for (auto it = zOrder_.rbegin(); it != zOrder_.rend(); ++it) {
        const SimWindow* w = window(*it);
        if (!w || !w->visible || w->popup || !w->rect.contains(x, y)) continue;
        if (w->hasRegion && !w->region.contains(x - w->rect.left, y - w->rect.top)) continue;
        return w->id;
    }
    return 0;
}

void SimPlatform::deliver(WindowId id, MouseEvent e) {
    SimWindow* w = find(id);
    if (!w || !w->listener) return;
    e.x = scale_.toLogical(e.x - w->rect.left);
    e.y = scale_.toLogical(e.y - w->rect.top);
    w->listener->onMouse(e);
}

void SimPlatform::mouseMove(int x, int y) {
    cursor_ = {x, y};
    WindowId under = windowAt(x, y);
    if (hoverWindow_ && hoverWindow_ != under) {
        MouseEvent leave;
        leave.kind = MouseEvent::Kind::Leave;
        deliver(hoverWindow_, leave);
    }
    hoverWindow_ = under;
    if (under) deliver(under, MouseEvent{MouseEvent::Kind::Move, MouseButton::None, 0, x, y});
    doEvents();
}

void SimPlatform::mouseDown(int x, int y, MouseButton b) {
    cursor_ = {x, y};
    buttonsHeld_ |= static_cast<int>(b);
    if (WindowId under = windowAt(x, y)) deliver(under, MouseEvent{MouseEvent::Kind::Down, b, 0, x, y});
    doEvents();
}

void SimPlatform::mouseUp(int x, int y, MouseButton b) {
    cursor_ = {x, y};
    // A release that a system drag already took is not seen again.
    const bool held = buttonsHeld_ & static_cast<int>(b);
    buttonsHeld_ &= ~static_cast<int>(b);
    if (WindowId under = windowAt(x, y); under && held) deliver(under, MouseEvent{MouseEvent::Kind::Up, b, 0, x, y});
    doEvents();
}

void SimPlatform::doubleClick(int x, int y, MouseButton b) {
    mouseDown(x, y, b);
    mouseUp(x, y, b);
    cursor_ = {x, y};
    buttonsHeld_ |= static_cast<int>(b);
    if (WindowId under = windowAt(x, y)) deliver(under, MouseEvent{MouseEvent::Kind::DoubleClick, b, 0, x, y});
    doEvents();
    mouseUp(x, y, b);
}

void SimPlatform::mouseWheel(int x, int y, int delta) {
    cursor_ = {x, y};
    MouseEvent e{MouseEvent::Kind::Wheel, MouseButton::None, 0, x, y};
    e.wheel = delta;
    if (WindowId under = windowAt(x, y)) deliver(under, e);
    doEvents();
}

void SimPlatform::keyDown(WindowId id, int keyCode, int shift) {
    constexpr int kF4 = 115, kAlt = 4;
    if (SimWindow* w = find(id); w && w->listener) {
        if (keyCode == kF4 && (shift & kAlt))
            w->listener->onCloseRequest();
        else
            w->listener->onKey(KeyEvent{keyCode, shift});
    }
    doEvents();
}

void SimPlatform::closeButton(WindowId id) {
    if (SimWindow* w = find(id); w && w->listener) w->listener->onCloseRequest();
    doEvents();
}

std::vector<const SimWindow*> SimPlatform::windows() const {
    std::vector<const SimWindow*> out;
    for (WindowId id : zOrder_)
        if (const SimWindow* w = window(id)) out.push_back(w);
    return out;
}

const SimWindow* SimPlatform::findWindow(const std::string& name) const {
    for (auto it = zOrder_.rbegin(); it != zOrder_.rend(); ++it) {
        const SimWindow* w = window(*it);
        if (w && w->name == name) return w;
    }
    return nullptr;
}

Colour SimPlatform::wallpaperAt(int x, int y) const {
    if (auto it = wallpaperPixels_.find({x, y}); it != wallpaperPixels_.end()) return it->second;
    // A calm blue-teal gradient with a faint diagonal weave.
    int h = std::max(1, screen_.height), wdt = std::max(1, screen_.width);
    int r = 24 + 20 * y / h;
    int g = 70 + 40 * y / h + 10 * x / wdt;
    int b = 110 + 50 * y / h;
    if (((x + y) & 15) == 0) {
        r += 6;
        g += 6;
        b += 6;
    }
    return rgb(r, g, b);
}

Colour SimPlatform::composeAt(int x, int y) const {
    Colour c = wallpaperAt(scale_.toLogical(x), scale_.toLogical(y));
    for (WindowId id : zOrder_) {
        const SimWindow* w = window(id);
        if (!w || !w->visible || !w->rect.contains(x, y)) continue;
        int wx = x - w->rect.left, wy = y - w->rect.top;
        if (w->hasRegion && !w->region.contains(wx, wy)) continue;
        if (!w->pixels.inside(wx, wy)) continue;
        Colour px = w->pixels.at(wx, wy);
        if (!w->layered || w->alpha == 255) {
            c = px;
        } else {
            int a = w->alpha;
            auto ch = [a](int over, int under) { return (over * a + under * (255 - a) + 127) / 255; };
            c = rgb(ch(redOf(px), redOf(c)), ch(greenOf(px), greenOf(c)), ch(blueOf(px), blueOf(c)));
        }
    }
    return c;
}

Pixels SimPlatform::snapshot() const {
    Pixels out(scale_.toDevice(screen_.width), scale_.toDevice(screen_.height));
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.at(x, y) = composeAt(x, y);
    return out;
}

}  // namespace vel::platform
