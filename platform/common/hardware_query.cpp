#include "platform/common/hardware_query.h"

#include <cctype>
#include <sstream>

namespace vel::platform {

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

std::string selectedHardwareClass(const std::string& wql) {
    std::istringstream words(wql);
    std::string select, star, from, className, extra;
    if (!(words >> select >> star >> from >> className) || (words >> extra)) return {};
    if (lower(select) != "select" || star != "*" || lower(from) != "from") return {};
    return lower(className);
}

}  // namespace vel::platform
