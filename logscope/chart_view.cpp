#include "logscope/chart_view.h"

#include <algorithm>
#include <cmath>

#include "logscope/periods.h"

namespace vel::logscope {

void ChartView::reset(std::int64_t first, std::int64_t last) {
    first_ = first;
    // The last point is drawn inside the view, not on its far edge.
    last_ = std::max(last + 1, first + 1);
    showDay(dayStart(last));
}

void ChartView::showDay(std::int64_t start) {
    span_ = {std::max(first_, start), std::min(last_, start + kDayMs)};
    if (span_.to - span_.from < kShortest) span_.to = span_.from + kShortest;
}

void ChartView::zoom(double factor, double anchor) {
    const double len = static_cast<double>(length());
    const std::int64_t longest = std::max<std::int64_t>(last_ - first_, kShortest);
    const auto next = std::clamp(static_cast<std::int64_t>(std::llround(len * factor)), kShortest, longest);
    const double at = static_cast<double>(span_.from) + len * std::clamp(anchor, 0.0, 1.0);
    span_.from = static_cast<std::int64_t>(std::llround(at - static_cast<double>(next) * anchor));
    span_.to = span_.from + next;
    clamp();
}

void ChartView::pan(double share) { panMs(static_cast<std::int64_t>(std::llround(share * length()))); }

void ChartView::panMs(std::int64_t ms) {
    span_.from += ms;
    span_.to += ms;
    clamp();
}

void ChartView::home() { panMs(first_ - span_.from); }
void ChartView::end() { panMs(last_ - span_.to); }

// Keeps the view on the logs: it never runs past their first or last time
// unless it is longer than all of them.
void ChartView::clamp() {
    const std::int64_t len = length();
    if (span_.to > last_) span_ = {last_ - len, last_};
    if (span_.from < first_) span_ = {first_, first_ + len};
}

}  // namespace vel::logscope
