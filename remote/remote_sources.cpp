#include "remote/remote_sources.h"

#include <algorithm>
#include <cmath>

#include "platform/common/mib_fields.h"
#include "platform/common/processor_features.h"
#include "remote/remote_hardware.h"

namespace vel::remote {

using namespace vel::platform;

namespace {

// One Windows processor group, as on the local machine.
constexpr std::size_t kMaxProcessors = 64;
// No process of ours runs on that machine: its address space is the whole
// x86-64 user space, all of it free (the snapshot shows 2 GiB of it).
constexpr std::uint64_t kVirtualSpace = std::uint64_t{128} << 40;
// Byte counts past 128 PiB are no machine's, and the load's sums would wrap.
constexpr double kMostBytes = 144115188075855872.0;  // 2^57

bool isPercent(ProcessorCounter c) {
    return c != ProcessorCounter::InterruptsPerSec && c != ProcessorCounter::DpcsQueuedPerSec;
}

// The low 32 bits, as IP Helper's counters wrap; -1 (MaxConn "dynamic")
// keeps its bits.
std::uint32_t low32(double v) {
    if (!std::isfinite(v)) return 0;
    double w = std::fmod(std::trunc(v), 4294967296.0);
    if (w < 0) w += 4294967296.0;
    return static_cast<std::uint32_t>(w);
}

std::optional<std::uint64_t> bytes(const ScrapeFigures& f, std::string_view name) {
    const std::optional<double> v = f.plainValue(name);
    if (!v || !(*v >= 0) || *v >= kMostBytes) return std::nullopt;
    return static_cast<std::uint64_t>(*v);
}

MibLookup netstatLookup(const ScrapeFigures& f) {
    return [&f](std::string_view protocol, std::string_view name, std::uint32_t& out) {
        std::string metric = "node_netstat_";
        metric.append(protocol).append("_").append(name);
        const std::optional<double> v = f.plainValue(metric);
        if (v) out = low32(*v);
        return v.has_value();
    };
}

// A record from the netstat metrics; zeroed and false without them.
template <class Record>
bool netRecord(const ScrapeFigures* f, bool (*fill)(const MibLookup&, Record&), Record& out) {
    if (f && fill(netstatLookup(*f), out)) return true;
    out = {};
    return false;
}

std::uint32_t countOf(const ScrapeFigures& f, std::string_view name) {
    return low32(f.plainValue(name).value_or(0));
}

}  // namespace

RemoteSources::RemoteSources(const ScrapeFeed& feed, std::string host) : feed_(feed), host_(std::move(host)) {}

RemoteSources::~RemoteSources() = default;

const ScrapeFigures* RemoteSources::figures() {
    std::shared_ptr<const Scrape> latest = feed_.latest();
    if (latest != scrape_) {
        scrape_ = std::move(latest);
        figures_.reset();
        if (scrape_ && scrape_->ok) {
            figures_ = readFigures(*scrape_);
            if (!figures_->cpus.empty())
                processors_ = static_cast<std::uint32_t>(std::min(figures_->cpus.size(), kMaxProcessors));
        }
    }
    return figures_ ? &*figures_ : nullptr;
}

std::uint32_t RemoteSources::numberOfProcessors() {
    figures();
    return processors_;
}

bool RemoteSources::processorFeaturePresent(int feature) {
    const ScrapeFigures* f = figures();
    const char* flag = cpuinfoFlagForFeature(feature);
    return f && flag && f->cpuFlags.count(std::string_view(flag)) > 0;
}

namespace {

// A processor's figure from a table by its number, in MHz; 0 when absent.
double megahertzOf(const ScrapeFigures* f, const std::map<std::uint64_t, double>& hz, std::uint32_t processor) {
    if (!f || processor >= f->cpuNumbers.size()) return 0.0;
    const auto it = hz.find(f->cpuNumbers[processor]);
    return it == hz.end() ? 0.0 : it->second / 1e6;
}

}  // namespace

std::optional<double> RemoteSources::reportedClockMhz(std::uint32_t processor) {
    const ScrapeFigures* f = figures();
    return f ? megahertzOf(f, f->clockHz, processor) : 0.0;
}

std::optional<std::uint32_t> RemoteSources::ratedClockMhz(std::uint32_t processor) {
    const ScrapeFigures* f = figures();
    const double mhz = f ? megahertzOf(f, f->maxClockHz, processor) : 0.0;
    return mhz >= 1 && mhz < 1e7 ? static_cast<std::uint32_t>(std::lround(mhz)) : 0u;
}

long RemoteSources::openQuery(Query& out) { return counters_.openQuery(out); }

long RemoteSources::addCounter(Query query, const std::string& path, Counter& out) {
    out = 0;
    if (!counters_.hasQuery(query)) return kPdhInvalidHandle;
    CounterState c;
    c.query = query;
    long result = kPdhSuccess;
    const CounterPathResult parsed = parseProcessorCounterPath(path);
    if (!parsed.path) {
        result = parsed.status;
    } else {
        c.path = *parsed.path;
        // Before the first answer the count is not known yet; a processor
        // it turns out not to have then reads as invalid data.
        const ScrapeFigures* f = figures();
        const std::size_t known = f ? f->cpus.size() : kMaxProcessors;
        if (!c.path.isTotal() && c.path.processor >= std::min(known, kMaxProcessors))
            result = kPdhCstatusNoInstance;
        else
            c.added = true;
    }
    if (!c.added) c.status = kPdhCstatusNoCounter;
    out = counters_.add(c);
    return result;
}

bool RemoteSources::sample(const ScrapeFigures& f, const CounterState& c, Raw& out) const {
    const ProcessorCounterPath& p = c.path;
    const bool total = p.isTotal();
    if (!total && p.processor >= f.cpus.size()) return false;
    switch (p.counter) {
    case ProcessorCounter::ProcessorTime:
    case ProcessorCounter::IdleTime:
    case ProcessorCounter::InterruptTime: {
        if (f.cpus.empty()) return false;
        const CpuSeconds& t = total ? f.allCpus : f.cpus[p.processor];
        out.base = t.total;
        out.atMs = t.atMs;
        out.part = p.counter == ProcessorCounter::ProcessorTime ? t.busy()
                   : p.counter == ProcessorCounter::IdleTime    ? t.idle
                                                                : t.interrupt;
        return true;
    }
    case ProcessorCounter::InterruptsPerSec: {
        std::optional<Reading> r;
        if (total) {
            r = f.interruptsAll;
        } else if (auto it = f.interruptsByCpu.find(f.cpuNumbers[p.processor]); it != f.interruptsByCpu.end()) {
            r = it->second;
        }
        if (!r) return false;
        out.part = r->value;
        out.base = static_cast<double>(r->atMs);
        out.atMs = r->atMs;
        return true;
    }
    case ProcessorCounter::C1Time:            // exporters publish no idle-state residency
    case ProcessorCounter::DpcsQueuedPerSec:  // nor softirq counts by default
        return false;
    }
    return false;
}

void RemoteSources::update(CounterState& c, bool sampled, const Raw& current, std::uint64_t sequence) {
    if (!sampled) {
        // The last good sample stays, so the next good scrape measures from it.
        c.value = 0;
        c.status = kPdhCstatusInvalidData;
        return;
    }
    // The same answer again, or a federating server that has not scraped
    // since: no news, so the last reading stands rather than an idle one.
    if (c.hasPrevious && (sequence == c.previousSequence || current.atMs == c.previous.atMs)) return;
    if (!c.hasPrevious || current.part < c.previous.part || current.base < c.previous.base) {
        // First sample, or the host restarted: the next interval starts here.
        c.previous = current;
        c.previousSequence = sequence;
        c.hasPrevious = true;
        c.value = 0;
        c.status = kPdhCstatusInvalidData;
        return;
    }
    if (current.base == c.previous.base) return;
    const double part = current.part - c.previous.part;
    const double base = current.base - c.previous.base;
    double value = isPercent(c.path.counter) ? 100.0 * part / base : part * 1000.0 / base;
    if (isPercent(c.path.counter)) value = std::clamp(value, 0.0, 100.0);
    const bool figure = std::isfinite(value);
    c.value = figure ? value : 0;
    c.status = figure ? kPdhCstatusValidData : kPdhCstatusInvalidData;
    c.previous = current;
    c.previousSequence = sequence;
}

long RemoteSources::collectQueryData(Query query) {
    if (!counters_.hasQuery(query)) return kPdhInvalidHandle;
    const ScrapeFigures* f = figures();
    const std::uint64_t sequence = scrape_ ? scrape_->sequence : 0;
    counters_.forEachIn(query, [&](CounterState& c) {
        if (!c.added) return;
        Raw current;
        // Sums of huge figures can overflow; such a sample says nothing.
        const bool sampled = f && sample(*f, c, current) && std::isfinite(current.part) && std::isfinite(current.base);
        update(c, sampled, current, sequence);
    });
    return kPdhSuccess;
}

double RemoteSources::counterValue(Counter counter, long& status) { return counters_.value(counter, status); }

long RemoteSources::removeCounter(Counter counter) { return counters_.remove(counter); }

long RemoteSources::closeQuery(Query query) { return counters_.closeQuery(query); }

bool RemoteSources::memoryStatus(MemoryStatusEx& out) {
    out = MemoryStatusEx{};
    const ScrapeFigures* f = figures();
    if (!f) return false;
    const std::optional<std::uint64_t> total = bytes(*f, "node_memory_MemTotal_bytes");
    if (!total || *total == 0) return false;
    std::optional<std::uint64_t> avail = bytes(*f, "node_memory_MemAvailable_bytes");
    if (!avail) {
        // Kernels before 3.14: free plus the page cache is the closest.
        const std::optional<std::uint64_t> free = bytes(*f, "node_memory_MemFree_bytes");
        if (!free) return false;
        avail = *free + bytes(*f, "node_memory_Buffers_bytes").value_or(0) +
                bytes(*f, "node_memory_Cached_bytes").value_or(0);
    }
    const std::uint64_t availPhys = std::min(*avail, *total);
    const std::uint64_t swapTotal = bytes(*f, "node_memory_SwapTotal_bytes").value_or(0);
    const std::uint64_t swapFree = std::min(bytes(*f, "node_memory_SwapFree_bytes").value_or(0), swapTotal);
    out.totalPhys = *total;
    out.availPhys = availPhys;
    out.memoryLoad = static_cast<std::uint32_t>(((*total - availPhys) * 100 + *total / 2) / *total);
    out.totalPageFile = *total + swapTotal;
    out.availPageFile = availPhys + swapFree;
    out.totalVirtual = out.availVirtual = kVirtualSpace;
    return true;
}

bool RemoteSources::ipStatistics(MibIpStats& out) {
    const ScrapeFigures* f = figures();
    if (!netRecord(f, fillIpStats, out)) return false;
    out.dwNumIf = static_cast<std::uint32_t>(f->networkDevices);
    return true;
}

bool RemoteSources::icmpStatistics(MibIcmp& out) { return netRecord(figures(), fillIcmpStats, out); }

bool RemoteSources::tcpStatistics(MibTcpStats& out) {
    const ScrapeFigures* f = figures();
    if (!netRecord(f, fillTcpStats, out)) return false;
    out.dwNumConns = countOf(*f, "node_sockstat_TCP_inuse") + countOf(*f, "node_sockstat_TCP_tw");
    return true;
}

bool RemoteSources::udpStatistics(MibUdpStats& out) {
    const ScrapeFigures* f = figures();
    if (!netRecord(f, fillUdpStats, out)) return false;
    out.dwNumAddrs = countOf(*f, "node_sockstat_UDP_inuse");
    return true;
}

int RemoteSources::connectedState(std::uint32_t& flags, std::string& name) {
    constexpr std::uint32_t kConnectionLan = 2;
    if (!figures()) {
        flags = 0;
        name.clear();
        return 0;
    }
    flags = kConnectionLan;
    name = host_;
    return 1;
}

bool RemoteSources::queryHardware(const std::string& wql, std::vector<HardwareObject>& out) {
    return answerHardwareQuery(figures(), wql, out);
}

}  // namespace vel::remote
