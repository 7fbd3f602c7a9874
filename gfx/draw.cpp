// Pixel primitives. Lines and rectangles follow GDI's rules so the meters
// look the same as they always did; the anti-aliased helpers are only for
// artwork.
#include "gfx/draw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vel::gfx {

namespace {

ClipRect surfaceClip(const Pixels& s) { return ClipRect{0, 0, s.width, s.height}; }

ClipRect intersect(const ClipRect& a, const ClipRect& b) {
    return ClipRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
}

bool inClip(const ClipRect& c, int x, int y) {
    return x >= c.left && y >= c.top && x < c.right && y < c.bottom;
}

// Bresenham from (x1,y1) towards (x2,y2); the end point is drawn only when
// asked (GDI leaves it out, the line control puts it in).
void bresenham(Pixels& s, int x1, int y1, int x2, int y2, Colour c, const ClipRect& clip,
               bool includeEnd) {
    const ClipRect cl = intersect(clip, surfaceClip(s));
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    for (;;) {
        const bool atEnd = x == x2 && y == y2;
        if (atEnd && !includeEnd) break;
        if (inClip(cl, x, y)) s.at(x, y) = c;
        if (atEnd) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// Blends a colour over one pixel with a coverage of 0..1.
void cover(Pixels& s, int x, int y, Colour c, double coverage) {
    if (!s.inside(x, y) || coverage <= 0.0) return;
    const int a = static_cast<int>(std::lround(std::min(coverage, 1.0) * 255.0));
    s.at(x, y) = mix(c, s.at(x, y), a);
}

// Supersamples a shape given by an inside test over a bounding box.
template <typename Inside>
void fillShapeAA(Pixels& s, double minX, double minY, double maxX, double maxY, Colour c,
                 Inside inside) {
    const int x0 = std::max(0, static_cast<int>(std::floor(minX)));
    const int y0 = std::max(0, static_cast<int>(std::floor(minY)));
    const int x1 = std::min(s.width - 1, static_cast<int>(std::ceil(maxX)));
    const int y1 = std::min(s.height - 1, static_cast<int>(std::ceil(maxY)));
    constexpr int kSub = 4;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            int hits = 0;
            for (int j = 0; j < kSub; ++j) {
                for (int i = 0; i < kSub; ++i) {
                    const double px = x + (i + 0.5) / kSub;
                    const double py = y + (j + 0.5) / kSub;
                    if (inside(px, py)) ++hits;
                }
            }
            cover(s, x, y, c, static_cast<double>(hits) / (kSub * kSub));
        }
    }
}

}  // namespace

void fillRect(Pixels& s, int x, int y, int w, int h, Colour c) {
    fillRect(s, x, y, w, h, c, surfaceClip(s));
}

void fillRect(Pixels& s, int x, int y, int w, int h, Colour c, const ClipRect& clip) {
    if (w <= 0 || h <= 0) return;
    const ClipRect r = intersect(intersect(ClipRect{x, y, x + w, y + h}, clip), surfaceClip(s));
    for (int yy = r.top; yy < r.bottom; ++yy) {
        for (int xx = r.left; xx < r.right; ++xx) s.at(xx, yy) = c;
    }
}

void frameRect(Pixels& s, int x, int y, int w, int h, Colour c) {
    if (w <= 0 || h <= 0) return;
    fillRect(s, x, y, w, 1, c);
    fillRect(s, x, y + h - 1, w, 1, c);
    fillRect(s, x, y, 1, h, c);
    fillRect(s, x + w - 1, y, 1, h, c);
}

void lineTo(Pixels& s, int x1, int y1, int x2, int y2, Colour c) {
    bresenham(s, x1, y1, x2, y2, c, surfaceClip(s), false);
}

void lineTo(Pixels& s, int x1, int y1, int x2, int y2, Colour c, const ClipRect& clip) {
    bresenham(s, x1, y1, x2, y2, c, clip, false);
}

void lineInclusive(Pixels& s, int x1, int y1, int x2, int y2, Colour c, const ClipRect& clip) {
    bresenham(s, x1, y1, x2, y2, c, clip, true);
}

void setPixel(Pixels& s, int x, int y, Colour c) {
    if (s.inside(x, y)) s.at(x, y) = c;
}

void blit(Pixels& dst, int x, int y, const Pixels& src) { blit(dst, x, y, src, surfaceClip(dst)); }

void blit(Pixels& dst, int x, int y, const Pixels& src, const ClipRect& clip) {
    const ClipRect r =
        intersect(intersect(ClipRect{x, y, x + src.width, y + src.height}, clip), surfaceClip(dst));
    // Row by row: the windows are composed from pictures, so this is the
    // busiest loop of painting.
    if (r.right <= r.left) return;
    const auto width = static_cast<std::size_t>(r.right - r.left);
    for (int yy = r.top; yy < r.bottom; ++yy) {
        const Colour* from = &src.data[static_cast<std::size_t>(yy - y) * src.width + (r.left - x)];
        std::copy_n(from, width, &dst.data[static_cast<std::size_t>(yy) * dst.width + r.left]);
    }
}

void blitKeyed(Pixels& dst, int x, int y, const Pixels& src, Colour key) {
    const ClipRect r = intersect(ClipRect{x, y, x + src.width, y + src.height}, surfaceClip(dst));
    for (int yy = r.top; yy < r.bottom; ++yy) {
        for (int xx = r.left; xx < r.right; ++xx) {
            const Colour p = src.at(xx - x, yy - y);
            if (p != key) dst.at(xx, yy) = p;
        }
    }
}

// Per channel (over * a + under * (255 - a) + 127) / 255: the rounded form of
// AlphaBlend's constant-alpha formula, so alpha 0 keeps the destination and
// alpha 255 gives the source exactly.
Colour mix(Colour over, Colour under, int alpha) {
    const int a = std::clamp(alpha, 0, 255);
    auto channel = [a](int o, int u) { return (o * a + u * (255 - a) + 127) / 255; };
    return rgb(channel(redOf(over), redOf(under)), channel(greenOf(over), greenOf(under)),
               channel(blueOf(over), blueOf(under)));
}

void alphaBlendStretch(Pixels& dst, const Pixels& src, int alpha) {
    if (dst.empty() || src.empty()) return;
    const int a = std::clamp(alpha, 0, 255);
    if (a == 0) return;
    for (int y = 0; y < dst.height; ++y) {
        const int sy = static_cast<int>(static_cast<long long>(y) * src.height / dst.height);
        for (int x = 0; x < dst.width; ++x) {
            const int sx = static_cast<int>(static_cast<long long>(x) * src.width / dst.width);
            dst.at(x, y) = mix(src.at(sx, sy), dst.at(x, y), a);
        }
    }
}

void verticalGradient(Pixels& s, int x, int y, int w, int h, Colour top, Colour bottom) {
    if (h <= 0) return;
    for (int row = 0; row < h; ++row) {
        const int a = h == 1 ? 0 : (row * 255 + (h - 1) / 2) / (h - 1);
        fillRect(s, x, y + row, w, 1, mix(bottom, top, a));
    }
}

void fillRoundRect(Pixels& s, int x, int y, int w, int h, int radius, Colour c) {
    if (w <= 0 || h <= 0) return;
    const int r = std::clamp(radius, 0, std::min(w, h) / 2);
    for (int row = 0; row < h; ++row) {
        // Inset of this row from the rounded corners (pixel centres inside the arc).
        int inset = 0;
        const int fromEdge = std::min(row, h - 1 - row);
        if (fromEdge < r) {
            const double dy = r - (fromEdge + 0.5);
            const double dx = std::sqrt(std::max(0.0, static_cast<double>(r) * r - dy * dy));
            inset = static_cast<int>(std::ceil(r - dx - 0.5));
            inset = std::max(inset, 0);
        }
        fillRect(s, x + inset, y + row, w - 2 * inset, 1, c);
    }
}

void fillCircleAA(Pixels& s, double cx, double cy, double r, Colour c) {
    if (r <= 0) return;
    fillShapeAA(s, cx - r, cy - r, cx + r, cy + r, c, [=](double px, double py) {
        return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r;
    });
}

// A ring centred on radius r, width wide (r - width/2 .. r + width/2).
void ringAA(Pixels& s, double cx, double cy, double r, double width, Colour c) {
    const double outer = r + width / 2, inner = std::max(0.0, r - width / 2);
    fillShapeAA(s, cx - outer, cy - outer, cx + outer, cy + outer, c, [=](double px, double py) {
        const double d2 = (px - cx) * (px - cx) + (py - cy) * (py - cy);
        return d2 <= outer * outer && d2 >= inner * inner;
    });
}

// A capsule: every point within width/2 of the segment.
void lineAA(Pixels& s, double x1, double y1, double x2, double y2, double width, Colour c) {
    const double half = width / 2;
    const double vx = x2 - x1, vy = y2 - y1;
    const double len2 = vx * vx + vy * vy;
    fillShapeAA(s, std::min(x1, x2) - half, std::min(y1, y2) - half, std::max(x1, x2) + half,
                std::max(y1, y2) + half, c, [=](double px, double py) {
                    double t = len2 > 0 ? ((px - x1) * vx + (py - y1) * vy) / len2 : 0.0;
                    t = std::clamp(t, 0.0, 1.0);
                    const double dx = px - (x1 + t * vx), dy = py - (y1 + t * vy);
                    return dx * dx + dy * dy <= half * half;
                });
}

}  // namespace vel::gfx
