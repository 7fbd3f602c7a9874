// The graph of a time span: each series reduced to its lowest and highest
// value per pixel column, drawn on one shared time axis with a legend.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/font.h"
#include "gfx/pixels.h"
#include "logscope/log_reader.h"

namespace vel::logscope {

// The chart's lettering, and of what is drawn over it.
inline const gfx::FontSpec kChartFont{"Arial", 8.0, false};

// [from, to) in ms since 1970 (local).
struct TimeSpan {
    std::int64_t from = 0, to = 1;
};

// The points of one pixel column.
struct Column {
    double lo = 0, hi = 0, first = 0, last = 0;
    std::int64_t firstTime = 0, lastTime = 0;
    bool has = false;
};

// A series over a span at a width: its columns, and the nearest point on
// either side of the span so the line runs on to the edges.
struct Reduced {
    std::vector<Column> columns;
    bool hasBefore = false, hasAfter = false;
    std::int64_t beforeTime = 0, afterTime = 0;
    double beforeValue = 0, afterValue = 0;
    double lo = 0, hi = 0;  // over the columns; lo > hi when none has a point
};

// One pass over the points inside the span (found by binary search).
void reduce(const Series& s, TimeSpan span, int width, Reduced& out);

// The value axis: a round range with its label step.
struct ValueAxis {
    double lo = 0, hi = 100, step = 20;
};
ValueAxis valueAxis(double lo, double hi, bool percent);

// The time axis's step for a span drawn over `width` pixels: the shortest
// round step that leaves `minGap` pixels between labels.
std::int64_t timeStep(TimeSpan span, int width, int minGap);

// Where the plot sits in a picture of the given size.
struct PlotArea {
    int left = 0, top = 0, width = 0, height = 0;
};
PlotArea plotArea(int width, int height, int legendRows);

// Where a drawing put its parts, for the mouse and the readout.
struct LegendBox {
    int left = 0, top = 0, width = 0, height = 0;
    bool contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
};
struct ChartLayout {
    PlotArea plot;
    ValueAxis axis;
    std::vector<LegendBox> legend;  // one per series, in their order
};

// Draws the series over the span into the whole picture: legend, value
// axis, time axis with dates and times, then the lines. Every series has
// its legend entry; one whose `hidden` flag is set is greyed there and not
// drawn, and leaves the value axis to the others. `work` keeps the
// reductions' columns from one redraw to the next.
ChartLayout drawChart(Pixels& out, const std::vector<const Series*>& series, TimeSpan span,
                      std::vector<Reduced>& work, const std::vector<bool>& hidden = {});

}  // namespace vel::logscope
