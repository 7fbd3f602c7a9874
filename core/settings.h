// The settings model: one field per key of section "MAIN" of velmora.ini,
// and the one table of those keys that loading and saving both walk. What
// each key holds, its unit and its values: docs/glossary.md.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

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

class IniFile;

// The field a key is read into; its type decides the conversion (a flag
// takes True/False or a number, the numbers must fit their width).
using SettingField = std::variant<bool*, std::int16_t*, std::int32_t*, std::uint8_t*>;

// Who writes a key back. Apply writes the looks, the sampling periods, the
// modules' visibility and style and the logging, in that order and with
// their names in capitals; the window placement writes the positions; the
// start-with-Windows box writes its own key.
enum class SettingGroup { Looks, Sampling, Visibility, Style, Left, Top, Logging, StartWithWindows };

struct SettingKey {
    std::string name;  // as the shipped file spells it; names match whatever their case
    SettingGroup group;
    int index;  // module or position number of the array keys (Visi3: 3); -1 for the others
    SettingField (*field)(Settings&, int index);
};

// Every key, in the order loading reads them.
const std::vector<SettingKey>& settingKeys();
// The array key of a group: settingKey(SettingGroup::Left, 9) is PosX9.
const SettingKey& settingKey(SettingGroup group, int index);
// The name its writer gives the key in the file.
std::string writtenName(const SettingKey& key);
// The field's value as the file stores it (flags 1 and 0).
std::string settingText(const SettingKey& key, Settings& s);
// Writes the key with this text, or with its field's value; 0 when the
// file could not be written.
std::int16_t saveSetting(IniFile& file, const SettingKey& key, const std::string& text);
std::int16_t saveSetting(IniFile& file, const SettingKey& key, Settings& s);


// Where LoadSettings found the settings.
enum class SettingsOrigin {
    File,               // the file has section MAIN's keys
    DefaultsWritten,    // it had none: the shipped settings were added to it
    DefaultsUnwritten,  // it had none and cannot be written: the shipped settings, for this run only
};

// Fills `s` from the settings file, key by key in the table's order. A value
// that does not convert leaves its field unchanged; a processor module the
// machine lacks stays hidden. A file without any key of section MAIN (or no
// file) gets the shipped settings, the user's other lines kept.
SettingsOrigin LoadSettings(IniFile& file, Settings& s, int processorCount);

// Position text as the file stores it: the edge as a 32-bit float, shortest form.
std::string positionText(double twips);

}  // namespace vel
