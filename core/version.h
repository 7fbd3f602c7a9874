// The program's version, from the build.
#pragma once

#include <string>

namespace vel {

struct ProgramVersion {
    int major, minor, revision;
};

constexpr ProgramVersion kVersion{VELMORA_VERSION_MAJOR, VELMORA_VERSION_MINOR, VELMORA_VERSION_PATCH};

// The version information's product name and copyright notice (the
// Windows build carries the same texts in its VERSIONINFO resource).
constexpr const char* kVersionProductName = "Brinlake VELMORA v2";
constexpr const char* kVersionCopyright = "Copyright (C) 2026 Brinlake. All rights reserved.";

inline std::string versionText() {
    return std::to_string(kVersion.major) + "." + std::to_string(kVersion.minor) + "." +
           std::to_string(kVersion.revision);
}

}  // namespace vel
