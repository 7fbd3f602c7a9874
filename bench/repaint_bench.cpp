// Repainting only what changed against repainting every window whole
// (argument 1): one Full View processor tick (the graph column, the bar
// covers and rates) and one tick of five CPU modules, each with the
// painting and presenting it causes.
#include <benchmark/benchmark.h>

#include "tests/unit/fullview_rig.h"

namespace vel {
namespace {

void BM_FullViewProcessorTick(benchmark::State& state) {
    test::FullViewRig rig(2);
    App& app = rig.startAndSettle("CPUCLOCK=10\nPLCMNT=2\n");
    app.ui.setFullRepaint(state.range(0) != 0);
    showFullView(app, 0, 0, 0);
    rig.setLoad(0, 40);
    rig.m.sim.advance(1000);
    FrmFULLVIEW& fv = *app.fullView;
    for (auto _ : state) {
        fv.processorPages->tick(fv.pdh);
        app.ui.paintPending();
    }
}
BENCHMARK(BM_FullViewProcessorTick)->ArgName("full")->Arg(0)->Arg(1);

void BM_CpuTickRepaint(benchmark::State& state) {
    test::EngineRig rig(4);
    rig.start(test::EngineRig::allCpuModulesIn(static_cast<int>(state.range(0))));
    rig.app().ui.setFullRepaint(state.range(1) != 0);
    for (int p = 0; p < 4; ++p) rig.setLoad(p, 15 + 20 * p);
    for (auto _ : state) {
        rig.engine().tmrCPUs_Timer();
        rig.app().ui.paintPending();
    }
}
// Digital tachometer, EKG and line graph.
BENCHMARK(BM_CpuTickRepaint)->ArgNames({"style", "full"})->ArgsProduct({{4, 6, 8}, {0, 1}});

}  // namespace
}  // namespace vel
