// Files on Linux: appends for the log folder that never follow a link
// (O_NOFOLLOW) and never block on something that is not a plain file, and
// whole-file reads for the settings and the skins.
#pragma once

#include <string>
#include <vector>

#include "platform/common/standard_files.h"
#include "platform/platform.h"

namespace vel::platform::linux_backend {

class LinuxFiles : public Files {
public:
    std::optional<FileStamp> fileStamp(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path, std::size_t most) override;
    bool replaceFile(const std::string& path, const std::string& contents) override;
    FileHandle openAppend(const std::string& path) override;
    bool writeFile(FileHandle file, const char* data, std::size_t size) override;
    bool closeFile(FileHandle file) override;
    bool listFolder(const std::string& folder, std::vector<FolderEntry>& out) override;
    FileKind fileKind(const std::string& path) override;
    bool readableByOthers(const std::string& path) override { return standard_files::readableByOthers(path); }
    bool deleteFile(const std::string& path) override;
};

}  // namespace vel::platform::linux_backend
