// The same desktop at scale 1, 2 and 3: translucent modules, the shaped
// main bar, the options dialog opened with the mouse and a tooltip. Enlarged 2 or 3 times, the
// scale-1 picture must be the scaled desktop pixel for pixel.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "gfx/png.h"
#include "platform/common/display_scale.h"
#include "scenario/runner.h"
#include "tests/support/sim_machine.h"

using namespace vel;

namespace {

const char* const kDesktop = R"(processors 2
ini TLUCENTZON 230
ini TLUCENTZOFF 90
ini CPUCLOCK 10
ini MEMCLOCK 10
ini NETCLOCK 10
ini VISIBLE 1
ini ALWAYSOT 1
ini VISI0 1
ini VISI1 1
ini VISI5 1
ini VISI6 1
ini VISI7 1
ini VISI8 1
ini PLCMNT 2
ini PosX0 600
ini PosY0 600
ini PosX1 600
ini PosY1 1200
ini PosX5 2100
ini PosY5 600
ini PosX6 2100
ini PosY6 1200
ini PosX7 3600
ini PosY7 600
ini PosX8 3600
ini PosY8 1200
ini PosX9 5100
ini PosY9 600
memory 4294967296 1073741824 2147483648 1610612736 6442450944 3221225472
load 0 35
load 1 80
start
advance 2000
print edges
click frmMain btnOpt(2)
move frmOptions tbsOptions 80 8
advance 600
print tooltip
)";

// Runs the desktop at this scale; returns its snapshot and what it printed.
Pixels desktopAt(int scale, std::string& printed) {
    test::SimMachine m;
    const std::filesystem::path scenario = m.folder / "desktop.scn";
    const std::filesystem::path picture = m.folder / "desktop.png";
    std::ofstream(scenario) << "scale " << scale << "\n" << kDesktop << "snapshot \"" << picture.string() << "\"\n";
    std::ostringstream out, err;
    EXPECT_EQ(runScenario(ScenarioOptions{scenario.string(), m.folder.string()}, out, err), 0) << err.str();
    printed = out.str();
    return gfx::loadPng(picture.string()).value_or(Pixels{});
}

class HiDpiDesktop : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(HiDpiDesktop, IsTheScaleOneDesktopEnlargedPixelForPixel) {
    const int scale = GetParam();
    std::string printedAtOne, printedScaled;
    const Pixels one = desktopAt(1, printedAtOne);
    const Pixels scaled = desktopAt(scale, printedScaled);
    ASSERT_EQ(one.width, 1024);
    EXPECT_NE(printedAtOne.find("tooltip=\""), std::string::npos);
    EXPECT_NE(printedAtOne, "tooltip=\"\"\n") << "the tooltip is part of the picture";
    EXPECT_EQ(printedScaled, printedAtOne) << "the mouse found the same controls";
    const Pixels expected = platform::enlarged(one, scale);
    ASSERT_EQ(scaled.width, expected.width);
    ASSERT_EQ(scaled.height, expected.height);
    int differing = 0;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x)
            if (scaled.at(x, y) != expected.at(x, y) && differing++ == 0)
                ADD_FAILURE() << "first difference at " << x << "," << y;
    EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Scales, HiDpiDesktop, ::testing::Values(2, 3));
