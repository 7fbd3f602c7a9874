// The logger on a four-processor simulated machine with every writer on:
// one log tick (42 lines formed into the buffers), and one flush of a whole
// cycle's lines (301 ticks at one a second, five minutes) to the six files.
#include <benchmark/benchmark.h>

#include "tests/unit/log_rig.h"

namespace vel {
namespace {

constexpr const char* kAllWriters = "LOGEnable=1\nLOGTiming=10\nLOGWrite=5\ncapCPU=1\ncapMEM=1\ncapNET=1\n";

void BM_LogTick(benchmark::State& state) {
    test::LogRig rig(4);
    rig.start(kAllWriters);
    LogWriter& log = rig.log();
    const std::int16_t n = LogWriter::flushTicks(10, 5);
    rig.ticks(n + 1);  // warm: one whole cycle, flush included
    std::uint32_t segs = 0;
    for (auto _ : state) {
        rig.m.sim.simSources().advanceTcp(++segs % 7, 3);
        if (log.flushCounter() == n) {
            // The flush tick is measured below, on its own.
            state.PauseTiming();
            rig.engine().tmrLOG_Timer();
            state.ResumeTiming();
            continue;
        }
        rig.engine().tmrLOG_Timer();
    }
}
BENCHMARK(BM_LogTick)->Unit(benchmark::kMicrosecond);

void BM_LogFlushOfFiveMinutes(benchmark::State& state) {
    test::LogRig rig(4);
    rig.start(kAllWriters);
    const std::int16_t n = LogWriter::flushTicks(10, 5);
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rig.ticks(n);
        for (int i = 0; i < kLogCount; ++i) bytes += rig.log().buffer(i).text.size();
        state.ResumeTiming();
        rig.engine().tmrLOG_Timer();  // the (N + 1)-th tick: its lines, then the flush
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_LogFlushOfFiveMinutes)->Unit(benchmark::kMicrosecond)->Iterations(40);

}  // namespace
}  // namespace vel
