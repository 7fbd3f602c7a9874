#include "platform/win32/region_builder.h"

#include <vector>

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

Region readRegion(HRGN region) {
    Region out;
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER)) return out;
    std::vector<unsigned char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (GetRegionData(region, size, data) == 0) return out;
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
        out.rects.push_back(Rect{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
    return out;
}

}  // namespace vel::platform::win32
