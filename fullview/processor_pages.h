// The processor screens of the Full View: the single-processor panel with
// its processor options, the processors summary and the activity graphs.
// The figures, counters and graphs on them belong to these pages too.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "forms/graphic_controls.h"
#include "forms/picture_box.h"
#include "core/vb.h"
#include "fullview/pdh_table.h"

namespace vel {

class App;

namespace fullview {
// The cover height of a percentage bar: (100 - value) x 0.33 + 1, so 0 %
// is a full cover of 34 and 100 % leaves 1.
double percentCover(double value);
// The grey of point i of a graph column for a value of 1 % or more, and
// the y it is drawn at.
int graphGrey(int value, int i);
constexpr double graphPointY(int i) { return 49.0 - i / 2.0; }
// A percentage as the summary shows it, to two places.
Decimal4 twoPlaces(double value);
// The summary's average up to four processors: the sum over the detected
// count, to two places.
Decimal4 averageUsage(const std::array<std::int32_t, 4>& usage, int detected);
// The status line of a CpuStatus value.
std::string cpuStatusText(const std::string& cpuStatus);
// The four counter paths of the activity sub-view and the five of a
// processor ("_Total" for the summary), in table order.
std::array<std::string, 5> processorCounterPaths(const std::string& instance);
}  // namespace fullview

// The five counter rows of a page: three percentages as bars whose cover
// hides more the lower the value, and two rates as whole numbers.
struct FvCounterRows {
    std::array<forms::Label*, 5> tag{};
    std::array<forms::Shape*, 3> strip{};
    std::array<forms::Shape*, 3> cover{};
    std::array<double, 3> coverHeight{34, 34, 34};
    std::array<forms::Label*, 2> rate{};  // borrowed from the page's labels
};

class FvProcessorPages {
public:
    FvProcessorPages(App& app, forms::PictureBox& single, forms::PictureBox& summary, forms::PictureBox& activity);

    std::array<forms::Label*, 4> lblCPUOpt{};
    std::array<forms::Label*, 10> lblProcessorInfo{};
    std::array<forms::Label*, 8> lblF{};
    std::array<forms::Shape*, 8> shpF{};
    std::array<forms::Label*, 12> lblProcSumInfo{};
    std::array<forms::PictureBox*, 2> picGraph{};
    std::array<FvCounterRows, 2> rows;  // single processor, summary
    forms::Label* lblActivity;

    // The graph column the next tick draws (0..99), and the value each
    // graph last drew its column at (-1 before any).
    std::int16_t graphColumn = 0;
    std::array<int, 2> graphValue{-1, -1};

    // Screen 0's set-up: feature indicators, the options of the detected
    // processors only.
    void showSingle();
    // Screen 1's set-up: the processor count on the summary.
    void showSummary();
    // Set_sType on the processor screens: the page for the sub-type, a fresh
    // query with its counters.
    void setUp(PdhCounterTable& pdh);
    // tmrProcessors: usage, graph, counters.
    void tick(PdhCounterTable& pdh);
    // tmrCycles: the clock estimate.
    void estimateSpeed();

private:
    void setUpSingle(PdhCounterTable& pdh, int processor);
    void setUpSummary(PdhCounterTable& pdh);
    void drawGraph(int graph, int value);
    void collect(PdhCounterTable& pdh);
    void display(PdhCounterTable& pdh, FvCounterRows& rows);
    // The summary's figure beyond four processors: the total counter's.
    Decimal4 totalUsage(PdhCounterTable& pdh);
    Decimal4 shownTotal_{};
    App& app_;
};

}  // namespace vel
