#include "sources/memory_status.h"

namespace vel {

std::optional<Decimal4> largeCount(std::uint64_t count) {
    std::int64_t raw = 0;
    if (count > static_cast<std::uint64_t>(INT64_MAX) || __builtin_mul_overflow(static_cast<std::int64_t>(count), 10000, &raw))
        return std::nullopt;
    return Decimal4{raw};
}

namespace {

// One pool: total and available from the record, used as their difference.
void fillPool(std::uint64_t total, std::uint64_t avail, Decimal4& totalOut, Decimal4& availOut, Decimal4& usedOut) {
    if (auto t = largeCount(total)) totalOut = *t;
    if (auto a = largeCount(avail)) availOut = *a;
    usedOut = totalOut - availOut;
}

}  // namespace

void refreshMemorySnapshot(platform::Sources& sources, MemorySnapshot& s) {
    platform::MemoryStatusEx record;
    record.length = 64;
    if (!sources.memoryStatus(record)) return;
    fillPool(record.totalPhys, record.availPhys, s.TotalPhys, s.AvailPhys, s.UsedPhys);
    fillPool(record.totalPageFile, record.availPageFile, s.TotalPageFile, s.AvailPageFile, s.UsedPageFile);
    fillPool(record.totalVirtual, record.availVirtual, s.TotalVirtual, s.AvailVirtual, s.UsedVirtual);
    const Decimal4 used = s.UsedPhys + s.UsedVirtual + s.UsedPageFile;
    const Decimal4 total = s.TotalPhys + s.TotalVirtual + s.TotalPageFile;
    if (total.raw == 0) return;  // the division fails; the load keeps its value
    s.CombinedLoad = Decimal4::fromDouble(used.toDouble() / total.toDouble());
}

}  // namespace vel
