// The per-class readers behind queryLinuxHardware, and the file helpers
// they share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/hardware_query.h"
#include "platform/linux/hardware_linux.h"

namespace vel::platform::linux_backend {

using HardwareObjects = std::vector<HardwareObject>;

// A small /sys or /proc text file, without its trailing blanks and line
// ends; nullopt when it cannot be read (missing, a folder, a read error).
std::optional<std::string> readSmallFile(const std::string& path);
// A whole file as bytes; empty when it cannot be read or passes 16 MiB.
std::string readWholeFile(const std::string& path);
// Adds a property unless the value is empty (Linux did not know it).
void addProperty(HardwareObject& object, const char* name, const std::string& value);
// uname's machine name unless the roots name one.
std::string machineName(const HardwareRoots& roots);
// The entries of a directory, sorted by name; empty when unreadable.
std::vector<std::string> listDirectory(const std::string& path);

void readBaseBoards(const HardwareRoots& roots, HardwareObjects& out);
void readBioses(const HardwareRoots& roots, HardwareObjects& out);
void readMemoryArrays(const HardwareRoots& roots, HardwareObjects& out);
void readMemoryModules(const HardwareRoots& roots, HardwareObjects& out);
void readProcessors(const HardwareRoots& roots, HardwareObjects& out);
void readCaches(const HardwareRoots& roots, HardwareObjects& out);
void readVideoControllers(const HardwareRoots& roots, HardwareObjects& out);
void readMonitors(const HardwareRoots& roots, HardwareObjects& out);
void readKeyboards(const HardwareRoots& roots, HardwareObjects& out);
void readPointingDevices(const HardwareRoots& roots, HardwareObjects& out);

}  // namespace vel::platform::linux_backend
