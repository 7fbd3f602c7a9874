// The program's UTF-8 text reaches Windows whole: a window title and a
// registry value read back as the same UTF-16 characters (a message box's
// are among the Dialog checks). The form's name, which tests find it by,
// stays apart from its title.
#include "platform/common/memory_registry.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/registry.h"

#include "harness.h"
#include "support.h"

using namespace vel::platform;

namespace {
const char* const kText = "Glidora\u2122 \u00dcber Gr\u00f6\u00dfe";
const wchar_t* const kWide = L"Glidora\u2122 \u00dcber Gr\u00f6\u00dfe";

std::wstring textOf(HWND window) {
    wchar_t buffer[128] = {};
    const int n = GetWindowTextW(window, buffer, 128);
    return std::wstring(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}
}  // namespace

WTEST(Unicode, WindowTitleKeepsItsCharactersAndTheNameStaysApart) {
    win32::Win32Platform os(wintest::testOptions());
    wintest::CountingListener listener;
    WindowDesc desc;
    desc.name = "frmTitleTest";
    desc.caption = "VELMORA v2 \u2013 CPU 0";
    desc.bounds = {10, 10, 60, 40};
    const WindowId id = os.createWindow(desc, &listener);
    REQUIRE(id != 0);
    CHECK(textOf(os.hwndOf(id)) == L"VELMORA v2 \u2013 CPU 0");
    CHECK_EQ(win32::Win32Platform::formNameOf(os.hwndOf(id)), std::string("frmTitleTest"));
    os.destroyWindow(id);
    CHECK_EQ(GlobalFindAtomW(L"frmTitleTest"), 0);  // the name's atom went with the window
}

WTEST(Unicode, RegistryTextIsStoredAsTheSameCharacters) {
    const char* const key = "Software\\VelmoraUnicodeTest";
    win32::Win32Registry reg;
    Registry::Key k = 0;
    REQUIRE(reg.createKey(RegRoot::CurrentUser, key, k) == kErrorSuccess);
    CHECK_EQ(reg.setValue(k, "P01", MemoryRegistry::stringValue(kText)), kErrorSuccess);
    wchar_t stored[64] = {};
    DWORD size = sizeof stored;
    CHECK_EQ(RegQueryValueExW(reinterpret_cast<HKEY>(k), L"P01", nullptr, nullptr, reinterpret_cast<BYTE*>(stored),
                              &size), ERROR_SUCCESS);
    CHECK(std::wstring(stored) == kWide);
    RegValue back;
    CHECK_EQ(reg.queryValue(k, "P01", back), kErrorSuccess);
    CHECK_EQ(std::string(back.data.begin(), back.data.end()), std::string(kText) + '\0');
    reg.closeKey(k);
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
}
