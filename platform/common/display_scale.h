// The desktop's integer scale (1, 2 or 3) and the conversions between the
// logical pixels the program works in and the device pixels of the screen.
// The program draws at 1x; a backend enlarges each picture by whole pixels
// (nearest neighbour, so it stays crisp) and converts every coordinate at
// its boundary, so nothing above the platform layer sees device pixels.
#pragma once

#include <optional>
#include <string_view>

#include "platform/platform.h"

namespace vel::platform {

constexpr int kMinScale = 1, kMaxScale = 3;

// The scale a desktop of this many dots per inch wants: 96 is 1, 192 is 2,
// 288 is 3, rounded to the nearest and kept within 1..3.
int scaleForDpi(double dpi);
// Xft.dpi from an X resource database text (XResourceManagerString), as a
// scale; nullopt when the database does not set it or sets no number.
std::optional<int> scaleFromXResources(std::string_view resources);
// GDK_SCALE's value (a whole number) as a scale; nullopt when unset or not a number.
std::optional<int> scaleFromGdkScale(const char* value);
// The X desktop's scale: GDK_SCALE when it says one, else Xft.dpi, else 1.
int x11DesktopScale(std::string_view resources, const char* gdkScale);
// A scale as the user writes it (--scale N): exactly 1, 2 or 3.
std::optional<int> parseScale(std::string_view text);

// Coordinates both ways. Device to logical rounds down, so every device
// pixel of an enlarged logical pixel maps back to it.
class DisplayScale {
public:
    explicit DisplayScale(int factor = 1) : factor_(factor < kMinScale ? kMinScale : factor > kMaxScale ? kMaxScale : factor) {}
    int factor() const { return factor_; }
    int toDevice(int v) const { return v * factor_; }
    int toLogical(int v) const { return v >= 0 ? v / factor_ : -((-v + factor_ - 1) / factor_); }
    Point toDevice(Point p) const { return {toDevice(p.x), toDevice(p.y)}; }
    Point toLogical(Point p) const { return {toLogical(p.x), toLogical(p.y)}; }
    Size toLogical(Size s) const { return {toLogical(s.width), toLogical(s.height)}; }
    Rect toDevice(const Rect& r) const { return {toDevice(r.left), toDevice(r.top), toDevice(r.right), toDevice(r.bottom)}; }
    Rect toLogical(const Rect& r) const {
        return {toLogical(r.left), toLogical(r.top), toLogical(r.right), toLogical(r.bottom)};
    }
    Region toDevice(const Region& region) const;

    // The picture enlarged factor() times. `device` keeps the enlarged
    // picture between calls: only `changed` (logical) is enlarged again,
    // unless the size changed, when all of it is. Returns the picture to
    // show and sets `deviceChanged` to the part of it that changed. At
    // scale 1 the logical picture itself is returned.
    const Pixels& enlarge(const Pixels& logical, const Rect& changed, Pixels& device, Rect& deviceChanged) const;
    // The same, always into `device`, also at scale 1 (a copy of the
    // changed part); returns the part of `device` that changed.
    Rect enlargeInto(const Pixels& logical, const Rect& changed, Pixels& device) const;

private:
    int factor_;
};

// `picture` enlarged `factor` times, each pixel a factor x factor block.
Pixels enlarged(const Pixels& picture, int factor);

}  // namespace vel::platform
