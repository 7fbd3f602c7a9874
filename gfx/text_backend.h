// The hook through which a backend with fonts of its own (Windows) draws
// our text. Handed to each text call, so two runtimes never share one.
#pragma once

#include <string>
#include <string_view>

#include "gfx/pixels.h"

namespace vel::gfx {

// Text drawn with the system's own fonts, for a backend that has them. The
// simulated machine and X11 have none: there our pixel fonts draw, the same
// everywhere.
class TextBackend {
public:
    virtual ~TextBackend() = default;
    // Advance width of one line in pixels; false when the face cannot be made.
    virtual bool measure(const std::string& face, double sizePt, bool bold, std::string_view text, int& width) = 0;
    // Draws one line in colour with the top of its cell at (x, y), touching
    // only pixels inside [clipLeft, clipRight) x [clipTop, clipBottom).
    virtual bool draw(Pixels& target, int x, int y, std::string_view text, const std::string& face, double sizePt,
                      bool bold, Colour colour, int clipLeft, int clipTop, int clipRight, int clipBottom) = 0;
    // Where the baseline lies below the top of the cell, in pixels.
    virtual bool ascent(const std::string& face, double sizePt, bool bold, int& ascent) = 0;
    // The pixels draw touches for a line drawn at (0, 0), as the box
    // [left, right) x [top, bottom); an empty box when it has no ink.
    virtual bool inkBox(const std::string& face, double sizePt, bool bold, std::string_view text, int& left,
                        int& top, int& right, int& bottom) = 0;
};

}  // namespace vel::gfx
