// The portable memory snapshot and connection class, and the simulated
// machine's network counters they and the network module read; the
// hardware inventory's tables filled from the simulated machine's
// descriptions: trimming, the architecture text and refused names.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/common/connected_state.h"
#include "platform/sim/sim_sources.h"
#include "sources/hardware_inventory.h"
#include "sources/memory_status.h"
#include "sources/net_connection.h"

using namespace vel;
using vel::platform::MemoryStatusEx;
using vel::platform::SimSources;

namespace {
constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
}

// Amounts above 4 GB and the 2 GB pool of a 64-bit address space are in
// tests/scenarios/modules_family.
TEST(MemorySnapshot, MoreReservedThanTheThirtyTwoBitPoolLeavesNoneFree) {
    SimSources sim;
    MemoryStatusEx m;
    m.totalVirtual = std::uint64_t{128} << 40;
    m.availVirtual = m.totalVirtual - 3 * kGiB;
    sim.setMemory(m);
    MemorySnapshot s;
    refreshMemorySnapshot(sim, s);
    EXPECT_EQ(s.TotalVirtual.raw, static_cast<std::int64_t>(2 * kGiB) * 10000);
    EXPECT_EQ(s.UsedVirtual.raw, static_cast<std::int64_t>(3 * kGiB) * 10000);
    EXPECT_EQ(s.AvailVirtual.raw, 0);
}

TEST(MemorySnapshot, CombinedLoadIsZeroOneAndFourPlaces) {
    SimSources sim;
    MemoryStatusEx m;
    m.totalPhys = m.availPhys = 1000;
    m.totalPageFile = m.availPageFile = 2000;
    m.totalVirtual = m.availVirtual = 3000;
    sim.setMemory(m);
    MemorySnapshot s;
    refreshMemorySnapshot(sim, s);
    EXPECT_EQ(s.CombinedLoad.raw, 0) << "nothing in use";

    m.availPhys = m.availPageFile = m.availVirtual = 0;
    sim.setMemory(m);
    refreshMemorySnapshot(sim, s);
    EXPECT_EQ(s.CombinedLoad.raw, 10000) << "every pool full";

    // 1 used of 3 in all: 0.33333... keeps four places.
    m.totalPhys = 3;
    m.availPhys = 2;
    m.totalPageFile = m.availPageFile = m.totalVirtual = m.availVirtual = 0;
    sim.setMemory(m);
    refreshMemorySnapshot(sim, s);
    EXPECT_EQ(s.CombinedLoad.raw, 3333);
}

TEST(MemorySnapshot, ZeroTotalsAndOverflowKeepThePreviousValues) {
    SimSources sim;
    MemoryStatusEx m;
    m.totalPhys = 4 * kGiB;
    m.availPhys = 1 * kGiB;
    sim.setMemory(m);
    MemorySnapshot s;
    refreshMemorySnapshot(sim, s);
    const Decimal4 load = s.CombinedLoad;
    EXPECT_EQ(load.raw, 7500);
    // A failed call: tests/scenarios/modules_family.
    sim.setMemory(MemoryStatusEx{});
    refreshMemorySnapshot(sim, s);
    EXPECT_EQ(s.TotalPhys.raw, 0);
    EXPECT_EQ(s.CombinedLoad, load) << "zero totals: the division fails and the load stays";

    // Each amount fits the decimal; their sum does not.
    m.totalPhys = m.totalPageFile = 900'000'000'000'000;
    m.availPhys = m.availPageFile = 0;
    sim.setMemory(m);
    refreshMemorySnapshot(sim, s);
    EXPECT_EQ(s.TotalPhys.raw, 9'000'000'000'000'000'000);
    EXPECT_EQ(s.CombinedLoad, load) << "an overflowing sum fails its step";
}

TEST(MemorySnapshot, LargeCountLimit) {
    EXPECT_EQ(largeCount(922337203685477)->raw, 9223372036854770000);
    EXPECT_FALSE(largeCount(922337203685478).has_value());
    EXPECT_FALSE(largeCount(UINT64_MAX).has_value());
}

TEST(NetConnection, DeviceWordPrecedence) {
    EXPECT_EQ(clsNetConnection::ConnTypeDevice(2 | 1), "LAN");
    EXPECT_EQ(clsNetConnection::ConnTypeDevice(1 | 4 | 32), "MODEM");
    EXPECT_EQ(clsNetConnection::ConnTypeDevice(4 | 32), "PROXY");
    EXPECT_EQ(clsNetConnection::ConnTypeDevice(32), "OFFLINE");
    EXPECT_EQ(clsNetConnection::ConnTypeDevice(64), "");
    EXPECT_EQ(clsNetConnection::ConnTypeDevice(0), "");
}

TEST(NetConnection, NameEndsAtTheFirstNulOrFillsTheBuffer) {
    EXPECT_EQ(connectionNameFromBuffer(std::string("Home\0junk", 9)), "Home");
    EXPECT_EQ(connectionNameFromBuffer(std::string(512, 'x')), std::string(512, 'x'));
    SimSources sim;
    sim.setConnection(2, std::string(600, 'n'), 1);
    EXPECT_EQ(clsNetConnection(sim).ConnName().size(), 512u) << "the buffer holds 512 characters";
}

TEST(NetConnection, SystemCallGetsTheWholeBufferAndMayLeaveNoNul) {
    std::uint32_t flags = 0, offered = 0;
    std::string name;
    const int rc = platform::readConnectedState(
        [&](std::uint32_t& f, char* buffer, std::uint32_t size) {
            offered = size;
            std::memset(buffer, 'x', size);  // every byte it may write, no NUL
            f = 2;
            return 1;
        },
        flags, name);
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(flags, 2u);
    EXPECT_EQ(offered, 512u);
    EXPECT_EQ(name, std::string(512, 'x'));
}

// Records, trimming, failed queries and the tables by class name are in
// tests/scenarios/hardware_inventory.
TEST(HardwareInventory, OnlyBlanksAreTrimmedAndAnotherComputerGetsEmptyRecords) {
    SimSources machine;
    machine.setHardware("Win32_BIOS", 0, "SMBIOSPresent", "True");
    machine.setHardware("Win32_BIOS", 0, "Version", "v\t2 ");
    HardwareInventory inv;
    takeInventory(machine, ".", inv);
    ASSERT_EQ(inv.bios.size(), 2u);
    EXPECT_EQ(inv.bios[0].Version, "v\t2");
    EXPECT_TRUE(inv.bios[0].SMBIOSPresent);
    EXPECT_FALSE(inv.bios[1].SMBIOSPresent);

    takeInventory(machine, "OTHERPC", inv);
    ASSERT_EQ(inv.bios.size(), 1u);
    EXPECT_EQ(inv.bios[0].Version, "");
}

// The texts of codes 9 and 5: tests/scenarios/hardware_inventory.
TEST(HardwareInventory, ArchitectureCodesAreReadWholeBetweenBlanks) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "x86 processor"}, {" 9 ", "x64 processor"}, {"6", "Itanium processor"},
        {"4", "Unknown processor type"}, {"12", "Unknown processor type"}, {"", "Unknown processor type"},
        {"9x", "Unknown processor type"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(architectureText(code), text) << "'" << code << "'";
}

TEST(HardwareInventory, UnknownClassesAndFieldsAreRefused) {
    HardwareInventory inv;
    EXPECT_FALSE(setInventoryField(inv, "Win32_Processor", 0, "Colour", "red"));
    EXPECT_FALSE(setInventoryField(inv, "Win32_Fan", 0, "Name", "x"));
    EXPECT_TRUE(inventoryRecords(inv, "Win32_Fan").empty());
}
