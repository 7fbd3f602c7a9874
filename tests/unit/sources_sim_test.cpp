// The simulated machine's sources: counters by path with PDH's first-sample
// rule, processor loads and their mean, and the 9x kernel statistic in the
// dynamic-data registry.
#include <gtest/gtest.h>

#include "platform/sim/sim_sources.h"

using namespace vel::platform;

namespace {

class SimSourcesTest : public ::testing::Test {
protected:
    Sources::Counter add(const std::string& path, long expected = kPdhSuccess) {
        Sources::Counter c = 0;
        EXPECT_EQ(s.addCounter(q, path, c), expected) << path;
        EXPECT_NE(c, 0u);
        return c;
    }
    double read(Sources::Counter c, long expectedStatus = kPdhCstatusValidData) {
        long status = 12345;
        const double v = s.counterValue(c, status);
        EXPECT_EQ(status, expectedStatus);
        return v;
    }
    void SetUp() override {
        s.setProcessorCount(4);
        ASSERT_EQ(s.openQuery(q), kPdhSuccess);
    }

    SimSources s;
    Sources::Query q = 0;
};

TEST_F(SimSourcesTest, LoadsAndTheirMeanAfterTheFirstCollection) {
    s.setLoad(0, 10);
    s.setLoad(1, 20);
    s.setLoad(2, 30);
    s.setLoad(3, 41);
    const auto cpu1 = add("\\Processor(1)\\% Processor Time");
    const auto total = add("\\processor(_TOTAL)\\% processor time");
    const auto idle3 = add("\\Processor(3)\\% Idle Time");
    s.collectQueryData(q);
    EXPECT_EQ(read(cpu1, kPdhCstatusInvalidData), 0.0);
    s.collectQueryData(q);
    EXPECT_DOUBLE_EQ(read(cpu1), 20.0);
    EXPECT_DOUBLE_EQ(read(total), 25.25);
    EXPECT_DOUBLE_EQ(read(idle3), 59.0);
    // A value is what was current at the last collection.
    s.setLoad(1, 90);
    EXPECT_DOUBLE_EQ(read(cpu1), 20.0);
    s.collectQueryData(q);
    EXPECT_DOUBLE_EQ(read(cpu1), 90.0);
}

TEST_F(SimSourcesTest, ExplicitCountersByPath) {
    s.setLoad(0, 12);
    s.setCounter("\\Processor(_Total)\\% Processor Time", 47);
    s.setCounter("\\Memory\\Pages/sec", 3.5);
    const auto total = add("\\Processor(_Total)\\% Processor Time");
    const auto pages = add("\\MEMORY\\pages/SEC");
    s.collectQueryData(q);
    s.collectQueryData(q);
    EXPECT_DOUBLE_EQ(read(total), 47.0);
    EXPECT_DOUBLE_EQ(read(pages), 3.5);
    // A load set later replaces an explicit value for the same processor.
    s.setCounter("\\Processor(0)\\% Processor Time", 80);
    const auto cpu0 = add("\\Processor(0)\\% Processor Time");
    s.collectQueryData(q);
    s.collectQueryData(q);
    EXPECT_DOUBLE_EQ(read(cpu0), 80.0);
    s.setLoad(0, 33);
    s.collectQueryData(q);
    EXPECT_DOUBLE_EQ(read(cpu0), 33.0);
}

TEST_F(SimSourcesTest, CountersThatDoNotExist) {
    const auto fifth = add("\\Processor(4)\\% Processor Time", kPdhCstatusNoInstance);
    const auto other = add("\\Disk(0)\\Reads/sec", kPdhCstatusNoObject);
    const auto name = add("\\Processor(0)\\% Nap Time", kPdhCstatusNoCounter);
    const auto cpu3 = add("\\Processor(3)\\% Processor Time");
    s.collectQueryData(q);
    s.collectQueryData(q);
    for (auto c : {fifth, other, name}) EXPECT_EQ(read(c, kPdhCstatusNoCounter), 0.0);
    // A processor that goes away reads invalid.
    s.setProcessorCount(2);
    s.collectQueryData(q);
    EXPECT_EQ(read(cpu3, kPdhCstatusInvalidData), 0.0);
    EXPECT_EQ(s.closeQuery(q), kPdhSuccess);
    EXPECT_EQ(read(cpu3, kPdhInvalidHandle), 0.0);
}

TEST_F(SimSourcesTest, MachineFactsAsSet) {
    EXPECT_EQ(s.numberOfProcessors(), 4u);
    EXPECT_EQ(s.platformId(), kPlatformWin32NT);
    s.setPlatformId(kPlatformWin32Windows);
    EXPECT_EQ(s.platformId(), kPlatformWin32Windows);
    EXPECT_TRUE(s.processorFeaturePresent(3));
    s.setFeature(3, false);
    s.setFeature(7, true);
    EXPECT_FALSE(s.processorFeaturePresent(3));
    EXPECT_TRUE(s.processorFeaturePresent(7));

    MemoryStatusEx m;
    m.memoryLoad = 71;
    m.totalPhys = 512u << 20;
    s.setMemory(m);
    MemoryStatusEx got;
    ASSERT_TRUE(s.memoryStatus(got));
    EXPECT_EQ(got.memoryLoad, 71u);
    EXPECT_EQ(got.totalPhys, 512u << 20);
    s.setMemoryFails();
    EXPECT_FALSE(s.memoryStatus(got));
    EXPECT_EQ(got.totalPhys, 0u);

    MibTcpStats tcp;
    tcp.dwCurrEstab = 9;
    s.setTcp(tcp);
    MibTcpStats gotTcp;
    ASSERT_TRUE(s.tcpStatistics(gotTcp));
    EXPECT_EQ(gotTcp.dwCurrEstab, 9u);

    s.setConnection(0x01, "Office LAN", 1);
    std::uint32_t flags = 0;
    std::string name;
    EXPECT_EQ(s.connectedState(flags, name), 1);
    EXPECT_EQ(flags, 0x01u);
    EXPECT_EQ(name, "Office LAN");
}

std::uint32_t statValue(const MemoryRegistry& r, const char* key) {
    RegValue v;
    if (!r.readValue(RegRoot::DynData, key, kCpuUsageValue, v) || v.data.size() != 4) return 0xFFFFFFFFu;
    return std::uint32_t{v.data[0]} | std::uint32_t{v.data[1]} << 8;
}

TEST(SimSources9x, DeclaringWritesTheThreeStatisticKeys) {
    MemoryRegistry r;
    declare9x(r, 63);
    EXPECT_EQ(statValue(r, kPerfStatsStart), 63u);
    EXPECT_EQ(statValue(r, kPerfStatsData), 63u);
    EXPECT_EQ(statValue(r, kPerfStatsStop), 63u);
    setCpuUsage9x(r, 12);
    EXPECT_EQ(statValue(r, kPerfStatsData), 12u);
    EXPECT_EQ(statValue(r, kPerfStatsStart), 63u);
}

TEST(SimSources9x, DeclaredMachineFollowsTheMeanLoad) {
    MemoryRegistry r;
    SimSources s;
    s.setProcessorCount(2);
    s.setLoad(0, 40);
    s.declare9x(r);
    EXPECT_EQ(statValue(r, kPerfStatsData), 20u);
    s.setLoad(1, 45);  // mean 42.5: halves go to even
    EXPECT_EQ(statValue(r, kPerfStatsData), 42u);
    s.setCpuUsage9x(88);
    EXPECT_EQ(statValue(r, kPerfStatsData), 88u);
}

}  // namespace
