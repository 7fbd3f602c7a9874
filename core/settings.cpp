#include "core/settings.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "core/default_settings.h"
#include "core/inifile.h"
#include "core/vb.h"

namespace vel {

namespace {

template <auto Member>
SettingField scalar(Settings& s, int) {
    return &(s.*Member);
}

template <auto Member>
SettingField element(Settings& s, int index) {
    return &(s.*Member)[static_cast<std::size_t>(index)];
}

std::vector<SettingKey> buildKeys() {
    using G = SettingGroup;
    std::vector<SettingKey> keys = {
        {"PLCMNT", G::Looks, -1, scalar<&Settings::PLCMNT>},
        {"ALWAYSOT", G::Looks, -1, scalar<&Settings::ALWAYSOT>},
        {"VISIBLE", G::Looks, -1, scalar<&Settings::VISIBLE>},
        {"CORNER", G::Looks, -1, scalar<&Settings::CORNER>},
        {"TLUCENTZOn", G::Looks, -1, scalar<&Settings::TLUCENTZOn>},
        {"TLUCENTZOff", G::Looks, -1, scalar<&Settings::TLUCENTZOff>},
        {"CPUCLOCK", G::Sampling, -1, scalar<&Settings::CPUCLOCK>},
        {"NETCLOCK", G::Sampling, -1, scalar<&Settings::NETCLOCK>},
        {"MEMCLOCK", G::Sampling, -1, scalar<&Settings::MEMCLOCK>},
        // The clock first: its visibility and position.
        {"Visi8", G::Visibility, 8, element<&Settings::Visi>},
        {"PosX9", G::Left, 9, element<&Settings::PosX>},
        {"PosY9", G::Top, 9, element<&Settings::PosY>},
    };
    for (int n = 0; n < 8; ++n) {
        const std::string i = std::to_string(n);
        keys.push_back({"Visi" + i, G::Visibility, n, element<&Settings::Visi>});
        keys.push_back({"mTyp" + i, G::Style, n, element<&Settings::mTyp>});
        keys.push_back({"PosX" + i, G::Left, n, element<&Settings::PosX>});
        keys.push_back({"PosY" + i, G::Top, n, element<&Settings::PosY>});
    }
    const std::vector<SettingKey> rest = {
        // The main control bar's position.
        {"PosX8", G::Left, 8, element<&Settings::PosX>},
        {"PosY8", G::Top, 8, element<&Settings::PosY>},
        {"LOGEnable", G::Logging, -1, scalar<&Settings::LOGEnable>},
        {"capCPU", G::Logging, -1, scalar<&Settings::capCPU>},
        {"capNET", G::Logging, -1, scalar<&Settings::capNET>},
        {"capMEM", G::Logging, -1, scalar<&Settings::capMEM>},
        {"LOGTiming", G::Logging, -1, scalar<&Settings::LOGTiming>},
        {"LOGWrite", G::Logging, -1, scalar<&Settings::LOGWrite>},
        {"LOGUnsaved", G::Logging, -1, scalar<&Settings::LOGUnsaved>},
        {"NEWLOG", G::Logging, -1, scalar<&Settings::NEWLOG>},
        {"DELLOG", G::Logging, -1, scalar<&Settings::DELLOG>},
        {"SWWN", G::StartWithWindows, -1, scalar<&Settings::SWWN>},
    };
    keys.insert(keys.end(), rest.begin(), rest.end());
    return keys;
}

// A value that does not convert keeps the field.
void convertInto(const SettingField& field, const std::string& text) {
    std::visit(
        [&](auto* f) {
            using T = std::remove_pointer_t<decltype(f)>;
            std::optional<T> v;
            if constexpr (std::is_same_v<T, bool>) v = textToFlag(text);
            if constexpr (std::is_same_v<T, std::int16_t>) v = textToInt16(text);
            if constexpr (std::is_same_v<T, std::int32_t>) v = textToInt32(text);
            if constexpr (std::is_same_v<T, std::uint8_t>) v = textToByte(text);
            if (v) *f = *v;
        },
        field);
}

// Too few processors: the module of a processor that is not there stays hidden.
bool processorMissing(int module, int processorCount) {
    switch (module) {
        case 1: return processorCount < 2;
        case 2: return processorCount < 3;
        case 3: return processorCount < 4;
        case 4: return processorCount < 2;
        default: return false;
    }
}

}  // namespace

const std::vector<SettingKey>& settingKeys() {
    static const std::vector<SettingKey> keys = buildKeys();
    return keys;
}

const SettingKey& settingKey(SettingGroup group, int index) {
    for (const SettingKey& k : settingKeys())
        if (k.group == group && k.index == index) return k;
    throw std::out_of_range("no such setting");
}

std::string writtenName(const SettingKey& key) {
    std::string name = key.name;
    if (key.group == SettingGroup::Left || key.group == SettingGroup::Top) return name;
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

std::string settingText(const SettingKey& key, Settings& s) {
    return std::visit(
        [](auto* f) {
            if constexpr (std::is_same_v<std::remove_pointer_t<decltype(f)>, bool>)
                return std::string(*f ? "1" : "0");
            else
                return std::to_string(*f);
        },
        key.field(s, key.index));
}

std::int16_t saveSetting(IniFile& file, const SettingKey& key, const std::string& text) {
    return file.write("MAIN", writtenName(key), text);
}

std::int16_t saveSetting(IniFile& file, const SettingKey& key, Settings& s) {
    return saveSetting(file, key, settingText(key, s));
}

SettingsOrigin LoadSettings(IniFile& file, Settings& s, int processorCount) {
    // Without any of its keys the program would show nothing at all (every
    // window hidden, the main bar at opacity 0): start as shipped instead.
    SettingsOrigin origin = SettingsOrigin::File;
    if (file.section("MAIN").empty())
        origin = file.addDefaults(kDefaultSettings, "MAIN") ? SettingsOrigin::DefaultsWritten
                                                            : SettingsOrigin::DefaultsUnwritten;
    for (const SettingKey& key : settingKeys()) {
        const std::string text = origin == SettingsOrigin::File ? file.read("MAIN", key.name)
                                                                : iniLookup(kDefaultSettings, "MAIN", key.name);
        convertInto(key.field(s, key.index), text);
        if (key.group == SettingGroup::Visibility && processorMissing(key.index, processorCount))
            *std::get<bool*>(key.field(s, key.index)) = false;
    }
    return origin;
}

std::string positionText(double twips) {
    const float f = static_cast<float>(twips);
    char buf[64];
    // Shortest fixed-point text that reads back as the same single-precision
    // value; never an exponent, since positions are plain twips.
    for (int decimals = 0; decimals <= 9; ++decimals) {
        std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(f));
        if (static_cast<float>(std::strtod(buf, nullptr)) == f) break;
    }
    return buf;
}

}  // namespace vel
