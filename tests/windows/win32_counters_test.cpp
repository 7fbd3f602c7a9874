// PDH counters and their fallback to the kernel's processor times.
#include <atomic>
#include <cstdio>
#include <map>
#include <thread>

#include "harness.h"
#include "platform/win32/counters.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_sources.h"
#include "sources/cpu_usage.h"
#include "sources/system_metrics.h"
#include "support.h"

using namespace vel::platform;
using namespace vel::platform::win32;

namespace {

// A PDH that knows only the paths it is given, with values set by the test.
struct FakePdh : PdhApi {
    std::map<std::string, double> known;
    std::map<Handle, std::string> added;
    int collections = 0;
    long openQuery(Handle& query) override {
        query = 77;
        return 0;
    }
    long addCounter(Handle, const std::string& path, Handle& counter) override {
        if (!known.count(path)) return kPdhCstatusNoCounter;
        counter = 1000 + added.size();
        added[counter] = path;
        return 0;
    }
    long collect(Handle) override {
        ++collections;
        return 0;
    }
    long value(Handle counter, double& v, long& status) override {
        v = known.at(added.at(counter));
        status = kPdhCstatusValidData;
        return 0;
    }
    long removeCounter(Handle counter) override { return added.erase(counter) ? 0 : kPdhInvalidHandle; }
    long closeQuery(Handle) override { return 0; }
};

// Two processors whose times the test moves on by hand.
struct FakeTimes {
    std::vector<ProcessorTimes> processors = std::vector<ProcessorTimes>(2);
    void advance(int processor, std::uint64_t busy, std::uint64_t idle, std::uint64_t interrupts,
                 std::int64_t elapsed) {
        ProcessorTimes& t = processors[processor];
        t.kernel += busy + idle;  // kernel time includes idle
        t.idle += idle;
        t.interrupts += interrupts;
        for (ProcessorTimes& p : processors) p.stamp += elapsed;
    }
    ProcessorTimesReader reader() {
        return [this](ProcessorSample& out) {
            out.processors = processors;
            out.total = ProcessorTimes{};
            out.total.stamp = processors[0].stamp;
            for (const ProcessorTimes& p : processors) {
                out.total.idle += p.idle;
                out.total.kernel += p.kernel;
                out.total.interrupts += p.interrupts;
            }
            return true;
        };
    }
};

}  // namespace

// PDH answers the counters it has; those it lacks come from the processor
// times; what neither can compute, a foreign object or a processor the
// machine lacks still gets a handle and reads nothing.
WTEST(Counters, PdhAnswersWhatItHasAndProcessorTimesTheRest) {
    auto pdh = std::make_unique<FakePdh>();
    pdh->known["\\Processor(0)\\% Processor Time"] = 42.25;
    FakePdh* seen = pdh.get();
    FakeTimes times;
    CounterQueries q(std::move(pdh), times.reader());
    Sources::Query query = 0;
    REQUIRE(q.openQuery(query) == kPdhSuccess);
    Sources::Counter fromPdh = 0, busy = 0, idle = 0, total = 0, rate = 0, c1 = 0, dpc = 0, foreign = 0, beyond = 0;
    CHECK_EQ(q.addCounter(query, "\\Processor(0)\\% Processor Time", fromPdh), kPdhSuccess);
    CHECK_EQ(q.addCounter(query, "\\Processor(1)\\% Processor Time", busy), kPdhSuccess);
    CHECK_EQ(q.addCounter(query, "\\processor(1)\\% idle time", idle), kPdhSuccess);
    CHECK_EQ(q.addCounter(query, "\\Processor(_Total)\\% Processor Time", total), kPdhSuccess);
    CHECK_EQ(q.addCounter(query, "\\Processor(0)\\Interrupts/sec", rate), kPdhSuccess);
    CHECK(q.addCounter(query, "\\Processor(0)\\% C1 Time", c1) != kPdhSuccess);
    CHECK(q.addCounter(query, "\\Processor(0)\\DPCs Queued/sec", dpc) != kPdhSuccess);
    CHECK(q.addCounter(query, "\\Memory\\Available Bytes", foreign) != kPdhSuccess);
    q.addCounter(query, "\\Processor(5)\\% Processor Time", beyond);  // beyond the machine's two
    CHECK(c1 != 0 && dpc != 0 && foreign != 0);
    CHECK(q.pathOf(fromPdh) == CounterQueries::Path::Pdh);
    CHECK(q.pathOf(busy) == CounterQueries::Path::ProcessorTimes);
    CHECK(q.pathOf(foreign) == CounterQueries::Path::None);

    q.collectQueryData(query);
    long status = 0;
    CHECK_EQ(q.counterValue(busy, status), 0.0);  // one sample is no interval yet
    CHECK_EQ(status, kPdhCstatusInvalidData);

    times.advance(1, 3'000'000, 1'000'000, 0, 0);    // processor 1: 75 % busy
    times.advance(0, 0, 4'000'000, 500, 4'000'000);  // processor 0 idle, 500 interrupts in 0.4 s
    q.collectQueryData(query);
    CHECK_EQ(q.counterValue(busy, status), 75.0);
    CHECK_EQ(status, kPdhCstatusValidData);
    CHECK_EQ(q.counterValue(idle, status), 25.0);
    CHECK_EQ(q.counterValue(total, status), 37.5);
    CHECK_EQ(q.counterValue(rate, status), 1250.0);
    status = -1;
    CHECK_EQ(q.counterValue(fromPdh, status), 42.25);
    CHECK_EQ(status, kPdhCstatusValidData);
    for (const Sources::Counter none : {c1, foreign, beyond}) {
        CHECK_EQ(q.counterValue(none, status), 0.0);
        CHECK(status != kPdhCstatusValidData);
    }
    CHECK_EQ(status, kPdhCstatusInvalidData);  // the missing processor's

    // No time passed: no value rather than a division by nothing.
    q.collectQueryData(query);
    for (const Sources::Counter same : {busy, rate}) {
        CHECK_EQ(q.counterValue(same, status), 0.0);
        CHECK_EQ(status, kPdhCstatusInvalidData);
    }
    // Idle read a moment after the kernel time can outgrow it: all idle, never below 0 % busy.
    times.processors[1].idle += 40;
    times.advance(1, 10, 0, 0, 10);
    q.collectQueryData(query);
    CHECK_EQ(q.counterValue(busy, status), 0.0);
    CHECK_EQ(q.counterValue(idle, status), 100.0);
    CHECK_EQ(seen->collections, 4);
    CHECK_EQ(q.removeCounter(fromPdh), kPdhSuccess);
    CHECK(seen->added.empty());
}

// The system's own answer: whichever path runs here, a busy processor
// reads busy. Under Wine the per-processor PDH counter is missing and the
// processor times answer.
WTEST(Counters, BusyMachineReadsNonZeroLoadFromTheSystem) {
    auto sources = createWin32Sources();
    REQUIRE(sources->numberOfProcessors() >= 1);
    Sources::Query query = 0;
    REQUIRE(sources->openQuery(query) == kPdhSuccess);
    const char* const paths[] = {"\\Processor(_Total)\\% Processor Time", "\\Processor(0)\\% Processor Time"};
    Sources::Counter counters[2] = {};
    for (int i = 0; i < 2; ++i) CHECK_EQ(sources->addCounter(query, paths[i], counters[i]), kPdhSuccess);
    sources->collectQueryData(query);

    std::atomic<bool> stop{false};
    std::vector<std::thread> spinners;
    for (std::uint32_t i = 0; i < sources->numberOfProcessors(); ++i)
        spinners.emplace_back([&stop] {
            volatile unsigned long long n = 0;
            while (!stop.load(std::memory_order_relaxed)) n = n + 1;
        });
    const ULONGLONG until = GetTickCount64() + 1500;
    while (GetTickCount64() < until) {
    }
    sources->collectQueryData(query);
    stop = true;
    for (auto& t : spinners) t.join();

    for (int i = 0; i < 2; ++i) {
        long status = 0;
        const double load = sources->counterValue(counters[i], status);
        std::printf("  %s over 1.5 s with every processor spinning: %.1f %%\n", paths[i], load);
        CHECK_EQ(status, kPdhCstatusValidData);
        CHECK(load > 20.0 && load <= 100.0);
    }
    sources->closeQuery(query);
}

// The Full View's clock estimate with the system's counters: the
// performance counter runs at 10 MHz on current Windows and under Wine, so
// the figure must not come from waiting a number of its ticks; the page
// shows the first call's figure, and one a second later.
WTEST(Counters, ClockEstimateIsNearTheRatedSpeedAndShort) {
    win32::Win32Platform os(wintest::testOptions());
    vel::clsSystemMetrics metrics(os);
    std::int16_t processor = 0;
    const std::int32_t rated = metrics.GetCPUSpeed(processor);
    REQUIRE(rated > 0);
    vel::clsCPUUsage sampler(os, 0);
    // The first call times short waits, the next one (as a second later on
    // the page) compares with the first call's reading.
    for (int call = 0; call < 2; ++call) {
        if (call) Sleep(1000);
        const std::int64_t start = os.perfCounter();
        const double mhz = sampler.PerfFreq().toDouble();
        const double ms =
            static_cast<double>(os.perfCounter() - start) * 1000.0 / static_cast<double>(os.perfFrequency());
        std::printf("  estimate %.3f MHz (rated %d MHz) in %.2f ms; performance counter at %lld Hz\n", mhz, rated,
                    ms, static_cast<long long>(os.perfFrequency()));
        CHECK(mhz > rated * 0.9 && mhz < rated * 1.1);
        // 3 ms of waiting at most; the bound leaves room for a busy machine, not for seconds.
        CHECK(ms < 100.0);
    }
}

WTEST(Sources, SystemFactsAreThere) {
    auto sources = createWin32Sources();
    CHECK_EQ(sources->platformId(), kPlatformWin32NT);
    CHECK(sources->processorFeaturePresent(10));  // SSE2: every x86-64 processor has it
    MemoryStatusEx m;
    REQUIRE(sources->memoryStatus(m));
    CHECK(m.totalPhys > 0 && m.availPhys <= m.totalPhys);
    CHECK(m.memoryLoad <= 100);
    // IP Helper: Wine answers from the host's counters, as Windows does from its own.
    MibTcpStats tcp;
    REQUIRE(sources->tcpStatistics(tcp));
    CHECK(tcp.dwRtoMin > 0 && tcp.dwRtoMax >= tcp.dwRtoMin);
    MibIpStats ip;
    REQUIRE(sources->ipStatistics(ip));
    CHECK(ip.dwDefaultTTL > 0 && ip.dwDefaultTTL <= 255);
}
