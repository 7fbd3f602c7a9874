// The Full View's processor pages beyond the fullview_pages scenario: a
// counter the machine lacks, the summary's average and the usage graph's
// colours and wrap.
#include <gtest/gtest.h>

#include "fullview_rig.h"

using namespace vel;
using namespace vel::fullview;

namespace {

const char* const kQuiet = "CPUCLOCK=0\nPLCMNT=2\n";

}  // namespace

TEST(FullViewProcessorPages, ACounterThatCannotBeAddedKeepsItsPositionAndItsRowIsLeftAlone) {
    test::FullViewRig rig(2);
    App& app = rig.startAndSettle(kQuiet);
    showFullView(app, 0, 0, 3);  // a processor this machine does not have
    FrmFULLVIEW& fv = rig.view();
    rig.m.sim.advance(500);
    EXPECT_EQ(fv.pdh.count(), 5);
    EXPECT_EQ(fv.pdh.entry(3).path, "\\Processor(3)\\Interrupts/sec");
    EXPECT_DOUBLE_EQ(fv.processorPages->rows[0].coverHeight[0], 34.0);
    EXPECT_EQ(fv.processorPages->lblProcessorInfo[4]->caption(), "");
}

TEST(FullViewProcessorPages, SummaryAveragesTheDetectedProcessorsToTwoPlaces) {
    EXPECT_EQ(averageUsage({12, 13, 0, 0}, 2).text(), "12.5");
    EXPECT_EQ(averageUsage({10, 10, 11, 0}, 3).text(), "10.33");
    EXPECT_EQ(averageUsage({40, 0, 0, 0}, 1).text(), "40");
}

TEST(FullViewProcessorPages, TheGraphDrawsOneColumnPerTickAndRestartsEveryHundred) {
    EXPECT_EQ(graphGrey(40, 1), 6);   // 255 / 40 = 6.375
    EXPECT_EQ(graphGrey(100, 50), 150);  // 2.55 rounds to 3
    EXPECT_DOUBLE_EQ(graphPointY(100), -1.0);

    test::FullViewRig rig(1);
    App& app = rig.startAndSettle(kQuiet);
    rig.sources().setLoad(0, 0);
    showFullView(app, 0, 0, 0);
    FvProcessorPages& pages = *rig.view().processorPages;
    const forms::PictureBox& graph = *pages.picGraph[0];
    const std::int32_t back = graph.point(50, 10);
    const std::int16_t first = pages.graphColumn;
    rig.m.sim.advance(100);
    // Below 1 %: one black point at the foot of the column, nothing above it.
    EXPECT_EQ(pages.graphColumn, first + 1);
    EXPECT_EQ(graph.point(first, 49), 0);
    EXPECT_EQ(graph.point(first, 40), back);
    // A full load reaches the top, brighter there than at the foot.
    rig.sources().setLoad(0, 100);
    rig.m.sim.advance(100);
    const int x = first + 1;
    EXPECT_EQ(pages.graphValue[0], 100);
    EXPECT_EQ(graph.point(x, 0), static_cast<std::int32_t>(rgb(255, 255, 255)));
    EXPECT_NE(graph.point(x, 48), back);
    EXPECT_EQ(graph.point(x + 1, 20), back);
    // The column wraps at 100 and clears the graph before drawing column 0.
    rig.sources().setLoad(0, 0);
    while (pages.graphColumn != 0) rig.m.sim.advance(100);
    rig.m.sim.advance(100);
    EXPECT_EQ(pages.graphColumn, 1);
    EXPECT_EQ(graph.point(x, 0), back);
    EXPECT_EQ(graph.point(0, 49), 0);
}
