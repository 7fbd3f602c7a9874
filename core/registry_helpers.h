// Registry helpers over the platform registry, in the shape the program
// uses them: whole values by key path, keys opened and closed each time.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/platform.h"

namespace vel {

// What GetValue returns: empty, a 32-bit number or text.
using RegVariant = std::variant<std::monostate, std::int32_t, std::string>;

bool KeyExists(platform::Registry& reg, platform::RegRoot root, const std::string& subKey);
void CreateKey(platform::Registry& reg, platform::RegRoot root, const std::string& subKey);
RegVariant GetValue(platform::Registry& reg, platform::RegRoot root, const std::string& subKey, const std::string& name);
// Numbers (and numeric text) are stored as 32-bit values, other text as a
// string with blanks trimmed.
void SetValue(platform::Registry& reg, platform::RegRoot root, const std::string& subKey, const std::string& name,
              const RegVariant& value);
void DeleteValue(platform::Registry& reg, platform::RegRoot root, const std::string& subKey, const std::string& name);

std::string regVariantText(const RegVariant& v);

}  // namespace vel
