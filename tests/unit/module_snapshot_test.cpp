// Reference pictures (tests/data/snapshots and styles) of every module in
// each of its styles in a fixed state, drawn by the compositor: any change
// to a face, a renderer or the compositor shows here pixel for pixel; see
// snapshot_reference.h for renewing them.
#include <gtest/gtest.h>

#include <cstdio>

#include "module_rig.h"
#include "snapshot_reference.h"

using namespace vel;

namespace {

class ModuleSnapshot : public ::testing::TestWithParam<int> {};
class CpuStyleReference : public ::testing::TestWithParam<int> {};

// A load sequence that climbs, falls and jumps, so traces have shape and
// needles sit between scale marks.
constexpr double kLoads[] = {5, 20, 35, 60, 85, 100, 70, 45, 30, 55, 90, 15, 0, 40, 65, 72};

}  // namespace

TEST_P(ModuleSnapshot, MemoryNetworkAndMouseInTheirStyle) {
    const int style = GetParam();
    test::ModuleRig rig(1);
    constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
    rig.sources().setMemory(test::memoryStatus(4 * kGiB, kGiB, 2 * kGiB, 3 * kGiB / 2, 6 * kGiB, 4 * kGiB));
    rig.sources().setConnection(2, "eth0", 1);
    rig.sources().advanceTcp(5000, 4000);
    rig.sources().advanceUdp(300, 200);
    const std::string s = std::to_string(style);
    rig.start("Visi5=1\nVisi6=1\nVisi7=1\nmTyp5=" + s + "\nmTyp6=" + s + "\nmTyp7=" + s + "\n");
    rig.m.sim.setWallpaperPixel(900, 700, rgb(200, 120, 40));
    rig.m.sim.mouseMove(900, 700);

    FrmHidden& e = rig.engine();
    FrmNetwork& net = rig.network();
    net.tmrXFer->setEnabled(false);
    if (net.phase() == 1) net.tmrXFer_Timer();  // a tick fell due during start-up
    e.tmrMEM_Timer();
    e.tmrMSE_Timer();
    e.tmrNET_Timer();
    net.tmrXFer_Timer();
    rig.sources().advanceTcp(60, 10);  // 146.56 KB/s: three rows
    rig.sources().advanceUdp(0, 4);    // 23.44 KB/s: three rows
    rig.m.sim.advance(250);
    net.tmrXFer_Timer();
    e.tmrNET_Timer();  // TCP lights and UDP send on, UDP receive off

    test::matchesReference(rig.memory().render(), "memory_" + s);
    test::matchesReference(net.render(), "network_" + s);
    test::matchesReference(rig.mouse().render(), "mouse_" + s);
}

INSTANTIATE_TEST_SUITE_P(Styles, ModuleSnapshot, ::testing::Values(0, 1, 2, 3, 4));

TEST(ModuleSnapshotClock, TenPastTen) {
    test::ModuleRig rig(1);
    rig.start("Visi8=1\n");
    FrmClock& clock = rig.clock();
    clock.Timer1->setEnabled(false);
    rig.m.sim.setClock(platform::SystemTime{2026, 12, 0, 5, 10, 8, 37, 500});
    clock.Timer1_Timer();
    test::matchesReference(clock.render(), "clock");
}

TEST_P(CpuStyleReference, MatchesItsReferencePicture) {
    test::EngineRig rig(1);
    rig.start("Visi0=1\nmTyp0=" + std::to_string(GetParam()) + "\nCPUCLOCK=1\nPLCMNT=2\nPosX0=0\nPosY0=0\n");
    for (double load : kLoads) {
        rig.setLoad(0, load);
        rig.m.sim.advance(100);
    }
    rig.m.sim.advance(50);  // let the last paint reach the window
    const platform::SimWindow* w = rig.m.sim.findWindow("frmCPU0");
    ASSERT_NE(w, nullptr);
    char name[32];
    std::snprintf(name, sizeof name, "cpu_style_%02d", GetParam());
    test::matchesReference(w->pixels, name, "styles");
}

INSTANTIATE_TEST_SUITE_P(AllStyles, CpuStyleReference, ::testing::Range(0, 18));
