#include "platform/linux/process_services.h"

#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string_view>

extern char** environ;

namespace vel::platform::linux_backend {

std::string executablePath() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    return std::string(buf, static_cast<std::size_t>(n));
}

std::string executableFolder() {
    std::string exe = executablePath();
    auto slash = exe.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : exe.substr(0, slash);
}

namespace {
bool isExecutableFile(const std::string& path) {
    struct stat st{};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}
}  // namespace

std::string nativeProgram(const std::string& path, const std::string& programsFolder) {
    constexpr std::string_view exe = ".exe";
    if (path.size() <= exe.size() || path.compare(path.size() - exe.size(), exe.size(), exe) != 0) return path;
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    name.resize(name.size() - exe.size());
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& dir : {folder, programsFolder}) {
        const std::string candidate = dir + "/" + name;
        if (isExecutableFile(candidate)) return candidate;
    }
    return path;
}

std::string toSlashes(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::vector<std::string> splitParameters(const std::string& params) {
    std::vector<std::string> out;
    std::string current;
    bool inQuotes = false, haveArg = false;
    for (std::size_t i = 0; i < params.size(); ++i) {
        const char c = params[i];
        if (c == '"') {
            if (inQuotes && i + 1 < params.size() && params[i + 1] == '"') {
                current += '"';
                ++i;
            } else {
                inQuotes = !inQuotes;
            }
            haveArg = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (haveArg) out.push_back(current);
            current.clear();
            haveArg = false;
        } else {
            current += c;
            haveArg = true;
        }
    }
    if (haveArg) out.push_back(current);
    return out;
}

namespace {

int spawn(const std::string& program, const std::vector<std::string>& argv, bool searchPath,
          const std::vector<std::string>& extraEnvironment) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // Ours, then the inherited variables ours do not replace.
    std::vector<char*> env;
    for (const auto& e : extraEnvironment) env.push_back(const_cast<char*>(e.c_str()));
    for (char** e = environ; *e; ++e) {
        const std::string_view inherited(*e);
        const bool replaced = std::any_of(extraEnvironment.begin(), extraEnvironment.end(), [&](const std::string& x) {
            const std::size_t eq = x.find('=');
            return inherited.size() > eq && inherited.substr(0, eq + 1) == std::string_view(x).substr(0, eq + 1);
        });
        if (!replaced) env.push_back(*e);
    }
    env.push_back(nullptr);
    pid_t pid = 0;
    int rc = searchPath ? posix_spawnp(&pid, program.c_str(), nullptr, nullptr, args.data(), env.data())
                        : posix_spawn(&pid, program.c_str(), nullptr, nullptr, args.data(), env.data());
    return rc == 0 ? static_cast<int>(pid) : -1;
}
}  // namespace

int spawnProgram(const std::string& file, const std::vector<std::string>& args,
                 const std::vector<std::string>& extraEnvironment) {
    if (file.empty()) return -1;
    std::vector<std::string> argv{file};
    argv.insert(argv.end(), args.begin(), args.end());
    const bool isUrl = file.find("://") != std::string::npos || file.rfind("mailto:", 0) == 0;
    if (!isUrl && file.find('/') != std::string::npos) {
        if (isExecutableFile(file)) return spawn(file, argv, false, extraEnvironment);
        if (access(file.c_str(), F_OK) != 0) return -1;
    } else if (!isUrl) {
        return spawn(file, argv, true, extraEnvironment);  // a bare name: look along PATH
    }
    argv.insert(argv.begin(), "xdg-open");
    return spawn("xdg-open", argv, true, {});
}

namespace {
// Desktop entry quoting: in double quotes, with \ " ` $ escaped.
std::string quoteForExec(const std::string& arg) {
    std::string quoted = "\"";
    for (char c : arg) {
        if (c == '\\' || c == '"' || c == '`' || c == '$') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}
}  // namespace

std::string autostartEntry(const std::string& executable, const std::string& programFolder) {
    std::string exec = quoteForExec(executable);
    if (!programFolder.empty()) exec += " --program-folder " + quoteForExec(programFolder);
    // TryExec: once the program is removed, the desktop skips the entry
    // that outlives it. A string value, where only the backslash escapes.
    std::string tryExec;
    for (char c : executable) tryExec += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return "[Desktop Entry]\nType=Application\nName=VELMORA\nComment=System monitor\nTryExec=" + tryExec +
           "\nExec=" + exec + "\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
}

std::optional<int> xsettingsInteger(const std::vector<unsigned char>& data, const std::string& name) {
    // byte order, 3 unused, serial, count; then settings padded to 4 bytes.
    if (data.size() < 12) return std::nullopt;
    const bool msb = data[0] == 1;
    auto card16 = [&](std::size_t at) -> std::uint32_t {
        return msb ? (data[at] << 8) | data[at + 1] : data[at] | (data[at + 1] << 8);
    };
    auto card32 = [&](std::size_t at) -> std::uint32_t {
        return msb ? (std::uint32_t(data[at]) << 24) | (data[at + 1] << 16) | (data[at + 2] << 8) | data[at + 3]
                   : data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) | (std::uint32_t(data[at + 3]) << 24);
    };
    auto pad4 = [](std::size_t n) { return (n + 3) & ~std::size_t(3); };
    const std::uint32_t count = card32(8);
    std::size_t at = 12;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at + 4 > data.size()) return std::nullopt;
        const int type = data[at];
        const std::size_t nameLen = card16(at + 2);
        const std::size_t nameAt = at + 4;
        at = nameAt + pad4(nameLen) + 4;  // name, then last-change serial
        if (at > data.size()) return std::nullopt;
        const bool match = name.size() == nameLen && std::memcmp(&data[nameAt], name.data(), nameLen) == 0;
        if (type == 0) {  // integer
            if (at + 4 > data.size()) return std::nullopt;
            if (match) return static_cast<int>(card32(at));
            at += 4;
        } else if (type == 1) {  // string
            if (at + 4 > data.size()) return std::nullopt;
            at += 4 + pad4(card32(at));
        } else if (type == 2) {  // colour: four CARD16
            at += 8;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace vel::platform::linux_backend
