#include "platform/win32/registry.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/utf16.h"

namespace vel::platform::win32 {

namespace {
// The predefined keys are 32-bit numbers sign-extended into a handle.
HKEY rootKey(RegRoot root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<std::uint32_t>(root))));
}
HKEY handle(Registry::Key key) { return reinterpret_cast<HKEY>(key); }

// Text values travel as UTF-8 with their NUL here and as UTF-16 in the
// registry; numbers and other types pass as they are.
std::vector<std::uint8_t> utf16Data(const std::vector<std::uint8_t>& utf8) {
    std::string text(utf8.begin(), utf8.end());
    if (auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    const std::wstring wide = widen(text);
    std::vector<std::uint8_t> out((wide.size() + 1) * sizeof(wchar_t), 0);
    std::memcpy(out.data(), wide.data(), wide.size() * sizeof(wchar_t));
    return out;
}

std::vector<std::uint8_t> utf8Data(const std::vector<std::uint8_t>& utf16) {
    std::wstring wide(utf16.size() / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), utf16.data(), wide.size() * sizeof(wchar_t));
    if (auto nul = wide.find(L'\0'); nul != std::wstring::npos) wide.resize(nul);
    const std::string text = narrow(wide);
    std::vector<std::uint8_t> out(text.begin(), text.end());
    out.push_back(0);
    return out;
}
}  // namespace

long Win32Registry::openKey(RegRoot root, const std::string& subKey, Key& out) {
    HKEY k = nullptr;
    const LONG rc = RegOpenKeyW(rootKey(root), widen(subKey).c_str(), &k);
    out = rc == ERROR_SUCCESS ? reinterpret_cast<Key>(k) : 0;
    return rc;
}

long Win32Registry::createKey(RegRoot root, const std::string& subKey, Key& out) {
    HKEY k = nullptr;
    const LONG rc = RegCreateKeyW(rootKey(root), widen(subKey).c_str(), &k);
    out = rc == ERROR_SUCCESS ? reinterpret_cast<Key>(k) : 0;
    return rc;
}

long Win32Registry::closeKey(Key key) { return RegCloseKey(handle(key)); }

long Win32Registry::queryValue(Key key, const std::string& name, RegValue& out) {
    const std::wstring wideName = widen(name);
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExW(handle(key), wideName.c_str(), nullptr, &type, nullptr, &size);
    // A value can grow between the two calls; ask again until it fits.
    for (int attempt = 0; attempt < 4 && rc == ERROR_SUCCESS; ++attempt) {
        out.data.assign(size, 0);
        DWORD got = size;
        rc = RegQueryValueExW(handle(key), wideName.c_str(), nullptr, &type,
                              out.data.empty() ? nullptr : out.data.data(), &got);
        if (rc == ERROR_SUCCESS) {
            out.type = type;
            out.data.resize(got);
            if (type == REG_SZ) out.data = utf8Data(out.data);
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
    const std::vector<std::uint8_t> data = value.type == REG_SZ ? utf16Data(value.data) : value.data;
    return RegSetValueExW(handle(key), widen(name).c_str(), 0, value.type, data.data(),
                          static_cast<DWORD>(data.size()));
}

long Win32Registry::deleteValue(Key key, const std::string& name) {
    return RegDeleteValueW(handle(key), widen(name).c_str());
}

}  // namespace vel::platform::win32
