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
    return {.proc = (root / "proc").string(), .sys = (root / "sys").string(), .pciIds = (root / "pci.ids").string(),
            .pnpIds = (root / "pnp.ids").string(), .machine = uname, .screenWidth = 0, .screenHeight = 0};
}

std::vector<Properties> query(const HardwareRoots& roots, const std::string& className) {
    std::vector<HardwareObject> objects;
    EXPECT_TRUE(linux_backend::queryLinuxHardware(roots, "Select * from " + className, objects)) << className;
    std::vector<Properties> result;
    for (const HardwareObject& o : objects) result.emplace_back(o.properties.begin(), o.properties.end());
    return result;
}

// Every class of both machines, property by property, against the transcript
// beside the recorded trees. Values come as the firmware gives them (the
// inventory trims them); the workstation's empty memory slot is left out, a
// clock of 1199.5 MHz halves to even, the L1 caches of both cores are one
// record and the shared L3 another, the power button is no keyboard and the
// gamepad does not point; the virtual machine counts its memory in blocks,
// has no firmware tables and no monitor without a screen.
TEST(LinuxHardware, EveryClassOfBothMachinesAsTheTranscriptShows) {
    const std::vector<std::string> all = {"Win32_BaseBoard", "Win32_BIOS", "Win32_PhysicalMemoryArray",
                                          "Win32_PhysicalMemory", "Win32_Processor", "Win32_CacheMemory",
                                          "Win32_VideoController", "Win32_DesktopMonitor", "Win32_Keyboard",
                                          "Win32_PointingDevice"};
    std::string out;
    auto dump = [&](const std::string& title, const HardwareRoots& roots, const std::vector<std::string>& classes) {
        out += "# " + title + "\n";
        for (const std::string& c : classes) {
            const auto objects = query(roots, c);
            for (std::size_t i = 0; i < objects.size(); ++i)
                for (const auto& [name, value] : objects[i])
                    out += c + " " + std::to_string(i) + " " + name + "=\"" + value + "\"\n";
        }
    };
    HardwareRoots ws = machine(kData / "workstation", "x86_64");
    ws.screenWidth = 3840;  // the X screen spans more than the monitor: EDID tells the monitor's own size
    ws.screenHeight = 1080;
    dump("workstation on a 3840x1080 screen", ws, all);
    ws.pciIds = ws.pnpIds = "/nonexistent";
    dump("workstation without the id lists: the codes are all there is", ws, {"Win32_VideoController", "Win32_DesktopMonitor"});
    HardwareRoots vm = machine(kData / "virtual", "i686");
    dump("virtual machine without a screen", vm, all);
    vm.screenWidth = 1024;
    vm.screenHeight = 768;
    dump("virtual machine on a 1024x768 screen", vm, {"Win32_DesktopMonitor"});
    EXPECT_TRUE(vel::test::matchesTranscript(out, kData / "machines.out"));
    EXPECT_EQ(query(ws, "win32_bios"), query(ws, "Win32_BIOS")) << "class names in any case, as WMI takes them";
    std::vector<HardwareObject> objects(1);
    EXPECT_FALSE(linux_backend::queryLinuxHardware(ws, "Select * from Win32_Fan", objects));
    EXPECT_TRUE(objects.empty());
    EXPECT_FALSE(linux_backend::queryLinuxHardware(ws, "Select Name from Win32_BIOS", objects));
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
}

}  // namespace
