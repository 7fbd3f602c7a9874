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
    // The counter and the monotonic clock read at one moment.
    void readPair(std::int64_t& ns, std::int64_t& ticks) const;
    bool tsc_ = false;
    std::int64_t frequency_ = 0;
    std::int64_t startCounter_ = 0;
    std::int64_t startNs_ = 0;
};

std::int64_t monotonicNs();
// The processor's time-stamp counter; 0 where it has none.
std::uint64_t timeStamp();

}  // namespace vel::platform::linux_backend
