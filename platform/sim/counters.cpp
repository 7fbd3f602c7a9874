// The simulated machine's counters, as PDH's behave: the first collection
// after adding has no data yet, and a counter reports the value current at
// its query's last collection.
#include <algorithm>

#include "platform/sim/sim_sources.h"

namespace vel::platform {

long SimSources::openQuery(Query& out) { return counters_.openQuery(out); }

long SimSources::addCounter(Query query, const std::string& path, Counter& out) {
    out = 0;
    if (!counters_.hasQuery(query)) return kPdhInvalidHandle;
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
    out = counters_.add(c);
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
    if (!counters_.hasQuery(query)) return kPdhInvalidHandle;
    counters_.forEachIn(query, [&](SimCounter& c) {
        if (!c.added) return;
        double value = 0;
        // As with PDH's rate counters, the first collection only starts the interval.
        const bool valid = ++c.collections > 1 && currentValue(c, value);
        c.value = valid ? value : 0;
        c.status = valid ? kPdhCstatusValidData : kPdhCstatusInvalidData;
    });
    return kPdhSuccess;
}

double SimSources::counterValue(Counter counter, long& status) { return counters_.value(counter, status); }

long SimSources::removeCounter(Counter counter) { return counters_.remove(counter); }

long SimSources::closeQuery(Query query) { return counters_.closeQuery(query); }

}  // namespace vel::platform
