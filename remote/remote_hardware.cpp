#include "remote/remote_hardware.h"

#include <cmath>
#include <cstdlib>
#include <map>

#include "platform/common/hardware_query.h"

namespace vel::remote {

using platform::HardwareObject;
using Objects = std::vector<HardwareObject>;

namespace {

void add(HardwareObject& object, const char* name, const std::string* value) {
    if (value && !value->empty()) object.properties.emplace_back(name, *value);
}

void add(HardwareObject& object, const char* name, const std::string& value) { add(object, name, &value); }

const std::string* dmi(const ScrapeFigures& f, std::string_view label) {
    return f.dmi ? labelValue(*f.dmi, label) : nullptr;
}

void baseBoards(const ScrapeFigures& f, Objects& out) {
    if (!f.dmi) return;
    HardwareObject board;
    add(board, "Manufacturer", dmi(f, "board_vendor"));
    add(board, "Product", dmi(f, "board_name"));
    add(board, "Version", dmi(f, "board_version"));
    out.push_back(std::move(board));
}

void bioses(const ScrapeFigures& f, Objects& out) {
    if (!f.dmi) return;
    HardwareObject bios;
    add(bios, "Manufacturer", dmi(f, "bios_vendor"));
    add(bios, "Name", dmi(f, "bios_version"));
    if (const std::string* date = dmi(f, "bios_date")) add(bios, "ReleaseDate", platform::wmiDate(*date));
    add(bios, "SMBIOSBIOSVersion", dmi(f, "bios_version"));
    // The exporter read the firmware's SMBIOS description, or it would publish none.
    add(bios, "SMBIOSPresent", std::string("True"));
    out.push_back(std::move(bios));
}

// A clock in whole MHz from the figures of the package's first processor.
void addClock(HardwareObject& object, const char* name, const std::map<std::uint64_t, double>& hz,
              const ScrapeFigures::Labels& cpuLabels) {
    const std::string* cpu = labelValue(cpuLabels, "cpu");
    if (!cpu) return;
    const auto it = hz.find(std::strtoull(cpu->c_str(), nullptr, 10));
    if (it == hz.end() || !(it->second >= 1e6) || it->second > 1e13) return;
    add(object, name, std::to_string(static_cast<std::uint64_t>(std::llround(it->second / 1e6))));
}

// One record per physical package, as WMI keeps one per socket.
void processors(const ScrapeFigures& f, Objects& out) {
    std::map<std::uint64_t, std::vector<const ScrapeFigures::Labels*>> packages;
    for (const auto& labels : f.cpuInfo) {
        const std::string* package = labelValue(labels, "package");
        packages[package ? std::strtoull(package->c_str(), nullptr, 10) : 0].push_back(&labels);
    }
    const std::string* machine = f.uname ? labelValue(*f.uname, "machine") : nullptr;
    for (const auto& [id, cpus] : packages) {
        const ScrapeFigures::Labels& first = *cpus.front();
        HardwareObject processor;
        if (machine) {
            add(processor, "AddressWidth", std::to_string(platform::machineWordBits(*machine)));
            add(processor, "Architecture", platform::architectureCode(*machine));
        }
        // The exporter lists the processors that are online and running.
        add(processor, "Availability", std::string("3"));
        add(processor, "CpuStatus", std::string("1"));
        addClock(processor, "CurrentClockSpeed", f.clockHz, first);
        addClock(processor, "MaxClockSpeed", f.maxClockHz, first);
        add(processor, "DeviceID", "CPU" + std::to_string(out.size()));
        add(processor, "Manufacturer", labelValue(first, "vendor"));
        add(processor, "Name", labelValue(first, "model_name"));
        add(processor, "NumberOfLogicalProcessors", std::to_string(cpus.size()));
        out.push_back(std::move(processor));
    }
}

// The kernel's total, as on a machine whose firmware lists no modules.
void memoryModules(const ScrapeFigures& f, Objects& out) {
    const std::optional<double> total = f.plainValue("node_memory_MemTotal_bytes");
    if (!total || !(*total > 0) || *total >= 1.8e19) return;
    HardwareObject whole;
    add(whole, "Capacity", std::to_string(static_cast<std::uint64_t>(*total)));
    add(whole, "Tag", std::string("Physical Memory 0"));
    out.push_back(std::move(whole));
}

void nothing(const ScrapeFigures&, Objects&) {}

}  // namespace

bool answerHardwareQuery(const ScrapeFigures* figures, const std::string& wql, Objects& out) {
    using Reader = void (*)(const ScrapeFigures&, Objects&);
    // The screen, keyboard, mouse and caches are not the remote machine's
    // business of an exporter: those tables stay empty.
    static constexpr std::pair<const char*, Reader> kReaders[] = {
        {"win32_baseboard", baseBoards},       {"win32_bios", bioses},
        {"win32_cachememory", nothing},        {"win32_desktopmonitor", nothing},
        {"win32_keyboard", nothing},           {"win32_physicalmemory", memoryModules},
        {"win32_physicalmemoryarray", nothing}, {"win32_pointingdevice", nothing},
        {"win32_processor", processors},       {"win32_videocontroller", nothing},
    };
    out.clear();
    if (!figures) return false;
    const std::string className = platform::selectedHardwareClass(wql);
    for (const auto& [name, reader] : kReaders)
        if (className == name) {
            reader(*figures, out);
            return true;
        }
    return false;
}

}  // namespace vel::remote
