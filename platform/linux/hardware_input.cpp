// Keyboards and pointing devices from /proc/bus/input/devices, told apart
// by their capability bitmaps the way udev tells them apart.
#include <algorithm>

#include "platform/linux/hardware_readers.h"
#include "platform/linux/sources_proc.h"

namespace vel::platform::linux_backend {

namespace {

// Input event and key numbers of linux/input-event-codes.h.
constexpr int kEvKey = 1, kEvRel = 2, kEvAbs = 3;
constexpr int kRelX = 0, kRelY = 1, kAbsX = 0, kAbsY = 1;
constexpr int kBtnLeft = 0x110, kBtnTask = 0x117, kBtnToolFinger = 0x145, kBtnTouch = 0x14a;
constexpr int kPropDirect = 1, kPropPointingStick = 5;
constexpr int kFunctionKeys[] = {59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 87, 88,            // F1 to F12
                                 183, 184, 185, 186, 187, 188, 189, 190, 191, 192, 193, 194};  // F13 to F24

// A capability bitmap: words in hex, most significant first.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(std::string_view text, int wordBits) : wordBits_(wordBits) {
        std::string_view word;
        while (nextField(text, word)) words_.push_back(std::strtoull(std::string(word).c_str(), nullptr, 16));
        std::reverse(words_.begin(), words_.end());
    }
    bool has(int bit) const {
        const std::size_t w = static_cast<std::size_t>(bit / wordBits_);
        return w < words_.size() && (words_[w] >> (bit % wordBits_) & 1) != 0;
    }
    int count(int from, int to) const {
        int n = 0;
        for (int b = from; b <= to; ++b) n += has(b);
        return n;
    }

private:
    std::vector<std::uint64_t> words_;  // least significant first
    int wordBits_ = 64;
};

struct InputDevice {
    std::string name;
    unsigned bus = 0;
    Bitmap ev, key, rel, abs, prop;
};

std::vector<InputDevice> parseDevices(const std::string& text, int wordBits) {
    std::vector<InputDevice> devices;
    std::string_view rest = text, line;
    bool open = false;
    while (nextLine(rest, line)) {
        if (line.empty()) {
            open = false;
            continue;
        }
        if (!open) devices.emplace_back();
        open = true;
        InputDevice& d = devices.back();
        if (line.rfind("I: ", 0) == 0) {
            const auto at = line.find("Bus=");
            if (at != std::string_view::npos) d.bus = std::strtoul(std::string(line.substr(at + 4, 4)).c_str(), nullptr, 16);
        } else if (line.rfind("N: Name=\"", 0) == 0) {
            d.name = std::string(line.substr(9, line.size() - 9 - (line.back() == '"' ? 1 : 0)));
        } else if (line.rfind("B: ", 0) == 0) {
            const auto eq = line.find('=');
            if (eq == std::string_view::npos) continue;
            const std::string_view kind = line.substr(3, eq - 3);
            Bitmap bits(line.substr(eq + 1), wordBits);
            if (kind == "EV") d.ev = bits;
            else if (kind == "KEY") d.key = bits;
            else if (kind == "REL") d.rel = bits;
            else if (kind == "ABS") d.abs = bits;
            else if (kind == "PROP") d.prop = bits;
        }
    }
    return devices;
}

std::vector<InputDevice> inputDevices(const HardwareRoots& roots) {
    return parseDevices(readWholeFile(roots.proc + "/bus/input/devices"), machineWordBits(machineName(roots)));
}

// A full keyboard has every key from Esc to D (key numbers 1 to 31).
bool isKeyboard(const InputDevice& d) { return d.ev.has(kEvKey) && d.key.count(1, 31) == 31; }

// WMI's PointingType: 3 mouse, 5 track point, 7 touch pad, 8 touch screen;
// 0 when the device does not point.
int pointingType(const InputDevice& d) {
    const bool relative = d.ev.has(kEvRel) && d.rel.has(kRelX) && d.rel.has(kRelY);
    const bool absolute = d.ev.has(kEvAbs) && d.abs.has(kAbsX) && d.abs.has(kAbsY);
    if (d.prop.has(kPropPointingStick) && relative) return 5;
    if (absolute && d.prop.has(kPropDirect) && d.key.has(kBtnTouch)) return 8;
    if (absolute && d.key.has(kBtnToolFinger)) return 7;
    if ((relative || absolute) && d.key.has(kBtnLeft)) return 3;
    return 0;
}

// WMI's DeviceInterface by the kernel's bus number: 162 USB, 4 PS/2,
// 3 serial, 6 HP-HIL, 8 ADB, 1 any other.
std::string deviceInterface(unsigned bus) {
    switch (bus) {
        case 0x03: return "162";
        case 0x11: return "4";
        case 0x13: return "3";
        case 0x04: return "6";
        case 0x17: return "8";
        default: return "1";
    }
}

}  // namespace

void readKeyboards(const HardwareRoots& roots, HardwareObjects& out) {
    for (const InputDevice& d : inputDevices(roots)) {
        if (!isKeyboard(d)) continue;
        HardwareObject keyboard;
        addProperty(keyboard, "Caption", d.name);
        addProperty(keyboard, "Description", d.name);
        addProperty(keyboard, "Name", d.name);
        int functionKeys = 0;
        for (int k : kFunctionKeys) functionKeys += d.key.has(k);
        addProperty(keyboard, "NumberOfFunctionKeys", std::to_string(functionKeys));
        // The kernel lists devices that are attached and working.
        addProperty(keyboard, "Status", "OK");
        out.push_back(std::move(keyboard));
    }
}

void readPointingDevices(const HardwareRoots& roots, HardwareObjects& out) {
    for (const InputDevice& d : inputDevices(roots)) {
        const int type = pointingType(d);
        if (type == 0) continue;
        HardwareObject pointer;
        addProperty(pointer, "Description", d.name);
        addProperty(pointer, "DeviceInterface", deviceInterface(d.bus));
        addProperty(pointer, "Name", d.name);
        addProperty(pointer, "NumberOfButtons", std::to_string(d.key.count(kBtnLeft, kBtnTask)));
        addProperty(pointer, "PointingType", std::to_string(type));
        addProperty(pointer, "Status", "OK");
        out.push_back(std::move(pointer));
    }
}

}  // namespace vel::platform::linux_backend
