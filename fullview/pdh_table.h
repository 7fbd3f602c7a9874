// The Full View's performance-data query and its table of counters: one
// query at a time, up to 100 positions, read back by position.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/sources_api.h"

namespace vel {

class PdhCounterTable {
public:
    static constexpr int kCapacity = 100;
    struct Entry {
        platform::Sources::Counter handle{};
        std::string path;
    };

    explicit PdhCounterTable(platform::Sources& sources) : sources_(sources) {}
    ~PdhCounterTable() { close(); }
    PdhCounterTable(const PdhCounterTable&) = delete;
    PdhCounterTable& operator=(const PdhCounterTable&) = delete;

    // A fresh query (the open one is closed first).
    void open();
    // Adds a counter at the next position; a counter the system refuses
    // still takes its position. Positions past the capacity are not kept.
    void add(const std::string& path);
    // Closes the query and empties the table.
    void close();

    bool isOpen() const { return open_; }
    int count() const { return count_; }
    const Entry& entry(int position) const { return entries_[position]; }
    platform::Sources::Query query() const { return query_; }

private:
    platform::Sources& sources_;
    platform::Sources::Query query_{};
    bool open_ = false;
    std::array<Entry, kCapacity> entries_{};
    std::int32_t count_ = 0;
};

}  // namespace vel
