// Log file names, the rotation clock and the removal of old log files.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace vel {

// The six log families in the order they are written: file letter and the
// type character of their lines.
struct LogFamily {
    char letter;
    char type;
};
inline constexpr std::array<LogFamily, 6> kLogFamilies{{
    {'a', '0'},  // processors
    {'b', '1'},  // memory
    {'c', '3'},  // ICMP
    {'d', '2'},  // IP
    {'e', '4'},  // TCP
    {'f', '5'},  // UDP
}};

// "YYYY-MM-DD-hh.log" for a local time.
std::string logFileName(const platform::SystemTime& local);

// A local date-time in whole seconds since 1970: the resolution at which
// the rotation time is compared, as the system's date values have it.
std::int64_t localSeconds(const platform::SystemTime& local);

// Hours until the next set of names for a NEWLOG code (0-3); nullopt for
// any other code, whose rotation time then stays where it is.
std::optional<int> rotationHours(std::uint8_t newlog);

// The start of the hour a log file's name carries, in local seconds, when
// the whole name is "[a-f]YYYY-MM-DD-hh.log" with a real date and hour;
// nullopt for every other name.
std::optional<std::int64_t> logFileHour(std::string_view name);

// Deletes, in the folder, the plain files named like log files whose hour
// lies more than `days` days before `nowSeconds`. Links, folders, other
// names and the file named `keep` (after its letter) are left alone.
// Returns how many were deleted.
int deleteOldLogFiles(platform::Platform& os, const std::string& folder, int days, std::int64_t nowSeconds,
                      const std::string& keep);

}  // namespace vel
