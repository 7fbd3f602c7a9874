#include "platform/common/mib_fields.h"

#include <string>

namespace vel::platform {

namespace {

struct Field {
    const char* name;
    std::uint32_t* target;
};

template <std::size_t N>
bool fill(const MibLookup& lookup, std::string_view protocol, const Field (&fields)[N]) {
    bool any = false;
    for (const Field& f : fields) any |= lookup(protocol, f.name, *f.target);
    return any;
}

}  // namespace

bool fillIpStats(const MibLookup& lookup, MibIpStats& s) {
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
    return fill(lookup, "Ip", fields);
}

bool fillIcmpStats(const MibLookup& lookup, MibIcmp& m) {
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
        for (const auto& [name, target] : names) any |= lookup("Icmp", name, *target);
    }
    return any;
}

bool fillTcpStats(const MibLookup& lookup, MibTcpStats& s) {
    s = {};
    const Field fields[] = {
        {"RtoAlgorithm", &s.dwRtoAlgorithm}, {"RtoMin", &s.dwRtoMin},           {"RtoMax", &s.dwRtoMax},
        {"MaxConn", &s.dwMaxConn},           {"ActiveOpens", &s.dwActiveOpens}, {"PassiveOpens", &s.dwPassiveOpens},
        {"AttemptFails", &s.dwAttemptFails}, {"EstabResets", &s.dwEstabResets}, {"CurrEstab", &s.dwCurrEstab},
        {"InSegs", &s.dwInSegs},             {"OutSegs", &s.dwOutSegs},         {"RetransSegs", &s.dwRetransSegs},
        {"InErrs", &s.dwInErrs},             {"OutRsts", &s.dwOutRsts},
    };
    return fill(lookup, "Tcp", fields);
}

bool fillUdpStats(const MibLookup& lookup, MibUdpStats& s) {
    s = {};
    const Field fields[] = {
        {"InDatagrams", &s.dwInDatagrams},
        {"NoPorts", &s.dwNoPorts},
        {"InErrors", &s.dwInErrors},
        {"OutDatagrams", &s.dwOutDatagrams},
    };
    return fill(lookup, "Udp", fields);
}

}  // namespace vel::platform
