// frmLogscope: the log viewer's one window. A row of buttons picks the
// family, the chart shows its series over the view, and a status line
// tells what could not be read.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "forms/buttons.h"
#include "forms/form.h"
#include "forms/graphic_controls.h"
#include "forms/picture_box.h"
#include "logscope/chart.h"
#include "logscope/chart_view.h"
#include "logscope/log_reader.h"

namespace vel::logscope {

// The families in the order of the buttons and of keys 1 to 6.
inline constexpr std::array<Family, kFamilies> kFamilyOrder{Family::Processors, Family::Memory, Family::IP,
                                                            Family::ICMP,       Family::TCP,    Family::UDP};
const char* familyName(Family f);

class FrmLogscope : public forms::Form {
public:
    // `where` names what was opened (a folder, or the first file); `notes`
    // are told in the status line beside the skipped lines.
    FrmLogscope(forms::Runtime& ui, const std::string& where, LogSet logs, std::vector<std::string> notes = {});

    std::array<forms::CommandButton*, kFamilies> cmdFamily{};
    forms::PictureBox* picChart = nullptr;
    forms::Label* lblSpan = nullptr;
    forms::Label* lblStatus = nullptr;

    Family family() const { return family_; }
    void setFamily(Family f);
    const ChartView& view() const { return view_; }
    const LogSet& logs() const { return logs_; }

    void onMouse(const platform::MouseEvent& e) override;
    void onCloseRequest() override { unload(); }

protected:
    void onLoad() override;
    void onUnload() override;

private:
    bool key(const platform::KeyEvent& e);
    void redraw();
    PlotArea plot() const;
    LogSet logs_;
    std::vector<std::string> notes_;
    Family family_ = Family::Processors;
    ChartView view_;
    std::vector<Reduced> work_;
    bool dragging_ = false;
    double dragX_ = 0;
};

// "2026-12-06 14:05:09"
std::string stampText(std::int64_t ms);

}  // namespace vel::logscope
