#include "platform/sim/sim_sources.h"

#include <cmath>

namespace vel::platform {

namespace {

void writeUsage(MemoryRegistry& registry, const char* key, int percent) {
    registry.writeValue(RegRoot::DynData, key, kCpuUsageValue,
                        MemoryRegistry::dwordValue(static_cast<std::uint32_t>(percent)));
}

int roundedPercent(double v) { return static_cast<int>(std::nearbyint(v)); }

std::string processorTimeKey(std::uint32_t processor) {
    return counterPathKey("\\Processor(" + std::to_string(processor) + ")\\% Processor Time");
}

}  // namespace

void declare9x(MemoryRegistry& registry, int usagePercent) {
    writeUsage(registry, kPerfStatsStart, usagePercent);
    writeUsage(registry, kPerfStatsData, usagePercent);
    writeUsage(registry, kPerfStatsStop, usagePercent);
}

void setCpuUsage9x(MemoryRegistry& registry, int usagePercent) { writeUsage(registry, kPerfStatsData, usagePercent); }

MemoryStatusEx SimSources::defaultMemory() {
    // An ordinary machine: 1 GiB of memory, half of it in use.
    MemoryStatusEx m;
    m.memoryLoad = 50;
    m.totalPhys = std::uint64_t{1} << 30;
    m.availPhys = std::uint64_t{1} << 29;
    m.totalPageFile = std::uint64_t{2} << 30;
    m.availPageFile = std::uint64_t{3} << 29;
    m.totalVirtual = std::uint64_t{2} << 30;
    m.availVirtual = (std::uint64_t{2} << 30) - (std::uint64_t{64} << 20);
    return m;
}

double SimSources::loadOf(std::uint32_t processor) const {
    auto it = loads_.find(processor);
    return it == loads_.end() ? 0.0 : it->second;
}

double SimSources::meanLoad() const {
    if (processors_ == 0) return 0;
    double sum = 0;
    for (std::uint32_t p = 0; p < processors_; ++p) sum += loadOf(p);
    return sum / processors_;
}

void SimSources::setLoad(std::uint32_t processor, double percent) {
    loads_[processor] = percent;
    explicit_.erase(processorTimeKey(processor));
    if (registry9x_) setCpuUsage9x(roundedPercent(meanLoad()));
}

void SimSources::setCounter(const std::string& path, double value) { explicit_[counterPathKey(path)] = value; }

void SimSources::setFeature(int feature, bool present) {
    if (present)
        features_.insert(feature);
    else
        features_.erase(feature);
}

void SimSources::setConnection(std::uint32_t flags, const std::string& name, int result) {
    connectionFlags_ = flags;
    connectionName_ = name;
    connectionResult_ = result;
}

void SimSources::advanceTcp(std::uint32_t inSegs, std::uint32_t outSegs) {
    tcp_.dwInSegs += inSegs;
    tcp_.dwOutSegs += outSegs;
}

void SimSources::advanceUdp(std::uint32_t inDatagrams, std::uint32_t outDatagrams) {
    udp_.dwInDatagrams += inDatagrams;
    udp_.dwOutDatagrams += outDatagrams;
}

void SimSources::declare9x(MemoryRegistry& registry) {
    registry9x_ = &registry;
    platform::declare9x(registry, roundedPercent(meanLoad()));
}

void SimSources::setCpuUsage9x(int percent) {
    if (registry9x_) platform::setCpuUsage9x(*registry9x_, percent);
}

bool SimSources::memoryStatus(MemoryStatusEx& out) {
    out = memoryOk_ ? memory_ : MemoryStatusEx{};
    return memoryOk_;
}

int SimSources::connectedState(std::uint32_t& flags, std::string& name) {
    flags = connectionFlags_;
    name = connectionName_;
    return connectionResult_;
}

}  // namespace vel::platform
