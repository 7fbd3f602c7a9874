// One reference picture per CPU style (tests/data/styles): a module window
// after the same load sequence, compared pixel for pixel. Any change to a
// face, a renderer or the compositor shows here; see snapshot_reference.h
// for renewing the pictures.
#include <gtest/gtest.h>

#include <cstdio>

#include "engine_rig.h"
#include "snapshot_reference.h"

using namespace vel;

namespace {

constexpr int kStyleCount = 18;
// A load sequence that climbs, falls and jumps, so traces have shape and
// needles sit between scale marks.
constexpr double kLoads[] = {5, 20, 35, 60, 85, 100, 70, 45, 30, 55, 90, 15, 0, 40, 65, 72};

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
    char name[32];
    std::snprintf(name, sizeof name, "cpu_style_%02d", GetParam());
    test::matchesReference(renderStyle(GetParam()), name, "styles");
}

INSTANTIATE_TEST_SUITE_P(AllStyles, CpuStyleReference, ::testing::Range(0, kStyleCount));
