// frmLogscope: the log viewer's one window. A row of buttons picks the
// family and a list the day; the chart shows the family's series over the
// view, with a legend that hides and shows them and a readout at the
// pointer; the status line tells what could not be read or was exported.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "forms/buttons.h"
#include "forms/combo_box.h"
#include "forms/form.h"
#include "forms/graphic_controls.h"
#include "forms/picture_box.h"
#include "logscope/chart.h"
#include "logscope/chart_view.h"
#include "logscope/export.h"
#include "logscope/log_reader.h"
#include "logscope/periods.h"

namespace vel::logscope {

// The families in the order of the buttons and of keys 1 to 6.
inline constexpr std::array<Family, kFamilies> kFamilyOrder{Family::Processors, Family::Memory, Family::IP,
                                                            Family::ICMP,       Family::TCP,    Family::UDP};
const char* familyName(Family f);
// The chart's size in the window, and of an exported picture.
inline constexpr int kChartWidth = 760, kChartHeight = 410;
// The family a word names ("memory", "tcp"), or -1.
int familyOfName(const std::string& word);

class FrmLogscope : public forms::Form {
public:
    // `where` names what was opened (a folder, or the first file); `notes`
    // are told in the status line beside the skipped lines. Exports go to
    // the first of `exportFolders` that takes them.
    FrmLogscope(forms::Runtime& ui, const std::string& where, LogSet logs, std::vector<std::string> notes = {},
                std::vector<std::string> exportFolders = {});

    std::array<forms::CommandButton*, kFamilies> cmdFamily{};
    forms::ComboBox* cboDay = nullptr;
    forms::PictureBox* picChart = nullptr;
    forms::Label* lblSpan = nullptr;
    forms::CommandButton* cmdPng = nullptr;
    forms::CommandButton* cmdCsv = nullptr;
    forms::Label* lblStatus = nullptr;

    Family family() const { return family_; }
    void setFamily(Family f);
    const ChartView& view() const { return view_; }
    const LogSet& logs() const { return logs_; }
    const std::vector<Day>& days() const { return days_; }
    void showDay(int index);

    // The family's series in legend order, and which of them are drawn.
    std::vector<const Series*> legend() const { return logs_.present(family_); }
    std::vector<const Series*> shown() const;
    // Hides a shown entry of the legend, shows a hidden one.
    void toggleSeries(int index);
    void showAllSeries();
    // Where the last drawing put the plot and the legend entries.
    const ChartLayout& layout() const { return layout_; }
    // The readout's lines (time, then "name: value"); empty without a pointer over the plot.
    std::vector<std::string> readout() const;

    Exported exportPng();
    Exported exportCsv();

    void onMouse(const platform::MouseEvent& e) override;
    void onCloseRequest() override { unload(); }

protected:
    void onLoad() override;
    void onUnload() override;

private:
    bool key(const platform::KeyEvent& e);
    void redraw();
    void updateStatus();
    void pointAt(int column);
    std::int64_t pointerTime() const;
    std::vector<bool> hiddenFlags() const;
    Exported finishExport(Exported done);
    LogSet logs_;
    std::vector<std::string> notes_, exportFolders_;
    std::string message_;
    Family family_ = Family::Processors;
    // Bit `field` of a family's entry: that series is hidden.
    std::array<std::uint16_t, kFamilies> hidden_{};
    std::vector<Day> days_;
    ChartView view_;
    ChartLayout layout_;
    std::vector<Reduced> work_;
    int pointer_ = -1;  // plot column under the pointer
    bool dragging_ = false;
    double dragX_ = 0;
};

}  // namespace vel::logscope
