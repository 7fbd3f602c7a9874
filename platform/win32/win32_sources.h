// Measurement sources on Windows: GetSystemInfo, GetVersionExA and
// IsProcessorFeaturePresent; PDH counters (with the processor-times
// fallback); GlobalMemoryStatusEx; IP Helper; WinINet's connection state.
#pragma once

#include <memory>

#include "platform/sources_api.h"

namespace vel::platform::win32 {

std::unique_ptr<Sources> createWin32Sources();

}  // namespace vel::platform::win32
