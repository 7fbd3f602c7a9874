// Shared helpers of the Windows test program.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/native.h"
#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace wintest {

// The folder of the running test program (skins/ sits beside it).
std::string programFolder();
// Backend options with that folder as the program folder.
vel::platform::NativeOptions testOptions();

// An empty folder of this process under the system's temporary folder; its
// name may be any text.
std::filesystem::path freshFolder(const std::wstring& name);
// The shipped skins copied into FOLDER/skins; the pictures' names.
std::vector<std::string> copySkins(const std::filesystem::path& folder);
std::string readAll(const std::filesystem::path& path);
void writeAll(const std::filesystem::path& path, const std::string& text);
// A window's title as the system holds it.
std::wstring titleOf(HWND window);
// "LEFT,TOP WIDTHxHEIGHT", to compare a rectangle whole.
std::string text(const vel::platform::Rect& r);

// A listener that keeps the last mouse event and counts close requests.
struct CountingListener : vel::platform::WindowListener {
    int close = 0;
    vel::platform::MouseEvent lastMouse;
    void onMouse(const vel::platform::MouseEvent& e) override { lastMouse = e; }
    void onCloseRequest() override { ++close; }
};

}  // namespace wintest
