// Through the standard library, with the other backends' refusal of links
// in the log folder.
#include "platform/sim/files.h"

#include <cstdio>
#include <filesystem>

#include "platform/common/standard_files.h"

namespace vel::platform {

namespace fs = std::filesystem;

namespace {
FileKind kindOf(const fs::file_status& st) {
    switch (st.type()) {
        case fs::file_type::not_found:
        case fs::file_type::none: return FileKind::Missing;
        case fs::file_type::regular: return FileKind::File;
        case fs::file_type::directory: return FileKind::Directory;
        case fs::file_type::symlink: return FileKind::Link;
        default: return FileKind::Other;
    }
}
}  // namespace

std::optional<FileStamp> SimFiles::fileStamp(const std::string& path) { return standard_files::fileStamp(path); }

std::optional<std::string> SimFiles::readFile(const std::string& path, std::size_t most) {
    return standard_files::readFile(path, most);
}

bool SimFiles::replaceFile(const std::string& path, const std::string& contents) {
    return standard_files::replaceFile(path, contents);
}

FileKind SimFiles::fileKind(const std::string& path) {
    std::error_code ec;
    return kindOf(fs::symlink_status(path, ec));
}

FileHandle SimFiles::openAppend(const std::string& path) {
    const FileKind kind = fileKind(path);
    if (kind != FileKind::Missing && kind != FileKind::File) return kNoFile;
    std::FILE* f = std::fopen(path.c_str(), "ab");
    return f ? reinterpret_cast<FileHandle>(f) : kNoFile;
}

bool SimFiles::writeFile(FileHandle file, const char* data, std::size_t size) {
    if (file == kNoFile) return false;
    return size == 0 || std::fwrite(data, 1, size, reinterpret_cast<std::FILE*>(file)) == size;
}

bool SimFiles::closeFile(FileHandle file) {
    if (file == kNoFile) return false;
    return std::fclose(reinterpret_cast<std::FILE*>(file)) == 0;
}

bool SimFiles::listFolder(const std::string& folder, std::vector<FolderEntry>& out) {
    out.clear();
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    if (ec) return false;
    for (; it != end; it.increment(ec)) {
        if (ec) return false;
        out.push_back({it->path().filename().string(), kindOf(it->symlink_status(ec))});
    }
    return true;
}

bool SimFiles::deleteFile(const std::string& path) {
    const FileKind kind = fileKind(path);
    if (kind != FileKind::File && kind != FileKind::Link) return false;
    std::error_code ec;
    return fs::remove(path, ec);
}

}  // namespace vel::platform
