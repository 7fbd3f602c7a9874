// The portable memory snapshot and connection class on the simulated
// machine; the hardware inventory's tables filled from the simulated
// machine's descriptions: trimming and the architecture text.
#include <gtest/gtest.h>

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

// Amounts above 4 GB, the 2 GB pool of a 64-bit address space and a failed
// call are in tests/scenarios/modules_family.
TEST(MemorySnapshot, LoadPoolsAndFailedStepsKeepThePreviousValues) {
    SimSources sim;
    MemorySnapshot s;
    auto refresh = [&](const MemoryStatusEx& m) {
        sim.setMemory(m);
        refreshMemorySnapshot(sim, s);
    };
    MemoryStatusEx m;
    m.totalVirtual = std::uint64_t{128} << 40;
    m.availVirtual = m.totalVirtual - 3 * kGiB;
    refresh(m);
    EXPECT_EQ(s.TotalVirtual.raw, static_cast<std::int64_t>(2 * kGiB) * 10000);
    EXPECT_EQ(s.UsedVirtual.raw, static_cast<std::int64_t>(3 * kGiB) * 10000);
    EXPECT_EQ(s.AvailVirtual.raw, 0) << "more reserved than the 32-bit pool leaves none free";

    // 1 used of 3 in all: 0.33333... keeps four places.
    m = MemoryStatusEx{};
    m.totalPhys = 3;
    m.availPhys = 2;
    refresh(m);
    EXPECT_EQ(s.CombinedLoad.raw, 3333);
    m.totalPhys = 4 * kGiB;
    m.availPhys = 1 * kGiB;
    refresh(m);
    const Decimal4 load = s.CombinedLoad;
    EXPECT_EQ(load.raw, 7500);
    refresh(MemoryStatusEx{});
    EXPECT_EQ(s.CombinedLoad, load) << "zero totals: the division fails and the load stays";

    // Each amount fits the decimal; their sum does not.
    m.totalPhys = m.totalPageFile = 900'000'000'000'000;
    m.availPhys = m.availPageFile = 0;
    refresh(m);
    EXPECT_EQ(s.TotalPhys.raw, 9'000'000'000'000'000'000);
    EXPECT_EQ(s.CombinedLoad, load) << "an overflowing sum fails its step";
    EXPECT_EQ(largeCount(922337203685477)->raw, 9223372036854770000);
    EXPECT_FALSE(largeCount(922337203685478).has_value());
    EXPECT_FALSE(largeCount(UINT64_MAX).has_value());
}

TEST(NetConnection, DeviceWordAndTheNameBuffer) {
    EXPECT_EQ(clsNetConnection::ConnTypeDevice(1 | 4 | 32), "MODEM");
    EXPECT_EQ(clsNetConnection::ConnTypeDevice(4 | 32), "PROXY");
    EXPECT_EQ(clsNetConnection::ConnTypeDevice(32), "OFFLINE");
    EXPECT_EQ(clsNetConnection::ConnTypeDevice(64), "");

    EXPECT_EQ(connectionNameFromBuffer(std::string("Home\0junk", 9)), "Home");
    SimSources sim;
    sim.setConnection(2, std::string(600, 'n'), 1);
    EXPECT_EQ(clsNetConnection(sim).ConnName().size(), 512u) << "the buffer holds 512 characters";
}

// Records, trimming, failed queries, the tables by class name and the texts
// of codes 9 and 5 are in tests/scenarios/hardware_inventory.
TEST(HardwareInventory, TrimmingAnotherComputerAndArchitectureCodes) {
    SimSources machine;
    machine.setHardware("Win32_BIOS", 0, "SMBIOSPresent", "True");
    machine.setHardware("Win32_BIOS", 0, "Version", "v\t2 ");
    HardwareInventory inv;
    takeInventory(machine, ".", inv);
    ASSERT_EQ(inv.bios.size(), 2u);
    EXPECT_EQ(inv.bios[0].Version, "v\t2") << "only blanks are trimmed";
    EXPECT_TRUE(inv.bios[0].SMBIOSPresent);
    EXPECT_FALSE(inv.bios[1].SMBIOSPresent);
    takeInventory(machine, "OTHERPC", inv);
    ASSERT_EQ(inv.bios.size(), 1u);
    EXPECT_EQ(inv.bios[0].Version, "") << "another computer gets an empty record";

    const std::pair<const char*, const char*> cases[] = {
        {"0", "x86 processor"}, {" 9 ", "x64 processor"}, {"6", "Itanium processor"},
        {"12", "Unknown processor type"}, {"", "Unknown processor type"}, {"9x", "Unknown processor type"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(architectureText(code), text) << "'" << code << "'";
}
