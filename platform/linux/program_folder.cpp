#include "platform/linux/program_folder.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace vel::platform::linux_backend {

namespace fs = std::filesystem;

namespace {

bool isFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool present(const fs::path& p) {  // a broken link is present too
    std::error_code ec;
    return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}

std::string reason(const std::error_code& ec) { return ec.message(); }

void setUpSkins(const fs::path& share, const fs::path& folder, FolderChoice& choice) {
    const fs::path skins = folder / "skins";
    const fs::path installed = share / "skins";
    std::error_code ec;
    if (!present(skins)) {
        fs::create_directory_symlink(installed, skins, ec);
        if (ec)
            choice.notes.push_back("cannot link " + skins.string() + " to " + installed.string() + " (" +
                                   reason(ec) + "); the skins are read from " + installed.string());
        return;
    }
    if (isFolder(skins)) return;  // the user's own skins, or our link: files it lacks come from the share
    if (fs::is_symlink(fs::symlink_status(skins, ec)))
        choice.notes.push_back(skins.string() + " is a link to " + fs::read_symlink(skins, ec).string() +
                               (fs::exists(skins, ec) ? ", which is not a folder" : ", which does not exist") +
                               "; the skins are read from " + installed.string());
    else
        choice.notes.push_back(skins.string() + " is not a folder; the skins are read from " + installed.string());
}

}  // namespace

std::string installedShare(const std::string& executableFolder) {
    std::error_code ec;
    const fs::path share = fs::weakly_canonical(fs::path(executableFolder) / ".." / "share" / "velmora", ec);
    if (ec || !fs::is_regular_file(share / "velmora.ini", ec)) return {};
    return share.string();
}

std::string userProgramFolder(const std::string& xdgDataHome, const std::string& home) {
    if (!xdgDataHome.empty() && xdgDataHome.front() == '/') return (fs::path(xdgDataHome) / "velmora").string();
    if (!home.empty()) return (fs::path(home) / ".local" / "share" / "velmora").string();
    return {};
}

FolderChoice chooseProgramFolder(const std::string& explicitFolder, const std::string& executableFolder,
                                 const std::string& xdgDataHome, const std::string& home) {
    FolderChoice choice;
    const std::string share = installedShare(executableFolder);
    if (!share.empty()) choice.installedSkins = (fs::path(share) / "skins").string();
    if (!explicitFolder.empty()) {
        choice.folder = explicitFolder;
        return choice;
    }
    // root may write anywhere, so an installed copy is also told by its
    // layout: the installed defaults beside it and no skins/ of its own.
    const bool writable = access(executableFolder.c_str(), W_OK) == 0;
    const bool installed = !share.empty() && !present(fs::path(executableFolder) / "skins");
    if (writable && !installed) {
        choice.folder = executableFolder;
        choice.installedSkins.clear();
        return choice;
    }
    choice.folder = userProgramFolder(xdgDataHome, home);
    if (choice.folder.empty()) {
        choice.error = "neither XDG_DATA_HOME nor HOME names a folder for the settings; "
                       "start the program with --program-folder DIR";
        return choice;
    }
    setUpUserFolder(share, choice);
    return choice;
}

void setUpUserFolder(const std::string& share, FolderChoice& choice) {
    const fs::path folder = choice.folder;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !isFolder(folder) || access(folder.c_str(), W_OK | X_OK) != 0) {
        choice.error = "cannot use " + folder.string() + " for the settings and logs (" +
                       (ec ? reason(ec) : std::string(isFolder(folder) ? "not writable" : "not a folder")) +
                       "); start the program with --program-folder DIR";
        return;
    }
    if (share.empty()) {
        choice.notes.push_back("no installed defaults were found beside the program; " + folder.string() +
                               " starts without them");
        return;
    }
    const fs::path ini = folder / "velmora.ini";
    if (!present(ini)) {
        fs::copy_file(fs::path(share) / "velmora.ini", ini, fs::copy_options::none, ec);
        if (ec) {
            choice.error = "cannot copy the default settings to " + ini.string() + " (" + reason(ec) + ")";
            return;
        }
    }
    const fs::path logs = folder / "logs";
    if (!present(logs))
        fs::create_directory(logs, ec);
    if (ec || !isFolder(logs))
        choice.notes.push_back(logs.string() + " is not a folder" + (ec ? " (" + reason(ec) + ")" : "") +
                               "; the log cannot be written");
    setUpSkins(share, folder, choice);
}

}  // namespace vel::platform::linux_backend
