// The view as files: the chart as PNG, the shown series over the span as
// CSV, written where the user will find them.
#pragma once

#include <string>
#include <vector>

#include "logscope/chart.h"
#include "platform/platform.h"

namespace vel::logscope {

// A header row ("time" and the series' names), then one row per time any
// shown series has a point in [span.from, span.to): the local date and
// time, and each series' value as shown (empty where it has none).
std::string csvOf(const std::vector<const Series*>& shown, TimeSpan span);

// "logscope-memory-2027-01-01-0000.csv": the family and the view's start.
std::string exportName(const std::string& family, TimeSpan span, const std::string& extension);

struct Exported {
    bool ok = false;
    std::string path;     // where it went, when ok
    std::string message;  // for the status line: what was written, or why nothing was
};

// Writes `bytes` as `name` into the first of the folders that takes it.
Exported writeExport(platform::Files& files, char separator, const std::vector<std::string>& folders,
                     const std::string& name, const std::string& bytes);

}  // namespace vel::logscope
