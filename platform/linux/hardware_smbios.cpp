// Memory modules and memory arrays from the firmware's SMBIOS structures
// (types 17 and 16), which the kernel shows at /sys/firmware/dmi/tables/DMI
// to root only on most systems; without them, one module record carries the
// memory the kernel found.
#include <cstdint>

#include "platform/linux/hardware_readers.h"
#include "platform/linux/sources_proc.h"

namespace vel::platform::linux_backend {

namespace {

struct SmbiosStructure {
    std::uint8_t type = 0;
    std::string_view formatted;         // header included
    std::vector<std::string_view> strings;  // string 1 is strings[0]

    unsigned byte(std::size_t at) const { return at < formatted.size() ? static_cast<std::uint8_t>(formatted[at]) : 0; }
    bool has(std::size_t at, std::size_t size) const { return at + size <= formatted.size(); }
    std::uint64_t word(std::size_t at) const { return has(at, 2) ? byte(at) | byte(at + 1) << 8 : 0; }
    std::uint64_t dword(std::size_t at) const { return has(at, 4) ? word(at) | word(at + 2) << 16 : 0; }
    std::string text(std::size_t at) const {
        const unsigned n = byte(at);
        return n >= 1 && n <= strings.size() ? std::string(strings[n - 1]) : std::string();
    }
};

std::vector<SmbiosStructure> parseSmbios(std::string_view table) {
    std::vector<SmbiosStructure> all;
    while (table.size() >= 4) {
        const std::size_t length = static_cast<std::uint8_t>(table[1]);
        if (length < 4 || length > table.size()) break;
        SmbiosStructure s;
        s.type = static_cast<std::uint8_t>(table[0]);
        s.formatted = table.substr(0, length);
        std::size_t at = length;
        // Strings follow, each ending with a NUL; a second NUL ends the set.
        while (at < table.size() && table[at] != '\0') {
            const std::size_t end = table.find('\0', at);
            if (end == std::string_view::npos) return all;
            s.strings.push_back(table.substr(at, end - at));
            at = end + 1;
        }
        at = at < table.size() && at == length ? at + 2 : at + 1;
        all.push_back(std::move(s));
        if (all.back().type == 127) break;
        table.remove_prefix(std::min(at, table.size()));
    }
    return all;
}

std::string number(std::uint64_t n) { return std::to_string(n); }

// SMBIOS form factor to WMI's FormFactor; kinds WMI has no word for are Other.
std::string formFactor(unsigned smbios) {
    static constexpr unsigned kWmi[] = {0, 1, 0, 7, 2, 1, 3, 4, 6, 8, 9, 1, 11, 12, 13, 1, 1};
    return smbios < std::size(kWmi) ? number(kWmi[smbios]) : "1";
}

// SMBIOS memory type to WMI's MemoryType; types WMI never numbered are 0.
std::string memoryType(unsigned smbios) {
    static constexpr unsigned kWmi[] = {0, 1, 0, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                                        0, 0, 0, 24, 25};
    return smbios < std::size(kWmi) ? number(kWmi[smbios]) : "0";
}

std::vector<SmbiosStructure> firmwareStructures(const HardwareRoots& roots, std::string& storage) {
    storage = readWholeFile(roots.sys + "/firmware/dmi/tables/DMI");
    return parseSmbios(storage);
}

// The memory the kernel found: its memory blocks, else MemTotal.
std::uint64_t kernelMemoryBytes(const HardwareRoots& roots) {
    const std::string memory = roots.sys + "/devices/system/memory";
    std::uint64_t blockSize = 0, blocks = 0;
    const auto sizeText = readSmallFile(memory + "/block_size_bytes");
    if (sizeText) blockSize = std::strtoull(sizeText->c_str(), nullptr, 16);
    for (const std::string& name : listDirectory(memory))
        if (name.rfind("memory", 0) == 0 && name.size() > 6) ++blocks;
    if (blockSize > 0 && blocks > 0) return blockSize * blocks;
    std::uint64_t kb = 0;
    const auto meminfo = readSmallFile(roots.proc + "/meminfo");
    std::string_view text = meminfo ? std::string_view(*meminfo) : std::string_view{}, line, field;
    while (nextLine(text, line))
        if (nextField(line, field) && field == "MemTotal:" && nextField(line, field) && parseU64(field, kb))
            return kb * 1024;
    return 0;
}

}  // namespace

void readMemoryArrays(const HardwareRoots& roots, HardwareObjects& out) {
    std::string storage;
    for (const SmbiosStructure& s : firmwareStructures(roots, storage)) {
        if (s.type != 16 || !s.has(0x0F, 0)) continue;
        HardwareObject array;
        std::uint64_t maxKb = s.dword(0x07);
        if (maxKb == 0x80000000 && s.has(0x0F, 8)) maxKb = (s.dword(0x0F) | s.dword(0x13) << 32) / 1024;
        addProperty(array, "MaxCapacity", number(maxKb));
        addProperty(array, "MemoryDevices", number(s.word(0x0D)));
        addProperty(array, "MemoryErrorCorrection", number(s.byte(0x06)));
        addProperty(array, "Tag", "Physical Memory Array " + number(out.size()));
        addProperty(array, "Use", number(s.byte(0x05)));
        out.push_back(std::move(array));
    }
}

void readMemoryModules(const HardwareRoots& roots, HardwareObjects& out) {
    std::string storage;
    const auto structures = firmwareStructures(roots, storage);
    bool firmwareListsModules = false;
    for (const SmbiosStructure& s : structures) {
        if (s.type != 17 || !s.has(0x15, 0)) continue;
        firmwareListsModules = true;
        const std::uint64_t size = s.word(0x0C);
        if (size == 0) continue;  // an empty slot
        HardwareObject module;
        addProperty(module, "BankLabel", s.text(0x11));
        std::uint64_t bytes = 0;
        if (size == 0x7FFF && s.has(0x1C, 4))
            bytes = (s.dword(0x1C) & 0x7FFFFFFF) << 20;
        else if (size != 0xFFFF)
            bytes = size & 0x8000 ? (size & 0x7FFF) << 10 : size << 20;
        if (bytes) addProperty(module, "Capacity", number(bytes));
        if (s.word(0x0A) != 0xFFFF) addProperty(module, "DataWidth", number(s.word(0x0A)));
        addProperty(module, "DeviceLocator", s.text(0x10));
        addProperty(module, "FormFactor", formFactor(s.byte(0x0E)));
        addProperty(module, "MemoryType", memoryType(s.byte(0x12)));
        if (s.has(0x15, 2) && s.word(0x15) != 0 && s.word(0x15) != 0xFFFF)
            addProperty(module, "Speed", number(s.word(0x15)));
        addProperty(module, "Tag", "Physical Memory " + number(out.size()));
        if (s.word(0x08) != 0xFFFF) addProperty(module, "TotalWidth", number(s.word(0x08)));
        out.push_back(std::move(module));
    }
    if (firmwareListsModules) return;
    const std::uint64_t total = kernelMemoryBytes(roots);
    if (total == 0) return;
    HardwareObject whole;
    addProperty(whole, "Capacity", number(total));
    addProperty(whole, "Tag", "Physical Memory 0");
    out.push_back(std::move(whole));
}

}  // namespace vel::platform::linux_backend
