// The desktop's scale on Windows, from the primary monitor's DPI.
#pragma once

#include "platform/win32/windows_api.h"

namespace vel::platform::win32 {

// 1, 2 or 3. Asks for the per-monitor DPI where the system has it (8.1
// and later), then the window's DPI (10 and later), then the screen's
// logical DPI, which every Windows has. The newer calls are looked up at
// run time, so the program still starts where they are missing (older
// Windows, the 9x family, Wine). `probe` is any window of ours, or null.
int desktopScale(HWND probe);

}  // namespace vel::platform::win32
