// The one WQL form the inventory asks with, "Select * from Win32_Processor",
// read the way WMI reads it: keywords and class names are case-insensitive.
// Shared by the Linux and simulated sources.
#pragma once

#include <string>

namespace vel::platform {

// The class named by "Select * from CLASS", in lower case; empty when the
// text is not that form.
std::string selectedHardwareClass(const std::string& wql);

}  // namespace vel::platform
