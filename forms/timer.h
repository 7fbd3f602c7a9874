// The timer control: a periodic tick owned by a form.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/platform.h"

namespace vel::forms {

class Timer {
public:
    Timer(platform::Platform& os, std::string name, std::uint32_t interval, bool enabled);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    std::uint32_t interval() const { return interval_; }
    // Interval 0 stops the timer, as it does for the classic control.
    void setInterval(std::uint32_t ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    // Stops it for good (the form is unloading).
    void release();

    std::function<void()> onTimer;
    // Ticks delivered so far (for tests and prints).
    std::uint64_t ticks() const { return ticks_; }

private:
    void restart();
    void fire();
    platform::Platform& os_;
    std::string name_;
    std::uint32_t interval_;
    bool enabled_;
    bool running_ = false;  // inside onTimer: a nested tick is skipped
    platform::TimerId id_ = 0;
    std::uint64_t ticks_ = 0;
};

}  // namespace vel::forms
