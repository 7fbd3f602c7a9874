// The data logger: every log tick the enabled writers add one line per
// value to their buffer; every (N + 1)-th tick the six buffers are appended
// to the current files in logs/ and emptied.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace vel {

class App;
class clsCPUTotalUsage;

// Lines waiting for the next flush, each ending in CR LF.
struct LogBuffer {
    std::string text;
    std::int32_t count = 0;
};

// The buffers a to f.
enum LogIndex : int { kLogCPU = 0, kLogMemory, kLogICMP, kLogIP, kLogTCP, kLogUDP, kLogCount };

class LogWriter {
public:
    explicit LogWriter(App& app);

    // The load routine's state: empty buffers, counter 0, no file name,
    // rotation due now, every statistic baseline 0.
    void reset();

    // The writers, in the order the tick calls them.
    void DoCPULog();
    void DoMemLog();
    void DoNetworkIPLog();
    void DoNetworkICMPLog();
    void DoNetworkTCPLog();
    void DoNetworkUDPLog();
    void DoBandwidthLog() {}  // records nothing

    // The log tick: the writers, then the flush on every (N + 1)-th tick.
    void tick();
    // At an orderly end: the lines not yet flushed go to the files when the
    // user asked for that (LOGUnsaved). Nothing happens when none wait.
    void writeUnsaved();
    // Removes the log files older than DELLOG days (0 keeps them all).
    void deleteOldLogs();

    // Ticks between flushes for a capture period (tenths of a second) and a
    // write period (minutes): round(600 / timing * write) in single
    // precision, held to the counter's range 0..32767.
    static std::int16_t flushTicks(std::int16_t timing, std::int16_t write);

    // Beyond four processors the all-processors value reads this sampler.
    void useTotalSampler(clsCPUTotalUsage* sampler) { totalSampler_ = sampler; }

    const LogBuffer& buffer(int index) const { return buffers_[static_cast<std::size_t>(index)]; }
    std::int16_t flushCounter() const { return FlushCounter_; }
    const std::string& fileName() const { return LogFileName_; }
    // The folder the files go to: the program folder's logs.
    std::string folder() const;

    // The longest line a writer forms, line break included.
    static constexpr std::size_t kMaxLineLength = 44;

private:
    void flush();
    void chooseFileName();
    void writeBuffers();
    void reserveForCycle(std::int16_t ticks);
    // One line: date, time with the system clock's milliseconds, type, field, value.
    void appendLine(LogBuffer& buffer, char type, char field, const char* value, std::size_t length);
    void appendInteger(LogBuffer& buffer, char type, char field, std::int64_t value);
    void appendDecimal(LogBuffer& buffer, char type, char field, double value);
    // Lines of a network log: `delta` marks the fields logged as growth
    // since the previous tick; every field keeps its baseline. No counters:
    // the statistics call failed.
    void writeNetworkLog(int index, const std::int32_t* counters, const bool* delta, std::int32_t* baselines,
                         int count);

    App& app_;
    clsCPUTotalUsage* totalSampler_ = nullptr;
    std::array<LogBuffer, kLogCount> buffers_;
    std::int16_t FlushCounter_ = 0;
    std::string LogFileName_;
    std::int64_t NextRotation_ = 0;  // local seconds
    // The last logged value of each network counter.
    std::array<std::int32_t, 5> ipBaselines_{};
    std::array<std::int32_t, 12> icmpBaselines_{};
    std::array<std::int32_t, 11> tcpBaselines_{};
    std::array<std::int32_t, 5> udpBaselines_{};
    // "mm/dd/yy, hh:nn:ss." of the second last formatted.
    platform::SystemTime prefixTime_{};
    char prefix_[20] = {};
    std::string path_;
};

}  // namespace vel
