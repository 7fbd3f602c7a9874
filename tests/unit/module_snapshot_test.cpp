// Reference pictures of the memory, network and mouse modules in each of
// their five styles, and of the clock, each in a fixed state.
#include <gtest/gtest.h>

#include "module_rig.h"
#include "snapshot_reference.h"

using namespace vel;

namespace {

using test::matchesReference;

std::string styleLines(int style) {
    const std::string s = std::to_string(style);
    return "Visi5=1\nVisi6=1\nVisi7=1\nmTyp5=" + s + "\nmTyp6=" + s + "\nmTyp7=" + s + "\n";
}

class ModuleSnapshot : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(ModuleSnapshot, MemoryNetworkAndMouseInTheirStyle) {
    const int style = GetParam();
    test::ModuleRig rig(1);
    platform::MemoryStatusEx m;
    m.totalPhys = std::uint64_t{4} << 30;
    m.availPhys = std::uint64_t{1} << 30;
    m.totalVirtual = std::uint64_t{2} << 30;
    m.availVirtual = std::uint64_t{3} << 29;
    m.totalPageFile = std::uint64_t{6} << 30;
    m.availPageFile = std::uint64_t{4} << 30;
    rig.sources().setMemory(m);
    rig.sources().setConnection(2, "eth0", 1);
    rig.sources().advanceTcp(5000, 4000);
    rig.sources().advanceUdp(300, 200);
    rig.start(styleLines(style));
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

    const std::string s = std::to_string(style);
    matchesReference(rig.memory(), "memory_" + s);
    matchesReference(net, "network_" + s);
    matchesReference(rig.mouse(), "mouse_" + s);
}

INSTANTIATE_TEST_SUITE_P(Styles, ModuleSnapshot, ::testing::Values(0, 1, 2, 3, 4));

TEST(ModuleSnapshotClock, TenPastTen) {
    test::ModuleRig rig(1);
    rig.start("Visi8=1\n");
    FrmClock& clock = rig.clock();
    clock.Timer1->setEnabled(false);
    rig.m.sim.setClock(platform::SystemTime{2026, 12, 0, 5, 10, 8, 37, 500});
    clock.Timer1_Timer();
    matchesReference(clock, "clock");
}
