#include "support.h"

#include <fstream>
#include <iterator>

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

std::filesystem::path freshFolder(const std::wstring& name) {
    // Per process: Wine runs of several builds may share the temporary folder.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / (name + L"-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

std::vector<std::string> copySkins(const std::filesystem::path& folder) {
    std::vector<std::string> pictures;
    std::filesystem::create_directories(folder / "skins");
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(programFolder()) / "skins")) {
        std::filesystem::copy(entry.path(), folder / "skins" / entry.path().filename(),
                              std::filesystem::copy_options::recursive);
        if (entry.path().extension() == ".png") pictures.push_back(entry.path().filename().string());
    }
    return pictures;
}

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::wstring titleOf(HWND window) {
    wchar_t buffer[128] = {};
    const int n = GetWindowTextW(window, buffer, 128);
    return std::wstring(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string text(const vel::platform::Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

}  // namespace wintest
