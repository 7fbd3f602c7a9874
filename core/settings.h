// The settings model: one field per key of section "MAIN" of velmora.ini.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vel {

// Module numbering. Visibility and style keys: 0-3 CPU, 4 all processors,
// 5 network, 6 memory, 7 mouse, 8 clock (visibility only).
// Position keys: the same for 0-7, 8 the main control bar, 9 the clock.
namespace module {
constexpr int kCpu0 = 0, kCpuAll = 4, kNetwork = 5, kMemory = 6, kMouse = 7;
constexpr int kClockVisi = 8;
constexpr int kMainPos = 8, kClockPos = 9;
}  // namespace module

struct Settings {
    std::int16_t PLCMNT = 0;
    bool ALWAYSOT = false;
    std::int16_t VISIBLE = 0;
    std::int16_t CORNER = 0;
    std::uint8_t TLUCENTZOn = 0;
    std::uint8_t TLUCENTZOff = 0;
    std::int32_t CPUCLOCK = 0;
    std::int32_t NETCLOCK = 0;
    std::int32_t MEMCLOCK = 0;
    std::array<bool, 9> Visi{};
    std::array<std::int16_t, 8> mTyp{};
    std::array<std::int32_t, 10> PosX{};
    std::array<std::int32_t, 10> PosY{};
    bool LOGEnable = false;
    bool capCPU = false;
    bool capNET = false;
    bool capMEM = false;
    std::int16_t LOGTiming = 0;
    std::int16_t LOGWrite = 0;
    bool LOGUnsaved = false;
    std::uint8_t NEWLOG = 0;
    std::uint8_t DELLOG = 0;
    std::int16_t SWWN = 0;
};

class App;

// Where LoadSettings found the settings.
enum class SettingsOrigin {
    File,               // the file has section MAIN's keys
    DefaultsWritten,    // it had none: the shipped settings were added to it
    DefaultsUnwritten,  // it had none and cannot be written: the shipped settings, for this run only
};

// Fills app.settings from the settings file, in the fixed order (the splash
// shows "Verifying log file settings..." part-way). A value that does not
// convert leaves its field unchanged. A file without any key of section MAIN
// (or no file) gets the shipped settings, the user's other lines kept.
SettingsOrigin LoadSettings(App& app);

// Position text as the file stores it: the edge as a 32-bit float, shortest form.
std::string positionText(double twips);

}  // namespace vel
