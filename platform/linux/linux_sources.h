// Measurement sources read from the Linux kernel (/proc, /sys).
#pragma once

#include <memory>
#include <string>

#include "platform/sources_api.h"

namespace vel::platform {

// procRoot and sysRoot let tests point the parsers at captured files.
std::unique_ptr<Sources> createLinuxSources(const std::string& procRoot = "/proc",
                                            const std::string& sysRoot = "/sys");

}  // namespace vel::platform
