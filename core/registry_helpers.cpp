#include "core/registry_helpers.h"

#include <cstring>

#include "core/app.h"
#include "core/vb.h"

namespace vel {

using platform::Registry;

bool KeyExists(App& app, platform::RegRoot root, const std::string& subKey) {
    Registry::Key key = 0;
    app.lastRegResult = app.os.registry().openKey(root, subKey, key);
    bool exists = key != 0;
    if (key) app.lastRegResult = app.os.registry().closeKey(key);
    return exists;
}

void CreateKey(App& app, platform::RegRoot root, const std::string& subKey) {
    Registry::Key key = 0;
    app.lastRegResult = app.os.registry().createKey(root, subKey, key);
    if (key) app.lastRegResult = app.os.registry().closeKey(key);
}

RegVariant GetValue(App& app, platform::RegRoot root, const std::string& subKey, const std::string& name) {
    Registry& reg = app.os.registry();
    Registry::Key key = 0;
    app.lastRegResult = reg.openKey(root, subKey, key);
    if (!key) return {};
    platform::RegValue value;
    app.lastRegResult = reg.queryValue(key, name, value);
    reg.closeKey(key);
    if (app.lastRegResult != platform::kErrorSuccess) return {};
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

void SetValue(App& app, platform::RegRoot root, const std::string& subKey, const std::string& name,
              const RegVariant& value) {
    Registry& reg = app.os.registry();
    Registry::Key key = 0;
    app.lastRegResult = reg.createKey(root, subKey, key);
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
        app.lastRegResult = reg.setValue(key, name, stored);
    } else if (!numericText) {
        std::string text = trimBlanks(regVariantText(value));
        stored.type = platform::kRegSz;
        stored.data.assign(text.begin(), text.end());
        stored.data.push_back(0);
        app.lastRegResult = reg.setValue(key, name, stored);
    }
    // Numeric text that does not fit 32 bits fails its conversion: nothing is written.
    app.lastRegResult = reg.closeKey(key);
}

void DeleteValue(App& app, platform::RegRoot root, const std::string& subKey, const std::string& name) {
    if (!KeyExists(app, root, subKey)) return;
    Registry& reg = app.os.registry();
    Registry::Key key = 0;
    app.lastRegResult = reg.openKey(root, subKey, key);
    if (!key) return;
    app.lastRegResult = reg.deleteValue(key, name);
    reg.closeKey(key);
}

std::string regVariantText(const RegVariant& v) {
    if (auto* n = std::get_if<std::int32_t>(&v)) return std::to_string(*n);
    if (auto* t = std::get_if<std::string>(&v)) return *t;
    return "";
}

}  // namespace vel
