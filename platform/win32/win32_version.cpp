// The program's own version information, read from the VERSIONINFO
// resource of the running executable.
#include "platform/win32/win32_platform.h"

#include <vector>

namespace vel::platform::win32 {

namespace {
std::string stringValue(const std::vector<char>& block, const char* name) {
    // US English, Unicode: the one table the resource script writes.
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    char* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text || length == 0)
        return "";
    return std::string(text, length - 1);  // the count includes the NUL
}
}  // namespace

VersionInfo Win32Platform::version() const {
    VersionInfo info;
    char path[MAX_PATH * 2] = {};
    if (GetModuleFileNameA(nullptr, path, sizeof path) == 0) return info;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return info;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path, 0, size, block.data())) return info;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        info.major = static_cast<int>(HIWORD(fixed->dwFileVersionMS));
        info.minor = static_cast<int>(LOWORD(fixed->dwFileVersionMS));
        info.revision = static_cast<int>(HIWORD(fixed->dwFileVersionLS));
    }
    info.productName = stringValue(block, "ProductName");
    info.copyright = stringValue(block, "LegalCopyright");
    return info;
}

}  // namespace vel::platform::win32
