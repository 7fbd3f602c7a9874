// A system face 6 px a character at 8 pt with a 15 px cell, wider and
// taller than ours; its ink is its whole cell below one blank row, so whose
// text backend drew a caption shows in its pixels.
#pragma once

#include <algorithm>

#include "gfx/draw.h"
#include "gfx/text_backend.h"

namespace vel::test {

class WideText : public gfx::TextBackend {
public:
    static int scaled(int px, double sizePt) { return std::max(1, static_cast<int>(px * sizePt / 8.0)); }
    bool measure(const std::string&, double sizePt, bool, std::string_view text, int& width) override {
        width = static_cast<int>(text.size()) * scaled(6, sizePt);
        return true;
    }
    bool draw(Pixels& target, int x, int y, std::string_view text, const std::string& face, double sizePt, bool bold,
              Colour colour, int clipLeft, int clipTop, int clipRight, int clipBottom) override {
        int l = 0, t = 0, r = 0, b = 0;
        inkBox(face, sizePt, bold, text, l, t, r, b);
        gfx::fillRect(target, x + l, y + t, r - l, b - t, colour, gfx::ClipRect{clipLeft, clipTop, clipRight, clipBottom});
        return true;
    }
    bool ascent(const std::string&, double sizePt, bool, int& ascent) override {
        ascent = scaled(12, sizePt);
        return true;
    }
    bool inkBox(const std::string& face, double sizePt, bool bold, std::string_view text, int& left, int& top,
                int& right, int& bottom) override {
        measure(face, sizePt, bold, text, right);
        left = 0;
        top = 1;
        bottom = scaled(15, sizePt);
        return true;
    }
};

}  // namespace vel::test
