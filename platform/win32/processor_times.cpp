#include "platform/win32/processor_times.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>

namespace vel::platform::win32 {

namespace {

// SystemProcessorPerformanceInformation's record, with the fields the
// public headers keep as "reserved" named.
struct ProcessorPerformance {
    LARGE_INTEGER idleTime;
    LARGE_INTEGER kernelTime;
    LARGE_INTEGER userTime;
    LARGE_INTEGER dpcTime;
    LARGE_INTEGER interruptTime;
    ULONG interruptCount;
};
constexpr ULONG kSystemProcessorPerformanceInformation = 8;
using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

std::uint64_t fromFileTime(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

std::int64_t stampNow() {
    LARGE_INTEGER counter{}, frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    if (frequency.QuadPart <= 0) return static_cast<std::int64_t>(GetTickCount64()) * 10000;
    const long double seconds = static_cast<long double>(counter.QuadPart) / frequency.QuadPart;
    return static_cast<std::int64_t>(seconds * 1e7L);
}

bool readPerProcessor(QuerySystemInformation query, ProcessorSample& out) {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    std::vector<ProcessorPerformance> records(std::max<DWORD>(1, info.dwNumberOfProcessors));
    ULONG got = 0;
    const ULONG size = static_cast<ULONG>(records.size() * sizeof(ProcessorPerformance));
    if (query(kSystemProcessorPerformanceInformation, records.data(), size, &got) < 0) return false;
    records.resize(got / sizeof(ProcessorPerformance));
    if (records.empty()) return false;
    const std::int64_t stamp = stampNow();
    out.processors.clear();
    out.total = ProcessorTimes{};
    out.total.stamp = stamp;
    for (const ProcessorPerformance& r : records) {
        ProcessorTimes t;
        t.idle = static_cast<std::uint64_t>(r.idleTime.QuadPart);
        t.kernel = static_cast<std::uint64_t>(r.kernelTime.QuadPart);
        t.user = static_cast<std::uint64_t>(r.userTime.QuadPart);
        t.interrupt = static_cast<std::uint64_t>(r.interruptTime.QuadPart);
        t.interrupts = r.interruptCount;
        t.stamp = stamp;
        out.processors.push_back(t);
        out.total.idle += t.idle;
        out.total.kernel += t.kernel;
        out.total.user += t.user;
        out.total.interrupt += t.interrupt;
        out.total.interrupts += t.interrupts;
    }
    return true;
}

}  // namespace

ProcessorTimesReader systemProcessorTimesReader() {
    auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    return [query](ProcessorSample& out) {
        if (query && readPerProcessor(query, out)) return true;
        FILETIME idle{}, kernel{}, user{};
        if (!GetSystemTimes(&idle, &kernel, &user)) return false;
        out.processors.clear();
        out.total = ProcessorTimes{fromFileTime(idle), fromFileTime(kernel), fromFileTime(user), 0, 0, stampNow()};
        return true;
    };
}

bool computableFromTimes(ProcessorCounter counter) {
    switch (counter) {
        case ProcessorCounter::ProcessorTime:
        case ProcessorCounter::IdleTime:
        case ProcessorCounter::InterruptTime:
        case ProcessorCounter::InterruptsPerSec:
            return true;
        default:
            return false;  // C-states and DPC counts are not in the kernel's times
    }
}

std::optional<double> counterFromTimes(ProcessorCounter counter, const ProcessorTimes& before,
                                       const ProcessorTimes& after) {
    if (!computableFromTimes(counter)) return std::nullopt;
    auto delta = [](std::uint64_t a, std::uint64_t b) { return b >= a ? static_cast<double>(b - a) : 0.0; };
    const double all = delta(before.kernel, after.kernel) + delta(before.user, after.user);
    const double idle = std::min(delta(before.idle, after.idle), all);
    if (counter == ProcessorCounter::InterruptsPerSec) {
        const double seconds = static_cast<double>(after.stamp - before.stamp) / 1e7;
        if (seconds <= 0) return std::nullopt;
        return delta(before.interrupts, after.interrupts) / seconds;
    }
    if (all <= 0) return std::nullopt;
    switch (counter) {
        case ProcessorCounter::ProcessorTime: return 100.0 * (all - idle) / all;
        case ProcessorCounter::IdleTime: return 100.0 * idle / all;
        default: return std::min(100.0, 100.0 * delta(before.interrupt, after.interrupt) / all);
    }
}

}  // namespace vel::platform::win32
