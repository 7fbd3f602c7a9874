#include "platform/common/display_scale.h"

#include <charconv>
#include <cmath>

namespace vel::platform {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The whole text as a number (an optional fraction for a DPI), else nullopt.
std::optional<double> number(std::string_view s) {
    s = trimmed(s);
    if (s.empty()) return std::nullopt;
    double whole = 0;
    std::size_t i = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) whole = whole * 10 + (s[i] - '0');
    if (i == 0) return std::nullopt;
    if (i < s.size() && s[i] == '.') {
        double place = 0.1;
        for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, place /= 10) whole += (s[i] - '0') * place;
    }
    if (i != s.size()) return std::nullopt;
    return whole;
}

void enlargeRows(const Pixels& from, const Rect& r, int factor, Pixels& to) {
    for (int y = r.top; y < r.bottom; ++y) {
        Colour* row = to.data.data() + static_cast<std::size_t>(y) * factor * static_cast<std::size_t>(to.width);
        for (int x = r.left; x < r.right; ++x) {
            const Colour c = from.at(x, y);
            for (int k = 0; k < factor; ++k) row[x * factor + k] = c;
        }
        const Colour* first = row + r.left * factor;
        const std::size_t span = static_cast<std::size_t>(r.width()) * static_cast<std::size_t>(factor);
        for (int k = 1; k < factor; ++k)
            std::copy(first, first + span, row + static_cast<std::size_t>(k) * static_cast<std::size_t>(to.width) +
                                              static_cast<std::size_t>(r.left) * factor);
    }
}

}  // namespace

int scaleForDpi(double dpi) {
    if (!(dpi > 0)) return kMinScale;
    const int scale = static_cast<int>(std::lround(dpi / 96.0));
    return scale < kMinScale ? kMinScale : scale > kMaxScale ? kMaxScale : scale;
}

std::optional<int> scaleFromXResources(std::string_view resources) {
    // Lines of "name:\tvalue"; a later line for the same name wins, as in Xrm.
    std::optional<int> found;
    while (!resources.empty()) {
        const std::size_t end = resources.find('\n');
        std::string_view line = resources.substr(0, end);
        resources.remove_prefix(end == std::string_view::npos ? resources.size() : end + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || trimmed(line.substr(0, colon)) != "Xft.dpi") continue;
        if (auto dpi = number(line.substr(colon + 1))) found = scaleForDpi(*dpi);
    }
    return found;
}

std::optional<int> scaleFromGdkScale(const char* value) {
    if (!value) return std::nullopt;
    const std::string_view text = trimmed(value);
    int scale = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), scale);
    if (error != std::errc() || end != text.data() + text.size() || scale < 1) return std::nullopt;
    return scale > kMaxScale ? kMaxScale : scale;
}

int x11DesktopScale(std::string_view resources, const char* gdkScale) {
    if (auto s = scaleFromGdkScale(gdkScale)) return *s;
    return scaleFromXResources(resources).value_or(kMinScale);
}

std::optional<int> parseScale(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' + kMinScale && text[0] <= '0' + kMaxScale) return text[0] - '0';
    return std::nullopt;
}

Region DisplayScale::toDevice(const Region& region) const {
    Region out;
    out.rects.reserve(region.rects.size());
    for (const Rect& r : region.rects) out.rects.push_back(toDevice(r));
    return out;
}

const Pixels& DisplayScale::enlarge(const Pixels& logical, const Rect& changed, Pixels& device,
                                    Rect& deviceChanged) const {
    if (factor_ == 1) {
        deviceChanged = changed;
        return logical;
    }
    deviceChanged = enlargeInto(logical, changed, device);
    return device;
}

Rect DisplayScale::enlargeInto(const Pixels& logical, const Rect& changed, Pixels& device) const {
    Rect r = clippedTo(changed, logical.width, logical.height);
    if (device.width != logical.width * factor_ || device.height != logical.height * factor_) {
        device = Pixels(logical.width * factor_, logical.height * factor_);
        r = Rect{0, 0, logical.width, logical.height};
    }
    if (!r.empty()) enlargeRows(logical, r, factor_, device);
    return toDevice(r);
}

Pixels enlarged(const Pixels& picture, int factor) {
    Pixels device;
    Rect changed;
    DisplayScale(factor).enlarge(picture, Rect{0, 0, picture.width, picture.height}, device, changed);
    return factor <= 1 ? picture : device;
}

}  // namespace vel::platform
