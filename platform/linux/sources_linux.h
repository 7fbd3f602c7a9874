// The Linux measurement sources with the clock made explicit, so tests can
// time rate counters themselves. createLinuxSources (linux_sources.h) uses
// the monotonic clock.
#pragma once

#include <memory>
#include <string>

#include "platform/linux/linux_sources.h"
#include "platform/linux/counters.h"
#include "platform/sources_api.h"

namespace vel::platform::linux_backend {

std::unique_ptr<Sources> createLinuxSourcesWithClock(const std::string& procRoot, const std::string& sysRoot,
                                                     MonotonicClock clock, ScreenSizeReader screenSize = {});

}  // namespace vel::platform::linux_backend
