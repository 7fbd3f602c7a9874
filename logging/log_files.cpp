#include "logging/log_files.h"

#include <vector>

#include "core/vb.h"
#include "platform/common/civil_date.h"

namespace vel {

std::string logFileName(const platform::SystemTime& local) { return formatDate(local, "YYYY-MM-DD-hh") + ".log"; }

std::int64_t localSeconds(const platform::SystemTime& t) {
    return platform::daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

std::optional<int> rotationHours(std::uint8_t newlog) {
    switch (newlog) {
        case 0: return 1;
        case 1: return 2;
        case 2: return 4;
        case 3: return 8;
        default: return std::nullopt;
    }
}

namespace {

// The number the digits at [from, from + count) spell; nullopt when one is not a digit.
std::optional<int> digitsAt(std::string_view s, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        value = value * 10 + (s[i] - '0');
    }
    return value;
}

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

}  // namespace

std::optional<std::int64_t> logFileHour(std::string_view name) {
    // a2008-03-07-14.log
    constexpr std::string_view kSuffix = ".log";
    if (name.size() != 18 || name[0] < 'a' || name[0] > 'f') return std::nullopt;
    if (name[5] != '-' || name[8] != '-' || name[11] != '-' || name.substr(14) != kSuffix) return std::nullopt;
    const auto year = digitsAt(name, 1, 4), month = digitsAt(name, 6, 2), day = digitsAt(name, 9, 2),
               hour = digitsAt(name, 12, 2);
    if (!year || !month || !day || !hour) return std::nullopt;
    if (*month < 1 || *month > 12 || *day < 1 || *day > daysInMonth(*year, *month) || *hour > 23) return std::nullopt;
    return platform::daysFromCivil(*year, *month, *day) * 86400 + static_cast<std::int64_t>(*hour) * 3600;
}

int deleteOldLogFiles(platform::Platform& os, const std::string& folder, int days, std::int64_t nowSeconds,
                      const std::string& keep) {
    std::vector<platform::FolderEntry> entries;
    if (days <= 0 || !os.files().listFolder(folder, entries)) return 0;
    const std::int64_t oldest = nowSeconds - static_cast<std::int64_t>(days) * 86400;
    const char sep = os.pathSeparator();
    int deleted = 0;
    for (const platform::FolderEntry& e : entries) {
        if (e.kind != platform::FileKind::File) continue;
        const auto hour = logFileHour(e.name);
        if (!hour || *hour >= oldest) continue;
        if (!keep.empty() && std::string_view(e.name).substr(1) == keep) continue;
        const std::string path = folder + sep + e.name;
        // Looked at again right before: what was a plain file in the listing
        // may have been swapped for a link since.
        if (os.files().fileKind(path) == platform::FileKind::File && os.files().deleteFile(path)) ++deleted;
    }
    return deleted;
}

}  // namespace vel
