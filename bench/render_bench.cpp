// Cost of one call of each CPU meter renderer, on the module layout the
// renderer tests use (the loop's doEvents is a counter here).
#include <benchmark/benchmark.h>

#include "engine/antialias.h"
#include "tests/unit/render_rig.h"

namespace vel {
namespace {

using Renderer = void (*)(std::int16_t, CpuModuleView&, RenderContext&);

// Sweeps the load over 0..100 so every call draws something different.
void runRenderer(benchmark::State& state, Renderer draw, std::int16_t styleCode) {
    test::RenderRig r;
    r.ctx.styleCode = styleCode;
    r.picHolder.setBackColor(rgb(200, 100, 50));
    std::int16_t sample = 0;
    for (auto _ : state) {
        draw(sample, r.view, r.ctx);
        sample = static_cast<std::int16_t>((sample + 7) % 101);
        r.state.EkgPos = static_cast<std::int16_t>((r.state.EkgPos + 1) % 41);
    }
    benchmark::DoNotOptimize(r.picMod.image().data.data());
}

// The renderers that also take the module's history index.
template <void (*Draw)(std::int16_t, CpuModuleView&, RenderContext&, std::int16_t)>
void withModuleIndex(std::int16_t sample, CpuModuleView& m, RenderContext& ctx) {
    Draw(sample, m, ctx, 0);
}

void BM_DrawVU(benchmark::State& s) { runRenderer(s, DrawVU, 0); }
void BM_DrawTach(benchmark::State& s) { runRenderer(s, DrawTach, 4); }
void BM_DrawNeedle(benchmark::State& s) { runRenderer(s, withModuleIndex<DrawNeedle>, 7); }
void BM_DrawIMeter(benchmark::State& s) { runRenderer(s, DrawIMeter, 17); }
void BM_DrawEKG(benchmark::State& s) { runRenderer(s, DrawEKG, 6); }
void BM_DrawGraph(benchmark::State& s) { runRenderer(s, withModuleIndex<DrawGraph>, 8); }
void BM_DrawHBar(benchmark::State& s) { runRenderer(s, DrawHBar, 13); }
void BM_DrawHCombo(benchmark::State& s) { runRenderer(s, DrawHCombo, 14); }
void BM_DrawVBar(benchmark::State& s) { runRenderer(s, DrawVBar, 15); }
void BM_DrawVCombo(benchmark::State& s) { runRenderer(s, DrawVCombo, 16); }

void BM_AAPlot(benchmark::State& state) {
    test::RenderRig r;
    double y = 0;
    for (auto _ : state) {
        AAPlot(r.picMod, 20.3, y, 200, 200, 200);
        y = y >= 20 ? 0 : y + 0.16;
    }
    benchmark::DoNotOptimize(r.picMod.image().data.data());
}

BENCHMARK(BM_DrawVU);
BENCHMARK(BM_DrawTach);
BENCHMARK(BM_DrawNeedle);
BENCHMARK(BM_DrawIMeter);
BENCHMARK(BM_DrawEKG);
BENCHMARK(BM_DrawGraph);
BENCHMARK(BM_DrawHBar);
BENCHMARK(BM_DrawHCombo);
BENCHMARK(BM_DrawVBar);
BENCHMARK(BM_DrawVCombo);
BENCHMARK(BM_AAPlot);

}  // namespace
}  // namespace vel
