// The processor counter paths the program asks for, e.g.
// "\Processor(0)\% Processor Time" or "\Processor(_Total)\Interrupts/sec",
// parsed the way PDH matches them: object, instance and counter names are
// case-insensitive. Shared by the Linux and simulated sources.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vel::platform {

// PDH answers beyond sources_api.h's set.
constexpr long kPdhSuccess = 0;
constexpr long kPdhCstatusNoObject = static_cast<long>(0xC0000BB8L);
constexpr long kPdhCstatusNoInstance = static_cast<long>(0x800007D1L);
constexpr long kPdhCstatusBadCounterName = static_cast<long>(0xC0000BC0L);
constexpr long kPdhInvalidHandle = static_cast<long>(0xC0000BBCL);

enum class ProcessorCounter {
    ProcessorTime,     // % Processor Time
    IdleTime,          // % Idle Time
    C1Time,            // % C1 Time
    InterruptTime,     // % Interrupt Time
    InterruptsPerSec,  // Interrupts/sec
    DpcsQueuedPerSec,  // DPCs Queued/sec
};

struct ProcessorCounterPath {
    ProcessorCounter counter = ProcessorCounter::ProcessorTime;
    // The processor number, or kTotal for the _Total instance.
    static constexpr std::uint32_t kTotal = 0xFFFFFFFFu;
    std::uint32_t processor = kTotal;
    bool isTotal() const { return processor == kTotal; }
};

// The parsed path, or the PDH status telling why it is not a processor
// counter (bad syntax, another object, an unknown counter name).
struct CounterPathResult {
    std::optional<ProcessorCounterPath> path;
    long status = 0;
};
CounterPathResult parseProcessorCounterPath(const std::string& path);

// Case-insensitive key for counter paths, so "\processor(0)\% processor
// time" and "\Processor(0)\% Processor Time" name the same counter.
std::string counterPathKey(const std::string& path);

}  // namespace vel::platform
