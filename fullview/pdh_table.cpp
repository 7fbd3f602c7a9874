#include "fullview/pdh_table.h"

namespace vel {

void PdhCounterTable::open() {
    close();
    query_ = {};
    open_ = sources_.openQuery(query_) == 0;
}

void PdhCounterTable::add(const std::string& path) {
    if (count_ < kCapacity) {
        Entry& e = entries_[count_];
        e.handle = {};
        e.path = path;
        if (open_) sources_.addCounter(query_, path, e.handle);
    }
    ++count_;
}

void PdhCounterTable::close() {
    if (open_) sources_.closeQuery(query_);
    open_ = false;
    query_ = {};
    for (int i = 0; i < count_ && i < kCapacity; ++i) entries_[i] = Entry{};
    count_ = 0;
}

}  // namespace vel
