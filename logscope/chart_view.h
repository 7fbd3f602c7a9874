// The part of the time line a window shows, and how keys, the wheel and
// dragging move it. The logs' own first and last times bound it.
#pragma once

#include <cstdint>

#include "logscope/chart.h"

namespace vel::logscope {

class ChartView {
public:
    // The logs run from `first` to `last` (ms); the view starts on the
    // latest day of them.
    void reset(std::int64_t first, std::int64_t last);
    // The day starting at local midnight `start`, as far as the logs reach.
    void showDay(std::int64_t start);
    TimeSpan span() const { return span_; }
    std::int64_t length() const { return span_.to - span_.from; }

    // factor < 1 zooms in; `anchor` (0 left edge .. 1 right edge) keeps its time.
    void zoom(double factor, double anchor);
    // Moves the view by a share of its length (negative: towards the past).
    void pan(double share);
    void panMs(std::int64_t ms);
    void home();
    void end();

    // The shortest view: a few points at the logger's fastest rate.
    static constexpr std::int64_t kShortest = 2000;

private:
    void clamp();
    std::int64_t first_ = 0, last_ = 1;
    TimeSpan span_;
};

}  // namespace vel::logscope
