// Video adapters (the DRM cards) and the monitors connected to them, with
// names from the PCI id list and the PNP id list where those are installed.
#include <cctype>
#include <fstream>
#include <unistd.h>

#include "platform/linux/hardware_readers.h"

namespace vel::platform::linux_backend {

namespace {

std::string lowerHex(std::string id) {
    if (id.rfind("0x", 0) == 0) id.erase(0, 2);
    for (char& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return id;
}

struct PciNames {
    std::string vendor, device;
};

// pci.ids: "vvvv  Vendor", then "\tdddd  Device" lines under it.
PciNames lookUpPci(const std::string& listPath, const std::string& vendor, const std::string& device) {
    PciNames names;
    std::ifstream in(listPath);
    bool inVendor = false;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] != '\t') {
            if (inVendor) break;
            inVendor = line.size() > 6 && line.compare(0, 4, vendor) == 0 && line[4] == ' ';
            if (inVendor) names.vendor = line.substr(6);
        } else if (inVendor && line.size() > 7 && line[1] != '\t' && line.compare(1, 4, device) == 0) {
            names.device = line.substr(7);
            break;
        }
    }
    return names;
}

// pnp.ids: "DEL\tDell Inc."; the code itself when the list does not know it.
std::string pnpName(const std::string& listPath, const std::string& code) {
    std::ifstream in(listPath);
    for (std::string line; std::getline(in, line);)
        if (line.size() > 4 && line.compare(0, 3, code) == 0 && line[3] == '\t') return line.substr(4);
    return code;
}

bool isCard(const std::string& name) {
    if (name.size() <= 4 || name.compare(0, 4, "card") != 0) return false;
    for (std::size_t i = 4; i < name.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

std::string boundDriver(const std::string& deviceFolder) {
    char target[4096];
    const ssize_t n = ::readlink((deviceFolder + "/driver").c_str(), target, sizeof target - 1);
    if (n <= 0) return {};
    const std::string path(target, static_cast<std::size_t>(n));
    return path.substr(path.find_last_of('/') + 1);
}

struct Edid {
    std::string manufacturerCode, name;
    int width = 0, height = 0;
};

// The base block: manufacturer id, the monitor-name descriptor and the
// preferred (first detailed) timing's active size.
bool parseEdid(const std::string& bytes, Edid& edid) {
    static const char kHeader[] = {0, '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', 0};
    if (bytes.size() < 128 || bytes.compare(0, 8, kHeader, 8) != 0) return false;
    auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
    const unsigned id = byte(8) << 8 | byte(9);
    for (int shift : {10, 5, 0}) edid.manufacturerCode += static_cast<char>('@' + ((id >> shift) & 0x1F));
    for (std::size_t d = 54; d + 18 <= 126; d += 18) {
        if (byte(d) != 0 || byte(d + 1) != 0) {
            if (edid.width == 0) {
                edid.width = static_cast<int>(byte(d + 2) | (byte(d + 4) & 0xF0) << 4);
                edid.height = static_cast<int>(byte(d + 5) | (byte(d + 7) & 0xF0) << 4);
            }
        } else if (byte(d + 3) == 0xFC) {
            std::string name = bytes.substr(d + 5, 13);
            name = name.substr(0, name.find('\n'));
            while (!name.empty() && name.back() == ' ') name.pop_back();
            edid.name = name;
        }
    }
    return true;
}

}  // namespace

void readVideoControllers(const HardwareRoots& roots, HardwareObjects& out) {
    const std::string drm = roots.sys + "/class/drm/";
    for (const std::string& card : listDirectory(drm)) {
        if (!isCard(card)) continue;
        const std::string device = drm + card + "/device";
        const std::string vendor = lowerHex(readSmallFile(device + "/vendor").value_or(""));
        const std::string model = lowerHex(readSmallFile(device + "/device").value_or(""));
        PciNames names;
        if (!vendor.empty() && !model.empty()) names = lookUpPci(roots.pciIds, vendor, model);
        const std::string driver = boundDriver(device);
        HardwareObject adapter;
        addProperty(adapter, "AdapterCompatibility", names.vendor);
        // Only some drivers tell their memory (amdgpu does).
        addProperty(adapter, "AdapterRAM", readSmallFile(device + "/mem_info_vram_total").value_or(""));
        addProperty(adapter, "Caption", names.device);
        addProperty(adapter, "Description", names.device);
        addProperty(adapter, "DeviceID", "VideoController" + std::to_string(out.size() + 1));
        if (!driver.empty())
            addProperty(adapter, "DriverVersion", readSmallFile(roots.sys + "/module/" + driver + "/version").value_or(""));
        addProperty(adapter, "Name", names.device);
        addProperty(adapter, "Status", driver.empty() ? "" : "OK");
        addProperty(adapter, "VideoProcessor", names.device);
        out.push_back(std::move(adapter));
    }
}

void readMonitors(const HardwareRoots& roots, HardwareObjects& out) {
    const std::string drm = roots.sys + "/class/drm/";
    std::vector<Edid> monitors;
    std::vector<bool> enabled;
    for (const std::string& connector : listDirectory(drm)) {
        // Connectors are named after their card: card0-HDMI-A-1.
        if (connector.rfind("card", 0) != 0 || connector.find('-') == std::string::npos) continue;
        const std::string folder = drm + connector + "/";
        if (readSmallFile(folder + "status").value_or("") != "connected") continue;
        Edid edid;
        parseEdid(readWholeFile(folder + "edid"), edid);
        monitors.push_back(edid);
        enabled.push_back(readSmallFile(folder + "enabled").value_or("") == "enabled");
    }
    // Without a monitor of its own (a virtual display), the X screen is the monitor.
    if (monitors.empty() && roots.screenWidth > 0) {
        monitors.emplace_back();
        enabled.push_back(false);
    }
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        Edid& m = monitors[i];
        if (m.width == 0 && monitors.size() == 1) {
            m.width = roots.screenWidth;
            m.height = roots.screenHeight;
        }
        HardwareObject monitor;
        addProperty(monitor, "Description", m.name);
        if (!m.manufacturerCode.empty()) addProperty(monitor, "MonitorManufacturer", pnpName(roots.pnpIds, m.manufacturerCode));
        if (m.width > 0) {
            addProperty(monitor, "ScreenHeight", std::to_string(m.height));
            addProperty(monitor, "ScreenWidth", std::to_string(m.width));
        }
        addProperty(monitor, "Status", enabled[i] ? "OK" : "");
        out.push_back(std::move(monitor));
    }
}

}  // namespace vel::platform::linux_backend
