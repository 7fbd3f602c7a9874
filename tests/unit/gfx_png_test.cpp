// PNG files that cannot be read or written. Round trips and byte-stable
// writes are exercised by every reference picture and by the skins test,
// which compares the generator's output with skins/ byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "forms/png.h"

using namespace vel;
using namespace vel::gfx;

namespace {

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("velmora_gfx_" + name)).string();
}

}  // namespace

TEST(GfxPng, MissingOrBrokenFilesLoadAsNothing) {
    EXPECT_FALSE(loadPng(tempPath("does_not_exist.png")).has_value());
    const std::string junk = tempPath("junk.png");
    std::ofstream(junk, std::ios::binary) << "not a picture at all";
    EXPECT_FALSE(loadPng(junk).has_value());
    std::filesystem::remove(junk);
    EXPECT_FALSE(savePng(tempPath("empty.png"), Pixels()));
}
