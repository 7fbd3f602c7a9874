// Periodic timers in deadline order, with WM_TIMER's habits: a timer that
// fell behind fires once and then keeps its rhythm from now on. Pure logic;
// the caller supplies the time, so tests can drive it with a fake clock.
// With a slack, one wake-up serves every timer due within the slack of the
// earliest: the wait runs to the last of them, so no tick comes early, none
// is more than the slack late, and the order and count stay the same.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace vel::platform::linux_backend {

class TimerQueue {
public:
    using Id = std::uint32_t;

    Id add(std::uint32_t intervalMs, std::function<void()> tick, std::uint64_t nowMs);
    void remove(Id id);
    bool contains(Id id) const { return timers_.count(id) > 0; }
    std::size_t size() const { return timers_.size(); }

    // How much later than its deadline a tick may run to share a wake-up.
    void setSlack(std::uint32_t ms) { slackMs_ = ms; }
    std::uint32_t slack() const { return slackMs_; }

    // Earliest deadline, if any timer runs.
    std::optional<std::uint64_t> nextDeadline() const;
    // When to wake: the latest deadline within the slack of the earliest.
    std::optional<std::uint64_t> nextWake() const;
    // Milliseconds until the next wake-up (0 when due), -1 without timers;
    // capped so it fits poll()'s timeout.
    int waitMs(std::uint64_t nowMs) const;
    // Fires every timer due at nowMs once, earliest deadline first. Timers
    // may be added or removed from inside a tick: a removed timer that has
    // not fired yet in this batch does not fire; a new one waits its interval.
    // Returns the number of ticks run.
    int fireDue(std::uint64_t nowMs);

    // The deadline a timer is waiting for (for tests).
    std::optional<std::uint64_t> deadlineOf(Id id) const;

private:
    struct Timer {
        std::uint32_t intervalMs;
        std::uint64_t deadline;
        std::shared_ptr<std::function<void()>> tick;  // kept alive while it runs
    };
    std::map<Id, Timer> timers_;
    Id nextId_ = 1;
    std::uint32_t slackMs_ = 0;
};

}  // namespace vel::platform::linux_backend
