// Files on Linux for the log folder: appends that never follow a link
// (O_NOFOLLOW) and never block on something that is not a plain file.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace vel::platform::linux_backend {

FileHandle appendOpen(const std::string& path);
bool appendWrite(FileHandle file, const char* data, std::size_t size);
bool appendClose(FileHandle file);
bool folderEntries(const std::string& folder, std::vector<FolderEntry>& out);
FileKind linkKind(const std::string& path);
bool unlinkFile(const std::string& path);

}  // namespace vel::platform::linux_backend
