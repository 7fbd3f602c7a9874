// The Full View's pages beyond the fullview scenarios, and the reference
// pictures of every screen and sub-view (which hold the sample inventory's
// tables and memory module, signed IP figures, forwarding and the bars'
// covers): the VU needle's pixels and the usage graph clearing as it wraps.
#include <gtest/gtest.h>

#include "fullview_rig.h"
#include "snapshot_reference.h"

using namespace vel;
using namespace vel::fullview;

namespace {

const char* const kQuiet = "CPUCLOCK=0\nPLCMNT=2\n";
constexpr std::uint64_t kGiB = 1073741824;

}  // namespace

TEST(FullViewMemoryPage, TheNeedleIsTwentyOnePointsEndingAtThePivot) {
    // The points at 0, 25, 50 and 100 %: tests/scenarios/fullview and
    // fullview_screens. Their pixels at 0 %, here.
    test::FullViewRig rig(1);
    App& app = rig.startAndSettle(kQuiet);
    showFullView(app, 5, 0, 0);
    FvMemoryPage& page = *rig.view().memoryPage;
    forms::PictureBox& tach = *page.picTach[1];
    const Pixels face = tach.picture();
    std::int16_t value = 0, index = 1;
    page.DrawVU(value, index);
    // On whole pixels the anti-aliased points are the plain needle colour.
    for (int x = 0; x < tach.width(); ++x)
        for (int y = 0; y < tach.height(); ++y) {
            const bool needle = y == 30 && x >= 10 && x <= 30;
            EXPECT_EQ(tach.image().at(x, y), needle ? rgb(0, 0, 64) : face.at(x, y)) << x << "," << y;
        }
    // The next drawing starts from a clean face.
    value = 100;
    page.DrawVU(value, index);
    EXPECT_EQ(tach.image().at(15, 30), face.at(15, 30));
    EXPECT_NE(tach.image().at(45, 30), face.at(45, 30));
    // The other meters are untouched.
    EXPECT_EQ(page.picTach[0]->image().at(15, 30), page.picTach[0]->picture().at(15, 30));
}

// Its columns' pixels at 0, 40, 61 and 100 %: tests/scenarios/fullview_pages
// and fullview_screens.
TEST(FullViewProcessorPages, TheGraphClearsAsItWrapsToColumnZero) {
    test::FullViewRig rig(1);
    App& app = rig.startAndSettle(kQuiet);
    rig.sources().setLoad(0, 0);
    showFullView(app, 0, 0, 0);
    FvProcessorPages& pages = *rig.view().processorPages;
    const forms::PictureBox& graph = *pages.picGraph[0];
    const std::int32_t back = graph.point(50, 10);
    rig.sources().setLoad(0, 100);
    rig.m.sim.advance(100);
    const int x = pages.graphColumn - 1;
    ASSERT_EQ(graph.point(x, 0), static_cast<std::int32_t>(rgb(255, 255, 255)));
    rig.sources().setLoad(0, 0);
    for (int tick = 0; tick < 100 && pages.graphColumn != 0; ++tick) rig.m.sim.advance(100);
    rig.m.sim.advance(100);
    EXPECT_EQ(pages.graphColumn, 1);
    EXPECT_EQ(graph.point(x, 0), back);
    EXPECT_EQ(graph.point(0, 49), 0);
}

TEST(FullViewSnapshot, EveryScreenAndSubView) {
    test::FullViewRig rig(2);
    rig.sources().setMemory(test::memoryStatus(4 * kGiB, 3 * kGiB / 2, 2 * kGiB, 3 * kGiB / 2, 6 * kGiB, 4 * kGiB));
    rig.sources().setLoad(0, 35);
    rig.sources().setLoad(1, 60);
    const char* const counters[5] = {"% Idle Time", "% C1 Time", "% Interrupt Time", "Interrupts/sec",
                                     "DPCs Queued/sec"};
    const double values[5] = {65, 40, 4, 1843, 212};
    for (int i = 0; i < 5; ++i) {
        rig.sources().setCounter(std::string("\\Processor(0)\\") + counters[i], values[i]);
        rig.sources().setCounter(std::string("\\Processor(_Total)\\") + counters[i], values[i] / 2);
    }
    platform::MibIpStats ip;
    ip.dwForwarding = 2;
    ip.dwNumIf = 3;
    ip.dwNumAddr = 4;
    ip.dwDefaultTTL = 128;
    ip.dwInReceives = 918273;
    ip.dwOutRequests = 801234;
    rig.sources().setIp(ip);
    platform::MibIcmp icmp;
    icmp.inStats.dwMsgs = 41;
    icmp.inStats.dwEchoReps = 12;
    icmp.outStats.dwMsgs = 37;
    icmp.outStats.dwEchos = 12;
    rig.sources().setIcmp(icmp);
    platform::MibTcpStats tcp;
    tcp.dwRtoAlgorithm = 4;
    tcp.dwRtoMin = 300;
    tcp.dwRtoMax = 120000;
    tcp.dwMaxConn = 0xFFFFFFFFu;
    tcp.dwInSegs = 52000;
    tcp.dwOutSegs = 48000;
    rig.sources().setTcp(tcp);
    platform::MibUdpStats udp;
    udp.dwInDatagrams = 7000;
    udp.dwOutDatagrams = 6500;
    rig.sources().setUdp(udp);
    rig.m.sim.setTimeStampMhz(3400);
    App& app = rig.startAndSettle(kQuiet);
    app.inventory = test::FullViewRig::sampleInventory();
    // A brand string of the longest kind: drawn smaller, not cut at the graph.
    app.inventory.processor = {{"64", "9", "3", "1", "3400", "12", "CPU0", "100", "GenuineQuillon",
                                "Quillon(R) Xenon(R) Platinum 9380H CPU @ 3.40GHz", "LGA1700"},
                               {}};
    FrmFULLVIEW& fv = rig.openFromMainBar();
    struct View {
        int button, subView, option;
        const char* name;
    };
    const View views[] = {{0, 0, 0, "fullview_processor"}, {1, 0, 0, "fullview_summary"},
                          {1, 1, 0, "fullview_activity"},  {2, 0, 0, "fullview_ip"},
                          {2, 0, 1, "fullview_ip2"},       {2, 1, 0, "fullview_icmp"},
                          {2, 1, 1, "fullview_icmp_out"},  {2, 2, 0, "fullview_tcpudp"},
                          {2, 2, 1, "fullview_udp"},       {3, 0, 0, "fullview_memory"},
                          {4, 0, 0, "fullview_hardware_0"}, {4, 1, 0, "fullview_hardware_1"},
                          {4, 2, 0, "fullview_hardware_2"}};
    for (const View& v : views) {
        fv.btnSelect_Click(v.button);
        if (v.subView) fv.btnTSelect_Click(v.subView);
        if (v.option) fv.lblNetOpt_Click(v.option);
        // Some traffic between the ticks, so the bars show a level.
        for (int tick = 0; tick < 5; ++tick) {
            rig.sources().advanceTcp(7, 3);
            rig.sources().advanceUdp(1, 12);
            rig.m.sim.advance(200);
        }
        test::matchesReference(fv.render(), v.name);
    }
}
