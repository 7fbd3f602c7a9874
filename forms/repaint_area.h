// Rectangles for partial repainting: the union of what was invalidated and
// the part of a repainted area whose pixels really differ.
#pragma once

#include "platform/platform.h"

namespace vel::forms {

// The smallest rectangle holding both (an empty one adds nothing).
platform::Rect unite(const platform::Rect& a, const platform::Rect& b);

// Copies the `area` of `from` into `to`, resized to the area (keeping its
// capacity).
void copyArea(const Pixels& from, const platform::Rect& area, Pixels& to);

// The bounding box of the pixels in `area` of `now` that differ from
// `before` (a copy of that area); empty when none do.
platform::Rect changedPart(const Pixels& now, const Pixels& before, const platform::Rect& area);

}  // namespace vel::forms
