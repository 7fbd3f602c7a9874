// clsSystemMetrics and clsCPUUsage on the simulated machine (and, for the
// averaging interval, on the Linux sources reading sample /proc files).
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

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

// The simulated machine with its sources swapped for the test's own.
class TestMachine : public SimPlatform {
public:
    Sources& sources() override { return other ? *other : static_cast<Sources&>(failing); }
    FailingSources failing;
    Sources* other = nullptr;
};

// The box the user sees: message I under the program's title.
void expectMessage(const SimPlatform& os, std::size_t i, const std::string& text, int style) {
    ASSERT_GT(os.messages().size(), i);
    EXPECT_EQ(os.messages()[i].text, text);
    EXPECT_EQ(os.messages()[i].title, "Brinlake");
    EXPECT_EQ(os.messages()[i].style, style);
}

class CpuUsageTest : public ::testing::Test {
protected:
    CpuUsageTest() { os.failing.setProcessorCount(4); }
    TestMachine os;
};

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
    clsCPUUsage cpu0(os, 0), cpu2(os, 2), cpu3(os, 3);
    fs::copy(data / "snapshot2", root / "proc", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    EXPECT_EQ(cpu0.Usage(), 43);
    EXPECT_EQ(cpu2.Usage(), 42);  // 41.5 %
    EXPECT_EQ(cpu3.Usage(), 42);  // 42.5 %
}

// Windows 95 and 98 keep the load in the dynamic-data registry, once
// sampling has been started there.
TEST_F(CpuUsageTest, On9xEveryInstanceReadsTheKernelStatisticOrZeroWithoutIt) {
    os.failing.setPlatformId(kPlatformWin32Windows);
    EXPECT_EQ(clsCPUUsage(os, 0).Usage(), 0);
    declare9x(os.memoryRegistry(), 63);
    clsCPUUsage first(os, 0), second(os, 1);
    EXPECT_FALSE(first.IsNT());
    EXPECT_EQ(first.Usage(), 63);
    EXPECT_EQ(second.Usage(), 63);
    setCpuUsage9x(os.memoryRegistry(), 17);
    EXPECT_EQ(first.Usage(), 17);
    EXPECT_EQ(second.Usage(), 17);
    EXPECT_TRUE(os.messages().empty());
}

// A counter that cannot be added reads zero and says nothing; a failing
// system call, or no high-resolution counter, is reported.
TEST_F(CpuUsageTest, FailuresReadZeroOrAreReported) {
    os.failing.setLoad(0, 50);
    EXPECT_EQ(clsCPUUsage(os, 5).Usage(), 0);  // a four-processor machine
    EXPECT_TRUE(os.messages().empty());

    os.failing.failPlatform = true;
    {
        clsCPUUsage cpu(os, 0);
        expectMessage(os, 0, "Version query failed in CPU Class OS Initialization", mb::Critical);
        EXPECT_FALSE(os.exited());
    }
    os.failing.failPlatform = false;
    os.setHasPerfCounter(false);
    clsCPUUsage cpu(os, 0);
    EXPECT_EQ(cpu.PerfFreq().raw, 0);
    expectMessage(os, 1, "Your hardware does not support a high-resolution performance counter!", mb::Information);
    os.failing.failCollect = true;
    EXPECT_EQ(cpu.Usage(), 0);
    expectMessage(os, 2, "Counter collection failed in CPU Class Usage", mb::Critical);
    EXPECT_TRUE(os.exited());
    EXPECT_EQ(os.exitCode(), 0);
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

// The rated speed from the hardware description: tests/windows/win32_counters_test.cpp.
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
    EXPECT_EQ(os.messages().size(), 1u);
    expectMessage(os, 0, "Overflow in Number Of Processors", mb::Critical);
}

}  // namespace
