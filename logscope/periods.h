// The days the logs hold, and the hours of each, for picking a day.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "logscope/log_reader.h"

namespace vel::logscope {

struct Day {
    std::int64_t start = 0;    // local midnight, ms since 1970
    std::uint32_t hours = 0;   // bit h: some series has a point in hour h
};

// Oldest first; found from the points, so named files and folders alike.
std::vector<Day> daysOf(const LogSet& logs);

// "Sat 2026-12-06  00-09, 14-23 h"
std::string dayText(const Day& d);

// The local midnight at or before a time.
std::int64_t dayStart(std::int64_t ms);

}  // namespace vel::logscope
