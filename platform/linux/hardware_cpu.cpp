// Processors and their caches: one record per physical package, as WMI
// keeps one per socket, from /proc/cpuinfo and /sys/devices/system/cpu.
#include <map>
#include <set>

#include "platform/linux/hardware_readers.h"
#include "platform/linux/sources_proc.h"

namespace vel::platform::linux_backend {

namespace {

struct CpuEntry {
    std::string number, vendor, model, megahertz, physicalId;
};

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::vector<CpuEntry> parseCpuinfo(const std::string& text) {
    std::vector<CpuEntry> cpus;
    std::string_view rest = text, line;
    while (nextLine(rest, line)) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view key = trimmed(line.substr(0, colon));
        const std::string value(trimmed(line.substr(colon + 1)));
        if (key == "processor") cpus.push_back({value, {}, {}, {}, {}});
        if (cpus.empty()) continue;
        CpuEntry& cpu = cpus.back();
        if (key == "vendor_id")
            cpu.vendor = value;
        else if (key == "model name" || key == "cpu model")
            cpu.model = value;
        else if (key == "cpu MHz")
            cpu.megahertz = value;
        else if (key == "physical id")
            cpu.physicalId = value;
    }
    return cpus;
}

std::string cpuFolder(const HardwareRoots& roots, const std::string& number) {
    return roots.sys + "/devices/system/cpu/cpu" + number;
}

// A package's processors, packages in the order of their ids.
std::map<long, std::vector<CpuEntry>> packages(const HardwareRoots& roots) {
    std::map<long, std::vector<CpuEntry>> byPackage;
    for (CpuEntry& cpu : parseCpuinfo(readWholeFile(roots.proc + "/cpuinfo"))) {
        std::string id = cpu.physicalId;
        if (id.empty()) id = readSmallFile(cpuFolder(roots, cpu.number) + "/topology/physical_package_id").value_or("0");
        byPackage[std::strtol(id.c_str(), nullptr, 10)].push_back(std::move(cpu));
    }
    return byPackage;
}

// Rounded MHz for WMI's 32-bit clock fields; empty when the text is no
// such figure, so the field is left out rather than made up.
std::string megahertz(const std::optional<std::string>& text, double divisor) {
    std::uint32_t mhz = 0;
    return text && parseMegahertz(*text, divisor, mhz) ? std::to_string(mhz) : std::string();
}

// "32K", "1M" in kilobytes.
std::uint64_t cacheKilobytes(const std::string& size) {
    char* end = nullptr;
    const std::uint64_t n = std::strtoull(size.c_str(), &end, 10);
    return end && *end == 'M' ? n * 1024 : n;
}

// The level as a number; text that is none, or no cache level, counts as 0.
int cacheLevel(const std::string& text) {
    std::uint64_t n = 0;
    return parseU64(text, n) && n < 16 ? static_cast<int>(n) : 0;
}

// WMI's Level codes: 3 primary, 4 secondary, 5 tertiary, 1 other.
std::string cacheLevelCode(int level) { return level >= 1 && level <= 3 ? std::to_string(level + 2) : "1"; }

}  // namespace

void readProcessors(const HardwareRoots& roots, HardwareObjects& out) {
    const std::string machine = machineName(roots);
    for (const auto& [id, cpus] : packages(roots)) {
        const CpuEntry& first = cpus.front();
        const std::string cpufreq = cpuFolder(roots, first.number) + "/cpufreq/";
        std::string current = megahertz(readSmallFile(cpufreq + "scaling_cur_freq"), 1000);
        if (current.empty()) current = megahertz(first.megahertz, 1);
        HardwareObject processor;
        addProperty(processor, "AddressWidth", std::to_string(machineWordBits(machine)));
        addProperty(processor, "Architecture", architectureCode(machine));
        // cpuinfo lists the processors that are online and running.
        addProperty(processor, "Availability", "3");
        addProperty(processor, "CpuStatus", "1");
        addProperty(processor, "CurrentClockSpeed", current);
        addProperty(processor, "DeviceID", "CPU" + std::to_string(out.size()));
        addProperty(processor, "Manufacturer", first.vendor);
        addProperty(processor, "MaxClockSpeed", megahertz(readSmallFile(cpufreq + "cpuinfo_max_freq"), 1000));
        addProperty(processor, "Name", first.model);
        addProperty(processor, "NumberOfLogicalProcessors", std::to_string(cpus.size()));
        out.push_back(std::move(processor));
    }
}

void readCaches(const HardwareRoots& roots, HardwareObjects& out) {
    for (const auto& [id, cpus] : packages(roots)) {
        struct Level {
            std::uint64_t kilobytes = 0, lineSize = 0;
        };
        std::map<int, Level> levels;
        std::set<std::string> seen;  // a cache shared by several processors counts once
        for (const CpuEntry& cpu : cpus) {
            const std::string cache = cpuFolder(roots, cpu.number) + "/cache/";
            for (const std::string& index : listDirectory(cache)) {
                if (index.rfind("index", 0) != 0) continue;
                const std::string dir = cache + index + "/";
                const auto level = readSmallFile(dir + "level");
                const auto size = readSmallFile(dir + "size");
                if (!level || !size) continue;
                const std::string key = *level + "/" + readSmallFile(dir + "type").value_or("") + "/" +
                                        readSmallFile(dir + "shared_cpu_list").value_or(cpu.number);
                if (!seen.insert(key).second) continue;
                Level& l = levels[cacheLevel(*level)];
                l.kilobytes += cacheKilobytes(*size);
                if (l.lineSize == 0) l.lineSize = std::strtoull(readSmallFile(dir + "coherency_line_size").value_or("0").c_str(), nullptr, 10);
            }
        }
        for (const auto& [level, l] : levels) {
            HardwareObject cache;
            if (l.lineSize) {
                addProperty(cache, "BlockSize", std::to_string(l.lineSize));
                addProperty(cache, "NumberOfBlocks", std::to_string(l.kilobytes * 1024 / l.lineSize));
            }
            addProperty(cache, "DeviceID", "Cache Memory " + std::to_string(out.size()));
            addProperty(cache, "InstalledSize", std::to_string(l.kilobytes));
            addProperty(cache, "Level", cacheLevelCode(level));
            out.push_back(std::move(cache));
        }
    }
}

}  // namespace vel::platform::linux_backend
