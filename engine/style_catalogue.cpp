// The CPU style table, the renderer of each kind of meter, and the names
// of the colour styles.
#include "engine/style_catalogue.h"

#include "engine/renderers.h"

namespace vel {

namespace {

constexpr Colour kLcdGreen = rgb(0, 193, 1);
constexpr Colour kLcdBlue = rgb(5, 57, 115);
constexpr Colour kGrey = rgb(127, 127, 127);
constexpr Colour kGreen = rgb(61, 109, 9);
constexpr Colour kGold = rgb(252, 207, 80);
constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kSky = rgb(103, 186, 218);

constexpr std::nullopt_t none = std::nullopt;

constexpr std::array<CpuStyle, kCpuStyleCount> kCpuStyles{{
    {"VU Meter Gold (Original)", CpuMeter::VU, "cpu_face_00.png", kGrey, none, none, none},
    {"VU Meter Blue LCD", CpuMeter::VU, "cpu_face_01.png", kLcdBlue, none, none, none},
    {"VU Meter Green LCD", CpuMeter::VU, "cpu_face_02.png", kGreen, none, none, none},
    {"VU Meter Red LCD", CpuMeter::VU, "cpu_face_03.png", kGold, none, none, none},
    {"Digi-Tach Black (Original)", CpuMeter::Tach, "cpu_face_04.png", none, none,
     CpuCaptionLayout{10, 11, 44, kLcdGreen}, CpuCoverLayout{9, 4, 43, 12, kBlack}},
    {"Digi-Tach Blue LCD", CpuMeter::Tach, "cpu_face_05.png", none, none,
     CpuCaptionLayout{10, 11, 44, kLcdBlue}, CpuCoverLayout{9, 4, 43, 12, kSky}},
    {"EKG Monitor", CpuMeter::EKG, "cpu_face_06.png", none, none, none, none},
    {"Needle Meter", CpuMeter::Needle, "cpu_face_07.png", none, none, none, none},
    {"Line Graph Black (Original)", CpuMeter::Graph, "cpu_face_08.png", none, kLcdGreen, none, none},
    {"Line Graph Blue", CpuMeter::Graph, "cpu_face_09.png", none, kLcdBlue, none, none},
    {"Line Graph Gold", CpuMeter::Graph, "cpu_face_10.png", none, kGrey, none, none},
    {"Line Graph Green", CpuMeter::Graph, "cpu_face_11.png", none, kGreen, none, none},
    {"Line Graph Red", CpuMeter::Graph, "cpu_face_12.png", none, kGold, none, none},
    {"Horizontal Bar", CpuMeter::HBar, "cpu_face_13.png", none, none, none, CpuCoverLayout{8, 2, 45, 20, kBlack}},
    {"Horizontal Bar w\\Text", CpuMeter::HCombo, "cpu_face_14.png", none, none,
     CpuCaptionLayout{8, 11, 44, kLcdGreen}, CpuCoverLayout{8, 2, 45, 8, kBlack}},
    {"Vertical Bar", CpuMeter::VBar, "cpu_face_15.png", none, none, none, CpuCoverLayout{8, 2, 45, 20, kBlack}},
    {"Vertical Bar w\\Text", CpuMeter::VCombo, "cpu_face_16.png", none, none,
     CpuCaptionLayout{28, 11, 20, kLcdGreen}, CpuCoverLayout{8, 2, 15, 20, kBlack}, true},
    {"Intensi-Meter", CpuMeter::IMeter, "cpu_face_17.png", none, none, CpuCaptionLayout{10, 6, 44, kBlack}, none},
}};

}  // namespace

const std::array<CpuStyle, kCpuStyleCount>& cpuStyles() { return kCpuStyles; }

const CpuStyle* cpuStyle(std::int16_t code) {
    if (code < 0 || code >= kCpuStyleCount) return nullptr;
    return &kCpuStyles[static_cast<std::size_t>(code)];
}

void dispatchRenderer(std::int16_t styleCode, std::int16_t sample, CpuModuleView& m, RenderContext& ctx,
                      std::int16_t index) {
    const CpuStyle* style = cpuStyle(styleCode);
    if (!style) return;
    switch (style->meter) {
        case CpuMeter::VU: DrawVU(sample, m, ctx); break;
        case CpuMeter::Tach: DrawTach(sample, m, ctx); break;
        case CpuMeter::EKG: DrawEKG(sample, m, ctx); break;
        case CpuMeter::Needle: DrawNeedle(sample, m, ctx, index); break;
        case CpuMeter::Graph: DrawGraph(sample, m, ctx, index); break;
        case CpuMeter::HBar: DrawHBar(sample, m, ctx); break;
        case CpuMeter::HCombo: DrawHCombo(sample, m, ctx); break;
        case CpuMeter::VBar: DrawVBar(sample, m, ctx); break;
        case CpuMeter::VCombo: DrawVCombo(sample, m, ctx); break;
        case CpuMeter::IMeter: DrawIMeter(sample, m, ctx); break;
    }
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
