// The load of all processors together, from the system's own total counter
// `\Processor(_Total)\% Processor Time`. The engine uses it on machines with
// more than four processors, where the per-processor samplers (four slots)
// cannot cover every processor. Reads like clsCPUUsage on the NT family:
// one query of its own, one collection per read.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace vel {

class clsCPUTotalUsage {
public:
    explicit clsCPUTotalUsage(platform::Platform& os);
    ~clsCPUTotalUsage();
    clsCPUTotalUsage(const clsCPUTotalUsage&) = delete;
    clsCPUTotalUsage& operator=(const clsCPUTotalUsage&) = delete;

    // Percent busy since the previous read, rounded half to even; 0 when
    // the counter cannot be read.
    std::int32_t Usage();

    static constexpr const char* kPath = "\\Processor(_Total)\\% Processor Time";

private:
    platform::Sources& sources_;
    platform::Sources::Query query_ = 0;
    platform::Sources::Counter counter_ = 0;
};

}  // namespace vel
