#include "logging/log_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/app.h"
#include "core/vb.h"
#include "logging/log_files.h"
#include "sources/cpu_total_usage.h"
#include "sources/cpu_usage.h"
#include "sources/memory_status.h"

namespace vel {

namespace {

constexpr char kFieldChars[] = "0123456789AB";
// Lines per tick of the memory and network writers, for the buffers' room.
constexpr std::array<std::size_t, kLogCount> kLinesPerTick{0, 4, 12, 5, 11, 5};
// Room beyond this grows as needed instead of being set aside up front.
constexpr std::size_t kMaxReserve = std::size_t{8} << 20;

void twoDigits(char* out, int v) {
    out[0] = static_cast<char>('0' + v / 10 % 10);
    out[1] = static_cast<char>('0' + v % 10);
}

bool sameSecond(const platform::SystemTime& a, const platform::SystemTime& b) {
    return a.second == b.second && a.minute == b.minute && a.hour == b.hour && a.day == b.day && a.month == b.month &&
           a.year == b.year;
}

}  // namespace

LogWriter::LogWriter(App& app) : app_(app) {}

void LogWriter::reset() {
    for (LogBuffer& b : buffers_) {
        b.text.clear();
        b.count = 0;
    }
    FlushCounter_ = 0;
    LogFileName_.clear();
    NextRotation_ = localSeconds(app_.os.localTime());
    ipBaselines_.fill(0);
    icmpBaselines_.fill(0);
    tcpBaselines_.fill(0);
    udpBaselines_.fill(0);
}

std::string LogWriter::folder() const { return app_.appPath + app_.os.pathSeparator() + "logs"; }

std::int16_t LogWriter::flushTicks(std::int16_t timing, std::int16_t write) {
    const float perMinute = 600.0f / static_cast<float>(timing);
    const float ticks = perMinute * static_cast<float>(write);
    // A period of 0 (no tick count at all) or one beyond the 16-bit counter
    // is held to the counter's range, so a flush still comes.
    if (std::isnan(ticks)) return 0;
    const double n = roundHalfEven(static_cast<double>(ticks));
    return static_cast<std::int16_t>(std::clamp(n, 0.0, 32767.0));
}

void LogWriter::appendLine(LogBuffer& buffer, char type, char field, const char* value, std::size_t length) {
    platform::Platform& os = app_.os;
    const platform::SystemTime now = os.localTime();
    const int ms = os.systemTime().milliseconds;
    if (!sameSecond(now, prefixTime_) || prefix_[0] == '\0') {
        // mm/dd/yy, hh:nn:ss.
        char* p = prefix_;
        twoDigits(p, now.month), p[2] = '/';
        twoDigits(p + 3, now.day), p[5] = '/';
        twoDigits(p + 6, now.year % 100), p[8] = ',', p[9] = ' ';
        twoDigits(p + 10, now.hour), p[12] = ':';
        twoDigits(p + 13, now.minute), p[15] = ':';
        twoDigits(p + 16, now.second), p[18] = '.';
        prefixTime_ = now;
    }
    char line[kMaxLineLength + 8];
    std::memcpy(line, prefix_, 19);
    char* p = line + 19;
    *p++ = '0';
    *p++ = static_cast<char>('0' + ms / 100 % 10);
    twoDigits(p, ms % 100), p += 2;
    *p++ = ',', *p++ = ' ', *p++ = type, *p++ = ',', *p++ = ' ', *p++ = field, *p++ = ',', *p++ = ' ';
    length = std::min<std::size_t>(length, sizeof line - static_cast<std::size_t>(p - line) - 2);
    std::memcpy(p, value, length), p += length;
    *p++ = '\r', *p++ = '\n';
    buffer.text.append(line, static_cast<std::size_t>(p - line));
    ++buffer.count;
}

void LogWriter::appendInteger(LogBuffer& buffer, char type, char field, std::int64_t value) {
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    const bool negative = value < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (negative) *--p = '-';
    appendLine(buffer, type, field, p, static_cast<std::size_t>(end - p));
}

void LogWriter::appendDecimal(LogBuffer& buffer, char type, char field, double value) {
    char text[Decimal4::kMaxText];
    appendLine(buffer, type, field, text, Decimal4::fromDouble(value).write(text));
}

void LogWriter::DoCPULog() {
    const Settings& s = app_.settings;
    if (!s.capCPU) return;
    LogBuffer& buffer = buffers_[kLogCPU];
    const int count = app_.processorCount;
    // As the engine's tick: processor 3 whenever there are four or more.
    const int logged = std::min(count, 4);
    std::int32_t sum = 0;
    for (int p = 0; p < logged; ++p) {
        if (!app_.samplers[static_cast<std::size_t>(p)]) continue;  // no sampler: no reading, no line
        const std::int32_t usage = app_.samplers[static_cast<std::size_t>(p)]->Usage();
        sum += usage;
        appendInteger(buffer, '0', kFieldChars[p], usage);
    }
    if (count <= 1) return;
    // Beyond four processors the first four do not cover the machine; the
    // system's total counter does.
    const double all = totalSampler_ ? totalSampler_->Usage() : roundHalfEven(static_cast<double>(sum) / count);
    appendInteger(buffer, '0', '9', static_cast<std::int64_t>(all));
}

void LogWriter::DoMemLog() {
    if (!app_.settings.capMEM) return;
    MemorySnapshot& m = app_.memorySnapshot;
    refreshMemorySnapshot(app_.os.sources(), m);
    LogBuffer& buffer = buffers_[kLogMemory];
    // A share whose total is 0 cannot be divided: that line is skipped.
    const auto share = [&](char field, Decimal4 avail, Decimal4 total) {
        if (total.raw != 0) appendDecimal(buffer, '1', field, avail.toDouble() / total.toDouble() * 100.0);
    };
    share('0', m.AvailPhys, m.TotalPhys);
    share('1', m.AvailVirtual, m.TotalVirtual);
    share('2', m.AvailPageFile, m.TotalPageFile);
    appendDecimal(buffer, '1', '3', m.CombinedLoad.toDouble() * 100.0);
}

void LogWriter::writeNetworkLog(int index, const std::int32_t* counters, const bool* delta, std::int32_t* baselines,
                                int count) {
    // A failed call writes the tick's lines all the same, from the last
    // good reading: no growth, the levels as they were.
    if (!counters) counters = baselines;
    // A counter first seen (or still 0) starts its baseline now, so its
    // first line shows no growth.
    for (int i = 0; i < count; ++i)
        if (baselines[i] == 0) baselines[i] = counters[i];
    LogBuffer& buffer = buffers_[static_cast<std::size_t>(index)];
    const char type = kLogFamilies[static_cast<std::size_t>(index)].type;
    for (int i = 0; i < count; ++i) {
        // In 64 bits: across the sign change the growth is a large negative number.
        const std::int64_t value = delta[i] ? std::int64_t{counters[i]} - baselines[i] : counters[i];
        appendInteger(buffer, type, kFieldChars[i], value);
    }
    for (int i = 0; i < count; ++i) baselines[i] = counters[i];
}

namespace {
// The statistics are read as signed 32-bit numbers.
std::int32_t signed32(std::uint32_t v) { return static_cast<std::int32_t>(v); }
}  // namespace

void LogWriter::DoNetworkIPLog() {
    if (!app_.settings.capNET) return;
    platform::MibIpStats s;
    const bool fresh = app_.os.sources().ipStatistics(s);
    const std::int32_t counters[] = {signed32(s.dwInReceives), signed32(s.dwInDelivers), signed32(s.dwInDiscards),
                                     signed32(s.dwInAddrErrors), signed32(s.dwOutRequests)};
    static constexpr bool kDelta[] = {true, true, true, true, true};
    writeNetworkLog(kLogIP, fresh ? counters : nullptr, kDelta, ipBaselines_.data(), 5);
}

void LogWriter::DoNetworkICMPLog() {
    if (!app_.settings.capNET) return;
    platform::MibIcmp s;
    const bool fresh = app_.os.sources().icmpStatistics(s);
    const platform::MibIcmpStats& in = s.inStats;
    const platform::MibIcmpStats& out = s.outStats;
    const std::int32_t counters[] = {signed32(in.dwMsgs),    signed32(in.dwEchos),         signed32(in.dwEchoReps),
                                     signed32(in.dwErrors),  signed32(in.dwDestUnreachs),  signed32(in.dwTimeExcds),
                                     signed32(out.dwMsgs),   signed32(out.dwEchos),        signed32(out.dwEchoReps),
                                     signed32(out.dwErrors), signed32(out.dwDestUnreachs), signed32(out.dwTimeExcds)};
    static constexpr bool kDelta[] = {true, true, true, true, true, true, true, true, true, true, true, true};
    writeNetworkLog(kLogICMP, fresh ? counters : nullptr, kDelta, icmpBaselines_.data(), 12);
}

void LogWriter::DoNetworkTCPLog() {
    if (!app_.settings.capNET) return;
    platform::MibTcpStats s;
    const bool fresh = app_.os.sources().tcpStatistics(s);
    const std::int32_t counters[] = {signed32(s.dwCurrEstab),   signed32(s.dwEstabResets),  signed32(s.dwNumConns),
                                     signed32(s.dwActiveOpens), signed32(s.dwPassiveOpens), signed32(s.dwAttemptFails),
                                     signed32(s.dwInSegs),      signed32(s.dwOutSegs),      signed32(s.dwRetransSegs),
                                     signed32(s.dwInErrs),      signed32(s.dwOutRsts)};
    static constexpr bool kDelta[] = {false, true, false, true, true, true, true, true, true, true, true};
    writeNetworkLog(kLogTCP, fresh ? counters : nullptr, kDelta, tcpBaselines_.data(), 11);
}

void LogWriter::DoNetworkUDPLog() {
    if (!app_.settings.capNET) return;
    platform::MibUdpStats s;
    const bool fresh = app_.os.sources().udpStatistics(s);
    const std::int32_t counters[] = {signed32(s.dwInDatagrams), signed32(s.dwOutDatagrams), signed32(s.dwNoPorts),
                                     signed32(s.dwNumAddrs), signed32(s.dwInErrors)};
    static constexpr bool kDelta[] = {true, true, false, false, true};
    writeNetworkLog(kLogUDP, fresh ? counters : nullptr, kDelta, udpBaselines_.data(), 5);
}

void LogWriter::reserveForCycle(std::int16_t ticks) {
    // Room for a whole cycle of the longest lines of the writers that are
    // on, so the ticks between two flushes never reach for the heap.
    const Settings& s = app_.settings;
    const std::size_t cpuLines =
        static_cast<std::size_t>(std::min<int>(app_.processorCount, 4)) + (app_.processorCount > 1 ? 1 : 0);
    for (std::size_t i = 0; i < buffers_.size(); ++i) {
        const bool on = i == kLogCPU ? s.capCPU : i == kLogMemory ? s.capMEM : s.capNET;
        const std::size_t lines = i == kLogCPU ? cpuLines : kLinesPerTick[i];
        if (on)
            buffers_[i].text.reserve(
                std::min((static_cast<std::size_t>(ticks) + 1) * lines * kMaxLineLength, kMaxReserve));
    }
}

void LogWriter::tick() {
    const Settings& s = app_.settings;
    const std::int16_t n = flushTicks(s.LOGTiming, s.LOGWrite);
    if (FlushCounter_ == 0) reserveForCycle(n);
    DoCPULog();
    DoMemLog();
    DoNetworkIPLog();
    DoNetworkICMPLog();
    DoNetworkTCPLog();
    DoNetworkUDPLog();
    DoBandwidthLog();
    // A counter already past N (Apply shortened the period) flushes now
    // rather than never.
    if (FlushCounter_ < n) {
        ++FlushCounter_;
        return;
    }
    flush();
}

void LogWriter::flush() {
    chooseFileName();
    writeBuffers();
    FlushCounter_ = 0;
}

void LogWriter::chooseFileName() {
    const platform::SystemTime now = app_.os.localTime();
    const std::int64_t seconds = localSeconds(now);
    if (!LogFileName_.empty() && seconds <= NextRotation_) return;
    LogFileName_ = logFileName(now);
    if (auto hours = rotationHours(app_.settings.NEWLOG)) NextRotation_ = seconds + std::int64_t{*hours} * 3600;
    deleteOldLogs();
}

void LogWriter::writeBuffers() {
    platform::Platform& os = app_.os;
    const std::string dir = folder();
    for (std::size_t i = 0; i < buffers_.size(); ++i) {
        path_.assign(dir);
        path_ += os.pathSeparator();
        path_ += kLogFamilies[i].letter;
        path_ += LogFileName_;
        LogBuffer& b = buffers_[i];
        // A file that cannot be opened loses this flush's lines; the
        // buffer is emptied all the same.
        const platform::FileHandle file = os.files().openAppend(path_);
        if (file != platform::kNoFile) {
            os.files().writeFile(file, b.text.data(), b.text.size());
            os.files().closeFile(file);
        }
        b.text.clear();
        b.count = 0;
    }
}

void LogWriter::writeUnsaved() {
    if (!app_.settings.LOGUnsaved) return;
    const bool waiting = std::any_of(buffers_.begin(), buffers_.end(), [](const LogBuffer& b) { return b.count > 0; });
    if (waiting) flush();
}

void LogWriter::deleteOldLogs() {
    const std::int64_t now = localSeconds(app_.os.localTime());
    deleteOldLogFiles(app_.os, folder(), app_.settings.DELLOG, now, LogFileName_);
}

}  // namespace vel
