// The gauge styles: VU needle, digital tachometer, needle meter and the
// intensity meter.
#include <string>

#include "core/vb.h"
#include "engine/antialias.h"
#include "engine/renderers.h"

namespace vel {

namespace {

constexpr Colour kNeedleNow = rgb(0, 0, 224);
constexpr Colour kNeedleAverage = rgb(255, 128, 64);

int roundToInt(double v) { return static_cast<int>(roundHalfEven(v)); }

// A needle three pixels wide; the outer strokes are one pixel shorter and
// are left out at the ends of the scale. GDI lines skip their end point.
void drawNeedle(forms::PictureBox& pic, int t, int fromY, int sideToY, int centreToY, Colour c) {
    if (t > 0) pic.line(t + 7, fromY, t + 7, sideToY, c);
    pic.line(t + 8, fromY, t + 8, centreToY, c);
    if (t < 44) pic.line(t + 9, fromY, t + 9, sideToY, c);
}

}  // namespace

void ShowSampleCaption(std::int16_t sample, CpuModuleView& m) {
    // "100" and shorter stay in the string's inline buffer: no allocation.
    m.lblCPU->setCaption(std::to_string(sample));
    m.lblCPU->refresh();
}

void DrawVU(std::int16_t sample, CpuModuleView& m, RenderContext& ctx) {
    const int a = roundToInt(sample * 0.3);
    const int b = roundToInt(sample * 0.1);
    // The tip swings on an arc: up to the top at mid-scale, down again after.
    m.lnVU->setX1(a + 15);
    m.lnVU->setY1(sample >= 50 ? b + 1 : 11 - b);
    m.lnVU->refresh();
    ctx.os.doEvents();
}

void DrawTach(std::int16_t sample, CpuModuleView& m, RenderContext& ctx) {
    // The cover hides the unlit part of the scale to the right of the value.
    const int t = roundToInt(sample / 2.33);
    m.shpTC->setLeft(t + 9);
    m.shpTC->setWidth(43 - t);
    m.shpTC->refresh();
    ShowSampleCaption(sample, m);
    ctx.os.doEvents();
}

void DrawNeedle(std::int16_t sample, CpuModuleView& m, RenderContext& ctx, std::int16_t index) {
    forms::PictureBox& pic = *m.picMod;
    int t = roundToInt(sample / 2.3);
    pic.cls();
    drawNeedle(pic, t, 1, 10, 11, kNeedleNow);
    if (index >= 0 && index <= 4) {
        std::int32_t sum = 0;
        for (std::int16_t v : ctx.state.NeedleHistory[static_cast<std::size_t>(index)]) sum += v;
        t = roundToInt((sum / 1000.0) / 2.3);
    }
    drawNeedle(pic, t, 21, 13, 12, kNeedleAverage);
}

void DrawIMeter(std::int16_t sample, CpuModuleView& m, RenderContext&) {
    forms::PictureBox& pic = *m.picMod;
    pic.cls();
    pic.setFillStyle(0);
    // A load outside 0..100 gives no byte opacity; the lit picture stays off.
    const std::uint8_t alpha = toByte(sample * 2.55).value_or(0);
    AlphaBlendPicture(*m.picHolder, pic, alpha);
    ShowSampleCaption(sample, m);
}

}  // namespace vel
