// The inventory's tables filled from the simulated machine's hardware
// descriptions: record rules, trimming, the architecture text, the boolean
// and failed queries.
#include <gtest/gtest.h>

#include "platform/sim/sim_sources.h"
#include "sources/hardware_inventory.h"

using namespace vel;
using vel::platform::SimSources;

namespace {

TEST(HardwareInventory, OneRecordPerInstanceThenOneEmptyRecord) {
    SimSources machine;
    machine.setHardware("Win32_Processor", 0, "Name", "  First Processor  ");
    machine.setHardware("Win32_Processor", 0, "Architecture", "9");
    machine.setHardware("Win32_Processor", 0, "Unlisted", "ignored");
    machine.setHardware("Win32_Processor", 1, "Architecture", "5");
    machine.setHardware("Win32_Processor", 1, "DeviceID", "CPU1");
    machine.setHardware("WIN32_BIOS", 0, "SMBIOSPresent", "True");
    machine.setHardware("Win32_BIOS", 0, "Version", "v\t2 ");

    HardwareInventory inv;
    inv.keyboard.resize(4);  // left from before: every table starts afresh
    takeInventory(machine, ".", inv);

    ASSERT_EQ(inv.processor.size(), 3u);
    EXPECT_EQ(inv.processor[0].Name, "First Processor");
    EXPECT_EQ(inv.processor[0].Architecture, "x64 processor");
    EXPECT_EQ(inv.processor[0].DeviceID, "");
    EXPECT_EQ(inv.processor[1].Architecture, "Unknown processor type");
    EXPECT_EQ(inv.processor[1].DeviceID, "CPU1");
    EXPECT_EQ(inv.processor[2].Name, "");
    EXPECT_EQ(inv.processor[2].Architecture, "");  // the empty record stays empty
    ASSERT_EQ(inv.bios.size(), 2u);
    EXPECT_TRUE(inv.bios[0].SMBIOSPresent);
    EXPECT_EQ(inv.bios[0].Version, "v\t2");  // blanks trimmed, nothing else
    EXPECT_FALSE(inv.bios[1].SMBIOSPresent);
    // Classes without instances hold index 0 only.
    EXPECT_EQ(inv.keyboard.size(), 1u);
    EXPECT_EQ(inv.desktopMonitor.size(), 1u);
    EXPECT_EQ(inv.desktopMonitor[0].Description, "");
}

TEST(HardwareInventory, FailedQueriesKeepWhatCameBeforeTheFailure) {
    SimSources machine;
    machine.setHardware("Win32_VideoController", 0, "Name", "Adapter");
    machine.setHardwareFails("Win32_VideoController", true);
    machine.setHardware("Win32_BaseBoard", 0, "Product", "Board");
    machine.setHardware("Win32_BIOS", 0, "SMBIOSPresent", "0");
    HardwareInventory inv;
    takeInventory(machine, ".", inv);
    ASSERT_EQ(inv.videoController.size(), 2u);
    EXPECT_EQ(inv.videoController[0].Name, "Adapter");
    EXPECT_EQ(inv.baseBoard[0].Product, "Board");
    EXPECT_FALSE(inv.bios[0].SMBIOSPresent);

    // Another computer's hardware is out of reach: empty records only.
    takeInventory(machine, "OTHERPC", inv);
    EXPECT_EQ(inv.baseBoard.size(), 1u);
    EXPECT_EQ(inv.baseBoard[0].Product, "");
    EXPECT_EQ(inv.videoController.size(), 1u);
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

TEST(HardwareInventory, TablesByClassNameForScenarios) {
    const std::vector<std::string> classes = inventoryClasses();
    EXPECT_EQ(classes, (std::vector<std::string>{"Win32_BaseBoard", "Win32_BIOS", "Win32_CacheMemory",
                                                 "Win32_DesktopMonitor", "Win32_Keyboard", "Win32_PhysicalMemory",
                                                 "Win32_PhysicalMemoryArray", "Win32_PointingDevice",
                                                 "Win32_Processor", "Win32_VideoController"}));
    HardwareInventory inv;
    EXPECT_TRUE(setInventoryField(inv, "Win32_Processor", 1, "Architecture", "0"));
    EXPECT_FALSE(setInventoryField(inv, "Win32_Processor", 0, "Colour", "red"));
    EXPECT_FALSE(setInventoryField(inv, "Win32_Fan", 0, "Name", "x"));
    ASSERT_EQ(inv.processor.size(), 3u);
    EXPECT_EQ(inv.processor[1].Architecture, "x86 processor");
    const auto records = inventoryRecords(inv, "Win32_BIOS");
    ASSERT_EQ(records.size(), 1u);
    ASSERT_EQ(records[0].size(), 8u);
    EXPECT_EQ(records[0][6], (std::pair<std::string, std::string>{"SMBIOSPresent", "False"}));
}

}  // namespace
