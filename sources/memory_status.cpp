#include "sources/memory_status.h"

#include <algorithm>

namespace vel {

std::optional<Decimal4> largeCount(std::uint64_t count) {
    std::int64_t raw = 0;
    if (count > static_cast<std::uint64_t>(INT64_MAX) || __builtin_mul_overflow(static_cast<std::int64_t>(count), 10000, &raw))
        return std::nullopt;
    return Decimal4{raw};
}

namespace {

// The virtual pool as a 32-bit process sees it: a 64-bit build's 128 TB
// address space would pin the combined load at 0 and the free share at 100.
constexpr std::uint64_t kVirtualLimit = std::uint64_t{2} << 30;

// One pool: total and available from the record, used as their difference.
void fillPool(std::uint64_t total, std::uint64_t avail, Decimal4& totalOut, Decimal4& availOut, Decimal4& usedOut) {
    if (auto t = largeCount(total)) totalOut = *t;
    if (auto a = largeCount(avail)) availOut = *a;
    usedOut = totalOut - availOut;
}

// The virtual pool: its total shrinks to 2 GiB, the process's own
// reservations (reported total less reported available) stay the used
// amount, and what is left of the 2 GiB, if anything, is available.
void fillVirtualPool(std::uint64_t total, std::uint64_t avail, MemorySnapshot& s) {
    const std::uint64_t used = total > avail ? total - avail : 0;
    total = std::min(total, kVirtualLimit);
    s.TotalVirtual = *largeCount(total);
    s.AvailVirtual = *largeCount(total > used ? total - used : 0);
    if (auto u = largeCount(used)) s.UsedVirtual = *u;
}

std::optional<Decimal4> checkedSum(Decimal4 a, Decimal4 b, Decimal4 c) {
    std::int64_t ab = 0, abc = 0;
    if (__builtin_add_overflow(a.raw, b.raw, &ab) || __builtin_add_overflow(ab, c.raw, &abc)) return std::nullopt;
    return Decimal4{abc};
}

}  // namespace

void refreshMemorySnapshot(platform::Sources& sources, MemorySnapshot& s) {
    platform::MemoryStatusEx record;
    record.length = 64;
    if (!sources.memoryStatus(record)) return;
    fillPool(record.totalPhys, record.availPhys, s.TotalPhys, s.AvailPhys, s.UsedPhys);
    fillPool(record.totalPageFile, record.availPageFile, s.TotalPageFile, s.AvailPageFile, s.UsedPageFile);
    fillVirtualPool(record.totalVirtual, record.availVirtual, s);
    // A sum that does not fit is a step that fails: the load keeps its value.
    const auto used = checkedSum(s.UsedPhys, s.UsedVirtual, s.UsedPageFile);
    const auto total = checkedSum(s.TotalPhys, s.TotalVirtual, s.TotalPageFile);
    if (!used || !total || total->raw == 0) return;  // nor does a division by zero
    s.CombinedLoad = Decimal4::fromDouble(used->toDouble() / total->toDouble());
}

}  // namespace vel
