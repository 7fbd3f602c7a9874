// The Linux hardware descriptions on two recorded machines
// (tests/data/hardware): a two-socket workstation with firmware tables, a
// graphics card, a monitor and input devices, and a virtual machine that
// has none of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/linux/hardware_readers.h"
#include "support/files.h"

using namespace vel::platform;
using linux_backend::HardwareRoots;
namespace fs = std::filesystem;

namespace {

using Properties = std::map<std::string, std::string>;

const fs::path kData = fs::path(VELMORA_SOURCE_DIR) / "tests" / "data" / "hardware";

HardwareRoots machine(const fs::path& root, const std::string& uname) {
    HardwareRoots roots;
    roots.proc = (root / "proc").string();
    roots.sys = (root / "sys").string();
    roots.pciIds = (root / "pci.ids").string();
    roots.pnpIds = (root / "pnp.ids").string();
    roots.machine = uname;
    return roots;
}

std::vector<Properties> query(const HardwareRoots& roots, const std::string& className) {
    std::vector<HardwareObject> objects;
    EXPECT_TRUE(linux_backend::queryLinuxHardware(roots, "Select * from " + className, objects)) << className;
    std::vector<Properties> result;
    for (const HardwareObject& o : objects) result.emplace_back(o.properties.begin(), o.properties.end());
    return result;
}

TEST(LinuxHardware, WorkstationFirmwareBoardBiosAndMemory) {
    const HardwareRoots ws = machine(kData / "workstation", "x86_64");
    // Values come as the firmware gives them; the inventory trims them.
    EXPECT_EQ(query(ws, "Win32_BaseBoard"),
              (std::vector<Properties>{{{"Manufacturer", "Example Boards Inc."}, {"Product", "  X99-EXAMPLE"}}}));
    EXPECT_EQ(query(ws, "win32_bios"),  // class names in any case, as WMI takes them
              (std::vector<Properties>{{{"Manufacturer", "Example Firmware"},
                                        {"Name", "2.17.1246"},
                                        {"ReleaseDate", "20190514000000.000000+000"},
                                        {"SMBIOSBIOSVersion", "2.17.1246"},
                                        {"SMBIOSMajorVersion", "3"},
                                        {"SMBIOSMinorVersion", "2"},
                                        {"SMBIOSPresent", "True"}}}));
    EXPECT_EQ(query(ws, "Win32_PhysicalMemoryArray"),
              (std::vector<Properties>{{{"MaxCapacity", "67108864"},
                                        {"MemoryDevices", "4"},
                                        {"MemoryErrorCorrection", "6"},
                                        {"Tag", "Physical Memory Array 0"},
                                        {"Use", "3"}}}));
    // The empty slot is left out; the second module's size is in the extended field.
    EXPECT_EQ(query(ws, "Win32_PhysicalMemory"),
              (std::vector<Properties>{{{"BankLabel", "NODE 1"},
                                        {"Capacity", "8589934592"},
                                        {"DataWidth", "64"},
                                        {"DeviceLocator", "DIMM_A1"},
                                        {"FormFactor", "8"},
                                        {"MemoryType", "0"},
                                        {"Speed", "2666"},
                                        {"Tag", "Physical Memory 0"},
                                        {"TotalWidth", "72"}},
                                       {{"BankLabel", "NODE 2"},
                                        {"Capacity", "34359738368"},
                                        {"DataWidth", "64"},
                                        {"DeviceLocator", "DIMM_B1"},
                                        {"FormFactor", "12"},
                                        {"MemoryType", "24"},
                                        {"Speed", "2933"},
                                        {"Tag", "Physical Memory 1"},
                                        {"TotalWidth", "64"}}}));
}

TEST(LinuxHardware, WorkstationProcessorsPerSocketWithTheirCaches) {
    const HardwareRoots ws = machine(kData / "workstation", "x86_64");
    const auto processors = query(ws, "Win32_Processor");
    ASSERT_EQ(processors.size(), 2u);
    EXPECT_EQ(processors[0], (Properties{{"AddressWidth", "64"},
                                         {"Architecture", "9"},
                                         {"Availability", "3"},
                                         {"CpuStatus", "1"},
                                         {"CurrentClockSpeed", "1200"},  // 1199.5 MHz, halves to even
                                         {"DeviceID", "CPU0"},
                                         {"Manufacturer", "GenuineIntel"},
                                         {"MaxClockSpeed", "3700"},
                                         {"Name", "Example(R) Xeon(R) CPU  E5-0000 @ 2.40GHz"},
                                         {"NumberOfLogicalProcessors", "2"}}));
    EXPECT_EQ(processors[1].at("DeviceID"), "CPU1");
    EXPECT_EQ(processors[1].at("CurrentClockSpeed"), "1202");  // the package's first processor, cpu2
    // L1 data and instruction of both cores together; the shared L3 once.
    const auto caches = query(ws, "Win32_CacheMemory");
    ASSERT_EQ(caches.size(), 6u);
    EXPECT_EQ(caches[0], (Properties{{"BlockSize", "64"},
                                     {"DeviceID", "Cache Memory 0"},
                                     {"InstalledSize", "128"},
                                     {"Level", "3"},
                                     {"NumberOfBlocks", "2048"}}));
    EXPECT_EQ(caches[1].at("InstalledSize"), "2048");
    EXPECT_EQ(caches[1].at("Level"), "4");
    EXPECT_EQ(caches[2].at("InstalledSize"), "16384");
    EXPECT_EQ(caches[2].at("Level"), "5");
    EXPECT_EQ(caches[5].at("InstalledSize"), "16384");  // "16384K" reads as "16M" does
    EXPECT_EQ(caches[5].at("DeviceID"), "Cache Memory 5");
}

TEST(LinuxHardware, WorkstationVideoAdapterAndMonitor) {
    HardwareRoots ws = machine(kData / "workstation", "x86_64");
    ws.screenWidth = 3840;  // the X screen spans more than this monitor: EDID tells the monitor's own size
    ws.screenHeight = 1080;
    EXPECT_EQ(query(ws, "Win32_VideoController"),
              (std::vector<Properties>{{{"AdapterCompatibility", "Example Graphics Ltd."},
                                        {"AdapterRAM", "8573157376"},
                                        {"Caption", "Example GX 2 [Pro]"},
                                        {"Description", "Example GX 2 [Pro]"},
                                        {"DeviceID", "VideoController1"},
                                        {"DriverVersion", "23.10.2"},
                                        {"Name", "Example GX 2 [Pro]"},
                                        {"Status", "OK"},
                                        {"VideoProcessor", "Example GX 2 [Pro]"}}}));
    EXPECT_EQ(query(ws, "Win32_DesktopMonitor"),
              (std::vector<Properties>{{{"Description", "VELTEST 24"},
                                        {"MonitorManufacturer", "Example Displays Ltd."},
                                        {"ScreenHeight", "1080"},
                                        {"ScreenWidth", "1920"},
                                        {"Status", "OK"}}}));
    // Without the id lists the codes are all there is.
    ws.pciIds = ws.pnpIds = "/nonexistent";
    EXPECT_EQ(query(ws, "Win32_DesktopMonitor")[0].at("MonitorManufacturer"), "ABC");
    EXPECT_EQ(query(ws, "Win32_VideoController")[0].count("Name"), 0u);
}

TEST(LinuxHardware, WorkstationKeyboardsAndPointingDevices) {
    const HardwareRoots ws = machine(kData / "workstation", "x86_64");
    // The power button has keys but is no keyboard; the gamepad does not point.
    EXPECT_EQ(query(ws, "Win32_Keyboard"),
              (std::vector<Properties>{{{"Caption", "AT Translated Set 2 keyboard"},
                                        {"Description", "AT Translated Set 2 keyboard"},
                                        {"Name", "AT Translated Set 2 keyboard"},
                                        {"NumberOfFunctionKeys", "15"},
                                        {"Status", "OK"}}}));
    const auto pointers = query(ws, "Win32_PointingDevice");
    ASSERT_EQ(pointers.size(), 3u);
    EXPECT_EQ(pointers[0], (Properties{{"Description", "Example USB Optical Mouse"},
                                       {"DeviceInterface", "162"},
                                       {"Name", "Example USB Optical Mouse"},
                                       {"NumberOfButtons", "5"},
                                       {"PointingType", "3"},
                                       {"Status", "OK"}}));
    EXPECT_EQ(pointers[1].at("Name"), "SynPS/2 Synaptics TouchPad");
    EXPECT_EQ(pointers[1].at("PointingType"), "7");
    EXPECT_EQ(pointers[1].at("NumberOfButtons"), "1");
    EXPECT_EQ(pointers[1].at("DeviceInterface"), "4");
    EXPECT_EQ(pointers[2].at("PointingType"), "5");
    EXPECT_EQ(pointers[2].at("NumberOfButtons"), "3");
}

TEST(LinuxHardware, VirtualMachineLeavesOutWhatItCannotKnow) {
    HardwareRoots vm = machine(kData / "virtual", "i686");
    for (const char* none : {"Win32_BaseBoard", "Win32_BIOS", "Win32_PhysicalMemoryArray", "Win32_VideoController",
                             "Win32_Keyboard", "Win32_PointingDevice", "Win32_CacheMemory",
                             "Win32_DesktopMonitor" /* no display either */})
        EXPECT_TRUE(query(vm, none).empty()) << none;
    // Sixteen 128 MiB memory blocks, not the smaller MemTotal.
    EXPECT_EQ(query(vm, "Win32_PhysicalMemory"),
              (std::vector<Properties>{{{"Capacity", "2147483648"}, {"Tag", "Physical Memory 0"}}}));
    const auto processors = query(vm, "Win32_Processor");
    ASSERT_EQ(processors.size(), 1u);  // both processors in package 0
    EXPECT_EQ(processors[0].at("AddressWidth"), "32");
    EXPECT_EQ(processors[0].at("Architecture"), "0");
    EXPECT_EQ(processors[0].at("CurrentClockSpeed"), "2596");
    EXPECT_EQ(processors[0].count("MaxClockSpeed"), 0u);
    vm.screenWidth = 1024;
    vm.screenHeight = 768;
    EXPECT_EQ(query(vm, "Win32_DesktopMonitor"),
              (std::vector<Properties>{{{"ScreenHeight", "768"}, {"ScreenWidth", "1024"}}}));
}

TEST(LinuxHardware, UnreadableFilesAndFiguresLeaveTheirFieldsOut) {
    // Files that open but fail to read were once thrown through and ended the program.
    EXPECT_FALSE(linux_backend::readSmallFile(kData.string()).has_value());  // a folder
    EXPECT_EQ(linux_backend::readWholeFile(kData.string()), "");
    EXPECT_FALSE(linux_backend::readSmallFile("/proc/self/mem").has_value());  // address 0 answers EIO

    const vel::test::TempFolder tmp;
    fs::copy(kData / "workstation", tmp.path(), fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    const HardwareRoots ws = machine(tmp.path(), "x86_64");
    const fs::path cpu0 = tmp / "sys/devices/system/cpu/cpu0/cpufreq";
    auto replaceWithFolder = [](const fs::path& file) {
        fs::remove(file);
        fs::create_directory(file);
    };
    replaceWithFolder(tmp / "sys/class/dmi/id/board_name");
    replaceWithFolder(cpu0 / "scaling_cur_freq");
    vel::test::writeFile(cpu0 / "cpuinfo_max_freq", "184467440737095516150000\n");  // no 32-bit MHz
    EXPECT_EQ(query(ws, "Win32_BaseBoard"), (std::vector<Properties>{{{"Manufacturer", "Example Boards Inc."}}}));
    auto processors = query(ws, "Win32_Processor");
    ASSERT_EQ(processors.size(), 2u);
    EXPECT_EQ(processors[0].at("CurrentClockSpeed"), "2400");  // cpuinfo's 2400.500, halves to even
    EXPECT_EQ(processors[0].count("MaxClockSpeed"), 0u);

    // cpuinfo's own faults: a processor number with a NUL in it (read as
    // "cpu2", a folder), clock figures no 32-bit field holds.
    for (const char* name : {"known-bad-processor-with-nul", "known-bad-mhz-1e300"}) {
        fs::copy_file(fs::path(VELMORA_SOURCE_DIR) / "fuzz/corpus/proc_cpuinfo" / name, tmp / "proc/cpuinfo",
                      fs::copy_options::overwrite_existing);
        processors = query(ws, "Win32_Processor");
        ASSERT_EQ(processors.size(), 1u) << name;
        EXPECT_EQ(processors[0].count("CurrentClockSpeed"), 0u) << name;
    }
    for (const char* mhz : {"nan", "-5", "1e300"}) {
        vel::test::writeFile(tmp / "proc/cpuinfo", std::string("processor\t: 7\ncpu MHz\t\t: ") + mhz + "\n");
        EXPECT_EQ(query(ws, "Win32_Processor")[0].count("CurrentClockSpeed"), 0u) << mhz;
    }
}

TEST(LinuxHardware, OtherQueriesFail) {
    std::vector<HardwareObject> objects(1);
    EXPECT_FALSE(linux_backend::queryLinuxHardware(machine(kData / "workstation", "x86_64"), "Select * from Win32_Fan", objects));
    EXPECT_TRUE(objects.empty());
    EXPECT_FALSE(linux_backend::queryLinuxHardware(machine(kData / "workstation", "x86_64"), "Select Name from Win32_BIOS", objects));
}

}  // namespace
