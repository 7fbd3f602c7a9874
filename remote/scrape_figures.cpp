#include "remote/scrape_figures.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace vel::remote {

namespace {

constexpr std::string_view kCpuSeconds = "node_cpu_seconds_total";

bool parseNumber(const std::string& text, std::uint64_t& out) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

// Counters that are no finite number or run backwards below zero say
// nothing; they are left out as if the exporter had not sent them.
bool usable(double v) { return std::isfinite(v) && v >= 0; }

// The processor a per-processor sample is of, when it names one and its
// value is usable.
std::optional<std::uint64_t> processorOf(const Sample& s) {
    const std::string* cpu = labelValue(s.labels, "cpu");
    std::uint64_t number = 0;
    if (!cpu || !parseNumber(*cpu, number) || !usable(s.value)) return std::nullopt;
    return number;
}

// A processor's clock from one of two metrics: the preferred one replaces
// what the other left, the other only fills a gap.
void keepClock(std::map<std::uint64_t, double>& hz, const Sample& s, bool preferred) {
    if (const auto number = processorOf(s); number && (preferred || !hz.count(*number))) hz[*number] = s.value;
}

struct CpuSums {
    CpuSeconds seconds;
    bool any = false;
};

void addMode(CpuSums& sums, const std::string& mode, double value, std::int64_t atMs) {
    sums.seconds.total += value;
    if (mode == "idle" || mode == "iowait") sums.seconds.idle += value;
    if (mode == "irq" || mode == "softirq") sums.seconds.interrupt += value;
    sums.seconds.atMs = sums.any ? std::max(sums.seconds.atMs, atMs) : atMs;
    sums.any = true;
}

// Federated samples carry the server's instance and job labels; a figure
// with those alone is still a plain one.
bool onlyTargetLabels(const std::vector<std::pair<std::string, std::string>>& labels) {
    for (const auto& label : labels)
        if (label.first != "instance" && label.first != "job") return false;
    return true;
}

}  // namespace

const std::string* labelValue(const ScrapeFigures::Labels& labels, std::string_view name) {
    for (const auto& [key, value] : labels)
        if (key == name) return &value;
    return nullptr;
}

std::optional<double> ScrapeFigures::plainValue(std::string_view name) const {
    auto it = plain.find(name);
    if (it == plain.end()) return std::nullopt;
    return it->second.value;
}

ScrapeFigures readFigures(const Scrape& scrape) {
    ScrapeFigures f;
    std::map<std::uint64_t, CpuSums> cpus;
    std::set<std::string> devices;
    const std::string* instance = nullptr;
    bool instanceChosen = false;
    for (const Sample& s : scrape.samples) {
        const std::string* sampleInstance = labelValue(s.labels, "instance");
        if (!instanceChosen && sampleInstance) {
            instance = sampleInstance;
            instanceChosen = true;
        }
        if (sampleInstance && instance && *sampleInstance != *instance) continue;
        const std::int64_t atMs = s.timestampMs.value_or(scrape.fetchedAtMs);
        const Reading reading{s.value, atMs};
        if (s.name == kCpuSeconds) {
            const std::string* mode = labelValue(s.labels, "mode");
            const auto number = processorOf(s);
            if (!mode || !number) continue;
            addMode(cpus[*number], *mode, s.value, atMs);
        } else if (s.name == "node_interrupts_total") {
            const auto number = processorOf(s);
            if (!number) continue;
            Reading& sum = f.interruptsByCpu[*number];
            sum.value += s.value;
            sum.atMs = std::max(sum.atMs, atMs);
        } else if (s.name == "node_intr_total") {
            if (usable(s.value)) f.interruptsAll = reading;
        } else if (s.name == "node_dmi_info") {
            if (!f.dmi) f.dmi = s.labels;
        } else if (s.name == "node_uname_info") {
            if (!f.uname) f.uname = s.labels;
        } else if (s.name == "node_os_info") {
            if (!f.os) f.os = s.labels;
        } else if (s.name == "node_cpu_info") {
            f.cpuInfo.push_back(s.labels);
        } else if (s.name == "node_cpu_flag_info") {
            if (const std::string* flag = labelValue(s.labels, "flag"); flag && s.value != 0) f.cpuFlags.insert(*flag);
        } else if (s.name == "node_cpu_scaling_frequency_hertz" || s.name == "node_cpu_frequency_hertz") {
            // cpufreq's current clock wins over the processor's nominal one.
            keepClock(f.clockHz, s, s.name == "node_cpu_scaling_frequency_hertz");
        } else if (s.name == "node_cpu_frequency_max_hertz" || s.name == "node_cpu_scaling_frequency_max_hertz") {
            // The hardware's highest clock wins over the governor's limit.
            keepClock(f.maxClockHz, s, s.name == "node_cpu_frequency_max_hertz");
        } else if (s.name == "node_network_receive_bytes_total") {
            if (const std::string* device = labelValue(s.labels, "device")) devices.insert(*device);
        } else if (onlyTargetLabels(s.labels)) {
            f.plain.emplace(s.name, reading);
        }
    }
    CpuSums all;
    for (const auto& [number, sums] : cpus) {
        f.cpuNumbers.push_back(number);
        f.cpus.push_back(sums.seconds);
        all.seconds.total += sums.seconds.total;
        all.seconds.idle += sums.seconds.idle;
        all.seconds.interrupt += sums.seconds.interrupt;
        all.seconds.atMs = all.any ? std::max(all.seconds.atMs, sums.seconds.atMs) : sums.seconds.atMs;
        all.any = true;
    }
    f.allCpus = all.seconds;
    f.networkDevices = devices.size();
    return f;
}

}  // namespace vel::remote
