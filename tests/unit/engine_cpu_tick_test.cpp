// The CPU tick: samples, the all-processors value, the needle rings and
// which modules get drawn. Ticks are stepped by hand (CPUCLOCK 0). The tick
// and the painting after it run ten times a second for the life of the
// program: once warm, they must not touch the heap, whatever the style.
#include <gtest/gtest.h>

#include <vector>

#include "engine_rig.h"
#include "sources/cpu_total_usage.h"
#include "support/allocation_counter.h"

using namespace vel;

namespace {

// Style 4 (the digital tachometer) writes the sample into lblCPU, which
// shows whether, and with what, a module was drawn.
constexpr const char* kTachStyles = "mTyp0=4\nmTyp1=4\nmTyp2=4\nmTyp3=4\nmTyp4=4\n";

class CpuTickHotPath : public ::testing::TestWithParam<int> {};

}  // namespace

TEST(CpuTick, TheMeanOfEveryProcessorRoundsHalfToEven) {
    struct Case {
        std::vector<double> loads;
        std::vector<int> ring;  // what each processor's ring gets
        int mean;
    };
    const Case cases[] = {{{42, 43}, {42, 43}, 42},
                          {{43, 44}, {43, 44}, 44},
                          {{10, 20, 30, 43}, {10, 20, 30, 43}, 26},  // 25.75
                          {{40000, 60}, {0, 60}, 30}};  // a sample past sixteen bits counts as zero
    for (const Case& c : cases) {
        const int n = static_cast<int>(c.loads.size());
        test::EngineRig rig(n);
        std::string lines = "Visi4=1\n";
        for (int p = 0; p < n; ++p) lines += "Visi" + std::to_string(p) + "=1\n";
        rig.start(lines + kTachStyles);
        for (int p = 0; p < n; ++p) rig.setLoad(p, c.loads[p]);
        FrmHidden& e = rig.engine();
        e.tmrCPUs_Timer();
        SCOPED_TRACE(testing::PrintToString(c.loads));
        for (int p = 0; p < n; ++p) EXPECT_EQ(e.state.NeedleHistory[p][0], c.ring[p]) << "processor " << p;
        EXPECT_EQ(e.state.NeedleHistory[4][0], c.mean);
        EXPECT_EQ(rig.cpu(4).lblCPU->caption(), std::to_string(c.mean));
        EXPECT_EQ(rig.cpu(n - 1).lblCPU->caption(), std::to_string(c.ring[n - 1]));
        EXPECT_FALSE(e.usesTotalCounter());
    }
}

TEST(CpuTick, OneProcessorNeverDrawsTheAllModuleButWritesItsRing) {
    test::EngineRig rig(1);
    App& app = rig.start(std::string("Visi0=1\nVisi4=1\n") + kTachStyles);
    EXPECT_FALSE(app.settings.Visi[4]) << "the settings rule hides it on one processor";
    app.settings.Visi[4] = true;  // even when switched on, the tick leaves it alone
    rig.setLoad(0, 37);
    FrmHidden& e = rig.engine();
    e.tmrCPUs_Timer();
    EXPECT_EQ(e.state.NeedleHistory[4][0], 37);
    EXPECT_EQ(rig.cpu(0).lblCPU->caption(), "37");
    EXPECT_EQ(rig.cpu(4).lblCPU->caption(), "100") << "the all-processors module keeps its design caption";
    EXPECT_FALSE(rig.cpu(4).loaded());
}

TEST(CpuTick, HiddenModulesAndUnknownStylesAreSampledButNotDrawn) {
    test::EngineRig rig(2);
    rig.start("Visi0=1\nVisi1=0\nVisi4=1\nmTyp0=18\nmTyp1=4\nmTyp4=4\n");
    rig.setLoad(0, 20);
    rig.setLoad(1, 70);
    FrmHidden& e = rig.engine();
    e.state.NeedleHistory[1][0] = 5;  // an old value stays
    const Pixels before = rig.cpu(0).render();
    e.tmrCPUs_Timer();
    EXPECT_EQ(rig.cpu(0).render(), before) << "a style code outside the catalogue draws nothing";
    EXPECT_EQ(rig.cpu(0).lblCPU->caption(), "100");
    EXPECT_EQ(e.state.NeedleHistory[0][0], 20) << "its ring is written all the same";
    EXPECT_EQ(e.state.NeedleHistory[1][0], 5) << "a hidden module's ring is not";
    EXPECT_EQ(rig.cpu(1).lblCPU->caption(), "100");
    EXPECT_EQ(e.state.NeedleHistory[4][0], 45) << "the hidden processor still counts in the mean";
    EXPECT_EQ(rig.cpu(4).lblCPU->caption(), "45");
}

TEST(CpuTick, RingPositionsWrapAtTheirLengths) {
    test::EngineRig rig(1);
    rig.start("Visi0=1\nmTyp0=6\n");
    FrmHidden& e = rig.engine();
    for (int i = 0; i < 999; ++i) e.tmrCPUs_Timer();
    EXPECT_EQ(e.state.NeedlePos, 999);
    EXPECT_EQ(e.state.EkgPos, 999 % 41);
    rig.setLoad(0, 88);
    e.tmrCPUs_Timer();
    EXPECT_EQ(e.state.NeedleHistory[0][999], 88) << "the last slot is written before the wrap";
    EXPECT_EQ(e.state.NeedlePos, 0);
    EXPECT_EQ(e.state.EkgPos, 1000 % 41);
}

TEST(CpuTick, TheTotalCounterIsRoundedHalfToEven) {
    test::EngineRig rig(8);
    rig.start(std::string("Visi0=1\nVisi4=1\n") + kTachStyles);
    FrmHidden& e = rig.engine();
    for (const auto& [value, expected] : {std::pair{12.5, 12}, std::pair{13.5, 14}, std::pair{99.49, 99}}) {
        rig.m.sim.simSources().setCounter(clsCPUTotalUsage::kPath, value);
        e.tmrCPUs_Timer();
        EXPECT_EQ(e.allProcessorsValue(), expected) << value;
    }
}

TEST_P(CpuTickHotPath, AWarmTickDoesNotAllocate) {
    const int style = GetParam();
    test::EngineRig rig(4);
    rig.start(test::EngineRig::allCpuModulesIn(style));
    for (int p = 0; p < 4; ++p) rig.setLoad(p, 20 + 15 * p);
    // Warm-up: the first ticks size the histories and the drawing buffers.
    for (int i = 0; i < 3; ++i) {
        rig.engine().tmrCPUs_Timer();
        rig.app().ui.paintPending();
    }
    long allocations = 0;
    for (int i = 0; i < 20; ++i) {
        rig.setLoad(i % 4, (i * 37) % 101);  // the simulated machine may allocate; the tick may not
        test::CountAllocations counting;
        rig.engine().tmrCPUs_Timer();
        rig.app().ui.paintPending();  // and the windows it dirtied are composed and shown
        allocations += counting.count();
    }
    EXPECT_EQ(allocations, 0) << "style " << style;
}

INSTANTIATE_TEST_SUITE_P(AllStyles, CpuTickHotPath, ::testing::Range(0, 18));
