// The registry through advapi32, behind the program's Registry interface.
// Handles are the HKEYs themselves.
#pragma once

#include "platform/platform.h"

namespace vel::platform::win32 {

class Win32Registry : public Registry {
public:
    long openKey(RegRoot root, const std::string& subKey, Key& out) override;
    long createKey(RegRoot root, const std::string& subKey, Key& out) override;
    long closeKey(Key key) override;
    long queryValue(Key key, const std::string& name, RegValue& out) override;
    long setValue(Key key, const std::string& name, const RegValue& value) override;
    long deleteValue(Key key, const std::string& name) override;
};

}  // namespace vel::platform::win32
