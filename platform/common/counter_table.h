// The handles of PDH-style queries and counters for sources whose counters
// are plain records with `query`, `value` and `status`: handles are never
// 0, a removed counter or closed query reads as an invalid handle.
#pragma once

#include <cstdint>
#include <iterator>
#include <map>
#include <set>

#include "platform/common/counter_path.h"
#include "platform/sources_api.h"

namespace vel::platform {

template <class Record>
class CounterTable {
public:
    long openQuery(Sources::Query& out) {
        out = nextHandle_++;
        queries_.insert(out);
        return kPdhSuccess;
    }
    bool hasQuery(Sources::Query query) const { return queries_.count(query) > 0; }
    Sources::Counter add(const Record& record) {
        const Sources::Counter handle = nextHandle_++;
        counters_[handle] = record;
        return handle;
    }
    // Calls visit(record) for each counter of the query.
    template <class Visit>
    void forEachIn(Sources::Query query, Visit&& visit) {
        for (auto& [handle, record] : counters_)
            if (record.query == query) visit(record);
    }
    double value(Sources::Counter counter, long& status) const {
        auto it = counters_.find(counter);
        if (it == counters_.end()) {
            status = kPdhInvalidHandle;
            return 0;
        }
        status = it->second.status;
        return it->second.value;
    }
    long remove(Sources::Counter counter) { return counters_.erase(counter) ? kPdhSuccess : kPdhInvalidHandle; }
    long closeQuery(Sources::Query query) {
        if (!queries_.erase(query)) return kPdhInvalidHandle;
        std::erase_if(counters_, [query](const auto& entry) { return entry.second.query == query; });
        return kPdhSuccess;
    }

private:
    std::set<Sources::Query> queries_;
    std::map<Sources::Counter, Record> counters_;
    std::uintptr_t nextHandle_ = 1;
};

}  // namespace vel::platform
