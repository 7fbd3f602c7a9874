// Processor times as the kernel counts them, and the counter values PDH
// would compute from two samples. Where a PDH processor counter cannot be
// added (Wine has none; a damaged counter registry), the counters are
// computed from these.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/common/counter_path.h"

namespace vel::platform::win32 {

// In 100 ns units, as the kernel reports them; kernel includes idle.
struct ProcessorTimes {
    std::uint64_t idle = 0, kernel = 0, user = 0, interrupt = 0;
    std::uint64_t interrupts = 0;  // count since boot
    std::int64_t stamp = 0;        // when sampled, in 100 ns units of a monotonic clock
};

struct ProcessorSample {
    std::vector<ProcessorTimes> processors;
    ProcessorTimes total;
};

// The times of every processor and their sum: NtQuerySystemInformation per
// processor, or GetSystemTimes for the total alone when that is missing.
using ProcessorTimesReader = std::function<bool(ProcessorSample&)>;
ProcessorTimesReader systemProcessorTimesReader();

// True for the counters the processor times can answer.
bool computableFromTimes(ProcessorCounter counter);

// The counter's value over the interval between two samples; nullopt when
// the interval is empty or the counter cannot be computed.
std::optional<double> counterFromTimes(ProcessorCounter counter, const ProcessorTimes& before,
                                       const ProcessorTimes& after);

}  // namespace vel::platform::win32
