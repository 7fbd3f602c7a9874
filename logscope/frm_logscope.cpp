#include "logscope/frm_logscope.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "forms/runtime.h"

namespace vel::logscope {

namespace {
constexpr int kWidth = 760, kHeight = 470;  // pixels
constexpr int kButtonWidth = 80, kChartTop = 35, kChartHeight = 410;
constexpr int kVkAdd = 107, kVkSubtract = 109, kVkOemPlus = 187, kVkOemMinus = 189;
// Each wheel notch or key press shows this share of the view more or less.
constexpr double kZoomStep = 0.8;
constexpr double kPanStep = 0.2;
}  // namespace

const char* familyName(Family f) {
    static constexpr const char* kNames[kFamilies] = {"Processors", "Memory", "ICMP", "IP", "TCP", "UDP"};
    return kNames[static_cast<int>(f)];
}

std::string stampText(std::int64_t ms) {
    const Stamp s = stampOf(ms);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", s.year, s.month, s.day, s.hour, s.minute,
                  s.second);
    return text;
}

FrmLogscope::FrmLogscope(forms::Runtime& ui, const std::string& where, LogSet logs, std::vector<std::string> notes)
    : Form(ui, "frmLogscope"), logs_(std::move(logs)), notes_(std::move(notes)) {
    setDialog("Logscope \u2014 " + where);
    setTakesFocus(true);
    for (int i = 0; i < kFamilies; ++i) {
        const Family f = kFamilyOrder[static_cast<std::size_t>(i)];
        forms::CommandButton& b = add<forms::CommandButton>("cmdFamily", i);
        b.move(6 + i * (kButtonWidth + 6), 6, kButtonWidth, 23);
        b.setCaption(std::to_string(i + 1) + " " + familyName(f));
        b.onClick = [this, f] { setFamily(f); };
        cmdFamily[static_cast<std::size_t>(i)] = &b;
    }
    lblSpan = &add<forms::Label>("lblSpan");
    lblSpan->move(6 + kFamilies * (kButtonWidth + 6), 11, kWidth - 12 - kFamilies * (kButtonWidth + 6), 14);
    lblSpan->setAlignment(forms::Alignment::Right);
    picChart = &add<forms::PictureBox>("picChart");
    picChart->move(0, kChartTop, kWidth, kChartHeight);
    lblStatus = &add<forms::Label>("lblStatus");
    lblStatus->move(6, kChartTop + kChartHeight + 6, kWidth - 12, 14);

    picChart->onMouseDown = [this](const forms::MouseArgs& a) {
        dragging_ = a.button == 1;
        dragX_ = a.x;
    };
    picChart->onMouseMove = [this](const forms::MouseArgs& a) {
        if (!dragging_ || a.x == dragX_) return;
        // The time under the mouse stays under it.
        const double msPerPixel = static_cast<double>(view_.length()) / std::max(1, plot().width);
        view_.panMs(static_cast<std::int64_t>(std::llround((dragX_ - a.x) * msPerPixel)));
        dragX_ = a.x;
        redraw();
    };
    picChart->onMouseUp = [this](const forms::MouseArgs&) { dragging_ = false; };
    onKeyDown = [this](const platform::KeyEvent& e) { return key(e); };

    view_.reset(logs_.first(), logs_.last());
    for (const Skipped& s : logs_.skipped()) notes_.push_back(s.text());
}

void FrmLogscope::onLoad() {
    const platform::Size screen = os().screenSize();
    const double w = kWidth * forms::kTwipsPerPixel, h = kHeight * forms::kTwipsPerPixel;
    move(std::max(0.0, (screen.width * forms::kTwipsPerPixel - w) / 2),
         std::max(0.0, (screen.height * forms::kTwipsPerPixel - h) / 2), w, h);
    setFamily(family_);
}

void FrmLogscope::onUnload() { os().quit(0); }

void FrmLogscope::setFamily(Family f) {
    family_ = f;
    for (std::size_t i = 0; i < kFamilyOrder.size(); ++i) cmdFamily[i]->setDefault(kFamilyOrder[i] == f);
    // An empty chart says why it is empty.
    std::string status;
    if (logs_.present().empty())
        status = "No log lines found";
    else if (logs_.present(f).empty())
        status = std::string("No ") + familyName(f) + " lines in these logs";
    for (const std::string& n : notes_) status += (status.empty() ? "" : "; ") + n;
    lblStatus->setCaption(status);
    redraw();
}

PlotArea FrmLogscope::plot() const { return plotArea(picChart->width(), picChart->height(), 0); }

void FrmLogscope::redraw() {
    drawChart(picChart->image(), logs_.present(family_), view_.span(), work_);
    picChart->invalidate();
    // Without a single line there is no time to name.
    lblSpan->setCaption(logs_.present().empty() ? std::string()
                                                : stampText(view_.span().from) + " to " + stampText(view_.span().to));
}

bool FrmLogscope::key(const platform::KeyEvent& e) {
    const int k = e.keyCode;
    if (k >= '1' && k < '1' + kFamilies) {
        setFamily(kFamilyOrder[static_cast<std::size_t>(k - '1')]);
        return true;
    }
    switch (k) {
        case 27: unload(); return true;
        case 37: view_.pan(-kPanStep); break;
        case 39: view_.pan(kPanStep); break;
        case 36: view_.home(); break;
        case 35: view_.end(); break;
        case kVkAdd: case kVkOemPlus: view_.zoom(kZoomStep, 0.5); break;
        case kVkSubtract: case kVkOemMinus: view_.zoom(1 / kZoomStep, 0.5); break;
        default: return false;
    }
    redraw();
    return true;
}

void FrmLogscope::onMouse(const platform::MouseEvent& e) {
    if (e.kind != platform::MouseEvent::Kind::Wheel || e.wheel == 0) {
        Form::onMouse(e);
        return;
    }
    // Around the pointer: the time under it stays where it is.
    const PlotArea a = plot();
    const double anchor = static_cast<double>(e.x - picChart->left() - a.left) / std::max(1, a.width);
    view_.zoom(std::pow(kZoomStep, e.wheel / 120.0), anchor);
    redraw();
}

}  // namespace vel::logscope
