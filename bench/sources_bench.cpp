// Cost of one counter collection on this machine's own /proc: what every
// CPU tick pays per sampler. Variants: one processor's time (reads
// /proc/stat), and the full processor set of one query (stat, interrupts,
// softirqs and, where the kernel has cpuidle, the C1 residency files).
#include <benchmark/benchmark.h>

#include "platform/linux/linux_sources.h"

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

}  // namespace
}  // namespace vel
