// The program's version, from the build.
#pragma once

#include <string>

#include "core/version_strings.h"

namespace vel {

struct ProgramVersion {
    int major, minor, revision;
};

constexpr const char* kProductName = VELMORA_PRODUCT_NAME;
constexpr const char* kMakerTitle = "Brinlake";

constexpr ProgramVersion kVersion{VELMORA_VERSION_MAJOR, VELMORA_VERSION_MINOR, VELMORA_VERSION_PATCH};

// The version information's copyright notice, where the system cannot
// read the program's own (the Windows build carries it as a resource).
constexpr const char* kVersionCopyright = VELMORA_COPYRIGHT;

inline std::string versionText() {
    return std::to_string(kVersion.major) + "." + std::to_string(kVersion.minor) + "." +
           std::to_string(kVersion.revision);
}

}  // namespace vel
