// What the chart shows at the pointer's time: a vertical line there and a
// box with the time and each shown series' value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "logscope/chart.h"

namespace vel::logscope {

// "2026-12-06 14:05:09"
std::string stampText(std::int64_t ms);

// The series' value at a time: its nearest point, or none when the time
// falls in a gap of its line (or beyond its ends by more than a tick).
std::optional<double> valueAt(const Series& s, std::int64_t t);

// "57 %", "12.5 /s", "42" for a level; "—" for no value.
std::string valueText(const Series& s, std::optional<double> v);

// The time a plot column's left edge stands for.
std::int64_t timeAtColumn(TimeSpan span, int plotWidth, int column);

// The readout's text: the time, then "name: value" for each series.
std::vector<std::string> readoutLines(std::int64_t t, const std::vector<const Series*>& shown);

// Draws the line at plot column `column` and the box of `lines` beside
// it, each series' line after its colour.
void drawReadout(Pixels& out, const ChartLayout& layout, int column, const std::vector<std::string>& lines,
                 const std::vector<const Series*>& shown);

}  // namespace vel::logscope
