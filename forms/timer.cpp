#include "forms/timer.h"

namespace vel::forms {

Timer::Timer(platform::Platform& os, std::string name, std::uint32_t interval, bool enabled)
    : os_(os), name_(std::move(name)), interval_(interval), enabled_(enabled) {
    restart();
}

Timer::~Timer() { release(); }

void Timer::release() {
    if (id_) os_.stopTimer(id_);
    id_ = 0;
    enabled_ = false;
}

void Timer::setInterval(std::uint32_t ms) {
    if (ms == interval_) return;
    interval_ = ms;
    restart();
}

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    restart();
}

void Timer::restart() {
    if (id_) os_.stopTimer(id_);
    id_ = 0;
    if (enabled_ && interval_ > 0) id_ = os_.startTimer(interval_, [this] { fire(); });
}

void Timer::fire() {
    // A tick that arrives while this timer's handler still runs (through a
    // nested "let events run") is dropped, never re-entered.
    if (running_ || !onTimer) return;
    running_ = true;
    ++ticks_;
    onTimer();
    running_ = false;
}

}  // namespace vel::forms
