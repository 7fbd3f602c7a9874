#include "platform/win32/counters.h"

#include "platform/common/counter_path.h"

namespace vel::platform::win32 {

CounterQueries::CounterQueries(std::unique_ptr<PdhApi> pdh, ProcessorTimesReader readTimes)
    : pdh_(std::move(pdh)), readTimes_(std::move(readTimes)) {}

CounterQueries::~CounterQueries() {
    while (!queries_.empty()) closeQuery(queries_.begin()->first);
}

CounterQueries::QueryState* CounterQueries::queryOf(Sources::Query query) {
    auto it = queries_.find(query);
    return it == queries_.end() ? nullptr : it->second.get();
}

CounterQueries::CounterState* CounterQueries::counterOf(Sources::Counter counter) const {
    for (const auto& [handle, q] : queries_) {
        auto it = q->counters.find(counter);
        if (it != q->counters.end()) return it->second.get();
    }
    return nullptr;
}

long CounterQueries::openQuery(Sources::Query& out) {
    auto q = std::make_unique<QueryState>();
    // Without PDH at all, the processor times still answer.
    if (pdh_ && pdh_->openQuery(q->pdh) != kPdhSuccess) q->pdh = 0;
    out = nextHandle_++;
    queries_[out] = std::move(q);
    return kPdhSuccess;
}

long CounterQueries::addCounter(Sources::Query query, const std::string& path, Sources::Counter& out) {
    out = 0;
    QueryState* q = queryOf(query);
    if (!q) return kPdhInvalidHandle;
    auto c = std::make_unique<CounterState>();
    long rc = kPdhCstatusNoCounter;
    if (q->pdh) {
        rc = pdh_->addCounter(q->pdh, path, c->pdh);
        if (rc == kPdhSuccess) c->path = Path::Pdh;
    }
    if (c->path == Path::None) {
        const CounterPathResult parsed = parseProcessorCounterPath(path);
        if (parsed.path && computableFromTimes(parsed.path->counter)) {
            c->path = Path::ProcessorTimes;
            c->processor = *parsed.path;
            rc = kPdhSuccess;
        } else if (!parsed.path) {
            rc = parsed.status;
        }
    }
    out = nextHandle_++;
    q->counters[out] = std::move(c);
    return rc;
}

long CounterQueries::collectQueryData(Sources::Query query) {
    QueryState* q = queryOf(query);
    if (!q) return kPdhInvalidHandle;
    bool needPdh = false, needTimes = false;
    for (const auto& [handle, c] : q->counters) {
        needPdh |= c->path == Path::Pdh;
        needTimes |= c->path == Path::ProcessorTimes;
    }
    long rc = kPdhSuccess;
    if (needPdh) rc = pdh_->collect(q->pdh);
    if (!needTimes) return rc;
    ProcessorSample sample;
    if (!readTimes_ || !readTimes_(sample)) return needPdh ? rc : kPdhCstatusNoCounter;
    for (auto& [handle, c] : q->counters) {
        if (c->path != Path::ProcessorTimes) continue;
        const ProcessorCounterPath& p = c->processor;
        std::optional<ProcessorTimes> now;
        if (p.isTotal())
            now = sample.total;
        else if (p.processor < sample.processors.size())
            now = sample.processors[p.processor];
        c->previous = c->current;
        c->current = now;  // a processor that went away reads invalid
    }
    return rc;
}

double CounterQueries::counterValue(Sources::Counter counter, long& status) {
    CounterState* c = counterOf(counter);
    status = kPdhCstatusInvalidData;
    if (!c) {
        status = kPdhCstatusNoCounter;
        return 0;
    }
    switch (c->path) {
        case Path::Pdh: {
            double v = 0;
            if (pdh_->value(c->pdh, v, status) != kPdhSuccess) return 0;
            return v;
        }
        case Path::ProcessorTimes: {
            if (!c->previous || !c->current) return 0;
            const std::optional<double> v = counterFromTimes(c->processor.counter, *c->previous, *c->current);
            if (!v) return 0;
            status = kPdhCstatusValidData;
            return *v;
        }
        case Path::None:
            status = kPdhCstatusNoCounter;
            return 0;
    }
    return 0;
}

long CounterQueries::removeCounter(Sources::Counter counter) {
    for (auto& [handle, q] : queries_) {
        auto it = q->counters.find(counter);
        if (it == q->counters.end()) continue;
        if (it->second->path == Path::Pdh) pdh_->removeCounter(it->second->pdh);
        q->counters.erase(it);
        return kPdhSuccess;
    }
    return kPdhInvalidHandle;
}

long CounterQueries::closeQuery(Sources::Query query) {
    auto it = queries_.find(query);
    if (it == queries_.end()) return kPdhInvalidHandle;
    // Closing a PDH query removes its counters with it.
    if (it->second->pdh) pdh_->closeQuery(it->second->pdh);
    queries_.erase(it);
    return kPdhSuccess;
}

CounterQueries::Path CounterQueries::pathOf(Sources::Counter counter) const {
    const CounterState* c = counterOf(counter);
    return c ? c->path : Path::None;
}

}  // namespace vel::platform::win32
