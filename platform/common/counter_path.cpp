#include "platform/common/counter_path.h"

#include <charconv>
#include <string_view>

#include "platform/common/memory_registry.h"
#include "platform/sources_api.h"

namespace vel::platform {

namespace {

struct CounterName {
    const char* lowerName;
    ProcessorCounter counter;
};

constexpr CounterName kCounterNames[] = {
    {"% processor time", ProcessorCounter::ProcessorTime},
    {"% idle time", ProcessorCounter::IdleTime},
    {"% c1 time", ProcessorCounter::C1Time},
    {"% interrupt time", ProcessorCounter::InterruptTime},
    {"interrupts/sec", ProcessorCounter::InterruptsPerSec},
    {"dpcs queued/sec", ProcessorCounter::DpcsQueuedPerSec},
};

}  // namespace

std::string counterPathKey(const std::string& path) { return lowerAscii(path); }

CounterPathResult parseProcessorCounterPath(const std::string& path) {
    const std::string lower = lowerAscii(path);
    std::string_view rest = lower;
    // "\object(instance)\counter"
    if (rest.size() < 2 || rest[0] != '\\' || rest[1] == '\\') return {std::nullopt, kPdhCstatusBadCounterName};
    rest.remove_prefix(1);
    const auto open = rest.find('(');
    const auto close = rest.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open ||
        close + 1 >= rest.size() || rest[close + 1] != '\\')
        return {std::nullopt, kPdhCstatusBadCounterName};
    if (rest.substr(0, open) != "processor") return {std::nullopt, kPdhCstatusNoObject};

    ProcessorCounterPath parsed;
    const std::string_view instance = rest.substr(open + 1, close - open - 1);
    if (instance == "_total") {
        parsed.processor = ProcessorCounterPath::kTotal;
    } else {
        std::uint32_t n = 0;
        const char* end = instance.data() + instance.size();
        auto [ptr, ec] = std::from_chars(instance.data(), end, n);
        if (instance.empty() || ec != std::errc() || ptr != end || n == ProcessorCounterPath::kTotal)
            return {std::nullopt, kPdhCstatusNoInstance};
        parsed.processor = n;
    }

    const std::string_view name = rest.substr(close + 2);
    for (const CounterName& known : kCounterNames) {
        if (name == known.lowerName) {
            parsed.counter = known.counter;
            return {parsed, kPdhCstatusValidData};
        }
    }
    return {std::nullopt, kPdhCstatusNoCounter};
}

}  // namespace vel::platform
