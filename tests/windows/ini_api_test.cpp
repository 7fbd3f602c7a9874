// Our settings-file reads against the system's profile functions, on the
// same files: any difference in what is read shows here. (How we write is
// pinned by the native tests on files whose reading is compared here.)
#include <cstdio>
#include <string>
#include <vector>

#include "core/inifile.h"
#include "harness.h"
#include "platform/win32/files.h"
#include "platform/win32/windows_api.h"
#include "support.h"

using namespace vel;

namespace {

struct Lookup {
    const char* section;
    const char* key;
};

struct FileCase {
    const char* what;
    std::string contents;
    std::vector<Lookup> lookups;
};

// Reads the same keys through both, ours through the backend's files as the
// program's are; one line per difference.
std::vector<std::string> compareReads(const FileCase& c) {
    char dir[MAX_PATH] = {};
    GetTempPathA(sizeof dir, dir);
    const std::string path = std::string(dir) + "velmora-ini-" + std::to_string(GetCurrentProcessId()) + ".ini";
    wintest::writeAll(path, c.contents);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());  // the system must not answer from a cache
    std::vector<std::string> differences;
    platform::win32::Win32Files files;
    for (const Lookup& l : c.lookups) {
        char theirs[kIniBufferSize] = {};
        GetPrivateProfileStringA(l.section, l.key, "", theirs, sizeof theirs, path.c_str());
        const std::string ours = IniFile(files, path).read(l.section, l.key);
        if (ours != theirs)
            differences.push_back(std::string(c.what) + ": [" + l.section + "] " + l.key + ": ours \"" + ours +
                                  "\", the system's \"" + theirs + "\"");
    }
    DeleteFileA(path.c_str());
    return differences;
}

}  // namespace

WTEST(Ini, ReadsMatchTheSystemOnOrdinaryAndMangledFiles) {
    const std::string longValue(300, 'x');
    const std::vector<FileCase> cases = {
        {"case and blanks", "[main]\r\n  tlucentzon  =   200  \r\nVISI0=1\r\n",
         {{"MAIN", "TLUCENTZOn"}, {" Main ", "Visi0"}, {"MAIN", "Visi1"}, {"OTHER", "VISI0"}}},
        {"quotes", "[MAIN]\na=\"quoted\"\nb='single'\nc=\"half\nd=\"mixed'\ne=  \" padded \"  \n",
         {{"MAIN", "a"}, {"MAIN", "b"}, {"MAIN", "c"}, {"MAIN", "d"}, {"MAIN", "e"}}},
        {"duplicates", "[MAIN]\nCPUCLOCK=5\ncpuclock=9\n[main]\nNETCLOCK=3\n",
         {{"MAIN", "CPUCLOCK"}, {"MAIN", "NETCLOCK"}}},
        {"comments", "; top\n[MAIN]\n;CPUCLOCK=1\nCPUCLOCK=2 ; not a comment\n  ;x=1\n",
         {{"MAIN", "CPUCLOCK"}, {"MAIN", ";CPUCLOCK"}, {"MAIN", "x"}}},
        {"no equals, empty values", "[MAIN]\nLONELY\nEMPTY=\nSPACES=   \n=nokey\n",
         {{"MAIN", "LONELY"}, {"MAIN", "EMPTY"}, {"MAIN", "SPACES"}, {"MAIN", ""}}},
        {"long value", "[MAIN]\nLONG=" + longValue + "\n", {{"MAIN", "LONG"}}},
        {"keys before any section", "ORPHAN=1\n[MAIN]\nA=2\n", {{"", "ORPHAN"}, {"MAIN", "A"}}},
        {"odd headers", "[ MAIN ]\nA=1\n[OTHER\nB=2\n[THIRD]junk\nC=3\n",
         {{"MAIN", "A"}, {"OTHER", "B"}, {"MAIN", "B"}, {"THIRD", "C"}}},
        {"line endings", "[MAIN]\rA=1\r\nB=2\n\nC=3", {{"MAIN", "A"}, {"MAIN", "B"}, {"MAIN", "C"}}},
        {"equals in value, tabs", "[MAIN]\nPATH=a=b=c\n\tTAB\t=\tv\t\n", {{"MAIN", "PATH"}, {"MAIN", "TAB"}}},
        {"missing file", "", {{"MAIN", "A"}}},
    };
    // Where Wine's profile functions and ours part (all printed). None of
    // them touches a key the program reads: it never asks for ';' keys or
    // keys outside a section, and writes CR LF files.
    const std::vector<std::string> known = {
        "comments: [MAIN] ;CPUCLOCK: ours \"\", the system's \"1\"",         // a comment is a key to them
        "keys before any section: [] ORPHAN: ours \"\", the system's \"1\"",  // a nameless section to them
        "line endings: [MAIN] A: ours \"\", the system's \"1\"",              // a lone CR ends a line for them
    };
    std::vector<std::string> differences;
    for (const FileCase& c : cases)
        for (std::string& d : compareReads(c)) differences.push_back(std::move(d));
    for (const std::string& d : differences) std::printf("  %s\n", d.c_str());
    CHECK(differences == known);
}
