#include "logscope/frm_logscope.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "forms/runtime.h"
#include "gfx/png.h"
#include "logscope/readout.h"

namespace vel::logscope {

namespace {
constexpr int kWidth = kChartWidth, kHeight = 500;  // pixels
constexpr int kButtonWidth = 80, kChartTop = 35, kRow = kChartTop + kChartHeight + 6;
constexpr int kVkPageUp = 33, kVkPageDown = 34;
constexpr int kVkAdd = 107, kVkSubtract = 109, kVkOemPlus = 187, kVkOemMinus = 189;
constexpr int kShift = 1, kCtrl = 2;
// Each wheel notch or key press shows this share of the view more or less.
constexpr double kZoomStep = 0.8;
constexpr double kPanStep = 0.2;
}  // namespace

const char* familyName(Family f) {
    static constexpr const char* kNames[kFamilies] = {"Processors", "Memory", "ICMP", "IP", "TCP", "UDP"};
    return kNames[static_cast<int>(f)];
}

int familyOfName(const std::string& word) {
    for (int f = 0; f < kFamilies; ++f) {
        const std::string name = familyName(static_cast<Family>(f));
        if (name.size() == word.size() &&
            std::equal(name.begin(), name.end(), word.begin(), [](char a, char b) { return (a | 32) == (b | 32); }))
            return f;
    }
    return -1;
}

FrmLogscope::FrmLogscope(forms::Runtime& ui, const std::string& where, LogSet logs, std::vector<std::string> notes,
                         std::vector<std::string> exportFolders)
    : Form(ui, "frmLogscope"),
      logs_(std::move(logs)),
      notes_(std::move(notes)),
      exportFolders_(std::move(exportFolders)) {
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
    const int daysLeft = 6 + kFamilies * (kButtonWidth + 6) + 2;
    cboDay = &add<forms::ComboBox>("cboDay");
    cboDay->move(daysLeft, 7, kWidth - 6 - daysLeft, 21);
    picChart = &add<forms::PictureBox>("picChart");
    picChart->move(0, kChartTop, kWidth, kChartHeight);
    lblSpan = &add<forms::Label>("lblSpan");
    lblSpan->move(6, kRow + 5, kWidth - 12 - 2 * (kButtonWidth + 6), 14);
    cmdPng = &add<forms::CommandButton>("cmdPng");
    cmdPng->move(kWidth - 2 * (kButtonWidth + 6), kRow, kButtonWidth, 23);
    cmdPng->setCaption("PNG (Ctrl+S)");
    cmdPng->onClick = [this] { exportPng(); };
    cmdCsv = &add<forms::CommandButton>("cmdCsv");
    cmdCsv->move(kWidth - (kButtonWidth + 6), kRow, kButtonWidth, 23);
    cmdCsv->setCaption("CSV (Ctrl+E)");
    cmdCsv->onClick = [this] { exportCsv(); };
    lblStatus = &add<forms::Label>("lblStatus");
    lblStatus->move(6, kRow + 29, kWidth - 12, 14);

    picChart->onMouseDown = [this](const forms::MouseArgs& a) {
        // A legend entry is a switch, not the start of a drag.
        if (a.button == 1)
            for (std::size_t i = 0; i < layout_.legend.size(); ++i)
                if (layout_.legend[i].contains(static_cast<int>(a.x), static_cast<int>(a.y))) {
                    toggleSeries(static_cast<int>(i));
                    return;
                }
        dragging_ = a.button == 1;
        dragX_ = a.x;
    };
    picChart->onMouseMove = [this](const forms::MouseArgs& a) {
        const PlotArea& p = layout_.plot;
        const int column = static_cast<int>(std::floor(a.x)) - p.left;
        const bool over = column >= 0 && column < p.width && a.y >= p.top && a.y < p.top + p.height;
        if (dragging_ && a.x != dragX_) {
            // The time under the mouse stays under it.
            const double msPerPixel = static_cast<double>(view_.length()) / std::max(1, p.width);
            view_.panMs(static_cast<std::int64_t>(std::llround((dragX_ - a.x) * msPerPixel)));
            dragX_ = a.x;
        }
        pointAt(over ? column : -1);
    };
    picChart->onMouseUp = [this](const forms::MouseArgs&) { dragging_ = false; };
    onKeyDown = [this](const platform::KeyEvent& e) { return key(e); };

    view_.reset(logs_.first(), logs_.last());
    for (const Skipped& s : logs_.skipped()) notes_.push_back(s.text());
    days_ = daysOf(logs_);
    for (const Day& d : days_) cboDay->addItem(dayText(d));
    cboDay->onClick = [this] { showDay(cboDay->listIndex()); };
    layout_.plot = plotArea(kWidth, kChartHeight, 1);
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
    message_.clear();
    updateStatus();
    redraw();
}

void FrmLogscope::updateStatus() {
    // An empty chart says why it is empty.
    std::string status;
    if (logs_.present().empty())
        status = "No log lines found";
    else if (logs_.present(family_).empty())
        status = std::string("No ") + familyName(family_) + " lines in these logs";
    if (!message_.empty()) status += (status.empty() ? "" : "; ") + message_;
    for (const std::string& n : notes_) status += (status.empty() ? "" : "; ") + n;
    lblStatus->setCaption(status);
}

void FrmLogscope::showDay(int index) {
    if (index < 0 || index >= static_cast<int>(days_.size())) return;
    view_.showDay(days_[static_cast<std::size_t>(index)].start);
    redraw();
}

std::vector<bool> FrmLogscope::hiddenFlags() const {
    std::vector<bool> flags;
    for (const Series* s : legend()) flags.push_back(hidden_[static_cast<std::size_t>(family_)] >> s->info->field & 1);
    return flags;
}

std::vector<const Series*> FrmLogscope::shown() const {
    std::vector<const Series*> out;
    for (const Series* s : legend())
        if (!(hidden_[static_cast<std::size_t>(family_)] >> s->info->field & 1)) out.push_back(s);
    return out;
}

void FrmLogscope::toggleSeries(int index) {
    const std::vector<const Series*> entries = legend();
    if (index < 0 || index >= static_cast<int>(entries.size())) return;
    hidden_[static_cast<std::size_t>(family_)] ^= static_cast<std::uint16_t>(1u << entries[static_cast<std::size_t>(index)]->info->field);
    redraw();
}

void FrmLogscope::showAllSeries() {
    hidden_[static_cast<std::size_t>(family_)] = 0;
    redraw();
}

std::int64_t FrmLogscope::pointerTime() const { return timeAtColumn(view_.span(), layout_.plot.width, pointer_); }

std::vector<std::string> FrmLogscope::readout() const {
    return pointer_ < 0 ? std::vector<std::string>{} : readoutLines(pointerTime(), shown());
}

void FrmLogscope::pointAt(int column) {
    if (column == pointer_ && !dragging_) return;
    pointer_ = column;
    redraw();
}

void FrmLogscope::redraw() {
    Pixels& image = picChart->image();
    layout_ = drawChart(image, legend(), view_.span(), work_, hiddenFlags());
    if (pointer_ >= layout_.plot.width) pointer_ = -1;
    if (pointer_ >= 0) drawReadout(image, layout_, pointer_, readout(), shown());
    picChart->invalidate();
    // Without a single line there is no time to name.
    lblSpan->setCaption(logs_.present().empty() ? std::string()
                                                : stampText(view_.span().from) + " to " + stampText(view_.span().to));
    // The list names the day the view is in.
    const std::int64_t middle = dayStart(view_.span().from + view_.length() / 2);
    const auto day = std::find_if(days_.begin(), days_.end(), [&](const Day& d) { return d.start == middle; });
    cboDay->setListIndex(day == days_.end() ? -1 : static_cast<int>(day - days_.begin()));
}

Exported FrmLogscope::finishExport(Exported done) {
    message_ = done.message;
    updateStatus();
    return done;
}

Exported FrmLogscope::exportPng() {
    // The chart as it stands, without the pointer's line and box.
    Pixels chart(picChart->width(), picChart->height());
    std::vector<Reduced> work;
    drawChart(chart, legend(), view_.span(), work, hiddenFlags());
    return finishExport(writeExport(os().files(), os().pathSeparator(), exportFolders_,
                                    exportName(familyName(family_), view_.span(), "png"), gfx::encodePng(chart)));
}

Exported FrmLogscope::exportCsv() {
    return finishExport(writeExport(os().files(), os().pathSeparator(), exportFolders_,
                                    exportName(familyName(family_), view_.span(), "csv"),
                                    csvOf(shown(), view_.span())));
}

bool FrmLogscope::key(const platform::KeyEvent& e) {
    const int k = e.keyCode;
    if (k >= '1' && k <= '9' && (e.shift & kShift)) {
        toggleSeries(k - '1');
        return true;
    }
    if (k >= '1' && k < '1' + kFamilies && !(e.shift & kCtrl)) {
        setFamily(kFamilyOrder[static_cast<std::size_t>(k - '1')]);
        return true;
    }
    if (e.shift & kCtrl) {
        if (k == 'S') exportPng();
        if (k == 'E') exportCsv();
        return k == 'S' || k == 'E';
    }
    const int day = cboDay->listIndex();
    switch (k) {
        case 27: unload(); return true;
        case 'A': showAllSeries(); return true;
        case kVkPageUp: showDay(day < 0 ? static_cast<int>(days_.size()) - 1 : std::max(day - 1, 0)); return true;
        case kVkPageDown: showDay(day < 0 ? 0 : day + 1); return true;
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
    using Kind = platform::MouseEvent::Kind;
    // Off the chart there is no time to read out.
    const bool onChart = e.x >= picChart->left() && e.x < picChart->left() + picChart->width() &&
                         e.y >= picChart->top() && e.y < picChart->top() + picChart->height();
    if (e.kind == Kind::Leave || (e.kind == Kind::Move && !onChart && !dragging_)) pointAt(-1);
    if (e.kind != Kind::Wheel || e.wheel == 0) {
        Form::onMouse(e);
        return;
    }
    // Around the pointer: the time under it stays where it is.
    const PlotArea& a = layout_.plot;
    const double anchor = static_cast<double>(e.x - picChart->left() - a.left) / std::max(1, a.width);
    view_.zoom(std::pow(kZoomStep, e.wheel / 120.0), anchor);
    redraw();
}

}  // namespace vel::logscope
