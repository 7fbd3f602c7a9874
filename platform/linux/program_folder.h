// Where the program keeps velmora.ini, skins/ and logs/ on Linux. A copy run
// from its build (or unpacked) folder keeps everything beside itself; an
// installed copy cannot write there, so each user gets a folder of their own
// under $XDG_DATA_HOME, set up from the installed defaults.
#pragma once

#include <string>
#include <vector>

namespace vel::platform::linux_backend {

struct FolderChoice {
    std::string folder;          // the program folder
    std::string installedSkins;  // the installed skins, for files the folder lacks ("" = none)
    std::string error;           // set when there is no usable folder: the program cannot go on
    std::vector<std::string> notes;  // things the user should hear about; nothing was lost
};

// <executable folder>/../share/velmora when it holds the installed defaults, else "".
std::string installedShare(const std::string& executableFolder);

// $XDG_DATA_HOME/velmora, else $HOME/.local/share/velmora; "" when neither is set.
// A relative XDG_DATA_HOME is ignored, as the base directory rules say.
std::string userProgramFolder(const std::string& xdgDataHome, const std::string& home);

// Picks the program folder: --program-folder when given, else the executable's
// folder while it is a writable program folder, else the user's own, which
// is set up on the way (see setUpUserFolder).
FolderChoice chooseProgramFolder(const std::string& explicitFolder, const std::string& executableFolder,
                                 const std::string& xdgDataHome, const std::string& home);

// Makes FOLDER ready from SHARE: the folder, a copy of the default velmora.ini,
// logs/, and a skins/ link to the installed skins. What exists is never
// replaced: a user's own velmora.ini and skins/ stay as they are.
void setUpUserFolder(const std::string& share, FolderChoice& choice);

}  // namespace vel::platform::linux_backend
