// The forms runtime and its controls driven by mouse and keyboard on the
// simulated desktop: draw order, which handlers run with which values, where
// limits hold, tooltips, timers, and how a state or two looks to the pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "forms/buttons.h"
#include "forms/combo_box.h"
#include "forms/dialog_look.h"
#include "forms/frame.h"
#include "forms/graphic_controls.h"
#include "forms/picture_box.h"
#include "forms/range_controls.h"
#include "forms/runtime.h"
#include "gfx/draw.h"
#include "platform/sim/sim_platform.h"

using namespace vel;
using namespace vel::forms;

namespace {

constexpr int kEnter = 13, kEscape = 27, kSpace = 32, kPageDown = 34, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38,
              kRight = 39, kDown = 40, kF4 = 115;

struct Controls : ::testing::Test {
    platform::SimPlatform sim;
    Runtime rt{sim};
    Form form{rt, "frmControls"};

    void SetUp() override { form.move(150, 300, 200 * kTwipsPerPixel, 160 * kTwipsPerPixel); }

    template <class T, class Parent = Form>
    T& put(const std::string& name, int x, int y, int w, int h, Parent* parent = nullptr) {
        Container& into = parent ? static_cast<Container&>(*parent) : form;
        T& c = into.template add<T>(name);
        c.move(x, y, w, h);
        return c;
    }
    // The screen point (dx, dy) inside the control.
    platform::Point at(const Control& c, int dx, int dy) const {
        int ox = 0, oy = 0;
        c.windowOrigin(ox, oy);
        const platform::Rect r = sim.windowRect(form.window());
        return {r.left + ox + dx, r.top + oy + dy};
    }
    void press(const Control& c, int dx, int dy) { const auto p = at(c, dx, dy); sim.mouseDown(p.x, p.y); }
    void moveTo(const Control& c, int dx, int dy) { const auto p = at(c, dx, dy); sim.mouseMove(p.x, p.y); }
    void release(const Control& c, int dx, int dy) { const auto p = at(c, dx, dy); sim.mouseUp(p.x, p.y); }
    void click(const Control& c, int dx, int dy) { press(c, dx, dy), release(c, dx, dy); }
    void key(int code, int shift = 0) { sim.keyDown(form.window(), code, shift); }
    // The control's pixels as the window shows them now.
    Colour pixel(const Control& c, int dx, int dy) {
        int ox = 0, oy = 0;
        c.windowOrigin(ox, oy);
        return form.render().at(ox + dx, oy + dy);
    }
};

// Draws each text as one solid block 6 pixels a character wide below a blank
// row, so whose text backend drew a caption shows in its pixels.
struct BlockText : gfx::TextBackend {
    bool measure(const std::string&, double, bool, std::string_view text, int& width) override {
        width = 6 * static_cast<int>(text.size());
        return true;
    }
    bool draw(Pixels& target, int x, int y, std::string_view text, const std::string&, double, bool, Colour colour,
              int clipLeft, int clipTop, int clipRight, int clipBottom) override {
        const gfx::ClipRect clip{clipLeft, clipTop, clipRight, clipBottom};
        gfx::fillRect(target, x, y + 1, 6 * static_cast<int>(text.size()), 12, colour, clip);
        return true;
    }
    bool ascent(const std::string&, double, bool, int& ascent) override {
        ascent = 10;
        return true;
    }
    bool inkBox(const std::string&, double, bool, std::string_view text, int& left, int& top, int& right,
                int& bottom) override {
        left = 0;
        top = 1;
        right = 6 * static_cast<int>(text.size());
        bottom = 13;
        return true;
    }
};

}  // namespace

// Nested boxes as a user meets them: a blue picture box holding a green
// one, an opaque red label the green one partly covers and a dark swatch,
// drawn in order, painted on and cleared, clicked, double-clicked, hovered.
TEST_F(Controls, NestedBoxesDrawInOrderTakeTheMouseAndShowTheirTip) {
    auto* box = &put<PictureBox>("picBox", 0, 0, 40, 20);
    box->setBackColor(rgb(0, 0, 255));
    auto* inner = &put<PictureBox>("picInner", 20, 0, 10, 10, box);
    inner->setBackColor(rgb(0, 255, 0));
    auto& label = put<Label>("lblOver", 18, 0, 6, 6, box);
    label.setOpaque(true);
    label.setBackColor(rgb(255, 0, 0));
    auto& shape = put<Shape>("shpSwatch", 0, 10, 5, 5, box);
    shape.setBackOpaque(true);
    shape.setBorder(false);
    shape.setBackColor(rgb(9, 9, 9));
    form.show();
    EXPECT_EQ(pixel(*box, 18, 0), rgb(255, 0, 0)) << "the label paints over its container";
    EXPECT_EQ(pixel(*box, 21, 0), rgb(0, 255, 0)) << "a child picture box covers the label";
    EXPECT_EQ(pixel(*box, 1, 11), rgb(9, 9, 9));
    EXPECT_EQ(pixel(*box, 39, 19), rgb(0, 0, 255));

    // Persistent drawing is cleared back to the picture.
    box->setPicture(Pixels(4, 4, rgb(1, 1, 1)));
    box->pset(10, 10, rgb(200, 0, 0));
    EXPECT_EQ(box->point(10, 10), static_cast<std::int32_t>(rgb(200, 0, 0)));
    box->cls();
    EXPECT_EQ(box->point(10, 10), static_cast<std::int32_t>(rgb(0, 0, 255)));
    EXPECT_EQ(box->point(3, 3), static_cast<std::int32_t>(rgb(1, 1, 1)));
    EXPECT_EQ(box->point(40, 0), -1);

    // The mouse reaches the control under it; shapes pass it to their container.
    int clicks = 0, doubles = 0, downs = 0, boxDoubles = 0;
    inner->onClick = [&] { ++clicks; };
    inner->onDblClick = [&] { ++doubles; };
    inner->onMouseDown = [&](const MouseArgs&) { ++downs; };
    box->onDblClick = [&] { ++boxDoubles; };
    click(*inner, 2, 2);
    EXPECT_EQ(clicks, 1);
    const auto p = at(*inner, 2, 2);
    sim.doubleClick(p.x, p.y);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(downs, 2) << "the second press of a double-click is not a mouse-down";
    const auto swatch = at(*box, 2, 12);
    sim.doubleClick(swatch.x, swatch.y);
    EXPECT_EQ(boxDoubles, 1);

    // The tooltip appears after the delay and goes on leave.
    inner->setToolTipText("Inner box");
    sim.mouseMove(0, 0);
    moveTo(*inner, 2, 2);
    sim.advance(static_cast<std::uint64_t>(sim.tooltipDelay()) - 1);
    EXPECT_EQ(rt.visibleTooltip(), "");
    sim.advance(1);
    EXPECT_EQ(rt.visibleTooltip(), "Inner box");
    sim.mouseMove(0, 0);
    EXPECT_EQ(rt.visibleTooltip(), "");
}

TEST_F(Controls, ATimerTickIsNeverReEnteredAndUnloadStopsIt) {
    form.show();
    Timer& t = form.addTimer("tmrA", 100, true);
    int depth = 0, maxDepth = 0, ticks = 0;
    t.onTimer = [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        if (ticks == 3) {
            sim.sleep(250);  // the handler runs long...
            sim.doEvents();  // ...and lets other events run
        }
        --depth;
    };
    sim.advance(250);
    EXPECT_EQ(ticks, 2);
    sim.advance(750);
    EXPECT_EQ(maxDepth, 1);
    const int before = ticks;
    form.unload();
    sim.advance(1000);
    EXPECT_EQ(ticks, before);
}

TEST_F(Controls, UpDownCountsEveryPressRepeatsWhileHeldAndKeepsItsLimits) {
    auto& spin = put<UpDown>("udSpin", 0, 0, 16, 20);
    spin.setMax(100);
    spin.setValue(10);
    form.show();
    const auto up = at(spin, 8, 4);
    sim.doubleClick(up.x, up.y);
    EXPECT_EQ(spin.value(), 12) << "the second press of a double-click counts too";

    press(spin, 8, 15);
    EXPECT_EQ(spin.value(), 11);
    sim.advance(UpDown::kFirstRepeatMs - 1);
    EXPECT_EQ(spin.value(), 11) << "no repeat before the first delay";
    sim.advance(1);
    EXPECT_EQ(spin.value(), 10);
    sim.advance(2 * UpDown::kRepeatMs);
    EXPECT_EQ(spin.value(), 8);
    moveTo(spin, 30, 15);  // held, off the arrow: it waits
    sim.advance(5 * UpDown::kRepeatMs);
    EXPECT_EQ(spin.value(), 8);
    moveTo(spin, 8, 15);
    sim.advance(UpDown::kRepeatMs);
    EXPECT_EQ(spin.value(), 7);
    release(spin, 8, 15);
    sim.advance(1000);
    EXPECT_EQ(spin.value(), 7) << "the release ends the repeat";

    // Its limits hold, and keys and the wheel step by its increment.
    auto& count = put<UpDown>("udCount", 40, 10, 17, 22);
    count.setMax(20);
    count.setMin(5);
    EXPECT_EQ(count.value(), 5) << "the old value 0 was pulled up to the new minimum";
    EXPECT_FALSE(count.setValue(21));
    EXPECT_FALSE(count.setValue(4));
    EXPECT_EQ(count.value(), 5);
    EXPECT_TRUE(count.setValue(20));
    count.setMax(12);
    EXPECT_EQ(count.value(), 12);
    count.setMin(30);
    EXPECT_EQ(count.max(), 30) << "a minimum above the maximum takes the maximum along";
    EXPECT_EQ(count.value(), 30);

    count.setMin(0);
    count.setValue(0);
    count.setMax(10);
    count.setIncrement(3);
    int changes = 0;
    count.onChange = [&] { ++changes; };
    count.setFocus();
    key(kUp);
    key(kRight);
    EXPECT_EQ(count.value(), 6);
    key(kLeft);
    EXPECT_EQ(count.value(), 3);
    const auto p = at(count, 8, 5);
    sim.mouseWheel(p.x, p.y, 360);
    EXPECT_EQ(count.value(), 10) << "stops at the maximum";
    key(kUp);
    EXPECT_EQ(changes, 4) << "no change at the limit, no handler";
}

TEST_F(Controls, CommandButtonClicksOnlyWhenReleasedOnItAndFromSpaceOrEnter) {
    auto& ok = put<CommandButton>("cmdOK", 10, 10, 75, 23);
    int clicks = 0;
    ok.onClick = [&] { ++clicks; };
    form.show();
    const DialogLook& l = rt.dialogLook();
    press(ok, 5, 5);
    EXPECT_TRUE(ok.down());
    // Held and focused: a dark outline round a flat, pressed edge.
    EXPECT_EQ(pixel(ok, 30, 0), l.darkShadow);
    EXPECT_EQ(pixel(ok, 30, 1), l.darkShadow);
    EXPECT_EQ(pixel(ok, 30, 2), l.shadow);
    EXPECT_EQ(pixel(ok, 30, 3), l.face);
    EXPECT_EQ(pixel(ok, 0, 0), l.darkShadow);
    moveTo(ok, 100, 5);
    EXPECT_FALSE(ok.down()) << "dragged off, it springs back";
    moveTo(ok, 6, 6);
    EXPECT_TRUE(ok.down());
    release(ok, 120, 5);
    EXPECT_EQ(clicks, 0) << "released away from it";
    EXPECT_FALSE(ok.down());
    click(ok, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(ok.hasFocus()) << "the press took the focus";
    EXPECT_EQ(pixel(ok, 30, 1), l.highlight) << "released: raised inside the focus outline";
    key(kSpace);
    key(kEnter);
    EXPECT_EQ(clicks, 3);
    ok.setEnabled(false);
    click(ok, 5, 5);
    EXPECT_EQ(clicks, 3) << "a disabled button does nothing";
}

TEST_F(Controls, OptionButtonsChooseOnePerContainerArrowsWalkThemAndCheckBoxesToggle) {
    auto& left = put<Frame>("fraLeft", 0, 0, 100, 100);
    auto& right = put<Frame>("fraRight", 100, 0, 100, 100);
    auto& a = put<OptionButton>("optA", 8, 16, 80, 17, &left);
    auto& b = put<OptionButton>("optB", 8, 36, 80, 17, &left);
    auto& c = put<OptionButton>("optC", 8, 56, 80, 17, &left);
    auto& other = put<OptionButton>("optOther", 8, 16, 80, 17, &right);
    int clicks = 0;
    for (OptionButton* o : {&a, &b, &c}) o->onClick = [&] { ++clicks; };
    other.setValue(true);
    EXPECT_TRUE(a.tabStop()) << "a group without a choice stops at its first button";
    EXPECT_FALSE(b.tabStop());
    form.show();
    click(b, 5, 8);
    EXPECT_TRUE(b.value());
    EXPECT_TRUE(other.value()) << "another frame is another group";
    EXPECT_EQ(clicks, 1);
    click(b, 5, 8);
    EXPECT_EQ(clicks, 1) << "choosing the chosen one is no change";
    EXPECT_TRUE(b.tabStop());
    EXPECT_FALSE(a.tabStop());

    c.setEnabled(false);
    key(kDown);  // skips the disabled one and wraps to the first
    EXPECT_TRUE(a.value() && a.hasFocus());
    EXPECT_FALSE(b.value());
    key(kUp);
    EXPECT_TRUE(b.value());
    EXPECT_EQ(clicks, 3);
    a.setValue(true);
    EXPECT_FALSE(b.value());
    EXPECT_EQ(clicks, 3) << "setting the value runs no handler";

    // A check box toggles by click and space, not by Enter nor by setting it.
    auto& check = put<CheckBox>("chkLog", 8, 56, 80, 17, &right);
    std::vector<int> seen;
    check.onClick = [&] { seen.push_back(check.value()); };
    check.setValue(1);
    click(check, 6, 8);
    key(kSpace);
    key(kEnter);
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));
}

TEST_F(Controls, ComboBoxRunsTheHandlerOnlyOnAChangeAndItsListOpensWhereThereIsRoom) {
    auto& combo = put<ComboBox>("cboStyle", 10, 10, 120, 21);
    for (const char* s : {"Bar", "Gauge", "Trace", "Dial"}) combo.addItem(s);
    std::vector<int> seen;
    combo.onClick = [&] { seen.push_back(combo.listIndex()); };
    EXPECT_FALSE(combo.setListIndex(4));
    EXPECT_FALSE(combo.setListIndex(-2));
    EXPECT_EQ(combo.listIndex(), -1);
    EXPECT_TRUE(combo.setListIndex(1));
    EXPECT_EQ(combo.text(), "Gauge");
    form.show();
    combo.setFocus();
    key(kDown);
    key(kEnd);
    key(kEnd);  // already the last: nothing changes
    key(kHome);
    key(kUp);   // already the first
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 0}));
    combo.clear();
    EXPECT_EQ(combo.listIndex(), -1);
    EXPECT_EQ(combo.text(), "");

    // Its list opens where there is room and picks by key or mouse.
    auto& low = put<ComboBox>("cboPlace", 10, 130, 120, 21);  // near the bottom of the window
    for (const char* s : {"Bar", "Gauge", "Trace"}) low.addItem(s);
    low.setListIndex(0);
    int clicks = 0;
    low.onClick = [&] { ++clicks; };
    click(low, 110, 10);
    ASSERT_TRUE(low.dropped());
    EXPECT_EQ(form.overlay(), &low);
    // Three rows of 13 and a border, above the field: entry 1 is 13 rows up from entry 2.
    EXPECT_TRUE(low.overlayHit(20, 130 - 2));
    EXPECT_FALSE(low.overlayHit(20, 130 - 3 * 13 - 3));
    key(kEscape);
    EXPECT_FALSE(low.dropped());
    EXPECT_EQ(clicks, 0) << "Esc closes without choosing";

    key(kF4);
    key(kDown);
    key(kDown);
    key(kEnter);
    EXPECT_FALSE(low.dropped());
    EXPECT_EQ(low.listIndex(), 2);
    EXPECT_EQ(clicks, 1);

    key(kDown, 4);  // Alt+Down opens it too
    ASSERT_TRUE(low.dropped());
    click(low, 20, -3 * 13 - 2 + 1 + 13 + 6);  // on the middle row of the list
    EXPECT_FALSE(low.dropped());
    EXPECT_EQ(low.text(), "Gauge");
    EXPECT_EQ(clicks, 2);
}

TEST_F(Controls, SliderStepsByKeyPageAndDragWithinItsRange) {
    auto& slider = put<Slider>("sldIdle", 10, 10, 116, 28);  // a 100-pixel track
    slider.setMax(100);
    slider.setSteps(1, 10);
    slider.setValue(50);
    int changes = 0;
    slider.onChange = [&] { ++changes; };
    form.show();
    slider.setFocus();
    key(kRight);
    key(kPageDown);
    EXPECT_EQ(slider.value(), 61);
    key(kEnd);
    key(kDown);  // at the maximum: no change
    EXPECT_EQ(slider.value(), 100);
    EXPECT_EQ(changes, 3);
    key(kHome);
    EXPECT_EQ(slider.value(), 0);

    slider.setValue(50);
    click(slider, 100, 10);  // on the channel right of the thumb: a page
    EXPECT_EQ(slider.value(), 60);
    press(slider, 8 + 60, 10);  // on the thumb
    moveTo(slider, 8 + 25, 10);
    EXPECT_EQ(slider.value(), 25);
    moveTo(slider, 185, 10);  // past the track, still inside the window
    EXPECT_EQ(slider.value(), 100) << "dragged past the end it stops at the maximum";
    release(slider, 185, 10);
    moveTo(slider, 8 + 40, 10);
    EXPECT_EQ(slider.value(), 100) << "released, the mouse no longer moves it";
}

TEST_F(Controls, TabStripSelectsByArrowsAndItsPanelHasNoTip) {
    auto& tabs = put<TabStrip>("tbsOptions", 0, 0, 200, 120);
    tabs.addTab("One", "tabOne", "First page");
    tabs.addTab("Two", "tabTwo", "Second page");
    tabs.addTab("Three", "tabThree", "Third page");
    EXPECT_EQ(tabs.selectedIndex(), 1);
    std::vector<int> seen;
    tabs.onClick = [&] { seen.push_back(tabs.selectedIndex()); };
    tabs.select(3);  // from code: no handler runs
    form.show();
    tabs.setFocus();  // a click on a tab is in the options dialog's scenario
    key(kLeft);
    key(kLeft);
    key(kLeft);  // already the first
    key(kRight);
    EXPECT_EQ(seen, (std::vector<int>{2, 1, 2}));
    click(tabs, 100, 60);  // on the panel
    EXPECT_EQ(seen.size(), 3u);
    moveTo(tabs, 10, 8);
    moveTo(tabs, 100, 60);
    EXPECT_EQ(tabs.toolTipText(), "");
}

// Two runtimes at once, each with its own look and text: neither a second
// runtime's start nor its end changes how the first one draws.
TEST(FormsRuntimes, EachDrawsWithItsOwnLookAndText) {
    platform::SimPlatform firstOs;
    Runtime first(firstOs);
    BlockText blocks;
    DialogLook greenish;
    greenish.face = rgb(0, 128, 64);
    first.setDialogLook(greenish);
    first.setTextBackend(&blocks);
    // A button over a red "Hi".
    auto fill = [](Form& f) {
        f.move(0, 0, 100 * kTwipsPerPixel, 40 * kTwipsPerPixel);
        f.add<CommandButton>("cmdGo").move(0, 0, 60, 23);
        auto& label = f.add<Label>("lblHi");
        label.move(0, 25, 60, 15);
        label.setCaption("Hi");
        label.setForeColor(rgb(200, 0, 0));
    };
    Form a(first, "frmA");
    fill(a);
    // The face at the button, and whether "Hi" is inked as one block below a blank row.
    const auto looks = [](const Pixels& px) {
        bool block = true;
        for (int y = 26; y < 29; ++y)
            for (int x = 0; x < 12; ++x) block = block && px.at(x, y) == rgb(200, 0, 0);
        return std::pair{px.at(10, 5), block};
    };
    a.show();
    {
        platform::SimPlatform secondOs;
        Runtime second(secondOs);
        Form b(second, "frmB");
        fill(b);
        b.show();
        EXPECT_EQ(looks(b.render()), std::pair(DialogLook{}.face, false)) << "the classic face and our pixel font";
        a.invalidate();
        EXPECT_EQ(looks(a.render()), std::pair(greenish.face, true)) << "while the second runtime lives";
    }
    a.invalidate();
    EXPECT_EQ(looks(a.render()), std::pair(greenish.face, true)) << "after the second runtime ended";
}
