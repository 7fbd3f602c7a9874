// The one-time hardware inventory: ten tables of text records, one per
// hardware class, in the order the system enumerates the instances. Each
// table ends with one empty record, so index 0 always exists.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/sources_api.h"

namespace vel {

struct BaseBoardRecord {
    std::string Manufacturer, Product;
};
struct BiosRecord {
    std::string Manufacturer, Name, ReleaseDate, SMBIOSBIOSVersion, SMBIOSMajorVersion, SMBIOSMinorVersion;
    bool SMBIOSPresent = false;
    std::string Version;
};
struct CacheMemoryRecord {
    std::string BlockSize, DeviceID, InstalledSize, Level, Location, MaxCacheSize, NumberOfBlocks;
};
struct DesktopMonitorRecord {
    std::string Description, MonitorManufacturer, MonitorType, ScreenHeight, ScreenWidth, Status;
};
struct KeyboardRecord {
    std::string Caption, Description, Name, NumberOfFunctionKeys, Status;
};
struct PhysicalMemoryRecord {
    std::string BankLabel, Capacity, DataWidth, DeviceLocator, FormFactor, MemoryType, Speed, Tag, TotalWidth;
};
struct PhysicalMemoryArrayRecord {
    std::string Description, MaxCapacity, MemoryDevices, MemoryErrorCorrection, Name, Tag, Use;
};
struct PointingDeviceRecord {
    std::string Description, DeviceInterface, Handedness, HardwareType, Manufacturer, Name, NumberOfButtons,
        PointingType, Status;
};
struct ProcessorRecord {
    std::string AddressWidth, Architecture, Availability, CpuStatus, CurrentClockSpeed, CurrentVoltage, DeviceID,
        ExtClock, Manufacturer, Name, SocketDesignation;
};
struct VideoControllerRecord {
    std::string AdapterCompatibility, AdapterDACType, AdapterRAM, Caption, CurrentRefreshRate, CurrentScanMode,
        Description, DeviceID, DriverDate, DriverVersion, MaxRefreshRate, MinRefreshRate, Name, Status,
        VideoArchitecture, VideoMemoryType, VideoModeDescription, VideoProcessor;
};

struct HardwareInventory {
    std::vector<BaseBoardRecord> baseBoard{1};
    std::vector<BiosRecord> bios{1};
    std::vector<CacheMemoryRecord> cacheMemory{1};
    std::vector<DesktopMonitorRecord> desktopMonitor{1};
    std::vector<KeyboardRecord> keyboard{1};
    std::vector<PhysicalMemoryRecord> physicalMemory{1};
    std::vector<PhysicalMemoryArrayRecord> physicalMemoryArray{1};
    std::vector<PointingDeviceRecord> pointingDevice{1};
    std::vector<ProcessorRecord> processor{1};
    std::vector<VideoControllerRecord> videoController{1};
};

// The processor's Architecture number as its text ("x64 processor" for 9).
std::string architectureText(const std::string& architecture);

// Fills every table from the system's hardware descriptions of the given
// computer ("." is this one; the sources describe no other, so any other
// name leaves every table with its empty record). Failed queries leave a
// table with what was enumerated before the failure; unreadable properties
// leave their field empty.
void takeInventory(platform::Sources& sources, const std::string& computer, HardwareInventory& out);

// The tables by their class names ("Win32_Processor"), for scenarios and
// prints: the class names in table order; one table's records as (field,
// text) pairs in record order, booleans as "True" and "False" (no records
// for an unknown class); and one field written as the inventory would
// write it, growing the table so one empty record follows it. False when
// the class or the field is unknown.
std::vector<std::string> inventoryClasses();
using InventoryRecordText = std::vector<std::pair<std::string, std::string>>;
std::vector<InventoryRecordText> inventoryRecords(const HardwareInventory& inventory, const std::string& className);
bool setInventoryField(HardwareInventory& inventory, const std::string& className, std::size_t record,
                       const std::string& property, const std::string& value);

}  // namespace vel
