// The desktop scale: where it comes from on X11 (Xft.dpi, GDK_SCALE), the
// --scale option's values, and the picture and coordinate conversions the
// backends use at their boundary.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <utility>

#include "platform/common/display_scale.h"

using namespace vel;
using namespace vel::platform;

TEST(DesktopScale, XftDpiRoundsToTheNearestWholeScaleWithinOneToThreeAndTheLastOneWins) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"Xft.dpi:\t96\n", 1}, {"Xft.dpi:\t192\n", 2}, {"Xft.dpi: 143\n", 1},
        {"Xft.dpi: 144\n", 2},  // 1.5 rounds up
        {"Xft.dpi:\t480\n", 3}, {"Xft.dpi:\t30\n", 1}, {"Xft.dpi:\t192\r\n", 2},
        {"Xft.antialias:\t1\nXft.dpi:\t192\nXcursor.size:\t48\n", 2}, {"Xft.dpi:\t96\nXft.dpi:\t288", 3},
        {"Xft.dpi:\tbig\nXft.dpi:\t192x\n", std::nullopt}, {"Xft.dpis:\t192\nXXft.dpi:\t192\nXft.dpi\n", std::nullopt},
        {"", std::nullopt}};
    for (const auto& [resources, scale] : cases) EXPECT_EQ(scaleFromXResources(resources), scale) << resources;
}

TEST(DesktopScale, GdkScaleWinsOverXftDpiAndOneIsTheDefault) {
    const std::pair<const char*, std::optional<int>> gdk[] = {{"2", 2}, {" 3 ", 3}, {"4", 3}, {"", std::nullopt},
                                                             {"0", std::nullopt}, {"-1", std::nullopt},
                                                             {"1.5", std::nullopt}, {"two", std::nullopt}};
    for (const auto& [value, scale] : gdk) EXPECT_EQ(scaleFromGdkScale(value), scale) << value;
    EXPECT_EQ(x11DesktopScale("Xft.dpi:\t192\n", "3"), 3);
    EXPECT_EQ(x11DesktopScale("Xft.dpi:\t192\n", "nonsense"), 2);
    EXPECT_EQ(x11DesktopScale("Xft.dpi:\t192\n", nullptr), 2);
    EXPECT_EQ(x11DesktopScale("", nullptr), 1);
    // The --scale option takes only 1, 2 or 3, written plainly.
    EXPECT_EQ(parseScale("3"), 3);
    for (const char* bad : {"0", "4", "", "2.0", " 2", "02", "x"}) EXPECT_EQ(parseScale(bad), std::nullopt) << bad;
}

TEST(DesktopScale, DevicePixelsMapBackToTheLogicalPixelTheyEnlarge) {
    const DisplayScale s(3);
    for (int v : {-7, -3, -1, 0, 1, 5}) {
        for (int k = 0; k < 3; ++k) EXPECT_EQ(s.toLogical(s.toDevice(v) + k), v) << v << "+" << k;
    }
    const Rect r = s.toDevice(Rect{-2, 1, 4, 6});
    EXPECT_EQ(r.left, -6);
    EXPECT_EQ(r.bottom, 18);
    Region region;
    region.rects = {Rect{0, 0, 2, 1}, Rect{1, 1, 3, 2}};
    const Region device = s.toDevice(region);
    ASSERT_EQ(device.rects.size(), 2u);
    EXPECT_TRUE(device.contains(8, 5));
    EXPECT_FALSE(device.contains(2, 3)) << "(0,1) lies outside the logical region";
    EXPECT_EQ(DisplayScale(7).factor(), 3);
    EXPECT_EQ(DisplayScale(0).factor(), 1);
}

TEST(DesktopScale, EnlargingRepaintsOnlyTheChangedPartUnlessTheSizeChanged) {
    Pixels picture(3, 2);
    for (int i = 0; i < 6; ++i) picture.data[static_cast<std::size_t>(i)] = static_cast<Colour>(i + 1);
    const DisplayScale s(2);
    Pixels device;
    Rect changed;
    EXPECT_EQ(&s.enlarge(picture, Rect{1, 1, 2, 2}, device, changed), &device);
    EXPECT_EQ(changed.right, 6) << "a new size enlarges everything";
    EXPECT_EQ(device.at(5, 3), 6u);
    picture.fill(0);
    s.enlarge(picture, Rect{1, 0, 2, 1}, device, changed);
    EXPECT_EQ((std::array{changed.left, changed.top, changed.right, changed.bottom}), (std::array{2, 0, 4, 2}));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(device.at(x, y), (x / 2 == 1 && y / 2 == 0) ? 0u : static_cast<Colour>(y / 2 * 3 + x / 2 + 1))
                << x << "," << y;
}
