#include "platform/win32/win32_text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/win32/utf16.h"

namespace vel::platform::win32 {

GdiText::GdiText() : dc_(CreateCompatibleDC(nullptr)) {}

GdiText::~GdiText() {
    if (dc_) {
        if (originalFont_) SelectObject(dc_, originalFont_);
        if (originalBitmap_) SelectObject(dc_, originalBitmap_);
        DeleteDC(dc_);
    }
    if (canvas_) DeleteObject(canvas_);
    for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT GdiText::fontFor(const std::string& face, double sizePt, bool bold) {
    // Points to pixels at the 96 dpi the design was made for, as a form's
    // font size is meant.
    const int pixels = std::max(1, static_cast<int>(std::lround(sizePt * 96.0 / 72.0)));
    const auto key = std::make_tuple(face, pixels, bold);
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    HFONT font = CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                             widen(face).c_str());
    if (font) fonts_.emplace(key, font);
    return font;
}

bool GdiText::selectFont(const std::string& face, double sizePt, bool bold) {
    HFONT font = dc_ ? fontFor(face, sizePt, bold) : nullptr;
    if (!font) return false;
    HGDIOBJ previous = SelectObject(dc_, font);
    if (!originalFont_) originalFont_ = previous;
    return true;
}

const std::wstring& GdiText::wide(std::string_view text) {
    wideText_.clear();
    if (text.empty()) return wideText_;
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n > 0) {
        wideText_.resize(static_cast<std::size_t>(n));
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wideText_.data(), n);
    } else {
        // Not UTF-8: the program's older texts are Windows-1252.
        wideText_.assign(text.begin(), text.end());
    }
    return wideText_;
}

bool GdiText::ensureCanvas(int width, int height) {
    if (width <= canvasWidth_ && height <= canvasHeight_ && canvas_) return true;
    const int w = std::max(width, canvasWidth_), h = std::max(height, canvasHeight_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!canvas || !bits) return false;
    HGDIOBJ previous = SelectObject(dc_, canvas);
    if (!originalBitmap_) originalBitmap_ = previous;
    if (canvas_) DeleteObject(canvas_);
    canvas_ = canvas;
    canvasBits_ = static_cast<std::uint32_t*>(bits);
    canvasWidth_ = w;
    canvasHeight_ = h;
    return true;
}

bool GdiText::measure(const std::string& face, double sizePt, bool bold, std::string_view text, int& width) {
    if (!selectFont(face, sizePt, bold)) return false;
    const std::wstring& w = wide(text);
    SIZE size{};
    if (!w.empty() && !GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size)) return false;
    width = size.cx;
    return true;
}

bool GdiText::render(std::string_view text, const std::string& face, double sizePt, bool bold, int& width,
                     int& height) {
    width = height = 0;
    if (!selectFont(face, sizePt, bold)) return false;
    const std::wstring& w = wide(text);
    if (w.empty()) return true;
    SIZE size{};
    if (!GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size)) return false;
    // Italic overhang and antialiasing can reach a little past the advance.
    width = size.cx + 4, height = size.cy + 2;
    if (!ensureCanvas(width, height)) return false;
    for (int row = 0; row < height; ++row) std::memset(canvasBits_ + row * canvasWidth_, 0, static_cast<std::size_t>(width) * 4);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(255, 255, 255));
    TextOutW(dc_, 0, 0, w.c_str(), static_cast<int>(w.size()));
    GdiFlush();
    return true;
}

int GdiText::coverage(int x, int y) const {
    const std::uint32_t s = canvasBits_[y * canvasWidth_ + x];
    // White on black: the brightest channel is the coverage.
    return std::max({static_cast<int>(s & 0xFF), static_cast<int>((s >> 8) & 0xFF), static_cast<int>((s >> 16) & 0xFF)});
}

bool GdiText::draw(Pixels& target, int x, int y, std::string_view text, const std::string& face, double sizePt,
                   bool bold, Colour colour, int clipLeft, int clipTop, int clipRight, int clipBottom) {
    int width = 0, height = 0;
    if (!render(text, face, sizePt, bold, width, height)) return false;
    const int left = std::max({clipLeft, 0, x}), top = std::max({clipTop, 0, y});
    const int right = std::min({clipRight, target.width, x + width}), bottom = std::min({clipBottom, target.height, y + height});
    for (int py = top; py < bottom; ++py) {
        for (int px = left; px < right; ++px) {
            const int a = coverage(px - x, py - y);
            if (a == 0) continue;
            Colour& d = target.at(px, py);
            auto mix = [a](int under, int over) { return (under * (255 - a) + over * a + 127) / 255; };
            d = rgb(mix(redOf(d), redOf(colour)), mix(greenOf(d), greenOf(colour)), mix(blueOf(d), blueOf(colour)));
        }
    }
    return true;
}

bool GdiText::ascent(const std::string& face, double sizePt, bool bold, int& ascent) {
    if (!selectFont(face, sizePt, bold)) return false;
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(dc_, &metrics)) return false;
    ascent = metrics.tmAscent;
    return true;
}

bool GdiText::inkBox(const std::string& face, double sizePt, bool bold, std::string_view text, int& left, int& top,
                     int& right, int& bottom) {
    int width = 0, height = 0;
    if (!render(text, face, sizePt, bold, width, height)) return false;
    left = top = right = bottom = 0;
    bool any = false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (coverage(x, y) == 0) continue;
            if (!any) {
                left = x;
                top = y;
                any = true;
            }
            left = std::min(left, x);
            right = std::max(right, x + 1);
            bottom = y + 1;
        }
    return true;
}

}  // namespace vel::platform::win32
