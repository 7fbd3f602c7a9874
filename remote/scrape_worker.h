#pragma once
// Fetches a metrics endpoint every period and keeps the latest finished
// attempt for the interface thread, which never waits for the network.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/http_api.h"
#include "remote/scrape.h"

namespace vel::remote {

class ScrapeWorker final : public ScrapeFeed {
public:
    // A steady clock in milliseconds: the time each answer is stamped with.
    using Clock = std::function<std::int64_t()>;
    enum class Mode {
        Thread,  // its own thread fetches every period
        Manual,  // the owner calls scrapeNow() (an HttpClient that answers at once)
    };

    ScrapeWorker(platform::HttpClient& http, platform::HttpRequest request, std::uint32_t periodMs, Mode mode,
                 Clock clock = {});
    // Stops the thread: at once between fetches, else when the fetch in
    // flight gives up (about a second; on Windows between reads, else at
    // the request's total time).
    ~ScrapeWorker() override;
    ScrapeWorker(const ScrapeWorker&) = delete;
    ScrapeWorker& operator=(const ScrapeWorker&) = delete;

    // The latest finished attempt; a good answer older than one and a half
    // periods (a period and 250 ms at the least) reads as failed, so a host that hangs rather than refuses
    // shows offline before the request's own time limit ends.
    std::shared_ptr<const Scrape> latest() const override;
    // One fetch and parse on the caller's thread, published when complete.
    void scrapeNow();
    // Waits at most `ms` for an attempt later than `sequence` to finish
    // (0: the first); true once one has.
    bool waitForAttemptAfter(std::uint64_t sequence, std::uint32_t ms);
    std::uint32_t periodMs() const { return periodMs_; }

private:
    void run();

    std::atomic<bool> abandoned_{false};  // the fetch in flight gives up: the worker ends
    platform::HttpClient& http_;
    const platform::HttpRequest request_;
    const std::uint32_t periodMs_;
    Clock clock_;
    std::uint64_t attempts_ = 0;  // touched only by the fetching thread

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::shared_ptr<const Scrape> latest_;
    mutable std::shared_ptr<const Scrape> overdue_;  // stands for latest_ once it is too old
    std::thread thread_;
};

}  // namespace vel::remote
