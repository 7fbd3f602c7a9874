// The trace styles: the EKG beam and the scrolling line graph.
#include "core/vb.h"
#include "engine/antialias.h"
#include "engine/renderers.h"
#include "engine/style_catalogue.h"

namespace vel {

namespace {

constexpr std::int16_t kMarkerRed = 255, kMarkerGreen = 192, kMarkerBlue = 192;
constexpr std::int16_t kEkgBeamLimit = 90;

// The little chevron above (or below) the beam column; its outer points
// are left out at the edges of the sweep.
void plotMarker(forms::PictureBox& pic, int c, double outerY, double innerY) {
    if (c >= 1) AAPlot(pic, c + 8, outerY, kMarkerRed, kMarkerGreen, kMarkerBlue);
    AAPlot(pic, c + 9, innerY, kMarkerRed, kMarkerGreen, kMarkerBlue);
    if (c <= 39) AAPlot(pic, c + 10, outerY, kMarkerRed, kMarkerGreen, kMarkerBlue);
}

}  // namespace

void DrawEKG(std::int16_t sample, CpuModuleView& m, RenderContext& ctx) {
    forms::PictureBox& pic = *m.picMod;
    pic.cls();
    // Brightness step per beam point, so the top of the beam reaches white.
    // Computed in single precision; with no load the division fails and the
    // step stays 0.
    std::int16_t k = 0;
    if (sample != 0) k = static_cast<std::int16_t>(roundHalfEven(255.0f / static_cast<float>(sample)));
    if (sample > kEkgBeamLimit) sample = kEkgBeamLimit;
    const int c = ctx.state.EkgPos;
    plotMarker(pic, c, 3.0, 4.0);
    plotMarker(pic, c, 19.0, 18.0);
    if (sample >= 1) {
        for (int j = 0; j <= sample; ++j) {
            const auto grey = static_cast<std::int16_t>(j * k);
            AAPlot(pic, c + 9, 17 - j / 6.25, grey, grey, grey);
        }
    }
}

void DrawGraph(std::int16_t sample, CpuModuleView& m, RenderContext& ctx, std::int16_t index) {
    forms::PictureBox& pic = *m.picMod;
    pic.cls();
    // Styles without a line colour keep the box's colour.
    if (const CpuStyle* style = cpuStyle(ctx.styleCode); style && style->trace) pic.setForeColor(*style->trace);
    if (index < 0 || index > 4) return;
    auto& h = ctx.state.GraphHistory[static_cast<std::size_t>(index)];
    for (int i = 0; i < kGraphSlots - 1; ++i) h[i] = h[i + 1];
    h[kGraphSlots - 1] = sample;
    // Newest to oldest, each point joined to the one before it. Without an
    // earlier point the segment keeps the previous height (0 at first).
    double y = 0;
    int p = 0;
    for (int i = kGraphSlots - 1; i >= 0; --i) {
        if (h[i] != kGraphNoData) y = h[i] / 5.88;
        if (i >= 1 && h[i - 1] != kGraphNoData) p = static_cast<int>(roundHalfEven(h[i - 1] / 5.88));
        if (h[i] != kGraphNoData) pic.line(i + 9, 19 - y, i + 8, 19 - p);
    }
}

}  // namespace vel
