#include "logscope/periods.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace vel::logscope {

namespace {
constexpr std::int64_t kHourMs = 3600000;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }
}  // namespace

std::int64_t dayStart(std::int64_t ms) { return floorDiv(ms, kDayMs) * kDayMs; }

std::vector<Day> daysOf(const LogSet& logs) {
    std::map<std::int64_t, std::uint32_t> hours;
    // One search per hour that has points, not a look at every point.
    for (const Series* s : logs.present()) {
        auto it = s->time.begin();
        while (it != s->time.end()) {
            const std::int64_t hour = floorDiv(*it, kHourMs);
            hours[dayStart(*it)] |= 1u << (hour - floorDiv(dayStart(*it), kHourMs));
            it = std::lower_bound(it, s->time.end(), (hour + 1) * kHourMs);
        }
    }
    std::vector<Day> out;
    for (const auto& [start, bits] : hours) out.push_back({start, bits});
    return out;
}

std::string dayText(const Day& d) {
    static constexpr const char* kWeekdays[7] = {"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"};
    const Stamp s = stampOf(d.start);
    char text[80];
    const std::int64_t days = floorDiv(d.start, kDayMs);
    std::snprintf(text, sizeof text, "%s %04d-%02d-%02d ", kWeekdays[(days % 7 + 7) % 7], s.year, s.month, s.day);
    std::string out = text;
    // The hours as runs: "00-09, 14-23 h".
    bool first = true;
    for (int h = 0; h < 24;) {
        if (!(d.hours >> h & 1)) {
            ++h;
            continue;
        }
        int end = h;
        while (end + 1 < 24 && (d.hours >> (end + 1) & 1)) ++end;
        if (end > h)
            std::snprintf(text, sizeof text, "%s%02d-%02d", first ? " " : ", ", h, end);
        else
            std::snprintf(text, sizeof text, "%s%02d", first ? " " : ", ", h);
        out += text;
        first = false;
        h = end + 1;
    }
    return out + " h";
}

}  // namespace vel::logscope
