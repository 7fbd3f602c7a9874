#include "core/inifile.h"

#include <limits>
#include <string_view>

namespace vel {

namespace {

std::string_view trimView(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// One physical line and where it lies in the file.
struct LineSpan {
    std::size_t begin, end;  // end excludes the line break
    std::size_t next;        // start of the next line
};

template <class F>
void forEachLine(const std::string& text, F&& f) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        std::size_t end = nl == std::string::npos ? text.size() : nl;
        std::size_t next = nl == std::string::npos ? text.size() : nl + 1;
        std::size_t contentEnd = end > pos && text[end - 1] == '\r' ? end - 1 : end;
        if (!f(LineSpan{pos, contentEnd, next})) return;
        pos = next;
    }
}

// Section header name, or nullopt when the line is not a header.
bool sectionName(std::string_view line, std::string_view& name) {
    line = trimView(line);
    if (line.empty() || line.front() != '[') return false;
    std::size_t close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = trimView(line.substr(1, close - 1));
    return true;
}

bool keyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    std::string_view t = trimView(line);
    if (t.empty() || t.front() == ';') return false;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = trimView(line.substr(0, eq));
    value = trimView(line.substr(eq + 1));
    return true;
}

std::string unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v.substr(0, kIniBufferSize - 1));
}

// Calls f(key, value) for each key of the first section of that name, in
// file order, until f returns false.
template <class F>
void forEachKey(const std::string& contents, const std::string& section, F&& f) {
    std::string_view wantSection = trimView(section);
    bool inSection = false, sectionSeen = false;
    forEachLine(contents, [&](const LineSpan& span) {
        std::string_view line(contents.data() + span.begin, span.end - span.begin);
        std::string_view name;
        if (sectionName(line, name)) {
            if (inSection) return false;  // the first section of that name is the only one read
            inSection = !sectionSeen && equalNoCase(name, wantSection);
            sectionSeen = sectionSeen || inSection;
            return true;
        }
        std::string_view k, v;
        return !(inSection && keyValue(line, k, v)) || f(k, v);
    });
}

}  // namespace

std::string iniLookup(const std::string& contents, const std::string& section, const std::string& key) {
    std::string_view wantKey = trimView(key);
    std::string result;
    forEachKey(contents, section, [&](std::string_view k, std::string_view v) {
        if (!equalNoCase(k, wantKey)) return true;
        result = unquote(v);
        return false;
    });
    return result;
}

IniKeys iniSectionKeys(const std::string& contents, const std::string& section) {
    IniKeys keys;
    forEachKey(contents, section, [&](std::string_view k, std::string_view v) {
        keys.emplace_back(std::string(k), std::string(v));
        return true;
    });
    return keys;
}

std::string iniUpdate(const std::string& contents, const std::string& section, const std::string& key,
                      const std::string& value) {
    std::string_view wantSection = trimView(section), wantKey = trimView(key);
    std::string eol = contents.find("\r\n") != std::string::npos || contents.find('\n') == std::string::npos
                          ? "\r\n"
                          : "\n";
    std::string newLine = std::string(wantKey) + "=" + value;
    bool inSection = false, sectionFound = false;
    std::size_t insertAt = std::string::npos;  // after the section's last non-blank line
    std::size_t replaceBegin = std::string::npos, replaceEnd = 0;
    forEachLine(contents, [&](const LineSpan& span) {
        std::string_view line(contents.data() + span.begin, span.end - span.begin);
        std::string_view name;
        if (sectionName(line, name)) {
            if (inSection) return false;
            inSection = !sectionFound && equalNoCase(name, wantSection);
            if (inSection) {
                sectionFound = true;
                insertAt = span.next;
            }
            return true;
        }
        if (!inSection) return true;
        std::string_view k, v;
        if (keyValue(line, k, v) && equalNoCase(k, wantKey)) {
            replaceBegin = span.begin;
            replaceEnd = span.end;
            return false;
        }
        if (!trimView(line).empty()) insertAt = span.next;
        return true;
    });
    if (replaceBegin != std::string::npos)
        return contents.substr(0, replaceBegin) + newLine + contents.substr(replaceEnd);
    if (sectionFound) {
        std::string before = contents.substr(0, insertAt);
        // The section's last line may lack its line break at the end of the file.
        if (!before.empty() && before.back() != '\n') before += eol;
        return before + newLine + eol + contents.substr(insertAt);
    }
    std::string out = contents;
    if (!out.empty() && out.back() != '\n') out += eol;
    out += "[" + std::string(wantSection) + "]" + eol + newLine + eol;
    return out;
}

void IniFile::setPath(const std::string& path) {
    path_ = path;
    stamp_.reset();
    contents_.clear();
}

// The file's text, read again only when its stamp changed; nullptr when it
// cannot be read.
const std::string* IniFile::contents() {
    const auto stamp = files_.fileStamp(path_);
    if (!stamp) return nullptr;
    if (stamp_ != stamp || contents_.size() != stamp->size) {
        auto text = files_.readFile(path_, std::numeric_limits<std::size_t>::max());
        if (!text) {
            stamp_.reset();
            contents_.clear();
            return nullptr;
        }
        contents_ = std::move(*text);
        stamp_ = stamp;
    }
    return &contents_;
}

std::string IniFile::read(const std::string& section, const std::string& key) {
    const std::string* text = contents();
    return text ? iniLookup(*text, section, key) : std::string();
}

IniKeys IniFile::section(const std::string& section) {
    const std::string* text = contents();
    return text ? iniSectionKeys(*text, section) : IniKeys();
}

// Rewrites the file with what `update` makes of its text ("" when missing).
template <class F>
std::int16_t IniFile::rewrite(F&& update) {
    const bool exists = files_.fileStamp(path_).has_value();
    auto text = files_.readFile(path_, std::numeric_limits<std::size_t>::max());
    if (!text && exists) return 0;  // there but unreadable: leave it alone
    const bool written = files_.replaceFile(path_, update(text ? *text : std::string()));
    if (!written) return 0;
    stamp_.reset();
    contents_.clear();
    return 1;
}

std::int16_t IniFile::write(const std::string& section, const std::string& key, const std::string& value) {
    return rewrite([&](const std::string& text) { return iniUpdate(text, section, key, value); });
}

std::int16_t IniFile::addDefaults(const std::string& defaults, const std::string& section) {
    return rewrite([&](const std::string& text) {
        // An empty file takes the defaults whole, their comments included.
        if (text.empty()) return defaults;
        std::string out = text;
        for (const auto& entry : iniSectionKeys(defaults, section)) {
            const std::string& key = entry.first;
            const std::string& value = entry.second;
            bool present = false;
            forEachKey(out, section, [&](std::string_view k, std::string_view) {
                present = equalNoCase(k, key);
                return !present;
            });
            if (!present) out = iniUpdate(out, section, key, value);
        }
        return out;
    });
}

}  // namespace vel
