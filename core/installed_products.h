// The machine-wide record of the maker's installed products, read by the
// maker's separate update tool, and the scrambler its dates and address
// pass through.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vel {

constexpr const char* kInstalledProductsKey = "Software\\Brinlake\\Installed Products";
constexpr const char* kUpdateAddress = "http://www.brinlake.example/products/qrt/update.bru";

// Exclusive-or with a key built at run time; two upper-case hex digits a character.
std::string ScrambleString(const std::string& text);
std::string UnscrambleString(const std::string& hex);

void RegisterInstalledProduct(platform::Registry& reg, const std::string& programFolder,
                              const std::string& scrambledDate, const std::string& scrambledAddress);

// Start-up's part: the next-check date (a year from `now`) and the address,
// scrambled and recorded.
void recordInstalledProduct(platform::Registry& reg, const std::string& programFolder, platform::SystemTime now);

}  // namespace vel
