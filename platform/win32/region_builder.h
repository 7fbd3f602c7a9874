// Window regions as GDI regions: the union of the region's rectangles,
// built with CreateRectRgn and CombineRgn(RGN_OR).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform/platform.h"

namespace vel::platform::win32 {

// A new region the caller owns (SetWindowRgn takes it over); an empty
// region when there are no rectangles. nullptr only when GDI fails.
HRGN buildRegion(const Region& region);

}  // namespace vel::platform::win32
