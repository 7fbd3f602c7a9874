#include "platform/linux/sources_net.h"

#include <charconv>
#include <set>

#include "platform/common/mib_fields.h"
#include "platform/linux/sources_proc.h"

namespace vel::platform::linux_backend {

namespace {

bool parseI64(std::string_view text, std::int64_t& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    if (ec == std::errc() && ptr == end && !text.empty()) return true;
    // Counters beyond the signed range still read as their low bits.
    std::uint64_t u = 0;
    if (!parseU64(text, u)) return false;
    out = static_cast<std::int64_t>(u);
    return true;
}

}  // namespace

bool snmpValue(std::string_view snmp, std::string_view protocol, std::string_view name, std::uint32_t& out) {
    std::string_view rest = snmp, header, values;
    while (nextLine(rest, header)) {
        std::string_view h = header, label;
        if (!nextField(h, label) || label.size() != protocol.size() + 1 || label.substr(0, protocol.size()) != protocol ||
            label.back() != ':')
            continue;
        // The value line follows its header line.
        if (!nextLine(rest, values)) return false;
        std::string_view v = values, vLabel, key, number;
        if (!nextField(v, vLabel) || vLabel != label) return false;
        while (nextField(h, key)) {
            if (!nextField(v, number)) return false;
            if (key != name) continue;
            std::int64_t value = 0;
            if (!parseI64(number, value)) return false;
            out = static_cast<std::uint32_t>(value);
            return true;
        }
        return false;
    }
    return false;
}

namespace {

MibLookup snmpLookup(std::string_view snmp) {
    return [snmp](std::string_view protocol, std::string_view name, std::uint32_t& out) {
        return snmpValue(snmp, protocol, name, out);
    };
}

}  // namespace

bool parseIpStats(std::string_view snmp, MibIpStats& s) { return fillIpStats(snmpLookup(snmp), s); }
bool parseIcmpStats(std::string_view snmp, MibIcmp& m) { return fillIcmpStats(snmpLookup(snmp), m); }
bool parseTcpStats(std::string_view snmp, MibTcpStats& s) { return fillTcpStats(snmpLookup(snmp), s); }
bool parseUdpStats(std::string_view snmp, MibUdpStats& s) { return fillUdpStats(snmpLookup(snmp), s); }

std::uint32_t countEntries(std::string_view text, int headerLines) {
    std::uint32_t n = 0;
    std::string_view line, field;
    for (int i = 0; nextLine(text, line); ++i) {
        std::string_view rest = line;
        if (i >= headerLines && nextField(rest, field)) ++n;
    }
    return n;
}

std::optional<std::uint32_t> sockstatSockets(std::string_view sockstat, std::string_view protocol) {
    std::string_view line, field;
    while (nextLine(sockstat, line)) {
        std::string_view rest = line;
        if (!nextField(rest, field) || field.size() != protocol.size() + 1 || field.substr(0, protocol.size()) != protocol ||
            field.back() != ':')
            continue;
        std::uint64_t total = 0;
        bool found = false;
        std::string_view name, value;
        while (nextField(rest, name) && nextField(rest, value)) {
            if (name != "inuse" && name != "tw") continue;
            std::uint64_t n = 0;
            if (!parseU64(value, n)) return std::nullopt;
            total += n;
            found = found || name == "inuse";
        }
        if (!found) return std::nullopt;
        return static_cast<std::uint32_t>(total);
    }
    return std::nullopt;
}

std::uint32_t countLocalAddresses(std::string_view fibTrie) {
    std::set<std::string_view> addresses;
    std::string_view line, lastAddress;
    while (nextLine(fibTrie, line)) {
        std::string_view rest = line, field;
        if (!nextField(rest, field)) continue;
        if (field == "|--" || field == "+--") {
            if (nextField(rest, field)) lastAddress = field;
        } else if (field == "/32") {
            std::string_view kind, scope;
            if (nextField(rest, kind) && kind == "host" && nextField(rest, scope) && scope == "LOCAL" &&
                !lastAddress.empty())
                addresses.insert(lastAddress);
        }
    }
    return static_cast<std::uint32_t>(addresses.size());
}

std::string defaultRouteInterface(std::string_view route) {
    constexpr std::uint64_t kRtfUp = 0x1;
    std::string_view line;
    bool header = true;
    while (nextLine(route, line)) {
        if (header) {
            header = false;
            continue;
        }
        // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
        std::string_view rest = line, iface, dest, gateway, flags, skip, mask;
        if (!nextField(rest, iface) || !nextField(rest, dest) || !nextField(rest, gateway) || !nextField(rest, flags))
            continue;
        for (int i = 0; i < 3; ++i) nextField(rest, skip);
        if (!nextField(rest, mask)) continue;
        std::uint64_t f = 0;
        auto [ptr, ec] = std::from_chars(flags.data(), flags.data() + flags.size(), f, 16);
        if (ec != std::errc() || ptr != flags.data() + flags.size()) continue;
        if (dest == "00000000" && mask == "00000000" && (f & kRtfUp)) return std::string(iface);
    }
    return "";
}

std::string defaultRoute6Interface(std::string_view route) {
    constexpr std::uint64_t kRtfUp = 0x1, kRtfReject = 0x200;
    std::string_view line;
    while (nextLine(route, line)) {
        // dest dest_len src src_len next_hop metric refcnt use flags iface
        std::string_view rest = line, dest, destLength, flags, iface, skip;
        if (!nextField(rest, dest) || !nextField(rest, destLength)) continue;
        for (int i = 0; i < 6; ++i) nextField(rest, skip);
        if (!nextField(rest, flags) || !nextField(rest, iface)) continue;
        std::uint64_t f = 0;
        auto [ptr, ec] = std::from_chars(flags.data(), flags.data() + flags.size(), f, 16);
        if (ec != std::errc() || ptr != flags.data() + flags.size()) continue;
        if (destLength == "00" && dest.find_first_not_of('0') == std::string_view::npos && (f & kRtfUp) &&
            !(f & kRtfReject) && iface != "lo")
            return std::string(iface);
    }
    return "";
}

std::uint32_t connectionFlags(bool hasDefaultRoute, bool pointToPoint, bool proxyConfigured) {
    if (!hasDefaultRoute) return 0;
    std::uint32_t flags = pointToPoint ? 1u : 2u;
    if (proxyConfigured) flags |= 4u;
    return flags;
}

}  // namespace vel::platform::linux_backend
