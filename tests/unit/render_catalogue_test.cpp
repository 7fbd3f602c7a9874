// Style codes to renderers, and the style names.
#include <gtest/gtest.h>

#include "engine/style_catalogue.h"
#include "tests/unit/render_rig.h"

namespace vel {
namespace {

using test::kFace;
using test::RenderRig;

// Which renderer left its mark after one 50 % sample.
std::string rendererSeen(const RenderRig& r) {
    if (r.lnVU.x1() != 13) return "VU";
    if (r.shpTC.left() == 30) return "Tach";
    if (r.shpTC.left() == 31) return r.lblCPU.caption() == "50" ? "HCombo" : "HBar";
    if (r.shpTC.height() == 10) return r.lblCPU.caption() == "50" ? "VCombo" : "VBar";
    if (r.picMod.fillStyle() == 0) return "IMeter";
    if (r.at(14, 4) == rgb(255, 192, 192)) return "EKG";
    if (r.at(30, 1) == rgb(0, 0, 224)) return "Needle";
    if (r.at(50, 10) != kFace) return "Graph";
    return "nothing";
}

TEST(DispatchRenderer, EachStyleCodeRunsItsRenderer) {
    struct Case { std::int16_t code; const char* renderer; int yields; };
    const Case cases[] = {
        {0, "VU", 1},     {1, "VU", 1},     {2, "VU", 1},     {3, "VU", 1},      {4, "Tach", 1},
        {5, "Tach", 1},   {6, "EKG", 0},    {7, "Needle", 0}, {8, "Graph", 0},   {9, "Graph", 0},
        {10, "Graph", 0}, {11, "Graph", 0}, {12, "Graph", 0}, {13, "HBar", 1},   {14, "HCombo", 1},
        {15, "VBar", 1},  {16, "VCombo", 1}, {17, "IMeter", 0}, {18, "nothing", 0}, {-1, "nothing", 0},
    };
    for (const Case& c : cases) {
        RenderRig r;
        r.picMod.setFillStyle(1);
        r.state.EkgPos = 5;
        r.ctx.styleCode = c.code;
        dispatchRenderer(c.code, 50, r.view, r.ctx, 0);
        EXPECT_EQ(rendererSeen(r), c.renderer) << c.code;
        EXPECT_EQ(r.os.doEventsCalls, c.yields) << c.code;
    }
}

TEST(StyleCatalogue, NamesAsTheOptionsListShowThem) {
    const auto& cpu = cpuStyleNames();
    EXPECT_EQ(cpu[0], "VU Meter Gold (Original)");
    EXPECT_EQ(cpu[8], "Line Graph Black (Original)");
    EXPECT_EQ(cpu[14], "Horizontal Bar w\\Text");
    EXPECT_EQ(cpu[16], "Vertical Bar w\\Text");
    EXPECT_EQ(cpu[17], "Intensi-Meter");
    EXPECT_EQ(cpu[14].size(), 21u);  // one literal backslash
    EXPECT_EQ(networkStyleNames()[3], "Network on Green");
    EXPECT_EQ(memoryStyleNames()[0], "Memory on Black");
    EXPECT_EQ(mouseStyleNames()[4], "Mouse on Red");
}

}  // namespace
}  // namespace vel
