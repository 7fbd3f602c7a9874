// The backend's files: for the log folder appends, listing, kinds and
// deletion on the system's own file calls; the skins and the settings file
// read from a program folder whose name is not ASCII.
#include "platform/win32/windows_api.h"
#include <aclapi.h>

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

using wintest::readAll;

WTEST(Files, AppendsListsAndDeletes) {
    win32::Win32Platform os(wintest::testOptions());
    const std::string dir = wintest::freshFolder(L"velmora-files").string();
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

    std::vector<FolderEntry> entries;
    REQUIRE(os.files().listFolder(dir, entries));
    std::map<std::string, FileKind> kinds;
    for (const auto& e : entries) kinds[e.name] = e.kind;
    const std::map<std::string, FileKind> want = {{"a2026-12-06-05.log", FileKind::File}, {"sub", FileKind::Directory}};
    CHECK(kinds == want);
    CHECK(os.files().fileKind(file) == FileKind::File);
    CHECK(os.files().fileKind(dir + "\\none.log") == FileKind::Missing);

    CHECK(!os.files().deleteFile(dir + "\\sub"));
    CHECK(os.files().deleteFile(file));
    CHECK(os.files().fileKind(file) == FileKind::Missing);
    CHECK(!os.files().listFolder(dir + "\\none", entries));
    std::filesystem::remove_all(dir);
}

WTEST(Files, AProgramFolderNamedWithAnAccentLoadsEverySkinAndTheSettings) {
    const std::filesystem::path where = wintest::freshFolder(L"prog\u00e9");
    const std::string folder = win32::narrow(where.wstring());
    const std::vector<std::string> pictures = wintest::copySkins(where);
    CHECK(pictures.size() >= 25u);
    win32::Win32Files files;
    REQUIRE(files.replaceFile(folder + "\\velmora.ini", "[MAIN]\r\nCPUCLOCK=7\r\nVisi8=1\r\n"));

    // As the program reaches them: through its runtime and its settings file.
    NativeOptions options = wintest::testOptions();
    options.programFolder = folder;
    win32::Win32Platform os(options);
    vel::App app(os);
    app.setProgramFolder(os.programFolder());
    app.ui.setSkinsFolder(os.nativePath(app.programFolder + "skins"));
    for (const std::string& name : pictures) CHECK(!app.ui.picture(name).empty());
    vel::Settings s;
    CHECK(vel::LoadSettings(app.settingsFile, s, 2) == vel::SettingsOrigin::File);
    CHECK_EQ(s.CPUCLOCK, 7);
    CHECK(s.Visi[8]);
    CHECK(app.settingsFile.write("MAIN", "NETCLOCK", "9") != 0);
    CHECK_EQ(app.settingsFile.read("MAIN", "NETCLOCK"), std::string("9"));
    std::filesystem::remove_all(where);
}

// A credentials file: its access list decides. Given to this user alone, no
// one else reads it; a grant of reading to everyone, or no list at all,
// makes it readable by others.
WTEST(Files, ACredentialsFileIsReadableByOthersWhenItsAccessListSaysSo) {
    win32::Win32Files files;
    const std::filesystem::path dir = wintest::freshFolder(L"velmora-acl");
    const std::string path = (dir / "nas.token").string();
    REQUIRE(files.replaceFile(path, "tok3n\r\n"));
    std::vector<unsigned char> user(256);
    DWORD size = static_cast<DWORD>(user.size());
    HANDLE token = nullptr;
    REQUIRE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    REQUIRE(GetTokenInformation(token, TokenUser, user.data(), size, &size));
    CloseHandle(token);
    PSID me = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    REQUIRE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));

    // Sets the file's owner (this user) and its list: this user may do
    // anything, and `others` more may read (1: everyone), or no list at all
    // (-1). Wine keeps a list only when it is given with its owner.
    auto setList = [&](int others) {
        EXPLICIT_ACCESSW grants[2] = {};
        for (int i = 0; i < 2; ++i) {
            grants[i].grfAccessMode = SET_ACCESS;
            grants[i].grfInheritance = NO_INHERITANCE;
            grants[i].grfAccessPermissions = i ? FILE_GENERIC_READ : FILE_ALL_ACCESS;
            grants[i].Trustee.TrusteeForm = TRUSTEE_IS_SID;
            grants[i].Trustee.ptstrName = static_cast<LPWSTR>(i ? everyone : me);
        }
        PACL list = nullptr;
        if (others >= 0) REQUIRE(SetEntriesInAclW(1 + others, grants, nullptr, &list) == ERROR_SUCCESS);
        SECURITY_DESCRIPTOR sd;
        InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&sd, TRUE, list, FALSE);
        SetSecurityDescriptorOwner(&sd, me, FALSE);
        const BOOL set =
            SetFileSecurityW(win32::widen(path).c_str(), DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION, &sd);
        if (list) LocalFree(list);
        REQUIRE(set);
    };
    for (const int others : {0, 1, 0, -1, 0}) {
        setList(others);
        CHECK_EQ(files.readableByOthers(path), others != 0);
    }
    CHECK(!files.readableByOthers((dir / "missing.token").string()));
    FreeSid(everyone);
    std::filesystem::remove_all(dir);
}
