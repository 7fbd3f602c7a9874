#include "forms/form.h"

#include <algorithm>
#include <cmath>

#include "forms/graphic_controls.h"
#include "forms/repaint_area.h"
#include "forms/runtime.h"

namespace vel::forms {

namespace {
int twipsToPixels(double twips) { return static_cast<int>(std::nearbyint(twips / kTwipsPerPixel)); }
}  // namespace

Form::Form(Runtime& runtime, std::string name) : runtime_(runtime), name_(std::move(name)) {}

Form::~Form() {
    if (window_) {
        runtime_.formUnloaded(this);
        os().destroyWindow(window_);
    }
}

platform::Platform& Form::os() const { return runtime_.os(); }

int Form::pixelWidth() const { return twipsToPixels(width_); }
int Form::pixelHeight() const { return twipsToPixels(height_); }

void Form::load() {
    if (loaded_ || loading_) return;
    loading_ = true;
    platform::WindowDesc desc;
    desc.name = name_;
    desc.popup = popup_;
    desc.caption = caption_;
    desc.takesFocus = takesFocus();
    if (dialog_) {
        desc.dialog = true;
        desc.toolWindow = false;
    }
    desc.bounds = {twipsToPixels(left_), twipsToPixels(top_), twipsToPixels(left_) + std::max(1, pixelWidth()),
                   twipsToPixels(top_) + std::max(1, pixelHeight())};
    window_ = os().createWindow(desc, this);
    presentAll_ = true;  // a new window has none of our pixels
    loaded_ = true;
    runtime_.formLoaded(this);
    onLoad();
    loading_ = false;
    invalidate();
}

void Form::show() {
    load();
    if (!loaded_) return;
    if (visible_) return;
    paintForShowing();
    os().showWindow(window_, true);
    if (takesFocus()) os().activateWindow(window_);
}

void Form::paintForShowing() {
    visible_ = true;
    presentAll_ = true;
    refresh();
}

void Form::hide() {
    if (!loaded_ || !visible_) return;
    visible_ = false;
    os().showWindow(window_, false);
}

void Form::unload() {
    if (!loaded_) return;
    onUnload();
    for (auto& t : timers_) t->release();
    if (runtime_.hoverForm_ == this) runtime_.hideTooltip();
    captured_ = nullptr;
    hovered_ = nullptr;
    focused_ = nullptr;
    overlay_ = nullptr;
    os().destroyWindow(window_);
    window_ = 0;
    // The window's pictures are rebuilt on the next load; an unloaded
    // form holds no pixels.
    buffer_ = Pixels();
    presented_ = Pixels();
    loaded_ = false;
    visible_ = false;
    hasRegion_ = false;
    region_ = {};
    layered_ = false;
    topMost_ = false;
    alpha_ = 255;
    runtime_.formUnloaded(this);
}

void Form::move(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    bool resized = width != width_ || height != height_;
    width_ = width;
    height_ = height;
    if (!loaded_) return;
    os().moveWindow(window_, {twipsToPixels(left_), twipsToPixels(top_), twipsToPixels(left_) + pixelWidth(),
                              twipsToPixels(top_) + pixelHeight()});
    if (resized) invalidate();
}

void Form::syncFromWindow() {
    if (!loaded_) return;
    platform::Rect r = os().windowRect(window_);
    left_ = static_cast<double>(r.left) * kTwipsPerPixel;
    top_ = static_cast<double>(r.top) * kTwipsPerPixel;
}

void Form::setRegion(const platform::Region* region, bool redraw) {
    if (!loaded_) return;
    hasRegion_ = region != nullptr;
    region_ = region ? *region : platform::Region{};
    os().setWindowRegion(window_, region, redraw);
}

long Form::setLayeredAlpha(std::uint8_t alpha) {
    if (!loaded_) return 1400;  // ERROR_INVALID_WINDOW_HANDLE
    layered_ = true;
    alpha_ = alpha;
    return os().setLayeredAlpha(window_, alpha);
}

void Form::setWindowPos(platform::ZOrder insertAfter, unsigned flags) {
    if (!loaded_) return;
    topMost_ = insertAfter == platform::ZOrder::TopMost;
    os().setWindowPos(window_, insertAfter, flags);
    if ((flags & platform::kSwpShowWindow) && !visible_) {
        paintForShowing();
        if (takesFocus()) os().activateWindow(window_);
    }
}

platform::Rect Form::windowArea() const { return {0, 0, std::max(1, pixelWidth()), std::max(1, pixelHeight())}; }

void Form::invalidate() { invalidate(windowArea()); }

void Form::invalidate(const platform::Rect& area) {
    // An open overlay draws over whatever lies below it.
    dirty_ = unite(dirty_, overlay_ ? windowArea() : area);
    if (loaded_) runtime_.schedulePaint(this);
}

void Form::onExpose() {
    presentAll_ = true;
    refresh();
}

void Form::refresh() {
    if (!loaded_) return;
    const int w = std::max(1, pixelWidth()), h = std::max(1, pixelHeight());
    const bool sameSize = buffer_.width == w && buffer_.height == h;
    const bool everything = presentAll_ || !sameSize || runtime_.fullRepaint();
    // What the repainted part looked like when it was last presented: only
    // the pixels that differ from it are sent.
    const platform::Rect area = clippedTo(dirty_, w, h);
    const bool compare = !everything && !area.empty();
    if (compare) {
        // Sized for the whole window at the first comparison, so no later
        // tick allocates.
        presented_.data.reserve(buffer_.data.size());
        copyArea(buffer_, area, presented_);
    }
    repaint();
    const platform::Rect changed = compare ? changedPart(buffer_, presented_, area) : platform::Rect{};
    const platform::Rect send = everything ? wholeWindow() : unite(unpresented_, changed);
    presentAll_ = false;
    unpresented_ = {};
    if (!send.empty()) os().present(window_, buffer_, send);
}

const Pixels& Form::render() {
    unpresented_ = unite(unpresented_, repaint());
    return buffer_;
}

platform::Rect Form::repaint() {
    const int w = std::max(1, pixelWidth()), h = std::max(1, pixelHeight());
    if (buffer_.width != w || buffer_.height != h) {
        buffer_ = Pixels(w, h);
        dirty_ = wholeWindow();
    }
    if (runtime_.fullRepaint()) dirty_ = wholeWindow();
    const platform::Rect area = clippedTo(dirty_, w, h);
    dirty_ = {};
    if (area.empty()) return area;
    gfx::fillRect(buffer_, area.left, area.top, area.width(), area.height(), backColor_);
    paintChildren(buffer_, 0, 0, gfx::ClipRect{area.left, area.top, area.right, area.bottom});
    if (overlay_) overlay_->paintOverlay(buffer_);
    return area;
}

Timer& Form::addTimer(const std::string& name, std::uint32_t interval, bool enabled) {
    timers_.push_back(std::make_unique<Timer>(os(), name, interval, enabled));
    return *timers_.back();
}

Timer* Form::findTimer(const std::string& name) const {
    for (const auto& t : timers_)
        if (t->name() == name) return t.get();
    return nullptr;
}

void Form::systemDrag() {
    if (!loaded_) return;
    os().systemDrag(window_);
    forgetMouse();
}

void Form::forgetMouse() {
    if (auto* button = dynamic_cast<PictureButton*>(captured_)) button->setPressed(false);
    captured_ = nullptr;
    if (hovered_) {
        hovered_ = nullptr;
        runtime_.hover(this, nullptr);
    }
}

void Form::onMouse(const platform::MouseEvent& e) {
    if (!loaded_) return;
    dispatchMouse(e);
}

void Form::dispatchMouse(const platform::MouseEvent& e) {
    using Kind = platform::MouseEvent::Kind;
    if (e.kind == Kind::Leave) {
        hovered_ = nullptr;
        runtime_.hover(this, nullptr);
        return;
    }
    if (overlay_ && (e.kind == Kind::Down || e.kind == Kind::Move || e.kind == Kind::Wheel)) {
        if (overlay_->overlayHit(e.x, e.y) || e.kind == Kind::Wheel) {
            overlay_->overlayMouse(e);
            return;
        }
        if (e.kind == Kind::Down) {
            // A press outside an open list closes it; on its own box that
            // is all the press does.
            Control* owner = overlay_;
            owner->closeOverlay();
            int ox = 0, oy = 0;
            if (hitTest(e.x, e.y, ox, oy) == owner) return;
        }
    }
    int lx = 0, ly = 0;
    Control* target = hitTest(e.x, e.y, lx, ly);
    if (e.kind == Kind::DoubleClick && target && target->pressesOnDoubleClick()) {
        platform::MouseEvent press = e;
        press.kind = Kind::Down;
        dispatchMouse(press);
        return;
    }
    // While a button is held the control that took it keeps the mouse.
    if (captured_ && (e.kind == Kind::Move || e.kind == Kind::Up)) {
        int ox = 0, oy = 0;
        captured_->windowOrigin(ox, oy);
        target = captured_;
        lx = e.x - ox;
        ly = e.y - oy;
    }
    if (!target) return;
    MouseArgs args{static_cast<int>(e.button), e.shift, static_cast<double>(lx), static_cast<double>(ly)};
    switch (e.kind) {
        case Kind::Down: {
            runtime_.hideTooltip();
            captured_ = target;
            if (auto* button = dynamic_cast<PictureButton*>(target)) button->setPressed(true);
            if (target->enabled() && e.button == platform::MouseButton::Left) {
                if (target->focusable()) focus(target);
                target->pressAt(lx, ly);
            }
            // The handler may start a system drag that swallows the release.
            Control* pressed = target;
            if (pressed->onMouseDown) pressed->onMouseDown(args);
            break;
        }
        case Kind::Up: {
            Control* pressed = captured_;
            captured_ = nullptr;
            if (auto* button = dynamic_cast<PictureButton*>(target)) button->setPressed(false);
            if (target->enabled()) target->releaseAt(lx, ly);
            if (target->onMouseUp) target->onMouseUp(args);
            if (!loaded_) return;
            int hx = 0, hy = 0;
            Control* under = hitTest(e.x, e.y, hx, hy);
            if (pressed == target && under == target && target->enabled()) target->click();
            break;
        }
        case Kind::Move:
            if (!captured_) target->hoverAt(lx, ly);
            // Told on every move: a control's tip can change under the
            // mouse (each tab of a tab strip has its own).
            hovered_ = target;
            runtime_.hover(this, target);
            if (captured_ == target && target->enabled()) target->dragTo(lx, ly);
            if (target->onMouseMove) target->onMouseMove(args);
            break;
        case Kind::DoubleClick:
            runtime_.hideTooltip();
            if (target->onDblClick) target->onDblClick();
            break;
        case Kind::Wheel:
            // The control under the mouse first, then the focused one.
            if (!(target->enabled() && target->wheel(e.wheel)) && focused_ && focused_ != target)
                focused_->wheel(e.wheel);
            break;
        case Kind::Leave:
            break;
    }
}

void Form::focus(Control* control) {
    if (control == focused_) return;
    focused_ = control;
    invalidate();
}

namespace {
void collectTabStops(const Container& box, std::vector<Control*>& out) {
    for (const auto& child : box.children()) {
        if (!child->visible()) continue;
        if (child->enabled() && child->tabStop()) out.push_back(child.get());
        if (auto* inner = dynamic_cast<const Container*>(child.get())) collectTabStops(*inner, out);
    }
}
}  // namespace

void Form::focusNext(bool backwards) {
    std::vector<Control*> stops;
    collectTabStops(*this, stops);
    if (stops.empty()) return;
    auto it = std::find(stops.begin(), stops.end(), focused_);
    std::size_t at = 0;
    if (it == stops.end()) {
        at = backwards ? stops.size() - 1 : 0;
    } else {
        const std::size_t here = static_cast<std::size_t>(it - stops.begin());
        at = backwards ? (here + stops.size() - 1) % stops.size() : (here + 1) % stops.size();
    }
    focus(stops[at]);
}

void Form::setOverlay(Control* c) {
    overlay_ = c;
    invalidate();
}

void Form::onKey(const platform::KeyEvent& e) {
    if (!loaded_) return;
    constexpr int kTab = 9, kEnter = 13, kEscape = 27;
    if (overlay_ && overlay_->keyDown(e)) return;
    if (onKeyDown && onKeyDown(e)) return;
    if (!loaded_) return;
    if (e.keyCode == kTab && (e.shift & 2) == 0) {
        focusNext((e.shift & 1) != 0);
        return;
    }
    if (focused_ && focused_->shown() && focused_->enabled() && focused_->keyDown(e)) return;
    Control* button = e.keyCode == kEnter ? defaultButton_ : e.keyCode == kEscape ? cancelButton_ : nullptr;
    if (button && button->shown() && button->enabled()) button->click();
}

}  // namespace vel::forms
