// The Full View's processor pages: the counter table and its replacement,
// the bar covers, the rates, the usage graph and the inventory lines.
#include <gtest/gtest.h>

#include "fullview_rig.h"

using namespace vel;
using namespace vel::fullview;

namespace {

const char* const kQuiet = "CPUCLOCK=0\nPLCMNT=2\n";

std::vector<std::string> tablePaths(const PdhCounterTable& t) {
    std::vector<std::string> paths;
    for (int i = 0; i < t.count(); ++i) paths.push_back(t.entry(i).path);
    return paths;
}

void setCounters(test::FullViewRig& rig, const std::string& instance, double idle, double c1, double intTime,
                 double ints, double dpcs) {
    const auto paths = processorCounterPaths(instance);
    const double values[5] = {idle, c1, intTime, ints, dpcs};
    for (int i = 0; i < 5; ++i) rig.sources().setCounter(paths[i], values[i]);
}

}  // namespace

TEST(FullViewProcessorPages, EachPageFillsTheTableInItsOrderAndAnOptionReplacesIt) {
    test::FullViewRig rig(2);
    App& app = rig.startAndSettle(kQuiet);
    setCounters(rig, "0", 100, 50, 0, 1234.5, 7.4);
    setCounters(rig, "1", 20, 10, 40, 99, 3);
    showFullView(app, 0, 0, 0);
    FrmFULLVIEW& fv = rig.view();
    FvProcessorPages& pages = *fv.processorPages;
    EXPECT_EQ(tablePaths(fv.pdh),
              (std::vector<std::string>{"\\Processor(0)\\% Idle Time", "\\Processor(0)\\% C1 Time",
                                        "\\Processor(0)\\% Interrupt Time", "\\Processor(0)\\Interrupts/sec",
                                        "\\Processor(0)\\DPCs Queued/sec"}));
    rig.m.sim.advance(300);
    // Fully idle leaves a 1-unit cover, no interrupt time the full 34.
    EXPECT_DOUBLE_EQ(pages.rows[0].coverHeight[0], 1.0);
    EXPECT_DOUBLE_EQ(pages.rows[0].coverHeight[1], 50 * 0.33 + 1);
    EXPECT_DOUBLE_EQ(pages.rows[0].coverHeight[2], 34.0);
    EXPECT_EQ(pages.rows[0].cover[0]->height(), 1);
    EXPECT_EQ(pages.rows[0].cover[2]->height(), 34);
    EXPECT_EQ(pages.lblProcessorInfo[4]->caption(), "1235");
    EXPECT_EQ(pages.lblProcessorInfo[5]->caption(), "7");

    // Processor 1: five new counters, none of processor 0's read again.
    fv.lblCPUOpt_Click(1);
    EXPECT_EQ(fv.pdh.count(), 5);
    EXPECT_EQ(fv.pdh.entry(0).path, "\\Processor(1)\\% Idle Time");
    EXPECT_EQ(fv.pdh.entry(4).path, "\\Processor(1)\\DPCs Queued/sec");
    setCounters(rig, "0", 0, 0, 100, 5, 5);
    rig.m.sim.advance(300);
    EXPECT_DOUBLE_EQ(pages.rows[0].coverHeight[0], 80 * 0.33 + 1);
    EXPECT_DOUBLE_EQ(pages.rows[0].coverHeight[2], 60 * 0.33 + 1);
    EXPECT_EQ(pages.lblProcessorInfo[4]->caption(), "99");

    // The summary reads _Total; the activity sub-view adds four it never reads.
    fv.btnSelect_Click(1);
    EXPECT_EQ(fv.pdh.entry(0).path, "\\Processor(_Total)\\% Idle Time");
    EXPECT_EQ(fv.pdh.count(), 5);
    fv.btnTSelect_Click(1);
    EXPECT_EQ(tablePaths(fv.pdh),
              (std::vector<std::string>{"\\Processor(0)\\% Processor Time", "\\Processor(1)\\% Processor Time",
                                        "\\Processor(2)\\% Processor Time", "\\Processor(3)\\% Processor Time"}));
    EXPECT_EQ(pages.lblActivity->caption(), "NOT IMPLEMENTED");
    // Leaving the processor screens closes the query and empties the table.
    fv.btnSelect_Click(2);
    EXPECT_EQ(fv.pdh.count(), 0);
    EXPECT_FALSE(fv.pdh.isOpen());
}

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

    test::FullViewRig rig(2);
    App& app = rig.startAndSettle(kQuiet);
    rig.sources().setLoad(0, 12);
    rig.sources().setLoad(1, 13);
    showFullView(app, 1, 0, 99);
    rig.m.sim.advance(300);
    EXPECT_EQ(rig.view().processorPages->lblProcSumInfo[2]->caption(), "12.5");
    EXPECT_EQ(rig.view().processorPages->graphValue[1], 12) << "12.5 is drawn rounded to even";
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

TEST(FullViewProcessorPages, TheProcessorLinesComeFromItsInventoryRecord) {
    EXPECT_EQ(cpuStatusText("2"), "Status: DISABLED (BIOS)");
    EXPECT_EQ(cpuStatusText("3"), "Status: DISABLED (POST ERROR)");
    EXPECT_EQ(cpuStatusText("4"), "Status: IDLE");
    EXPECT_EQ(cpuStatusText("7"), "Status: UNKNOWN");

    test::FullViewRig rig(2);
    App& app = rig.startAndSettle(kQuiet);
    app.inventory.processor = {{}, {}};
    ProcessorRecord& r = app.inventory.processor[0];
    r.Name = "  Quillon Q9 ";
    r.CpuStatus = "1";
    r.SocketDesignation = "LGA1700";
    r.ExtClock = "100";
    r.CurrentVoltage = "12";
    r.DeviceID = "CPU0";
    showFullView(app, 0, 0, 0);
    FvProcessorPages& pages = *rig.view().processorPages;
    EXPECT_EQ(pages.lblProcessorInfo[0]->caption(),
              "Quillon Q9\r\nStatus: ENABLED\r\nChip Type: LGA1700\r\nCore Clock: 100 Mhz");
    EXPECT_EQ(pages.lblProcessorInfo[6]->caption(), "Core Voltage: 1.2v");
    EXPECT_EQ(pages.lblProcessorInfo[8]->caption(), "Est. Speed:  0.000 Mhz*");
    EXPECT_EQ(pages.lblProcessorInfo[9]->caption(), "Device ID: CPU0");
    // Processor 1's record is the empty one the inventory ends with.
    rig.view().lblCPUOpt_Click(1);
    EXPECT_EQ(pages.lblProcessorInfo[0]->caption(), "\r\nStatus: UNKNOWN\r\nChip Type: \r\nCore Clock:  Mhz");
}

TEST(FullViewProcessorPages, FeatureOneLightsWhenTheFloatingPointIsNotEmulated) {
    test::FullViewRig rig(1);
    rig.sources().setFeature(1, false);
    rig.sources().setFeature(7, true);
    rig.sources().setFeature(9, false);
    App& app = rig.startAndSettle(kQuiet);
    showFullView(app, 0, 0, 0);
    FvProcessorPages& pages = *rig.view().processorPages;
    const Colour present = rgb(5, 57, 116), absent = rgb(103, 169, 218);
    EXPECT_EQ(pages.shpF[0]->fillColor(), present);
    EXPECT_EQ(pages.shpF[7]->fillColor(), present);
    EXPECT_EQ(pages.shpF[4]->fillColor(), absent);
    EXPECT_EQ(pages.lblF[4]->foreColor(), rgb(103, 186, 218));
}
