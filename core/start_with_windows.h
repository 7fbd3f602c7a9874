// The start-with-the-desktop entry: the per-user Run value on Windows, and
// its counterpart elsewhere (an XDG autostart entry on Linux).
#pragma once

namespace vel {

class App;

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValueName = "Brinlake VELMORA v2";

// Sets or deletes the Run value and writes SWWN to the settings file.
void applyStartWithWindows(App& app, bool enabled);

}  // namespace vel
