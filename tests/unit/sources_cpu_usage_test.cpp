// clsSystemMetrics and clsCPUUsage on the simulated machine (and, for the
// averaging interval, on the Linux sources reading sample /proc files).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdexcept>

#include "platform/common/memory_registry.h"
#include "platform/linux/sources_linux.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_sources.h"
#include "sources/cpu_usage.h"
#include "sources/system_metrics.h"
#include "support/files.h"

using namespace vel;
using namespace vel::platform;
namespace fs = std::filesystem;

namespace {

// A registry that counts, per key path, how often a value was read.
class CountingRegistry : public MemoryRegistry {
public:
    long openKey(RegRoot root, const std::string& subKey, Key& out) override {
        const long r = MemoryRegistry::openKey(root, subKey, out);
        if (r == kErrorSuccess) paths_[out] = lowerAscii(subKey);
        return r;
    }
    long closeKey(Key key) override {
        ++closes[paths_[key]];
        paths_.erase(key);
        return MemoryRegistry::closeKey(key);
    }
    long queryValue(Key key, const std::string& name, RegValue& out) override {
        ++reads[paths_[key]];
        return MemoryRegistry::queryValue(key, name, out);
    }
    std::map<std::string, int> reads, closes;

private:
    std::map<Key, std::string> paths_;
};

// Sources whose calls can be made to fail the way a broken system call would.
class FailingSources : public SimSources {
public:
    bool failCollect = false;
    bool failPlatform = false;
    long collectQueryData(Query q) override {
        if (failCollect) throw std::runtime_error("Counter collection failed");
        return SimSources::collectQueryData(q);
    }
    int platformId() override {
        if (failPlatform) throw std::runtime_error("Version query failed");
        return SimSources::platformId();
    }
};

// The simulated machine with its registry and sources swapped for the
// test's own.
class TestMachine : public SimPlatform {
public:
    Registry& registry() override { return counting; }
    Sources& sources() override { return other ? *other : static_cast<Sources&>(failing); }
    CountingRegistry counting;
    FailingSources failing;
    Sources* other = nullptr;
};

void setMhz(MemoryRegistry& r, int processor, std::uint32_t mhz) {
    r.writeValue(RegRoot::LocalMachine, clsSystemMetrics::kCentralProcessorKey + std::to_string(processor), "~MHz",
                 MemoryRegistry::dwordValue(mhz));
}

class CpuUsageTest : public ::testing::Test {
protected:
    CpuUsageTest() { os.failing.setProcessorCount(4); }
    TestMachine os;
};

TEST_F(CpuUsageTest, ACounterThatCannotBeAddedOrA9xWithoutTheStatisticReadsZero) {
    os.failing.setLoad(0, 50);
    EXPECT_EQ(clsCPUUsage(os, 5).Usage(), 0);  // a four-processor machine
    os.failing.setPlatformId(kPlatformWin32Windows);
    EXPECT_EQ(clsCPUUsage(os, 0).Usage(), 0);
    EXPECT_TRUE(os.messages().empty());
}

TEST_F(CpuUsageTest, FirstUsageIsTheAverageSinceConstruction) {
    // Linux sources on sample files: construction samples snapshot 1, the
    // first Usage covers snapshot 1 -> 2.
    const fs::path data = fs::path(VELMORA_SOURCE_DIR) / "tests/data/proc";
    const test::TempFolder root;
    fs::copy(data / "snapshot1", root / "proc", fs::copy_options::recursive);
    std::int64_t now = 1;
    auto linuxSources = linux_backend::createLinuxSourcesWithClock((root / "proc").string(), (root / "sys").string(),
                                                            [&now] { return now; });
    os.other = linuxSources.get();
    {
        clsSystemMetrics metrics(os);
        EXPECT_EQ(metrics.Number_Of_Processors(), 4);
        clsCPUUsage cpu0(os, 0), cpu2(os, 2), cpu3(os, 3);
        fs::copy(data / "snapshot2", root / "proc", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        EXPECT_EQ(cpu0.Usage(), 43);
        EXPECT_EQ(cpu2.Usage(), 42);  // 41.5 %
        EXPECT_EQ(cpu3.Usage(), 42);  // 42.5 %
    }
    os.other = nullptr;
}

TEST_F(CpuUsageTest, On9xEveryInstanceReadsTheKernelStatistic) {
    os.failing.setPlatformId(kPlatformWin32Windows);
    declare9x(os.counting, 63);
    {
        auto first = std::make_unique<clsCPUUsage>(os, 0);
        auto second = std::make_unique<clsCPUUsage>(os, 1);
        EXPECT_FALSE(first->IsNT());
        const std::string start = "perfstats\\startstat", data = "perfstats\\statdata", stop = "perfstats\\stopstat";
        EXPECT_EQ(os.counting.reads[start], 2);  // once per instance
        EXPECT_EQ(os.counting.closes[start], 2);
        EXPECT_EQ(os.counting.reads[stop], 0);
        EXPECT_EQ(first->Usage(), 63);
        EXPECT_EQ(second->Usage(), 63);
        setCpuUsage9x(os.counting, 17);
        EXPECT_EQ(first->Usage(), 17);
        EXPECT_EQ(second->Usage(), 17);
        EXPECT_EQ(os.counting.closes[data], 0);  // StatData stays open while sampling
        first.reset();
        EXPECT_EQ(os.counting.reads[stop], 1);
        EXPECT_EQ(os.counting.closes[data], 1);
        second.reset();
        EXPECT_EQ(os.counting.reads[stop], 2);
        EXPECT_EQ(os.counting.closes[stop], 2);
    }
    EXPECT_TRUE(os.messages().empty());
}

TEST_F(CpuUsageTest, FailuresAreReported) {
    os.failing.failPlatform = true;
    {
        clsCPUUsage cpu(os, 0);
        ASSERT_EQ(os.messages().size(), 1u);
        EXPECT_EQ(os.messages()[0].text, "Version query failed in CPU Class OS Initialization");
        EXPECT_EQ(os.messages()[0].title, "Brinlake");
        EXPECT_EQ(os.messages()[0].style, mb::Critical);
        EXPECT_FALSE(os.exited());
    }
    os.failing.failPlatform = false;
    clsCPUUsage cpu(os, 0);
    os.failing.failCollect = true;
    EXPECT_EQ(cpu.Usage(), 0);
    ASSERT_EQ(os.messages().size(), 2u);
    EXPECT_EQ(os.messages()[1].text, "Counter collection failed in CPU Class Usage");
    EXPECT_EQ(os.messages()[1].style, mb::Critical);
    EXPECT_TRUE(os.exited());
    EXPECT_EQ(os.exitCode(), 0);
}

TEST_F(CpuUsageTest, PerfFreqWithoutHighResolutionCounter) {
    os.setHasPerfCounter(false);
    clsCPUUsage cpu(os, 0);
    EXPECT_EQ(cpu.PerfFreq().raw, 0);
    ASSERT_EQ(os.messages().size(), 1u);
    EXPECT_EQ(os.messages()[0].text, "Your hardware does not support a high-resolution performance counter!");
    EXPECT_EQ(os.messages()[0].title, "Brinlake");
    EXPECT_EQ(os.messages()[0].style, mb::Information);
}

// A machine whose thread loses the processor for 5 ms just before or just
// after one of its time-stamp reads.
class PreemptedMachine : public SimPlatform {
public:
    std::uint64_t timeStampCounter() override {
        ++stamps;
        if (stamps == stallBefore) sleep(5);
        const std::uint64_t v = SimPlatform::timeStampCounter();
        if (stamps == stallAfter) sleep(5);
        return v;
    }
    int stamps = 0, stallBefore = 0, stallAfter = 0;
};

TEST(ClockEstimate, ComparesWithTheLastReadingOrTimesShortWaitsAndKeepsTheFastest) {
    PreemptedMachine os;
    clsCPUUsage cpu(os, 0);
    EXPECT_EQ(cpu.PerfFreq().raw, 0);  // no time-stamp counter, and no wait for nothing
    EXPECT_EQ(os.tickMs(), 0u);

    // The first reading has nothing to compare with: three rounds of 1 ms.
    // A counter read costs the simulated machine 1 us, so each timed
    // interval is one read longer than its stamped one.
    os.setTimeStampMhz(2600);
    const double waited = 2600.0 * 1000 / 1001;
    EXPECT_NEAR(cpu.PerfFreq().toDouble(), waited, 1e-4);
    EXPECT_EQ(os.tickMs(), 3u);
    // A second later the stamps since then give the clock, without waiting,
    // even when the scheduler interrupts one of the reading's three tries
    // (stamps 1 to 3).
    os.sleep(1000);
    EXPECT_NEAR(cpu.PerfFreq().toDouble(), 2600.0, 1e-4);
    EXPECT_EQ(os.tickMs(), 1003u);
    os.sleep(1000);
    os.stamps = 0;
    os.stallAfter = 1;
    EXPECT_NEAR(cpu.PerfFreq().toDouble(), 2600.0, 1e-4);

    // A sampler without a reading waits. Stamps 4 on are the waits': 4 asks
    // whether there is a counter, round r reads 5 + 2r and 6 + 2r.
    // Preempted between its first pair of reads (round 0) or its last
    // (round 1), a round reads slow by 5 ms in 1; the clean round is shown.
    clsCPUUsage fresh(os, 0);
    os.stamps = 0;
    os.stallBefore = 5;
    os.stallAfter = 8;
    EXPECT_NEAR(fresh.PerfFreq().toDouble(), waited, 1e-4);
    EXPECT_TRUE(os.messages().empty());
}

TEST(SystemMetrics, ProcessorCountIsTakenOnceAndMustFitAByte) {
    SimPlatform os;
    os.simSources().setProcessorCount(4);
    clsSystemMetrics metrics(os);
    os.simSources().setProcessorCount(8);
    EXPECT_EQ(metrics.Number_Of_Processors(), 4);

    os.simSources().setProcessorCount(255);
    EXPECT_EQ(clsSystemMetrics(os).Number_Of_Processors(), 255);
    EXPECT_TRUE(os.messages().empty());
    os.simSources().setProcessorCount(256);
    EXPECT_EQ(clsSystemMetrics(os).Number_Of_Processors(), 0);
    ASSERT_EQ(os.messages().size(), 1u);
    EXPECT_EQ(os.messages()[0].text, "Overflow in Number Of Processors");
    EXPECT_EQ(os.messages()[0].title, "Brinlake");
    EXPECT_EQ(os.messages()[0].style, mb::Critical);
}

TEST(SystemMetrics, CpuSpeedFromTheHardwareDescription) {
    SimPlatform os;
    os.simSources().setProcessorCount(4);
    clsSystemMetrics metrics(os);
    std::int16_t n = 0;
    // The key exists, the value does not.
    os.memoryRegistry().writeValue(RegRoot::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                                   "Identifier", MemoryRegistry::stringValue("x86 Family 6"));
    EXPECT_EQ(metrics.GetCPUSpeed(n), 0);
    setMhz(os.memoryRegistry(), 0, 2394);
    EXPECT_EQ(metrics.GetCPUSpeed(n), 2394);
    n = 5;
    EXPECT_EQ(metrics.GetCPUSpeed(n), 0);
    EXPECT_EQ(metrics.processorKey(), "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\5");
    EXPECT_TRUE(os.messages().empty());
}

}  // namespace
