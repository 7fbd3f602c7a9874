// PDH counter queries with a fallback: a processor counter that PDH cannot
// add is computed from the kernel's processor times instead, so the meters
// still move where the counter registry lacks it (Wine, a damaged or
// partly localized Windows). Other counters that cannot be added read 0
// with an invalid status, as PDH's own do.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/sources_api.h"
#include "platform/win32/processor_times.h"

namespace vel::platform::win32 {

// The PDH calls the queries make; pdh.dll's, or a test's.
class PdhApi {
public:
    virtual ~PdhApi() = default;
    using Handle = std::uintptr_t;
    virtual long openQuery(Handle& query) = 0;
    // By the English path where the system can, else by the path as given.
    virtual long addCounter(Handle query, const std::string& path, Handle& counter) = 0;
    virtual long collect(Handle query) = 0;
    virtual long value(Handle counter, double& value, long& status) = 0;
    virtual long removeCounter(Handle counter) = 0;
    virtual long closeQuery(Handle query) = 0;
};

// pdh.dll, with PdhAddEnglishCounterA when it has it (Vista on).
std::unique_ptr<PdhApi> createSystemPdh();

class CounterQueries {
public:
    CounterQueries(std::unique_ptr<PdhApi> pdh, ProcessorTimesReader readTimes);
    ~CounterQueries();

    long openQuery(Sources::Query& out);
    long addCounter(Sources::Query query, const std::string& path, Sources::Counter& out);
    long collectQueryData(Sources::Query query);
    double counterValue(Sources::Counter counter, long& status);
    long removeCounter(Sources::Counter counter);
    long closeQuery(Sources::Query query);

    // How a counter is answered, for tests and diagnostics.
    enum class Path { Pdh, ProcessorTimes, None };
    Path pathOf(Sources::Counter counter) const;

private:
    struct CounterState {
        Path path = Path::None;
        PdhApi::Handle pdh = 0;
        ProcessorCounterPath processor;
        std::optional<ProcessorTimes> previous, current;
    };
    struct QueryState {
        PdhApi::Handle pdh = 0;
        std::map<Sources::Counter, std::unique_ptr<CounterState>> counters;
    };
    QueryState* queryOf(Sources::Query query);
    CounterState* counterOf(Sources::Counter counter) const;

    std::unique_ptr<PdhApi> pdh_;
    ProcessorTimesReader readTimes_;
    std::map<Sources::Query, std::unique_ptr<QueryState>> queries_;
    std::uintptr_t nextHandle_ = 1;
};

}  // namespace vel::platform::win32
