#include "sources/cpu_total_usage.h"

#include "core/vb.h"

namespace vel {

clsCPUTotalUsage::clsCPUTotalUsage(platform::Platform& os) : sources_(os.sources()) {
    // Failures are not examined: a counter that cannot be added reads 0.
    sources_.openQuery(query_);
    sources_.addCounter(query_, kPath, counter_);
    // The first collection sets the start of the first averaging interval.
    sources_.collectQueryData(query_);
}

clsCPUTotalUsage::~clsCPUTotalUsage() {
    if (counter_) sources_.removeCounter(counter_);
    if (query_) sources_.closeQuery(query_);
}

std::int32_t clsCPUTotalUsage::Usage() {
    sources_.collectQueryData(query_);
    long status = 0;
    const double value = sources_.counterValue(counter_, status);
    return toInt32(roundHalfEven(value)).value_or(0);
}

}  // namespace vel
