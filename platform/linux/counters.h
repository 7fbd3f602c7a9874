// PDH-style processor counters on Linux. Each query reads only the files
// its counters need, once per collection; each counter keeps the raw sample
// of its own previous collection, so its value covers the time since then,
// as PDH's rate counters do. Rates are timed with the monotonic clock.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/common/counter_path.h"
#include "platform/linux/sources_proc.h"
#include "platform/sources_api.h"

namespace vel::platform::linux_backend {

using MonotonicClock = std::function<std::int64_t()>;  // nanoseconds

class CounterQueries {
public:
    CounterQueries(std::string procRoot, std::string sysRoot, MonotonicClock clock);
    ~CounterQueries();
    CounterQueries(const CounterQueries&) = delete;
    CounterQueries& operator=(const CounterQueries&) = delete;

    long openQuery(Sources::Query& out);
    long addCounter(Sources::Query query, const std::string& path, Sources::Counter& out);
    long collectQueryData(Sources::Query query);
    double counterValue(Sources::Counter counter, long& status);
    long removeCounter(Sources::Counter counter);
    long closeQuery(Sources::Query query);

private:
    struct RawSample {
        std::uint64_t part = 0;  // ticks, microseconds or events
        std::uint64_t base = 0;  // ticks or monotonic nanoseconds
    };
    struct CounterState;
    struct QueryState;

    bool sample(QueryState& q, CounterState& c, std::int64_t nowNs, RawSample& out);
    void update(CounterState& c, bool sampled, const RawSample& current);
    void prepareIdleFiles(CounterState& c, const std::vector<std::uint32_t>& online);

    std::string procRoot_, sysRoot_;
    MonotonicClock clock_;
    std::map<Sources::Query, std::unique_ptr<QueryState>> queries_;
    std::map<Sources::Counter, std::pair<QueryState*, CounterState*>> counters_;
    std::uintptr_t nextHandle_ = 1;
};

}  // namespace vel::platform::linux_backend
