// The same desktop at scale 1, 2 and 3: translucent modules, the shaped
// main bar, the options dialog opened with the mouse and a tooltip. Enlarged 2 or 3 times, the
// scale-1 picture must be the scaled desktop pixel for pixel.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/common/display_scale.h"
#include "scenario/runner.h"
#include "snapshot_reference.h"
#include "tests/support/sim_machine.h"

using namespace vel;

namespace {

// Runs the desktop at this scale: modules 0, 1, 5, 6, 7 and the clock in
// three columns of two, the main bar beside them; returns its snapshot and
// what it printed.
Pixels desktopAt(int scale, std::string& printed) {
    std::string text = "scale " + std::to_string(scale) +
                       "\nprocessors 2\nini TLUCENTZON 230\nini TLUCENTZOFF 90\nini CPUCLOCK 10\nini MEMCLOCK 10\n"
                       "ini NETCLOCK 10\nini VISIBLE 1\nini ALWAYSOT 1\nini PLCMNT 2\n";
    const int places[][3] = {{0, 600, 600}, {1, 600, 1200}, {5, 2100, 600}, {6, 2100, 1200},
                             {7, 3600, 600}, {8, 3600, 1200}, {9, 5100, 600}};
    for (const auto& [w, x, y] : places) {
        const std::string n = std::to_string(w);
        if (w != 9) text += "ini VISI" + n + " 1\n";
        text += "ini PosX" + n + " " + std::to_string(x) + "\nini PosY" + n + " " + std::to_string(y) + "\n";
    }
    test::SimMachine m;
    const std::filesystem::path scenario = m.folder / "desktop.scn";
    const std::filesystem::path picture = m.folder / "desktop.png";
    std::ofstream(scenario) << text
                            << "memory 4294967296 1073741824 2147483648 1610612736 6442450944 3221225472\n"
                               "load 0 35\nload 1 80\nstart\nadvance 2000\nprint edges\nclick frmMain btnOpt(2)\n"
                               "move frmOptions tbsOptions 80 8\nadvance 600\nprint tooltip\nsnapshot \""
                            << picture.string() << "\"\n";
    std::ostringstream out, err;
    EXPECT_EQ(runScenario(ScenarioOptions{scenario.string(), m.folder.string()}, out, err), 0) << err.str();
    printed = out.str();
    return gfx::loadPng(m.sim.files(), picture.string()).value_or(Pixels{});
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
    EXPECT_EQ(printedAtOne.find("tooltip=\"\""), std::string::npos) << "the tooltip is part of the picture";
    EXPECT_EQ(printedScaled, printedAtOne) << "the mouse found the same controls";
    test::expectSamePixels(scaled, platform::enlarged(one, scale), "the desktop at scale " + std::to_string(scale));
}

INSTANTIATE_TEST_SUITE_P(Scales, HiDpiDesktop, ::testing::Values(2, 3));
