// Measurement sources read from the Linux kernel (/proc, /sys).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "platform/sources_api.h"

namespace vel::platform {

// procRoot and sysRoot let tests point the parsers at captured files.
// screenSize, where there is a display, gives the hardware inventory the X
// screen's width and height in pixels.
using ScreenSizeReader = std::function<std::pair<int, int>()>;
std::unique_ptr<Sources> createLinuxSources(const std::string& procRoot = "/proc",
                                            const std::string& sysRoot = "/sys",
                                            ScreenSizeReader screenSize = {});

}  // namespace vel::platform
