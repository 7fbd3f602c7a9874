// The one WQL form the inventory asks with, "Select * from Win32_Processor",
// read the way WMI reads it: keywords and class names are case-insensitive.
// Shared by the Linux, remote and simulated sources.
#pragma once

#include <string>

namespace vel::platform {

// The class named by "Select * from CLASS", in lower case; empty when the
// text is not that form.
std::string selectedHardwareClass(const std::string& wql);

// From a kernel's machine name (uname -m, "x86_64"): WMI's Architecture
// code, empty when WMI has none, and the word size in bits (32 or 64).
std::string architectureCode(const std::string& machine);
int machineWordBits(const std::string& machine);

// A firmware date, "MM/DD/YYYY", as WMI's date text; other forms as they are.
std::string wmiDate(const std::string& date);

}  // namespace vel::platform
