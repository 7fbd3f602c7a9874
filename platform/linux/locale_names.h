// Date names of a locale, read through the C library's locale data.
#pragma once

#include <optional>

#include "platform/platform.h"

namespace vel::platform::linux_backend {

// Abbreviated day and month names of the named locale ("" for the one the
// environment chooses: LC_ALL, LC_TIME, LANG). nullopt when the system has
// no such locale.
std::optional<LocaleDateNames> dateNamesOfLocale(const char* name);

}  // namespace vel::platform::linux_backend
