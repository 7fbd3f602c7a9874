// Files on Windows, by their UTF-8 names through the wide functions. An
// append opens the reparse point itself, so a link planted under a log
// file's name is refused rather than written through. Who may read a file
// is its access list's answer.
#pragma once

#include "platform/platform.h"

namespace vel::platform::win32 {

class Win32Files : public Files {
public:
    std::optional<FileStamp> fileStamp(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path, std::size_t most) override;
    bool replaceFile(const std::string& path, const std::string& contents) override;
    FileHandle openAppend(const std::string& path) override;
    bool writeFile(FileHandle file, const char* data, std::size_t size) override;
    bool closeFile(FileHandle file) override;
    bool listFolder(const std::string& folder, std::vector<FolderEntry>& out) override;
    FileKind fileKind(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool readableByOthers(const std::string& path) override;
};

}  // namespace vel::platform::win32
