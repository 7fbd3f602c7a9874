#include "platform/linux/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace vel::platform::linux_backend {

namespace {
// Instance names are free text; keep the file name tame.
std::string fileNameFor(const std::string& name) {
    // The uid keeps users apart in a shared /tmp.
    std::string out = "velmora-" + std::to_string(getuid()) + "-";
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '_' || c == '.';
        out += plain ? c : '_';
    }
    return out + ".lock";
}
}  // namespace

SingleInstanceLock::~SingleInstanceLock() { release(); }

std::string SingleInstanceLock::defaultFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && access(runtime, W_OK) == 0) return runtime;
    return "/tmp";
}

bool SingleInstanceLock::claim(const std::string& folder, const std::string& name) {
    if (fd_ >= 0) return true;
    const std::string path = folder + "/" + fileNameFor(name);
    // CLOEXEC: programs we start must not keep our claim alive.
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    // The pid is only for people looking at the file.
    std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(fd, 0) == 0 && write(fd, pid.data(), pid.size()) < 0) {
        // Not needed for the lock itself.
    }
    fd_ = fd;
    path_ = path;
    return true;
}

void SingleInstanceLock::release() {
    if (fd_ < 0) return;
    close(fd_);  // drops the flock; the file stays, harmlessly
    fd_ = -1;
}

}  // namespace vel::platform::linux_backend
