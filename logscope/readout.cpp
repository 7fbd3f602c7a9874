#include "logscope/readout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gfx/draw.h"
#include "gfx/font.h"

namespace vel::logscope {

namespace {
// The box is framed in the line's own grey.
const Colour kLine = rgb(90, 90, 90), kBox = rgb(255, 255, 238), kReadoutText = rgb(20, 20, 20);
constexpr int kPad = 4, kSwatch = 10;
}  // namespace

std::string stampText(std::int64_t ms) {
    const Stamp s = stampOf(ms);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", s.year, s.month, s.day, s.hour, s.minute,
                  s.second);
    return text;
}

std::optional<double> valueAt(const Series& s, std::int64_t t) {
    if (s.empty()) return std::nullopt;
    const auto after = std::lower_bound(s.time.begin(), s.time.end(), t);
    const std::size_t i = static_cast<std::size_t>(after - s.time.begin());
    // The points on either side, joined when the line joins them.
    const bool hasAfter = i < s.time.size(), hasBefore = i > 0;
    if (hasAfter && s.time[i] == t) return s.value[i];
    const std::int64_t dAfter = hasAfter ? s.time[i] - t : 0, dBefore = hasBefore ? t - s.time[i - 1] : 0;
    const bool joined = hasAfter && hasBefore && s.time[i] - s.time[i - 1] <= 3 * s.tick;
    const std::int64_t reach = joined ? 3 * s.tick : s.tick / 2;
    if (hasBefore && (!hasAfter || dBefore <= dAfter) && dBefore <= reach) return s.value[i - 1];
    if (hasAfter && dAfter <= reach) return s.value[i];
    return std::nullopt;
}

std::string valueText(const Series& s, std::optional<double> v) {
    if (!v) return "\u2014";
    char text[48];
    const double a = std::fabs(*v);
    const int decimals = (a == std::floor(a) || a >= 100) ? 0 : a >= 1 ? 1 : 2;
    std::snprintf(text, sizeof text, "%.*f", decimals, *v);
    const Family f = s.info->family;
    if (f == Family::Processors || f == Family::Memory) return std::string(text) + " %";
    return s.info->growth ? std::string(text) + " /s" : std::string(text);
}

std::int64_t timeAtColumn(TimeSpan span, int plotWidth, int column) {
    const std::int64_t len = span.to - span.from;
    return span.from + (static_cast<std::int64_t>(column) * len + plotWidth / 2) / std::max(plotWidth, 1);
}

std::vector<std::string> readoutLines(std::int64_t t, const std::vector<const Series*>& shown) {
    std::vector<std::string> lines{stampText(t)};
    for (const Series* s : shown) lines.push_back(s->info->name + std::string(": ") + valueText(*s, valueAt(*s, t)));
    return lines;
}

void drawReadout(Pixels& out, const ChartLayout& layout, int column, const std::vector<std::string>& lines,
                 const std::vector<const Series*>& shown) {
    const PlotArea& a = layout.plot;
    const gfx::ClipRect clip{a.left, a.top, a.left + a.width, a.top + a.height};
    const int x = a.left + column;
    gfx::fillRect(out, x, a.top, 1, a.height, kLine, clip);

    const int row = gfx::lineHeight(kChartFont);
    int w = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
        w = std::max(w, gfx::measureText(kChartFont, lines[i]).width + (i ? kSwatch + 4 : 0));
    w += 2 * kPad;
    const int h = static_cast<int>(lines.size()) * row + 2 * kPad;
    // Beside the line, on the side with room for it.
    int left = x + 8;
    if (left + w > a.left + a.width) left = std::max(a.left, x - 8 - w);
    const int top = a.top + 6;
    gfx::fillRect(out, left, top, w, h, kBox, clip);
    gfx::frameRect(out, left, top, w, h, kLine);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int y = top + kPad + static_cast<int>(i) * row;
        int tx = left + kPad;
        if (i) {
            gfx::fillRect(out, tx, y + row / 2 - 2, kSwatch, 4, shown[i - 1]->info->colour, clip);
            tx += kSwatch + 4;
        }
        gfx::drawText(out, tx, y, lines[i], kChartFont, kReadoutText, clip);
    }
}

}  // namespace vel::logscope
