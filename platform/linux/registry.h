// The registry on Linux: the in-memory registry, loaded from and saved to a
// per-user file. HKEY_LOCAL_MACHINE is emulated per user too. The processor
// speed keys Windows keeps under HARDWARE are made up at start from the
// kernel's figures, are read-only, and never reach the file.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/common/memory_registry.h"

namespace vel::platform::linux_backend {

class FileRegistry : public Registry {
public:
    // Loads the file if it exists; every change is saved back atomically.
    explicit FileRegistry(std::string path);

    long openKey(RegRoot root, const std::string& subKey, Key& out) override;
    long createKey(RegRoot root, const std::string& subKey, Key& out) override;
    long closeKey(Key key) override;
    long queryValue(Key key, const std::string& name, RegValue& out) override;
    long setValue(Key key, const std::string& name, const RegValue& value) override;
    long deleteValue(Key key, const std::string& name) override;

    // HKLM\HARDWARE\DESCRIPTION\System\CentralProcessor\<n> "~MHz".
    void synthesizeProcessors(const std::vector<std::uint32_t>& ratedMhz);

    MemoryRegistry& memory() { return memory_; }
    const std::string& path() const { return path_; }
    // False when the last save failed.
    bool lastSaveOk() const { return saveOk_; }
    // The file's text: everything but the made-up keys.
    std::string persistentText() const;

private:
    bool isSynthesized(const std::string& lowerPath) const;
    void save();

    std::string path_;
    MemoryRegistry memory_;
    std::map<Key, std::string> handlePaths_;  // lower-case full path per handle
    std::set<std::string> synthesized_;      // keys created by synthesizeProcessors
    bool saveOk_ = true;
};

// Rated processor speeds in MHz, one per processor: cpufreq's
// cpuinfo_max_freq, else /proc/cpuinfo's "cpu MHz". Empty when unknown.
std::vector<std::uint32_t> ratedProcessorMhz(const std::string& sysRoot = "/sys",
                                             const std::string& procRoot = "/proc");

// Writes a file through a temporary one and rename(), so readers see the
// old or the new text, never half of it.
bool writeFileAtomically(const std::string& path, const std::string& text);

// $XDG_CONFIG_HOME, else ~/.config.
std::string configHome();

}  // namespace vel::platform::linux_backend
