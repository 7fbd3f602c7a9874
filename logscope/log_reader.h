// Reads the logger's files back into columns of numbers: one series per
// family and field, on one time line joined from the hourly files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/pixels.h"
#include "platform/platform.h"

namespace vel::logscope {

enum class Family : int { Processors = 0, Memory, ICMP, IP, TCP, UDP };
inline constexpr int kFamilies = 6;
inline constexpr int kFieldsPerFamily = 12;  // "0" to "9", "A", "B"
inline constexpr std::int64_t kDayMs = 86400000;

// What a series is: where its lines come from and how they read.
struct SeriesInfo {
    Family family;
    int field;
    const char* name;
    bool growth;  // the log holds growth since the previous tick: shown per second
    Colour colour;
};

// Every series the logger writes, in the order the legend lists them.
const std::vector<SeriesInfo>& seriesCatalogue();

// One series: times in ms since 1970 on the local clock, values as shown
// (growth already turned into a rate per second, wraps undone).
struct Series {
    const SeriesInfo* info = nullptr;
    std::vector<std::int64_t> time;
    std::vector<double> value;
    // The usual time between two points; a longer step than a few of these
    // is a gap in the line.
    std::int64_t tick = 1000;
    bool empty() const { return time.empty(); }
};

// A file's lines that could not be read.
struct Skipped {
    std::string file;
    int lines = 0;
    std::string text() const;  // "3 lines skipped in d2026-12-06-14.log"
};

// One period of the logs folder: the hour its name carries and the
// families that have a file for it.
struct Period {
    std::int64_t hour = 0;  // local seconds since 1970
    std::string name;       // "2026-12-06-14.log"
    std::uint8_t families = 0;  // bit i: family i's file is there
};

// The periods of a folder, oldest first. Names that are not log files are
// ignored; an unreadable folder gives none.
std::vector<Period> findPeriods(platform::Files& files, const std::string& folder);

// The series of a set of log files.
class LogSet {
public:
    LogSet();
    // Parses one file's bytes; `letter` is its family ('a' to 'f'). Files
    // of a family must come in time order; lines that cannot be read are
    // counted against `name`.
    void addFile(char letter, std::string_view name, std::string_view bytes);
    // After the last file: orders stray lines and turns growth into rates.
    void finish();

    // Reads the families' files of the periods from the folder. A file
    // that is missing is a gap in its family's line, not an error.
    static LogSet open(platform::Platform& os, const std::string& folder, const std::vector<Period>& periods);
    // Reads the named files, in any order; a name whose file is not a log
    // file, or cannot be read, is left out and returned in `unread`.
    static LogSet openFiles(platform::Platform& os, std::vector<std::string> paths, std::vector<std::string>& unread);

    const Series& series(Family f, int field) const { return series_[slot(f, field)]; }
    // The catalogue's series that have points, in catalogue order.
    std::vector<const Series*> present() const;
    std::vector<const Series*> present(Family f) const;
    const std::vector<Skipped>& skipped() const { return skipped_; }
    std::size_t lineCount() const { return lines_; }
    // The first and last time of any point; 0, 0 when there are none.
    std::int64_t first() const { return first_; }
    std::int64_t last() const { return last_; }

private:
    static std::size_t slot(Family f, int field) {
        return static_cast<std::size_t>(f) * kFieldsPerFamily + static_cast<std::size_t>(field);
    }
    std::array<Series, kFamilies * kFieldsPerFamily> series_;
    std::vector<Skipped> skipped_;
    std::size_t lines_ = 0;
    std::int64_t first_ = 0, last_ = 0;
};

// The family of a file letter, -1 for any other character.
int familyOfLetter(char letter);

// Civil date and time of a time in ms since 1970 (local).
struct Stamp {
    int year, month, day, hour, minute, second, ms;
};
Stamp stampOf(std::int64_t ms);

}  // namespace vel::logscope
