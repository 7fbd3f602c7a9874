// A window as the compositor draws it, compared pixel for pixel with its
// reference picture in tests/data/snapshots. After a deliberate change of
// the look, renew the files with VELMORA_UPDATE_SNAPSHOTS=1 and look at
// them before keeping them.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "forms/form.h"
#include "forms/png.h"

namespace vel::test {

inline void matchesReference(const forms::Form& form, const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path snapshots = fs::path(VELMORA_SOURCE_DIR) / "tests" / "data" / "snapshots";
    const Pixels shown = const_cast<forms::Form&>(form).render();
    const fs::path file = snapshots / (name + ".png");
    if (std::getenv("VELMORA_UPDATE_SNAPSHOTS")) {
        fs::create_directories(snapshots);
        ASSERT_TRUE(gfx::savePng(file.string(), shown));
        return;
    }
    const auto reference = gfx::loadPng(file.string());
    ASSERT_TRUE(reference.has_value()) << "no reference " << file;
    ASSERT_EQ(reference->width, shown.width) << name;
    ASSERT_EQ(reference->height, shown.height) << name;
    int differing = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
            if (reference->at(x, y) != shown.at(x, y)) {
                if (differing++ == 0) ADD_FAILURE() << name << ": first difference at " << x << "," << y;
            }
    EXPECT_EQ(differing, 0) << name << " differs from its reference in " << differing << " pixels";
}

}  // namespace vel::test
