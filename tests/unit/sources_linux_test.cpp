// The Linux measurement sources on sample /proc and /sys trees of a
// four-processor machine (tests/data/proc): snapshot1 and snapshot2 are
// two moments of the same machine; the test's clock puts two seconds
// between them.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/allocation_counter.h"
#include "support/files.h"

#include "platform/common/counter_path.h"
#include "platform/linux/sources_linux.h"
#include "platform/linux/sources_proc.h"

using namespace vel::platform;
namespace fs = std::filesystem;

namespace {

const fs::path kData = fs::path(VELMORA_SOURCE_DIR) / "tests" / "data" / "proc";
constexpr std::int64_t kTwoSeconds = 2'000'000'000;

class LinuxSourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(kData / "snapshot1", proc(), fs::copy_options::recursive);
        fs::copy(kData / "sys1", sys(), fs::copy_options::recursive);
        restart();
    }
    void restart() {
        sources_ = linux_backend::createLinuxSourcesWithClock(proc().string(), sys().string(), [this] { return nowNs_; });
    }
    fs::path proc() const { return root_ / "proc"; }
    fs::path sys() const { return root_ / "sys"; }
    // Moves the machine to a snapshot; the clock moves two seconds on.
    void snapshot(int n) {
        const auto overwrite = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
        fs::copy(kData / ("snapshot" + std::to_string(n)), proc(), overwrite);
        fs::copy(kData / ("sys" + std::to_string(n)), sys(), overwrite);
        nowNs_ += kTwoSeconds;
    }
    Sources::Counter add(Sources::Query q, const std::string& path) {
        Sources::Counter c = 0;
        EXPECT_EQ(sources_->addCounter(q, path, c), kPdhSuccess) << path;
        EXPECT_NE(c, 0u);
        return c;
    }
    Sources::Query query() {
        Sources::Query q = 0;
        EXPECT_EQ(sources_->openQuery(q), kPdhSuccess);
        EXPECT_NE(q, 0u);
        return q;
    }
    double read(Sources::Counter c, long expectedStatus = kPdhCstatusValidData) {
        long status = 12345;
        const double v = sources_->counterValue(c, status);
        EXPECT_EQ(status, expectedStatus);
        return v;
    }

    vel::test::TempFolder root_;
    std::int64_t nowNs_ = 5'000'000'000;
    std::unique_ptr<Sources> sources_;
};

TEST_F(LinuxSourcesTest, MachineFactsComeFromStatAndCpuinfo) {
    EXPECT_EQ(sources_->numberOfProcessors(), 4u);
    // mmx, sse2, nx and avx2; not 3dnow ("3dnowprefetch" is another flag) nor avx512f.
    for (std::uint32_t present : {3, 10, 12, 40}) EXPECT_TRUE(sources_->processorFeaturePresent(present)) << present;
    for (std::uint32_t absent : {7, 41, 0, 999}) EXPECT_FALSE(sources_->processorFeaturePresent(absent)) << absent;
}

TEST_F(LinuxSourcesTest, MemoryStatusFromMeminfoAndOwnStatus) {
    MemoryStatusEx m;
    ASSERT_TRUE(sources_->memoryStatus(m));
    EXPECT_EQ(m.totalPhys, 8052340ull * 1024);
    EXPECT_EQ(m.availPhys, 5033960ull * 1024);
    EXPECT_EQ(m.memoryLoad, 37u);  // 3018380 of 8052340 kB in use
    EXPECT_EQ(m.totalPageFile, (8052340ull + 2097148ull) * 1024);
    EXPECT_EQ(m.availPageFile, (5033960ull + 1992012ull) * 1024);
    EXPECT_GT(m.totalVirtual, 298112ull * 1024);
    EXPECT_EQ(m.availVirtual, m.totalVirtual - 298112ull * 1024);
}

// Every counter the program asks for, and some it cannot have, over the two
// snapshots, against the transcript beside them: the status of adding each
// (paths match in any case), then status and value after the first and the
// second collection. Guest time is inside user time and not counted twice;
// idle takes in iowait, interrupt time irq and softirq; the ERR tally of
// interrupts is no processor's; C1 is the state named C1, else the first C1
// variant, else the first state past POLL; processor 3 has no cpuidle folder,
// so neither it nor the total ever has C1 data. Counters that cannot be added
// still get a handle that reads zero.
TEST_F(LinuxSourcesTest, EveryCounterOverTwoSnapshotsAsTheTranscriptShows) {
    const char* const paths[] = {
        "\\Processor(0)\\% Processor Time", "\\Processor(1)\\% Processor Time", "\\Processor(2)\\% Processor Time",
        "\\Processor(3)\\% Processor Time", "\\PROCESSOR(_total)\\% processor TIME", "\\Processor(0)\\% Idle Time", "\\Processor(_Total)\\% Idle Time",
        "\\Processor(0)\\% Interrupt Time", "\\Processor(0)\\Interrupts/sec", "\\Processor(3)\\Interrupts/sec",
        "\\Processor(_Total)\\Interrupts/sec", "\\Processor(1)\\DPCs Queued/sec", "\\Processor(_Total)\\DPCs Queued/sec",
        "\\Processor(0)\\% C1 Time", "\\Processor(1)\\% C1 Time", "\\Processor(2)\\% C1 Time",
        "\\Processor(3)\\% C1 Time", "\\Processor(_Total)\\% C1 Time", "\\Processor(4)\\% Processor Time",
        "\\Processor(-1)\\% Processor Time", "\\Processor(0)\\% Bogus Time", "\\Memory\\Available Bytes",
        "\\Disk(0)\\Reads/sec", "Processor(0)% Processor Time", ""};
    const auto q = query();
    std::vector<Sources::Counter> handles;
    std::string out;
    for (const char* path : paths) {
        Sources::Counter h = 0;
        out += std::string("\"") + path + "\" add=" + std::to_string(sources_->addCounter(q, path, h)) + "\n";
        EXPECT_NE(h, 0u) << path;
        handles.push_back(h);
    }
    long status = 0;
    EXPECT_EQ(sources_->counterValue(handles[0], status), 0.0);
    EXPECT_EQ(status, kPdhCstatusInvalidData) << "nothing collected yet";
    for (int n = 1; n <= 2; ++n) {
        if (n == 2) snapshot(2);
        EXPECT_EQ(sources_->collectQueryData(q), kPdhSuccess);
        out += "collection " + std::to_string(n) + "\n";
        for (std::size_t i = 0; i < handles.size(); ++i) {
            char line[200];
            const double v = sources_->counterValue(handles[i], status);
            std::snprintf(line, sizeof line, "  \"%s\" status=%ld value=%.17g\n", paths[i], status, v);
            out += line;
        }
    }
    EXPECT_TRUE(vel::test::matchesTranscript(out, kData / "counters.out"));
    Sources::Counter none = 0;
    EXPECT_EQ(sources_->addCounter(9999, "\\Processor(0)\\% Processor Time", none), kPdhInvalidHandle);
}

// Processor 1 goes offline: the kernel drops its line from stat. Processor
// numbers run on without a gap, and stop at one group of sixty-four.
TEST_F(LinuxSourcesTest, ProcessorsAreNumberedWithoutGapsUpToSixtyFour) {
    auto dropCpu1 = [this] {
        std::string text, line;
        std::istringstream in(vel::test::readFile(proc() / "stat"));
        while (std::getline(in, line))
            if (line.rfind("cpu1 ", 0) != 0) text += line + "\n";
        vel::test::writeFile(proc() / "stat", text);
    };
    dropCpu1();
    restart();
    EXPECT_EQ(sources_->numberOfProcessors(), 3u);
    auto q = query();
    const auto second = add(q, "\\Processor(1)\\% Processor Time");
    const auto third = add(q, "\\Processor(2)\\% Processor Time");
    Sources::Counter beyond = 0;
    EXPECT_EQ(sources_->addCounter(q, "\\Processor(3)\\% Processor Time", beyond), kPdhCstatusNoInstance);
    sources_->collectQueryData(q);
    snapshot(2);
    dropCpu1();
    sources_->collectQueryData(q);
    EXPECT_DOUBLE_EQ(read(second), 41.5) << "the kernel's cpu2";
    EXPECT_DOUBLE_EQ(read(third), 42.5) << "the kernel's cpu3";

    std::string stat = "cpu  1 0 1 1 0 0 0 0 0 0\n";
    for (int n = 0; n < 70; ++n) stat += "cpu" + std::to_string(n) + " 1 0 1 1 0 0 0 0 0 0\n";
    vel::test::writeFile(proc() / "stat", stat);
    restart();
    EXPECT_EQ(sources_->numberOfProcessors(), 64u);
    q = query();
    add(q, "\\Processor(63)\\% Processor Time");
    EXPECT_EQ(sources_->addCounter(q, "\\Processor(64)\\% Processor Time", beyond), kPdhCstatusNoInstance);
}

TEST_F(LinuxSourcesTest, HugeProcessorNumbersSizeNoTable) {
    // A stat that once made the tables four billion entries long.
    fs::copy_file(fs::path(VELMORA_SOURCE_DIR) / "fuzz/corpus/proc_counters/known-bad-huge-processor-number",
                  proc() / "stat", fs::copy_options::overwrite_existing);
    restart();
    EXPECT_EQ(sources_->numberOfProcessors(), 1u);
    const auto q = query();
    const auto cpu = add(q, "\\Processor(0)\\% Processor Time");
    const auto irq = add(q, "\\Processor(0)\\Interrupts/sec");
    EXPECT_EQ(sources_->collectQueryData(q), kPdhSuccess);
    EXPECT_EQ(read(cpu, kPdhCstatusInvalidData), 0.0);  // no "cpu" line: nothing to measure
    EXPECT_EQ(read(irq, kPdhCstatusInvalidData), 0.0);
}

TEST_F(LinuxSourcesTest, C1TotalAveragesEveryProcessor) {
    const fs::path states = sys() / "devices/system/cpu/cpu3/cpuidle";
    using vel::test::writeFile;
    writeFile(states / "state0/name", "POLL\n");
    writeFile(states / "state0/time", "10\n");
    writeFile(states / "state1/name", "C1\n");
    writeFile(states / "state1/time", "100000\n");
    const auto q = query();
    const auto total = add(q, "\\Processor(_Total)\\% C1 Time");
    sources_->collectQueryData(q);
    snapshot(2);
    writeFile(states / "state1/time", "500000\n");
    sources_->collectQueryData(q);
    // 0.6 + 0.5 + 0.2 + 0.4 processor-seconds of C1 in 4 x 2 seconds.
    EXPECT_DOUBLE_EQ(read(total), 100.0 * 1.7 / 8);
}

// A missing file, a stat without processor lines or figures going
// backwards (a wrap or a reset) spoil one interval; the next one is measured
// from the last good sample.
TEST_F(LinuxSourcesTest, AMissingGarbledOrBackwardsSampleSpoilsOneIntervalOnly) {
    const auto q = query();
    const auto cpu0 = add(q, "\\Processor(0)\\% Processor Time");
    const auto irq0 = add(q, "\\Processor(0)\\Interrupts/sec");
    auto spoiled = [&] {
        EXPECT_EQ(sources_->collectQueryData(q), kPdhSuccess);
        EXPECT_EQ(read(cpu0, kPdhCstatusInvalidData), 0.0);
        EXPECT_EQ(read(irq0, kPdhCstatusInvalidData), 0.0);
    };
    sources_->collectQueryData(q);
    fs::remove(proc() / "stat");
    fs::remove(proc() / "interrupts");
    nowNs_ += kTwoSeconds;
    spoiled();
    snapshot(2);  // four seconds after snapshot 1
    sources_->collectQueryData(q);
    EXPECT_DOUBLE_EQ(read(cpu0), 43.0);
    EXPECT_DOUBLE_EQ(read(irq0), 375.0);
    snapshot(1);  // every figure smaller
    spoiled();
    snapshot(2);
    sources_->collectQueryData(q);
    EXPECT_DOUBLE_EQ(read(cpu0), 43.0);
    EXPECT_DOUBLE_EQ(read(irq0), 750.0);
    vel::test::writeFile(proc() / "stat", "intr 12 0 0\nctxt 4\n");
    nowNs_ += kTwoSeconds;
    sources_->collectQueryData(q);
    EXPECT_EQ(read(cpu0, kPdhCstatusInvalidData), 0.0);
}

TEST_F(LinuxSourcesTest, EachCounterMeasuresFromItsOwnPreviousCollection) {
    const auto a = query();
    const auto b = query();
    const auto inA = add(a, "\\Processor(0)\\Interrupts/sec");
    const auto inB = add(b, "\\Processor(0)\\Interrupts/sec");
    sources_->collectQueryData(a);  // a starts at snapshot 1
    snapshot(2);
    sources_->collectQueryData(b);  // b starts at snapshot 2
    EXPECT_EQ(read(inB, kPdhCstatusInvalidData), 0.0);
    nowNs_ += kTwoSeconds;
    sources_->collectQueryData(a);
    EXPECT_DOUBLE_EQ(read(inA), 375.0);  // 1500 in four seconds
    EXPECT_EQ(read(inB, kPdhCstatusInvalidData), 0.0);  // b has not collected again

    // A counter added later to a running query starts its own interval.
    const auto late = add(a, "\\Processor(0)\\% Processor Time");
    sources_->collectQueryData(a);
    EXPECT_EQ(read(late, kPdhCstatusInvalidData), 0.0);
}

TEST_F(LinuxSourcesTest, RemovedCountersAndClosedQueriesAreGone) {
    const auto q = query();
    const auto c = add(q, "\\Processor(0)\\% Processor Time");
    const auto kept = add(q, "\\Processor(1)\\% Processor Time");
    EXPECT_EQ(sources_->removeCounter(c), kPdhSuccess);
    EXPECT_EQ(sources_->removeCounter(c), kPdhInvalidHandle);
    EXPECT_EQ(read(c, kPdhInvalidHandle), 0.0);
    sources_->collectQueryData(q);
    EXPECT_EQ(sources_->closeQuery(q), kPdhSuccess);
    EXPECT_EQ(read(kept, kPdhInvalidHandle), 0.0);
    EXPECT_EQ(sources_->collectQueryData(q), kPdhInvalidHandle);
}

TEST_F(LinuxSourcesTest, CollectionsAfterTheFirstDoNotAllocate) {
    const auto q = query();
    for (const char* path : {"\\Processor(0)\\% Processor Time", "\\Processor(_Total)\\% Processor Time",
                             "\\Processor(1)\\Interrupts/sec", "\\Processor(2)\\DPCs Queued/sec",
                             "\\Processor(0)\\% C1 Time"})
        add(q, path);
    sources_->collectQueryData(q);
    vel::test::CountAllocations allocations;
    for (int i = 0; i < 50; ++i) {
        nowNs_ += 1'000'000;
        sources_->collectQueryData(q);
    }
    EXPECT_EQ(allocations.count(), 0);
}

// Error tallies and short rows are in the transcript above.
TEST(LinuxProcParsing, ColumnTablesFollowTheWatchedOrderAndNeedTheirHeader) {
    std::vector<linux_backend::ColumnSum> perCpu;
    std::vector<std::int32_t> scratch;
    std::uint64_t all = 0;
    ASSERT_TRUE(linux_backend::sumCpuColumns("  CPU0  CPU1\n  0:  10  20  timer\n", {1, 0}, perCpu, all, scratch));
    EXPECT_EQ(perCpu[0].sum, 20u);
    EXPECT_EQ(perCpu[1].sum, 10u);
    EXPECT_FALSE(linux_backend::sumCpuColumns("no header\n", {0}, perCpu, all, scratch));
}

}  // namespace
