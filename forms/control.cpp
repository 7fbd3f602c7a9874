#include "forms/control.h"

#include <algorithm>
#include <sstream>

#include "forms/dialog_look.h"
#include "forms/form.h"
#include "forms/runtime.h"

namespace vel::forms {

Control::Control(ControlKind kind, std::string name, int index)
    : kind_(kind), name_(std::move(name)), index_(index) {}

std::string Control::qualifiedName() const {
    if (index_ < 0) return name_;
    return name_ + "(" + std::to_string(index_) + ")";
}

const DialogLook& Control::dialogLook() const {
    static const DialogLook kClassic;
    const Form* f = form();
    return f ? f->runtime().dialogLook() : kClassic;
}

gfx::TextBackend* Control::textBackend() const {
    const Form* f = form();
    return f ? f->runtime().textBackend() : nullptr;
}

void Control::setLeft(int v) { move(v, top_, width_, height_); }
void Control::setTop(int v) { move(left_, v, width_, height_); }
void Control::setWidth(int v) { move(left_, top_, v, height_); }
void Control::setHeight(int v) { move(left_, top_, width_, v); }

void Control::move(int left, int top, int width, int height) {
    // Negative sizes are invalid properties; the runtime refuses them as the
    // classic controls raise an error and keep the old value.
    if (width < 0) width = width_;
    if (height < 0) height = height_;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    invalidate();  // the old place
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    invalidate();
}

void Control::setEnabled(bool v) {
    if (enabled_ == v) return;
    enabled_ = v;
    invalidate();  // the dialog controls look different when disabled
}

void Control::setVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    invalidate();
}

Form* Control::form() const {
    return parent_ ? parent_->containerForm() : nullptr;
}

void Control::windowOrigin(int& x, int& y) const {
    x = left_;
    y = top_;
    for (Container* c = parent_; c; ) {
        Control* asCtl = c->asControl();
        if (!asCtl) break;
        x += asCtl->left_;
        y += asCtl->top_;
        c = asCtl->parent_;
    }
}

bool Control::shown() const {
    if (!visible_) return false;
    for (Container* c = parent_; c;) {
        Control* asCtl = c->asControl();
        if (!asCtl) break;
        if (!asCtl->visible_) return false;
        c = asCtl->parent_;
    }
    return true;
}

bool Control::hasFocus() const {
    const Form* f = form();
    return f && f->focusedControl() == this;
}

void Control::setFocus() {
    if (Form* f = form()) f->focus(this);
}

void Control::click() {
    if (onClick) onClick();
}

void Control::invalidate() { invalidateInParent(area()); }

void Control::invalidate(const platform::Rect& part) {
    const platform::Rect own = clippedTo(part, width_, height_);
    if (!own.empty()) invalidateInParent({own.left + left_, own.top + top_, own.right + left_, own.bottom + top_});
}

void Control::invalidateInParent(const platform::Rect& a) {
    Form* f = form();
    if (!f) return;
    int x = 0, y = 0;
    windowOrigin(x, y);
    // windowOrigin counts our own place; the parent's origin is wanted.
    x -= left_;
    y -= top_;
    f->invalidate({a.left + x, a.top + y, a.right + x, a.bottom + y});
}

void Control::refresh() {
    if (Form* f = form()) f->refresh();
}

std::string Control::describe() const {
    std::ostringstream out;
    out << "Left=" << left_ << " Top=" << top_ << " Width=" << width_ << " Height=" << height_
        << " Visible=" << (visible_ ? "True" : "False");
    if (!toolTip_.empty()) out << " ToolTipText=\"" << toolTip_ << "\"";
    return out.str();
}

gfx::ClipRect intersect(const gfx::ClipRect& a, const gfx::ClipRect& b) {
    gfx::ClipRect r;
    r.left = std::max(a.left, b.left);
    r.top = std::max(a.top, b.top);
    r.right = std::min(a.right, b.right);
    r.bottom = std::min(a.bottom, b.bottom);
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

void Container::adopt(std::unique_ptr<Control> control) {
    control->parent_ = this;
    children_.push_back(std::move(control));
}

Control* Container::find(const std::string& name, int index) const {
    for (const auto& child : children_) {
        if (child->name() == name && child->index() == index) return child.get();
        if (auto* box = dynamic_cast<Container*>(child.get()))
            if (Control* found = box->find(name, index)) return found;
    }
    return nullptr;
}

void Container::paintChildren(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const {
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& child : children_) {
            if (!child->visible() || child->graphical() != (pass == 0)) continue;
            int cx = ox + child->left(), cy = oy + child->top();
            gfx::ClipRect own{cx, cy, cx + child->width(), cy + child->height()};
            // Lines are not bounded by their width and height.
            const gfx::ClipRect& use = child->kind() == ControlKind::Line ? clip : intersect(clip, own);
            child->paint(target, cx, cy, use);
        }
    }
}

Control* Container::hitTest(int x, int y, int& localX, int& localY) const {
    // Windowed children lie above graphical ones; later ones above earlier.
    for (int pass = 0; pass < 2; ++pass) {
        for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
            Control* child = it->get();
            if (!child->visible() || child->graphical() == (pass == 0)) continue;
            int cx = x - child->left(), cy = y - child->top();
            if (cx < 0 || cy < 0 || cx >= child->width() || cy >= child->height()) continue;
            if (auto* box = dynamic_cast<Container*>(child)) {
                if (Control* inner = box->hitTest(cx, cy, localX, localY)) return inner;
            }
            if (!child->takesMouse()) continue;
            localX = cx;
            localY = cy;
            return child;
        }
    }
    return nullptr;
}

}  // namespace vel::forms
