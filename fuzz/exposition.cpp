// A metrics endpoint's answer: the text format, then a remote machine's
// figures from it. The first half of the input is one scrape and the whole
// input the next, so the counters see an interval.
#include <cmath>
#include <memory>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "remote/exposition.h"
#include "remote/remote_sources.h"

using namespace vel::platform;
using vel::fuzz::require;

namespace {

class Feed : public vel::remote::ScrapeFeed {
public:
    std::shared_ptr<const vel::remote::Scrape> latest() const override { return scrape; }
    std::shared_ptr<const vel::remote::Scrape> scrape;
};

std::shared_ptr<vel::remote::Scrape> scrapeOf(std::string_view text, std::uint64_t sequence) {
    auto s = std::make_shared<vel::remote::Scrape>();
    std::size_t skipped = 0;
    const bool any = vel::remote::parseExposition(text, s->samples, skipped);
    require(any == !s->samples.empty(), "a sample reported that is not there, or one not reported");
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n';
    require(s->samples.size() + skipped <= lines, "more samples and skipped lines than lines");
    for (const auto& sample : s->samples) {
        require(!sample.name.empty(), "a sample without a name");
        require(sample.labels.size() <= 64, "more labels than a line may carry");
    }
    s->ok = true;
    s->sequence = sequence;
    s->fetchedAtMs = static_cast<std::int64_t>(sequence) * 1000;
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Feed feed;
    vel::remote::RemoteSources sources(feed, "fuzz:9100");
    Sources::Query query = 0;
    sources.openQuery(query);
    std::vector<Sources::Counter> counters;
    for (const char* path : {"\\Processor(_Total)\\% Processor Time", "\\Processor(0)\\% Idle Time",
                             "\\Processor(1)\\% Interrupt Time", "\\Processor(_Total)\\Interrupts/sec"}) {
        Sources::Counter c = 0;
        sources.addCounter(query, path, c);
        counters.push_back(c);
    }
    const std::size_t half = text.find('\n', text.size() / 2);
    for (std::uint64_t sequence : {1, 2}) {
        feed.scrape = scrapeOf(sequence == 1 ? text.substr(0, half == text.npos ? 0 : half) : text, sequence);
        sources.collectQueryData(query);
        for (std::size_t i = 0; i < counters.size(); ++i) {
            long status = 0;
            const double v = sources.counterValue(counters[i], status);
            require(std::isfinite(v) && v >= 0, "a counter that is no figure");
            require(i == 3 || v <= 100, "a percentage above 100");
        }
    }
    require(sources.numberOfProcessors() >= 1 && sources.numberOfProcessors() <= 64, "a processor count Windows never gives");
    MemoryStatusEx m;
    if (sources.memoryStatus(m)) {
        require(m.memoryLoad <= 100, "a memory load above 100 %");
        require(m.availPhys <= m.totalPhys && m.availPageFile <= m.totalPageFile, "more available than there is");
    }
    MibIpStats ip;
    MibIcmp icmp;
    MibTcpStats tcp;
    MibUdpStats udp;
    sources.ipStatistics(ip);
    sources.icmpStatistics(icmp);
    sources.tcpStatistics(tcp);
    sources.udpStatistics(udp);
    std::vector<HardwareObject> objects;
    for (const char* name : {"Win32_BaseBoard", "Win32_BIOS", "Win32_Processor", "Win32_PhysicalMemory"})
        require(sources.queryHardware(std::string("Select * from ") + name, objects), "an inventory class went unanswered");
    return 0;
}
