// The bar styles: a black cover shrinks to uncover the lit bar, with the
// value as text in the combo styles.
#include "core/vb.h"
#include "engine/renderers.h"

namespace vel {

namespace {

void drawHorizontal(std::int16_t sample, CpuModuleView& m, RenderContext& ctx, bool withText) {
    const int t = static_cast<int>(roundHalfEven(sample / 2.22));
    m.shpTC->setLeft(t + 8);
    m.shpTC->setWidth(45 - t);
    m.shpTC->refresh();
    if (withText) ShowSampleCaption(sample, m);
    ctx.os.doEvents();
}

void drawVertical(std::int16_t sample, CpuModuleView& m, RenderContext& ctx, bool withText) {
    const int t = static_cast<int>(roundHalfEven(static_cast<float>(sample) / 5.0f));
    m.shpTC->setHeight(20 - t);
    m.shpTC->refresh();
    if (withText) ShowSampleCaption(sample, m);
    ctx.os.doEvents();
}

}  // namespace

void DrawHBar(std::int16_t sample, CpuModuleView& m, RenderContext& ctx) { drawHorizontal(sample, m, ctx, false); }
void DrawHCombo(std::int16_t sample, CpuModuleView& m, RenderContext& ctx) { drawHorizontal(sample, m, ctx, true); }
void DrawVBar(std::int16_t sample, CpuModuleView& m, RenderContext& ctx) { drawVertical(sample, m, ctx, false); }
void DrawVCombo(std::int16_t sample, CpuModuleView& m, RenderContext& ctx) { drawVertical(sample, m, ctx, true); }

}  // namespace vel
