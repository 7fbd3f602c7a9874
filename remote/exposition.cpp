// One pass over the text, line by line; each line is read left to right
// once, so any answer costs time in proportion to its length.
#include "remote/exposition.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/common/memory_registry.h"

namespace vel::remote {

namespace {

// No exporter writes more; a line beyond it is hostile or broken, and the
// duplicate check stays small.
constexpr std::size_t kMaxLabels = 64;

bool isNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9'); }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

class LineReader {
public:
    explicit LineReader(std::string_view line) : s_(line) {}

    void skipBlanks() {
        while (i_ < s_.size() && isBlank(s_[i_])) ++i_;
    }
    bool atEnd() const { return i_ >= s_.size(); }
    char peek() const { return i_ < s_.size() ? s_[i_] : '\0'; }
    bool take(char c) {
        if (peek() != c || atEnd()) return false;
        ++i_;
        return true;
    }

    // Metric names may also hold colons; label names may not.
    bool name(std::string& out, bool colons) {
        const std::size_t start = i_;
        auto fits = [&](char c, bool first) {
            return (first ? isNameStart(c) : isNameChar(c)) || (colons && c == ':');
        };
        if (atEnd() || !fits(s_[i_], true)) return false;
        ++i_;
        while (i_ < s_.size() && fits(s_[i_], false)) ++i_;
        out.assign(s_.substr(start, i_ - start));
        return true;
    }

    // A double-quoted value with the three escapes the format knows.
    bool quoted(std::string& out) {
        if (!take('"')) return false;
        out.clear();
        while (i_ < s_.size()) {
            const char c = s_[i_++];
            if (c == '"') return true;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (i_ >= s_.size()) return false;
            const char e = s_[i_++];
            if (e == '\\' || e == '"')
                out.push_back(e);
            else if (e == 'n')
                out.push_back('\n');
            else
                return false;
        }
        return false;
    }

    // The next run of non-blank characters.
    std::string_view token() {
        const std::size_t start = i_;
        while (i_ < s_.size() && !isBlank(s_[i_])) ++i_;
        return s_.substr(start, i_ - start);
    }

private:
    std::string_view s_;
    std::size_t i_ = 0;
};

bool parseValue(std::string_view t, double& out) {
    if (t.empty()) return false;
    bool negative = false;
    std::string_view body = t;
    if (body[0] == '+' || body[0] == '-') {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    const std::string word = body.size() <= 8 ? platform::lowerAscii(std::string(body)) : std::string();
    if (word == "inf" || word == "infinity") {
        out = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        return true;
    }
    if (word == "nan") {
        out = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    // from_chars would take "nan(...)" and "inf" spellings of its own; only digits go there.
    if (body.empty() || !((body[0] >= '0' && body[0] <= '9') || body[0] == '.')) return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), v, std::chars_format::general);
    if (end != body.data() + body.size()) return false;
    // Out of range: from_chars leaves v alone; the figure is as large as a double goes.
    if (ec == std::errc::result_out_of_range)
        v = std::numeric_limits<double>::infinity();
    else if (ec != std::errc())
        return false;
    out = negative ? -v : v;
    return true;
}

bool parseTimestamp(std::string_view t, std::int64_t& out) {
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
    return !t.empty() && ec == std::errc() && end == t.data() + t.size();
}

bool parseLabels(LineReader& r, Sample& sample) {
    std::string key, value;
    for (;;) {
        r.skipBlanks();
        if (r.take('}')) return true;
        if (!r.name(key, false)) return false;
        r.skipBlanks();
        if (!r.take('=')) return false;
        r.skipBlanks();
        if (!r.quoted(value)) return false;
        if (sample.labels.size() >= kMaxLabels) return false;
        for (const auto& existing : sample.labels)
            if (existing.first == key) return false;
        sample.labels.emplace_back(key, value);
        r.skipBlanks();
        if (r.take(',')) continue;
        if (r.take('}')) return true;
        return false;
    }
}

bool parseSampleLine(std::string_view line, Sample& sample) {
    LineReader r(line);
    r.skipBlanks();
    if (!r.name(sample.name, true)) return false;
    if (!isBlank(r.peek()) && r.peek() != '{') return false;
    r.skipBlanks();
    if (r.take('{') && !parseLabels(r, sample)) return false;
    r.skipBlanks();
    if (!parseValue(r.token(), sample.value)) return false;
    r.skipBlanks();
    if (!r.atEnd()) {
        std::int64_t ts = 0;
        if (!parseTimestamp(r.token(), ts)) return false;
        sample.timestampMs = ts;
        r.skipBlanks();
        if (!r.atEnd()) return false;
    }
    return true;
}

}  // namespace

bool parseExposition(std::string_view text, std::vector<Sample>& out, std::size_t& skipped) {
    const std::size_t before = out.size();
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::size_t first = 0;
        while (first < line.size() && isBlank(line[first])) ++first;
        if (first == line.size() || line[first] == '#') continue;
        Sample sample;
        try {
            if (parseSampleLine(line, sample))
                out.push_back(std::move(sample));
            else
                ++skipped;
        } catch (const std::exception&) {
            // Out of memory on a hostile line: that line is lost, not the answer.
            ++skipped;
        }
    }
    return out.size() > before;
}

}  // namespace vel::remote
