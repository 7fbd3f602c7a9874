// clsCPUUsage: the load of one processor as the modules show it, in whole
// percent. On the NT family it reads the PDH counter
// "\Processor(n)\% Processor Time" from a query of its own, one collection
// per read, so each reading is the average since the previous one. On the
// 9x family it reads the kernel's CPU-usage statistic from the dynamic-data
// registry (system-wide: every instance reads the same value).
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "core/vb.h"
#include "platform/platform.h"
#include "sources/system_metrics.h"

namespace vel {

class clsCPUUsage {
public:
    clsCPUUsage(platform::Platform& os, clsSystemMetrics& metrics, std::uint8_t processor, std::int16_t& fvsType);
    ~clsCPUUsage();
    clsCPUUsage(const clsCPUUsage&) = delete;
    clsCPUUsage& operator=(const clsCPUUsage&) = delete;

    // Percent busy since the previous reading, rounded half to even; 0 when
    // the figure cannot be read.
    std::int32_t Usage();
    // Busy-waits for the rated MHz of the Full View's processor times 10,000
    // perf-counter ticks and returns the ticks that passed, as a four-place
    // decimal of ticks / 10,000. 0 without a high-resolution counter.
    Decimal4 PerfFreq();

    bool IsNT() const { return isNT_; }
    static std::string counterPath(std::uint8_t processor);

    static constexpr const char* kStatValue = "KERNEL\\CPUUsage";
    static constexpr const char* kStartStat = "PerfStats\\StartStat";
    static constexpr const char* kStatData = "PerfStats\\StatData";
    static constexpr const char* kStopStat = "PerfStats\\StopStat";

private:
    bool detectNT();
    void openNT();
    void open9x();
    // Reads the statistic once from a key of the dynamic-data registry.
    void touch9x(const char* subKey);
    std::int32_t read9x();
    void reportError(const std::exception& e, const char* where);

    platform::Platform& os_;
    clsSystemMetrics& metrics_;
    std::uint8_t processor_;
    std::int16_t& fvsType_;
    bool isNT_ = true;
    platform::Sources::Query query_ = 0;
    platform::Sources::Counter counter_ = 0;
    platform::Registry::Key statData_ = 0;
};

}  // namespace vel
