// The high-resolution counter: the CPU's time-stamp counter where it ticks
// at a constant rate, else the raw monotonic clock in nanoseconds.
#pragma once

#include <cstdint>

namespace vel::platform::linux_backend {

class PerfClock {
public:
    PerfClock();
    std::int64_t counter() const;
    // Counts per second. The TSC rate is measured once, against the
    // monotonic clock, over the time since start (at least 10 ms).
    std::int64_t frequency();
    bool usesTsc() const { return tsc_; }

private:
    bool tsc_ = false;
    std::int64_t frequency_ = 0;
    std::int64_t startCounter_ = 0;
    std::int64_t startNs_ = 0;
};

std::int64_t monotonicNs();

}  // namespace vel::platform::linux_backend
