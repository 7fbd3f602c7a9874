#include "platform/linux/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/x11_platform.h"

namespace vel::platform::linux_backend {

namespace {
FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::File;
    if (S_ISDIR(mode)) return FileKind::Directory;
    if (S_ISLNK(mode)) return FileKind::Link;
    return FileKind::Other;
}
}  // namespace

FileHandle appendOpen(const std::string& path) {
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

bool appendWrite(FileHandle file, const char* data, std::size_t size) {
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

bool appendClose(FileHandle file) { return file >= 0 && ::close(static_cast<int>(file)) == 0; }

bool folderEntries(const std::string& folder, std::vector<FolderEntry>& out) {
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

FileKind linkKind(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? kindOf(st.st_mode) : FileKind::Missing;
}

bool unlinkFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

FileHandle X11Platform::openAppend(const std::string& path) { return appendOpen(path); }
bool X11Platform::writeFile(FileHandle file, const char* data, std::size_t size) {
    return appendWrite(file, data, size);
}
bool X11Platform::closeFile(FileHandle file) { return appendClose(file); }
bool X11Platform::listFolder(const std::string& folder, std::vector<FolderEntry>& out) {
    return folderEntries(folder, out);
}
FileKind X11Platform::fileKind(const std::string& path) { return linkKind(path); }
bool X11Platform::deleteFile(const std::string& path) { return unlinkFile(path); }

}  // namespace vel::platform::linux_backend
