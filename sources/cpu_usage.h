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
#include "sources/clock_estimate.h"

namespace vel {

class clsCPUUsage {
public:
    clsCPUUsage(platform::Platform& os, std::uint8_t processor);
    ~clsCPUUsage();
    clsCPUUsage(const clsCPUUsage&) = delete;
    clsCPUUsage& operator=(const clsCPUUsage&) = delete;

    // Percent busy since the previous reading, rounded half to even; 0 when
    // the figure cannot be read.
    std::int32_t Usage();
    // The processor's clock in MHz from its time-stamp counter, timed with
    // the high-resolution counter since the previous call, or over a few
    // waits of 1 ms when there was none (sources/clock_estimate.h). 0
    // without either counter. Another machine's is the clock it reports.
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
    std::uint8_t processor_;
    bool isNT_ = true;
    platform::Sources::Query query_ = 0;
    platform::Sources::Counter counter_ = 0;
    platform::Registry::Key statData_ = 0;
    ClockReading lastClock_;  // none yet: its stamp is 0
};

}  // namespace vel
