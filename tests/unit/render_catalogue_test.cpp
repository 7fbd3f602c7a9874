// The style names. Which renderer each code runs is pinned by the
// reference pictures in tests/data/styles.
#include <gtest/gtest.h>

#include "engine/style_catalogue.h"

namespace vel {
namespace {

TEST(StyleCatalogue, NamesAsTheOptionsListShowThem) {
    const auto& cpu = cpuStyleNames();
    EXPECT_EQ(cpu[0], "VU Meter Gold (Original)");
    EXPECT_EQ(cpu[8], "Line Graph Black (Original)");
    EXPECT_EQ(cpu[14], "Horizontal Bar w\\Text");
    EXPECT_EQ(cpu[16], "Vertical Bar w\\Text");
    EXPECT_EQ(cpu[17], "Intensi-Meter");
    EXPECT_EQ(cpu[14].size(), 21u);  // one literal backslash
    EXPECT_EQ(networkStyleNames()[3], "Network on Green");
    EXPECT_EQ(memoryStyleNames()[0], "Memory on Black");
    EXPECT_EQ(mouseStyleNames()[4], "Mouse on Red");
}

}  // namespace
}  // namespace vel
