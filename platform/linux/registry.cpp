#include "platform/linux/registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/linux/sources_proc.h"

namespace vel::platform::linux_backend {

namespace {

const char* kProcessorKey = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor";

// The file's section names are lower case throughout, the root's hex digits too.
std::string fullPath(RegRoot root, const std::string& subKey) { return lowerAscii(registryKeyPath(root, subKey)); }

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string configHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/') return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.config";
}

bool writeFileAtomically(const std::string& path, const std::string& text) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    const std::string temp = path + ".tmp" + std::to_string(getpid());
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    std::size_t done = 0;
    bool ok = true;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    // The data must be on disk before the name points at it.
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temp.c_str(), path.c_str()) == 0) return true;
    unlink(temp.c_str());
    return false;
}

FileRegistry::FileRegistry(std::string path) : path_(std::move(path)) {
    if (std::filesystem::exists(path_)) memory_.deserialize(readFile(path_));
    memory_.setChangeHook([this] { save(); });
}

bool FileRegistry::isSynthesized(const std::string& lowerPath) const {
    const std::string prefix = fullPath(RegRoot::LocalMachine, kProcessorKey);
    return lowerPath == prefix || lowerPath.rfind(prefix + "\\", 0) == 0;
}

long FileRegistry::openKey(RegRoot root, const std::string& subKey, Key& out) {
    long rc = memory_.openKey(root, subKey, out);
    if (rc == kErrorSuccess) handlePaths_[out] = fullPath(root, subKey);
    return rc;
}

long FileRegistry::createKey(RegRoot root, const std::string& subKey, Key& out) {
    const std::string path = fullPath(root, subKey);
    // The hardware description can be opened, not extended.
    if (isSynthesized(path) && !memory_.hasKey(root, subKey)) {
        out = 0;
        return kErrorAccessDenied;
    }
    long rc = memory_.createKey(root, subKey, out);
    if (rc == kErrorSuccess) handlePaths_[out] = path;
    return rc;
}

long FileRegistry::closeKey(Key key) {
    handlePaths_.erase(key);
    return memory_.closeKey(key);
}

long FileRegistry::queryValue(Key key, const std::string& name, RegValue& out) {
    return memory_.queryValue(key, name, out);
}

long FileRegistry::setValue(Key key, const std::string& name, const RegValue& value) {
    auto h = handlePaths_.find(key);
    if (h != handlePaths_.end() && isSynthesized(h->second)) return kErrorAccessDenied;
    return memory_.setValue(key, name, value);
}

long FileRegistry::deleteValue(Key key, const std::string& name) {
    auto h = handlePaths_.find(key);
    if (h != handlePaths_.end() && isSynthesized(h->second)) return kErrorAccessDenied;
    return memory_.deleteValue(key, name);
}

void FileRegistry::synthesizeProcessors(const std::vector<std::uint32_t>& ratedMhz) {
    // Remember which keys are new, so parents we add are not saved either.
    std::set<std::string> before;
    for (const auto& [path, data] : memory_.keys()) before.insert(path);
    memory_.setChangeHook(nullptr);
    memory_.removeKey(RegRoot::LocalMachine, kProcessorKey);
    for (std::size_t n = 0; n < ratedMhz.size(); ++n)
        memory_.writeValue(RegRoot::LocalMachine, std::string(kProcessorKey) + "\\" + std::to_string(n), "~MHz",
                           MemoryRegistry::dwordValue(ratedMhz[n]));
    for (const auto& [path, data] : memory_.keys())
        if (!before.count(path)) synthesized_.insert(path);
    memory_.setChangeHook([this] { save(); });
}

std::string FileRegistry::persistentText() const {
    // Made-up keys stay out of the file, except parents that a saved key needs.
    std::set<std::string> kept;
    for (const auto& [path, data] : memory_.keys()) {
        if (isSynthesized(path)) continue;
        if (!synthesized_.count(path) || !data.values.empty()) {
            for (std::size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1))
                kept.insert(path.substr(0, cut));
            kept.insert(path);
        }
    }
    // serialize() writes one "[path]" header per key, then its values.
    std::istringstream in(memory_.serialize());
    std::ostringstream out;
    std::string line;
    bool keep = false;
    while (std::getline(in, line)) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
            keep = kept.count(lowerAscii(line.substr(1, line.size() - 2))) > 0;
        if (keep) out << line << "\n";
    }
    return out.str();
}

void FileRegistry::save() { saveOk_ = writeFileAtomically(path_, persistentText()); }

std::vector<std::uint32_t> ratedProcessorMhz(const std::string& sysRoot, const std::string& procRoot) {
    namespace fs = std::filesystem;
    std::vector<std::uint32_t> mhz;
    int count = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysRoot + "/devices/system/cpu", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 3 && name.rfind("cpu", 0) == 0 &&
            name.find_first_not_of("0123456789", 3) == std::string::npos)
            ++count;
    }
    for (int n = 0; n < count; ++n) {
        std::ifstream f(sysRoot + "/devices/system/cpu/cpu" + std::to_string(n) + "/cpufreq/cpuinfo_max_freq");
        unsigned long khz = 0;
        if (!(f >> khz) || khz == 0 || khz / 1000 >= 0xFFFFFFFFul) {
            mhz.clear();
            break;
        }
        mhz.push_back(static_cast<std::uint32_t>((khz + 500) / 1000));
    }
    if (!mhz.empty()) return mhz;
    // No cpufreq (virtual machines): the figure /proc/cpuinfo shows. One
    // that is no figure ("nan", "1e300") makes them all unknown, as above.
    std::ifstream info(procRoot + "/cpuinfo");
    std::string line;
    while (std::getline(info, line)) {
        if (line.rfind("cpu MHz", 0) != 0) continue;
        auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string_view figure(line);
        figure.remove_prefix(colon + 1);
        while (!figure.empty() && (figure.front() == ' ' || figure.front() == '\t')) figure.remove_prefix(1);
        while (!figure.empty() && (figure.back() == ' ' || figure.back() == '\t' || figure.back() == '\r'))
            figure.remove_suffix(1);
        std::uint32_t n = 0;
        if (!parseMegahertz(figure, 1, n)) return {};
        mhz.push_back(n);
    }
    return mhz;
}

}  // namespace vel::platform::linux_backend
