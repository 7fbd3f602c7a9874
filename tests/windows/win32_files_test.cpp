// The backend's files: for the log folder appends, listing, kinds and
// deletion on the system's own file calls; the skins and the settings file
// read from a program folder whose name is not ASCII.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/settings.h"
#include "harness.h"
#include "platform/win32/utf16.h"
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
        const FileHandle h = os.files().openAppend(file);
        REQUIRE(h != kNoFile);
        CHECK(os.files().writeFile(h, "x\r\n", 3));
        CHECK(os.files().closeFile(h));
    }
    CHECK_EQ(readAll(file), std::string("x\r\nx\r\n"));
    CreateDirectoryA((dir + "\\sub").c_str(), nullptr);
    CHECK(os.files().openAppend(dir + "\\sub") == kNoFile);
    CHECK(os.files().openAppend(dir + "\\missing\\a.log") == kNoFile);

    std::vector<FolderEntry> entries;
    REQUIRE(os.files().listFolder(dir, entries));
    std::map<std::string, FileKind> kinds;
    for (const auto& e : entries) kinds[e.name] = e.kind;
    CHECK(kinds.size() == 2u);
    CHECK(kinds["a2026-12-06-05.log"] == FileKind::File);
    CHECK(kinds["sub"] == FileKind::Directory);
    CHECK(os.files().fileKind(file) == FileKind::File);
    CHECK(os.files().fileKind(dir + "\\none.log") == FileKind::Missing);

    // A link under a log file's name is refused, not written through. (Wine
    // 8 answers CreateSymbolicLink with success but makes nothing.)
    const std::string link = dir + "\\b2026-12-06-05.log";
    if (CreateSymbolicLinkA(link.c_str(), file.c_str(), 0) && os.files().fileKind(link) != FileKind::Missing) {
        CHECK(os.files().fileKind(link) == FileKind::Link);
        const FileHandle h = os.files().openAppend(link);
        CHECK(h == kNoFile);
        if (h != kNoFile) os.files().closeFile(h);
        CHECK_EQ(readAll(file), std::string("x\r\nx\r\n"));
        CHECK(os.files().deleteFile(link));
        CHECK(os.files().fileKind(file) == FileKind::File);
    } else {
        std::printf("note: this system made no file link; the link check did not run\n");
    }
    CHECK(!os.files().deleteFile(dir + "\\sub"));
    CHECK(os.files().deleteFile(file));
    CHECK(os.files().fileKind(file) == FileKind::Missing);
    CHECK(!os.files().listFolder(dir + "\\none", entries));
    RemoveDirectoryA((dir + "\\sub").c_str());
    RemoveDirectoryA(dir.c_str());
}

WTEST(Files, AProgramFolderNamedWithAnAccentLoadsEverySkinAndTheSettings) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring wideFolder = std::wstring(temp) + L"prog\u00e9-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(wideFolder.c_str(), nullptr);
    CreateDirectoryW((wideFolder + L"\\skins").c_str(), nullptr);
    const std::string folder = win32::narrow(wideFolder);
    const std::string skins = folder + "\\skins\\";

    // The shipped pictures, copied in by the system, and a settings file.
    win32::Win32Files files;
    std::vector<FolderEntry> shipped;
    REQUIRE(files.listFolder(wintest::programFolder() + "\\skins", shipped));
    std::vector<std::string> pictures;
    for (const FolderEntry& e : shipped) {
        if (e.kind != FileKind::File || e.name.size() < 4 || e.name.substr(e.name.size() - 4) != ".png") continue;
        const std::string from = wintest::programFolder() + "\\skins\\" + e.name;
        if (CopyFileW(win32::widen(from).c_str(), win32::widen(skins + e.name).c_str(), FALSE)) pictures.push_back(e.name);
    }
    CHECK(pictures.size() >= 25u);
    REQUIRE(files.replaceFile(folder + "\\velmora.ini", "[MAIN]\r\nCPUCLOCK=7\r\nVisi8=1\r\n"));

    // As the program reaches them: through its runtime and its settings file.
    NativeOptions options = wintest::testOptions();
    options.programFolder = folder;
    win32::Win32Platform os(options);
    vel::App app(os);
    app.setProgramFolder(os.programFolder());
    app.ui.setSkinsFolder(os.nativePath(app.programFolder + "skins"));
    for (const std::string& name : pictures) CHECK(!app.ui.picture(name).empty());
    CHECK_EQ(app.ui.missingPictures().size(), std::size_t{0});
    vel::Settings s;
    CHECK(vel::LoadSettings(app.settingsFile, s, 2) == vel::SettingsOrigin::File);
    CHECK_EQ(s.CPUCLOCK, 7);
    CHECK(s.Visi[8]);
    CHECK(app.settingsFile.write("MAIN", "NETCLOCK", "9") != 0);
    CHECK_EQ(app.settingsFile.read("MAIN", "NETCLOCK"), std::string("9"));

    for (const std::string& name : pictures) files.deleteFile(skins + name);
    files.deleteFile(folder + "\\velmora.ini");
    RemoveDirectoryW((wideFolder + L"\\skins").c_str());
    RemoveDirectoryW(wideFolder.c_str());
}
