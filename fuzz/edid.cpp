// A monitor's EDID block on the recorded workstation's connector.
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vel::fuzz::Tree tree{{"hardware/workstation", ""}};
    tree.put("sys/class/drm/card0-HDMI-A-1/edid", data, size);
    vel::fuzz::queryClasses(vel::fuzz::roots(tree), {"Win32_DesktopMonitor"});
    return 0;
}
