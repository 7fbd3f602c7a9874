// A log file's bytes as Logscope reads them: the first byte picks the
// family, the rest is the file. Whatever it holds, every line is either a
// point or counted as skipped, the time line is in order and each value is
// a number that can be drawn.
#include <cmath>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "logscope/chart.h"

using namespace vel::logscope;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vel::fuzz::require;
    if (size == 0) return 0;
    const char letter = static_cast<char>('a' + data[0] % 6);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::size_t breaks = 0;
    for (char c : bytes) breaks += c == '\n';
    LogSet set;
    set.addFile(letter, "x", bytes);
    set.finish();
    std::size_t skipped = 0;
    for (const Skipped& s : set.skipped()) skipped += static_cast<std::size_t>(s.lines);
    const std::size_t lines = breaks + (bytes.empty() || bytes.back() == '\n' ? 0 : 1);
    require(set.lineCount() + skipped == lines, "a line neither read nor counted as skipped");
    for (const Series* s : set.present()) {
        require(s->time.size() == s->value.size(), "columns of different lengths");
        for (std::size_t i = 0; i < s->time.size(); ++i) {
            require(i == 0 || s->time[i - 1] <= s->time[i], "time out of order");
            require(std::isfinite(s->value[i]), "a value that is not a number");
            require(static_cast<int>(s->info->family) < 2 || s->value[i] >= 0, "a negative network figure");
        }
    }
    // And it draws over its whole span without touching memory it has not.
    if (set.lineCount() > 0) {
        vel::Pixels p(160, 90);
        std::vector<Reduced> work;
        drawChart(p, set.present(), {set.first(), set.last() + 1}, work);
    }
    return 0;
}
