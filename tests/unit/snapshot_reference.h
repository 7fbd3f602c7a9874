// Compares a rendered window with its reference picture in
// tests/data/FOLDER (snapshots by default), pixel for pixel. With VELMORA_UPDATE_SNAPSHOTS=1 in
// the environment it writes the picture instead: look at it before keeping it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "forms/form.h"
#include "gfx/png.h"
#include "platform/sim/files.h"

namespace vel::test {

// Pixel for pixel, reporting the first difference and how many there are.
inline void expectSamePixels(const Pixels& shown, const Pixels& want, const std::string& name) {
    ASSERT_EQ(want.width, shown.width) << name;
    ASSERT_EQ(want.height, shown.height) << name;
    int differing = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
            if (want.at(x, y) != shown.at(x, y) && differing++ == 0)
                ADD_FAILURE() << name << ": first difference at " << x << "," << y;
    EXPECT_EQ(differing, 0) << name << " differs from its reference in " << differing << " pixels";
}

inline void matchesReference(const Pixels& shown, const std::string& name, const char* folder = "snapshots") {
    const std::filesystem::path dir = std::filesystem::path(VELMORA_SOURCE_DIR) / "tests" / "data" / folder;
    const std::filesystem::path file = dir / (name + ".png");
    if (std::getenv("VELMORA_UPDATE_SNAPSHOTS")) {
        std::filesystem::create_directories(dir);
        ASSERT_TRUE(gfx::savePng(file.string(), shown));
        return;
    }
    platform::SimFiles files;
    const auto reference = gfx::loadPng(files, file.string());
    ASSERT_TRUE(reference.has_value()) << "no reference " << file;
    expectSamePixels(shown, *reference, name);
}

// A window as the compositor draws it.
inline void matchesReference(forms::Form& form, const std::string& name) { matchesReference(form.render(), name); }

}  // namespace vel::test
