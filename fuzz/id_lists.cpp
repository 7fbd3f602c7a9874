// The PCI and PNP id lists (the input stands for both): the names of the
// recorded workstation's video adapter and monitor.
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vel::fuzz::Tree tree{{"hardware/workstation", ""}};
    tree.put("pci.ids", data, size);
    tree.put("pnp.ids", data, size);
    vel::fuzz::queryClasses(vel::fuzz::roots(tree), {"Win32_VideoController", "Win32_DesktopMonitor"});
    return 0;
}
