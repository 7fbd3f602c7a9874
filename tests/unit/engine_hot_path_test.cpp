// The CPU tick and the painting after it run ten times a second for the
// life of the program: once warm, they must not touch the heap, whatever
// style each module shows.
#include <gtest/gtest.h>

#include "engine_rig.h"
#include "support/allocation_counter.h"

using namespace vel;

namespace {

class CpuTickHotPath : public ::testing::TestWithParam<int> {};

}  // namespace

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
