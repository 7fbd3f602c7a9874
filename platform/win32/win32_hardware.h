// The hardware descriptions through WMI: WQL queries against root\cimv2 of
// this computer, whose objects come back with every property as text.
#pragma once

#include <string>
#include <vector>

#include "platform/sources_api.h"
#include "platform/win32/windows_api.h"
#include <oaidl.h>

namespace vel::platform::win32 {

class WmiService {
public:
    // False when the service or the query failed; out keeps the objects
    // enumerated before a failure.
    bool query(const std::string& wql, std::vector<HardwareObject>& out);
};

// A property value as text: integers in plain decimal (unsigned CIM types
// read unsigned), booleans "True" and "False", strings (WMI's date strings
// among them) as they are. False for empty, null and array values and for
// anything that does not convert.
bool variantText(const VARIANT& value, long cimType, std::string& out);

}  // namespace vel::platform::win32
