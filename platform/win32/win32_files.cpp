// Files on Windows, by their UTF-8 names through the wide functions. An
// append opens the reparse point itself, so a link planted under a log
// file's name is refused rather than written through.
#include "platform/win32/win32_platform.h"

namespace vel::platform::win32 {

namespace {

std::wstring wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(n - 1));
    return out;
}

FileKind kindOf(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return FileKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Directory;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return FileKind::Other;
    return FileKind::File;
}

}  // namespace

FileHandle Win32Platform::openAppend(const std::string& path) {
    HANDLE h = CreateFileW(wide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kNoFile;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
        kindOf(info.dwFileAttributes) != FileKind::File) {
        CloseHandle(h);
        return kNoFile;
    }
    return reinterpret_cast<FileHandle>(h);
}

bool Win32Platform::writeFile(FileHandle file, const char* data, std::size_t size) {
    if (file == kNoFile) return false;
    HANDLE h = reinterpret_cast<HANDLE>(file);
    while (size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(h, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

bool Win32Platform::closeFile(FileHandle file) {
    return file != kNoFile && CloseHandle(reinterpret_cast<HANDLE>(file)) != 0;
}

bool Win32Platform::listFolder(const std::string& folder, std::vector<FolderEntry>& out) {
    out.clear();
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(wide(folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::string name = utf8(found.cFileName);
        if (name == "." || name == "..") continue;
        out.push_back({name, kindOf(found.dwFileAttributes)});
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return true;
}

FileKind Win32Platform::fileKind(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? FileKind::Missing : kindOf(attributes);
}

bool Win32Platform::deleteFile(const std::string& path) {
    // DeleteFileW removes a file link itself; a folder (or folder link) stays.
    return DeleteFileW(wide(path).c_str()) != 0;
}

}  // namespace vel::platform::win32
