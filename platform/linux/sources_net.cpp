#include "platform/linux/sources_net.h"

#include <charconv>
#include <set>

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

struct Field {
    const char* name;
    std::uint32_t* target;
};

template <std::size_t N>
bool fill(std::string_view snmp, std::string_view protocol, const Field (&fields)[N]) {
    bool any = false;
    for (const Field& f : fields) any |= snmpValue(snmp, protocol, f.name, *f.target);
    return any;
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

bool parseIpStats(std::string_view snmp, MibIpStats& s) {
    s = {};
    const Field fields[] = {
        {"Forwarding", &s.dwForwarding},       {"DefaultTTL", &s.dwDefaultTTL},
        {"InReceives", &s.dwInReceives},       {"InHdrErrors", &s.dwInHdrErrors},
        {"InAddrErrors", &s.dwInAddrErrors},   {"ForwDatagrams", &s.dwForwDatagrams},
        {"InUnknownProtos", &s.dwInUnknownProtos}, {"InDiscards", &s.dwInDiscards},
        {"InDelivers", &s.dwInDelivers},       {"OutRequests", &s.dwOutRequests},
        {"OutDiscards", &s.dwOutDiscards},     {"OutNoRoutes", &s.dwOutNoRoutes},
        {"ReasmTimeout", &s.dwReasmTimeout},   {"ReasmReqds", &s.dwReasmReqds},
        {"ReasmOKs", &s.dwReasmOks},           {"ReasmFails", &s.dwReasmFails},
        {"FragOKs", &s.dwFragOks},             {"FragFails", &s.dwFragFails},
        {"FragCreates", &s.dwFragCreates},
    };
    return fill(snmp, "Ip", fields);
}

bool parseIcmpStats(std::string_view snmp, MibIcmp& m) {
    m = {};
    bool any = false;
    for (int dir = 0; dir < 2; ++dir) {
        MibIcmpStats& s = dir == 0 ? m.inStats : m.outStats;
        const std::string p = dir == 0 ? "In" : "Out";
        const std::pair<std::string, std::uint32_t*> names[] = {
            {p + "Msgs", &s.dwMsgs},           {p + "Errors", &s.dwErrors},
            {p + "DestUnreachs", &s.dwDestUnreachs}, {p + "TimeExcds", &s.dwTimeExcds},
            {p + "ParmProbs", &s.dwParmProbs}, {p + "SrcQuenchs", &s.dwSrcQuenchs},
            {p + "Redirects", &s.dwRedirects}, {p + "Echos", &s.dwEchos},
            {p + "EchoReps", &s.dwEchoReps},   {p + "Timestamps", &s.dwTimestamps},
            {p + "TimestampReps", &s.dwTimestampReps}, {p + "AddrMasks", &s.dwAddrMasks},
            {p + "AddrMaskReps", &s.dwAddrMaskReps},
        };
        for (const auto& [name, target] : names) any |= snmpValue(snmp, "Icmp", name, *target);
    }
    return any;
}

bool parseTcpStats(std::string_view snmp, MibTcpStats& s) {
    s = {};
    const Field fields[] = {
        {"RtoAlgorithm", &s.dwRtoAlgorithm}, {"RtoMin", &s.dwRtoMin},           {"RtoMax", &s.dwRtoMax},
        {"MaxConn", &s.dwMaxConn},           {"ActiveOpens", &s.dwActiveOpens}, {"PassiveOpens", &s.dwPassiveOpens},
        {"AttemptFails", &s.dwAttemptFails}, {"EstabResets", &s.dwEstabResets}, {"CurrEstab", &s.dwCurrEstab},
        {"InSegs", &s.dwInSegs},             {"OutSegs", &s.dwOutSegs},         {"RetransSegs", &s.dwRetransSegs},
        {"InErrs", &s.dwInErrs},             {"OutRsts", &s.dwOutRsts},
    };
    return fill(snmp, "Tcp", fields);
}

bool parseUdpStats(std::string_view snmp, MibUdpStats& s) {
    s = {};
    const Field fields[] = {
        {"InDatagrams", &s.dwInDatagrams},
        {"NoPorts", &s.dwNoPorts},
        {"InErrors", &s.dwInErrors},
        {"OutDatagrams", &s.dwOutDatagrams},
    };
    return fill(snmp, "Udp", fields);
}

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
