// Whole-file reads and replacements through the C++ standard library, for
// the backends whose own calls would do no better. Names are UTF-8; the
// standard library turns them into what the system takes (UTF-16 on Windows).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace vel::platform::standard_files {

std::optional<FileStamp> fileStamp(const std::string& path);
std::optional<std::string> readFile(const std::string& path, std::size_t most);
bool replaceFile(const std::string& path, const std::string& contents);
// The file's group or everyone may read it (a link is followed).
bool readableByOthers(const std::string& path);

}  // namespace vel::platform::standard_files
