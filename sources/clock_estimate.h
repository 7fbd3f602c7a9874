// The processor's clock from its time-stamp counter, timed with the
// performance counter.
//
// Once a second the Full View reads both counters together and divides the
// stamps that passed since the last reading by the time that passed: no
// waiting at all. Without a recent reading (the first call, or the counters
// jumped) it times a few short waits instead.
//
// In a short wait the performance counter is read, then the time-stamp
// counter, and after the wait the two again the other way round, so the
// stamped interval lies inside the timed one. A thread taken off the
// processor during the wait delays both ends alike; taken off between a
// pair of reads, it widens the timed interval only. A disturbed round can
// only read slow, so the fastest round is the estimate.
#pragma once

#include <algorithm>
#include <cstdint>

namespace vel {

constexpr int kClockRounds = 3;
constexpr std::int64_t kClockRoundUs = 1000;  // 3 ms of waiting in all
// Readings further apart than this are not compared: the machine may have
// slept in between, and one counter with it.
constexpr std::int64_t kClockLongestUs = 10'000'000;

// Cycles per microsecond, i.e. MHz, over a few short waits; 0 without a
// time-stamp counter.
template <typename PerfCounter, typename TimeStamp>
double estimateClockMhz(std::int64_t perfFrequency, PerfCounter&& perfCounter, TimeStamp&& timeStamp) {
    if (perfFrequency <= 0 || timeStamp() == 0) return 0;
    const std::int64_t span = std::max<std::int64_t>(1, perfFrequency * kClockRoundUs / 1'000'000);
    double best = 0;
    for (int round = 0; round < kClockRounds; ++round) {
        const std::int64_t p0 = perfCounter();
        const std::uint64_t t0 = timeStamp();
        std::int64_t p = p0;
        // A counter that went backwards ends the wait rather than prolonging it.
        while (p - p0 < span && p >= p0) p = perfCounter();
        const std::uint64_t t1 = timeStamp();
        const std::int64_t p1 = perfCounter();
        if (p1 <= p0 || t1 <= t0) continue;
        const double us = static_cast<double>(p1 - p0) * 1e6 / static_cast<double>(perfFrequency);
        best = std::max(best, static_cast<double>(t1 - t0) / us);
    }
    return best;
}

// Both counters at one moment: the time-stamp counter, and the performance
// counter halfway between a read just before and one just after it.
struct ClockReading {
    std::int64_t perf = 0;
    std::uint64_t stamp = 0;
};

// The narrowest of three brackets, so a read interrupted by the scheduler
// is not the one kept.
template <typename PerfCounter, typename TimeStamp>
ClockReading readClock(PerfCounter&& perfCounter, TimeStamp&& timeStamp) {
    ClockReading best;
    std::int64_t width = -1;
    for (int i = 0; i < 3; ++i) {
        const std::int64_t before = perfCounter();
        const std::uint64_t stamp = timeStamp();
        const std::int64_t after = perfCounter();
        if (after < before || (width >= 0 && after - before >= width)) continue;
        width = after - before;
        best = {before + width / 2, stamp};
    }
    return best;
}

// MHz between two readings; 0 when they cannot be compared (no time-stamp
// counter, a counter went back, or they are not 0.1 to 10 s apart).
inline double clockBetween(const ClockReading& earlier, const ClockReading& later, std::int64_t perfFrequency) {
    if (perfFrequency <= 0 || earlier.stamp == 0 || later.stamp <= earlier.stamp) return 0;
    const double us = static_cast<double>(later.perf - earlier.perf) * 1e6 / static_cast<double>(perfFrequency);
    if (us < 100'000 || us > static_cast<double>(kClockLongestUs)) return 0;
    return static_cast<double>(later.stamp - earlier.stamp) / us;
}

}  // namespace vel
