#include "core/installed_products.h"

#include <cstdio>

#include "core/registry_helpers.h"
#include "core/vb.h"
#include "core/version.h"

namespace vel {

namespace {

// The key is assembled from character codes so that it never sits whole in
// the program's data.
std::string scramblerKey() {
    const int codes[] = {66, 114, 49, 110, 76, 52, 107, 101, 45, 81, 82, 84};
    std::string key;
    for (int c : codes) key += static_cast<char>(c);
    return key;
}

const char* kHex = "0123456789ABCDEF";

std::string entryName(char letter, int number) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%02d", letter, number);
    return buf;
}

}  // namespace

std::string ScrambleString(const std::string& text) {
    const std::string key = scramblerKey();
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto v = static_cast<unsigned char>(text[i] ^ key[i % key.size()]);
        out += kHex[v >> 4];
        out += kHex[v & 15];
    }
    return out;
}

std::string UnscrambleString(const std::string& hex) {
    const std::string key = scramblerKey();
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        unsigned v = static_cast<unsigned>(std::stoul(hex.substr(i, 2), nullptr, 16));
        out += static_cast<char>(v ^ static_cast<unsigned char>(key[(i / 2) % key.size()]));
    }
    return out;
}

void RegisterInstalledProduct(platform::Registry& reg, const std::string& programFolder,
                              const std::string& scrambledDate, const std::string& scrambledAddress) {
    using platform::RegRoot;
    const RegRoot root = RegRoot::LocalMachine;
    const std::string list = kInstalledProductsKey;
    const std::string product = kProductName;
    const std::string version = versionText();

    auto writeEntry = [&](int number) {
        SetValue(reg, root, list, entryName('N', number), product);
        SetValue(reg, root, list, entryName('V', number), version);
        SetValue(reg, root, list, entryName('P', number), programFolder);
        SetValue(reg, root, list, entryName('S', number), scrambledDate);
        SetValue(reg, root, list, entryName('W', number), scrambledAddress);
    };

    if (!KeyExists(reg, root, list)) {
        if (!KeyExists(reg, root, "Software\\Brinlake")) CreateKey(reg, root, "Software\\Brinlake");
        CreateKey(reg, root, list);
        SetValue(reg, root, list, "NIP", std::int32_t{1});
        writeEntry(1);
        return;
    }
    int count = 0;
    RegVariant nip = GetValue(reg, root, list, "NIP");
    if (auto* n = std::get_if<std::int32_t>(&nip)) count = *n;
    if (auto* t = std::get_if<std::string>(&nip)) count = textToInt32(*t).value_or(0);
    for (int i = 1; i <= count; ++i) {
        if (regVariantText(GetValue(reg, root, list, entryName('N', i))) != product) continue;
        if (regVariantText(GetValue(reg, root, list, entryName('V', i))) != version)
            SetValue(reg, root, list, entryName('V', i), version);
        return;
    }
    writeEntry(count + 1);
    SetValue(reg, root, list, "NIP", std::int32_t{count + 1});
}

void recordInstalledProduct(platform::Registry& reg, const std::string& programFolder, platform::SystemTime now) {
    platform::SystemTime next = now;
    next.year += 1;
    if (next.month == 2 && next.day == 29) next.day = 28;
    char date[64];
    std::snprintf(date, sizeof date, "%d/%d/%04d %d:%02d:%02d", next.month, next.day, next.year, next.hour,
                  next.minute, next.second);
    RegisterInstalledProduct(reg, programFolder, ScrambleString(date), ScrambleString(kUpdateAddress));
}

}  // namespace vel
