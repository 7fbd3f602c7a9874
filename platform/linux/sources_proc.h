// Readers for the kernel's processor statistics: /proc/stat, the per-CPU
// columns of /proc/interrupts and /proc/softirqs, and cpuidle residency
// under /sys. Files are read with open/read into buffers that are kept, and
// parsed in place, so a steady stream of samples does not allocate.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vel::platform::linux_backend {

// One file under /proc or /sys, read whole on every read().
class ProcFile {
public:
    ProcFile() = default;
    // initialSize: the first buffer; small for one-number files.
    explicit ProcFile(std::string path, std::size_t initialSize = 4096)
        : path_(std::move(path)), initialSize_(initialSize),
          keepOpen_(path_.rfind("/proc/", 0) == 0 || path_.rfind("/sys/", 0) == 0) {}
    ProcFile(ProcFile&& other) noexcept;
    ProcFile& operator=(ProcFile&& other) noexcept;
    ProcFile(const ProcFile&) = delete;
    ProcFile& operator=(const ProcFile&) = delete;
    ~ProcFile();
    const std::string& path() const { return path_; }
    // False (and empty text) when the file is missing or unreadable. The
    // buffer grows only when the file is larger than ever before.
    bool read();
    std::string_view text() const { return {buffer_.data(), size_}; }

private:
    void closeFile();

    std::string path_;
    std::vector<char> buffer_;
    std::size_t size_ = 0;
    std::size_t initialSize_ = 4096;
    // Files of /proc and /sys are kept open between reads: they give fresh
    // text when read again from offset 0, and a sampler at 100 ms would
    // otherwise open and close them ten times a second. Ordinary files (a
    // recorded machine in tests) can be replaced, so they are reopened.
    int fd_ = -1;
    bool keepOpen_ = false;
};

// Splits off the next line (without its newline); false at the end.
bool nextLine(std::string_view& rest, std::string_view& line);
// Splits off the next blank-separated field; false when none is left.
bool nextField(std::string_view& rest, std::string_view& field);
bool parseU64(std::string_view text, std::uint64_t& out);
// A clock figure (cpuinfo's "2394.454", cpufreq's kHz with divisor 1000) in
// whole MHz, rounded half to even; false unless it is a number that fits
// the 32 bits Windows keeps ("nan", "1e300" and negatives do not).
bool parseMegahertz(std::string_view text, double divisor, std::uint32_t& out);

// One "cpu" line of /proc/stat in ticks (USER_HZ).
struct CpuTimes {
    bool present = false;
    std::uint64_t total = 0;      // user+nice+system+idle+iowait+irq+softirq+steal
    std::uint64_t idle = 0;       // idle+iowait
    std::uint64_t interrupt = 0;  // irq+softirq
    std::uint64_t busy() const { return total - idle; }
};

// One Windows processor group, what GetSystemInfo reports at most.
constexpr std::size_t kMaxProcessors = 64;

// Fills perCpu[i] from the "cpuN" line of N = watched[i], and all from the
// "cpu" line; other processors' lines are skipped. The tables are as long
// as the list of processors watched, whatever numbers the file holds.
// False when there is no "cpu" line.
bool parseStat(std::string_view text, const std::vector<std::uint32_t>& watched, std::vector<CpuTimes>& perCpu,
               CpuTimes& all);

// The processor numbers listed in /proc/stat, in order; the first 64.
std::vector<std::uint32_t> listStatProcessors(std::string_view text);

// Per-CPU sums of a table with a "CPU0 CPU1 ..." header and "label: n n ..."
// rows (/proc/interrupts, /proc/softirqs), perCpu[i] for CPU watched[i].
// The ERR and MIS rows of /proc/interrupts are system-wide error tallies,
// not per-CPU, and are skipped. columnScratch keeps the header's
// column-to-slot map.
struct ColumnSum {
    bool present = false;
    std::uint64_t sum = 0;
};
bool sumCpuColumns(std::string_view text, const std::vector<std::uint32_t>& watched, std::vector<ColumnSum>& perCpu,
                   std::uint64_t& all, std::vector<std::int32_t>& columnScratch);

// The time file (microseconds of residency) of the C1 idle state of one
// CPU: the state named "C1", else the first whose name starts with "C1",
// else the first state that is not POLL. Empty when the CPU has no cpuidle
// folder or no such state.
std::string findC1TimeFile(const std::string& sysRoot, std::uint32_t cpu);

}  // namespace vel::platform::linux_backend
