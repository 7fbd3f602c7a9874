#include "platform/sim/sim_platform.h"

#include <algorithm>
#include <filesystem>

#include "platform/sim/sim_sources.h"

namespace vel::platform {

SimPlatform::SimPlatform() : sources_(std::make_unique<SimSources>()) {
    // A fixed, ordinary moment keeps every run identical.
    setClock(SystemTime{2026, 12, 6, 5, 9, 30, 0, 0});
}

SimPlatform::~SimPlatform() = default;

Sources& SimPlatform::sources() {
    if (Sources* other = replacementSources()) return *other;
    return *sources_;
}
SimSources& SimPlatform::simSources() { return *sources_; }

void SimPlatform::setScale(int scale) {
    const Point at = scale_.toLogical(cursor_);
    scale_ = DisplayScale(scale);
    cursor_ = scale_.toDevice(at);
}

TimerId SimPlatform::startTimer(std::uint32_t intervalMs, std::function<void()> tick) {
    TimerId id = nextTimer_++;
    std::uint32_t interval = std::max<std::uint32_t>(intervalMs, 1);
    timers_.push_back({id, interval, nowUs_ + static_cast<std::int64_t>(interval) * 1000, std::move(tick), true});
    return id;
}

void SimPlatform::stopTimer(TimerId id) {
    for (auto& t : timers_)
        if (t.id == id) t.active = false;
}

bool SimPlatform::fireDueTimers(std::int64_t untilUs) {
    // Fires the earliest due timer once; its next tick counts from now, and
    // ticks missed during a pause are not repeated, as WM_TIMER coalesces.
    SimTimer* due = nullptr;
    for (auto& t : timers_)
        if (t.active && t.nextUs <= untilUs && (!due || t.nextUs < due->nextUs)) due = &t;
    if (!due) return false;
    if (due->nextUs > nowUs_) nowUs_ = due->nextUs;
    due->nextUs = nowUs_ + static_cast<std::int64_t>(due->interval) * 1000;
    auto tick = due->tick;  // the vector may grow inside the tick
    tick();
    return true;
}

void SimPlatform::idle() {
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [](const SimTimer& t) { return !t.active; }),
                  timers_.end());
    if (idleHook_) idleHook_();
    if (afterIdle_) afterIdle_();
}

void SimPlatform::doEvents() {
    ++loopDepth_;
    int guard = 0;
    while (!quitting_ && fireDueTimers(nowUs_) && ++guard < 1000) {
    }
    idle();
    --loopDepth_;
}

void SimPlatform::advance(std::uint64_t ms) {
    std::int64_t target = nowUs_ + static_cast<std::int64_t>(ms) * 1000;
    while (!quitting_ && fireDueTimers(target)) {
        if (loopDepth_ == 0) idle();
    }
    if (nowUs_ < target) nowUs_ = target;
    idle();
}

int SimPlatform::runLoop() {
    while (!quitting_) {
        std::int64_t next = -1;
        for (const auto& t : timers_)
            if (t.active && (next < 0 || t.nextUs < next)) next = t.nextUs;
        if (next < 0) break;
        advance(static_cast<std::uint64_t>((next - nowUs_) / 1000 + 1));
    }
    return exitCode_;
}

void SimPlatform::quit(int exitCode) {
    quitting_ = true;
    exitCode_ = exitCode;
}

void SimPlatform::sleep(std::uint32_t ms) { nowUs_ += static_cast<std::int64_t>(ms) * 1000; }

void SimPlatform::setClock(const SystemTime& local, int utcOffsetMinutes) {
    std::int64_t seconds = daysFromCivil(local.year, local.month, local.day) * 86400 + local.hour * 3600 +
                           local.minute * 60 + local.second;
    clockBaseUs_ = seconds * 1000'000 + static_cast<std::int64_t>(local.milliseconds) * 1000 - nowUs_;
    utcOffsetMinutes_ = utcOffsetMinutes;
}

namespace {
SystemTime fromSeconds(std::int64_t seconds, int ms) {
    SystemTime t;
    std::int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    std::int64_t rest = seconds - days * 86400;
    civilFromDays(days, t.year, t.month, t.day);
    t.dayOfWeek = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    t.milliseconds = ms;
    return t;
}
}  // namespace

SystemTime SimPlatform::localTime() {
    std::int64_t ms = (clockBaseUs_ + nowUs_) / 1000;
    return fromSeconds(ms / 1000, static_cast<int>(ms % 1000));
}

SystemTime SimPlatform::systemTime() {
    std::int64_t ms = (clockBaseUs_ + nowUs_) / 1000 - static_cast<std::int64_t>(utcOffsetMinutes_) * 60000;
    return fromSeconds(ms / 1000, static_cast<int>(ms % 1000));
}

std::int64_t SimPlatform::perfCounter() {
    // A read costs a microsecond of virtual time, so busy-waits end.
    nowUs_ += 1;
    return nowUs_ * 10;
}

int SimPlatform::messageBox(const std::string& text, const std::string& title, int style) {
    int answer;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    } else if ((style & 0xF) == mb::YesNo) {
        answer = (style & mb::DefaultButton2) ? mb::IdNo : mb::IdYes;
    } else {
        answer = mb::IdOk;
    }
    messages_.push_back({text, title, style, answer});
    return answer;
}

long SimPlatform::shellExecute(const std::string& file, const std::string& params, int showCmd) {
    std::error_code ec;
    long result = std::filesystem::exists(nativePath(file), ec) ? 42 : 2;
    launches_.push_back({file, params, showCmd, result});
    return result;
}

bool SimPlatform::claimSingleInstance(const std::string&) { return !otherInstance_; }

std::string SimPlatform::nativePath(const std::string& path) const {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

void SimPlatform::mirrorAutostart(bool enabled, const std::string& command) {
    autostart_ = enabled;
    autostartCommand_ = enabled ? command : std::string();
}

}  // namespace vel::platform
