#include "core/registry_helpers.h"

#include <cstring>

#include "core/vb.h"

namespace vel {

using platform::Registry;

bool KeyExists(Registry& reg, platform::RegRoot root, const std::string& subKey) {
    Registry::Key key = 0;
    reg.openKey(root, subKey, key);
    bool exists = key != 0;
    if (key) reg.closeKey(key);
    return exists;
}

void CreateKey(Registry& reg, platform::RegRoot root, const std::string& subKey) {
    Registry::Key key = 0;
    reg.createKey(root, subKey, key);
    if (key) reg.closeKey(key);
}

RegVariant GetValue(Registry& reg, platform::RegRoot root, const std::string& subKey, const std::string& name) {
    Registry::Key key = 0;
    reg.openKey(root, subKey, key);
    if (!key) return {};
    platform::RegValue value;
    const long found = reg.queryValue(key, name, value);
    reg.closeKey(key);
    if (found != platform::kErrorSuccess) return {};
    if (value.type == platform::kRegSz) {
        std::string text(value.data.begin(), value.data.end());
        auto nul = text.find('\0');
        if (nul != std::string::npos) text.resize(nul);
        return text;
    }
    if (value.type == platform::kRegDword && value.data.size() >= 4) {
        std::uint32_t n = 0;
        std::memcpy(&n, value.data.data(), 4);
        return static_cast<std::int32_t>(n);
    }
    return {};
}

void SetValue(Registry& reg, platform::RegRoot root, const std::string& subKey, const std::string& name,
              const RegVariant& value) {
    Registry::Key key = 0;
    reg.createKey(root, subKey, key);
    if (!key) return;
    platform::RegValue stored;
    std::optional<std::int32_t> number;
    if (auto* n = std::get_if<std::int32_t>(&value)) number = *n;
    bool numericText = false;
    if (auto* t = std::get_if<std::string>(&value); t && isNumeric(*t)) {
        numericText = true;
        number = textToInt32(*t);
    }
    if (number) {
        auto u = static_cast<std::uint32_t>(*number);
        stored.type = platform::kRegDword;
        for (int i = 0; i < 4; ++i) stored.data.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
        reg.setValue(key, name, stored);
    } else if (!numericText) {
        std::string text = trimBlanks(regVariantText(value));
        stored.type = platform::kRegSz;
        stored.data.assign(text.begin(), text.end());
        stored.data.push_back(0);
        reg.setValue(key, name, stored);
    }
    // Numeric text that does not fit 32 bits fails its conversion: nothing is written.
    reg.closeKey(key);
}

void DeleteValue(Registry& reg, platform::RegRoot root, const std::string& subKey, const std::string& name) {
    if (!KeyExists(reg, root, subKey)) return;
    Registry::Key key = 0;
    reg.openKey(root, subKey, key);
    if (!key) return;
    reg.deleteValue(key, name);
    reg.closeKey(key);
}

std::string regVariantText(const RegVariant& v) {
    if (auto* n = std::get_if<std::int32_t>(&v)) return std::to_string(*n);
    if (auto* t = std::get_if<std::string>(&v)) return *t;
    return "";
}

}  // namespace vel
