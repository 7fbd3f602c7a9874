// The network module's rules beyond what the modules_family scenario and
// the module snapshots show: transfer rates and graph thresholds, counter
// resets, pauses and sleeps, wraps and failed calls, image numbers and an
// unknown style.
#include <gtest/gtest.h>

#include "module_rig.h"
#include "modules/image_lists.h"

using namespace vel;

namespace {

// Which rows of a 12 x 12 graph are lit, and in what colour: each row y
// is either all background or lit over x 1..10 with one colour, with
// columns 0 and 11 always background. Returns the colour per row (the
// background for an unlit row); fails the test on any other shape.
std::vector<Colour> graphRows(const forms::PictureBox& g) {
    const Pixels& p = g.image();
    std::vector<Colour> rows;
    EXPECT_EQ(p.width, 12);
    EXPECT_EQ(p.height, 12);
    for (int y = 0; y < p.height; ++y) {
        EXPECT_EQ(p.at(0, y), g.backColor()) << "row " << y;
        EXPECT_EQ(p.at(11, y), g.backColor()) << "row " << y;
        const Colour c = p.at(1, y);
        for (int x = 1; x <= 10; ++x) EXPECT_EQ(p.at(x, y), c) << "row " << y << " x " << x;
        rows.push_back(c);
    }
    return rows;
}

// Number of lit rows counted from the bottom (row 10 up to row 1), all in
// colour lit; the rows 0 and 11 must stay background.
int litRows(const forms::PictureBox& g, Colour lit) {
    const std::vector<Colour> rows = graphRows(g);
    EXPECT_EQ(rows[0], g.backColor());
    EXPECT_EQ(rows[11], g.backColor());
    int n = 0;
    while (n < 10 && rows[10 - n] == lit) ++n;
    for (int k = n; k < 10; ++k) EXPECT_EQ(rows[10 - k], g.backColor()) << "gap below a lit row " << 10 - k;
    return n;
}

forms::PictureBox& freeGraph(forms::PictureBox& host) {
    auto& g = host.add<forms::PictureBox>("g");
    g.move(0, 0, 12, 12);
    g.setBackColor(rgb(5, 57, 115));
    g.setForeColor(rgb(1, 225, 0));
    return g;
}

}  // namespace

TEST(NetworkTransferRate, OverflowIsZeroAndAWrapGoesNegative) {
    const std::int32_t high[2] = {INT32_MAX - 1, 0}, wrapped[2] = {INT32_MIN + 5, 0};
    EXPECT_EQ(transferRate(high, wrapped, 536), 0) << "the difference overflows 32 bits";
    const std::int32_t a[2] = {0, 0}, many[2] = {1000000, 1000000};
    EXPECT_EQ(transferRate(a, many, 1500), 0) << "the product overflows 32 bits";
    const std::int32_t reset[2] = {0, 0}, before[2] = {500, 10};
    EXPECT_LT(transferRate(before, reset, 536), 0);
}

TEST(NetworkGraph, StrictThresholdsPixelExactAndAllTenRowsRedAboveFullScale) {
    forms::PictureBox host("host");
    host.move(0, 0, 40, 40);
    forms::PictureBox& g = freeGraph(host);
    const Colour fg = g.foreColor(), red = rgb(255, 0, 0);
    struct Case {
        double rate, fullScale;
        int rows;
        Colour lit;
    };
    for (Case c : {Case{0, 50, 0, fg}, Case{-3, 50, 0, fg}, Case{0.3, 50, 1, fg}, Case{2.09375, 50, 1, fg},
                   Case{50, 50, 1, fg}, Case{50.4, 50, 1, fg}, Case{50.5, 50, 1, fg}, Case{51, 50, 2, fg},
                   Case{100.5, 50, 2, fg}, Case{101, 50, 3, fg}, Case{450, 50, 9, fg}, Case{451, 50, 10, fg},
                   Case{500, 50, 10, fg}, Case{500.5, 50, 10, fg} /* rounds to 500, halves to even */,
                   Case{501, 50, 10, red}, Case{101, 10, 10, red} /* the UDP scale: full at 100 */}) {
        drawTransferGraph(g, c.rate, c.fullScale);
        EXPECT_EQ(litRows(g, c.lit), c.rows) << "rate " << c.rate << " of " << c.fullScale;
    }
}

// The sampler's ticks are stepped by hand, 250 ms of virtual time apart.
class NetworkTransferTick : public ::testing::Test {
protected:
    FrmNetwork& start(const std::string& lines) {
        rig.start(lines);
        FrmNetwork& f = rig.network();
        f.tmrXFer->setEnabled(false);
        return f;
    }
    void tick() {
        rig.m.sim.advance(250);
        rig.network().tmrXFer_Timer();
    }
    test::ModuleRig rig{1};
};

TEST_F(NetworkTransferTick, ResetCounterBlanksOneRefresh) {
    FrmNetwork& f = start("Visi5=1\nmTyp5=0\n");
    platform::MibTcpStats tcp;
    tcp.dwInSegs = 5000;
    rig.sources().setTcp(tcp);
    tick();
    tcp.dwInSegs = 10;  // the counter reset
    rig.sources().setTcp(tcp);
    tick();
    EXPECT_EQ(litRows(*f.TCPGraph, rgb(0, 0, 0)), 0);
    tick();
    rig.sources().advanceTcp(30, 0);
    tick();
    EXPECT_EQ(litRows(*f.TCPGraph, rgb(0, 0, 0)), 2) << "the next refresh measures again (62.8125)";
}

// A pause between two samples, whether the tick count saw it (a minute) or
// missed it (a suspend, the wall clock moving on across midnight), gives no
// spike; the next pair is measured again.
TEST_F(NetworkTransferTick, APauseOrASleepBetweenTheSamplesGivesNoSpike) {
    FrmNetwork& f = start("Visi5=1\nmTyp5=0\n");
    for (const bool missed : {false, true}) {
        SCOPED_TRACE(missed ? "sleep" : "pause");
        if (missed) rig.m.sim.setClock(platform::SystemTime{2026, 12, 0, 5, 23, 59, 59, 900});
        f.tmrXFer_Timer();  // first sample
        if (missed)
            rig.m.sim.setClock(platform::SystemTime{2026, 12, 0, 6, 0, 10, 0, 100});
        else
            rig.m.sim.advance(60000);
        rig.sources().advanceTcp(200000, 0);
        if (missed) rig.m.sim.advance(250);
        f.tmrXFer_Timer();
        EXPECT_EQ(litRows(*f.TCPGraph, rgb(0, 0, 0)), 0);
        EXPECT_EQ(litRows(*f.TCPGraph, rgb(255, 0, 0)), 0);
    }
    tick();
    rig.sources().advanceTcp(30, 0);
    tick();
    EXPECT_EQ(litRows(*f.TCPGraph, rgb(0, 0, 0)), 2);
}

// First tick and growth per direction: tests/scenarios/modules_family.
// A wrapped counter or a failed call (read as a zeroed record) switches a
// light off for one tick.
TEST(NetworkTrafficLights, AWrapOrAFailedCallSwitchesOffForOneTick) {
    test::ModuleRig rig(1);
    rig.start("Visi5=1\n");
    FrmNetwork& f = rig.network();
    FrmHidden& e = rig.engine();
    platform::MibTcpStats tcp;
    tcp.dwInSegs = 0x7FFFFFF0u;
    rig.sources().setTcp(tcp);
    rig.sources().advanceUdp(100, 0);
    e.tmrNET_Timer();
    rig.sources().advanceTcp(8, 0);
    rig.sources().advanceUdp(1, 0);
    e.tmrNET_Timer();
    EXPECT_TRUE(f.imgTCP[0]->visible());
    EXPECT_TRUE(f.imgUDP[0]->visible());
    rig.sources().advanceTcp(0x20, 0);  // past the signed limit: reads smaller
    rig.sources().advanceUdp(1, 0);
    e.tmrNET_Timer();
    EXPECT_FALSE(f.imgTCP[0]->visible());
    EXPECT_TRUE(f.imgUDP[0]->visible());
    rig.sources().advanceTcp(1, 0);
    e.tmrNET_Timer();
    EXPECT_TRUE(f.imgTCP[0]->visible());
    e.tmrNET_Timer();
    EXPECT_FALSE(f.imgTCP[0]->visible()) << "no growth since the last tick";
    rig.sources().advanceUdp(1, 0);
    e.tmrNET_Timer();
    ASSERT_TRUE(f.imgUDP[0]->visible());
    rig.sources().setNetStatisticsFail(true);
    rig.sources().advanceUdp(1, 0);
    e.tmrNET_Timer();
    EXPECT_FALSE(f.imgUDP[0]->visible());
}

// The image numbers per device and style: tests/scenarios/modules_family.
TEST(NetworkConnectionIndicators, ImageNumbersNameTheirPictures) {
    EXPECT_EQ(netImageFile(6), "net_status_0_on.png");
    EXPECT_EQ(netImageFile(15), "net_status_4_off.png");
    EXPECT_EQ(netImageFile(23), "net_type_2_modem.png");
    EXPECT_EQ(netImageFile(35), "net_type_4_other.png");
    EXPECT_EQ(netImageFile(36), "");
}

TEST(NetworkConnectionIndicators, AnUnknownStyleKeepsTheDesignLookAndChangesTooltipsOnly) {
    test::ModuleRig rig(1);
    App& app = rig.start("Visi5=1\nmTyp5=9\n");
    FrmNetwork& f = rig.network();
    EXPECT_EQ(f.imgTCP[0]->backColor(), rgb(1, 161, 0));
    EXPECT_EQ(f.TCPGraph->backColor(), rgb(5, 57, 115));
    EXPECT_EQ(f.TCPGraph->foreColor(), rgb(1, 225, 0));
    const Pixels typeBefore = f.imgNetType->picture(), statusBefore = f.imgNetStatus->picture();
    rig.sources().setConnection(1, "Dial-up", 0);
    rig.engine().tmrNET_Timer();
    EXPECT_EQ(f.imgNetType->toolTipText(), "Connection Type: Dial-up");
    EXPECT_EQ(f.imgNetStatus->toolTipText(), "No Internet Connection!");
    EXPECT_EQ(f.imgNetType->picture(), typeBefore);
    EXPECT_EQ(f.imgNetStatus->picture(), statusBefore);
    EXPECT_EQ(app.settings.mTyp[5], 9);
}
