#include "platform/linux/counters.h"

#include <algorithm>

namespace vel::platform::linux_backend {

struct CounterQueries::CounterState {
    Sources::Counter handle = 0;
    bool added = false;
    ProcessorCounterPath path;  // processor: the kernel's number
    std::size_t slot = 0;       // the processor's place in the query's tables
    // % C1 Time: the residency file of every processor counted; the counter
    // stays unavailable when a processor has none.
    std::vector<ProcFile> idleFiles;
    bool idleUnavailable = false;
    bool hasPrevious = false;
    RawSample previous;
    double value = 0;
    long status = kPdhCstatusInvalidData;
};

struct CounterQueries::QueryState {
    std::vector<std::unique_ptr<CounterState>> counters;
    ProcFile stat, interrupts, softirqs;
    // The kernel's numbers of the processors its counters watch; the tables
    // below follow this list, so their size is the counters', never a
    // number read from a file.
    std::vector<std::uint32_t> watched;
    std::vector<CpuTimes> cpuTimes;
    CpuTimes allTimes;
    std::vector<ColumnSum> irqColumns, softColumns;
    std::uint64_t irqAll = 0, softAll = 0;
    std::vector<std::int32_t> columnScratch;
    bool statOk = false, irqOk = false, softOk = false;
};

namespace {

bool readsStat(ProcessorCounter c) {
    return c == ProcessorCounter::ProcessorTime || c == ProcessorCounter::IdleTime ||
           c == ProcessorCounter::InterruptTime;
}

bool isPercent(ProcessorCounter c) {
    return c != ProcessorCounter::InterruptsPerSec && c != ProcessorCounter::DpcsQueuedPerSec;
}

bool columnSample(bool fileOk, const std::vector<ColumnSum>& columns, std::uint64_t all, bool total,
                  std::size_t slot, std::uint64_t& out) {
    if (!fileOk) return false;
    if (total) {
        out = all;
        return true;
    }
    if (slot >= columns.size() || !columns[slot].present) return false;
    out = columns[slot].sum;
    return true;
}

}  // namespace

CounterQueries::CounterQueries(std::string procRoot, std::string sysRoot, MonotonicClock clock)
    : procRoot_(std::move(procRoot)), sysRoot_(std::move(sysRoot)), clock_(std::move(clock)) {}

CounterQueries::~CounterQueries() = default;

long CounterQueries::openQuery(Sources::Query& out) {
    auto q = std::make_unique<QueryState>();
    q->stat = ProcFile(procRoot_ + "/stat");
    q->interrupts = ProcFile(procRoot_ + "/interrupts");
    q->softirqs = ProcFile(procRoot_ + "/softirqs");
    out = nextHandle_++;
    queries_[out] = std::move(q);
    return kPdhSuccess;
}

void CounterQueries::prepareIdleFiles(CounterState& c, const std::vector<std::uint32_t>& online) {
    auto addFor = [&](std::uint32_t cpu) {
        const std::string file = findC1TimeFile(sysRoot_, cpu);
        if (file.empty())
            c.idleUnavailable = true;
        else
            c.idleFiles.emplace_back(file, 32);  // "123456789\n"
    };
    if (c.path.isTotal()) {
        for (std::uint32_t cpu : online) addFor(cpu);
        if (online.empty()) c.idleUnavailable = true;
    } else {
        addFor(c.path.processor);
    }
}

long CounterQueries::addCounter(Sources::Query query, const std::string& path, Sources::Counter& out) {
    out = 0;
    auto it = queries_.find(query);
    if (it == queries_.end()) return kPdhInvalidHandle;
    QueryState& q = *it->second;

    auto c = std::make_unique<CounterState>();
    c->handle = nextHandle_++;
    long result = kPdhSuccess;
    const CounterPathResult parsed = parseProcessorCounterPath(path);
    if (!parsed.path) {
        result = parsed.status;
    } else {
        c->path = *parsed.path;
        ProcFile stat(procRoot_ + "/stat");
        const auto online = stat.read() ? listStatProcessors(stat.text()) : std::vector<std::uint32_t>{};
        // Processor(n) is the n-th online processor, as Windows numbers them
        // without gaps; from here on the path holds the kernel's number.
        const bool exists = c->path.isTotal() || c->path.processor < online.size();
        if (exists && !c->path.isTotal()) c->path.processor = online[c->path.processor];
        if (!exists) {
            result = kPdhCstatusNoInstance;
        } else {
            c->added = true;
            if (c->path.counter == ProcessorCounter::C1Time) prepareIdleFiles(*c, online);
            if (!c->path.isTotal()) {
                auto at = std::find(q.watched.begin(), q.watched.end(), c->path.processor);
                c->slot = static_cast<std::size_t>(at - q.watched.begin());
                if (at == q.watched.end()) {
                    q.watched.push_back(c->path.processor);
                    // Size the per-processor tables now so collections need no growth.
                    q.cpuTimes.resize(q.watched.size());
                    q.irqColumns.resize(q.watched.size());
                    q.softColumns.resize(q.watched.size());
                }
            }
        }
    }
    if (!c->added) c->status = kPdhCstatusNoCounter;
    out = c->handle;
    counters_[out] = {&q, c.get()};
    q.counters.push_back(std::move(c));
    return result;
}

bool CounterQueries::sample(QueryState& q, CounterState& c, std::int64_t nowNs, RawSample& out) {
    const ProcessorCounterPath& p = c.path;
    out.base = static_cast<std::uint64_t>(nowNs);
    switch (p.counter) {
    case ProcessorCounter::ProcessorTime:
    case ProcessorCounter::IdleTime:
    case ProcessorCounter::InterruptTime: {
        if (!q.statOk) return false;
        const CpuTimes* t = &q.allTimes;
        if (!p.isTotal()) {
            if (c.slot >= q.cpuTimes.size()) return false;
            t = &q.cpuTimes[c.slot];
        }
        if (!t->present) return false;
        out.base = t->total;
        out.part = p.counter == ProcessorCounter::ProcessorTime ? t->busy()
                   : p.counter == ProcessorCounter::IdleTime    ? t->idle
                                                                : t->interrupt;
        return true;
    }
    case ProcessorCounter::C1Time: {
        if (c.idleUnavailable) return false;
        out.part = 0;
        std::uint64_t us = 0;
        for (ProcFile& f : c.idleFiles) {
            if (!f.read()) return false;
            std::string_view text = f.text();
            while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
            if (!parseU64(text, us)) return false;
            out.part += us;
        }
        return true;
    }
    case ProcessorCounter::InterruptsPerSec:
        return columnSample(q.irqOk, q.irqColumns, q.irqAll, p.isTotal(), c.slot, out.part);
    case ProcessorCounter::DpcsQueuedPerSec:
        return columnSample(q.softOk, q.softColumns, q.softAll, p.isTotal(), c.slot, out.part);
    }
    return false;
}

void CounterQueries::update(CounterState& c, bool sampled, const RawSample& current) {
    c.value = 0;
    c.status = kPdhCstatusInvalidData;
    // An unreadable sample leaves the previous one in place, so the next
    // good collection measures from the last good one.
    if (!sampled) return;
    if (!c.hasPrevious || current.part < c.previous.part || current.base < c.previous.base) {
        // First sample, or the source went backwards (a wrap or a reset):
        // this interval has no value, the next one starts here.
        c.previous = current;
        c.hasPrevious = true;
        return;
    }
    // No time passed (two collections within one tick): keep measuring
    // from the older sample.
    if (current.base == c.previous.base) return;

    const double part = static_cast<double>(current.part - c.previous.part);
    const double base = static_cast<double>(current.base - c.previous.base);
    double value = 0;
    switch (c.path.counter) {
    case ProcessorCounter::ProcessorTime:
    case ProcessorCounter::IdleTime:
    case ProcessorCounter::InterruptTime:
        value = 100.0 * part / base;
        break;
    case ProcessorCounter::C1Time:
        // Residency in microseconds over wall time in nanoseconds, averaged
        // over the processors counted.
        value = 100.0 * part * 1000.0 / base / static_cast<double>(c.idleFiles.size());
        break;
    case ProcessorCounter::InterruptsPerSec:
    case ProcessorCounter::DpcsQueuedPerSec:
        value = part * 1e9 / base;
        break;
    }
    if (isPercent(c.path.counter)) value = std::clamp(value, 0.0, 100.0);
    c.value = value;
    c.status = kPdhCstatusValidData;
    c.previous = current;
}

long CounterQueries::collectQueryData(Sources::Query query) {
    auto it = queries_.find(query);
    if (it == queries_.end()) return kPdhInvalidHandle;
    QueryState& q = *it->second;

    bool wantStat = false, wantIrq = false, wantSoft = false;
    for (const auto& c : q.counters) {
        if (!c->added) continue;
        wantStat |= readsStat(c->path.counter);
        wantIrq |= c->path.counter == ProcessorCounter::InterruptsPerSec;
        wantSoft |= c->path.counter == ProcessorCounter::DpcsQueuedPerSec;
    }
    const std::int64_t nowNs = clock_();
    if (wantStat) q.statOk = q.stat.read() && parseStat(q.stat.text(), q.watched, q.cpuTimes, q.allTimes);
    if (wantIrq)
        q.irqOk = q.interrupts.read() &&
                  sumCpuColumns(q.interrupts.text(), q.watched, q.irqColumns, q.irqAll, q.columnScratch);
    if (wantSoft)
        q.softOk = q.softirqs.read() &&
                   sumCpuColumns(q.softirqs.text(), q.watched, q.softColumns, q.softAll, q.columnScratch);

    for (const auto& c : q.counters) {
        if (!c->added) continue;
        RawSample current;
        const bool sampled = sample(q, *c, nowNs, current);
        update(*c, sampled, current);
    }
    return kPdhSuccess;
}

double CounterQueries::counterValue(Sources::Counter counter, long& status) {
    auto it = counters_.find(counter);
    if (it == counters_.end()) {
        status = kPdhInvalidHandle;
        return 0;
    }
    const CounterState& c = *it->second.second;
    status = c.status;
    return c.value;
}

long CounterQueries::removeCounter(Sources::Counter counter) {
    auto it = counters_.find(counter);
    if (it == counters_.end()) return kPdhInvalidHandle;
    auto& list = it->second.first->counters;
    const CounterState* target = it->second.second;
    list.erase(std::remove_if(list.begin(), list.end(), [&](const auto& c) { return c.get() == target; }),
               list.end());
    counters_.erase(it);
    return kPdhSuccess;
}

long CounterQueries::closeQuery(Sources::Query query) {
    auto it = queries_.find(query);
    if (it == queries_.end()) return kPdhInvalidHandle;
    for (const auto& c : it->second->counters) counters_.erase(c->handle);
    queries_.erase(it);
    return kPdhSuccess;
}

}  // namespace vel::platform::linux_backend
