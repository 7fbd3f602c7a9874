// Cost of one counter collection on this machine's own /proc: what every
// CPU tick pays per sampler. Variants: one processor's time (reads
// /proc/stat), and the full processor set of one query (stat, interrupts,
// softirqs and, where the kernel has cpuidle, the C1 residency files).
#include <benchmark/benchmark.h>

#include <algorithm>

#include "platform/linux/linux_sources.h"
#include "platform/linux/perf_clock.h"
#include "sources/clock_estimate.h"

namespace vel {
namespace {

void collect(benchmark::State& state, std::initializer_list<const char*> paths) {
    auto sources = platform::createLinuxSources();
    platform::Sources::Query q = 0;
    sources->openQuery(q);
    std::vector<platform::Sources::Counter> counters;
    for (const char* path : paths) {
        platform::Sources::Counter c = 0;
        sources->addCounter(q, path, c);
        counters.push_back(c);
    }
    sources->collectQueryData(q);
    double sum = 0;
    for (auto _ : state) {
        sources->collectQueryData(q);
        long status = 0;
        for (auto c : counters) sum += sources->counterValue(c, status);
    }
    benchmark::DoNotOptimize(sum);
    sources->closeQuery(q);
}

void BM_CollectProcessorTime(benchmark::State& state) { collect(state, {"\\Processor(0)\\% Processor Time"}); }
BENCHMARK(BM_CollectProcessorTime);

void BM_CollectAllProcessorCounters(benchmark::State& state) {
    collect(state, {"\\Processor(_Total)\\% Processor Time", "\\Processor(_Total)\\% Idle Time",
                    "\\Processor(_Total)\\% Interrupt Time", "\\Processor(_Total)\\Interrupts/sec",
                    "\\Processor(_Total)\\DPCs Queued/sec", "\\Processor(_Total)\\% C1 Time"});
}
BENCHMARK(BM_CollectAllProcessorCounters);

// What each memory tick and each transfer-graph tick pay: one memory-status
// read (meminfo, self/status) and the TCP and UDP records (net/snmp, the
// socket tables once a second).
void BM_MemoryStatus(benchmark::State& state) {
    auto sources = platform::createLinuxSources();
    platform::MemoryStatusEx m;
    for (auto _ : state) benchmark::DoNotOptimize(sources->memoryStatus(m));
}
BENCHMARK(BM_MemoryStatus);

void BM_TcpAndUdpStatistics(benchmark::State& state) {
    auto sources = platform::createLinuxSources();
    platform::MibTcpStats tcp;
    platform::MibUdpStats udp;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sources->tcpStatistics(tcp));
        benchmark::DoNotOptimize(sources->udpStatistics(udp));
    }
}
BENCHMARK(BM_TcpAndUdpStatistics);

// The single-processor page's clock estimate. Its first call times short
// waits: the time per call is what the interface thread waits then, and the
// spread of the figures (fastest minus slowest, in percent) how steady "Est.
// Speed" reads; run it with the processors busy to see what preemption
// does. Every later call takes one reading of both counters.
void BM_ClockEstimateWaits(benchmark::State& state) {
    platform::linux_backend::PerfClock clock;
    const std::int64_t frequency = clock.frequency();
    double low = 1e12, high = 0;
    for (auto _ : state) {
        const double mhz = estimateClockMhz(
            frequency, [&clock] { return clock.counter(); }, [] { return platform::linux_backend::timeStamp(); });
        low = std::min(low, mhz);
        high = std::max(high, mhz);
    }
    state.counters["MHz"] = high;
    state.counters["spread_pct"] = high > 0 ? 100.0 * (high - low) / high : 0;
}
BENCHMARK(BM_ClockEstimateWaits)->Unit(benchmark::kMillisecond);

void BM_ClockReading(benchmark::State& state) {
    platform::linux_backend::PerfClock clock;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            readClock([&clock] { return clock.counter(); }, [] { return platform::linux_backend::timeStamp(); }));
}
BENCHMARK(BM_ClockReading);

void BM_ConnectedState(benchmark::State& state) {
    auto sources = platform::createLinuxSources();
    std::uint32_t flags = 0;
    std::string name;
    for (auto _ : state) benchmark::DoNotOptimize(sources->connectedState(flags, name));
}
BENCHMARK(BM_ConnectedState);

}  // namespace
}  // namespace vel
