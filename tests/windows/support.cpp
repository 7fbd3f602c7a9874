#include "support.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace wintest {

std::string programFolder() {
    char path[MAX_PATH * 2] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/"));
}

vel::platform::NativeOptions testOptions() {
    vel::platform::NativeOptions o;
    o.programFolder = programFolder();
    o.scale = 1;  // the same on every test machine, whatever its DPI
    return o;
}

}  // namespace wintest
