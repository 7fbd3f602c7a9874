// The network files of /proc/net (the input stands for each of them): the
// IP, ICMP, TCP and UDP records with the counts beside them, and the
// connection state from the routing tables.
#include "fuzz/fuzz_support.h"
#include "platform/linux/sources_linux.h"

using namespace vel::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vel::fuzz::Tree tree{{"net/lan", ""}};
    for (const char* file : {"snmp", "sockstat", "dev", "route", "ipv6_route", "fib_trie", "tcp", "udp"})
        tree.put(std::string("proc/net/") + file, data, size);
    auto sources = linux_backend::createLinuxSourcesWithClock(tree.path("proc"), tree.path("sys"), [] { return 0; });
    MibIpStats ip;
    MibIcmp icmp;
    MibTcpStats tcp;
    MibUdpStats udp;
    sources->ipStatistics(ip);
    sources->icmpStatistics(icmp);
    sources->tcpStatistics(tcp);
    sources->udpStatistics(udp);
    std::uint32_t flags = 0;
    std::string name;
    const int connected = sources->connectedState(flags, name);
    vel::fuzz::require((connected == 1) == (flags != 0) && flags <= 7, "a connection state Windows never gives");
    return 0;
}
