// The message box's look: a classic dialog with a title bar, our own
// icons, the text and the buttons, in the regular UI font.
#include <algorithm>
#include <sstream>

#include "gfx/draw.h"
#include "gfx/font.h"
#include "platform/linux/message_box.h"

namespace vel::platform::linux_backend {

namespace {
const gfx::FontSpec kText{"MS Sans Serif", 8.0, false};
const gfx::FontSpec kTitle{"MS Sans Serif", 8.0, true};
constexpr Colour kFace = rgb(212, 208, 200), kShadow = rgb(128, 128, 128), kDark = rgb(64, 64, 64),
                 kLight = rgb(255, 255, 255), kBlack = rgb(0, 0, 0);
constexpr int kButtonW = 75, kButtonH = 23, kButtonGap = 6, kMargin = 12, kIcon = 32;

void bevel(Pixels& s, const Rect& r, Colour topLeft, Colour bottomRight) {
    gfx::fillRect(s, r.left, r.top, r.width(), 1, topLeft);
    gfx::fillRect(s, r.left, r.top, 1, r.height(), topLeft);
    gfx::fillRect(s, r.left, r.bottom - 1, r.width(), 1, bottomRight);
    gfx::fillRect(s, r.right - 1, r.top, 1, r.height(), bottomRight);
}

void fillTriangle(Pixels& s, double topX, double topY, double size, Colour c) {
    for (int row = 0; row < static_cast<int>(size); ++row) {
        const double half = (row + 1) * 0.58;
        const int y = static_cast<int>(topY) + row;
        gfx::fillRect(s, static_cast<int>(topX - half + 0.5), y, static_cast<int>(2 * half), 1, c);
    }
}

void paintIcon(Pixels& s, BoxIcon icon, const Rect& r) {
    const double cx = r.left + kIcon / 2.0, cy = r.top + kIcon / 2.0;
    switch (icon) {
        case BoxIcon::Critical:  // white cross on a red disc
            gfx::fillCircleAA(s, cx, cy, 15, rgb(200, 0, 0));
            gfx::lineAA(s, cx - 7, cy - 7, cx + 7, cy + 7, 3.5, kLight);
            gfx::lineAA(s, cx + 7, cy - 7, cx - 7, cy + 7, 3.5, kLight);
            break;
        case BoxIcon::Question:  // white question mark on a blue disc
            gfx::fillCircleAA(s, cx, cy, 15, rgb(0, 80, 200));
            gfx::ringAA(s, cx, cy - 5, 5.5, 3, kLight);
            gfx::fillRect(s, static_cast<int>(cx) - 8, static_cast<int>(cy) - 5, 6, 6, rgb(0, 80, 200));
            gfx::fillRect(s, static_cast<int>(cx) - 1, static_cast<int>(cy), 3, 5, kLight);
            gfx::fillCircleAA(s, cx + 0.5, cy + 8.5, 2, kLight);
            break;
        case BoxIcon::Exclamation:  // black mark on a yellow triangle
            fillTriangle(s, cx, r.top + 2, 28, rgb(250, 210, 0));
            gfx::fillRect(s, static_cast<int>(cx) - 1, r.top + 10, 3, 11, kBlack);
            gfx::fillRect(s, static_cast<int>(cx) - 1, r.top + 24, 3, 3, kBlack);
            break;
        case BoxIcon::Information:  // blue "i" on a white disc with a blue ring
            gfx::fillCircleAA(s, cx, cy, 15, rgb(0, 80, 200));
            gfx::fillCircleAA(s, cx, cy, 13, kLight);
            gfx::fillCircleAA(s, cx + 0.5, cy - 7.5, 2.2, rgb(0, 80, 200));
            gfx::fillRect(s, static_cast<int>(cx) - 1, static_cast<int>(cy) - 3, 4, 12, rgb(0, 80, 200));
            break;
        case BoxIcon::None:
            break;
    }
}

void paintButton(Pixels& s, const Rect& r, const std::string& label, bool focused, bool pressed) {
    gfx::fillRect(s, r.left, r.top, r.width(), r.height(), kFace);
    Rect inner = r;
    if (focused) {  // the default button's dark frame
        gfx::frameRect(s, r.left, r.top, r.width(), r.height(), kBlack);
        inner = Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (pressed) {
        gfx::frameRect(s, inner.left, inner.top, inner.width(), inner.height(), kShadow);
    } else {
        bevel(s, inner, kLight, kDark);
        bevel(s, Rect{inner.left + 1, inner.top + 1, inner.right - 1, inner.bottom - 1}, kFace, kShadow);
    }
    const gfx::TextMetrics m = gfx::measureText(kText, label);
    const int shift = pressed ? 1 : 0;
    const int tx = r.left + (r.width() - m.width) / 2 + shift, ty = r.top + (r.height() - m.height) / 2 + shift;
    gfx::drawText(s, tx, ty, label, kText, kBlack, gfx::ClipRect{r.left, r.top, r.right, r.bottom});
    if (focused) {  // dotted focus rectangle
        for (int x = r.left + 4; x < r.right - 4; x += 2) {
            gfx::setPixel(s, x, r.top + 4, kBlack);
            gfx::setPixel(s, x, r.bottom - 5, kBlack);
        }
        for (int y = r.top + 4; y < r.bottom - 4; y += 2) {
            gfx::setPixel(s, r.left + 4, y, kBlack);
            gfx::setPixel(s, r.right - 5, y, kBlack);
        }
    }
}
}  // namespace

MessageBoxLayout layoutMessageBox(const std::string& text, const std::string& title, int style) {
    MessageBoxLayout l;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        l.lines.push_back(line);
    }
    if (l.lines.empty()) l.lines.push_back("");
    int textWidth = 0;
    for (const auto& s : l.lines) textWidth = std::max(textWidth, gfx::measureText(kText, s).width);
    const int lineH = std::max(gfx::lineHeight(kText), 1);
    const int textHeight = lineH * static_cast<int>(l.lines.size());
    const bool icon = iconOf(style) != BoxIcon::None;
    const int buttons = (style & 0x0F) == mb::YesNo ? 2 : 1;
    const int buttonsWidth = buttons * kButtonW + (buttons - 1) * kButtonGap;

    const int bodyTop = l.titleHeight + kMargin;
    const int contentH = std::max(icon ? kIcon : 0, textHeight);
    l.textLeft = kMargin + (icon ? kIcon + kMargin : 0);
    l.width = std::max({l.textLeft + textWidth + kMargin + 6, buttonsWidth + 2 * kMargin,
                        gfx::measureText(kTitle, title).width + 40, 160});
    l.height = bodyTop + contentH + kMargin + kButtonH + kMargin;
    if (icon) l.iconRect = Rect{kMargin, bodyTop, kMargin + kIcon, bodyTop + kIcon};
    l.textTop = bodyTop + (contentH - textHeight) / 2;
    int x = (l.width - buttonsWidth) / 2;
    const int y = l.height - kMargin - kButtonH;
    for (int i = 0; i < buttons; ++i, x += kButtonW + kButtonGap) l.buttons.push_back(Rect{x, y, x + kButtonW, y + kButtonH});
    return l;
}

Pixels paintMessageBox(const MessageBoxLayout& l, const std::string& title, int style, const MessageBoxModel& model) {
    Pixels s(l.width, l.height, kFace);
    bevel(s, Rect{0, 0, l.width, l.height}, kFace, kDark);
    bevel(s, Rect{1, 1, l.width - 1, l.height - 1}, kLight, kShadow);
    gfx::verticalGradient(s, 3, 3, l.width - 6, l.titleHeight - 3, rgb(10, 36, 106), rgb(30, 70, 150));
    const gfx::ClipRect all{0, 0, l.width, l.height};
    gfx::drawText(s, 7, 3 + (l.titleHeight - 3 - gfx::lineHeight(kTitle)) / 2, title, kTitle, kLight, all);
    paintIcon(s, iconOf(style), l.iconRect);
    const int lineH = gfx::lineHeight(kText);
    for (std::size_t i = 0; i < l.lines.size(); ++i)
        gfx::drawText(s, l.textLeft, l.textTop + static_cast<int>(i) * lineH, l.lines[i], kText, kBlack, all);
    for (std::size_t i = 0; i < l.buttons.size(); ++i)
        paintButton(s, l.buttons[i], model.labels()[i], model.focus() == static_cast<int>(i),
                    model.pressed() == static_cast<int>(i));
    return s;
}

}  // namespace vel::platform::linux_backend
