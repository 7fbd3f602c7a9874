// The firmware's SMBIOS table and entry point (the input stands for both):
// memory modules and arrays, and the BIOS's SMBIOS version.
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vel::fuzz::Tree tree{{"hardware/workstation", ""}};
    tree.put("sys/firmware/dmi/tables/DMI", data, size);
    tree.put("sys/firmware/dmi/tables/smbios_entry_point", data, size);
    vel::fuzz::queryClasses(vel::fuzz::roots(tree),
                            {"Win32_PhysicalMemory", "Win32_PhysicalMemoryArray", "Win32_BIOS"});
    return 0;
}
