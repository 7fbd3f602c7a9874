#include "platform/win32/win32_sources.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <pdh.h>
#include <wininet.h>

#include <cstring>

#include "platform/common/connected_state.h"
#include "platform/common/counter_path.h"
#include "platform/win32/utf16.h"
#include "platform/win32/counters.h"
#include "platform/win32/win32_hardware.h"

namespace vel::platform::win32 {

namespace {

// Wine's PDH knows one processor counter, _Total, and answers it with a
// constant: there the processor times are the better answer for them all.
bool processorCountersAreStubs() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class SystemPdh : public PdhApi {
public:
    SystemPdh() : skipProcessorCounters_(processorCountersAreStubs()) {
        // PdhAddEnglishCounterA came with Vista; older systems take the path as given.
        if (HMODULE pdh = GetModuleHandleA("pdh.dll"))
            addEnglish_ = reinterpret_cast<AddCounter>(
                reinterpret_cast<void*>(GetProcAddress(pdh, "PdhAddEnglishCounterA")));
    }
    long openQuery(Handle& query) override {
        PDH_HQUERY q = nullptr;
        const long rc = static_cast<long>(PdhOpenQueryA(nullptr, 0, &q));
        query = reinterpret_cast<Handle>(q);
        return rc;
    }
    long addCounter(Handle query, const std::string& path, Handle& counter) override {
        PDH_HCOUNTER c = nullptr;
        counter = 0;
        if (skipProcessorCounters_ && parseProcessorCounterPath(path).path) return kPdhCstatusNoCounter;
        auto q = reinterpret_cast<PDH_HQUERY>(query);
        long rc = addEnglish_ ? static_cast<long>(addEnglish_(q, path.c_str(), 0, &c))
                              : static_cast<long>(PdhAddCounterA(q, path.c_str(), 0, &c));
        counter = rc == ERROR_SUCCESS ? reinterpret_cast<Handle>(c) : 0;
        return rc;
    }
    long collect(Handle query) override {
        return static_cast<long>(PdhCollectQueryData(reinterpret_cast<PDH_HQUERY>(query)));
    }
    long value(Handle counter, double& value, long& status) override {
        PDH_FMT_COUNTERVALUE v{};
        const long rc = static_cast<long>(
            PdhGetFormattedCounterValue(reinterpret_cast<PDH_HCOUNTER>(counter), PDH_FMT_DOUBLE, nullptr, &v));
        status = rc == ERROR_SUCCESS ? static_cast<long>(v.CStatus) : rc;
        value = rc == ERROR_SUCCESS ? v.doubleValue : 0;
        return rc;
    }
    long removeCounter(Handle counter) override {
        return static_cast<long>(PdhRemoveCounter(reinterpret_cast<PDH_HCOUNTER>(counter)));
    }
    long closeQuery(Handle query) override {
        return static_cast<long>(PdhCloseQuery(reinterpret_cast<PDH_HQUERY>(query)));
    }

private:
    using AddCounter = PDH_STATUS(WINAPI*)(PDH_HQUERY, LPCSTR, DWORD_PTR, PDH_HCOUNTER*);
    AddCounter addEnglish_ = nullptr;
    bool skipProcessorCounters_;
};

// The MIB records are all DWORDs in the same order as ours.
template <typename Ours, typename Theirs>
void copyRecord(Ours& out, const Theirs& in) {
    static_assert(sizeof(Ours) == sizeof(Theirs), "MIB record layout differs");
    std::memcpy(static_cast<void*>(&out), &in, sizeof out);
}

class Win32Sources : public Sources {
public:
    Win32Sources() : counters_(createSystemPdh(), systemProcessorTimesReader()) {
        SYSTEM_INFO info{};
        GetSystemInfo(&info);
        processors_ = info.dwNumberOfProcessors;
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        platformId_ = GetVersionExA(&version) ? static_cast<int>(version.dwPlatformId) : kPlatformWin32NT;
    }

    std::uint32_t numberOfProcessors() override { return processors_; }
    int platformId() override { return platformId_; }
    bool processorFeaturePresent(int feature) override {
        return IsProcessorFeaturePresent(static_cast<DWORD>(feature)) != FALSE;
    }

    long openQuery(Query& out) override { return counters_.openQuery(out); }
    long addCounter(Query query, const std::string& path, Counter& out) override {
        return counters_.addCounter(query, path, out);
    }
    long collectQueryData(Query query) override { return counters_.collectQueryData(query); }
    double counterValue(Counter counter, long& status) override { return counters_.counterValue(counter, status); }
    long removeCounter(Counter counter) override { return counters_.removeCounter(counter); }
    long closeQuery(Query query) override { return counters_.closeQuery(query); }

    bool memoryStatus(MemoryStatusEx& out) override {
        out = MemoryStatusEx{};
        MEMORYSTATUSEX m{};
        m.dwLength = sizeof m;
        if (!GlobalMemoryStatusEx(&m)) return false;
        out.length = m.dwLength;
        out.memoryLoad = m.dwMemoryLoad;
        out.totalPhys = m.ullTotalPhys;
        out.availPhys = m.ullAvailPhys;
        out.totalPageFile = m.ullTotalPageFile;
        out.availPageFile = m.ullAvailPageFile;
        out.totalVirtual = m.ullTotalVirtual;
        out.availVirtual = m.ullAvailVirtual;
        out.availExtendedVirtual = m.ullAvailExtendedVirtual;
        return true;
    }

    bool ipStatistics(MibIpStats& out) override { return fetch<MIB_IPSTATS>(out, GetIpStatistics); }
    bool icmpStatistics(MibIcmp& out) override { return fetch<MIB_ICMP>(out, GetIcmpStatistics); }
    bool tcpStatistics(MibTcpStats& out) override { return fetch<MIB_TCPSTATS>(out, GetTcpStatistics); }
    bool udpStatistics(MibUdpStats& out) override { return fetch<MIB_UDPSTATS>(out, GetUdpStatistics); }

    int connectedState(std::uint32_t& flags, std::string& name) override {
        const int rc = readConnectedState(
            [](std::uint32_t& f, char* buffer, std::uint32_t size) {
                DWORD word = 0;
                const BOOL ok = InternetGetConnectedStateExA(&word, buffer, size, 0);
                f = word;
                return static_cast<int>(ok);
            },
            flags, name);
        name = fromAnsi(name);
        return rc;
    }

    bool queryHardware(const std::string& wql, std::vector<HardwareObject>& out) override {
        return wmi_.query(wql, out);
    }

private:
    template <typename Theirs, typename Ours, typename Call>
    static bool fetch(Ours& out, Call call) {
        Theirs record{};
        const bool ok = call(&record) == NO_ERROR;
        if (ok)
            copyRecord(out, record);
        else
            out = Ours{};
        return ok;
    }

    CounterQueries counters_;
    WmiService wmi_;
    std::uint32_t processors_ = 1;
    int platformId_ = kPlatformWin32NT;
};

}  // namespace

std::unique_ptr<PdhApi> createSystemPdh() { return std::make_unique<SystemPdh>(); }

std::unique_ptr<Sources> createWin32Sources() { return std::make_unique<Win32Sources>(); }

}  // namespace vel::platform::win32
