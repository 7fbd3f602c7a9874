// The Full View's network pages beyond the fullview_pages scenario and the
// reference pictures (signed IP figures, forwarding, the bars' covers): ICMP
// directions, and TCP and UDP bars keeping their counts.
#include <gtest/gtest.h>

#include "fullview/network_pages.h"
#include "fullview_rig.h"

using namespace vel;
using namespace vel::fullview;

namespace {

const char* const kQuiet = "CPUCLOCK=0\nPLCMNT=2\n";

}  // namespace

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
