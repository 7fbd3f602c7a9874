// Readers for the kernel's network figures: the MIB counters of
// /proc/net/snmp, the counts Windows keeps beside them (interfaces,
// addresses, routes, table entries), and the connection state guessed from
// the routing table. Pure text parsers, so tests feed them captured files.
#pragma once

#include <cstdint>
#include <string>
#include <optional>
#include <string_view>

#include "platform/sources_api.h"

namespace vel::platform::linux_backend {

// Looks up a named counter of one protocol ("Tcp", "InSegs") in the
// header-line / value-line pairs of /proc/net/snmp. The low 32 bits are
// kept, as the Windows records hold 32-bit counters (MaxConn -1 stays
// 0xFFFFFFFF). False when the protocol or the name is missing.
bool snmpValue(std::string_view snmp, std::string_view protocol, std::string_view name, std::uint32_t& out);

// The records from /proc/net/snmp; false when the protocol's lines are missing.
bool parseIpStats(std::string_view snmp, MibIpStats& out);
bool parseIcmpStats(std::string_view snmp, MibIcmp& out);
bool parseTcpStats(std::string_view snmp, MibTcpStats& out);
bool parseUdpStats(std::string_view snmp, MibUdpStats& out);

// Lines after the first `headerLines` that are not blank (interfaces in
// /proc/net/dev, routes in /proc/net/route, sockets in /proc/net/tcp).
std::uint32_t countEntries(std::string_view text, int headerLines);
// The IPv4 sockets of a protocol ("TCP", "UDP") in /proc/net/sockstat:
// in use, plus TCP's time-wait ones, which is what its socket table lists.
// The kernel keeps these counts, where a table read walks every hash
// bucket (milliseconds on a machine with much memory).
std::optional<std::uint32_t> sockstatSockets(std::string_view sockstat, std::string_view protocol);
// Distinct local IPv4 addresses in /proc/net/fib_trie (the "/32 host
// LOCAL" leaves).
std::uint32_t countLocalAddresses(std::string_view fibTrie);

// The interface of the first usable IPv4 default route in /proc/net/route
// (destination and mask 0, flag RTF_UP); "" when there is none.
std::string defaultRouteInterface(std::string_view route);
// The same for IPv6, from /proc/net/ipv6_route (destination ::/0, RTF_UP,
// not a reject route; the kernel keeps those on lo).
std::string defaultRoute6Interface(std::string_view route);

// The connection flag word: a default route through a point-to-point link
// is MODEM (1), through anything else LAN (2); a proxy adds PROXY (4). No
// default route is 0, whatever the proxy.
std::uint32_t connectionFlags(bool hasDefaultRoute, bool pointToPoint, bool proxyConfigured);

}  // namespace vel::platform::linux_backend
