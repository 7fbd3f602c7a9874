#include "sources/system_metrics.h"

#include <algorithm>

namespace vel {

namespace {
constexpr const char* kTitle = "Brinlake";
}

clsSystemMetrics::clsSystemMetrics(platform::Platform& os) : os_(os) {
    processors_ = os_.sources().numberOfProcessors();
}

std::uint8_t clsSystemMetrics::Number_Of_Processors() {
    if (processors_ > 255) {
        os_.messageBox("Overflow in Number Of Processors", kTitle, platform::mb::Critical);
        return 0;
    }
    return static_cast<std::uint8_t>(processors_);
}

std::int32_t clsSystemMetrics::GetCPUSpeed(std::int16_t& processor) {
    if (const auto rated = os_.sources().ratedClockMhz(static_cast<std::uint32_t>(std::max<std::int16_t>(processor, 0))))
        return static_cast<std::int32_t>(*rated);
    platform::Registry& registry = os_.registry();
    processorKey_ = std::string(kCentralProcessorKey) + std::to_string(processor);
    platform::Registry::Key key = 0;
    if (registry.openKey(platform::RegRoot::LocalMachine, processorKey_, key) != platform::kErrorSuccess) return 0;
    platform::RegValue value;
    std::int32_t mhz = 0;
    if (registry.queryValue(key, "~MHz", value) == platform::kErrorSuccess && value.data.size() >= 4) {
        const auto& d = value.data;
        mhz = static_cast<std::int32_t>(std::uint32_t{d[0]} | std::uint32_t{d[1]} << 8 | std::uint32_t{d[2]} << 16 |
                                        std::uint32_t{d[3]} << 24);
    }
    registry.closeKey(key);
    return mhz;
}

std::int32_t clsSystemMetrics::ScreenX() { return os_.screenSize().width - 1; }
std::int32_t clsSystemMetrics::ScreenY() { return os_.screenSize().height - 1; }

}  // namespace vel
