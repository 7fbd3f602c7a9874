// The network module's rules beyond what the modules_family scenario and
// the module snapshots show: transfer-rate overflows, the graph's rounding
// at its thresholds, counter resets, pauses and sleeps.
#include <gtest/gtest.h>

#include "module_rig.h"

using namespace vel;

namespace {

// Lit rows of a transfer graph; every lit row must be in colour lit.
int litRows(const forms::PictureBox& g, Colour lit) {
    int n = 0;
    for (int y = 0; y < g.image().height; ++y) {
        const Colour c = g.image().at(5, y);
        if (c == g.backColor()) continue;
        EXPECT_EQ(c, lit) << "row " << y;
        ++n;
    }
    return n;
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

// Thresholds are strict and the rate is rounded half to even first; above
// full scale all ten rows turn red.
TEST(NetworkGraph, RowsAtTheThresholdsAndRedAboveFullScale) {
    forms::PictureBox host("host");
    host.move(0, 0, 40, 40);
    auto& g = host.add<forms::PictureBox>("g");
    g.move(0, 0, 12, 12);
    g.setBackColor(rgb(5, 57, 115));
    g.setForeColor(rgb(1, 225, 0));
    const Colour fg = g.foreColor(), red = rgb(255, 0, 0);
    struct Case {
        double rate, fullScale;
        int rows;
        Colour lit;
    };
    for (Case c : {Case{-3, 50, 0, fg}, Case{0.3, 50, 1, fg}, Case{50.5, 50, 1, fg}, Case{51, 50, 2, fg},
                   Case{500.5, 50, 10, fg}, Case{501, 50, 10, red}, Case{101, 10, 10, red}}) {
        drawTransferGraph(g, c.rate, c.fullScale);
        EXPECT_EQ(litRows(g, c.lit), c.rows) << "rate " << c.rate << " of " << c.fullScale;
    }
}

// A counter reset, a pause the tick count saw (a minute) and one it missed
// (a suspend, the wall clock moving on across midnight) each blank one
// refresh; the next pair is measured again. Ticks are stepped by hand.
TEST(NetworkTransferTick, AResetAPauseOrASleepGivesNoSpike) {
    test::ModuleRig rig(1);
    rig.start("Visi5=1\nmTyp5=0\n");
    FrmNetwork& f = rig.network();
    f.tmrXFer->setEnabled(false);
    const auto tick = [&] {
        rig.m.sim.advance(250);
        f.tmrXFer_Timer();
    };
    const auto measuredAgain = [&] {
        tick();
        rig.sources().advanceTcp(30, 0);
        tick();
        EXPECT_EQ(litRows(*f.TCPGraph, rgb(0, 0, 0)), 2) << "62.8125";
    };
    platform::MibTcpStats tcp;
    tcp.dwInSegs = 5000;
    rig.sources().setTcp(tcp);
    tick();
    tcp.dwInSegs = 10;
    rig.sources().setTcp(tcp);
    tick();
    EXPECT_EQ(litRows(*f.TCPGraph, rgb(0, 0, 0)), 0);
    measuredAgain();
    for (const bool missed : {false, true}) {
        SCOPED_TRACE(missed ? "sleep" : "pause");
        if (missed) rig.m.sim.setClock(platform::SystemTime{2026, 12, 0, 5, 23, 59, 59, 600});
        tick();
        if (missed)
            rig.m.sim.setClock(platform::SystemTime{2026, 12, 0, 6, 0, 10, 0, 100});
        else
            rig.m.sim.advance(60000);
        rig.sources().advanceTcp(200000, 0);
        tick();
        EXPECT_EQ(litRows(*f.TCPGraph, rgb(0, 0, 0)), 0);
        measuredAgain();
    }
}
