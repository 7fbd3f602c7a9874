#include "platform/win32/region_builder.h"

namespace vel::platform::win32 {

HRGN buildRegion(const Region& region) {
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    if (!result) return nullptr;
    for (const Rect& r : region.rects) {
        if (r.width() <= 0 || r.height() <= 0) continue;
        HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
        if (!part) continue;
        CombineRgn(result, result, part, RGN_OR);  // mode 2
        DeleteObject(part);
    }
    return result;
}

}  // namespace vel::platform::win32
