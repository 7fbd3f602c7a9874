#include "platform/linux/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/common/standard_files.h"

namespace vel::platform::linux_backend {

namespace {
FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::File;
    if (S_ISDIR(mode)) return FileKind::Directory;
    if (S_ISLNK(mode)) return FileKind::Link;
    return FileKind::Other;
}
}  // namespace

FileHandle LinuxFiles::openAppend(const std::string& path) {
    // O_NONBLOCK so a FIFO under the file's name cannot stall the loop; a
    // plain file ignores it.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) return kNoFile;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return kNoFile;
    }
    return fd;
}

bool LinuxFiles::writeFile(FileHandle file, const char* data, std::size_t size) {
    if (file < 0) return false;
    while (size > 0) {
        const ssize_t n = ::write(static_cast<int>(file), data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool LinuxFiles::closeFile(FileHandle file) { return file >= 0 && ::close(static_cast<int>(file)) == 0; }

bool LinuxFiles::listFolder(const std::string& folder, std::vector<FolderEntry>& out) {
    out.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return false;
    const int dirFd = ::dirfd(dir);
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        struct stat st {};
        const FileKind kind =
            ::fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 ? kindOf(st.st_mode) : FileKind::Missing;
        out.push_back({name, kind});
    }
    ::closedir(dir);
    return true;
}

FileKind LinuxFiles::fileKind(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? kindOf(st.st_mode) : FileKind::Missing;
}

bool LinuxFiles::deleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::optional<FileStamp> LinuxFiles::fileStamp(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
    const std::int64_t ns = std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
    return FileStamp{ns, static_cast<std::uint64_t>(st.st_size)};
}

std::optional<std::string> LinuxFiles::readFile(const std::string& path, std::size_t most) {
    // O_NONBLOCK: a FIFO under a skin's name must not stall the start.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char piece[65536];
    bool ok = true;
    while (bytes.size() <= most) {
        const ssize_t n = ::read(fd, piece, sizeof piece);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes.append(piece, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (!ok || bytes.size() > most) return std::nullopt;
    return bytes;
}

bool LinuxFiles::replaceFile(const std::string& path, const std::string& contents) {
    return standard_files::replaceFile(path, contents);
}

}  // namespace vel::platform::linux_backend
