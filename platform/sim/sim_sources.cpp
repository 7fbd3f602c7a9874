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

long SimSources::openQuery(Query& out) {
    out = nextHandle_++;
    queries_.insert(out);
    return kPdhSuccess;
}

long SimSources::addCounter(Query query, const std::string& path, Counter& out) {
    out = 0;
    if (!queries_.count(query)) return kPdhInvalidHandle;
    SimCounter c;
    c.query = query;
    c.key = counterPathKey(path);
    long result = kPdhSuccess;
    const CounterPathResult parsed = parseProcessorCounterPath(path);
    c.processorPath = parsed.path;
    if (explicit_.count(c.key))
        c.added = true;
    else if (!parsed.path)
        result = parsed.status;
    else if (!parsed.path->isTotal() && parsed.path->processor >= processors_)
        result = kPdhCstatusNoInstance;
    else
        c.added = true;
    if (!c.added) c.status = kPdhCstatusNoCounter;
    out = nextHandle_++;
    counters_[out] = c;
    return result;
}

bool SimSources::currentValue(const SimCounter& c, double& value) const {
    auto it = explicit_.find(c.key);
    if (it != explicit_.end()) {
        value = it->second;
        return true;
    }
    if (!c.processorPath) return false;  // was set by path once, and is no longer
    const ProcessorCounterPath& p = *c.processorPath;
    if (!p.isTotal() && p.processor >= processors_) return false;
    const double load = p.isTotal() ? meanLoad() : loadOf(p.processor);
    switch (p.counter) {
    case ProcessorCounter::ProcessorTime:
        value = load;
        break;
    case ProcessorCounter::IdleTime:
        value = 100.0 - load;
        break;
    default:
        value = 0;
        break;
    }
    return true;
}

long SimSources::collectQueryData(Query query) {
    if (!queries_.count(query)) return kPdhInvalidHandle;
    for (auto& [handle, c] : counters_) {
        if (c.query != query || !c.added) continue;
        double value = 0;
        // As with PDH's rate counters, the first collection only starts the interval.
        const bool valid = ++c.collections > 1 && currentValue(c, value);
        c.value = valid ? value : 0;
        c.status = valid ? kPdhCstatusValidData : kPdhCstatusInvalidData;
    }
    return kPdhSuccess;
}

double SimSources::counterValue(Counter counter, long& status) {
    auto it = counters_.find(counter);
    if (it == counters_.end()) {
        status = kPdhInvalidHandle;
        return 0;
    }
    status = it->second.status;
    return it->second.value;
}

long SimSources::removeCounter(Counter counter) { return counters_.erase(counter) ? kPdhSuccess : kPdhInvalidHandle; }

long SimSources::closeQuery(Query query) {
    if (!queries_.erase(query)) return kPdhInvalidHandle;
    std::erase_if(counters_, [query](const auto& entry) { return entry.second.query == query; });
    return kPdhSuccess;
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
