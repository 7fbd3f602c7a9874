#include "sources/cpu_usage.h"

namespace vel {

namespace {

constexpr const char* kTitle = "Brinlake";

std::int32_t dwordOf(const platform::RegValue& value) {
    if (value.data.size() < 4) return 0;
    const auto& d = value.data;
    return static_cast<std::int32_t>(std::uint32_t{d[0]} | std::uint32_t{d[1]} << 8 | std::uint32_t{d[2]} << 16 |
                                     std::uint32_t{d[3]} << 24);
}

}  // namespace

std::string clsCPUUsage::counterPath(std::uint8_t processor) {
    return "\\Processor(" + std::to_string(processor) + ")\\% Processor Time";
}

clsCPUUsage::clsCPUUsage(platform::Platform& os, std::uint8_t processor) : os_(os), processor_(processor) {
    isNT_ = detectNT();
    try {
        if (isNT_)
            openNT();
        else
            open9x();
    } catch (const std::exception& e) {
        reportError(e, " in CPU Class Initialization");
    }
    // The first reading only starts the averaging interval, so the first
    // one a caller sees covers the time since construction.
    Usage();
}

clsCPUUsage::~clsCPUUsage() {
    try {
        platform::Sources& sources = os_.sources();
        if (isNT_) {
            if (counter_) sources.removeCounter(counter_);
            if (query_) sources.closeQuery(query_);
        } else {
            if (statData_) os_.registry().closeKey(statData_);
            touch9x(kStopStat);
        }
    } catch (const std::exception& e) {
        reportError(e, " in CPU Class Termination");
    }
}

bool clsCPUUsage::detectNT() {
    try {
        return os_.sources().platformId() == platform::kPlatformWin32NT;
    } catch (const std::exception& e) {
        reportError(e, " in CPU Class OS Initialization");
        return false;
    }
}

void clsCPUUsage::openNT() {
    // Failures are not examined: a counter that cannot be added reads 0.
    platform::Sources& sources = os_.sources();
    sources.openQuery(query_);
    sources.addCounter(query_, counterPath(processor_), counter_);
}

void clsCPUUsage::touch9x(const char* subKey) {
    platform::Registry& registry = os_.registry();
    platform::Registry::Key key = 0;
    if (registry.openKey(platform::RegRoot::DynData, subKey, key) != platform::kErrorSuccess) return;
    platform::RegValue ignored;
    registry.queryValue(key, kStatValue, ignored);
    registry.closeKey(key);
}

void clsCPUUsage::open9x() {
    touch9x(kStartStat);
    if (os_.registry().openKey(platform::RegRoot::DynData, kStatData, statData_) != platform::kErrorSuccess)
        statData_ = 0;
}

std::int32_t clsCPUUsage::read9x() {
    if (!statData_) return 0;
    platform::RegValue value;
    if (os_.registry().queryValue(statData_, kStatValue, value) != platform::kErrorSuccess) return 0;
    return dwordOf(value);
}

std::int32_t clsCPUUsage::Usage() {
    try {
        if (!isNT_) return read9x();
        platform::Sources& sources = os_.sources();
        sources.collectQueryData(query_);
        long status = 0;
        const double value = sources.counterValue(counter_, status);
        return toInt32(roundHalfEven(value)).value_or(0);
    } catch (const std::exception& e) {
        reportError(e, " in CPU Class Usage");
        os_.quit(0);
        return 0;
    }
}

Decimal4 clsCPUUsage::PerfFreq() {
    // Another machine's clock cannot be timed from here: it reports its own.
    if (const std::optional<double> reported = os_.sources().reportedClockMhz(processor_))
        return Decimal4::fromDouble(*reported);
    const std::int64_t frequency = os_.perfFrequency();
    if (frequency == 0) {
        os_.messageBox("Your hardware does not support a high-resolution performance counter!", kTitle,
                       platform::mb::Information);
        return Decimal4{0};
    }
    auto perf = [this] { return os_.perfCounter(); };
    auto stamp = [this] { return os_.timeStampCounter(); };
    const ClockReading now = readClock(perf, stamp);
    double mhz = clockBetween(lastClock_, now, frequency);
    if (mhz == 0) mhz = estimateClockMhz(frequency, perf, stamp);
    lastClock_ = now;
    return Decimal4::fromDouble(mhz);
}

void clsCPUUsage::reportError(const std::exception& e, const char* where) {
    os_.messageBox(std::string(e.what()) + where, kTitle, platform::mb::Critical);
}

}  // namespace vel
