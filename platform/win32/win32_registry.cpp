#include "platform/win32/win32_registry.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace vel::platform::win32 {

namespace {
// The predefined keys are 32-bit numbers sign-extended into a handle.
HKEY rootKey(RegRoot root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<std::uint32_t>(root))));
}
HKEY handle(Registry::Key key) { return reinterpret_cast<HKEY>(key); }
}  // namespace

long Win32Registry::openKey(RegRoot root, const std::string& subKey, Key& out) {
    HKEY k = nullptr;
    const LONG rc = RegOpenKeyA(rootKey(root), subKey.c_str(), &k);
    out = rc == ERROR_SUCCESS ? reinterpret_cast<Key>(k) : 0;
    return rc;
}

long Win32Registry::createKey(RegRoot root, const std::string& subKey, Key& out) {
    HKEY k = nullptr;
    const LONG rc = RegCreateKeyA(rootKey(root), subKey.c_str(), &k);
    out = rc == ERROR_SUCCESS ? reinterpret_cast<Key>(k) : 0;
    return rc;
}

long Win32Registry::closeKey(Key key) { return RegCloseKey(handle(key)); }

long Win32Registry::queryValue(Key key, const std::string& name, RegValue& out) {
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExA(handle(key), name.c_str(), nullptr, &type, nullptr, &size);
    // A value can grow between the two calls; ask again until it fits.
    for (int attempt = 0; attempt < 4 && rc == ERROR_SUCCESS; ++attempt) {
        out.data.assign(size, 0);
        DWORD got = size;
        rc = RegQueryValueExA(handle(key), name.c_str(), nullptr, &type, out.data.empty() ? nullptr : out.data.data(),
                              &got);
        if (rc == ERROR_SUCCESS) {
            out.type = type;
            out.data.resize(got);
            return rc;
        }
        if (rc == ERROR_MORE_DATA) {
            size = got;
            rc = ERROR_SUCCESS;
        }
    }
    out = RegValue{};
    return rc;
}

long Win32Registry::setValue(Key key, const std::string& name, const RegValue& value) {
    return RegSetValueExA(handle(key), name.c_str(), 0, value.type, value.data.data(),
                          static_cast<DWORD>(value.data.size()));
}

long Win32Registry::deleteValue(Key key, const std::string& name) {
    return RegDeleteValueA(handle(key), name.c_str());
}

}  // namespace vel::platform::win32
