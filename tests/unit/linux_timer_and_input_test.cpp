// The Linux backend's pure pieces: timer queue, double clicks, pixel
// layout conversion and our message box's buttons, default, keyboard and
// mouse.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/linux/double_click.h"
#include "platform/linux/message_box.h"
#include "platform/linux/pixel_format.h"
#include "platform/linux/timer_queue.h"

using namespace vel::platform;
using namespace vel::platform::linux_backend;

// Lateness does not push the rhythm back; a timer ten intervals overdue
// fires once, like WM_TIMER, and restarts from now.
TEST(LinuxTimerQueue, FiresInDeadlineOrderKeepsRhythmAndRestartsWhenOverdue) {
    TimerQueue q;
    std::vector<std::string> log;
    q.add(300, [&] { log.push_back("slow"); }, 0);
    const auto fast = q.add(100, [&] { log.push_back("fast"); }, 0);
    EXPECT_EQ(q.waitMs(0), 100);
    EXPECT_EQ(q.fireDue(99), 0);
    EXPECT_EQ(q.fireDue(100), 1);
    EXPECT_EQ(q.fireDue(205), 1);  // a little late
    EXPECT_EQ(q.fireDue(300), 2);  // both due: fast's 300 and slow's 300, fast added later
    EXPECT_EQ(log, (std::vector<std::string>{"fast", "fast", "slow", "fast"}));
    EXPECT_EQ(q.nextDeadline(), 400u);
    EXPECT_EQ(q.fireDue(1450), 2);
    EXPECT_EQ(q.deadlineOf(fast), 1550u);
    EXPECT_EQ(q.waitMs(1500), 50);
}

TEST(LinuxTimerQueue, StartAndStopFromInsideATick) {
    TimerQueue q;
    std::vector<std::string> log;
    TimerQueue::Id second = 0, added = 0, me = 0;
    q.add(10, [&] {
        log.push_back("first");
        q.remove(second);  // due in the same batch, must not fire
        added = q.add(10, [&] { log.push_back("added"); }, 10);
    }, 0);
    second = q.add(10, [&] { log.push_back("second"); }, 0);
    // A timer stopping itself while it runs.
    me = q.add(10, [&] { log.push_back("self"); q.remove(me); }, 0);
    q.fireDue(10);
    EXPECT_EQ(log, (std::vector<std::string>{"first", "self"}));
    EXPECT_FALSE(q.contains(second));
    EXPECT_FALSE(q.contains(me));
    EXPECT_EQ(q.deadlineOf(added), 20u);
}

// The loop waits waitMs() and then fires what is due, like X11Platform.
TEST(LinuxTimerQueue, SlackLetsTimersDueCloseTogetherShareOneWakeUp) {
    auto run = [](std::uint32_t slack, int& wakeUps) {
        TimerQueue q;
        q.setSlack(slack);
        std::vector<std::string> log;
        std::uint64_t now = 0;
        auto stamp = [&](const char* name) { return [&, name] { log.push_back(name + std::to_string(now)); }; };
        q.add(100, stamp("clock@"), 0);
        q.add(250, stamp("mouse@"), 3);
        q.add(500, stamp("idle@"), 1);
        q.add(1000, stamp("cpu@"), 20);  // 20 ms apart: never shares
        wakeUps = 0;
        while (now < 1020) {
            now += static_cast<std::uint64_t>(q.waitMs(now));
            ++wakeUps;
            EXPECT_GT(q.fireDue(now), 0) << "a wake-up that runs nothing, at " << now;
        }
        return log;
    };
    int exact = 0, shared = 0;
    run(0, exact);
    const auto together = run(5, shared);
    // Every tick, in the order it has without slack (clock@500, idle@501,
    // mouse@503, ...); the deadline 500 of idle waits for the mouse's 503,
    // and clock 100 .. 1000 each lead their group.
    EXPECT_EQ(together, (std::vector<std::string>{"clock@100", "clock@200", "mouse@253", "clock@300", "clock@400",
                                                  "clock@503", "idle@503", "mouse@503", "clock@600", "clock@700",
                                                  "mouse@753", "clock@800", "clock@900", "clock@1003", "idle@1003",
                                                  "mouse@1003", "cpu@1020"}));
    EXPECT_EQ(exact, 17);
    EXPECT_EQ(shared, 13);
}

TEST(LinuxDoubleClick, SecondPressSoonAndCloseIsDoubleButNotTooLateTooFarOrElsewhere) {
    DoubleClickDetector d(500, 2);
    EXPECT_FALSE(d.press(1, 1, 100, 100, 1000));
    EXPECT_TRUE(d.press(1, 1, 101, 98, 1400));
    EXPECT_FALSE(d.press(1, 1, 101, 98, 1500));  // third press: a plain press again
    EXPECT_TRUE(d.press(1, 1, 101, 98, 2000));   // exactly the interval still counts
    EXPECT_FALSE(d.press(1, 1, 10, 10, 3000));
    EXPECT_FALSE(d.press(1, 1, 10, 10, 3501));  // too late; this press arms anew
    EXPECT_FALSE(d.press(1, 1, 13, 10, 3600));  // too far
    EXPECT_FALSE(d.press(1, 2, 13, 10, 3700));  // other button
    EXPECT_FALSE(d.press(2, 2, 13, 10, 3800));  // other window
    EXPECT_TRUE(d.press(2, 2, 13, 10, 3900));
    // Server time wraps around.
    d.press(1, 1, 0, 0, 0xFFFFFF00u);
    EXPECT_TRUE(d.press(1, 1, 0, 0, 0x00000010u));
}

TEST(LinuxPressWatch, OnlyLeavingTheThresholdWithTheButtonHeldIsADrag) {
    PressWatch click;
    click.start(100, 100, 8);
    click.pointerAt(108, 92);  // on the edge of the square: still a press
    EXPECT_FALSE(click.decided());
    click.release();
    EXPECT_TRUE(click.released);
    click.pointerAt(200, 200);  // after the release nothing makes it a drag
    EXPECT_FALSE(click.moved);

    PressWatch drag;
    drag.start(100, 100, 8);
    drag.pointerAt(100, 109);
    EXPECT_TRUE(drag.moved);
    drag.release();
    EXPECT_FALSE(drag.released) << "a drag stays a drag when the button comes up";
}

// The common 24-bit layout, both ways: tests/x11 (presents and screen reads).
TEST(LinuxPixelFormat, ConvertsToUnusualLayouts) {
    const std::uint32_t bgr = 0x00332211;  // red 0x11, green 0x22, blue 0x33
    PixelFormat bgr24(0x0000FF, 0x00FF00, 0xFF0000);
    EXPECT_EQ(bgr24.convert(bgr), bgr);
    // 10 bits per channel (depth 30): full scale stays full scale.
    PixelFormat deep(0x3FF00000, 0x000FFC00, 0x000003FF);
    EXPECT_EQ(deep.convert(0x00FFFFFF), 0x3FFFFFFFu - 0x3u - (0x3u << 10) - (0x3u << 20));
    EXPECT_EQ(deep.toColour(deep.convert(bgr)), bgr);
    // 5-6-5: reading back spreads the bits so white stays white.
    PixelFormat r565(0xF800, 0x07E0, 0x001F);
    EXPECT_EQ(r565.convert(0x00FFFFFF), 0xFFFFu);
    EXPECT_EQ(r565.toColour(0xFFFF), 0x00FFFFFFu);
}

TEST(LinuxMessageBox, ButtonsDefaultAndKeys) {
    MessageBoxModel ok(mb::OkOnly | mb::Information);
    EXPECT_EQ(ok.answers(), std::vector<int>{mb::IdOk});
    EXPECT_EQ(ok.key(27, 0), mb::IdOk);
    EXPECT_EQ(ok.key(13, 0), mb::IdOk);
    EXPECT_EQ(ok.key('N', 0), std::nullopt);

    MessageBoxModel yesNo(mb::YesNo | mb::Question);
    EXPECT_EQ(yesNo.answers(), (std::vector<int>{mb::IdYes, mb::IdNo}));
    EXPECT_EQ(yesNo.key(13, 0), mb::IdYes);
    EXPECT_EQ(yesNo.key(27, 0), mb::IdNo);

    MessageBoxModel second(mb::YesNo | mb::Exclamation | mb::DefaultButton2);
    EXPECT_EQ(second.key(13, 0), mb::IdNo);
    EXPECT_EQ(second.key(9, 0), std::nullopt);  // Tab wraps to Yes
    EXPECT_EQ(second.key(32, 0), mb::IdYes);
    second.key(9, 1);  // Shift+Tab back to No
    EXPECT_EQ(second.focus(), 1);
    EXPECT_EQ(second.key('Y', 0), mb::IdYes);
}

TEST(LinuxMessageBox, AClickAnswersOnlyWhenPressedAndReleasedOnAButton) {
    MessageBoxModel m(mb::YesNo);
    MessageBoxLayout l;
    l.buttons = {Rect{10, 50, 85, 73}, Rect{91, 50, 166, 73}};
    auto ev = [](MouseEvent::Kind k, int x, int y) { return MouseEvent{k, MouseButton::Left, 0, x, y}; };
    EXPECT_EQ(m.mouse(ev(MouseEvent::Kind::Down, 100, 60), l), std::nullopt);
    EXPECT_EQ(m.pressed(), 1);
    EXPECT_EQ(m.focus(), 1);
    EXPECT_EQ(m.mouse(ev(MouseEvent::Kind::Up, 20, 60), l), std::nullopt);  // slid off onto Yes
    EXPECT_EQ(m.pressed(), -1);
    m.mouse(ev(MouseEvent::Kind::Down, 20, 60), l);
    EXPECT_EQ(m.mouse(ev(MouseEvent::Kind::Up, 21, 61), l), mb::IdYes);
    m.mouse(ev(MouseEvent::Kind::Down, 5, 5), l);  // not on a button
    EXPECT_EQ(m.mouse(ev(MouseEvent::Kind::Up, 5, 5), l), std::nullopt);
}

TEST(LinuxMessageBox, LayoutCentresButtonsAndMarksTheDefault) {
    const auto l = layoutMessageBox("Save the settings?\nThey are used at the next start.", "VELMORA",
                                    mb::YesNo | mb::Question | mb::DefaultButton2);
    ASSERT_EQ(l.buttons.size(), 2u);
    EXPECT_EQ(l.lines.size(), 2u);
    EXPECT_LE(std::abs(l.buttons[0].left - (l.width - l.buttons[1].right)), 1);  // centred
    EXPECT_EQ(l.iconRect.width(), 32);
    EXPECT_GE(l.textLeft, l.iconRect.right);
    MessageBoxModel m(mb::YesNo | mb::Question | mb::DefaultButton2);
    vel::Pixels p = paintMessageBox(l, "VELMORA", mb::YesNo | mb::Question | mb::DefaultButton2, m);
    ASSERT_EQ(p.width, l.width);
    ASSERT_EQ(p.height, l.height);
    // The focused button (No) has the dark outer frame; Yes has the light bevel.
    EXPECT_EQ(p.at(l.buttons[1].left, l.buttons[1].top), vel::rgb(0, 0, 0));
    EXPECT_EQ(p.at(l.buttons[0].left, l.buttons[0].top), vel::rgb(255, 255, 255));
    // The question icon's disc is blue at its centre row's edge.
    EXPECT_EQ(p.at(l.iconRect.left + 3, l.iconRect.top + 16), vel::rgb(0, 80, 200));
    const auto plain = layoutMessageBox("Done.", "Title", mb::OkOnly);
    EXPECT_EQ(plain.buttons.size(), 1u);
    EXPECT_EQ(plain.iconRect.width(), 0);
}
