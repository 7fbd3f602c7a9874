// One reference picture per CPU style: a module window after the same load
// sequence, compared pixel for pixel. Any change to a face, a renderer or the
// compositor shows here; renew the pictures on purpose with VELMORA_UPDATE=1
// after looking at them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "engine_rig.h"
#include "forms/png.h"

using namespace vel;

namespace {

constexpr int kStyleCount = 18;
// A load sequence that climbs, falls and jumps, so traces have shape and
// needles sit between scale marks.
constexpr double kLoads[] = {5, 20, 35, 60, 85, 100, 70, 45, 30, 55, 90, 15, 0, 40, 65, 72};

std::string referencePath(int style) {
    char name[32];
    std::snprintf(name, sizeof name, "cpu_style_%02d.png", style);
    return std::string(VELMORA_SOURCE_DIR) + "/tests/data/styles/" + name;
}

Pixels renderStyle(int style) {
    test::EngineRig rig(1);
    rig.start("Visi0=1\nmTyp0=" + std::to_string(style) + "\nCPUCLOCK=1\nPLCMNT=2\nPosX0=0\nPosY0=0\n");
    for (double load : kLoads) {
        rig.setLoad(0, load);
        rig.m.sim.advance(100);
    }
    rig.m.sim.advance(50);  // let the last paint reach the window
    const platform::SimWindow* w = rig.m.sim.findWindow("frmCPU0");
    return w ? w->pixels : Pixels{};
}

class CpuStyleReference : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(CpuStyleReference, MatchesItsReferencePicture) {
    const int style = GetParam();
    const Pixels actual = renderStyle(style);
    ASSERT_EQ(actual.width, 65);
    ASSERT_EQ(actual.height, 29);
    const std::string path = referencePath(style);
    if (std::getenv("VELMORA_UPDATE")) {
        ASSERT_TRUE(gfx::savePng(path, actual));
        GTEST_SKIP() << "renewed " << path;
    }
    const auto expected = gfx::loadPng(path);
    ASSERT_TRUE(expected.has_value()) << "no reference " << path << "; renew with VELMORA_UPDATE=1";
    ASSERT_EQ(expected->width, actual.width);
    ASSERT_EQ(expected->height, actual.height);
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < actual.height; ++y)
        for (int x = 0; x < actual.width; ++x)
            if (actual.at(x, y) != expected->at(x, y) && differing++ == 0) firstX = x, firstY = y;
    EXPECT_EQ(differing, 0) << "style " << style << " differs from its reference in " << differing
                            << " pixels, first at (" << firstX << "," << firstY << ")";
}

TEST(CpuStyleReference, StylesLookDifferentFromEachOther) {
    // Guards against a face or renderer silently falling back to a shared look.
    std::vector<Pixels> all;
    for (int s = 0; s < kStyleCount; ++s) all.push_back(renderStyle(s));
    for (int a = 0; a < kStyleCount; ++a)
        for (int b = a + 1; b < kStyleCount; ++b) EXPECT_FALSE(all[a] == all[b]) << "styles " << a << " and " << b;
}

INSTANTIATE_TEST_SUITE_P(AllStyles, CpuStyleReference, ::testing::Range(0, kStyleCount));
