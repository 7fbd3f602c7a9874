#pragma once
// Another machine's figures, read from the scrapes of its node exporter
// (directly or through a Prometheus server's /federate) in the shapes the
// program reads the local machine's. docs/remote-hosts.md tells which
// metric each figure is made of.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/counter_path.h"
#include "platform/common/counter_table.h"
#include "platform/sources_api.h"
#include "remote/scrape.h"
#include "remote/scrape_figures.h"

namespace vel::remote {

class RemoteSources : public platform::Sources {
public:
    // `feed` must outlive the sources. `host` names the machine as the
    // connection's name ("server:9100"); it must hold no credentials.
    RemoteSources(const ScrapeFeed& feed, std::string host);
    ~RemoteSources() override;
    RemoteSources(const RemoteSources&) = delete;
    RemoteSources& operator=(const RemoteSources&) = delete;

    std::uint32_t numberOfProcessors() override;
    int platformId() override { return platform::kPlatformWin32NT; }
    bool processorFeaturePresent(int feature) override;
    std::optional<double> reportedClockMhz(std::uint32_t processor) override;
    std::optional<std::uint32_t> ratedClockMhz(std::uint32_t processor) override;

    long openQuery(Query& out) override;
    long addCounter(Query query, const std::string& path, Counter& out) override;
    long collectQueryData(Query query) override;
    double counterValue(Counter counter, long& status) override;
    long removeCounter(Counter counter) override;
    long closeQuery(Query query) override;

    bool memoryStatus(platform::MemoryStatusEx& out) override;
    bool ipStatistics(platform::MibIpStats& out) override;
    bool icmpStatistics(platform::MibIcmp& out) override;
    bool tcpStatistics(platform::MibTcpStats& out) override;
    bool udpStatistics(platform::MibUdpStats& out) override;
    int connectedState(std::uint32_t& flags, std::string& name) override;
    bool queryHardware(const std::string& wql, std::vector<platform::HardwareObject>& out) override;

private:
    struct Raw {
        double part = 0, base = 0;
        std::int64_t atMs = 0;
    };
    struct CounterState {
        Query query = 0;
        bool added = false;
        platform::ProcessorCounterPath path;  // processor: the Windows number, a place in the list
        bool hasPrevious = false;
        Raw previous;
        std::uint64_t previousSequence = 0;
        double value = 0;
        long status = platform::kPdhCstatusInvalidData;
    };

    // The figures of the latest scrape, read once per scrape; null while
    // there is no scrape or the latest failed.
    const ScrapeFigures* figures();
    bool sample(const ScrapeFigures& f, const CounterState& c, Raw& out) const;
    void update(CounterState& c, bool sampled, const Raw& current, std::uint64_t sequence);

    const ScrapeFeed& feed_;
    std::string host_;
    std::shared_ptr<const Scrape> scrape_;  // the one figures_ were read from
    std::optional<ScrapeFigures> figures_;
    std::uint32_t processors_ = 1;  // as of the last good scrape
    platform::CounterTable<CounterState> counters_;
};

}  // namespace vel::remote
