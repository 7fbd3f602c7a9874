// Our message box's behaviour: buttons, default, keyboard and mouse.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/linux/message_box.h"

using namespace vel::platform;
using namespace vel::platform::linux_backend;

TEST(LinuxMessageBox, ButtonsDefaultAndKeys) {
    MessageBoxModel ok(mb::OkOnly | mb::Information);
    EXPECT_EQ(ok.answers(), std::vector<int>{mb::IdOk});
    EXPECT_EQ(ok.key(27, 0), mb::IdOk);
    EXPECT_EQ(ok.key(13, 0), mb::IdOk);
    EXPECT_EQ(ok.key('N', 0), std::nullopt);

    MessageBoxModel yesNo(mb::YesNo | mb::Question);
    EXPECT_EQ(yesNo.answers(), (std::vector<int>{mb::IdYes, mb::IdNo}));
    EXPECT_EQ(yesNo.focus(), 0);
    EXPECT_EQ(yesNo.key(13, 0), mb::IdYes);
    EXPECT_EQ(yesNo.key(27, 0), mb::IdNo);

    MessageBoxModel second(mb::YesNo | mb::Exclamation | mb::DefaultButton2);
    EXPECT_EQ(second.focus(), 1);
    EXPECT_EQ(second.key(13, 0), mb::IdNo);
    EXPECT_EQ(second.key(9, 0), std::nullopt);  // Tab wraps to Yes
    EXPECT_EQ(second.focus(), 0);
    EXPECT_EQ(second.key(32, 0), mb::IdYes);
    second.key(9, 1);  // Shift+Tab back to No
    EXPECT_EQ(second.focus(), 1);
    EXPECT_EQ(second.key('Y', 0), mb::IdYes);
    EXPECT_EQ(iconOf(mb::YesNo | mb::Critical), BoxIcon::Critical);
    EXPECT_EQ(iconOf(mb::OkOnly), BoxIcon::None);
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
    EXPECT_EQ(l.buttons[0].top, l.buttons[1].top);
    EXPECT_LE(l.buttons[1].bottom, l.height);
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
