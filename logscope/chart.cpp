#include "logscope/chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "gfx/draw.h"
#include "gfx/font.h"

namespace vel::logscope {

namespace {

const Colour kBackground = rgb(255, 255, 255);
const Colour kGrid = rgb(228, 228, 228);
const Colour kAxis = rgb(120, 120, 120);
const Colour kText = rgb(40, 40, 40);
const Colour kHiddenText = rgb(170, 170, 170);
const gfx::FontSpec& kFont = kChartFont;

constexpr int kMarginLeft = 52, kMarginRight = 10, kMarginBottom = 32, kLegendRow = 16, kMarginTop = 6;

int columnOf(std::int64_t t, TimeSpan span, int width) {
    return static_cast<int>((t - span.from) * width / (span.to - span.from));
}

// A value's row in the plot, clamped a little beyond it so far points
// still draw a steep line rather than wrap.
int rowOf(double v, const ValueAxis& axis, const PlotArea& a) {
    const double y = a.top + a.height - 1 - (v - axis.lo) / (axis.hi - axis.lo) * (a.height - 1);
    return static_cast<int>(std::lround(std::clamp(y, -4.0 * a.height, 5.0 * a.height)));
}

// x of a time in picture coordinates, held in the same way.
int xOf(std::int64_t t, TimeSpan span, const PlotArea& a) {
    const double x = a.left + static_cast<double>(t - span.from) * a.width / static_cast<double>(span.to - span.from);
    return static_cast<int>(std::floor(std::clamp(x, -4.0 * a.width, 5.0 * a.width)));
}

// Large figures in thousands, millions or billions, so labels fit the margin.
std::string valueLabel(double v, double step) {
    char text[32];
    static constexpr struct {
        double scale;
        char suffix;
    } kUnits[] = {{1e9, 'G'}, {1e6, 'M'}, {1e3, 'k'}};
    for (const auto& u : kUnits)
        if (step >= u.scale && v != 0) {
            std::snprintf(text, sizeof text, "%.0f%c", v / u.scale, u.suffix);
            return text;
        }
    if (step >= 1 || v == 0)
        std::snprintf(text, sizeof text, "%.0f", v);
    else
        std::snprintf(text, sizeof text, "%.*f", std::clamp(static_cast<int>(std::ceil(-std::log10(step))), 1, 6), v);
    return text;
}

std::string two(int v) { return {static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)}; }

void drawLine(Pixels& out, const Series& s, const Reduced& r, TimeSpan span, const ValueAxis& axis,
              const PlotArea& a) {
    const gfx::ClipRect clip{a.left, a.top, a.left + a.width, a.top + a.height};
    const Colour c = s.info->colour;
    const std::int64_t gap = 3 * s.tick;
    bool havePrev = r.hasBefore;
    std::int64_t prevTime = r.beforeTime;
    int prevX = xOf(r.beforeTime, span, a), prevY = rowOf(r.beforeValue, axis, a);
    for (int x = 0; x < static_cast<int>(r.columns.size()); ++x) {
        const Column& col = r.columns[static_cast<std::size_t>(x)];
        if (!col.has) continue;
        const int px = a.left + x;
        if (havePrev && col.firstTime - prevTime <= gap)
            gfx::lineInclusive(out, prevX, prevY, px, rowOf(col.first, axis, a), c, clip);
        const int top = rowOf(col.hi, axis, a), bottom = rowOf(col.lo, axis, a);
        gfx::fillRect(out, px, top, 1, bottom - top + 1, c, clip);
        havePrev = true;
        prevTime = col.lastTime;
        prevX = px;
        prevY = rowOf(col.last, axis, a);
    }
    if (havePrev && r.hasAfter && r.afterTime - prevTime <= gap)
        gfx::lineInclusive(out, prevX, prevY, xOf(r.afterTime, span, a), rowOf(r.afterValue, axis, a), c, clip);
}

}  // namespace

void reduce(const Series& s, TimeSpan span, int width, Reduced& out) {
    out.columns.assign(static_cast<std::size_t>(std::max(width, 0)), Column{});
    out.hasBefore = out.hasAfter = false;
    out.lo = 1;
    out.hi = 0;
    if (width <= 0 || span.to <= span.from) return;
    const auto begin = std::lower_bound(s.time.begin(), s.time.end(), span.from);
    const auto end = std::lower_bound(begin, s.time.end(), span.to);
    const std::size_t i0 = static_cast<std::size_t>(begin - s.time.begin());
    const std::size_t i1 = static_cast<std::size_t>(end - s.time.begin());
    if (i0 > 0) {
        out.hasBefore = true;
        out.beforeTime = s.time[i0 - 1];
        out.beforeValue = s.value[i0 - 1];
    }
    if (i1 < s.time.size()) {
        out.hasAfter = true;
        out.afterTime = s.time[i1];
        out.afterValue = s.value[i1];
    }
    for (std::size_t i = i0; i < i1; ++i) {
        Column& c = out.columns[static_cast<std::size_t>(columnOf(s.time[i], span, width))];
        const double v = s.value[i];
        if (!c.has) {
            c = Column{v, v, v, v, s.time[i], s.time[i], true};
        } else {
            c.lo = std::min(c.lo, v);
            c.hi = std::max(c.hi, v);
            c.last = v;
            c.lastTime = s.time[i];
        }
    }
    for (const Column& c : out.columns) {
        if (!c.has) continue;
        if (out.lo > out.hi) {
            out.lo = c.lo;
            out.hi = c.hi;
        }
        out.lo = std::min(out.lo, c.lo);
        out.hi = std::max(out.hi, c.hi);
    }
}

ValueAxis valueAxis(double lo, double hi, bool percent) {
    if (percent) return {0, 100, 20};
    if (lo > hi) return {0, 1, 0.2};
    lo = std::min(lo, 0.0);
    const double range = hi - lo > 0 ? hi - lo : std::max(std::fabs(hi), 1.0);
    const double magnitude = std::pow(10.0, std::floor(std::log10(range / 5)));
    double step = magnitude;
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (range / (m * magnitude) <= 6) {
            step = m * magnitude;
            break;
        }
    ValueAxis axis{std::floor(lo / step) * step, std::ceil(hi / step) * step, step};
    if (axis.hi <= axis.lo) axis.hi = axis.lo + step;
    return axis;
}

std::int64_t timeStep(TimeSpan span, int width, int minGap) {
    static constexpr std::int64_t kSteps[] = {
        1000,       2000,        5000,        10000,       15000,        30000,        60000,
        120000,     300000,      600000,      900000,      1800000,      3600000,      7200000,
        10800000,   21600000,    43200000,    86400000,    2 * 86400000, 7 * 86400000, 14 * 86400000};
    for (const std::int64_t step : kSteps)
        if (width > 0 && step * width / std::max<std::int64_t>(span.to - span.from, 1) >= minGap) return step;
    return kSteps[std::size(kSteps) - 1];
}

PlotArea plotArea(int width, int height, int legendRows) {
    const int top = kMarginTop + legendRows * kLegendRow + 4;
    return {kMarginLeft, top, std::max(width - kMarginLeft - kMarginRight, 1),
            std::max(height - top - kMarginBottom, 1)};
}

ChartLayout drawChart(Pixels& out, const std::vector<const Series*>& series, TimeSpan span,
                      std::vector<Reduced>& work, const std::vector<bool>& hidden) {
    out.fill(kBackground);
    if (span.to <= span.from) span.to = span.from + 1;
    const gfx::ClipRect whole{0, 0, out.width, out.height};
    const auto isHidden = [&](std::size_t i) { return i < hidden.size() && hidden[i]; };

    // The legend first: how many rows it takes decides where the plot goes.
    ChartLayout layout;
    int legendRows = 1, x = kMarginLeft;
    for (const Series* s : series) {
        const int w = 14 + gfx::measureText(kFont, s->info->name).width + 12;
        if (x + w > out.width - kMarginRight && x > kMarginLeft) {
            ++legendRows;
            x = kMarginLeft;
        }
        layout.legend.push_back({x, kMarginTop + (legendRows - 1) * kLegendRow, w - 8, kLegendRow});
        x += w;
    }
    if (series.empty()) legendRows = 0;
    const PlotArea a = plotArea(out.width, out.height, legendRows);
    layout.plot = a;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const LegendBox& box = layout.legend[i];
        if (isHidden(i)) {
            gfx::frameRect(out, box.left, box.top + 5, 10, 4, kHiddenText);
            gfx::drawText(out, box.left + 14, box.top, series[i]->info->name, kFont, kHiddenText, whole);
        } else {
            gfx::fillRect(out, box.left, box.top + 5, 10, 4, series[i]->info->colour);
            gfx::drawText(out, box.left + 14, box.top, series[i]->info->name, kFont, kText, whole);
        }
    }

    work.resize(series.size());
    double lo = 1, hi = 0;
    bool percent = !series.empty();
    for (std::size_t i = 0; i < series.size(); ++i) {
        const Family f = series[i]->info->family;
        percent = percent && (f == Family::Processors || f == Family::Memory);
        if (isHidden(i)) continue;
        reduce(*series[i], span, a.width, work[i]);
        if (work[i].lo > work[i].hi) continue;
        lo = lo > hi ? work[i].lo : std::min(lo, work[i].lo);
        hi = std::max(hi, work[i].hi);
    }
    const ValueAxis axis = valueAxis(lo, hi, percent);
    layout.axis = axis;

    // Value grid and labels.
    for (double v = axis.lo; v <= axis.hi + axis.step / 2; v += axis.step) {
        const int y = rowOf(v, axis, a);
        gfx::fillRect(out, a.left, y, a.width, 1, kGrid);
        const std::string label = valueLabel(v, axis.step);
        const int w = gfx::measureText(kFont, label).width;
        gfx::drawText(out, a.left - 4 - w, y - gfx::lineHeight(kFont) / 2, label, kFont, kText, whole);
    }

    // Time grid: times on the first row, the date under the first label and
    // wherever the day changes.
    const std::int64_t step = timeStep(span, a.width, 70);
    std::int64_t t = (span.from / step + (span.from % step > 0)) * step;
    int lastDay = -1, lastLabelEnd = -1000;
    for (; t < span.to; t += step) {
        const int tx = xOf(t, span, a);
        gfx::fillRect(out, tx, a.top, 1, a.height, kGrid);
        gfx::fillRect(out, tx, a.top + a.height, 1, 4, kAxis);
        const Stamp st = stampOf(t);
        std::string label = two(st.hour) + ":" + two(st.minute);
        if (step < 60000) label += ":" + two(st.second);
        const int w = gfx::measureText(kFont, label).width;
        const int y = a.top + a.height + 5;
        // Centred under its line, but never past the picture's edges.
        gfx::drawText(out, std::clamp(tx - w / 2, 0, std::max(0, out.width - w)), y, label, kFont, kText, whole);
        const int day = st.year * 400 + st.month * 32 + st.day;
        if (day != lastDay) {
            const std::string date = std::to_string(st.year) + "-" + two(st.month) + "-" + two(st.day);
            const int dw = gfx::measureText(kFont, date).width;
            if (tx - dw / 2 > lastLabelEnd) {
                gfx::drawText(out, std::clamp(tx - dw / 2, 0, std::max(0, out.width - dw)), y + gfx::lineHeight(kFont),
                              date, kFont, kText, whole);
                lastLabelEnd = tx + dw / 2 + 6;
                lastDay = day;
            }
        }
    }
    gfx::frameRect(out, a.left - 1, a.top - 1, a.width + 2, a.height + 2, kAxis);

    for (std::size_t i = 0; i < series.size(); ++i)
        if (!isHidden(i)) drawLine(out, *series[i], work[i], span, axis, a);
    return layout;
}

}  // namespace vel::logscope
