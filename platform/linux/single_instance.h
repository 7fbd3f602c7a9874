// One running copy per user: an flock()ed file held open for the life of
// the process. The kernel drops the lock when the process dies, so a file
// left behind by a crash does not count as a running instance.
#pragma once

#include <string>

namespace vel::platform::linux_backend {

class SingleInstanceLock {
public:
    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // folder: where lock files live (defaultFolder(): $XDG_RUNTIME_DIR or /tmp).
    // True when no other holder exists; the claim is then kept until release().
    bool claim(const std::string& folder, const std::string& name);
    void release();
    bool held() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

    // The folder the platform uses.
    static std::string defaultFolder();

private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace vel::platform::linux_backend
