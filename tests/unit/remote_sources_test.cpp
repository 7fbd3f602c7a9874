// Another machine's figures read from canned exporter answers: processor
// counters between two scrapes, repeated and federated answers, refused
// memory answers, the network records, the connection state and the inventory.
#include <gtest/gtest.h>

#include "remote/exposition.h"
#include "remote/remote_sources.h"

using namespace vel::platform;
using vel::remote::RemoteSources;
using vel::remote::Scrape;

namespace {

class FakeFeed : public vel::remote::ScrapeFeed {
public:
    std::shared_ptr<const Scrape> latest() const override { return latest_; }

    // A finished attempt: the answer's text parsed, or a failure.
    void answer(const std::string& text, std::int64_t atMs, bool ok = true) {
        auto s = std::make_shared<Scrape>();
        s->ok = ok;
        s->fetchedAtMs = atMs;
        s->sequence = ++sequence_;
        std::size_t skipped = 0;
        if (ok) vel::remote::parseExposition(text, s->samples, skipped);
        latest_ = std::move(s);
    }

private:
    std::shared_ptr<const Scrape> latest_;
    std::uint64_t sequence_ = 0;
};

// node_cpu_seconds_total of one processor; modes in the exporter's order.
std::string cpu(int n, double idle, double iowait, double irq, double softirq, double system, double user,
                const std::string& extra = "") {
    std::string out;
    const std::pair<const char*, double> modes[] = {{"idle", idle},       {"iowait", iowait}, {"irq", irq},
                                                    {"nice", 0},          {"softirq", softirq}, {"steal", 0},
                                                    {"system", system}, {"user", user}};
    for (const auto& [mode, seconds] : modes)
        out += "node_cpu_seconds_total{cpu=\"" + std::to_string(n) + "\",mode=\"" + mode + "\"} " +
               std::to_string(seconds) + extra + "\n";
    return out;
}

struct Reading {
    double value;
    long status;
};

class RemoteSourcesTest : public ::testing::Test {
protected:
    FakeFeed feed;
    RemoteSources sources{feed, "server:9100"};
    Sources::Query query = 0;

    void SetUp() override { ASSERT_EQ(sources.openQuery(query), kPdhSuccess); }
    Sources::Counter add(const std::string& path, long expect = kPdhSuccess) {
        Sources::Counter c = 0;
        EXPECT_EQ(sources.addCounter(query, path, c), expect) << path;
        EXPECT_NE(c, 0u);
        return c;
    }
    Reading read(Sources::Counter c) {
        long status = 0;
        const double v = sources.counterValue(c, status);
        return {v, status};
    }
    Reading collect(Sources::Counter c) {
        sources.collectQueryData(query);
        return read(c);
    }
};

}  // namespace

// Two processors; between the answers processor 0 spent 100 s: 60 idle,
// 5 iowait, 3 irq, 2 softirq, 10 system, 20 user; processor 1 100 s: 20
// idle, 80 user.
TEST_F(RemoteSourcesTest, ProcessorTimesBetweenTwoScrapes) {
    feed.answer(cpu(0, 800, 50, 0, 0, 50, 100) + cpu(1, 500, 0, 0, 0, 100, 400), 1000);
    EXPECT_EQ(sources.numberOfProcessors(), 2u);
    const auto busy0 = add("\\Processor(0)\\% Processor Time");
    const auto idle0 = add("\\Processor(0)\\% Idle Time");
    const auto irq0 = add("\\Processor(0)\\% Interrupt Time");
    const auto busy1 = add("\\processor(1)\\% processor time");
    const auto total = add("\\Processor(_Total)\\% Processor Time");
    add("\\Processor(2)\\% Processor Time", kPdhCstatusNoInstance);
    add("\\Disk(0)\\% Disk Time", kPdhCstatusNoObject);

    EXPECT_EQ(collect(busy0).status, kPdhCstatusInvalidData) << "the first answer only starts the interval";
    EXPECT_EQ(sources.reportedClockMhz(0), 0.0) << "no clock published: 0, never this desktop's own";
    // Processor 0 gives its nominal clock only; processor 1 cpufreq's current one too.
    feed.answer(cpu(0, 860, 55, 3, 2, 60, 120) + cpu(1, 520, 0, 0, 0, 100, 480) +
                    "node_cpu_frequency_hertz{cpu=\"0\"} 3e9\nnode_cpu_scaling_frequency_hertz{cpu=\"1\"} 1.8e9\n"
                    "node_cpu_frequency_hertz{cpu=\"1\"} 2.1e9\n",
                2000);
    EXPECT_EQ(sources.reportedClockMhz(0), 3000.0);
    EXPECT_EQ(sources.reportedClockMhz(1), 1800.0);
    sources.collectQueryData(query);
    const std::pair<Sources::Counter, double> expected[] = {
        {busy0, 35}, {idle0, 65}, {irq0, 5}, {busy1, 80}, {total, 57.5}};
    for (const auto& [counter, value] : expected) {
        EXPECT_EQ(read(counter).status, kPdhCstatusValidData);
        EXPECT_NEAR(read(counter).value, value, 1e-9);
    }
}

// A tick faster than the scrapes sees the same answer several times; a
// federating server answers the same samples until it scrapes again. Rates
// are timed by the samples' own timestamps when they have them, else by
// when the answers came.
TEST_F(RemoteSourcesTest, RepeatedAnswersKeepTheLastReadingAndRatesUseSampleTimestamps) {
    const auto busy = add("\\Processor(0)\\% Processor Time");
    const std::string t1 = " 1700000000000", t2 = " 1700000015000";
    feed.answer(cpu(0, 100, 0, 0, 0, 0, 100, t1), 1000);
    collect(busy);
    feed.answer(cpu(0, 110, 0, 0, 0, 0, 130, t2), 2000);
    EXPECT_NEAR(collect(busy).value, 75, 1e-9);
    EXPECT_NEAR(collect(busy).value, 75, 1e-9) << "the same scrape";
    feed.answer(cpu(0, 110, 0, 0, 0, 0, 130, t2), 3000);
    const Reading again = collect(busy);
    EXPECT_EQ(again.status, kPdhCstatusValidData) << "a new fetch of the server's old samples";
    EXPECT_NEAR(again.value, 75, 1e-9);
    feed.answer(cpu(0, 140, 0, 0, 0, 0, 140, " 1700000030000"), 4000);
    EXPECT_NEAR(collect(busy).value, 25, 1e-9) << "30 idle of 40";

    const auto rate = add("\\Processor(_Total)\\Interrupts/sec");
    feed.answer("node_intr_total{instance=\"a:9100\",job=\"node\"} 1000 1700000000000\n", 5000);
    collect(rate);
    feed.answer("node_intr_total{instance=\"a:9100\",job=\"node\"} 1500 1700000015000\n", 6000);
    EXPECT_NEAR(collect(rate).value, 500.0 / 15, 1e-9);
    feed.answer("node_intr_total 2000\n", 7000);
    collect(rate);
    feed.answer("node_intr_total 2300\n", 9000);
    EXPECT_NEAR(collect(rate).value, 150, 1e-9);
}

// Counters read invalid until an answer holds their family, and again
// after a failed scrape; the host then reads offline, and back on a good one.
TEST_F(RemoteSourcesTest, InvalidWithoutTheirFamilyOrAGoodScrape) {
    std::uint32_t flags = 99;
    std::string name = "x";
    EXPECT_EQ(sources.connectedState(flags, name), 0) << "nothing fetched yet";
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(name, "");
    MemoryStatusEx m;
    EXPECT_FALSE(sources.memoryStatus(m));

    feed.answer("node_memory_MemTotal_bytes 1e9\n", 1000);
    const auto busy = add("\\Processor(_Total)\\% Processor Time");
    const auto c1 = add("\\Processor(_Total)\\% C1 Time");
    const auto dpc = add("\\Processor(_Total)\\DPCs Queued/sec");
    add("\\Processor(0)\\% Processor Time", kPdhCstatusNoInstance);
    for (int i = 0; i < 3; ++i) {
        feed.answer("node_memory_MemTotal_bytes 1e9\n", 2000 + i * 1000);
        sources.collectQueryData(query);
        for (auto c : {busy, c1, dpc}) EXPECT_EQ(read(c).status, kPdhCstatusInvalidData);
    }
    EXPECT_EQ(sources.numberOfProcessors(), 1u) << "never 0";

    feed.answer(cpu(0, 100, 0, 0, 0, 0, 100), 5000);
    collect(busy);
    feed.answer(cpu(0, 150, 0, 0, 0, 0, 150), 5500);
    EXPECT_EQ(collect(busy).status, kPdhCstatusValidData);
    EXPECT_EQ(sources.connectedState(flags, name), 1);  // its type and name: the remote_host scenario
    feed.answer("", 6000, false);
    EXPECT_EQ(sources.connectedState(flags, name), 0);
    EXPECT_EQ(flags, 0u);
    const Reading gone = collect(busy);
    EXPECT_EQ(gone.status, kPdhCstatusInvalidData);
    EXPECT_EQ(gone.value, 0);
    MibTcpStats tcp;
    tcp.dwInSegs = 7;
    EXPECT_FALSE(sources.tcpStatistics(tcp));
    EXPECT_EQ(tcp.dwInSegs, 0u) << "zeroed";
    std::vector<HardwareObject> objects;
    EXPECT_FALSE(sources.queryHardware("Select * from Win32_Processor", objects));

    feed.answer(cpu(0, 200, 0, 0, 0, 0, 200), 7000);
    EXPECT_EQ(sources.connectedState(flags, name), 1);
    EXPECT_NEAR(collect(busy).value, 50, 1e-9) << "measured from the last good answer";
}

// A federation answer that holds several hosts is read for its first one.
TEST_F(RemoteSourcesTest, FederatedAnswerOfSeveralInstancesReadsTheFirst) {
    feed.answer("node_memory_MemTotal_bytes{instance=\"a:9100\",job=\"node\"} 1000 5\n"
                "node_memory_MemTotal_bytes{instance=\"b:9100\",job=\"node\"} 9000 5\n"
                "node_memory_MemAvailable_bytes{instance=\"b:9100\",job=\"node\"} 9000 5\n"
                "node_memory_MemAvailable_bytes{instance=\"a:9100\",job=\"node\"} 250 5\n" +
                    cpu(0, 1, 0, 0, 0, 0, 1, "") + "node_cpu_seconds_total{cpu=\"1\",instance=\"b:9100\",mode=\"idle\"} 1\n",
                1000);
    MemoryStatusEx m;
    ASSERT_TRUE(sources.memoryStatus(m));
    EXPECT_EQ(m.memoryLoad, 75u);
    EXPECT_EQ(sources.numberOfProcessors(), 1u);
}

// MemAvailable and swap are read in the remote_host scenario; here the
// answers refused.
TEST_F(RemoteSourcesTest, MemoryAnswersThatCannotBeRightAreRefused) {
    MemoryStatusEx m;
    for (const char* bad : {"node_memory_MemAvailable_bytes 1\n", "node_memory_MemTotal_bytes 0\n",
                            "node_memory_MemTotal_bytes 1e30\nnode_memory_MemAvailable_bytes 1\n",
                            "node_memory_MemTotal_bytes NaN\nnode_memory_MemAvailable_bytes 1\n"}) {
        feed.answer(bad, 3000);
        m.totalPhys = 1;
        EXPECT_FALSE(sources.memoryStatus(m)) << bad;
        EXPECT_EQ(m.totalPhys, 0u) << bad;
    }
}

TEST_F(RemoteSourcesTest, NetworkRecords) {
    feed.answer("node_netstat_Tcp_InSegs 4294967301\nnode_netstat_Tcp_MaxConn -1\nnode_sockstat_UDP_inuse 3\n"
                "node_netstat_Udp_InDatagrams 63\nnode_netstat_Ip_Forwarding 2\nnode_netstat_Icmp_InMsgs 3\n"
                "node_network_receive_bytes_total{device=\"eth0\"} 1\nnode_network_receive_bytes_total{device=\"lo\"} 1\n",
                1000);
    MibTcpStats tcp;
    ASSERT_TRUE(sources.tcpStatistics(tcp));
    // The other TCP figures are watched in the remote_host scenario.
    EXPECT_EQ(tcp.dwInSegs, 5u) << "the low 32 bits";
    EXPECT_EQ(tcp.dwMaxConn, 0xFFFFFFFFu);
    EXPECT_EQ(tcp.dwRetransSegs, 0u) << "not published: 0";
    // Counted rather than copied: the sockets in use, the devices.
    MibUdpStats udp;
    ASSERT_TRUE(sources.udpStatistics(udp));
    EXPECT_EQ(udp.dwNumAddrs, 3u);
    MibIpStats ip;
    ASSERT_TRUE(sources.ipStatistics(ip));
    EXPECT_EQ(ip.dwNumIf, 2u);
    MibIcmp icmp;
    EXPECT_TRUE(sources.icmpStatistics(icmp));

    feed.answer("node_netstat_Tcp_InSegs 1\n", 2000);
    EXPECT_FALSE(sources.udpStatistics(udp)) << "a protocol the exporter left out";
    EXPECT_EQ(udp.dwInDatagrams, 0u);
}

TEST_F(RemoteSourcesTest, InventoryAndFeatures) {
    // The rest of the board and BIOS records are watched in the remote_host scenario.
    feed.answer("node_dmi_info{board_name=\"B1\",board_vendor=\"Maker\",board_version=\"\"} 1\n"
                "node_uname_info{machine=\"aarch64\",nodename=\"nas\"} 1\n"
                "node_cpu_info{cpu=\"0\",model_name=\"Core A\",package=\"0\",vendor=\"V\"} 1\n"
                "node_cpu_info{cpu=\"1\",model_name=\"Core A\",package=\"0\",vendor=\"V\"} 1\n"
                "node_cpu_info{cpu=\"2\",model_name=\"Core B\",package=\"1\",vendor=\"V\"} 1\n"
                "node_cpu_flag_info{flag=\"sse2\"} 1\nnode_cpu_flag_info{flag=\"avx\"} 0\n"
                "node_memory_MemTotal_bytes 4096\n",
                1000);
    std::vector<HardwareObject> o;
    ASSERT_TRUE(sources.queryHardware("select * FROM win32_baseboard", o));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_EQ(o[0].properties, (std::vector<std::pair<std::string, std::string>>{{"Manufacturer", "Maker"},
                                                                                 {"Product", "B1"}}))
        << "an empty version is left out";
    ASSERT_TRUE(sources.queryHardware("Select * from Win32_Processor", o));
    ASSERT_EQ(o.size(), 2u) << "one per package";
    EXPECT_EQ(*o[0].find("NumberOfLogicalProcessors"), "2");
    EXPECT_EQ(*o[0].find("Architecture"), "12");
    EXPECT_EQ(*o[1].find("DeviceID"), "CPU1");
    ASSERT_TRUE(sources.queryHardware("Select * from Win32_PhysicalMemory", o));
    ASSERT_EQ(o.size(), 1u);
    EXPECT_EQ(*o[0].find("Capacity"), "4096");

    EXPECT_TRUE(sources.processorFeaturePresent(10)) << "sse2";
    EXPECT_FALSE(sources.processorFeaturePresent(39)) << "avx published as 0";
    EXPECT_FALSE(sources.processorFeaturePresent(0));
}
