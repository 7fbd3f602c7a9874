#include "platform/linux/sources_linux.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <set>
#include <tuple>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/common/processor_features.h"
#include "platform/linux/hardware_linux.h"
#include "platform/linux/linux_sources.h"
#include "platform/linux/perf_clock.h"
#include "platform/linux/sources_net.h"
#include "platform/linux/sources_proc.h"

namespace vel::platform::linux_backend {

namespace {

constexpr std::uint64_t kUnlimitedVirtual64 = std::uint64_t{128} << 40;  // x86-64 user space
constexpr std::uint64_t kUnlimitedVirtual32 = std::uint64_t{3} << 30;

// "Name:   123 kB" lines of /proc/meminfo and /proc/self/status, in bytes.
bool findKilobytes(std::string_view text, std::string_view name, std::uint64_t& bytes) {
    std::string_view line, label, number;
    while (nextLine(text, line)) {
        if (!nextField(line, label) || label.size() != name.size() + 1 || label.substr(0, name.size()) != name ||
            label.back() != ':')
            continue;
        // Past 2^47 kB (128 PiB, no machine has that) the sums and the load's
        // arithmetic would wrap, and the load could read above 100 %.
        if (!nextField(line, number) || !parseU64(number, bytes) || bytes >= std::uint64_t{1} << 47) return false;
        bytes *= 1024;
        return true;
    }
    return false;
}

class LinuxSources : public Sources {
public:
    LinuxSources(const std::string& procRoot, const std::string& sysRoot, MonotonicClock clock,
                 ScreenSizeReader screenSize)
        : procRoot_(procRoot), sysRoot_(sysRoot), clock_(clock), counters_(procRoot, sysRoot, std::move(clock)),
          screenSize_(std::move(screenSize)) {
        ProcFile stat(procRoot + "/stat");
        if (stat.read()) processors_ = static_cast<std::uint32_t>(listStatProcessors(stat.text()).size());
        if (processors_ == 0) {
            const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
            processors_ = online > 0 ? static_cast<std::uint32_t>(online) : 1;
        }
        processors_ = std::min(processors_, static_cast<std::uint32_t>(kMaxProcessors));
        readCpuFlags();
    }

    std::uint32_t numberOfProcessors() override { return processors_; }
    int platformId() override { return kPlatformWin32NT; }
    bool processorFeaturePresent(int feature) override {
        const char* flag = cpuinfoFlagForFeature(feature);
        return flag && flags_.count(flag) > 0;
    }

    long openQuery(Query& out) override { return counters_.openQuery(out); }
    long addCounter(Query query, const std::string& path, Counter& out) override {
        return counters_.addCounter(query, path, out);
    }
    long collectQueryData(Query query) override { return counters_.collectQueryData(query); }
    double counterValue(Counter counter, long& status) override { return counters_.counterValue(counter, status); }
    long removeCounter(Counter counter) override { return counters_.removeCounter(counter); }
    long closeQuery(Query query) override { return counters_.closeQuery(query); }

    bool memoryStatus(MemoryStatusEx& out) override;

    bool ipStatistics(MibIpStats& out) override;
    bool icmpStatistics(MibIcmp& out) override {
        if (readRecent(snmp_) && parseIcmpStats(snmp_.file.text(), out)) return true;
        out = {};
        return false;
    }
    bool tcpStatistics(MibTcpStats& out) override;
    bool udpStatistics(MibUdpStats& out) override;
    int connectedState(std::uint32_t& flags, std::string& name) override;

    bool queryHardware(const std::string& wql, std::vector<HardwareObject>& out) override {
        HardwareRoots roots;
        roots.proc = procRoot_;
        roots.sys = sysRoot_;
        if (screenSize_) std::tie(roots.screenWidth, roots.screenHeight) = screenSize_();
        return queryLinuxHardware(roots, wql, out);
    }

private:
    void readCpuFlags() {
        ProcFile cpuinfo(procRoot_ + "/cpuinfo");
        if (!cpuinfo.read()) return;
        std::string_view text = cpuinfo.text(), line, field;
        while (nextLine(text, line)) {
            std::string_view rest = line;
            // x86 calls the list "flags", ARM "Features"; the first processor's list stands for all.
            if (!nextField(rest, field) || (field != "flags" && field != "Features")) continue;
            if (!nextField(rest, field) || field != ":") continue;
            while (nextField(rest, field)) flags_.emplace(field);
            return;
        }
    }

    // True while a reading taken at readAtNs is younger than ageNs; else
    // readAtNs becomes now, for the reading about to be taken.
    bool stillFresh(std::int64_t& readAtNs, bool haveReading, std::int64_t ageNs) {
        const std::int64_t now = clock_();
        if (haveReading && now >= readAtNs && now - readAtNs < ageNs) return true;
        readAtNs = now;
        return false;
    }

    // Several records of one tick come from the same file (the network
    // module asks for TCP and UDP, the connection state three times): one
    // reading serves every question asked within a few milliseconds.
    static constexpr std::int64_t kSameMomentNs = 5'000'000;
    struct RecentFile {
        ProcFile file;
        std::int64_t readAtNs = 0;
        bool valid = false;
    };
    bool readRecent(RecentFile& f) {
        if (!stillFresh(f.readAtNs, f.valid, kSameMomentNs)) f.valid = f.file.read();
        return f.valid;
    }
    struct ConnectedAnswer {
        std::int64_t readAtNs = 0;
        bool valid = false;
        std::uint32_t flags = 0;
        std::string name;
        int result = 0;
    };
    int readConnectedState(std::uint32_t& flags, std::string& name);

    // A table file whose entries are counted. A socket table of a busy
    // machine runs to megabytes, and the network module asks four times a
    // second, so a count is reused for a second.
    struct CountedTable {
        ProcFile file;
        int headerLines;
        std::uint32_t count = 0;
        std::int64_t readAtNs = 0;
        bool valid = false;
    };
    std::uint32_t entriesOf(CountedTable& t) {
        constexpr std::int64_t kReuseNs = 1'000'000'000;
        if (stillFresh(t.readAtNs, t.valid, kReuseNs)) return t.count;
        t.valid = t.file.read();
        t.count = t.valid ? countEntries(t.file.text(), t.headerLines) : 0;
        return t.count;
    }

    // The kernel's own count when it offers one, else the table's.
    std::uint32_t socketsOf(std::string_view protocol, CountedTable& table) {
        if (readRecent(sockstat_))
            if (auto n = sockstatSockets(sockstat_.file.text(), protocol)) return *n;
        return entriesOf(table);
    }

    std::string procRoot_;
    std::string sysRoot_;
    MonotonicClock clock_;
    CounterQueries counters_;
    ScreenSizeReader screenSize_;
    std::uint32_t processors_ = 0;
    std::set<std::string, std::less<>> flags_;
    ProcFile meminfo_{procRoot_ + "/meminfo"};
    ProcFile selfStatus_{procRoot_ + "/self/status"};
    RecentFile snmp_{ProcFile(procRoot_ + "/net/snmp")};
    RecentFile sockstat_{ProcFile(procRoot_ + "/net/sockstat")};
    ConnectedAnswer connected_;
    ProcFile route_{procRoot_ + "/net/route"};
    ProcFile route6_{procRoot_ + "/net/ipv6_route", 16384};
    ProcFile fibTrie_{procRoot_ + "/net/fib_trie", 16384};
    CountedTable netDev_{ProcFile(procRoot_ + "/net/dev"), 2};
    CountedTable routeTable_{ProcFile(procRoot_ + "/net/route"), 1};
    CountedTable tcpTable_{ProcFile(procRoot_ + "/net/tcp", 65536), 1};
    CountedTable udpTable_{ProcFile(procRoot_ + "/net/udp", 16384), 1};
};

bool LinuxSources::memoryStatus(MemoryStatusEx& out) {
    out = MemoryStatusEx{};
    if (!meminfo_.read()) return false;
    const std::string_view info = meminfo_.text();
    std::uint64_t total = 0, avail = 0, swapTotal = 0, swapFree = 0;
    if (!findKilobytes(info, "MemTotal", total) || total == 0) return false;
    if (!findKilobytes(info, "MemAvailable", avail)) {
        // Kernels before 3.14: free plus the page cache is the closest.
        std::uint64_t free = 0, buffers = 0, cached = 0;
        if (!findKilobytes(info, "MemFree", free)) return false;
        findKilobytes(info, "Buffers", buffers);
        findKilobytes(info, "Cached", cached);
        avail = free + buffers + cached;
    }
    avail = std::min(avail, total);
    findKilobytes(info, "SwapTotal", swapTotal);
    findKilobytes(info, "SwapFree", swapFree);

    out.totalPhys = total;
    out.availPhys = avail;
    out.memoryLoad = static_cast<std::uint32_t>(((total - avail) * 100 + total / 2) / total);
    out.totalPageFile = total + swapTotal;
    out.availPageFile = avail + std::min(swapFree, swapTotal);

    rlimit limit{};
    const bool limited = ::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY;
    out.totalVirtual = limited ? static_cast<std::uint64_t>(limit.rlim_cur)
                               : (sizeof(void*) == 8 ? kUnlimitedVirtual64 : kUnlimitedVirtual32);
    std::uint64_t used = 0;
    if (selfStatus_.read()) findKilobytes(selfStatus_.text(), "VmSize", used);
    out.availVirtual = used < out.totalVirtual ? out.totalVirtual - used : 0;
    out.availExtendedVirtual = 0;
    return true;
}

bool LinuxSources::ipStatistics(MibIpStats& out) {
    if (!readRecent(snmp_) || !parseIpStats(snmp_.file.text(), out)) {
        out = {};
        return false;
    }
    // Counts Windows keeps in the record and Linux keeps elsewhere.
    out.dwNumIf = entriesOf(netDev_);
    out.dwNumRoutes = entriesOf(routeTable_);
    out.dwNumAddr = fibTrie_.read() ? countLocalAddresses(fibTrie_.text()) : 0;
    return true;
}

bool LinuxSources::tcpStatistics(MibTcpStats& out) {
    if (!readRecent(snmp_) || !parseTcpStats(snmp_.file.text(), out)) {
        out = {};
        return false;
    }
    out.dwNumConns = socketsOf("TCP", tcpTable_);
    return true;
}

bool LinuxSources::udpStatistics(MibUdpStats& out) {
    if (!readRecent(snmp_) || !parseUdpStats(snmp_.file.text(), out)) {
        out = {};
        return false;
    }
    out.dwNumAddrs = socketsOf("UDP", udpTable_);
    return true;
}

bool proxyInEnvironment() {
    for (const char* name : {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"}) {
        const char* v = std::getenv(name);
        if (v && *v) return true;
    }
    return false;
}

int LinuxSources::connectedState(std::uint32_t& flags, std::string& name) {
    if (!stillFresh(connected_.readAtNs, connected_.valid, kSameMomentNs)) {
        connected_.result = readConnectedState(connected_.flags, connected_.name);
        connected_.valid = true;
    }
    flags = connected_.flags;
    name = connected_.name;
    return connected_.result;
}

int LinuxSources::readConnectedState(std::uint32_t& flags, std::string& name) {
    constexpr std::uint64_t kIffPointToPoint = 0x10;
    flags = 0;
    name.clear();
    std::string iface = route_.read() ? defaultRouteInterface(route_.text()) : "";
    if (iface.empty() && route6_.read()) iface = defaultRoute6Interface(route6_.text());
    bool pointToPoint = false;
    if (!iface.empty()) {
        ProcFile ifFlags(sysRoot_ + "/class/net/" + iface + "/flags", 64);
        std::uint64_t f = 0;
        std::string_view text = ifFlags.read() ? ifFlags.text() : std::string_view{};
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
        if (text.substr(0, 2) == "0x") text.remove_prefix(2);
        auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), f, 16);
        (void)ptr;
        pointToPoint = (ec == std::errc() && !text.empty() && (f & kIffPointToPoint)) || iface.rfind("ppp", 0) == 0;
    }
    flags = connectionFlags(!iface.empty(), pointToPoint, proxyInEnvironment());
    name = iface;
    return flags != 0 ? 1 : 0;
}

}  // namespace

std::unique_ptr<Sources> createLinuxSourcesWithClock(const std::string& procRoot, const std::string& sysRoot,
                                                     MonotonicClock clock, ScreenSizeReader screenSize) {
    return std::make_unique<LinuxSources>(procRoot, sysRoot, std::move(clock), std::move(screenSize));
}

}  // namespace vel::platform::linux_backend

namespace vel::platform {

std::unique_ptr<Sources> createLinuxSources(const std::string& procRoot, const std::string& sysRoot,
                                            ScreenSizeReader screenSize) {
    return linux_backend::createLinuxSourcesWithClock(procRoot, sysRoot, &linux_backend::monotonicNs,
                                                      std::move(screenSize));
}

}  // namespace vel::platform
