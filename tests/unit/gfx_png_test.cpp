// PNG round trips and byte-stable writes (the skins are compared by bytes).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "forms/png.h"

using namespace vel;
using namespace vel::gfx;

namespace {

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("velmora_gfx_" + name)).string();
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Pixels samplePicture() {
    Pixels p(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) p.at(x, y) = rgb(x * 36, y * 60, (x * y * 13) & 0xFF);
    p.at(0, 0) = rgb(255, 0, 255);
    return p;
}

}  // namespace

TEST(GfxPng, RoundTripKeepsEveryPixel) {
    const std::string path = tempPath("roundtrip.png");
    const Pixels original = samplePicture();
    ASSERT_TRUE(savePng(path, original));
    const auto loaded = loadPng(path);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(*loaded, original);
    std::filesystem::remove(path);
}

TEST(GfxPng, SamePixelsGiveSameBytes) {
    const std::string a = tempPath("a.png"), b = tempPath("b.png");
    ASSERT_TRUE(savePng(a, samplePicture()));
    ASSERT_TRUE(savePng(b, samplePicture()));
    const std::string bytesA = readBytes(a);
    EXPECT_FALSE(bytesA.empty());
    EXPECT_EQ(bytesA, readBytes(b));
    EXPECT_EQ(bytesA.substr(1, 3), "PNG");
    std::filesystem::remove(a);
    std::filesystem::remove(b);
}

TEST(GfxPng, MissingOrBrokenFilesLoadAsNothing) {
    EXPECT_FALSE(loadPng(tempPath("does_not_exist.png")).has_value());
    const std::string junk = tempPath("junk.png");
    std::ofstream(junk, std::ios::binary) << "not a picture at all";
    EXPECT_FALSE(loadPng(junk).has_value());
    std::filesystem::remove(junk);
    EXPECT_FALSE(savePng(tempPath("empty.png"), Pixels()));
}
