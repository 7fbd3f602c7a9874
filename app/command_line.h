// Option values both programs read the same way; each says which program
// complains about a bad value.
#pragma once

#include <cstdlib>
#include <iostream>
#include <string>

#include "platform/common/display_scale.h"

namespace vel::app {

// --scale: 1, 2 or 3.
inline bool readScale(const char* program, const std::string& v, int& scale) {
    const auto parsed = platform::parseScale(v);
    if (!parsed) {
        std::cerr << program << ": --scale wants 1, 2 or 3, not '" << v << "'\n";
        return false;
    }
    scale = *parsed;
    return true;
}

// --run-for: a number of seconds, not below 0.
inline bool readSeconds(const char* program, const std::string& v, double& seconds) {
    char* end = nullptr;
    seconds = std::strtod(v.c_str(), &end);
    if (v.empty() || *end || seconds < 0) {
        std::cerr << program << ": --run-for wants a number of seconds, not '" << v << "'\n";
        return false;
    }
    return true;
}

}  // namespace vel::app
