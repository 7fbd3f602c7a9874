#include "core/inifile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
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

namespace fs = std::filesystem;

// File names are UTF-8 on every backend; std::filesystem turns them into
// whatever the system takes (UTF-16 on Windows).
fs::path filePath(const std::string& name) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(name.data()), name.size()));
}

std::string readFile(const fs::path& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    ok = static_cast<bool>(in);
    if (!ok) return {};
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Parsed files are kept while they are unchanged on disk, so reading sixty
// keys from one file parses it once.
struct CachedFile {
    std::filesystem::file_time_type stamp;
    std::uintmax_t size = 0;
    std::string contents;
};
std::map<std::string, CachedFile>& cache() {
    static std::map<std::string, CachedFile> files;
    return files;
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

namespace {

// The file's text through the cache; nullptr when it cannot be read.
const std::string* cachedContents(const std::string& file) {
    const fs::path path = filePath(file);
    std::error_code ec;
    auto stamp = fs::last_write_time(path, ec);
    if (ec) return nullptr;
    auto size = fs::file_size(path, ec);
    if (ec) return nullptr;
    CachedFile& entry = cache()[file];
    if (entry.stamp != stamp || entry.size != size || entry.contents.size() != size) {
        bool ok = false;
        entry.contents = readFile(path, ok);
        if (!ok) {
            cache().erase(file);
            return nullptr;
        }
        entry.stamp = stamp;
        entry.size = size;
    }
    return &entry.contents;
}

}  // namespace

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file) {
    const std::string* contents = cachedContents(file);
    return contents ? iniLookup(*contents, section, key) : std::string();
}

IniKeys ReadIniSection(const std::string& section, const std::string& file) {
    const std::string* contents = cachedContents(file);
    return contents ? iniSectionKeys(*contents, section) : IniKeys();
}

namespace {

constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// A name beside the file that nothing else uses.
fs::path freeTempName(const fs::path& target) {
    std::error_code ec;
    for (int n = 0;; ++n) {
        fs::path candidate = target;
        candidate += ".tmp" + std::to_string(n);
        if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    }
}

bool writeWhole(const fs::path& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    return static_cast<bool>(out);
}

// Rewrites the file with what `update` makes of its text ("" when missing).
template <class F>
std::int16_t rewrite(const std::string& file, F&& update) {
    std::error_code ec;
    // A link is written through: the file it points at gets the new text.
    const fs::path target = fs::weakly_canonical(filePath(file), ec);
    if (ec) return 0;
    const fs::file_status status = fs::status(target, ec);
    const bool exists = !ec && fs::exists(status);
    // A read-only file fails the write and stays as it is, as with the
    // Windows profile functions.
    if (exists && (!fs::is_regular_file(status) || (status.permissions() & kAnyWrite) == fs::perms::none)) return 0;
    bool ok = false;
    std::string contents = readFile(target, ok);
    if (!ok && exists) return 0;  // there but unreadable: leave it alone
    const std::string updated = update(contents);
    // Write beside it and rename, so a failure never loses the user's lines;
    // the new file keeps the old one's mode.
    const fs::path temp = freeTempName(target);
    bool written = writeWhole(temp, updated);
    if (written && exists) fs::permissions(temp, status.permissions(), ec), written = !ec;
    if (written) fs::rename(temp, target, ec), written = !ec;
    if (!written) {
        fs::remove(temp, ec);
        return 0;
    }
    cache().erase(file);
    return 1;
}

}  // namespace

std::int16_t WriteIni(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file) {
    return rewrite(file, [&](const std::string& contents) { return iniUpdate(contents, section, key, value); });
}

std::int16_t AddIniDefaults(const std::string& defaults, const std::string& section, const std::string& file) {
    return rewrite(file, [&](const std::string& contents) {
        // An empty file takes the defaults whole, their comments included.
        if (contents.empty()) return defaults;
        std::string out = contents;
        for (const auto& [key, value] : iniSectionKeys(defaults, section)) {
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
