#include "platform/linux/perf_clock.h"

#include <time.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define VELMORA_HAVE_TSC 1
#endif

namespace vel::platform::linux_backend {

std::int64_t monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

std::uint64_t timeStamp() {
#ifdef VELMORA_HAVE_TSC
    return __rdtsc();
#else
    return 0;
#endif
}

namespace {
std::int64_t rawNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_RAW, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

bool invariantTsc() {
#ifdef VELMORA_HAVE_TSC
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(0x80000000u, &a, &b, &c, &d) || a < 0x80000007u) return false;
    if (!__get_cpuid(0x80000007u, &a, &b, &c, &d)) return false;
    return (d & (1u << 8)) != 0;
#else
    return false;
#endif
}
}  // namespace

PerfClock::PerfClock() : tsc_(invariantTsc()) { readPair(startNs_, startCounter_); }

void PerfClock::readPair(std::int64_t& ns, std::int64_t& ticks) const {
    // The narrowest of three brackets: a read the scheduler interrupted
    // would put the two clocks milliseconds apart.
    std::int64_t width = -1;
    for (int i = 0; i < 3; ++i) {
        const std::int64_t before = monotonicNs();
        const std::int64_t t = counter();
        const std::int64_t after = monotonicNs();
        if (width >= 0 && after - before >= width) continue;
        width = after - before;
        ns = before + width / 2;
        ticks = t;
    }
}

std::int64_t PerfClock::counter() const {
#ifdef VELMORA_HAVE_TSC
    if (tsc_) return static_cast<std::int64_t>(__rdtsc());
#endif
    return rawNs();
}

std::int64_t PerfClock::frequency() {
    if (frequency_) return frequency_;
    if (!tsc_) return frequency_ = 1'000'000'000;
    constexpr std::int64_t kMinSpanNs = 10'000'000;
    std::int64_t nowNs = monotonicNs();
    if (nowNs - startNs_ < kMinSpanNs) {
        timespec rest{0, static_cast<long>(kMinSpanNs - (nowNs - startNs_))};
        nanosleep(&rest, nullptr);
    }
    std::int64_t ticks = 0;
    readPair(nowNs, ticks);
    const long double rate = static_cast<long double>(ticks - startCounter_) * 1e9L / (nowNs - startNs_);
    frequency_ = static_cast<std::int64_t>(rate / 1000 + 0.5L) * 1000;  // nearest kHz
    return frequency_;
}

}  // namespace vel::platform::linux_backend
