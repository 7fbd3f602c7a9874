// The Linux network sources on captured /proc/net and /sys/class/net trees
// (tests/data/net): "lan" is a desktop on Ethernet, "dialup" a machine
// whose default route goes through a PPP link, "ipv6only" one whose only
// default route is IPv6.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/linux/sources_linux.h"
#include "platform/linux/sources_net.h"
#include "support/files.h"

using namespace vel::platform;
using namespace vel::platform::linux_backend;
namespace fs = std::filesystem;

namespace {

const fs::path kNet = fs::path(VELMORA_SOURCE_DIR) / "tests" / "data" / "net";
const char* const kProxyVariables[] = {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"};

// Clears the proxy variables for one test and puts them back afterwards.
class ProxyEnvironment {
public:
    ProxyEnvironment() {
        for (const char* v : kProxyVariables) {
            if (const char* old = std::getenv(v)) saved_[v] = old;
            unsetenv(v);
        }
    }
    ~ProxyEnvironment() {
        for (const char* v : kProxyVariables) unsetenv(v);
        for (const auto& [name, value] : saved_) setenv(name.c_str(), value.c_str(), 1);
    }

private:
    std::map<std::string, std::string> saved_;
};

std::unique_ptr<Sources> machine(const fs::path& root) {
    return createLinuxSourcesWithClock((root / "proc").string(), (root / "sys").string(),
                                       [] { return std::int64_t{0}; });
}

}  // namespace

// One plain snmp field per record stands for the others; the rest are the
// fields with a rule of their own.
TEST(LinuxNetStatistics, TcpUdpIpAndIcmpRecordsFromSnmpAndSockstat) {
    auto s = machine(kNet / "lan");
    MibTcpStats tcp;
    ASSERT_TRUE(s->tcpStatistics(tcp));
    EXPECT_EQ(tcp.dwRtoMax, 120000u);
    EXPECT_EQ(tcp.dwMaxConn, 0xFFFFFFFFu) << "-1, dynamic, as Windows reports it";
    EXPECT_EQ(tcp.dwInSegs, 4u) << "a 64-bit kernel count keeps its low 32 bits, as a 32-bit counter wraps";
    EXPECT_EQ(tcp.dwNumConns, 7u) << "in use and time-wait, from net/sockstat";

    MibUdpStats udp;
    ASSERT_TRUE(s->udpStatistics(udp));
    EXPECT_EQ(udp.dwOutDatagrams, 30712u);
    EXPECT_EQ(udp.dwNumAddrs, 3u) << "in use, from net/sockstat";

    MibIpStats ip;
    ASSERT_TRUE(s->ipStatistics(ip));
    EXPECT_EQ(ip.dwOutNoRoutes, 11u);
    EXPECT_EQ(ip.dwRoutingDiscards, 0u) << "no Linux counter";
    EXPECT_EQ(ip.dwNumIf, 3u) << "lo, eth0, wlan0";
    EXPECT_EQ(ip.dwNumAddr, 2u) << "127.0.0.1 and 192.0.2.7, each listed twice in the trie";
    EXPECT_EQ(ip.dwNumRoutes, 3u);

    MibIcmp icmp;
    ASSERT_TRUE(s->icmpStatistics(icmp));
    EXPECT_EQ(icmp.inStats.dwEchoReps, 12u);
    EXPECT_EQ(icmp.outStats.dwEchoReps, 9u);

    std::uint32_t v = 0;
    EXPECT_FALSE(snmpValue("UdpLite: InDatagrams\nUdpLite: 5\n", "Udp", "InDatagrams", v)) << "UdpLite is not Udp";
}

// The default route's link gives the device; a proxy in the environment
// adds the proxy flag, but only to a connection there is.
TEST(LinuxConnectionState, TheDefaultRoutesLinkGivesTheDeviceAndAProxyIsAdded) {
    ProxyEnvironment env;
    struct Case {
        const char* machine;
        const char* proxy;
        std::uint32_t flags;
        const char* name;
    };
    // ipv6only: the kernel's ::/0 reject route on lo comes first.
    for (Case c : {Case{"lan", nullptr, 2, "eth0"}, Case{"ipv6only", nullptr, 2, "eth0"},
                   Case{"dialup", nullptr, 1, "ppp0"}, Case{"lan", "https_proxy", 2 | 4, "eth0"}}) {
        SCOPED_TRACE(std::string(c.machine) + (c.proxy ? " with a proxy" : ""));
        if (c.proxy) setenv(c.proxy, "http://127.0.0.1:3128", 1);
        std::uint32_t flags = 99;
        std::string name;
        EXPECT_NE(machine(kNet / c.machine)->connectedState(flags, name), 0);
        EXPECT_EQ(flags, c.flags);
        EXPECT_EQ(name, c.name);
    }
    const std::string routes =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "eth0\t000200C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n";
    EXPECT_EQ(defaultRouteInterface(routes), "");
    EXPECT_EQ(connectionFlags(false, false, true), 0u);
    // A default route that is down does not count either.
    EXPECT_EQ(defaultRouteInterface("Iface\tDestination\tGateway\tFlags\tRefCnt\tUse\tMetric\tMask\n"
                                    "eth1\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\n"),
              "");
}

// Without net/sockstat the tables are counted.
TEST(LinuxNetStatistics, SocketTablesAreCountedAndOneReadingServesOneMoment) {
    const vel::test::TempFolder root;
    fs::copy(kNet / "lan", root.path(), fs::copy_options::recursive);
    fs::remove(root / "proc" / "net" / "sockstat");
    std::int64_t now = 5'000'000'000;
    auto s = createLinuxSourcesWithClock((root / "proc").string(), (root / "sys").string(), [&now] { return now; });
    MibTcpStats tcp;
    ASSERT_TRUE(s->tcpStatistics(tcp));
    EXPECT_EQ(tcp.dwNumConns, 4u);
    MibUdpStats udp;
    ASSERT_TRUE(s->udpStatistics(udp));
    EXPECT_EQ(udp.dwNumAddrs, 2u) << "listeners in net/udp";
    // Traffic flows.
    std::string snmp = vel::test::readFile(root / "proc/net/snmp");
    const auto at = snmp.find("4294967300 611204");
    ASSERT_NE(at, std::string::npos);
    vel::test::writeFile(root / "proc/net/snmp", snmp.replace(at, 17, "4294967310 611210"));
    now += 4'000'000;
    ASSERT_TRUE(s->tcpStatistics(tcp));
    EXPECT_EQ(tcp.dwOutSegs, 611204u) << "one reading serves the questions of one moment";

    now += 400'000'000;
    ASSERT_TRUE(s->tcpStatistics(tcp));
    EXPECT_EQ(tcp.dwInSegs, 14u) << "counters are read on every call";
    EXPECT_EQ(tcp.dwOutSegs, 611210u);
}
