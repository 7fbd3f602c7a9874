// Which renderer draws each CPU style, and what every style is called.
#include "engine/style_catalogue.h"

#include "engine/renderers.h"

namespace vel {

void dispatchRenderer(std::int16_t styleCode, std::int16_t sample, CpuModuleView& m, RenderContext& ctx,
                      std::int16_t index) {
    switch (styleCode) {
        case 0: case 1: case 2: case 3: DrawVU(sample, m, ctx); break;
        case 4: case 5: DrawTach(sample, m, ctx); break;
        case 6: DrawEKG(sample, m, ctx); break;
        case 7: DrawNeedle(sample, m, ctx, index); break;
        case 8: case 9: case 10: case 11: case 12: DrawGraph(sample, m, ctx, index); break;
        case 13: DrawHBar(sample, m, ctx); break;
        case 14: DrawHCombo(sample, m, ctx); break;
        case 15: DrawVBar(sample, m, ctx); break;
        case 16: DrawVCombo(sample, m, ctx); break;
        case 17: DrawIMeter(sample, m, ctx); break;
        default: break;
    }
}

const std::array<std::string_view, kCpuStyleCount>& cpuStyleNames() {
    static constexpr std::array<std::string_view, kCpuStyleCount> names = {
        "VU Meter Gold (Original)",
        "VU Meter Blue LCD",
        "VU Meter Green LCD",
        "VU Meter Red LCD",
        "Digi-Tach Black (Original)",
        "Digi-Tach Blue LCD",
        "EKG Monitor",
        "Needle Meter",
        "Line Graph Black (Original)",
        "Line Graph Blue",
        "Line Graph Gold",
        "Line Graph Green",
        "Line Graph Red",
        "Horizontal Bar",
        "Horizontal Bar w\\Text",
        "Vertical Bar",
        "Vertical Bar w\\Text",
        "Intensi-Meter",
    };
    return names;
}

const std::array<std::string_view, kColourStyleCount>& networkStyleNames() {
    static constexpr std::array<std::string_view, kColourStyleCount> names = {
        "Network on Black", "Network on Blue", "Network on Gold", "Network on Green", "Network on Red"};
    return names;
}

const std::array<std::string_view, kColourStyleCount>& memoryStyleNames() {
    static constexpr std::array<std::string_view, kColourStyleCount> names = {
        "Memory on Black", "Memory on Blue", "Memory on Gold", "Memory on Green", "Memory on Red"};
    return names;
}

const std::array<std::string_view, kColourStyleCount>& mouseStyleNames() {
    static constexpr std::array<std::string_view, kColourStyleCount> names = {
        "Mouse on Black", "Mouse on Blue", "Mouse on Gold", "Mouse on Green", "Mouse on Red"};
    return names;
}

}  // namespace vel
