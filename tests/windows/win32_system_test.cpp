// Registry, single instance, timers and the loop, time and the 9x path.
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_sources.h"

#include <memory>

#include "harness.h"
#include "platform/common/memory_registry.h"
#include "sources/cpu_usage.h"
#include "support.h"

using namespace vel;
using namespace vel::platform;

namespace {

const char* kTestKey = "Software\\VelmoraWindowsTest";

// The real backend, reporting the 9x family: the sampler then reads the
// dynamic-data registry, which Wine keeps as a real root.
class NinetyFivePlatform : public win32::Win32Platform {
public:
    NinetyFivePlatform() : win32::Win32Platform(wintest::testOptions()), inner_(win32::createWin32Sources()) {
        nineX_.inner = inner_.get();
    }
    Sources& sources() override { return nineX_; }

private:
    struct NineX : Sources {
        Sources* inner = nullptr;
        std::uint32_t numberOfProcessors() override { return inner->numberOfProcessors(); }
        int platformId() override { return kPlatformWin32Windows; }
        bool processorFeaturePresent(int f) override { return inner->processorFeaturePresent(f); }
        long openQuery(Query& q) override { return inner->openQuery(q); }
        long addCounter(Query q, const std::string& p, Counter& c) override { return inner->addCounter(q, p, c); }
        long collectQueryData(Query q) override { return inner->collectQueryData(q); }
        double counterValue(Counter c, long& s) override { return inner->counterValue(c, s); }
        long removeCounter(Counter c) override { return inner->removeCounter(c); }
        long closeQuery(Query q) override { return inner->closeQuery(q); }
        bool memoryStatus(MemoryStatusEx& m) override { return inner->memoryStatus(m); }
        bool ipStatistics(MibIpStats& m) override { return inner->ipStatistics(m); }
        bool icmpStatistics(MibIcmp& m) override { return inner->icmpStatistics(m); }
        bool tcpStatistics(MibTcpStats& m) override { return inner->tcpStatistics(m); }
        bool udpStatistics(MibUdpStats& m) override { return inner->udpStatistics(m); }
        int connectedState(std::uint32_t& f, std::string& n) override { return inner->connectedState(f, n); }
    };
    std::unique_ptr<Sources> inner_;
    NineX nineX_;
};

}  // namespace

WTEST(Registry, ValuesRoundTripWithTheSystemsAnswers) {
    win32::Win32Registry reg;
    Registry::Key key = 0;
    REQUIRE(reg.createKey(RegRoot::CurrentUser, kTestKey, key) == kErrorSuccess);
    REQUIRE(key != 0);
    CHECK_EQ(reg.setValue(key, "Text", MemoryRegistry::stringValue("VELMORA v2")), kErrorSuccess);
    CHECK_EQ(reg.setValue(key, "Number", MemoryRegistry::dwordValue(0x01020304)), kErrorSuccess);
    RegValue v;
    CHECK_EQ(reg.queryValue(key, "text", v), kErrorSuccess);  // names are case-insensitive
    CHECK_EQ(v.type, kRegSz);
    CHECK_EQ(std::string(v.data.begin(), v.data.end()), std::string("VELMORA v2", 11));  // with its terminator
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

WTEST(NineX, SamplerReadsTheKernelStatisticFromTheDynamicDataRegistry) {
    // A 9x kernel keeps the statistic under HKEY_DYN_DATA; here the test puts it there.
    HKEY stat = nullptr;
    REQUIRE(RegCreateKeyA(HKEY_DYN_DATA, clsCPUUsage::kStatData, &stat) == ERROR_SUCCESS);
    DWORD load = 37;
    RegSetValueExA(stat, clsCPUUsage::kStatValue, 0, REG_DWORD, reinterpret_cast<BYTE*>(&load), sizeof load);

    NinetyFivePlatform os;
    clsCPUUsage sampler(os, 0);
    CHECK(!sampler.IsNT());
    CHECK_EQ(sampler.Usage(), 37);
    load = 81;
    RegSetValueExA(stat, clsCPUUsage::kStatValue, 0, REG_DWORD, reinterpret_cast<BYTE*>(&load), sizeof load);
    CHECK_EQ(sampler.Usage(), 81);
    RegCloseKey(stat);
    RegDeleteKeyA(HKEY_DYN_DATA, clsCPUUsage::kStatData);
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
}

WTEST(Time, ClocksAgreeWithTheSystem) {
    win32::Win32Platform os(wintest::testOptions());
    CHECK(os.perfFrequency() > 0);
    const std::int64_t a = os.perfCounter(), b = os.perfCounter();
    CHECK(b >= a);
    const SystemTime utc = os.systemTime();
    SYSTEMTIME st{};
    GetSystemTime(&st);
    CHECK_EQ(utc.year, static_cast<int>(st.wYear));
    CHECK(utc.month >= 1 && utc.month <= 12);
    CHECK_EQ(os.nativePath("skins/main_skin.png"), std::string("skins\\main_skin.png"));
    CHECK_EQ(os.pathSeparator(), '\\');
}
