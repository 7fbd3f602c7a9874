// Registry, single instance, timers and the loop, and the system time.
#include "platform/win32/win32_platform.h"

#include "harness.h"
#include "platform/common/memory_registry.h"
#include "support.h"

using namespace vel;
using namespace vel::platform;

namespace {
const char* kTestKey = "Software\\VelmoraWindowsTest";
}  // namespace

WTEST(Registry, ValuesRoundTripWithTheSystemsAnswers) {
    win32::Win32Registry reg;
    Registry::Key key = 0;
    REQUIRE(reg.createKey(RegRoot::CurrentUser, kTestKey, key) == kErrorSuccess);
    REQUIRE(key != 0);
    // UTF-8 text is stored as the same UTF-16 characters and read back as it was.
    const char* const text = "Glidora\u2122 \u00dcber Gr\u00f6\u00dfe";
    CHECK_EQ(reg.setValue(key, "Text", MemoryRegistry::stringValue(text)), kErrorSuccess);
    CHECK_EQ(reg.setValue(key, "Number", MemoryRegistry::dwordValue(0x01020304)), kErrorSuccess);
    wchar_t stored[64] = {};
    DWORD size = sizeof stored;
    CHECK_EQ(RegQueryValueExW(reinterpret_cast<HKEY>(key), L"Text", nullptr, nullptr, reinterpret_cast<BYTE*>(stored),
                              &size), ERROR_SUCCESS);
    CHECK(std::wstring(stored) == L"Glidora\u2122 \u00dcber Gr\u00f6\u00dfe");
    RegValue v;
    CHECK_EQ(reg.queryValue(key, "text", v), kErrorSuccess);  // names are case-insensitive
    CHECK_EQ(v.type, kRegSz);
    CHECK_EQ(std::string(v.data.begin(), v.data.end()), std::string(text) + '\0');  // with its terminator
    CHECK_EQ(reg.queryValue(key, "Number", v), kErrorSuccess);
    CHECK_EQ(v.type, kRegDword);
    CHECK_EQ(v.data.size(), 4u);
    CHECK_EQ(static_cast<int>(v.data[0]), 4);
    CHECK_EQ(reg.queryValue(key, "Missing", v), kErrorFileNotFound);
    CHECK(v.data.empty());
    CHECK_EQ(reg.deleteValue(key, "Number"), kErrorSuccess);
    CHECK_EQ(reg.queryValue(key, "Number", v), kErrorFileNotFound);
    CHECK_EQ(reg.closeKey(key), kErrorSuccess);

    Registry::Key opened = 0;
    CHECK_EQ(reg.openKey(RegRoot::CurrentUser, kTestKey, opened), kErrorSuccess);
    reg.closeKey(opened);
    CHECK_EQ(reg.openKey(RegRoot::CurrentUser, "Software\\VelmoraNoSuchKey", opened), kErrorFileNotFound);
    CHECK_EQ(opened, Registry::Key{0});
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
}

WTEST(Process, OneInstanceHoldsTheNamedMutex) {
    win32::Win32Platform first(wintest::testOptions()), second(wintest::testOptions());
    const std::string name = "VelmoraWindowsTest " + std::to_string(GetCurrentProcessId());
    CHECK(first.claimSingleInstance(name));
    CHECK(!second.claimSingleInstance(name));
    CHECK(first.claimSingleInstance(name));  // the holder asking again keeps it
}

WTEST(Loop, TimersRunUntilQuitAndTheExitCodeComesBackAndAStoppedOneNeverFires) {
    win32::Win32Platform os(wintest::testOptions());
    int ticks = 0, idles = 0, stopped = 0;
    os.setIdleHook([&] { ++idles; });
    os.stopTimer(os.startTimer(10, [&] { ++stopped; }));
    TimerId timer = 0;
    timer = os.startTimer(15, [&] {
        if (++ticks == 3) {
            os.stopTimer(timer);
            os.quit(7);
        }
    });
    REQUIRE(timer != 0);
    const ULONGLONG start = GetTickCount64();
    CHECK_EQ(os.runLoop(), 7);
    CHECK_EQ(ticks, 3);
    CHECK_EQ(stopped, 0);
    CHECK(idles >= 1);
    CHECK(GetTickCount64() - start < 5000);
    CHECK(os.quitting());
    // The clock the logs stamp their lines with is the system's.
    const SystemTime utc = os.systemTime();
    SYSTEMTIME st{};
    GetSystemTime(&st);
    CHECK_EQ(utc.year * 100 + utc.month, st.wYear * 100 + st.wMonth);
}
