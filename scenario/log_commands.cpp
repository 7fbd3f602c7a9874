// Commands for the network statistics the log writers read, and prints of
// the logger's state, a log file and the logs folder.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "core/app.h"
#include "core/frm_hidden.h"
#include "logging/log_files.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_sources.h"
#include "scenario/commands.h"

namespace vel {

namespace {

using platform::MibIcmp;
using platform::MibIcmpStats;
using platform::MibIpStats;
using platform::MibTcpStats;
using platform::MibUdpStats;

template <class Record>
using Fields = std::vector<std::pair<std::string, std::uint32_t Record::*>>;

const Fields<MibIpStats>& ipFields() {
    static const Fields<MibIpStats> f = {
        {"InReceives", &MibIpStats::dwInReceives},   {"InDelivers", &MibIpStats::dwInDelivers},
        {"InDiscards", &MibIpStats::dwInDiscards},   {"InAddrErrors", &MibIpStats::dwInAddrErrors},
        {"OutRequests", &MibIpStats::dwOutRequests}, {"InHdrErrors", &MibIpStats::dwInHdrErrors},
        {"OutDiscards", &MibIpStats::dwOutDiscards}, {"ForwDatagrams", &MibIpStats::dwForwDatagrams},
        {"Forwarding", &MibIpStats::dwForwarding},   {"DefaultTTL", &MibIpStats::dwDefaultTTL},
        {"InUnknownProtos", &MibIpStats::dwInUnknownProtos}, {"RoutingDiscards", &MibIpStats::dwRoutingDiscards},
        {"OutNoRoutes", &MibIpStats::dwOutNoRoutes}, {"ReasmTimeout", &MibIpStats::dwReasmTimeout},
        {"ReasmReqds", &MibIpStats::dwReasmReqds},   {"ReasmOks", &MibIpStats::dwReasmOks},
        {"ReasmFails", &MibIpStats::dwReasmFails},   {"FragOks", &MibIpStats::dwFragOks},
        {"FragFails", &MibIpStats::dwFragFails},     {"FragCreates", &MibIpStats::dwFragCreates},
        {"NumIf", &MibIpStats::dwNumIf},             {"NumAddr", &MibIpStats::dwNumAddr},
        {"NumRoutes", &MibIpStats::dwNumRoutes}};
    return f;
}

const Fields<MibIcmpStats>& icmpFields() {
    static const Fields<MibIcmpStats> f = {{"Msgs", &MibIcmpStats::dwMsgs},
                                           {"Errors", &MibIcmpStats::dwErrors},
                                           {"DestUnreachs", &MibIcmpStats::dwDestUnreachs},
                                           {"TimeExcds", &MibIcmpStats::dwTimeExcds},
                                           {"Echos", &MibIcmpStats::dwEchos},
                                           {"EchoReps", &MibIcmpStats::dwEchoReps},
                                           {"ParmProbs", &MibIcmpStats::dwParmProbs},
                                           {"SrcQuenchs", &MibIcmpStats::dwSrcQuenchs},
                                           {"Redirects", &MibIcmpStats::dwRedirects},
                                           {"Timestamps", &MibIcmpStats::dwTimestamps},
                                           {"TimestampReps", &MibIcmpStats::dwTimestampReps},
                                           {"AddrMasks", &MibIcmpStats::dwAddrMasks},
                                           {"AddrMaskReps", &MibIcmpStats::dwAddrMaskReps}};
    return f;
}

const Fields<MibTcpStats>& tcpFields() {
    static const Fields<MibTcpStats> f = {{"RtoAlgorithm", &MibTcpStats::dwRtoAlgorithm},
                                          {"RtoMin", &MibTcpStats::dwRtoMin},
                                          {"RtoMax", &MibTcpStats::dwRtoMax},
                                          {"MaxConn", &MibTcpStats::dwMaxConn},
                                          {"CurrEstab", &MibTcpStats::dwCurrEstab},
                                          {"EstabResets", &MibTcpStats::dwEstabResets},
                                          {"NumConns", &MibTcpStats::dwNumConns},
                                          {"ActiveOpens", &MibTcpStats::dwActiveOpens},
                                          {"PassiveOpens", &MibTcpStats::dwPassiveOpens},
                                          {"AttemptFails", &MibTcpStats::dwAttemptFails},
                                          {"InSegs", &MibTcpStats::dwInSegs},
                                          {"OutSegs", &MibTcpStats::dwOutSegs},
                                          {"RetransSegs", &MibTcpStats::dwRetransSegs},
                                          {"InErrs", &MibTcpStats::dwInErrs},
                                          {"OutRsts", &MibTcpStats::dwOutRsts}};
    return f;
}

const Fields<MibUdpStats>& udpFields() {
    static const Fields<MibUdpStats> f = {{"InDatagrams", &MibUdpStats::dwInDatagrams},
                                          {"OutDatagrams", &MibUdpStats::dwOutDatagrams},
                                          {"NoPorts", &MibUdpStats::dwNoPorts},
                                          {"NumAddrs", &MibUdpStats::dwNumAddrs},
                                          {"InErrors", &MibUdpStats::dwInErrors}};
    return f;
}

template <class Record>
void setField(Record& r, const Fields<Record>& fields, const std::string& name, std::uint32_t value,
              const std::string& proto) {
    for (const auto& [n, member] : fields)
        if (n == name) {
            r.*member = value;
            return;
        }
    std::string known;
    for (const auto& f : fields) known += " " + f.first;
    throw ScenarioError("netstat " + proto + " has no counter " + name + " (known:" + known + ")");
}

// netstat ip|icmp|tcp|udp NAME VALUE [NAME VALUE...]
void netstat(ScenarioContext& c, const Args& a) {
    platform::SimSources& s = c.sim.simSources();
    const std::string& proto = arg(a, 1);
    if (a.size() < 4 || a.size() % 2) throw ScenarioError("netstat ip|icmp|tcp|udp NAME VALUE [NAME VALUE...]");
    for (std::size_t i = 2; i + 1 < a.size(); i += 2) {
        const std::string& name = a[i];
        const std::uint32_t value = argU32(a, i + 1);
        if (proto == "ip") {
            MibIpStats r;
            s.ipStatistics(r);
            setField(r, ipFields(), name, value, proto);
            s.setIp(r);
        } else if (proto == "icmp") {
            // in.NAME or out.NAME
            MibIcmp r;
            s.icmpStatistics(r);
            const bool in = name.rfind("in.", 0) == 0, out = name.rfind("out.", 0) == 0;
            if (!in && !out) throw ScenarioError("netstat icmp wants in.NAME or out.NAME, not " + name);
            setField(in ? r.inStats : r.outStats, icmpFields(), name.substr(in ? 3 : 4), value, proto);
            s.setIcmp(r);
        } else if (proto == "tcp") {
            MibTcpStats r;
            s.tcpStatistics(r);
            setField(r, tcpFields(), name, value, proto);
            s.setTcp(r);
        } else if (proto == "udp") {
            MibUdpStats r;
            s.udpStatistics(r);
            setField(r, udpFields(), name, value, proto);
            s.setUdp(r);
        } else {
            throw ScenarioError("netstat ip|icmp|tcp|udp NAME VALUE [NAME VALUE...]");
        }
    }
}

LogWriter& logWriter(ScenarioContext& c) {
    FrmHidden* hidden = c.started().engine.get();
    if (!hidden) throw ScenarioError("the program has no engine window");
    return hidden->log;
}

std::filesystem::path logsFolder(const ScenarioContext& c) { return std::filesystem::path(c.programFolder) / "logs"; }

// A file of logs/ by its name, or by its letter alone for the current one.
std::string logName(ScenarioContext& c, const std::string& which) {
    if (which.size() == 1 && which[0] >= 'a' && which[0] <= 'f') return which + logWriter(c).fileName();
    return which;
}

void printLog(ScenarioContext& c, const Args& a) {
    const std::string name = logName(c, arg(a, 2));
    std::ifstream in(logsFolder(c) / name, std::ios::binary);
    if (!in) {
        c.out << "log " << name << " missing\n";
        return;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    bool allEndInCrLf = true;
    for (std::size_t from = 0; from < text.size();) {
        std::size_t lf = text.find('\n', from);
        if (lf == std::string::npos) lf = text.size();
        const bool crlf = lf < text.size() && lf > from && text[lf - 1] == '\r';
        allEndInCrLf = allEndInCrLf && crlf;
        lines.push_back(text.substr(from, lf - from - (crlf ? 1 : 0)));
        from = lf + 1;
    }
    const bool countOnly = a.size() > 3 && a[3] == "count";
    c.out << "log " << name << " lines=" << lines.size() << (allEndInCrLf ? "" : " (not every line ends in CR LF)")
          << "\n";
    if (!countOnly)
        for (const std::string& l : lines) c.out << "  " << l << "\n";
}

void printLogs(ScenarioContext& c) {
    std::vector<platform::FolderEntry> entries;
    if (!c.sim.files().listFolder(logsFolder(c).string(), entries)) {
        c.out << "logs folder missing\n";
        return;
    }
    std::sort(entries.begin(), entries.end(), [](const auto& x, const auto& y) { return x.name < y.name; });
    c.out << "logs entries=" << entries.size() << "\n";
    for (const auto& e : entries) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(logsFolder(c) / e.name, ec);
        const char* kind = e.kind == platform::FileKind::File        ? "file"
                           : e.kind == platform::FileKind::Link      ? "link"
                           : e.kind == platform::FileKind::Directory ? "folder"
                                                                     : "other";
        c.out << "  " << e.name << " " << kind;
        if (e.kind == platform::FileKind::File) c.out << " " << size << " bytes";
        c.out << "\n";
    }
}

void printLogger(ScenarioContext& c) {
    LogWriter& log = logWriter(c);
    c.out << "logger FlushCounter=" << log.flushCounter() << " LogFileName=\"" << log.fileName() << "\"";
    for (int i = 0; i < kLogCount; ++i)
        c.out << " " << kLogFamilies[static_cast<std::size_t>(i)].letter << "=" << log.buffer(i).count;
    c.out << "\n";
}

}  // namespace

void registerLogCommands(CommandTable& t) {
    t["netstat"] = netstat;
    CommandHandler before = t["print"];
    t["print"] = [before](ScenarioContext& c, const Args& a) {
        const std::string& what = arg(a, 1);
        if (what == "log")
            printLog(c, a);
        else if (what == "logs")
            printLogs(c);
        else if (what == "logger")
            printLogger(c);
        else if (before)
            before(c, a);
        else
            throw ScenarioError("print what? " + what);
    };
}

}  // namespace vel
