// Window regions built from skins: one rectangle per horizontal run of
// pixels that differ from the top-left pixel's colour.
#include <gtest/gtest.h>

#include <array>

#include "window/window_services.h"

using namespace vel;

TEST(Region, EachRunOfPixelsUnlikeTheCornerIsOneRectangle) {
    using Rects = std::vector<std::array<int, 4>>;
    struct Case {
        std::vector<std::string> rows;
        int width;  // the picture box may be wider than its picture: outside reads as solid
        Rects rects;
    };
    const Case cases[] = {
        {{".##", "###", "..."}, 3, {{1, 0, 3, 1}, {0, 1, 3, 2}}},  // a run reaching the right edge closes there
        {{".#.##.#"}, 7, {{1, 0, 2, 1}, {3, 0, 5, 1}, {6, 0, 7, 1}}},
        {{"#..", "#.."}, 3, {{1, 0, 3, 1}, {1, 1, 3, 2}}},  // ink in the corner becomes the key
        {{".."}, 3, {{2, 0, 3, 1}}},
        {{"...."}, 4, {}},  // a skin of one colour has no region
    };
    for (const Case& c : cases) {
        Pixels p(static_cast<int>(c.rows[0].size()), static_cast<int>(c.rows.size()), rgb(255, 0, 255));
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (c.rows[y][x] == '#') p.at(x, y) = rgb(10, 20, 30);
        const platform::Region r = regionFromPixels(p, c.width, p.height);
        Rects got;
        for (const platform::Rect& q : r.rects) got.push_back({q.left, q.top, q.right, q.bottom});
        EXPECT_EQ(got, c.rects) << c.rows[0];
    }
}
