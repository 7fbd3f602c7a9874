// The machine-wide record of the maker's installed products, read by the
// maker's separate update tool, and the scrambler its dates and address
// pass through.
#pragma once

#include <string>

namespace vel {

class App;

constexpr const char* kInstalledProductsKey = "Software\\Brinlake\\Installed Products";
constexpr const char* kUpdateAddress = "http://www.brinlake.example/products/qrt/update.bru";

// Exclusive-or with a key built at run time; two upper-case hex digits a character.
std::string ScrambleString(const std::string& text);
std::string UnscrambleString(const std::string& hex);

void RegisterInstalledProduct(App& app, const std::string& scrambledDate, const std::string& scrambledAddress);

// Start-up's part: the next-check date (now plus one year) and the address,
// scrambled and recorded.
void recordInstalledProduct(App& app);

}  // namespace vel
