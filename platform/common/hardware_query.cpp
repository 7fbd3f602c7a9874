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

// WMI's Architecture codes by the kernel's machine name; empty when WMI has none.
std::string architectureCode(const std::string& machine) {
    if (machine == "x86_64") return "9";
    if (machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86") return "0";
    if (machine.rfind("mips", 0) == 0) return "1";
    if (machine == "alpha") return "2";
    if (machine.rfind("ppc", 0) == 0 || machine.rfind("powerpc", 0) == 0) return "3";
    if (machine.rfind("arm", 0) == 0) return "5";
    if (machine == "ia64") return "6";
    if (machine == "aarch64" || machine == "arm64") return "12";
    return {};
}

// A firmware's "MM/DD/YYYY" as WMI's date text; other forms as they are.
std::string wmiDate(const std::string& date) {
    if (date.size() != 10 || date[2] != '/' || date[5] != '/') return date;
    return date.substr(6, 4) + date.substr(0, 2) + date.substr(3, 2) + "000000.000000+000";
}

int machineWordBits(const std::string& machine) {
    return machine.find("64") != std::string::npos || machine == "alpha" || machine == "s390x" ? 64 : 32;
}

std::string selectedHardwareClass(const std::string& wql) {
    std::istringstream words(wql);
    std::string select, star, from, className, extra;
    if (!(words >> select >> star >> from >> className) || (words >> extra)) return {};
    if (lower(select) != "select" || star != "*" || lower(from) != "from") return {};
    return lower(className);
}

}  // namespace vel::platform
