// The machine's hardware as the ten WMI inventory classes describe it, read
// from the kernel's own descriptions without root: /sys/class/dmi/id, the
// DMI table where readable, /proc/cpuinfo and /sys/devices/system/cpu,
// /sys/class/drm with the connected monitors' EDID, /proc/bus/input/devices
// and the PCI and PNP id lists. What Linux cannot know is left out; see
// docs/linux-hardware.md for the mapping.
#pragma once

#include <string>
#include <vector>

#include "platform/sources_api.h"

namespace vel::platform::linux_backend {

struct HardwareRoots {
    std::string proc = "/proc";
    std::string sys = "/sys";
    std::string pciIds = "/usr/share/misc/pci.ids";
    std::string pnpIds = "/usr/share/hwdata/pnp.ids";
    // The kernel's machine name (uname -m); empty asks uname.
    std::string machine;
    // The X screen in pixels; 0 when there is no display.
    int screenWidth = 0, screenHeight = 0;
};

// Answers "Select * from Win32_…" for the inventory's ten classes. False for
// any other query, as WMI fails an unknown class.
bool queryLinuxHardware(const HardwareRoots& roots, const std::string& wql, std::vector<HardwareObject>& out);

}  // namespace vel::platform::linux_backend
