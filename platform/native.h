// The backend for the machine the program runs on (X11 on Linux, Win32 on
// Windows). Each native backend folder implements this one function.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace vel::platform {

struct NativeOptions {
    std::string programFolder;  // the folder holding velmora.ini, skins/ and logs/
    std::string display;        // X display name; empty = $DISPLAY
    int scale = 0;              // 1..3 for every window; 0 = the desktop's own
};

// Set by the program for the sibling tools it starts (Logscope), so that
// one started without a folder of its own works in the program's folder.
inline constexpr const char* kProgramFolderVariable = "VELMORA_PROGRAM_FOLDER";

// Returns nullptr and fills error when the backend cannot start (no display).
std::unique_ptr<Platform> createNativePlatform(const NativeOptions& options, std::string& error);

}  // namespace vel::platform
