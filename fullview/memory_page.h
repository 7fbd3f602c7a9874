// The memory screen of the Full View: four VU meters for the free shares of
// physical memory, virtual memory and page file and the total load, their
// figures, the memory modules' clock and width, and the way to Memtide.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "forms/graphic_controls.h"
#include "forms/picture_box.h"

namespace vel {

class App;

// Where DrawVU plots needle point i (0..20) for a value in percent.
struct NeedlePoint {
    double x, y;
};
NeedlePoint vuNeedlePoint(int pivotX, int pivotY, int value, int i);

class FvMemoryPage {
public:
    FvMemoryPage(App& app, forms::PictureBox& panel);

    std::array<forms::PictureBox*, 4> picTach{};
    std::array<forms::Line*, 4> vuLine{};
    std::array<forms::Label*, 4> lblVUCaption{};
    std::array<forms::Label*, 7> lblMemInfo{};
    forms::Label* lblRR;

    // The pictures of the meters (at load).
    void loadPictures();
    // The tmrMemory tick: a fresh snapshot, the four meters and their labels.
    void update();
    // The screen's set-up: clock speed and data width of the memory modules.
    void setUp();
    // Clears meter index and draws its needle at value percent.
    void DrawVU(std::int16_t& value, std::int16_t& index);

    // The value each needle was last drawn at, for prints and tests.
    std::array<std::optional<std::int16_t>, 4> needleValue{};

    // What lblRR does once Memtide is started (the window closes).
    std::function<void()> onMemtideStarted;

private:
    void lblRR_Click();
    App& app_;
};

}  // namespace vel
