// Text with our own pixel faces. The face is picked by point size (96 dpi):
// tiny up to 5.5 pt, small below 7.5 pt, regular above. Bold widens every
// stroke by one pixel to the right and adds one pixel to each advance.
// Each glyph advances by its width plus one pixel of letter spacing.
#include "gfx/font.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "gfx/font_glyphs.h"

namespace vel::gfx {

namespace {

struct Glyph {
    int width = 0;
    std::vector<std::string> rows;  // sheet rows, '#' = ink
    InkBox ink;                     // of the glyph itself, at (0, 0)
};

InkBox inkOf(const std::vector<std::string>& rows) {
    InkBox b;
    b.left = b.top = 1 << 20;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        const std::string& r = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < static_cast<int>(r.size()); ++x) {
            if (r[static_cast<std::size_t>(x)] != '#') continue;
            b.left = std::min(b.left, x);
            b.right = std::max(b.right, x + 1);
            b.top = std::min(b.top, y);
            b.bottom = std::max(b.bottom, y + 1);
        }
    }
    return b.empty() ? InkBox{} : b;
}

struct Face {
    int rows = 0;
    int capHeight = 0;
    std::unordered_map<char32_t, Glyph> glyphs;
    Glyph box;  // for characters the face does not have
};

// Calls each(code point) for the UTF-8 text, without building a copy: text
// is drawn on every meter tick. A byte that does not start a valid sequence
// is read as Windows-1252, so older Latin-1 texts still show their degree signs.
template <class Each>
void forEachCodePoint(std::string_view text, Each&& each) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            each(static_cast<char32_t>(b));
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, cp = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, cp = b & 0x07;
        }
        bool valid = extra > 0;
        for (int k = 1; valid && k <= extra; ++k) {
            const std::size_t at = i + static_cast<std::size_t>(k);
            valid = at < n && (p[at] & 0xC0) == 0x80;
            if (valid) cp = (cp << 6) | (p[at] & 0x3F);
        }
        // Overlong three/four-byte forms, surrogates and values past U+10FFFF.
        if (valid && ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
                      (cp >= 0xD800 && cp <= 0xDFFF))) {
            valid = false;
        }
        if (valid) {
            each(cp);
            i += static_cast<std::size_t>(extra) + 1;
        } else {
            each(b == 0x99 ? U'\u2122' : static_cast<char32_t>(b));
            ++i;
        }
    }
}

std::u32string decodeUtf8(std::string_view text) {
    std::u32string out;
    forEachCodePoint(text, [&](char32_t cp) { out.push_back(cp); });
    return out;
}

Face buildFace(const glyphs::GlyphSheet& sheet) {
    Face face;
    face.rows = sheet.rows;
    face.capHeight = sheet.capHeight;
    for (const auto& block : sheet.blocks) {
        const std::u32string chars = decodeUtf8(block.chars);
        std::vector<std::vector<std::string>> tokens(chars.size());
        for (const char* row : block.rows) {
            std::size_t k = 0;
            const char* start = row;
            for (const char* q = row;; ++q) {
                if (*q == ' ' || *q == '\0') {
                    if (k < tokens.size()) tokens[k].emplace_back(start, q);
                    ++k;
                    start = q + 1;
                }
                if (*q == '\0') break;
            }
        }
        for (std::size_t k = 0; k < chars.size(); ++k) {
            Glyph g;
            g.rows = std::move(tokens[k]);
            g.rows.resize(static_cast<std::size_t>(sheet.rows));
            for (const auto& r : g.rows) g.width = std::max(g.width, static_cast<int>(r.size()));
            g.ink = inkOf(g.rows);
            face.glyphs[chars[k]] = std::move(g);
        }
    }
    // A hollow box standing on the baseline.
    const int w = std::max(3, sheet.capHeight * 2 / 3);
    face.box.width = w;
    face.box.rows.assign(static_cast<std::size_t>(sheet.rows), std::string(static_cast<std::size_t>(w), '.'));
    for (int y = 0; y < sheet.capHeight; ++y) {
        auto& r = face.box.rows[static_cast<std::size_t>(y)];
        if (y == 0 || y == sheet.capHeight - 1) {
            r.assign(static_cast<std::size_t>(w), '#');
        } else {
            r.front() = '#';
            r.back() = '#';
        }
    }
    face.box.ink = inkOf(face.box.rows);
    return face;
}

const Face& tinyFace() {
    static const Face f = buildFace(glyphs::tinySheet());
    return f;
}
const Face& smallFace() {
    static const Face f = buildFace(glyphs::smallSheet());
    return f;
}
const Face& regularFace() {
    static const Face f = buildFace(glyphs::regularSheet());
    return f;
}

// The face for a font request and where its cap line sits inside the line.
struct Layout {
    const Face* face = nullptr;
    int lineHeight = 0;
    int topPad = 0;
    int boldExtra = 0;
};

Layout layoutFor(const FontSpec& font) {
    const double px = font.sizePt * 96.0 / 72.0;
    Layout l;
    l.boldExtra = font.bold ? 1 : 0;
    if (font.sizePt <= 5.5) {
        l.face = &tinyFace();
        l.lineHeight = 7;
        l.topPad = 0;
    } else if (font.sizePt < 7.5) {
        l.face = &smallFace();
        l.lineHeight = std::clamp(static_cast<int>(std::lround(px)), 8, 9);
        l.topPad = l.lineHeight - 8;
    } else {
        l.face = &regularFace();
        l.lineHeight = std::max(13, static_cast<int>(std::lround(px * 1.2)));
        l.topPad = 2 + (l.lineHeight - 13) / 2;
    }
    return l;
}

const Glyph& glyphFor(const Face& face, char32_t cp) {
    const auto it = face.glyphs.find(cp);
    return it == face.glyphs.end() ? face.box : it->second;
}

}  // namespace

TextMetrics measureText(const FontSpec& font, std::string_view text, TextBackend* system) {
    const Layout l = layoutFor(font);
    TextMetrics m;
    m.height = l.lineHeight;
    m.ascent = l.topPad + l.face->capHeight;
    if (system && system->measure(font.name, font.sizePt, font.bold, text, m.width)) {
        int ascent = 0;
        if (system->ascent(font.name, font.sizePt, font.bold, ascent)) m.ascent = ascent;
        return m;
    }
    forEachCodePoint(text, [&](char32_t cp) { m.width += glyphFor(*l.face, cp).width + 1 + l.boldExtra; });
    return m;
}

InkBox inkBox(const FontSpec& font, std::string_view text, TextBackend* system) {
    InkBox box;
    if (system &&
        system->inkBox(font.name, font.sizePt, font.bold, text, box.left, box.top, box.right, box.bottom))
        return box.empty() ? InkBox{} : box;
    const Layout l = layoutFor(font);
    bool any = false;
    int penX = 0;
    forEachCodePoint(text, [&](char32_t cp) {
        const Glyph& g = glyphFor(*l.face, cp);
        if (!g.ink.empty()) {
            // Bold strikes every column once more, one pixel to the right.
            const InkBox at{penX + g.ink.left, l.topPad + g.ink.top, penX + g.ink.right + l.boldExtra,
                            l.topPad + g.ink.bottom};
            box = any ? InkBox{std::min(box.left, at.left), std::min(box.top, at.top), std::max(box.right, at.right),
                               std::max(box.bottom, at.bottom)}
                      : at;
            any = true;
        }
        penX += g.width + 1 + l.boldExtra;
    });
    return box;
}

int lineHeight(const FontSpec& font) { return layoutFor(font).lineHeight; }

void drawText(Pixels& s, int x, int y, std::string_view text, const FontSpec& font, Colour c,
              const ClipRect& clip, TextBackend* system) {
    if (system && system->draw(s, x, y, text, font.name, font.sizePt, font.bold, c, clip.left, clip.top,
                                       clip.right, clip.bottom))
        return;
    const Layout l = layoutFor(font);
    const ClipRect area{std::max(clip.left, 0), std::max(clip.top, 0), std::min(clip.right, s.width),
                        std::min(clip.bottom, s.height)};
    auto plot = [&](int px, int py) {
        if (px >= area.left && py >= area.top && px < area.right && py < area.bottom) s.at(px, py) = c;
    };
    int penX = x;
    const int top = y + l.topPad;
    forEachCodePoint(text, [&](char32_t cp) {
        const Glyph& g = glyphFor(*l.face, cp);
        for (int row = 0; row < static_cast<int>(g.rows.size()); ++row) {
            const std::string& bits = g.rows[static_cast<std::size_t>(row)];
            for (int col = 0; col < static_cast<int>(bits.size()); ++col) {
                if (bits[static_cast<std::size_t>(col)] != '#') continue;
                plot(penX + col, top + row);
                if (l.boldExtra) plot(penX + col + 1, top + row);
            }
        }
        penX += g.width + 1 + l.boldExtra;
    });
}

}  // namespace vel::gfx
