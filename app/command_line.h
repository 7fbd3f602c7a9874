// Option values both programs read the same way; each says which program
// complains about a bad value.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/common/display_scale.h"

namespace vel::app {

// --help and --version: what they print, and the exit code 0; nothing for
// any other argument.
inline std::optional<int> infoOption(const std::string& argument, const char* usage, const std::string& version) {
    if (argument == "--help" || argument == "-h") std::cout << usage;
    else if (argument == "--version") std::cout << version << "\n";
    else return std::nullopt;
    return 0;
}

// The value after option argv[i], one of `valued`: false, after saying why,
// for an option the program does not know or one with no value after it.
inline bool takeValue(const char* program, std::initializer_list<std::string_view> valued, int argc, char** argv,
                      int& i, std::string& value) {
    const std::string_view option = argv[i];
    if (std::find(valued.begin(), valued.end(), option) == valued.end()) {
        std::cerr << program << ": unknown option '" << option << "' (see --help)\n";
        return false;
    }
    if (i + 1 >= argc) {
        std::cerr << program << ": " << option << " needs a value (see --help)\n";
        return false;
    }
    value = argv[++i];
    return true;
}

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
