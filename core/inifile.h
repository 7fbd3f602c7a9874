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
#include <string>
#include <utility>
#include <vector>

namespace vel {

constexpr std::size_t kIniBufferSize = 255;

// The value of section/key in file, or "" when missing (file, section, key).
std::string ReadIni(const std::string& section, const std::string& key, const std::string& file);
// Returns non-zero on success, 0 when the file could not be written.
std::int16_t WriteIni(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file);

// Keys of a section in file order, with their values as written.
using IniKeys = std::vector<std::pair<std::string, std::string>>;
// The keys of the file's section; empty when the file or the section is missing.
IniKeys ReadIniSection(const std::string& section, const std::string& file);
// Adds each key of `defaults`' section that the file's section lacks, in one
// write that keeps all other lines; a missing or empty file gets `defaults`
// whole. Returns non-zero on success, 0 when the file could not be written.
std::int16_t AddIniDefaults(const std::string& defaults, const std::string& section, const std::string& file);

// The parsing itself, on file contents, for tests and tools.
std::string iniLookup(const std::string& contents, const std::string& section, const std::string& key);
IniKeys iniSectionKeys(const std::string& contents, const std::string& section);
std::string iniUpdate(const std::string& contents, const std::string& section, const std::string& key,
                      const std::string& value);

}  // namespace vel
