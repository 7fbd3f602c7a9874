// The memory snapshot: the three pools (physical, the process's virtual
// address space, page file) as four-place fixed-point byte counts, and the
// combined load. One snapshot per process, refreshed by each reader right
// before it reads.
#pragma once

#include <cstdint>
#include <optional>

#include "core/vb.h"
#include "platform/sources_api.h"

namespace vel {

struct MemorySnapshot {
    Decimal4 TotalPhys, AvailPhys, UsedPhys;
    Decimal4 TotalPageFile, AvailPageFile, UsedPageFile;
    Decimal4 TotalVirtual, AvailVirtual, UsedVirtual;
    Decimal4 CombinedLoad;
};

// A 64-bit count as a fixed-point decimal of the same numeric value;
// nullopt beyond what the decimal holds (about 922 terabytes).
std::optional<Decimal4> largeCount(std::uint64_t count);

// Asks the system once and fills the snapshot. A failed call leaves every
// field as it was; a step that cannot be done (a count too large, zero
// totals) leaves its fields and the next step runs.
void refreshMemorySnapshot(platform::Sources& sources, MemorySnapshot& snapshot);

}  // namespace vel
