#include "sources/hardware_inventory.h"

#include <charconv>
#include <tuple>

namespace vel {

namespace {

// How a property's text reaches its field.
enum class FieldKind { Text, Boolean, Architecture };

template <class Record>
struct FieldSpec {
    const char* property;
    std::string Record::*text = nullptr;
    bool Record::*flag = nullptr;
    FieldKind kind = FieldKind::Text;
};

template <class Record>
struct TableSpec {
    const char* className;
    std::vector<Record> HardwareInventory::*table;
    std::vector<FieldSpec<Record>> fields;
};

template <class R>
FieldSpec<R> text(const char* property, std::string R::*member) {
    return {property, member, nullptr, FieldKind::Text};
}

// The ten tables in enumeration order, each with its fields in record order.
const auto& tableSpecs() {
    using BB = BaseBoardRecord;
    using BI = BiosRecord;
    using CM = CacheMemoryRecord;
    using DM = DesktopMonitorRecord;
    using KB = KeyboardRecord;
    using PM = PhysicalMemoryRecord;
    using PA = PhysicalMemoryArrayRecord;
    using PD = PointingDeviceRecord;
    using PR = ProcessorRecord;
    using VC = VideoControllerRecord;
    static const auto specs = std::make_tuple(
        TableSpec<BB>{"Win32_BaseBoard", &HardwareInventory::baseBoard,
                      {text("Manufacturer", &BB::Manufacturer), text("Product", &BB::Product)}},
        TableSpec<BI>{"Win32_BIOS", &HardwareInventory::bios,
                      {text("Manufacturer", &BI::Manufacturer), text("Name", &BI::Name),
                       text("ReleaseDate", &BI::ReleaseDate), text("SMBIOSBIOSVersion", &BI::SMBIOSBIOSVersion),
                       text("SMBIOSMajorVersion", &BI::SMBIOSMajorVersion),
                       text("SMBIOSMinorVersion", &BI::SMBIOSMinorVersion),
                       {"SMBIOSPresent", nullptr, &BI::SMBIOSPresent, FieldKind::Boolean},
                       text("Version", &BI::Version)}},
        TableSpec<CM>{"Win32_CacheMemory", &HardwareInventory::cacheMemory,
                      {text("BlockSize", &CM::BlockSize), text("DeviceID", &CM::DeviceID),
                       text("InstalledSize", &CM::InstalledSize), text("Level", &CM::Level),
                       text("Location", &CM::Location), text("MaxCacheSize", &CM::MaxCacheSize),
                       text("NumberOfBlocks", &CM::NumberOfBlocks)}},
        TableSpec<DM>{"Win32_DesktopMonitor", &HardwareInventory::desktopMonitor,
                      {text("Description", &DM::Description), text("MonitorManufacturer", &DM::MonitorManufacturer),
                       text("MonitorType", &DM::MonitorType), text("ScreenHeight", &DM::ScreenHeight),
                       text("ScreenWidth", &DM::ScreenWidth), text("Status", &DM::Status)}},
        TableSpec<KB>{"Win32_Keyboard", &HardwareInventory::keyboard,
                      {text("Caption", &KB::Caption), text("Description", &KB::Description), text("Name", &KB::Name),
                       text("NumberOfFunctionKeys", &KB::NumberOfFunctionKeys), text("Status", &KB::Status)}},
        TableSpec<PM>{"Win32_PhysicalMemory", &HardwareInventory::physicalMemory,
                      {text("BankLabel", &PM::BankLabel), text("Capacity", &PM::Capacity),
                       text("DataWidth", &PM::DataWidth), text("DeviceLocator", &PM::DeviceLocator),
                       text("FormFactor", &PM::FormFactor), text("MemoryType", &PM::MemoryType),
                       text("Speed", &PM::Speed), text("Tag", &PM::Tag), text("TotalWidth", &PM::TotalWidth)}},
        TableSpec<PA>{"Win32_PhysicalMemoryArray", &HardwareInventory::physicalMemoryArray,
                      {text("Description", &PA::Description), text("MaxCapacity", &PA::MaxCapacity),
                       text("MemoryDevices", &PA::MemoryDevices),
                       text("MemoryErrorCorrection", &PA::MemoryErrorCorrection), text("Name", &PA::Name),
                       text("Tag", &PA::Tag), text("Use", &PA::Use)}},
        TableSpec<PD>{"Win32_PointingDevice", &HardwareInventory::pointingDevice,
                      {text("Description", &PD::Description), text("DeviceInterface", &PD::DeviceInterface),
                       text("Handedness", &PD::Handedness), text("HardwareType", &PD::HardwareType),
                       text("Manufacturer", &PD::Manufacturer), text("Name", &PD::Name),
                       text("NumberOfButtons", &PD::NumberOfButtons), text("PointingType", &PD::PointingType),
                       text("Status", &PD::Status)}},
        TableSpec<PR>{"Win32_Processor", &HardwareInventory::processor,
                      {text("AddressWidth", &PR::AddressWidth),
                       {"Architecture", &PR::Architecture, nullptr, FieldKind::Architecture},
                       text("Availability", &PR::Availability), text("CpuStatus", &PR::CpuStatus),
                       text("CurrentClockSpeed", &PR::CurrentClockSpeed),
                       text("CurrentVoltage", &PR::CurrentVoltage), text("DeviceID", &PR::DeviceID),
                       text("ExtClock", &PR::ExtClock), text("Manufacturer", &PR::Manufacturer),
                       text("Name", &PR::Name), text("SocketDesignation", &PR::SocketDesignation)}},
        TableSpec<VC>{"Win32_VideoController", &HardwareInventory::videoController,
                      {text("AdapterCompatibility", &VC::AdapterCompatibility),
                       text("AdapterDACType", &VC::AdapterDACType), text("AdapterRAM", &VC::AdapterRAM),
                       text("Caption", &VC::Caption), text("CurrentRefreshRate", &VC::CurrentRefreshRate),
                       text("CurrentScanMode", &VC::CurrentScanMode), text("Description", &VC::Description),
                       text("DeviceID", &VC::DeviceID), text("DriverDate", &VC::DriverDate),
                       text("DriverVersion", &VC::DriverVersion), text("MaxRefreshRate", &VC::MaxRefreshRate),
                       text("MinRefreshRate", &VC::MinRefreshRate), text("Name", &VC::Name),
                       text("Status", &VC::Status), text("VideoArchitecture", &VC::VideoArchitecture),
                       text("VideoMemoryType", &VC::VideoMemoryType),
                       text("VideoModeDescription", &VC::VideoModeDescription),
                       text("VideoProcessor", &VC::VideoProcessor)}});
    return specs;
}

template <class Visit>
void forEachTable(Visit&& visit) {
    std::apply([&](const auto&... spec) { (visit(spec), ...); }, tableSpecs());
}

std::string trimBlanks(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// A boolean property as its text: "True", or any non-zero number.
bool booleanOf(const std::string& value) {
    if (value == "True" || value == "true") return true;
    long long n = 0;
    auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    return ec == std::errc() && end == value.data() + value.size() && n != 0;
}

template <class Record>
void store(Record& record, const FieldSpec<Record>& field, const std::string& value) {
    switch (field.kind) {
        case FieldKind::Boolean: record.*field.flag = booleanOf(value); break;
        case FieldKind::Architecture: record.*field.text = architectureText(value); break;
        case FieldKind::Text: record.*field.text = value; break;
    }
}

template <class Record>
std::string show(const Record& record, const FieldSpec<Record>& field) {
    if (field.kind == FieldKind::Boolean) return record.*field.flag ? "True" : "False";
    return record.*field.text;
}

template <class Record>
void fillTable(platform::Sources& sources, bool serviceAvailable, const TableSpec<Record>& spec,
               HardwareInventory& out) {
    std::vector<Record>& table = out.*spec.table;
    table.assign(1, Record{});
    if (!serviceAvailable) return;
    std::vector<platform::HardwareObject> objects;
    // A failed enumeration keeps what came before the failure.
    sources.queryHardware(std::string("Select * from ") + spec.className, objects);
    for (const platform::HardwareObject& object : objects) {
        for (const FieldSpec<Record>& field : spec.fields)
            if (const std::string* value = object.find(field.property)) store(table.back(), field, trimBlanks(*value));
        table.emplace_back();
    }
}

}  // namespace

std::string architectureText(const std::string& architecture) {
    const std::string t = trimBlanks(architecture);
    int code = -1;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), code);
    if (ec != std::errc() || end != t.data() + t.size()) code = -1;
    switch (code) {
        case 0: return "x86 processor";
        case 1: return "MIPS processor";
        case 2: return "Alpha processor";
        case 3: return "PowerPC processor";
        case 6: return "Itanium processor";
        case 9: return "x64 processor";
        default: return "Unknown processor type";
    }
}

void takeInventory(platform::Sources& sources, const std::string& computer, HardwareInventory& out) {
    // The sources describe this machine only; another computer's service
    // is unavailable, which leaves every table with its empty record.
    const bool local = computer == "." || computer.empty();
    forEachTable([&](const auto& spec) { fillTable(sources, local, spec, out); });
}

std::vector<std::string> inventoryClasses() {
    std::vector<std::string> names;
    forEachTable([&](const auto& spec) { names.emplace_back(spec.className); });
    return names;
}

std::vector<InventoryRecordText> inventoryRecords(const HardwareInventory& inventory, const std::string& className) {
    std::vector<InventoryRecordText> records;
    forEachTable([&](const auto& spec) {
        if (className != spec.className) return;
        for (const auto& record : inventory.*spec.table) {
            InventoryRecordText& fields = records.emplace_back();
            for (const auto& field : spec.fields) fields.emplace_back(field.property, show(record, field));
        }
    });
    return records;
}

bool setInventoryField(HardwareInventory& inventory, const std::string& className, std::size_t record,
                       const std::string& property, const std::string& value) {
    bool found = false;
    forEachTable([&](const auto& spec) {
        if (className != spec.className) return;
        for (const auto& field : spec.fields) {
            if (property != field.property) continue;
            auto& table = inventory.*spec.table;
            // The table keeps one empty record after the last one written.
            if (table.size() < record + 2) table.resize(record + 2);
            store(table[record], field, trimBlanks(value));
            found = true;
        }
    });
    return found;
}

}  // namespace vel
