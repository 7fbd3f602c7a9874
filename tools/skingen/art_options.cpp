// The options dialog's pictures: a small screen showing how each placement
// mode lines the modules up, and the monitor that holds the corner choice.
#include "tools/skingen/art.h"

namespace vel::skingen {

using namespace vel::gfx;

namespace {

constexpr Colour kBezel = rgb(86, 90, 100), kBezelLight = rgb(150, 156, 168), kBezelDark = rgb(40, 42, 48);
constexpr Colour kDesktop = rgb(36, 94, 148), kDesktopLow = rgb(28, 74, 120);

// A bezel round a desktop gradient; returns nothing, draws in place.
void screen(Pixels& p, int x, int y, int w, int h) {
    fillRect(p, x, y, w, h, kBezel);
    hline(p, x, x + w - 1, y, kBezelLight);
    vline(p, x, y, y + h - 1, kBezelLight);
    hline(p, x, x + w - 1, y + h - 1, kBezelDark);
    vline(p, x + w - 1, y, y + h - 1, kBezelDark);
    verticalGradient(p, x + 2, y + 2, w - 4, h - 4, kDesktop, kDesktopLow);
}

// One module window in miniature: dark body, a lit reading.
void miniModule(Pixels& p, int x, int y, int w, int h, int style) {
    const LcdStyle& s = lcdStyle(style);
    fillRect(p, x, y, w, h, rgb(20, 21, 25));
    fillRect(p, x + 1, y + 1, w - 2, h - 2, s.dial);
    hline(p, x + 2, x + 2 + (w - 5) * 2 / 3, y + h / 2, s.figure);
}

}  // namespace

Pixels placementPicture(int mode) {
    Pixels p(60, 32);
    screen(p, 0, 0, 60, 32);
    if (mode == 0) {
        for (int i = 0; i < 4; ++i) miniModule(p, 5 + i * 12, 5, 11, 6, i % kStyleCount);
    } else if (mode == 1) {
        for (int i = 0; i < 4; ++i) miniModule(p, 5, 4 + i * 6, 13, 5, i % kStyleCount);
    } else {
        const int x[4] = {6, 36, 20, 42}, y[4] = {6, 5, 16, 22};
        for (int i = 0; i < 4; ++i) miniModule(p, x[i], y[i], 11, 6, i % kStyleCount);
    }
    return p;
}

Pixels visibilityMonitor() {
    // The whole picture is the screen, so it sits on any dialog colour.
    Pixels p(70, 44);
    screen(p, 0, 0, 70, 44);
    return p;
}

}  // namespace vel::skingen
