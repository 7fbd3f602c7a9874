// Measurement sources as the operating system presents them, in the shapes
// the program's logic is written against: GetSystemInfo facts, PDH-style
// counters asked for by path, the extended memory-status record and the
// IP Helper MIB records. Backends map their own figures onto these.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vel::platform {

constexpr int kPlatformWin32Windows = 1;  // the 9x family
constexpr int kPlatformWin32NT = 2;

// PDH status values the program looks at.
constexpr long kPdhCstatusValidData = 0;
constexpr long kPdhCstatusNewData = 1;
constexpr long kPdhCstatusInvalidData = static_cast<long>(0xC0000BBAL);
constexpr long kPdhCstatusNoCounter = static_cast<long>(0xC0000BB9L);

struct MemoryStatusEx {
    std::uint32_t length = 64;
    std::uint32_t memoryLoad = 0;
    std::uint64_t totalPhys = 0, availPhys = 0;
    std::uint64_t totalPageFile = 0, availPageFile = 0;
    std::uint64_t totalVirtual = 0, availVirtual = 0;
    std::uint64_t availExtendedVirtual = 0;
};

struct MibIpStats {
    std::uint32_t dwForwarding = 0, dwDefaultTTL = 0, dwInReceives = 0, dwInHdrErrors = 0,
                  dwInAddrErrors = 0, dwForwDatagrams = 0, dwInUnknownProtos = 0, dwInDiscards = 0,
                  dwInDelivers = 0, dwOutRequests = 0, dwRoutingDiscards = 0, dwOutDiscards = 0,
                  dwOutNoRoutes = 0, dwReasmTimeout = 0, dwReasmReqds = 0, dwReasmOks = 0,
                  dwReasmFails = 0, dwFragOks = 0, dwFragFails = 0, dwFragCreates = 0, dwNumIf = 0,
                  dwNumAddr = 0, dwNumRoutes = 0;
};

struct MibIcmpStats {
    std::uint32_t dwMsgs = 0, dwErrors = 0, dwDestUnreachs = 0, dwTimeExcds = 0, dwParmProbs = 0,
                  dwSrcQuenchs = 0, dwRedirects = 0, dwEchos = 0, dwEchoReps = 0, dwTimestamps = 0,
                  dwTimestampReps = 0, dwAddrMasks = 0, dwAddrMaskReps = 0;
};

struct MibIcmp {
    MibIcmpStats inStats;
    MibIcmpStats outStats;
};

struct MibTcpStats {
    std::uint32_t dwRtoAlgorithm = 0, dwRtoMin = 0, dwRtoMax = 0, dwMaxConn = 0, dwActiveOpens = 0,
                  dwPassiveOpens = 0, dwAttemptFails = 0, dwEstabResets = 0, dwCurrEstab = 0,
                  dwInSegs = 0, dwOutSegs = 0, dwRetransSegs = 0, dwInErrs = 0, dwOutRsts = 0,
                  dwNumConns = 0;
};

struct MibUdpStats {
    std::uint32_t dwInDatagrams = 0, dwNoPorts = 0, dwInErrors = 0, dwOutDatagrams = 0, dwNumAddrs = 0;
};

// One instance of a hardware class as WMI returns it: its properties by
// name, each value already converted to text. A property the system could
// not read is absent.
struct HardwareObject {
    std::vector<std::pair<std::string, std::string>> properties;
    const std::string* find(const std::string& name) const {
        for (const auto& p : properties)
            if (p.first == name) return &p.second;
        return nullptr;
    }
};

class Sources {
public:
    virtual ~Sources() = default;

    // GetSystemInfo's dwNumberOfProcessors.
    virtual std::uint32_t numberOfProcessors() = 0;
    // GetVersionExA's dwPlatformId: 2 NT family, 1 the 9x family.
    virtual int platformId() = 0;
    // IsProcessorFeaturePresent, by the platform's feature numbers.
    virtual bool processorFeaturePresent(int feature) = 0;

    // Performance counters, PDH style. Handles are never 0 when valid.
    using Query = std::uintptr_t;
    using Counter = std::uintptr_t;
    virtual long openQuery(Query& out) = 0;
    // A counter that cannot be added still yields a handle; its reads
    // return 0 with an invalid status.
    virtual long addCounter(Query query, const std::string& path, Counter& out) = 0;
    virtual long collectQueryData(Query query) = 0;
    virtual double counterValue(Counter counter, long& status) = 0;
    virtual long removeCounter(Counter counter) = 0;
    virtual long closeQuery(Query query) = 0;

    // GlobalMemoryStatusEx; false when the call failed.
    virtual bool memoryStatus(MemoryStatusEx& out) = 0;

    // IP Helper; false (and a zeroed record) when the call failed.
    virtual bool ipStatistics(MibIpStats& out) = 0;
    virtual bool icmpStatistics(MibIcmp& out) = 0;
    virtual bool tcpStatistics(MibTcpStats& out) = 0;
    virtual bool udpStatistics(MibUdpStats& out) = 0;

    // InternetGetConnectedStateExA: returns the call's result (non-zero =
    // connected), fills the flag word and the connection name.
    virtual int connectedState(std::uint32_t& flags, std::string& name) = 0;

    // A processor's clock in MHz as the machine itself reports it. Nothing
    // here: the program times this machine's clock itself. Sources of
    // another machine answer with its figure, or 0 when it gives none.
    virtual std::optional<double> reportedClockMhz(std::uint32_t /*processor*/) { return std::nullopt; }
    // The processor's rated clock in MHz as another machine reports it (0
    // when it gives none). Nothing for this machine, whose rated clock is
    // the registry's.
    virtual std::optional<std::uint32_t> ratedClockMhz(std::uint32_t /*processor*/) { return std::nullopt; }

    // Runs a WQL query ("Select * from Win32_Processor") against the local
    // machine's hardware descriptions. False when the service or the query
    // failed; out then holds what was enumerated before the failure.
    virtual bool queryHardware(const std::string& /*wql*/, std::vector<HardwareObject>& out) {
        out.clear();
        return false;
    }
};

}  // namespace vel::platform
