// /proc/bus/input/devices: keyboards and pointing devices, with the
// capability bitmaps in 64-bit and in 32-bit words.
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vel::fuzz::Tree tree{{"hardware/workstation", ""}};
    tree.put("proc/bus/input/devices", data, size);
    for (const char* machine : {"x86_64", "i686"})
        vel::fuzz::queryClasses(vel::fuzz::roots(tree, machine), {"Win32_Keyboard", "Win32_PointingDevice"});
    return 0;
}
