#include "platform/linux/sources_proc.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <fcntl.h>
#include <unistd.h>

namespace vel::platform::linux_backend {

ProcFile::ProcFile(ProcFile&& other) noexcept
    : path_(std::move(other.path_)), buffer_(std::move(other.buffer_)), size_(other.size_),
      initialSize_(other.initialSize_), fd_(other.fd_), keepOpen_(other.keepOpen_) {
    other.fd_ = -1;
}

ProcFile& ProcFile::operator=(ProcFile&& other) noexcept {
    if (this != &other) {
        closeFile();
        path_ = std::move(other.path_);
        buffer_ = std::move(other.buffer_);
        size_ = other.size_;
        initialSize_ = other.initialSize_;
        fd_ = other.fd_;
        keepOpen_ = other.keepOpen_;
        other.fd_ = -1;
    }
    return *this;
}

ProcFile::~ProcFile() { closeFile(); }

void ProcFile::closeFile() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool ProcFile::read() {
    size_ = 0;
    if (fd_ < 0) fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    if (buffer_.empty()) buffer_.resize(initialSize_ > 0 ? initialSize_ : 1);
    bool ok = true;
    for (;;) {
        const ssize_t got = ::pread(fd_, buffer_.data() + size_, buffer_.size() - size_, static_cast<off_t>(size_));
        if (got < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (got == 0) break;
        size_ += static_cast<std::size_t>(got);
        if (size_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
    }
    // A failed read (a CPU taken offline) opens afresh next time.
    if (!ok || !keepOpen_) closeFile();
    if (!ok) size_ = 0;
    return ok;
}

bool nextLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) return false;
    const auto end = rest.find('\n');
    if (end == std::string_view::npos) {
        line = rest;
        rest = {};
    } else {
        line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
    }
    return true;
}

bool nextField(std::string_view& rest, std::string_view& field) {
    std::size_t b = 0;
    while (b < rest.size() && (rest[b] == ' ' || rest[b] == '\t')) ++b;
    if (b == rest.size()) {
        rest = {};
        return false;
    }
    std::size_t e = b;
    while (e < rest.size() && rest[e] != ' ' && rest[e] != '\t') ++e;
    field = rest.substr(b, e - b);
    rest.remove_prefix(e);
    return true;
}

bool parseU64(std::string_view text, std::uint64_t& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return !text.empty() && ec == std::errc() && ptr == end;
}

bool parseMegahertz(std::string_view text, double divisor, std::uint32_t& out) {
    double figure = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, figure);
    if (text.empty() || ec != std::errc() || ptr != end) return false;
    const double mhz = std::nearbyint(figure / divisor);
    if (!(mhz >= 0 && mhz <= 4294967295.0)) return false;
    out = static_cast<std::uint32_t>(mhz);
    return true;
}

namespace {

// "cpu" -> all (true, isAll), "cpuN" -> N; anything else false.
bool statCpuLabel(std::string_view label, bool& isAll, std::uint64_t& n) {
    if (label.size() < 3 || label.substr(0, 3) != "cpu") return false;
    isAll = label.size() == 3;
    return isAll || parseU64(label.substr(3), n);
}

CpuTimes parseCpuFields(std::string_view rest) {
    // user nice system idle iowait irq softirq steal guest guest_nice; the
    // guest times are already inside user and nice, so they stay out.
    std::uint64_t v[8] = {};
    std::string_view field;
    for (int i = 0; i < 8 && nextField(rest, field); ++i)
        if (!parseU64(field, v[i])) break;
    CpuTimes t;
    t.present = true;
    t.total = v[0] + v[1] + v[2] + v[3] + v[4] + v[5] + v[6] + v[7];
    t.idle = v[3] + v[4];
    t.interrupt = v[5] + v[6];
    return t;
}

// Where processor n's figures go: its place among the watched; -1 for a
// processor nobody watches.
std::int32_t slotOf(const std::vector<std::uint32_t>& watched, std::uint64_t n) {
    for (std::size_t i = 0; i < watched.size(); ++i)
        if (watched[i] == n) return static_cast<std::int32_t>(i);
    return -1;
}

}  // namespace

bool parseStat(std::string_view text, const std::vector<std::uint32_t>& watched, std::vector<CpuTimes>& perCpu,
               CpuTimes& all) {
    perCpu.resize(watched.size());
    for (CpuTimes& t : perCpu) t = CpuTimes{};
    all = CpuTimes{};
    std::string_view line, label;
    while (nextLine(text, line)) {
        bool isAll = false;
        std::uint64_t n = 0;
        if (!nextField(line, label) || !statCpuLabel(label, isAll, n)) continue;
        if (isAll) {
            all = parseCpuFields(line);
        } else if (const std::int32_t slot = slotOf(watched, n); slot >= 0) {
            perCpu[static_cast<std::size_t>(slot)] = parseCpuFields(line);
        }
    }
    return all.present;
}

std::vector<std::uint32_t> listStatProcessors(std::string_view text) {
    std::vector<std::uint32_t> out;
    std::string_view line, label;
    while (out.size() < kMaxProcessors && nextLine(text, line)) {
        bool isAll = false;
        std::uint64_t n = 0;
        if (nextField(line, label) && statCpuLabel(label, isAll, n) && !isAll && n < 0xFFFFFFFFu)
            out.push_back(static_cast<std::uint32_t>(n));
    }
    return out;
}

bool sumCpuColumns(std::string_view text, const std::vector<std::uint32_t>& watched, std::vector<ColumnSum>& perCpu,
                   std::uint64_t& all, std::vector<std::int32_t>& columnScratch) {
    perCpu.resize(watched.size());
    for (ColumnSum& c : perCpu) c = ColumnSum{};
    all = 0;
    std::string_view line, field;
    if (!nextLine(text, line)) return false;
    columnScratch.clear();
    while (nextField(line, field)) {
        std::uint64_t n = 0;
        if (field.size() < 4 || field.substr(0, 3) != "CPU" || !parseU64(field.substr(3), n)) return false;
        columnScratch.push_back(slotOf(watched, n));
    }
    if (columnScratch.empty()) return false;
    for (std::int32_t slot : columnScratch)
        if (slot >= 0) perCpu[static_cast<std::size_t>(slot)].present = true;

    while (nextLine(text, line)) {
        std::string_view label;
        if (!nextField(line, label) || label.back() != ':') continue;
        if (label == "ERR:" || label == "MIS:") continue;
        for (std::int32_t slot : columnScratch) {
            std::uint64_t v = 0;
            if (!nextField(line, field) || !parseU64(field, v)) break;
            all += v;
            if (slot >= 0) perCpu[static_cast<std::size_t>(slot)].sum += v;
        }
    }
    return true;
}

std::string findC1TimeFile(const std::string& sysRoot, std::uint32_t cpu) {
    const std::string folder = sysRoot + "/devices/system/cpu/cpu" + std::to_string(cpu) + "/cpuidle/state";
    std::string exact, prefixed, firstNonPoll;
    for (int k = 0; k < 64; ++k) {
        const std::string state = folder + std::to_string(k);
        ProcFile nameFile(state + "/name");
        if (!nameFile.read()) break;
        std::string_view name = nameFile.text();
        while (!name.empty() && (name.back() == '\n' || name.back() == ' ')) name.remove_suffix(1);
        const std::string timeFile = state + "/time";
        if (name == "C1" && exact.empty()) exact = timeFile;
        if (name.substr(0, 2) == "C1" && prefixed.empty()) prefixed = timeFile;
        if (name != "POLL" && firstNonPoll.empty()) firstNonPoll = timeFile;
    }
    if (!exact.empty()) return exact;
    if (!prefixed.empty()) return prefixed;
    return firstNonPoll;
}

}  // namespace vel::platform::linux_backend
