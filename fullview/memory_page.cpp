#include "fullview/memory_page.h"

#include <cmath>

#include "core/app.h"
#include "core/vb.h"
#include "engine/antialias.h"
#include "fullview/panel_style.h"
#include "sources/memory_status.h"
#include "window/sibling_tools.h"

namespace vel {

using fullview::TextRole;

namespace {

constexpr int kTachWidth = 60, kTachHeight = 34, kPivotX = 30, kPivotY = 30;
const char* const kMeterCaptions[4] = {"Available Physical RAM", "Available Virtual Memory", "Available Page File",
                                       "Total Memory Load"};

std::string megabytes(const Decimal4& bytes) {
    return formatNumber(bytes.toDouble() / 1048576.0, "000.000") + " MB";
}

// A free share in percent as the meter's 16-bit value; nothing when the
// pool's total is zero or the share does not fit.
std::optional<std::int16_t> freeShare(const Decimal4& avail, const Decimal4& total) {
    if (total.raw == 0) return std::nullopt;
    return toInt16(avail.toDouble() / total.toDouble() * 100.0);
}

}  // namespace

NeedlePoint vuNeedlePoint(int pivotX, int pivotY, int value, int i) {
    const double theta = (3.14 / 180.0) * (1.8 * value);
    return {pivotX + (i - 20) * std::cos(theta), pivotY + (i - 20) * std::sin(theta)};
}

FvMemoryPage::FvMemoryPage(App& app, forms::PictureBox& panel) : app_(app) {
    fullview::addPanelTitle(panel, "MEMORY DATA");
    for (int i = 0; i < 4; ++i) {
        const int x = 12 + (i % 2) * 200, y = 28 + (i / 2) * 54;
        picTach[i] = &panel.add<forms::PictureBox>("picTach", i);
        picTach[i]->move(x, y + 12, kTachWidth, kTachHeight);
        vuLine[i] = &picTach[i]->add<forms::Line>("vuLine", i);
        vuLine[i]->setPoints(kPivotX, kPivotY - 20, kPivotX, kPivotY);
        vuLine[i]->setVisible(false);  // it only marks the pivot
        lblVUCaption[i] = &fullview::addPanelLabel(panel, "lblVUCaption", i, x, y, 184, TextRole::Small);
        lblVUCaption[i]->setCaption(kMeterCaptions[i]);
        lblMemInfo[i] = &fullview::addPanelLabel(panel, "lblMemInfo", i, x + 66, y + 24, 132, TextRole::Value);
    }
    for (int i = 4; i < 7; ++i)
        lblMemInfo[i] = &fullview::addPanelLabel(panel, "lblMemInfo", i, 12, 142 + (i - 4) * 16, 368, TextRole::Caption);
    lblRR = &fullview::addPanelLabel(panel, "lblRR", -1, 12, 194, 120, TextRole::Option);
    lblRR->setCaption("Start Memtide Lite...");
    lblRR->setToolTipText("Free memory with Memtide");
    lblRR->onClick = [this] { lblRR_Click(); };
}

void FvMemoryPage::loadPictures() {
    for (forms::PictureBox* p : picTach) p->setPicture(app_.ui.picture("fv_vu.png"));
}

void FvMemoryPage::update() {
    refreshMemorySnapshot(app_.os.sources(), app_.memorySnapshot);
    const MemorySnapshot& s = app_.memorySnapshot;
    const std::optional<std::int16_t> values[4] = {
        freeShare(s.AvailPhys, s.TotalPhys), freeShare(s.AvailVirtual, s.TotalVirtual),
        freeShare(s.AvailPageFile, s.TotalPageFile), toInt16(s.CombinedLoad.toDouble() * 100.0)};
    for (std::int16_t i = 0; i < 4; ++i) {
        if (!values[i]) continue;  // a failed step is skipped
        std::int16_t value = *values[i], index = i;
        DrawVU(value, index);
    }
    lblMemInfo[0]->setCaption(megabytes(s.AvailPhys));
    lblMemInfo[1]->setCaption(megabytes(s.AvailVirtual));
    lblMemInfo[2]->setCaption(megabytes(s.AvailPageFile));
    lblMemInfo[3]->setCaption(formatNumber(s.CombinedLoad.toDouble() * 100.0, "0.00") + "%");
}

void FvMemoryPage::setUp() {
    const PhysicalMemoryRecord& m = app_.inventory.physicalMemory.at(0);
    lblMemInfo[4]->setCaption("Memory Clock Speed: " + m.Speed + " MHz");
    lblMemInfo[5]->setCaption("Memory Data Width: " + m.DataWidth + " bits");
    lblMemInfo[6]->setCaption("");
}

void FvMemoryPage::DrawVU(std::int16_t& value, std::int16_t& index) {
    if (index < 0 || index > 3) return;
    forms::PictureBox& tach = *picTach[index];
    const forms::Line& pivot = *vuLine[index];
    tach.cls();
    needleValue[index] = value;
    for (int i = 0; i <= 20; ++i) {
        const NeedlePoint p = vuNeedlePoint(pivot.x1(), pivot.y2(), value, i);
        AAPlot(tach, p.x, p.y, 0, 0, 64);
    }
    tach.invalidate();
}

void FvMemoryPage::lblRR_Click() {
    launchSiblingTool(app_.os, app_.appPath, SiblingTool::Memtide);
    if (onMemtideStarted) onMemtideStarted();
}

}  // namespace vel
