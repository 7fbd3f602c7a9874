// The log viewer's window on the simulated desktop: logs written by the
// program's own logger across midnight, keys, the wheel and dragging move
// the view, and the family buttons switch what the chart shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "forms/runtime.h"
#include "gfx/png.h"
#include "log_rig.h"
#include "logscope/frm_logscope.h"
#include "platform/common/civil_date.h"
#include "snapshot_reference.h"
#include "support/files.h"

using namespace vel;
using namespace vel::logscope;

namespace {

std::int64_t msAt(int y, int mo, int d, int h, int mi, int s) {
    return ((platform::daysFromCivil(y, mo, d) * 24 + h) * 60 + mi) * 60000LL + s * 1000LL;
}

// The pixels of a colour inside the plot.
int inkOf(const Pixels& chart, const PlotArea& a, Colour c) {
    int n = 0;
    for (int y = a.top; y < a.top + a.height; ++y)
        for (int x = a.left; x < a.left + a.width; ++x) n += chart.at(x, y) == c;
    return n;
}

// Twenty minutes of lines every ten seconds, from 23:50 on New Year's Eve.
class LogscopeWindow : public ::testing::Test {
protected:
    void SetUp() override {
        rig.setClock(2026, 12, 31, 23, 50, 0);
        rig.start("LOGEnable=1\nLOGTiming=10\nLOGWrite=0\nNEWLOG=7\ncapCPU=1\ncapMEM=1\ncapNET=1\n");
        for (int i = 0; i < 120; ++i) {
            const std::int64_t ms = first + i * 10000LL;
            int y = 0, mo = 0, d = 0;
            platform::civilFromDays(ms / 86400000, y, mo, d);
            const int s = static_cast<int>(ms % 86400000 / 1000);
            rig.setClock(y, mo, d, s / 3600, s / 60 % 60, s % 60);
            rig.setLoad(0, i % 50);
            rig.setLoad(1, 100 - i % 50);
            rig.m.sim.simSources().advanceTcp(static_cast<std::uint32_t>(400 + 30 * (i % 20)),
                                              static_cast<std::uint32_t>(300 + 20 * (i % 7)));
            platform::MemoryStatusEx mem;
            mem.totalPhys = mem.totalPageFile = mem.totalVirtual = 1000000;
            mem.availPhys = static_cast<std::uint64_t>(200000 + 5000 * (i % 40));
            mem.availPageFile = static_cast<std::uint64_t>(600000 - 3000 * (i % 30));
            mem.availVirtual = 800000;
            mem.memoryLoad = static_cast<std::uint32_t>(80 - i % 40 / 2);
            rig.m.sim.simSources().setMemory(mem);
            rig.ticks(1);
        }
        sim.setScreenSize(1024, 768);
        folder = rig.logs().string();
        form = std::make_unique<FrmLogscope>(ui, folder, LogSet::open(sim, folder, findPeriods(sim.files(), folder)),
                                             std::vector<std::string>{}, exportFolders());
        form->show();
        sim.advance(10);
    }
    // A screen point of the chart, `x` pixels into its plot.
    platform::Point inPlot(int x) const {
        const platform::Rect r = sim.windowRect(form->window());
        const PlotArea a = plotArea(form->picChart->width(), form->picChart->height(), 0);
        return {r.left + form->picChart->left() + a.left + x, r.top + form->picChart->top() + a.top + 40};
    }
    void key(int code, int shift = 0) {
        sim.keyDown(form->window(), code, shift);
        sim.advance(10);
    }
    // Where exports go: a file standing in for an unwritable folder, then a
    // folder of the test's own.
    std::vector<std::string> exportFolders() const {
        return {(rig.logs() / "d2026-12-31-23.log").string(), rig.m.folder.string()};
    }

    const std::int64_t first = msAt(2026, 12, 31, 23, 50, 0);
    const std::int64_t midnight = msAt(2027, 1, 1, 0, 0, 0);
    const std::int64_t last = first + 119 * 10000LL;
    test::LogRig rig{2};
    platform::SimPlatform sim;
    forms::Runtime ui{sim};
    std::string folder;
    std::unique_ptr<FrmLogscope> form;
};

}  // namespace

// What the window opens on, and the processors' view with the readout, are
// also seen in the reference pictures.
TEST_F(LogscopeWindow, OpensOnTheLatestDayAndKeysMoveTheViewAndStepThroughDays) {
    EXPECT_EQ(sim.window(form->window())->caption, "Logscope \u2014 " + folder);
    EXPECT_EQ(form->family(), Family::Processors);
    EXPECT_EQ(form->view().span().from, midnight) << "midnight of the last day";
    EXPECT_EQ(form->view().span().to, last + 1);
    EXPECT_EQ(form->cboDay->list(), (std::vector<std::string>{"Thu 2026-12-31  23 h", "Fri 2027-01-01  00 h"}));
    EXPECT_EQ(form->cboDay->listIndex(), 1);

    const std::int64_t len = form->view().length();
    key(187);  // +
    EXPECT_EQ(form->view().length(), std::llround(len * 0.8));
    EXPECT_EQ(form->view().span().from, midnight + (len - form->view().length()) / 2);
    key(189);  // -: back to the first length
    EXPECT_EQ(form->view().length(), len);
    const TimeSpan before = form->view().span();
    key(39);  // right: already at the end
    EXPECT_EQ(form->view().span().from, before.from);
    key(37);
    EXPECT_EQ(form->view().span().from, before.from - std::llround(len * 0.2));
    key(36);  // Home
    EXPECT_EQ(form->view().span().from, first);
    EXPECT_EQ(form->view().length(), len);
    key(35);  // End
    EXPECT_EQ(form->view().span().to, last + 1);
    for (int i = 0; i < 4; ++i) key(109);  // keypad -: zooming out stops at all of the logs
    EXPECT_EQ(form->view().span().from, first);
    EXPECT_EQ(form->view().span().to, last + 1);

    key('6');
    EXPECT_EQ(form->family(), Family::UDP);
    EXPECT_TRUE(form->cmdFamily[5]->isDefault());
    EXPECT_FALSE(form->cmdFamily[0]->isDefault());

    key(34);  // Page Down
    EXPECT_EQ(form->cboDay->listIndex(), 1);
    EXPECT_EQ(form->view().span().from, midnight);
    key(33);  // Page Up
    EXPECT_EQ(form->cboDay->listIndex(), 0);
    EXPECT_EQ(form->view().span().from, first);
    EXPECT_EQ(form->view().span().to, midnight);
    key(33);
    EXPECT_EQ(form->cboDay->listIndex(), 0) << "no day before the first";

    key(27);
    EXPECT_FALSE(form->loaded());
    EXPECT_TRUE(sim.exited());
}

TEST_F(LogscopeWindow, WheelZoomsAroundThePointerAndDraggingPans) {
    const PlotArea a = plotArea(form->picChart->width(), form->picChart->height(), 0);
    // At the plot's left edge the first shown time stays.
    const TimeSpan start = form->view().span();
    platform::Point p = sim.toDevice(inPlot(0));
    sim.mouseWheel(p.x, p.y, 120);
    sim.advance(10);
    EXPECT_EQ(form->view().span().from, start.from);
    EXPECT_EQ(form->view().length(), std::llround((start.to - start.from) * 0.8));
    // At the right edge the last one does.
    const std::int64_t right = form->view().span().to, len = form->view().length();
    p = sim.toDevice(inPlot(a.width));
    sim.mouseWheel(p.x, p.y, -120);
    sim.advance(10);
    EXPECT_EQ(form->view().span().to, right);
    EXPECT_EQ(form->view().length(), std::llround(len / 0.8));

    // Dragging 100 pixels to the right shows earlier times.
    const TimeSpan was = form->view().span();
    const platform::Point from = sim.toDevice(inPlot(300)), to = sim.toDevice(inPlot(400));
    sim.mouseDown(from.x, from.y);
    sim.mouseMove(to.x, to.y);
    sim.mouseUp(to.x, to.y);
    sim.advance(10);
    const std::int64_t moved = was.from - form->view().span().from;
    EXPECT_NEAR(static_cast<double>(moved), 100.0 * (was.to - was.from) / a.width, 1.0);
}

TEST(LogscopeWindowEmpty, AnEmptyFolderOrFamilySaysSoInTheStatusLine) {
    platform::SimPlatform sim;
    forms::Runtime ui(sim);
    const std::filesystem::path none = std::filesystem::temp_directory_path() / "logscope-no-such-folder";
    FrmLogscope form(ui, none.string(), LogSet::open(sim, none.string(), findPeriods(sim.files(), none.string())),
                     {"Cannot read the folder " + none.string()});
    form.show();
    EXPECT_EQ(form.lblStatus->caption(), "No log lines found; Cannot read the folder " + none.string());
    EXPECT_EQ(form.lblSpan->caption(), "") << "no time to name, not 1970";
    form.onKey(platform::KeyEvent{39, 0});
    EXPECT_EQ(form.view().length(), ChartView::kShortest);

    LogSet logs;
    logs.addFile('a', "a2026-12-06-14.log", "12/06/26, 14:05:09.0042, 0, 1, 57\r\n");
    logs.finish();
    FrmLogscope one(ui, "a2026-12-06-14.log", std::move(logs));
    one.show();
    EXPECT_EQ(one.lblStatus->caption(), "");
    one.onKey(platform::KeyEvent{'2', 0});
    EXPECT_EQ(one.lblStatus->caption(), "No Memory lines in these logs");
}

TEST_F(LogscopeWindow, TheLegendAndShiftDigitsHideSeriesFromTheChartAndTheExports) {
    const Colour cpu0 = rgb(0, 110, 220), cpu1 = rgb(220, 60, 40);
    const PlotArea a = form->layout().plot;
    const Pixels all = form->picChart->image();
    ASSERT_GT(inkOf(all, a, cpu1), 100);
    const int cpu0Ink = inkOf(all, a, cpu0);

    key('2', 1);  // Shift+2: the second entry, CPU 1
    ASSERT_EQ(form->shown().size(), 2u);
    EXPECT_EQ(form->legend().size(), 3u) << "a hidden series keeps its legend entry";
    EXPECT_EQ(inkOf(form->picChart->image(), a, cpu1), 0);
    EXPECT_GE(inkOf(form->picChart->image(), a, cpu0), cpu0Ink) << "CPU 0 keeps its colour";

    // Each family keeps its own choice.
    key('2');
    EXPECT_EQ(form->shown().size(), form->legend().size());
    key('1');
    EXPECT_EQ(form->shown().size(), 2u);

    // A click on the greyed entry brings CPU 1 back; on CPU 0's hides it.
    const platform::Rect r = sim.windowRect(form->window());
    const auto clickLegend = [&](int i) {
        const LegendBox& b = form->layout().legend[static_cast<std::size_t>(i)];
        const platform::Point p = sim.toDevice(
            {r.left + form->picChart->left() + b.left + 3, r.top + form->picChart->top() + b.top + 6});
        sim.mouseDown(p.x, p.y);
        sim.mouseUp(p.x, p.y);
        sim.advance(10);
    };
    clickLegend(1);
    EXPECT_EQ(form->shown().size(), 3u);
    EXPECT_EQ(form->picChart->image().data, all.data);
    clickLegend(0);
    EXPECT_EQ(inkOf(form->picChart->image(), a, cpu0), 0);
    EXPECT_EQ(form->view().span().from, midnight) << "the click did not drag";
    key('A');
    EXPECT_EQ(form->picChart->image().data, all.data);

    // Exports go to the first folder that takes them, and the status line says where.
    key('2', 1);  // CPU 1 hidden: not in the CSV
    key(36);      // Home: the view starts at 23:50
    key('E', 2);
    const std::string csv = (rig.m.folder / "logscope-processors-2026-12-31-2350.csv").string();
    EXPECT_EQ(form->lblStatus->caption(), "Wrote " + csv);
    const std::string text = test::readFile(csv);
    EXPECT_EQ(text.substr(0, text.find('\n') + 1), "time,CPU 0,CPU mean\r\n");
    EXPECT_NE(text.find("\r\n2026-12-31 23:50:30.000,3,50\r\n"), std::string::npos) << text.substr(0, 200);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 61) << "a header and the 60 lines of the view";

    key('S', 2);
    const std::string png = (rig.m.folder / "logscope-processors-2026-12-31-2350.png").string();
    EXPECT_EQ(form->lblStatus->caption(), "Wrote " + png);
    const auto picture = gfx::loadPng(sim.files(), png);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, kChartWidth);

    // Nowhere to write: the status line says so and the window goes on.
    const std::string file = (rig.logs() / "a2026-12-31-23.log").string(), none = (rig.logs() / "no").string();
    FrmLogscope nowhere(ui, folder, LogSet::open(sim, folder, findPeriods(sim.files(), folder)), {}, {file, none});
    nowhere.show();
    EXPECT_FALSE(nowhere.exportPng().ok);
    EXPECT_EQ(nowhere.lblStatus->caption(),
              "Cannot write logscope-processors-2027-01-01-0000.png in " + file + " or " + none);
    EXPECT_TRUE(nowhere.loaded());
}

// The processor, memory and TCP views as the screen shows them, at scale 1
// and 2, against their reference pictures.
TEST_F(LogscopeWindow, ViewsMatchTheirReferencePictures) {
    for (const int scale : {1, 2}) {
        platform::SimPlatform screen;
        screen.setScale(scale);
        screen.setScreenSize(1024, 768);
        forms::Runtime runtime(screen);
        FrmLogscope w(runtime, "logs", LogSet::open(screen, folder, findPeriods(screen.files(), folder)));
        w.show();
        screen.advance(10);
        for (const auto& [code, name] : {std::pair{'1', "processors"}, {'2', "memory"}, {'5', "tcp"}}) {
            screen.keyDown(w.window(), code, 0);
            const platform::Rect r = screen.windowRect(w.window());
            // The processors with the readout, the others without.
            const int x = code == '1' ? r.left + w.picChart->left() + w.layout().plot.left + 400 : r.left + 2;
            const platform::Point p = screen.toDevice({x, r.top + w.picChart->top() + 200});
            screen.mouseMove(p.x, p.y);
            screen.advance(10);
            const Pixels whole = screen.snapshot();
            Pixels shot((r.right - r.left) * scale, (r.bottom - r.top) * scale);
            for (int y = 0; y < shot.height; ++y)
                for (int x = 0; x < shot.width; ++x) shot.at(x, y) = whole.at(r.left * scale + x, r.top * scale + y);
            test::matchesReference(shot, std::string("logscope-") + name + "-x" + std::to_string(scale), "logscope");
        }
    }
}
