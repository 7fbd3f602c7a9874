// Pixel drawing primitives on a Pixels surface. Pure functions, no platform.
// Everything clips to the surface; nothing here allocates per pixel.
#pragma once

#include "gfx/pixels.h"

namespace vel::gfx {

struct ClipRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right/bottom exclusive
};

void fillRect(Pixels& s, int x, int y, int w, int h, Colour c);
void fillRect(Pixels& s, int x, int y, int w, int h, Colour c, const ClipRect& clip);
// Outline of a rectangle, 1 pixel wide.
void frameRect(Pixels& s, int x, int y, int w, int h, Colour c);
// A GDI-style line: from (x1, y1) up to but not including (x2, y2).
void lineTo(Pixels& s, int x1, int y1, int x2, int y2, Colour c);
void lineTo(Pixels& s, int x1, int y1, int x2, int y2, Colour c, const ClipRect& clip);
// A line with both end points drawn (the line control).
void lineInclusive(Pixels& s, int x1, int y1, int x2, int y2, Colour c, const ClipRect& clip);
void setPixel(Pixels& s, int x, int y, Colour c);
// Copies src (all of it, or the part given) to (x, y), clipped.
void blit(Pixels& dst, int x, int y, const Pixels& src);
void blit(Pixels& dst, int x, int y, const Pixels& src, const ClipRect& clip);
// Copies with a colour key: src pixels equal to key are skipped.
void blitKeyed(Pixels& dst, int x, int y, const Pixels& src, Colour key);
// Constant-alpha blend of src stretched over the whole of dst (nearest
// neighbour), as AlphaBlend with SourceConstantAlpha does it:
// dst = src * a / 255 + dst * (255 - a) / 255, per channel.
void alphaBlendStretch(Pixels& dst, const Pixels& src, int alpha);
// Blend one colour over a pixel with alpha 0..255.
Colour mix(Colour over, Colour under, int alpha);

// Helpers for artwork.
void verticalGradient(Pixels& s, int x, int y, int w, int h, Colour top, Colour bottom);
void fillRoundRect(Pixels& s, int x, int y, int w, int h, int radius, Colour c);
// Anti-aliased filled circle (coverage by 4x4 supersampling).
void fillCircleAA(Pixels& s, double cx, double cy, double r, Colour c);
void ringAA(Pixels& s, double cx, double cy, double r, double width, Colour c);
// Anti-aliased line of a given width (for artwork, not for the meters).
void lineAA(Pixels& s, double x1, double y1, double x2, double y2, double width, Colour c);

}  // namespace vel::gfx
