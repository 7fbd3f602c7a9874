#pragma once
// The figures of one scrape the sources read, gathered in one pass when a
// new scrape arrives, so that a tick looks them up instead of walking
// thousands of samples.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "remote/scrape.h"

namespace vel::remote {

// A value and when it was measured: the sample's own timestamp (a
// federating server's scrape time) or else the time the answer came.
struct Reading {
    double value = 0;
    std::int64_t atMs = 0;
};

// Seconds of node_cpu_seconds_total for one processor, or all of them.
struct CpuSeconds {
    double total = 0;      // every mode
    double idle = 0;       // idle + iowait
    double interrupt = 0;  // irq + softirq
    std::int64_t atMs = 0;
    double busy() const { return total - idle; }
};

struct ScrapeFigures {
    // The processors by the exporter's `cpu` label, in numeric order.
    std::vector<std::uint64_t> cpuNumbers;
    std::vector<CpuSeconds> cpus;  // in the order of cpuNumbers
    CpuSeconds allCpus;
    std::map<std::uint64_t, Reading> interruptsByCpu;  // node_interrupts_total summed per processor
    std::optional<Reading> interruptsAll;               // node_intr_total

    // Samples without labels (memory, netstat, sockstat) by name.
    std::map<std::string, Reading, std::less<>> plain;

    // The label sets of the info families, first sample of each.
    using Labels = std::vector<std::pair<std::string, std::string>>;
    std::optional<Labels> dmi, uname, os;
    std::vector<Labels> cpuInfo;     // one per processor listed
    std::set<std::string, std::less<>> cpuFlags;  // node_cpu_flag_info
    std::size_t networkDevices = 0;  // devices of node_network_receive_bytes_total
    // node_cpu_scaling_frequency_hertz (cpufreq), else node_cpu_frequency_hertz, by processor.
    std::map<std::uint64_t, double> clockHz;
    // The highest clock cpufreq allows, by processor.
    std::map<std::uint64_t, double> maxClockHz;

    std::optional<double> plainValue(std::string_view name) const;
};

// Reads the figures of a successful scrape. A federated answer that holds
// several instances yields the first instance's figures only.
ScrapeFigures readFigures(const Scrape& scrape);

// The value of a label, or null.
const std::string* labelValue(const ScrapeFigures::Labels& labels, std::string_view name);

}  // namespace vel::remote
