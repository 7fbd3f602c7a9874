#include "platform/win32/windows_api.h"
#include <aclapi.h>

#include <vector>

#include "platform/common/standard_files.h"
#include "platform/win32/files.h"
#include "platform/win32/utf16.h"

namespace vel::platform::win32 {

namespace {

FileKind kindOf(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return FileKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Directory;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return FileKind::Other;
    return FileKind::File;
}

// The user this program runs as.
std::vector<unsigned char> currentUser() {
    std::vector<unsigned char> info;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return info;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    info.resize(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, info.data(), size, &size)) info.clear();
    CloseHandle(token);
    return info;
}

// The user, and those who may read anything anyway: the system and the
// administrators.
bool trusted(PSID sid, PSID user) {
    return (user && EqualSid(sid, user)) || IsWellKnownSid(sid, WinLocalSystemSid) ||
           IsWellKnownSid(sid, WinBuiltinAdministratorsSid);
}

}  // namespace

bool Win32Files::readableByOthers(const std::string& path) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (GetNamedSecurityInfoW(widen(path).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &sd) != ERROR_SUCCESS)
        return false;  // the read that follows fails as well
    const std::vector<unsigned char> user = currentUser();
    const PSID me = user.empty() ? nullptr : reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid;
    // No list at all lets everyone in.
    bool others = dacl == nullptr;
    for (DWORD i = 0; dacl && !others && i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace)) continue;
        const auto* header = static_cast<const ACE_HEADER*>(ace);
        // Deny entries are not weighed: a grant to another is enough to refuse.
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE)) continue;
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        if (!(allowed->Mask & (FILE_READ_DATA | GENERIC_READ | GENERIC_ALL))) continue;
        others = !trusted(reinterpret_cast<PSID>(&allowed->SidStart), me);
    }
    LocalFree(sd);
    return others;
}

std::optional<FileStamp> Win32Files::fileStamp(const std::string& path) { return standard_files::fileStamp(path); }

std::optional<std::string> Win32Files::readFile(const std::string& path, std::size_t most) {
    HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char piece[65536];
    bool ok = GetFileType(h) == FILE_TYPE_DISK;
    while (ok && bytes.size() <= most) {
        DWORD got = 0;
        ok = ReadFile(h, piece, sizeof piece, &got, nullptr) != 0;
        if (!ok || got == 0) break;
        bytes.append(piece, got);
    }
    CloseHandle(h);
    if (!ok || bytes.size() > most) return std::nullopt;
    return bytes;
}

bool Win32Files::replaceFile(const std::string& path, const std::string& contents) {
    return standard_files::replaceFile(path, contents);
}

FileHandle Win32Files::openAppend(const std::string& path) {
    HANDLE h = CreateFileW(widen(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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

bool Win32Files::writeFile(FileHandle file, const char* data, std::size_t size) {
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

bool Win32Files::closeFile(FileHandle file) {
    return file != kNoFile && CloseHandle(reinterpret_cast<HANDLE>(file)) != 0;
}

bool Win32Files::listFolder(const std::string& folder, std::vector<FolderEntry>& out) {
    out.clear();
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(widen(folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::string name = narrow(found.cFileName);
        if (name == "." || name == "..") continue;
        out.push_back({name, kindOf(found.dwFileAttributes)});
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return true;
}

FileKind Win32Files::fileKind(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? FileKind::Missing : kindOf(attributes);
}

bool Win32Files::deleteFile(const std::string& path) {
    // DeleteFileW removes a file link itself; a folder (or folder link) stays.
    return DeleteFileW(widen(path).c_str()) != 0;
}

}  // namespace vel::platform::win32
