// Registry helpers over the platform registry. Each stores the last API
// result in App::lastRegResult (kept for parity; nothing reads it back).
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/platform.h"

namespace vel {

class App;

// What GetValue returns: empty, a 32-bit number or text.
using RegVariant = std::variant<std::monostate, std::int32_t, std::string>;

bool KeyExists(App& app, platform::RegRoot root, const std::string& subKey);
void CreateKey(App& app, platform::RegRoot root, const std::string& subKey);
RegVariant GetValue(App& app, platform::RegRoot root, const std::string& subKey, const std::string& name);
// Numbers (and numeric text) are stored as 32-bit values, other text as a
// string with blanks trimmed.
void SetValue(App& app, platform::RegRoot root, const std::string& subKey, const std::string& name,
              const RegVariant& value);
void DeleteValue(App& app, platform::RegRoot root, const std::string& subKey, const std::string& name);

std::string regVariantText(const RegVariant& v);

}  // namespace vel
