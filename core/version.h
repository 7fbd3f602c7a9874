// The program's version, from the build.
#pragma once

#include <string>

namespace vel {

struct ProgramVersion {
    int major, minor, revision;
};

constexpr ProgramVersion kVersion{VELMORA_VERSION_MAJOR, VELMORA_VERSION_MINOR, VELMORA_VERSION_PATCH};

inline std::string versionText() {
    return std::to_string(kVersion.major) + "." + std::to_string(kVersion.minor) + "." +
           std::to_string(kVersion.revision);
}

}  // namespace vel
