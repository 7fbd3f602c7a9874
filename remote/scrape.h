#pragma once
// One answer of a metrics endpoint (a node exporter's /metrics or a
// Prometheus server's /federate), parsed off the interface thread.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vel::remote {

struct Sample {
    std::string name;
    std::vector<std::pair<std::string, std::string>> labels;  // in the order written
    double value = 0;
    std::optional<std::int64_t> timestampMs;  // federated samples carry the server's scrape time
};

struct Scrape {
    bool ok = false;             // false: unreachable, refused, timed out or not the text format
    std::string error;           // for the user; never holds a user name or a token
    std::int64_t fetchedAtMs = 0;  // steady clock, when the answer was complete
    std::uint64_t sequence = 0;    // grows by one per finished attempt
    std::vector<Sample> samples;
};

// What a remote source reads on each tick: the latest finished attempt.
// Never blocks; null before the first attempt has finished.
class ScrapeFeed {
public:
    virtual ~ScrapeFeed() = default;
    virtual std::shared_ptr<const Scrape> latest() const = 0;
};

}  // namespace vel::remote
