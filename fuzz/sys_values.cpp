// The one-value files of /sys (the input stands for each of them): clock
// speeds, cache sizes and levels, the firmware's date, a connector's
// state, a video adapter's ids, the memory block size, a package id.
#include "fuzz/fuzz_support.h"
#include "platform/linux/registry.h"

namespace {

const char* const kWorkstationFiles[] = {
    "sys/devices/system/cpu/cpu1/cpufreq/scaling_cur_freq",
    "sys/devices/system/cpu/cpu1/cpufreq/cpuinfo_max_freq",
    "sys/devices/system/cpu/cpu1/cache/index0/level",
    "sys/devices/system/cpu/cpu1/cache/index0/size",
    "sys/devices/system/cpu/cpu1/cache/index0/coherency_line_size",
    "sys/class/dmi/id/bios_date",
    "sys/class/drm/card0-HDMI-A-1/status",
    "sys/class/drm/card0/device/vendor",
};
const char* const kVirtualFiles[] = {
    "sys/devices/system/memory/block_size_bytes",
    "sys/devices/system/cpu/cpu0/topology/physical_package_id",
    "sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq",
    "sys/devices/system/cpu/cpu1/cpufreq/cpuinfo_max_freq",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vel::fuzz::Tree tree{{"hardware/workstation", "ws"}, {"hardware/virtual", "vm"}};
    for (const char* file : kWorkstationFiles) tree.put(std::string("ws/") + file, data, size);
    for (const char* file : kVirtualFiles) tree.put(std::string("vm/") + file, data, size);
    vel::fuzz::queryClasses(vel::fuzz::roots(tree, "x86_64", "ws/"),
                            {"Win32_Processor", "Win32_CacheMemory", "Win32_BIOS", "Win32_DesktopMonitor",
                             "Win32_VideoController"});
    vel::fuzz::queryClasses(vel::fuzz::roots(tree, "i686", "vm/"), {"Win32_Processor", "Win32_PhysicalMemory"});
    vel::platform::linux_backend::ratedProcessorMhz(tree.path("vm/sys"), tree.path("vm/proc"));
    return 0;
}
