#include "platform/linux/hardware_linux.h"

#include <algorithm>
#include <dirent.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "platform/common/hardware_query.h"
#include "platform/linux/hardware_readers.h"

namespace vel::platform::linux_backend {

namespace {

// No kernel description comes near this; a larger file is not one.
constexpr std::size_t kMostBytes = 16u << 20;

// The whole file through read(2), so any error (a folder, a sysfs attribute
// that answers EIO or ENODEV) is a false return rather than an exception
// thrown out of a stream.
bool readBytes(const std::string& path, std::string& out) {
    out.clear();
    // A NUL ends the path early and names another file: "cpu2\0/..." is the folder cpu2.
    if (path.find('\0') != std::string::npos) return false;
    // Non-blocking, so a FIFO in its place cannot stall the start.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    bool ok = true;
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (out.size() + static_cast<std::size_t>(got) > kMostBytes) {
            ok = false;
            break;
        }
        out.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (!ok) out.clear();
    return ok;
}

}  // namespace

std::optional<std::string> readSmallFile(const std::string& path) {
    std::string text;
    if (!readBytes(path, text)) return std::nullopt;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\t' || text.back() == '\0'))
        text.pop_back();
    return text;
}

std::string readWholeFile(const std::string& path) {
    std::string bytes;
    readBytes(path, bytes);
    return bytes;
}

void addProperty(HardwareObject& object, const char* name, const std::string& value) {
    if (!value.empty()) object.properties.emplace_back(name, value);
}

std::string machineName(const HardwareRoots& roots) {
    if (!roots.machine.empty()) return roots.machine;
    utsname u{};
    return ::uname(&u) == 0 ? std::string(u.machine) : std::string();
}

std::vector<std::string> listDirectory(const std::string& path) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(path.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

std::string dmiField(const HardwareRoots& roots, const char* name) {
    return readSmallFile(roots.sys + "/class/dmi/id/" + name).value_or("");
}

bool firmwareDescribed(const HardwareRoots& roots) {
    return !listDirectory(roots.sys + "/class/dmi/id").empty();
}

}  // namespace

void readBaseBoards(const HardwareRoots& roots, HardwareObjects& out) {
    if (!firmwareDescribed(roots)) return;
    HardwareObject board;
    addProperty(board, "Manufacturer", dmiField(roots, "board_vendor"));
    addProperty(board, "Product", dmiField(roots, "board_name"));
    addProperty(board, "Version", dmiField(roots, "board_version"));
    out.push_back(std::move(board));
}

void readBioses(const HardwareRoots& roots, HardwareObjects& out) {
    if (!firmwareDescribed(roots)) return;
    HardwareObject bios;
    const std::string version = dmiField(roots, "bios_version");
    addProperty(bios, "Manufacturer", dmiField(roots, "bios_vendor"));
    addProperty(bios, "Name", version);
    addProperty(bios, "ReleaseDate", wmiDate(dmiField(roots, "bios_date")));
    addProperty(bios, "SMBIOSBIOSVersion", version);
    // The entry point is readable by root only on most systems.
    const std::string entry = readWholeFile(roots.sys + "/firmware/dmi/tables/smbios_entry_point");
    std::size_t at = std::string::npos;
    if (entry.rfind("_SM3_", 0) == 0 && entry.size() > 8)
        at = 7;
    else if (entry.rfind("_SM_", 0) == 0 && entry.size() > 7)
        at = 6;
    if (at != std::string::npos) {
        addProperty(bios, "SMBIOSMajorVersion", std::to_string(static_cast<unsigned char>(entry[at])));
        addProperty(bios, "SMBIOSMinorVersion", std::to_string(static_cast<unsigned char>(entry[at + 1])));
    }
    // The kernel found the firmware's SMBIOS tables, or it would not describe them.
    bios.properties.emplace_back("SMBIOSPresent", "True");
    out.push_back(std::move(bios));
}

bool queryLinuxHardware(const HardwareRoots& roots, const std::string& wql, std::vector<HardwareObject>& out) {
    using Reader = void (*)(const HardwareRoots&, HardwareObjects&);
    static constexpr std::pair<const char*, Reader> kReaders[] = {
        {"win32_baseboard", readBaseBoards},          {"win32_bios", readBioses},
        {"win32_cachememory", readCaches},            {"win32_desktopmonitor", readMonitors},
        {"win32_keyboard", readKeyboards},            {"win32_physicalmemory", readMemoryModules},
        {"win32_physicalmemoryarray", readMemoryArrays}, {"win32_pointingdevice", readPointingDevices},
        {"win32_processor", readProcessors},          {"win32_videocontroller", readVideoControllers},
    };
    out.clear();
    const std::string className = selectedHardwareClass(wql);
    for (const auto& [name, reader] : kReaders)
        if (className == name) {
            reader(roots, out);
            return true;
        }
    return false;
}

}  // namespace vel::platform::linux_backend
