// One whole CPU tick on a four-processor simulated machine with all five CPU
// modules shown: sampling, histories, the renderers, then composing and
// presenting the windows it dirtied. The argument is the style every module
// shows.
#include <benchmark/benchmark.h>

#include "tests/unit/engine_rig.h"

namespace vel {
namespace {

void BM_CpuTickFiveModules(benchmark::State& state) {
    test::EngineRig rig(4);
    rig.start(test::EngineRig::allCpuModulesIn(static_cast<int>(state.range(0))));
    for (int p = 0; p < 4; ++p) rig.setLoad(p, 15 + 20 * p);
    for (auto _ : state) {
        rig.engine().tmrCPUs_Timer();
        rig.app().ui.paintPending();
    }
}
// VU, digital tachometer, EKG, line graph, needle, horizontal combo, intensity.
BENCHMARK(BM_CpuTickFiveModules)->Arg(0)->Arg(4)->Arg(6)->Arg(8)->Arg(7)->Arg(14)->Arg(17);

}  // namespace
}  // namespace vel
