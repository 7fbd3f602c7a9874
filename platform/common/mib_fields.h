// The IP Helper records filled field by field from counters named as the
// Linux kernel names them: a protocol ("Tcp") and a column ("InSegs"), as
// /proc/net/snmp lists them and node exporters publish them.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/sources_api.h"

namespace vel::platform {

// True and the counter's low 32 bits when the source has that counter.
using MibLookup = std::function<bool(std::string_view protocol, std::string_view name, std::uint32_t& out)>;

// Each zeroes the record, then fills what the lookup has; false when it
// had none of the record's counters.
bool fillIpStats(const MibLookup& lookup, MibIpStats& out);
bool fillIcmpStats(const MibLookup& lookup, MibIcmp& out);
bool fillTcpStats(const MibLookup& lookup, MibTcpStats& out);
bool fillUdpStats(const MibLookup& lookup, MibUdpStats& out);

}  // namespace vel::platform
