// The graph: series reduced to min/max per pixel column, the axes' steps,
// and the pixels the lines leave in a picture.
#include <gtest/gtest.h>

#include "logscope/chart.h"
#include "logscope/readout.h"

using namespace vel;
using namespace vel::logscope;

namespace {

// A processor series with a point a second from t0, value i % 7, and
// nothing between `gapFrom` and `gapTo` (seconds).
Series cpuSeries(std::int64_t t0, int seconds, int gapFrom = -1, int gapTo = -1) {
    Series s;
    s.info = &seriesCatalogue()[0];
    for (int i = 0; i < seconds; ++i) {
        if (i >= gapFrom && i < gapTo) continue;
        s.time.push_back(t0 + i * 1000);
        s.value.push_back(i % 7 * 10);
    }
    return s;
}

int inkInColumn(const Pixels& p, int x, Colour c) {
    int n = 0;
    for (int y = 0; y < p.height; ++y) n += p.at(x, y) == c;
    return n;
}

}  // namespace

TEST(LogscopeChart, ColumnsHoldTheLowestHighestFirstAndLastPoint) {
    const Series s = cpuSeries(1000000, 100);
    Reduced r;
    reduce(s, {1000000 + 10000, 1000000 + 30000}, 4, r);  // 20 points, 5 a column
    ASSERT_EQ(r.columns.size(), 4u);
    // Points 10..14: values 30, 40, 50, 60, 0.
    EXPECT_TRUE(r.columns[0].has);
    EXPECT_EQ(r.columns[0].lo, 0);
    EXPECT_EQ(r.columns[0].hi, 60);
    EXPECT_EQ(r.columns[0].first, 30);
    EXPECT_EQ(r.columns[0].last, 0);
    EXPECT_EQ(r.columns[0].lastTime, 1000000 + 14000);
    EXPECT_TRUE(r.hasBefore && r.hasAfter);
    EXPECT_EQ(r.beforeValue, 20);
    EXPECT_EQ(r.afterTime, 1000000 + 30000);
    EXPECT_EQ(r.lo, 0);
    EXPECT_EQ(r.hi, 60);
}

// A minute with a gap of 20 s: the line's colour in the columns of the
// points, none in the gap's inner columns.
TEST(LogscopeChart, DrawsTheLineAndLeavesTheGapEmpty) {
    const std::int64_t t0 = 1796083200000;  // 2026-12-01 00:00
    const Series s = cpuSeries(t0, 60, 20, 40);
    Pixels p(400, 200);
    std::vector<Reduced> work;
    drawChart(p, {&s}, {t0, t0 + 60000}, work);
    const PlotArea a = plotArea(400, 200, 1);
    const Colour c = s.info->colour;
    const auto columnOfSecond = [&](int sec) { return a.left + sec * a.width / 60; };
    for (int sec : {0, 5, 19, 40, 59}) EXPECT_GT(inkInColumn(p, columnOfSecond(sec), c), 0) << sec;
    for (int sec = 21; sec < 39; ++sec) EXPECT_EQ(inkInColumn(p, columnOfSecond(sec), c), 0) << sec;
    // Values 0..60 on a 0..100 axis: nothing of the line above 60 %.
    for (int x = a.left; x < a.left + a.width; ++x)
        for (int y = a.top; y < a.top + a.height * 4 / 10 - 2; ++y) ASSERT_NE(p.at(x, y), c) << x << "," << y;
}

TEST(LogscopeReadout, TakesTheNearestPointAndNoneInAGap) {
    const std::int64_t t0 = 1'800'000'000'000;
    const Series s = cpuSeries(t0, 60, 20, 40);  // a point a second, none from 20 s to 39 s
    EXPECT_EQ(valueAt(s, t0 + 5400), 50.0) << "5.4 s: the point at 5 s";
    EXPECT_EQ(valueAt(s, t0 + 5600), 60.0) << "5.6 s: the point at 6 s";
    EXPECT_EQ(valueAt(s, t0 + 19400), 50.0) << "just after the last point before the gap";
    EXPECT_EQ(valueAt(s, t0 + 30000), std::nullopt);
    EXPECT_EQ(valueAt(s, t0 - 2000), std::nullopt) << "before the first point";
    EXPECT_EQ(valueAt(s, t0 + 59400), 30.0);
    EXPECT_EQ(valueAt(s, t0 + 61000), std::nullopt) << "past the last point";
    EXPECT_EQ(valueText(s, valueAt(s, t0 + 30000)), "\u2014");

    Series rate, level;
    for (const SeriesInfo& info : seriesCatalogue())
        if (info.family == Family::TCP) (info.growth ? rate : level).info = &info;
    EXPECT_EQ(valueText(rate, 12.26), "12.3 /s");
    EXPECT_EQ(valueText(level, 1234567.0), "1234567");
}
