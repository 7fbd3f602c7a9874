// The processor screens of the Full View: the single-processor panel with
// its processor options, the processors summary and the activity graphs.
// The figures, counters and graphs on them belong to these pages too.
#pragma once

#include <array>

#include "forms/graphic_controls.h"
#include "forms/picture_box.h"

namespace vel {

class App;

class FvProcessorPages {
public:
    FvProcessorPages(App& app, forms::PictureBox& single, forms::PictureBox& summary, forms::PictureBox& activity);

    std::array<forms::Label*, 4> lblCPUOpt{};
    std::array<forms::Label*, 12> lblProcSumInfo{};
    forms::Label* lblActivity;

    // Screen 0's set-up: the options of the detected processors only.
    void showSingle();
    // Screen 1's set-up: the processor count on the summary.
    void showSummary();

private:
    App& app_;
};

}  // namespace vel
