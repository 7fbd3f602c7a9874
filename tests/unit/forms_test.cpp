// The forms runtime: draw order, mouse routing, tooltips and timers, on the
// simulated desktop.
#include <gtest/gtest.h>

#include "forms/graphic_controls.h"
#include "forms/picture_box.h"
#include "forms/range_controls.h"
#include "forms/runtime.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_sources.h"

using namespace vel;
using namespace vel::forms;

namespace {

class Window : public Form {
public:
    explicit Window(Runtime& rt) : Form(rt, "frmTest") {
        move(150, 300, 40 * kTwipsPerPixel, 20 * kTwipsPerPixel);
        box = &add<PictureBox>("picBox");
        box->move(0, 0, 40, 20);
        box->setBackColor(rgb(0, 0, 255));
        inner = &box->add<PictureBox>("picInner");
        inner->move(20, 0, 10, 10);
        inner->setBackColor(rgb(0, 255, 0));
        label = &box->add<Label>("lblOver");
        label->move(18, 0, 6, 6);
        label->setOpaque(true);
        label->setBackColor(rgb(255, 0, 0));
        shape = &box->add<Shape>("shpSwatch");
        shape->move(0, 10, 5, 5);
        shape->setBackOpaque(true);
        shape->setBorder(false);
        shape->setBackColor(rgb(9, 9, 9));
    }
    PictureBox* box;
    PictureBox* inner;
    Label* label;
    Shape* shape;
};

struct Fixture : ::testing::Test {
    platform::SimPlatform sim;
    Runtime rt{sim};
};

}  // namespace

TEST_F(Fixture, GraphicalControlsUnderChildPictureBoxes) {
    Window w(rt);
    w.show();
    const Pixels& px = w.render();
    EXPECT_EQ(px.at(18, 0), rgb(255, 0, 0)) << "the label paints over its container";
    EXPECT_EQ(px.at(21, 0), rgb(0, 255, 0)) << "a child picture box covers the label";
    EXPECT_EQ(px.at(1, 11), rgb(9, 9, 9));
    EXPECT_EQ(px.at(39, 19), rgb(0, 0, 255));
}

TEST_F(Fixture, PersistentDrawingIsClearedBackToThePicture) {
    Window w(rt);
    w.show();
    Pixels picture(4, 4, rgb(1, 1, 1));
    w.box->setPicture(picture);
    w.box->pset(10, 10, rgb(200, 0, 0));
    EXPECT_EQ(w.box->point(10, 10), static_cast<std::int32_t>(rgb(200, 0, 0)));
    w.box->cls();
    EXPECT_EQ(w.box->point(10, 10), static_cast<std::int32_t>(rgb(0, 0, 255)));
    EXPECT_EQ(w.box->point(3, 3), static_cast<std::int32_t>(rgb(1, 1, 1)));
    EXPECT_EQ(w.box->point(40, 0), -1);
}

TEST_F(Fixture, LinesLeaveOutTheirEndPointAndUseTheScaleOrigin) {
    PictureBox graph("TCPGraph");
    graph.move(0, 0, 12, 12);
    graph.setBackColor(rgb(0, 0, 0));
    graph.setScaleOrigin(-1, -10);  // top-left pixel is (-1, -10)
    graph.line(0, 0, 10, 0, rgb(255, 255, 255));
    const Colour white = rgb(255, 255, 255);
    EXPECT_EQ(graph.image().at(1, 10), white);
    EXPECT_EQ(graph.image().at(10, 10), white);
    EXPECT_EQ(graph.image().at(11, 10), rgb(0, 0, 0)) << "the end point is left out";
    EXPECT_EQ(graph.image().at(0, 10), rgb(0, 0, 0));
    EXPECT_EQ(graph.point(0, 0), static_cast<std::int32_t>(white));
    graph.line(0, -9.5, 3, -9.5, white);  // -9.5 rounds to the even -10
    EXPECT_EQ(graph.image().at(1, 0), white);
}

TEST_F(Fixture, ClickAndDoubleClickReachTheControlUnderTheMouse) {
    Window w(rt);
    w.show();
    int clicks = 0, doubles = 0, downs = 0;
    w.inner->onClick = [&] { ++clicks; };
    w.inner->onDblClick = [&] { ++doubles; };
    w.inner->onMouseDown = [&](const MouseArgs&) { ++downs; };
    platform::Rect r = sim.windowRect(w.window());
    sim.mouseDown(r.left + 22, r.top + 2);
    sim.mouseUp(r.left + 22, r.top + 2);
    EXPECT_EQ(clicks, 1);
    sim.doubleClick(r.left + 22, r.top + 2);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(downs, 2) << "the second press of a double-click is not a mouse-down";
}

TEST_F(Fixture, ShapesPassTheMouseToTheirContainer) {
    Window w(rt);
    w.show();
    int boxDoubles = 0;
    w.box->onDblClick = [&] { ++boxDoubles; };
    platform::Rect r = sim.windowRect(w.window());
    sim.doubleClick(r.left + 2, r.top + 12);
    EXPECT_EQ(boxDoubles, 1);
}

TEST_F(Fixture, TooltipAppearsAfterTheDelayAndGoesOnLeave) {
    Window w(rt);
    w.show();
    w.inner->setToolTipText("Inner box");
    platform::Rect r = sim.windowRect(w.window());
    sim.mouseMove(r.left + 22, r.top + 2);
    sim.advance(static_cast<std::uint64_t>(sim.tooltipDelay()) - 1);
    EXPECT_EQ(rt.visibleTooltip(), "");
    sim.advance(1);
    EXPECT_EQ(rt.visibleTooltip(), "Inner box");
    sim.mouseMove(0, 0);
    EXPECT_EQ(rt.visibleTooltip(), "");
}

TEST_F(Fixture, ATimerTickIsNeverReEntered) {
    Window w(rt);
    w.show();
    Timer& t = w.addTimer("tmrA", 100, true);
    int depth = 0, maxDepth = 0, ticks = 0;
    t.onTimer = [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        sim.sleep(250);  // the handler runs long...
        sim.doEvents();  // ...and lets other events run
        --depth;
    };
    sim.advance(1000);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_GT(ticks, 0);
}

TEST_F(Fixture, UnloadStopsTimersAndTheWindowGoes) {
    Window w(rt);
    w.show();
    Timer& t = w.addTimer("tmrA", 100, true);
    int ticks = 0;
    t.onTimer = [&] { ++ticks; };
    sim.advance(250);
    EXPECT_EQ(ticks, 2);
    w.unload();
    sim.advance(1000);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(sim.findWindow("frmTest"), nullptr);
    EXPECT_FALSE(rt.isLoaded(&w));
}

TEST_F(Fixture, UpDownCountsEveryPressAndRepeatsWhileHeld) {
    Form w(rt, "frmSpin");
    w.move(150, 300, 40 * kTwipsPerPixel, 20 * kTwipsPerPixel);
    auto& spin = w.add<UpDown>("udSpin");
    spin.move(0, 0, 16, 20);
    spin.setMax(100);
    spin.setValue(10);
    w.show();
    const platform::Rect r = sim.windowRect(w.window());
    const int upY = r.top + 4, downY = r.top + 15, x = r.left + 8;

    sim.doubleClick(x, upY);
    EXPECT_EQ(spin.value(), 12) << "the second press of a double-click counts too";

    sim.mouseDown(x, downY);
    EXPECT_EQ(spin.value(), 11);
    sim.advance(UpDown::kFirstRepeatMs - 1);
    EXPECT_EQ(spin.value(), 11) << "no repeat before the first delay";
    sim.advance(1);
    EXPECT_EQ(spin.value(), 10);
    sim.advance(2 * UpDown::kRepeatMs);
    EXPECT_EQ(spin.value(), 8);
    sim.mouseMove(r.left + 30, downY);  // held, off the arrow: it waits
    sim.advance(5 * UpDown::kRepeatMs);
    EXPECT_EQ(spin.value(), 8);
    sim.mouseMove(x, downY);
    sim.advance(UpDown::kRepeatMs);
    EXPECT_EQ(spin.value(), 7);
    sim.mouseUp(x, downY);
    sim.advance(1000);
    EXPECT_EQ(spin.value(), 7) << "the release ends the repeat";
}
