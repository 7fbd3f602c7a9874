// The log files' check, shared by the tests that read logs back: Logscope
// reads every line, each ends in CR LF, and a tick writes each of the
// family's fields once. The exact line shape is in the logging scenarios.
#pragma once

#include <algorithm>
#include <string>

#include "logscope/log_reader.h"

namespace vel::test {

// The fields one tick writes for a family, every writer on: the processors'
// log has one line per processor up to four, then the mean (9) when there
// is more than one.
inline std::string logFieldOrder(int family, int processors) {
    if (family == 0) {
        std::string order;
        for (int p = 0; p < std::min(processors, 4); ++p) order += static_cast<char>('0' + p);
        return processors > 1 ? order + '9' : order;
    }
    constexpr const char* kOthers[] = {"0123", "0123456789AB", "01234", "0123456789A", "01234"};
    return kOthers[family - 1];
}

// The lines of the log file NAME holding TEXT, written with `processors`;
// -1 when a line is skipped, lacks its CR LF, or the fields are uneven.
inline long readableLogLines(const std::string& name, const std::string& text, int processors) {
    logscope::LogSet set;
    set.addFile(name[0], name, text);
    set.finish();
    const int family = name[0] - 'a';
    const std::string order = logFieldOrder(family, processors);
    const long lines = static_cast<long>(set.lineCount());
    for (int field = 0; field < logscope::kFieldsPerFamily; ++field) {
        const bool logged = order.find("0123456789AB"[field]) != std::string::npos;
        const std::size_t points = set.series(static_cast<logscope::Family>(family), field).time.size();
        if (points * order.size() != (logged ? static_cast<std::size_t>(lines) : 0)) return -1;
    }
    const bool crlf = std::count(text.begin(), text.end(), '\n') == lines &&
                      std::count(text.begin(), text.end(), '\r') == lines;
    return set.skipped().empty() && crlf ? lines : -1;
}

}  // namespace vel::test
