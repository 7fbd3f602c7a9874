#include "logscope/log_reader.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <numeric>

#include "logging/log_files.h"
#include "platform/common/civil_date.h"

namespace vel::logscope {

namespace {

// A log file larger than this is not one the logger wrote in an hour.
constexpr std::size_t kMostBytes = std::size_t{1} << 30;

// Memory and processors are levels; the network tables are growth except
// TCP's established connections and connection limit and UDP's no-port
// count and listener count (those are the counters themselves).
std::vector<SeriesInfo> makeCatalogue() {
    std::vector<SeriesInfo> c;
    const auto add = [&](Family f, int field, const char* name, bool growth, Colour colour) {
        c.push_back({f, field, name, growth, colour});
    };
    add(Family::Processors, 0, "CPU 0", false, rgb(0, 110, 220));
    add(Family::Processors, 1, "CPU 1", false, rgb(220, 60, 40));
    add(Family::Processors, 2, "CPU 2", false, rgb(30, 150, 60));
    add(Family::Processors, 3, "CPU 3", false, rgb(200, 140, 0));
    add(Family::Processors, 9, "CPU mean", false, rgb(20, 20, 20));
    add(Family::Memory, 0, "Physical free %", false, rgb(0, 110, 220));
    add(Family::Memory, 1, "Virtual free %", false, rgb(220, 60, 40));
    add(Family::Memory, 2, "Page file free %", false, rgb(30, 150, 60));
    add(Family::Memory, 3, "Combined load %", false, rgb(140, 60, 180));
    static const char* const kIp[] = {"IP in/s", "IP delivered/s", "IP discarded/s", "IP address errors/s",
                                      "IP out/s"};
    static const char* const kIcmp[] = {"ICMP in/s",       "ICMP echo in/s",     "ICMP echo reply in/s",
                                        "ICMP errors in/s", "ICMP unreach in/s", "ICMP time exceeded in/s",
                                        "ICMP out/s",      "ICMP echo out/s",    "ICMP echo reply out/s",
                                        "ICMP errors out/s", "ICMP unreach out/s", "ICMP time exceeded out/s"};
    static const char* const kTcp[] = {"TCP established",  "TCP resets/s",      "TCP connections",
                                       "TCP active opens/s", "TCP passive opens/s", "TCP failed attempts/s",
                                       "TCP segments in/s", "TCP segments out/s", "TCP retransmitted/s",
                                       "TCP errors in/s",   "TCP resets out/s"};
    static const char* const kUdp[] = {"UDP in/s", "UDP out/s", "UDP no port", "UDP listeners", "UDP errors in/s"};
    // A palette that stays apart on white, repeated along a table.
    static constexpr Colour kPalette[] = {rgb(0, 110, 220),  rgb(220, 60, 40),  rgb(30, 150, 60), rgb(200, 140, 0),
                                          rgb(140, 60, 180), rgb(0, 160, 170),  rgb(120, 80, 40), rgb(230, 90, 170),
                                          rgb(90, 90, 90),   rgb(150, 170, 0),  rgb(0, 60, 130),  rgb(170, 0, 60)};
    const auto table = [&](Family f, const char* const* names, int count, std::uint32_t levels) {
        for (int i = 0; i < count; ++i) add(f, i, names[i], !(levels >> i & 1), kPalette[i % 12]);
    };
    table(Family::IP, kIp, 5, 0);
    table(Family::ICMP, kIcmp, 12, 0);
    table(Family::TCP, kTcp, 11, 0b101);
    table(Family::UDP, kUdp, 5, 0b1100);
    return c;
}

int digit(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

// Two digits at s; -1 when either is not one.
int two(const char* s) {
    const int a = digit(s[0]), b = digit(s[1]);
    return a < 0 || b < 0 ? -1 : a * 10 + b;
}

int fieldOf(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c == 'A' || c == 'B') return c - 'A' + 10;
    return -1;
}

int daysIn(int y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : kDays[m - 1];
}

// The days since 1970 of each month start of 2000-2099, so a line's date
// costs a lookup rather than the calendar arithmetic.
const std::array<std::int32_t, 100 * 12>& monthStarts() {
    static const std::array<std::int32_t, 100 * 12> table = [] {
        std::array<std::int32_t, 100 * 12> t{};
        for (int y = 0; y < 100; ++y)
            for (int m = 0; m < 12; ++m)
                t[static_cast<std::size_t>(y * 12 + m)] =
                    static_cast<std::int32_t>(platform::daysFromCivil(2000 + y, m + 1, 1));
        return t;
    }();
    return table;
}

struct Line {
    std::int64_t time;
    int field;
    double value;
};

// "mm/dd/yy, hh:nn:ss.0mmm, T, F, value" between s and end (no line break).
bool parseLine(const char* s, const char* end, char type, Line& out) {
    if (end - s < 32) return false;
    if (s[2] != '/' || s[5] != '/' || s[8] != ',' || s[9] != ' ' || s[12] != ':' || s[15] != ':' || s[18] != '.' ||
        s[19] != '0' || s[23] != ',' || s[24] != ' ' || s[25] != type || s[26] != ',' || s[27] != ' ' ||
        s[29] != ',' || s[30] != ' ')
        return false;
    const int mo = two(s), d = two(s + 3), y = two(s + 6), h = two(s + 10), mi = two(s + 13), se = two(s + 16);
    const int msHigh = digit(s[20]), msLow = two(s + 21);
    if (mo < 1 || mo > 12 || y < 0 || d < 1 || d > daysIn(2000 + y, mo) || h < 0 || h > 23 || mi < 0 || mi > 59 ||
        se < 0 || se > 59 || msHigh < 0 || msLow < 0)
        return false;
    out.field = fieldOf(s[28]);
    if (out.field < 0) return false;
    const std::int64_t days = monthStarts()[static_cast<std::size_t>(y * 12 + mo - 1)] + d - 1;
    out.time = days * kDayMs + ((h * 60 + mi) * 60 + se) * std::int64_t{1000} + msHigh * 100 + msLow;
    // The value: an optional minus, digits, and for memory a fraction.
    const char* p = s + 31;
    const bool negative = *p == '-';
    if (negative) ++p;
    if (p == end || digit(*p) < 0) return false;
    std::int64_t whole = 0;
    int digits = 0;
    for (; p < end && digit(*p) >= 0; ++p) {
        if (++digits > 18) return false;
        whole = whole * 10 + digit(*p);
    }
    double value = static_cast<double>(whole);
    if (p < end && *p == '.') {
        ++p;
        if (p == end) return false;
        double scale = 0.1;
        for (; p < end && digit(*p) >= 0; p++, scale /= 10) value += digit(*p) * scale;
    }
    if (p != end) return false;
    out.value = negative ? -value : value;
    return true;
}

// Growth over the time between a point and the one before it; the first
// point after a gap (or of all) takes the time to the next one instead.
void toRates(Series& s) {
    const std::size_t n = s.time.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::int64_t before = i > 0 ? s.time[i] - s.time[i - 1] : 0;
        const std::int64_t after = i + 1 < n ? s.time[i + 1] - s.time[i] : 0;
        std::int64_t dt = before;
        if (dt <= 0 || (after > 0 && 2 * dt > 5 * after)) dt = after;
        if (dt <= 0) dt = before > 0 ? before : 1000;
        s.value[i] = s.value[i] * 1000.0 / static_cast<double>(dt);
    }
}

// The median of up to a thousand steps spread over the series.
std::int64_t usualStep(const std::vector<std::int64_t>& t) {
    if (t.size() < 2) return 1000;
    const std::size_t steps = t.size() - 1, samples = std::min<std::size_t>(steps, 1001);
    std::vector<std::int64_t> d(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        const std::size_t at = i * steps / samples;
        d[i] = t[at + 1] - t[at];
    }
    std::nth_element(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(samples / 2), d.end());
    return std::max<std::int64_t>(d[samples / 2], 1);
}

}  // namespace

const std::vector<SeriesInfo>& seriesCatalogue() {
    static const std::vector<SeriesInfo> catalogue = makeCatalogue();
    return catalogue;
}

std::string Skipped::text() const {
    return std::to_string(lines) + (lines == 1 ? " line skipped in " : " lines skipped in ") + file;
}

int familyOfLetter(char letter) { return letter >= 'a' && letter <= 'f' ? letter - 'a' : -1; }

Stamp stampOf(std::int64_t ms) {
    std::int64_t days = ms / kDayMs, rest = ms % kDayMs;
    if (rest < 0) {
        rest += kDayMs;
        --days;
    }
    Stamp t{};
    platform::civilFromDays(days, t.year, t.month, t.day);
    t.ms = static_cast<int>(rest % 1000);
    const int seconds = static_cast<int>(rest / 1000);
    t.hour = seconds / 3600;
    t.minute = seconds / 60 % 60;
    t.second = seconds % 60;
    return t;
}

std::vector<Period> findPeriods(platform::Files& files, const std::string& folder) {
    std::vector<platform::FolderEntry> entries;
    std::map<std::int64_t, Period> byHour;
    if (!files.listFolder(folder, entries)) return {};
    for (const platform::FolderEntry& e : entries) {
        if (e.kind != platform::FileKind::File) continue;
        const auto hour = logFileHour(e.name);
        if (!hour) continue;
        Period& p = byHour[*hour];
        p.hour = *hour;
        p.name = e.name.substr(1);
        p.families = static_cast<std::uint8_t>(p.families | 1u << familyOfLetter(e.name[0]));
    }
    std::vector<Period> out;
    out.reserve(byHour.size());
    for (auto& [hour, p] : byHour) out.push_back(std::move(p));
    return out;
}

LogSet::LogSet() {
    for (const SeriesInfo& info : seriesCatalogue()) series_[slot(info.family, info.field)].info = &info;
}

void LogSet::addFile(char letter, std::string_view name, std::string_view bytes) {
    const int family = familyOfLetter(letter);
    if (family < 0) return;
    const char type = kLogFamilies[static_cast<std::size_t>(family)].type;
    int bad = 0;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    Line line{};
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        // A last line without its break was cut off while being written.
        if (!lf) {
            ++bad;
            break;
        }
        const char* stop = lf > p && lf[-1] == '\r' ? lf - 1 : lf;
        Series* s = nullptr;
        if (parseLine(p, stop, type, line)) s = &series_[slot(static_cast<Family>(family), line.field)];
        if (s && s->info) {
            double v = line.value;
            // Counters are logged as signed 32-bit numbers: past 2^31 they
            // turn negative, and growth across that point reads as a
            // large negative step. Both stand for their value mod 2^32.
            if (family >= static_cast<int>(Family::ICMP) && v < 0)
                v = static_cast<double>(static_cast<std::uint32_t>(static_cast<std::int64_t>(v)));
            s->time.push_back(line.time);
            s->value.push_back(v);
            ++lines_;
        } else {
            ++bad;
        }
        p = lf + 1;
    }
    if (bad) skipped_.push_back({std::string(name), bad});
}

void LogSet::finish() {
    first_ = last_ = 0;
    bool any = false;
    for (Series& s : series_) {
        if (s.empty()) continue;
        if (!std::is_sorted(s.time.begin(), s.time.end())) {
            // A clock set back: keep the line in time order.
            std::vector<std::size_t> order(s.time.size());
            std::iota(order.begin(), order.end(), std::size_t{0});
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return s.time[a] < s.time[b]; });
            Series sorted;
            for (std::size_t i : order) {
                sorted.time.push_back(s.time[i]);
                sorted.value.push_back(s.value[i]);
            }
            s.time.swap(sorted.time);
            s.value.swap(sorted.value);
        }
        s.tick = usualStep(s.time);
        if (s.info->growth) toRates(s);
        first_ = any ? std::min(first_, s.time.front()) : s.time.front();
        last_ = any ? std::max(last_, s.time.back()) : s.time.back();
        any = true;
    }
}

LogSet LogSet::open(platform::Platform& os, const std::string& folder, const std::vector<Period>& periods) {
    LogSet set;
    std::string path;
    for (int family = 0; family < kFamilies; ++family) {
        for (const Period& p : periods) {
            if (!(p.families >> family & 1)) continue;
            const std::string name = std::string(1, static_cast<char>('a' + family)) + p.name;
            path = folder + os.pathSeparator() + name;
            if (const auto bytes = os.files().readFile(path, kMostBytes)) set.addFile(name[0], name, *bytes);
        }
    }
    set.finish();
    return set;
}

LogSet LogSet::openFiles(platform::Platform& os, std::vector<std::string> paths, std::vector<std::string>& unread) {
    const char sep = os.pathSeparator();
    auto baseName = [sep](const std::string& path) {
        const std::size_t cut = path.find_last_of(sep == '/' ? "/" : "/\\");
        return cut == std::string::npos ? path : path.substr(cut + 1);
    };
    // By family, then by hour: the order the files of a family must come in.
    std::sort(paths.begin(), paths.end(),
              [&](const std::string& a, const std::string& b) { return baseName(a) < baseName(b); });
    LogSet set;
    for (const std::string& path : paths) {
        const std::string name = baseName(path);
        std::optional<std::string> bytes;
        if (logFileHour(name)) bytes = os.files().readFile(path, kMostBytes);
        if (bytes)
            set.addFile(name[0], name, *bytes);
        else
            unread.push_back(path);
    }
    set.finish();
    return set;
}

std::vector<const Series*> LogSet::present() const {
    std::vector<const Series*> out;
    for (const SeriesInfo& info : seriesCatalogue())
        if (!series(info.family, info.field).empty()) out.push_back(&series(info.family, info.field));
    return out;
}

std::vector<const Series*> LogSet::present(Family f) const {
    std::vector<const Series*> out;
    for (const Series* s : present())
        if (s->info->family == f) out.push_back(s);
    return out;
}

}  // namespace vel::logscope
