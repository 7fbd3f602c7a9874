#include "remote/scrape_worker.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>

#include "remote/exposition.h"

namespace vel::remote {

namespace {

std::int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

platform::HttpRequest withAbandon(platform::HttpRequest request, const std::atomic<bool>& abandon) {
    request.abandon = &abandon;
    return request;
}

}  // namespace

ScrapeWorker::ScrapeWorker(platform::HttpClient& http, platform::HttpRequest request, std::uint32_t periodMs,
                           Mode mode, Clock clock)
    : http_(http), request_(withAbandon(std::move(request), abandoned_)), periodMs_(periodMs ? periodMs : 1000),
      clock_(clock ? std::move(clock) : Clock(steadyMs)) {
    if (mode == Mode::Thread) thread_ = std::thread([this] { run(); });
}

ScrapeWorker::~ScrapeWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    abandoned_ = true;
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

std::shared_ptr<const Scrape> ScrapeWorker::latest() const {
    std::lock_guard lock(mutex_);
    // Half a period late, and a quarter of a second at the least, so short
    // periods survive a busy machine.
    const std::int64_t overdueAfter = periodMs_ + std::max<std::int64_t>(periodMs_ / 2, 250);
    if (!latest_ || !latest_->ok || clock_() - latest_->fetchedAtMs <= overdueAfter) return latest_;
    if (!overdue_ || overdue_->sequence != latest_->sequence) {
        auto overdue = std::make_shared<Scrape>();
        overdue->error = "no answer within " + std::to_string(overdueAfter) + " ms";
        overdue->fetchedAtMs = latest_->fetchedAtMs;
        overdue->sequence = latest_->sequence;
        overdue_ = std::move(overdue);
    }
    return overdue_;
}

void ScrapeWorker::scrapeNow() {
    auto scrape = std::make_shared<Scrape>();
    platform::HttpResult answer = http_.get(request_);
    if (answer.ok) {
        std::size_t skipped = 0;
        scrape->ok = parseExposition(answer.body, scrape->samples, skipped);
        if (!scrape->ok) scrape->error = "the answer holds no metrics";
    } else {
        scrape->error = std::move(answer.error);
    }
    scrape->fetchedAtMs = clock_();
    scrape->sequence = ++attempts_;
    std::shared_ptr<const Scrape> done = std::move(scrape);
    {
        std::lock_guard lock(mutex_);
        latest_.swap(done);
    }
    wake_.notify_all();
    // The old scrape is freed outside the lock, by whoever held it last.
}

bool ScrapeWorker::waitForAttemptAfter(std::uint64_t sequence, std::uint32_t ms) {
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, std::chrono::milliseconds(ms),
                          [&] { return latest_ != nullptr && latest_->sequence > sequence; });
}

void ScrapeWorker::run() {
    const auto period = std::chrono::milliseconds(periodMs_);
    auto next = std::chrono::steady_clock::now();
    for (;;) {
        scrapeNow();
        next += period;
        const auto now = std::chrono::steady_clock::now();
        // After a fetch that took longer than a period, start again at once
        // rather than run a burst to catch up.
        if (next < now) next = now;
        std::unique_lock lock(mutex_);
        if (wake_.wait_until(lock, next, [this] { return stopping_; })) return;
    }
}

}  // namespace vel::remote
