// The log viewer's window on the simulated desktop: logs written by the
// program's own logger across midnight, keys, the wheel and dragging move
// the view, and the family buttons switch what the chart shows.
#include <gtest/gtest.h>

#include <filesystem>

#include "forms/runtime.h"
#include "gfx/png.h"
#include "log_rig.h"
#include "logscope/frm_logscope.h"
#include "platform/common/civil_date.h"

using namespace vel;
using namespace vel::logscope;

namespace {

std::int64_t msAt(int y, int mo, int d, int h, int mi, int s) {
    return ((platform::daysFromCivil(y, mo, d) * 24 + h) * 60 + mi) * 60000LL + s * 1000LL;
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
            rig.ticks(1);
        }
        sim.setScreenSize(1024, 768);
        folder = rig.logs().string();
        form = std::make_unique<FrmLogscope>(ui, folder, LogSet::open(sim, folder, findPeriods(sim.files(), folder)));
        form->show();
        sim.advance(10);
    }
    // A screen point of the chart, `x` pixels into its plot.
    platform::Point inPlot(int x) const {
        const platform::Rect r = sim.windowRect(form->window());
        const PlotArea a = plotArea(form->picChart->width(), form->picChart->height(), 0);
        return {r.left + form->picChart->left() + a.left + x, r.top + form->picChart->top() + a.top + 40};
    }
    void key(int code) {
        sim.keyDown(form->window(), code, 0);
        sim.advance(10);
    }

    const std::int64_t first = msAt(2026, 12, 31, 23, 50, 0);
    const std::int64_t last = first + 119 * 10000LL;
    test::LogRig rig{2};
    platform::SimPlatform sim;
    forms::Runtime ui{sim};
    std::string folder;
    std::unique_ptr<FrmLogscope> form;
};

}  // namespace

TEST_F(LogscopeWindow, OpensOnTheLatestDayAndKeysMoveTheView) {
    EXPECT_EQ(sim.window(form->window())->caption, "Logscope \u2014 " + folder);
    EXPECT_EQ(form->family(), Family::Processors);
    ASSERT_EQ(form->logs().present(Family::Processors).size(), 3u) << "two processors and the mean";
    EXPECT_EQ(form->view().span().from, msAt(2027, 1, 1, 0, 0, 0)) << "midnight of the last day";
    EXPECT_EQ(form->view().span().to, last + 1);
    EXPECT_EQ(form->lblSpan->caption(), "2027-01-01 00:00:00 to 2027-01-01 00:09:50");
    EXPECT_EQ(form->lblStatus->caption(), "");

    const std::int64_t len = form->view().length();
    key(187);  // +
    EXPECT_EQ(form->view().length(), std::llround(len * 0.8));
    EXPECT_EQ(form->view().span().from, msAt(2027, 1, 1, 0, 0, 0) + (len - form->view().length()) / 2);
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

    const Pixels processors = form->render();
    key('2');
    EXPECT_EQ(form->family(), Family::Memory);
    EXPECT_TRUE(form->cmdFamily[1]->isDefault());
    EXPECT_FALSE(form->cmdFamily[0]->isDefault());
    EXPECT_NE(form->render().data, processors.data) << "the memory series are drawn";
    key('6');
    EXPECT_EQ(form->family(), Family::UDP);
    key('3');
    EXPECT_EQ(form->family(), Family::IP);

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

    const std::filesystem::path png = std::filesystem::temp_directory_path() / "logscope_window.png";
    ASSERT_TRUE(gfx::savePng(png.string(), form->render()));
}

TEST(LogscopeWindowEmpty, AnEmptyFolderSaysSoInTheStatusLine) {
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
}

TEST(LogscopeWindowEmpty, AFamilyWithoutLinesSaysSo) {
    platform::SimPlatform sim;
    forms::Runtime ui(sim);
    LogSet logs;
    logs.addFile('a', "a2026-12-06-14.log", "12/06/26, 14:05:09.0042, 0, 1, 57\r\n");
    logs.finish();
    FrmLogscope form(ui, "a2026-12-06-14.log", std::move(logs));
    form.show();
    EXPECT_EQ(form.lblStatus->caption(), "");
    form.onKey(platform::KeyEvent{'2', 0});
    EXPECT_EQ(form.lblStatus->caption(), "No Memory lines in these logs");
}
