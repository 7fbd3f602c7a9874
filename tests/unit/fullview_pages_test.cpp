// The Full View's pages beyond the fullview and fullview_pages scenarios,
// and the reference pictures of every screen and sub-view (which hold the
// sample inventory's tables and memory module, signed IP figures,
// forwarding and the bars' covers): the memory page's labels and VU
// needles, the hardware pages' adapter memory, ICMP directions, TCP and
// UDP bars keeping their counts, a processor counter the machine lacks,
// the summary's average and the usage graph's colours and wrap.
#include <gtest/gtest.h>

#include <cmath>

#include "fullview/network_pages.h"
#include "fullview_rig.h"
#include "snapshot_reference.h"

using namespace vel;
using namespace vel::fullview;

namespace {

const char* const kQuiet = "CPUCLOCK=0\nPLCMNT=2\n";
constexpr std::uint64_t kMiB = 1048576, kGiB = 1073741824;

}  // namespace

TEST(FullViewMemoryPage, LabelsAndNeedlesFollowTheMemoryStatus) {
    test::FullViewRig rig(2);
    // 1 GiB of 4 free, 1.5 of 2 GiB virtual, 3 of 6 GiB page file.
    rig.sources().setMemory(test::memoryStatus(4 * kGiB, kGiB, 2 * kGiB, 3 * kGiB / 2, 6 * kGiB, 3 * kGiB));
    App& app = rig.startAndSettle(kQuiet);
    showFullView(app, 5, 0, 0);
    FvMemoryPage& page = *rig.view().memoryPage;
    // The page is drawn once as the screen opens, before the first tick;
    // its figures after ticks are in tests/scenarios/fullview.
    EXPECT_EQ(rig.view().tmrMemory->ticks(), 0u);
    EXPECT_EQ(page.lblMemInfo[0]->caption(), "1024.000 MB");
    EXPECT_EQ(page.needleValue[1], 75);

    // Small amounts keep three places before the point; a tick follows a change.
    rig.sources().setMemory(test::memoryStatus(4 * kGiB, kMiB / 2, 2 * kGiB, 2 * kGiB, 6 * kGiB, 6 * kGiB - 3 * kGiB / 1000));
    rig.m.sim.advance(200);
    EXPECT_EQ(page.lblMemInfo[0]->caption(), "000.500 MB");
    EXPECT_EQ(page.needleValue[0], 0);
    EXPECT_EQ(page.needleValue[1], 100);
    EXPECT_EQ(page.needleValue[2], 100) << "99.95 % rounds up";
    EXPECT_EQ(page.lblMemInfo[2]->caption(), "6140.928 MB");

    // A failed status call leaves the page as it was.
    rig.sources().setMemoryFails();
    rig.m.sim.advance(200);
    EXPECT_EQ(page.lblMemInfo[0]->caption(), "000.500 MB");
}

TEST(FullViewMemoryPage, TheNeedleIsTwentyOnePointsEndingAtThePivot) {
    // 0 % points left (its pixels below), 50 % up (the points of "print
    // fullview vu 2" in tests/scenarios/fullview) and 100 % right; pi is
    // taken as 3.14.
    const NeedlePoint right = vuNeedlePoint(30, 30, 100, 0);
    EXPECT_NEAR(right.x, 30 - 20 * std::cos(3.14), 1e-12);
    EXPECT_LT(right.x, 50);
    EXPECT_NEAR(right.y, 30 - 20 * std::sin(3.14), 1e-12);
    EXPECT_GT(right.y, 29.968) << "3.14 leaves the needle a hair above level";

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

// The three tables of the sample inventory are in the hardware reference
// pictures below.
TEST(FullViewHardwarePages, AdapterMemoryInWholeOrPartMegabytes) {
    HardwareInventory odd = test::FullViewRig::sampleInventory();
    odd.videoController[0].AdapterRAM = "1610612736";
    EXPECT_EQ(hardwarePageLines(odd, 1)[4], "1536MB RAM");
    odd.videoController[0].AdapterRAM = "524288";
    EXPECT_EQ(hardwarePageLines(odd, 1)[4], "0.5MB RAM");
}

// Pages 0 and 2 of an empty inventory are in tests/scenarios/fullview.
TEST(FullViewHardwarePages, EmptyRecordsShowTheirCaptionsWithEmptyValues) {
    using Lines = std::array<std::string, 10>;
    EXPECT_EQ(hardwarePageLines(HardwareInventory{}, 1), (Lines{"Video Adapter:", "", "", "", "MB RAM", "Monitor:",
                                                               "", "", "Resolution: x", "Device Status: "}));
}

TEST(FullViewProcessorPages, ACounterThatCannotBeAddedKeepsItsPositionAndItsRowIsLeftAlone) {
    test::FullViewRig rig(2);
    App& app = rig.startAndSettle(kQuiet);
    showFullView(app, 0, 0, 3);  // a processor this machine does not have
    FrmFULLVIEW& fv = rig.view();
    rig.m.sim.advance(500);
    EXPECT_EQ(fv.pdh.count(), 5);
    EXPECT_EQ(fv.pdh.entry(3).path, "\\Processor(3)\\Interrupts/sec");
    EXPECT_DOUBLE_EQ(fv.processorPages->rows[0].coverHeight[0], 34.0);
    EXPECT_EQ(fv.processorPages->lblProcessorInfo[4]->caption(), "");
}

TEST(FullViewProcessorPages, SummaryAveragesTheDetectedProcessorsToTwoPlaces) {
    EXPECT_EQ(averageUsage({12, 13, 0, 0}, 2).text(), "12.5");
    EXPECT_EQ(averageUsage({10, 10, 11, 0}, 3).text(), "10.33");
    EXPECT_EQ(averageUsage({40, 0, 0, 0}, 1).text(), "40");
}

TEST(FullViewProcessorPages, TheGraphDrawsOneColumnPerTickAndRestartsEveryHundred) {
    EXPECT_EQ(graphGrey(40, 1), 6);   // 255 / 40 = 6.375
    EXPECT_EQ(graphGrey(100, 50), 150);  // 2.55 rounds to 3
    EXPECT_DOUBLE_EQ(graphPointY(100), -1.0);

    test::FullViewRig rig(1);
    App& app = rig.startAndSettle(kQuiet);
    rig.sources().setLoad(0, 0);
    showFullView(app, 0, 0, 0);
    FvProcessorPages& pages = *rig.view().processorPages;
    const forms::PictureBox& graph = *pages.picGraph[0];
    const std::int32_t back = graph.point(50, 10);
    const std::int16_t first = pages.graphColumn;
    rig.m.sim.advance(100);
    // Below 1 %: one black point at the foot of the column, nothing above it.
    EXPECT_EQ(pages.graphColumn, first + 1);
    EXPECT_EQ(graph.point(first, 49), 0);
    EXPECT_EQ(graph.point(first, 40), back);
    // A full load reaches the top, brighter there than at the foot.
    rig.sources().setLoad(0, 100);
    rig.m.sim.advance(100);
    const int x = first + 1;
    EXPECT_EQ(pages.graphValue[0], 100);
    EXPECT_EQ(graph.point(x, 0), static_cast<std::int32_t>(rgb(255, 255, 255)));
    EXPECT_NE(graph.point(x, 48), back);
    EXPECT_EQ(graph.point(x + 1, 20), back);
    // The column wraps at 100 and clears the graph before drawing column 0.
    rig.sources().setLoad(0, 0);
    while (pages.graphColumn != 0) rig.m.sim.advance(100);
    rig.m.sim.advance(100);
    EXPECT_EQ(pages.graphColumn, 1);
    EXPECT_EQ(graph.point(x, 0), back);
    EXPECT_EQ(graph.point(0, 49), 0);
}

TEST(FullViewNetworkPages, IcmpShowsTheChosenDirectionWithoutSourceQuench) {
    test::FullViewRig rig(1);
    platform::MibIcmp icmp;
    icmp.inStats.dwMsgs = 10;
    icmp.inStats.dwSrcQuenchs = 555;
    icmp.inStats.dwParmProbs = 4;
    icmp.outStats.dwMsgs = 20;
    icmp.outStats.dwRedirects = 2;
    rig.sources().setIcmp(icmp);
    App& app = rig.startAndSettle(kQuiet);
    showFullView(app, 2, 1, 0);
    FvNetworkPages& p = *rig.view().networkPages;
    rig.m.sim.advance(200);
    EXPECT_EQ(p.lblICMPStats[0]->caption(), "10");
    EXPECT_EQ(p.lblICMPStats[11]->caption(), "4");
    for (const forms::Label* l : p.lblICMPStats) EXPECT_NE(l->caption(), "555");
    rig.view().lblNetOpt_Click(1);
    rig.m.sim.advance(200);
    EXPECT_EQ(p.lblICMPStats[0]->caption(), "20");
    EXPECT_EQ(p.lblICMPStats[1]->caption(), "2");
}

TEST(FullViewNetworkPages, TcpAndUdpBarsRememberTheirCountsAcrossOptions) {
    test::FullViewRig rig(1);
    platform::MibTcpStats tcp;
    tcp.dwInSegs = 1000;
    tcp.dwOutSegs = 2000;
    tcp.dwOutRsts = 15;
    rig.sources().setTcp(tcp);
    platform::MibUdpStats udp;
    udp.dwInDatagrams = 50;
    udp.dwOutDatagrams = 60;
    udp.dwNumAddrs = 4;
    rig.sources().setUdp(udp);
    App& app = rig.startAndSettle(kQuiet);
    showFullView(app, 2, 2, 0);
    FrmFULLVIEW& fv = rig.view();
    FvNetworkPages& p = *fv.networkPages;
    rig.m.sim.advance(200);
    EXPECT_EQ(p.lblData[14]->caption(), "15");
    rig.sources().advanceTcp(10, 11);
    rig.m.sim.advance(200);

    // UDP has counts of its own; TCP's are kept while it shows.
    fv.lblNetOpt_Click(1);
    EXPECT_FALSE(p.lblData[0]->visible());
    EXPECT_TRUE(p.lblUDP[0]->visible());
    rig.m.sim.advance(200);
    EXPECT_EQ(p.shpTU[0]->height(), 32);
    EXPECT_EQ(p.lblUDP[3]->caption(), "4");
    rig.sources().advanceUdp(1, 3);
    rig.m.sim.advance(200);
    EXPECT_EQ(p.shpTU[0]->height(), 26);
    EXPECT_EQ(p.shpTU[1]->height(), 21);
    fv.btnTSelect_Click(0);
    fv.btnTSelect_Click(2);  // back to TCP, counts remembered
    rig.sources().advanceTcp(5, 0);
    rig.m.sim.advance(200);
    EXPECT_EQ(p.shpTU[0]->height(), 16);
    EXPECT_EQ(p.shpTU[1]->height(), 32);
}

// --- reference pictures ------------------------------------------------------


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
