// Private-profile (INI) files with the semantics of the Windows profile
// functions, implemented once for every backend:
//  - section and key names are case-insensitive, blanks around them trimmed;
//  - values are trimmed and one pair of matching surrounding quotes removed;
//  - the first of duplicate sections and keys wins;
//  - ';' starts a comment only at the start of a line;
//  - a read returns at most 254 characters;
//  - a write keeps every other line, comment and key order, and creates the
//    file and the section when missing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace vel {

constexpr std::size_t kIniBufferSize = 255;

// Keys of a section in file order, with their values as written.
using IniKeys = std::vector<std::pair<std::string, std::string>>;

// One INI file, reached through the platform's files. Its text is kept
// while the file is unchanged on disk, so reading sixty keys reads it once;
// each owner keeps its own copy, nothing is shared between owners.
class IniFile {
public:
    IniFile(platform::Files& files, std::string path) : files_(files), path_(std::move(path)) {}
    const std::string& path() const { return path_; }
    void setPath(const std::string& path);

    // The value of section/key, or "" when missing (file, section, key).
    std::string read(const std::string& section, const std::string& key);
    // Returns non-zero on success, 0 when the file could not be written.
    std::int16_t write(const std::string& section, const std::string& key, const std::string& value);
    // The keys of the section; empty when the file or the section is missing.
    IniKeys section(const std::string& section);
    // Adds each key of `defaults`' section that the file's section lacks, in
    // one write that keeps all other lines; a missing or empty file gets
    // `defaults` whole. Returns non-zero on success, 0 when the file could
    // not be written.
    std::int16_t addDefaults(const std::string& defaults, const std::string& section);

private:
    const std::string* contents();
    template <class F>
    std::int16_t rewrite(F&& update);

    platform::Files& files_;
    std::string path_;
    std::optional<platform::FileStamp> stamp_;  // of the text kept; none when nothing is kept
    std::string contents_;
};

// The parsing itself, on file contents, for tests and tools.
std::string iniLookup(const std::string& contents, const std::string& section, const std::string& key);
IniKeys iniSectionKeys(const std::string& contents, const std::string& section);
std::string iniUpdate(const std::string& contents, const std::string& section, const std::string& key,
                      const std::string& value);

}  // namespace vel
