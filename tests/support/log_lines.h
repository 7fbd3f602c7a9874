// The log files' line check, shared by the tests that read logs back: every
// line "mm/dd/yy, hh:nn:ss.0mmm, T, F, value" and CR LF, the fields of a
// family in their order tick after tick.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "logging/log_files.h"

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

namespace detail {
// Whether P starts like SHAPE, where '#' stands for any digit.
inline bool shaped(const char* p, const std::string& shape) {
    for (std::size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == '#' ? p[i] < '0' || p[i] > '9' : p[i] != shape[i]) return false;
    return true;
}
}  // namespace detail

// Counts the lines of one log file of FAMILY, checking each character by
// character with the fields in ORDER. Returns -1 at the first malformed
// line, and says which in PROBLEM.
inline long parseLogFile(const std::string& text, int family, const std::string& order, std::string& problem) {
    std::vector<std::string> heads;
    for (char field : order)
        heads.push_back(std::string("##/##/##, ##:##:##.0###, ") + kLogFamilies[static_cast<std::size_t>(family)].type +
                        ", " + field + ", ");
    std::size_t expect = 0;
    long count = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* line = p;
        bool ok = end - p > 33 && detail::shaped(p, heads[expect]);
        p += 31;
        if (ok && *p == '-') ++p;
        const char* num = p;
        while (ok && p < end && *p >= '0' && *p <= '9') ++p;
        ok = ok && p > num;
        if (ok && p < end && *p == '.') {
            const char* frac = ++p;
            while (p < end && *p >= '0' && *p <= '9') ++p;
            ok = p > frac && p - frac <= 4 && p[-1] != '0';
        }
        ok = ok && end - p >= 2 && p[0] == '\r' && p[1] == '\n';
        if (!ok) {
            problem =
                "line " + std::to_string(count + 1) + ": " + std::string(line, std::min<std::size_t>(60, end - line));
            return -1;
        }
        p += 2;
        expect = (expect + 1) % order.size();
        ++count;
    }
    if (expect != 0) {
        problem = "the file ends inside a tick's lines";
        return -1;
    }
    return count;
}

}  // namespace vel::test
