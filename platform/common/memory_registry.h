// A registry held in memory, with the Windows registry's answers (error
// codes, case-insensitive key and value names). The sim uses it as it is;
// the Linux backend persists it to a file.
#pragma once

#include <map>
#include <string>

#include "platform/platform.h"

namespace vel::platform {

class MemoryRegistry : public Registry {
public:
    long openKey(RegRoot root, const std::string& subKey, Key& out) override;
    long createKey(RegRoot root, const std::string& subKey, Key& out) override;
    long closeKey(Key key) override;
    long queryValue(Key key, const std::string& name, RegValue& out) override;
    long setValue(Key key, const std::string& name, const RegValue& value) override;
    long deleteValue(Key key, const std::string& name) override;

    // Direct access for scenarios, tests and persistence.
    struct KeyData {
        std::string displayPath;                 // as first created
        std::map<std::string, std::pair<std::string, RegValue>> values;  // lower name -> (name, value)
    };
    // Full paths are "ROOT\sub\key" with the root's number in hex.
    const std::map<std::string, KeyData>& keys() const { return keys_; }
    bool hasKey(RegRoot root, const std::string& subKey) const;
    bool readValue(RegRoot root, const std::string& subKey, const std::string& name, RegValue& out) const;
    void writeValue(RegRoot root, const std::string& subKey, const std::string& name, const RegValue& value);
    void removeKey(RegRoot root, const std::string& subKey);
    // Keys a backend must refuse to create or write (e.g. HKLM without rights).
    void setReadOnlyRoot(RegRoot root, bool readOnly);
    // Called after every change; the Linux backend saves from it.
    void setChangeHook(std::function<void()> hook) { changed_ = std::move(hook); }

    // Text form, one "[key]" header and "name=type:hex" lines per key.
    std::string serialize() const;
    void deserialize(const std::string& text);

    static RegValue stringValue(const std::string& s);
    static RegValue dwordValue(std::uint32_t v);

private:
    std::map<std::string, KeyData> keys_;  // lower-case path -> data
    std::map<Key, std::string> open_;      // handle -> lower-case path
    Key nextHandle_ = 0x100;
    std::map<std::uint32_t, bool> readOnly_;
    std::function<void()> changed_;
};

std::string lowerAscii(std::string s);

// The store's name for a key: the root as eight hex digits, then the
// sub-key in lower case with doubled and trailing separators collapsed, the
// way the registry itself treats them.
std::string registryKeyPath(RegRoot root, const std::string& subKey);

}  // namespace vel::platform
