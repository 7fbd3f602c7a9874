#include "platform/linux/timer_queue.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace vel::platform::linux_backend {

TimerQueue::Id TimerQueue::add(std::uint32_t intervalMs, std::function<void()> tick, std::uint64_t nowMs) {
    Id id = nextId_++;
    if (nextId_ == 0) nextId_ = 1;
    std::uint32_t interval = std::max<std::uint32_t>(intervalMs, 1);
    timers_[id] = Timer{interval, nowMs + interval, std::make_shared<std::function<void()>>(std::move(tick))};
    return id;
}

void TimerQueue::remove(Id id) { timers_.erase(id); }

std::optional<std::uint64_t> TimerQueue::nextDeadline() const {
    std::optional<std::uint64_t> next;
    for (const auto& [id, t] : timers_)
        if (!next || t.deadline < *next) next = t.deadline;
    return next;
}

std::optional<std::uint64_t> TimerQueue::nextWake() const {
    auto first = nextDeadline();
    if (!first || slackMs_ == 0) return first;
    std::uint64_t wake = *first;
    for (const auto& [id, t] : timers_)
        if (t.deadline > wake && t.deadline <= *first + slackMs_) wake = t.deadline;
    return wake;
}

int TimerQueue::waitMs(std::uint64_t nowMs) const {
    auto next = nextWake();
    if (!next) return -1;
    if (*next <= nowMs) return 0;
    return static_cast<int>(std::min<std::uint64_t>(*next - nowMs, INT_MAX));
}

int TimerQueue::fireDue(std::uint64_t nowMs) {
    std::vector<std::pair<std::uint64_t, Id>> due;
    for (const auto& [id, t] : timers_)
        if (t.deadline <= nowMs) due.emplace_back(t.deadline, id);
    std::sort(due.begin(), due.end());
    int fired = 0;
    for (const auto& [deadline, id] : due) {
        auto it = timers_.find(id);
        // Stopped, or already fired by a nested loop inside an earlier tick.
        if (it == timers_.end() || it->second.deadline != deadline) continue;
        Timer& t = it->second;
        // Keep the rhythm; a timer that missed ticks fires once and restarts from now.
        t.deadline += t.intervalMs;
        if (t.deadline <= nowMs) t.deadline = nowMs + t.intervalMs;
        auto tick = t.tick;
        ++fired;
        (*tick)();
    }
    return fired;
}

std::optional<std::uint64_t> TimerQueue::deadlineOf(Id id) const {
    auto it = timers_.find(id);
    if (it == timers_.end()) return std::nullopt;
    return it->second.deadline;
}

}  // namespace vel::platform::linux_backend
