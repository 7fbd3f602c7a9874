// The backend's files for the log folder: appends, listing, kinds and
// deletion, on the system's own file calls.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "harness.h"
#include "platform/win32/win32_platform.h"
#include "support.h"

using namespace vel::platform;

namespace {

std::string freshFolder() {
    char dir[MAX_PATH] = {};
    GetTempPathA(sizeof dir, dir);
    const std::string folder = std::string(dir) + "velmora-files-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

WTEST(Files, AppendsListsAndDeletes) {
    win32::Win32Platform os(wintest::testOptions());
    const std::string dir = freshFolder();
    const std::string file = dir + "\\a2026-12-06-05.log";
    for (int round = 0; round < 2; ++round) {
        const FileHandle h = os.openAppend(file);
        REQUIRE(h != kNoFile);
        CHECK(os.writeFile(h, "x\r\n", 3));
        CHECK(os.closeFile(h));
    }
    CHECK_EQ(readAll(file), std::string("x\r\nx\r\n"));
    CreateDirectoryA((dir + "\\sub").c_str(), nullptr);
    CHECK(os.openAppend(dir + "\\sub") == kNoFile);
    CHECK(os.openAppend(dir + "\\missing\\a.log") == kNoFile);

    std::vector<FolderEntry> entries;
    REQUIRE(os.listFolder(dir, entries));
    std::map<std::string, FileKind> kinds;
    for (const auto& e : entries) kinds[e.name] = e.kind;
    CHECK(kinds.size() == 2u);
    CHECK(kinds["a2026-12-06-05.log"] == FileKind::File);
    CHECK(kinds["sub"] == FileKind::Directory);
    CHECK(os.fileKind(file) == FileKind::File);
    CHECK(os.fileKind(dir + "\\none.log") == FileKind::Missing);

    // A link under a log file's name is refused, not written through. (Wine
    // 8 answers CreateSymbolicLink with success but makes nothing.)
    const std::string link = dir + "\\b2026-12-06-05.log";
    if (CreateSymbolicLinkA(link.c_str(), file.c_str(), 0) && os.fileKind(link) != FileKind::Missing) {
        CHECK(os.fileKind(link) == FileKind::Link);
        const FileHandle h = os.openAppend(link);
        CHECK(h == kNoFile);
        if (h != kNoFile) os.closeFile(h);
        CHECK_EQ(readAll(file), std::string("x\r\nx\r\n"));
        CHECK(os.deleteFile(link));
        CHECK(os.fileKind(file) == FileKind::File);
    } else {
        std::printf("note: this system made no file link; the link check did not run\n");
    }
    CHECK(!os.deleteFile(dir + "\\sub"));
    CHECK(os.deleteFile(file));
    CHECK(os.fileKind(file) == FileKind::Missing);
    CHECK(!os.listFolder(dir + "\\none", entries));
    RemoveDirectoryA((dir + "\\sub").c_str());
    RemoveDirectoryA(dir.c_str());
}
