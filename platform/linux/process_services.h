// Process-level services: paths, starting programs, the autostart entry.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vel::platform::linux_backend {

std::string executablePath();    // /proc/self/exe
std::string executableFolder();  // its folder
std::string toSlashes(std::string path);

// A ShellExecute parameter string as an argument vector: blanks separate,
// double quotes group ("" inside quotes is a literal quote).
std::vector<std::string> splitParameters(const std::string& params);

// The Linux build of a sibling program named by its Windows file
// ("DIR/Logscope.exe"): the lower-case name without ".exe" in DIR, else in
// `programsFolder` (an installed copy keeps its programs in bin/ and its
// program folder elsewhere). Any other path, or one with no such
// executable, comes back as it was.
std::string nativeProgram(const std::string& path, const std::string& programsFolder);

// Starts a program without a shell. A file that is not an executable
// (a document, a URL) is handed to xdg-open, as the desktop opens it.
// Returns the child's pid, or -1 when nothing could be started.
// `extraEnvironment` ("NAME=value") is added to, or replaces in, what the
// child inherits.
int spawnProgram(const std::string& file, const std::vector<std::string>& args,
                 const std::vector<std::string>& extraEnvironment = {});

// The XDG autostart entry that starts this executable (with the program
// folder it was given on the command line, if any).
std::string autostartEntry(const std::string& executable, const std::string& programFolder = "");

// An integer setting from an XSETTINGS property blob.
std::optional<int> xsettingsInteger(const std::vector<unsigned char>& data, const std::string& name);

}  // namespace vel::platform::linux_backend
