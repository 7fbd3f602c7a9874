// The inventory's tables filled from the simulated machine's hardware
// descriptions: record rules, trimming, the architecture text, the boolean
// and failed queries.
#include <gtest/gtest.h>

#include "platform/sim/sim_sources.h"
#include "sources/hardware_inventory.h"

using namespace vel;
using vel::platform::SimSources;

namespace {

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

TEST(HardwareInventory, ArchitectureTexts) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "x86 processor"},     {"1", "MIPS processor"},        {"2", "Alpha processor"},
        {"3", "PowerPC processor"}, {"6", "Itanium processor"},     {"9", "x64 processor"},
        {"5", "Unknown processor type"}, {"12", "Unknown processor type"}, {"4", "Unknown processor type"},
        {"", "Unknown processor type"},  {"9x", "Unknown processor type"}, {" 9 ", "x64 processor"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(architectureText(code), text) << "'" << code << "'";
}

TEST(HardwareInventory, UnknownClassesAndFieldsAreRefused) {
    HardwareInventory inv;
    EXPECT_FALSE(setInventoryField(inv, "Win32_Processor", 0, "Colour", "red"));
    EXPECT_FALSE(setInventoryField(inv, "Win32_Fan", 0, "Name", "x"));
    EXPECT_TRUE(inventoryRecords(inv, "Win32_Fan").empty());
}

}  // namespace
