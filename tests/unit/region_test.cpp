// Window regions built from skins: one rectangle per horizontal run of
// pixels that differ from the top-left pixel's colour.
#include <gtest/gtest.h>

#include "window/window_services.h"

using namespace vel;

namespace {
constexpr Colour kKey = rgb(255, 0, 255);
constexpr Colour kInk = rgb(10, 20, 30);

Pixels fromRows(const std::vector<std::string>& rows) {
    Pixels p(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), kKey);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (rows[y][x] == '#') p.at(x, y) = kInk;
    return p;
}

bool sameRect(const platform::Rect& r, int l, int t, int rr, int b) {
    return r.left == l && r.top == t && r.right == rr && r.bottom == b;
}
}  // namespace

TEST(Region, EachRunIsARectangleAndOneReachingTheRightEdgeClosesAtTheWidth) {
    Pixels p = fromRows({".##", "###", "..."});
    platform::Region r = regionFromPixels(p, p.width, p.height);
    ASSERT_EQ(r.rects.size(), 2u);
    EXPECT_TRUE(sameRect(r.rects[0], 1, 0, 3, 1));
    EXPECT_TRUE(sameRect(r.rects[1], 0, 1, 3, 2));  // nothing leaks into row 2
    EXPECT_FALSE(r.contains(0, 0));
    EXPECT_TRUE(r.contains(2, 1));
    EXPECT_FALSE(r.contains(1, 2));

    Pixels row = fromRows({".#.##.#"});
    platform::Region runs = regionFromPixels(row, row.width, row.height);
    ASSERT_EQ(runs.rects.size(), 3u);
    EXPECT_TRUE(sameRect(runs.rects[0], 1, 0, 2, 1));
    EXPECT_TRUE(sameRect(runs.rects[1], 3, 0, 5, 1));
    EXPECT_TRUE(sameRect(runs.rects[2], 6, 0, 7, 1));
}

TEST(Region, ASkinOfOneColourHasNoRegion) {
    Pixels p(65, 29, rgb(1, 2, 3));
    EXPECT_TRUE(regionFromPixels(p, p.width, p.height).empty());
}

TEST(Region, TheTransparentColourIsWhateverTheCornerHolds) {
    // The corner pixel itself is solid ink here: ink becomes the key.
    Pixels p = fromRows({"#..", "#.."});
    platform::Region r = regionFromPixels(p, p.width, p.height);
    ASSERT_EQ(r.rects.size(), 2u);
    EXPECT_TRUE(sameRect(r.rects[0], 1, 0, 3, 1));
}

TEST(Region, SizeLargerThanThePictureTreatsOutsideAsSolid) {
    // The picture box may be larger than its picture; pixels outside read as -1.
    Pixels p = fromRows({".."});
    platform::Region r = regionFromPixels(p, 3, 1);
    ASSERT_EQ(r.rects.size(), 1u);
    EXPECT_TRUE(sameRect(r.rects[0], 2, 0, 3, 1));
}
