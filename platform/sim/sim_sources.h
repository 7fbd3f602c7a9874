// The simulated machine's measurement sources: every figure is what the
// scenario or test last set, so runs are deterministic. Counters behave as
// PDH's do: the first collection after adding has no data yet, and a
// counter reports the value current at its query's last collection.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/common/counter_path.h"
#include "platform/common/counter_table.h"
#include "platform/common/memory_registry.h"
#include "platform/sources_api.h"

namespace vel::platform {

// The 9x kernel's CPU-usage statistic lives in the dynamic-data registry:
// reading StartStat starts it, StatData holds the current percentage,
// reading StopStat stops it. All three carry the value KERNEL\CPUUsage.
constexpr const char* kPerfStatsStart = "PerfStats\\StartStat";
constexpr const char* kPerfStatsData = "PerfStats\\StatData";
constexpr const char* kPerfStatsStop = "PerfStats\\StopStat";
constexpr const char* kCpuUsageValue = "KERNEL\\CPUUsage";

// Writes the three keys so a program on a 9x machine finds the statistic.
void declare9x(MemoryRegistry& registry, int usagePercent);
// The percentage StatData reports from now on.
void setCpuUsage9x(MemoryRegistry& registry, int usagePercent);

class SimSources : public Sources {
public:
    // --- machine facts, set by scenarios and tests -------------------------
    void setProcessorCount(std::uint32_t n) { processors_ = n; }
    void setPlatformId(int id) { platformId_ = id; }
    // What `\Processor(P)\% Processor Time` reports from now on; _Total
    // reports the mean of all processors. On a machine declared 9x the
    // kernel statistic follows the mean too.
    void setLoad(std::uint32_t processor, double percent);
    // Any other counter (or an explicit _Total), by path.
    void setCounter(const std::string& path, double value);
    void setFeature(int feature, bool present);
    void setMemory(const MemoryStatusEx& m) { memory_ = m; memoryOk_ = true; }
    void setMemoryFails() { memoryOk_ = false; }
    void setIp(const MibIpStats& s) { ip_ = s; }
    void setIcmp(const MibIcmp& s) { icmp_ = s; }
    void setTcp(const MibTcpStats& s) { tcp_ = s; }
    void setUdp(const MibUdpStats& s) { udp_ = s; }
    void setConnection(std::uint32_t flags, const std::string& name, int result);
    // Traffic since the last look: the counters grow as the system's do,
    // wrapping at 2^32.
    void advanceTcp(std::uint32_t inSegs, std::uint32_t outSegs);
    void advanceUdp(std::uint32_t inDatagrams, std::uint32_t outDatagrams);
    // While set, the four statistics calls fail with a zeroed record.
    void setNetStatisticsFail(bool fail) { netFails_ = fail; }

    // Makes this machine a 9x one in the given registry: the statistic
    // starts at the current mean load and follows setLoad/setCpuUsage9x.
    void declare9x(MemoryRegistry& registry);
    void setCpuUsage9x(int percent);

    // The mean of the loads of processors 0 .. count-1.
    double meanLoad() const;

    // Hardware descriptions, by WMI class name (any case). Setting a
    // property of instance n creates the instances before it, empty. A
    // class never set answers with no instances, as Wine does for several.
    void setHardware(const std::string& className, std::size_t instance, const std::string& property,
                     const std::string& value);
    void clearHardware(const std::string& className);
    // While set, queries of the class fail after enumerating what it has.
    void setHardwareFails(const std::string& className, bool fail);

    // --- Sources ------------------------------------------------------------
    std::uint32_t numberOfProcessors() override { return processors_; }
    int platformId() override { return platformId_; }
    bool processorFeaturePresent(int feature) override { return features_.count(feature) > 0; }
    long openQuery(Query& out) override;
    long addCounter(Query query, const std::string& path, Counter& out) override;
    long collectQueryData(Query query) override;
    double counterValue(Counter counter, long& status) override;
    long removeCounter(Counter counter) override;
    long closeQuery(Query query) override;
    bool memoryStatus(MemoryStatusEx& out) override;
    bool ipStatistics(MibIpStats& out) override { return netRecord(out, ip_); }
    bool icmpStatistics(MibIcmp& out) override { return netRecord(out, icmp_); }
    bool tcpStatistics(MibTcpStats& out) override { return netRecord(out, tcp_); }
    bool udpStatistics(MibUdpStats& out) override { return netRecord(out, udp_); }
    int connectedState(std::uint32_t& flags, std::string& name) override;
    bool queryHardware(const std::string& wql, std::vector<HardwareObject>& out) override;

private:
    struct SimCounter {
        Query query = 0;
        std::string key;  // lower-case path
        bool added = false;
        std::optional<ProcessorCounterPath> processorPath;
        int collections = 0;
        double value = 0;
        long status = kPdhCstatusInvalidData;
    };
    template <class T>
    bool netRecord(T& out, const T& value) const {
        out = netFails_ ? T{} : value;
        return !netFails_;
    }
    // The value a counter reads right now; false when it does not exist.
    bool currentValue(const SimCounter& c, double& value) const;
    double loadOf(std::uint32_t processor) const;

    std::uint32_t processors_ = 1;
    int platformId_ = kPlatformWin32NT;
    std::map<std::uint32_t, double> loads_;
    std::map<std::string, double> explicit_;  // lower-case path -> value
    std::set<int> features_{2, 3, 6, 8, 10, 12, 13};  // an ordinary x86 processor
    MemoryStatusEx memory_ = defaultMemory();
    static MemoryStatusEx defaultMemory();
    bool memoryOk_ = true;
    MibIpStats ip_;
    MibIcmp icmp_;
    MibTcpStats tcp_;
    MibUdpStats udp_;
    bool netFails_ = false;
    std::uint32_t connectionFlags_ = 0;
    std::string connectionName_;
    int connectionResult_ = 0;
    MemoryRegistry* registry9x_ = nullptr;
    CounterTable<SimCounter> counters_;
    std::map<std::string, std::vector<HardwareObject>> hardware_;  // lower-case class -> instances
    std::set<std::string> failingHardware_;
};

}  // namespace vel::platform
