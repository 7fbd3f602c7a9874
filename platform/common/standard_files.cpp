#include "platform/common/standard_files.h"

#include <filesystem>
#include <fstream>

namespace vel::platform::standard_files {

namespace fs = std::filesystem;

namespace {

fs::path filePath(const std::string& name) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(name.data()), name.size()));
}

constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// A name beside the file that nothing else uses.
fs::path freeTempName(const fs::path& target) {
    std::error_code ec;
    for (int n = 0;; ++n) {
        fs::path candidate = target;
        candidate += ".tmp" + std::to_string(n);
        if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    }
}

bool writeWhole(const fs::path& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

std::optional<FileStamp> fileStamp(const std::string& path) {
    const fs::path p = filePath(path);
    std::error_code ec;
    const auto modified = fs::last_write_time(p, ec);
    if (ec) return std::nullopt;
    const auto size = fs::file_size(p, ec);
    if (ec) return std::nullopt;
    return FileStamp{static_cast<std::int64_t>(modified.time_since_epoch().count()), size};
}

std::optional<std::string> readFile(const std::string& path, std::size_t most) {
    std::ifstream in(filePath(path), std::ios::binary);
    if (!in) return std::nullopt;
    // In pieces, stopping past the bound; a read error (a folder) sets
    // badbit rather than throwing.
    std::string bytes;
    char piece[65536];
    while (bytes.size() <= most && in.read(piece, sizeof piece).gcount() > 0)
        bytes.append(piece, static_cast<std::size_t>(in.gcount()));
    if (in.bad() || bytes.size() > most) return std::nullopt;
    return bytes;
}

bool replaceFile(const std::string& path, const std::string& contents) {
    std::error_code ec;
    // A link is written through: the file it points at gets the new text.
    const fs::path target = fs::weakly_canonical(filePath(path), ec);
    if (ec) return false;
    const fs::file_status status = fs::status(target, ec);
    const bool exists = !ec && fs::exists(status);
    // A read-only file fails the write and stays as it is, as with the
    // Windows profile functions.
    if (exists && (!fs::is_regular_file(status) || (status.permissions() & kAnyWrite) == fs::perms::none))
        return false;
    const fs::path temp = freeTempName(target);
    bool written = writeWhole(temp, contents);
    if (written && exists) fs::permissions(temp, status.permissions(), ec), written = !ec;
    if (written) fs::rename(temp, target, ec), written = !ec;
    if (!written) fs::remove(temp, ec);
    return written;
}

bool readableByOthers(const std::string& path) {
    std::error_code ec;
    const fs::perms p = fs::status(path, ec).permissions();
    if (ec) return false;
    return (p & (fs::perms::group_read | fs::perms::others_read)) != fs::perms::none;
}

}  // namespace vel::platform::standard_files
