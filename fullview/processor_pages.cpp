#include "fullview/processor_pages.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/app.h"
#include "core/vb.h"
#include "engine/antialias.h"
#include "fullview/panel_style.h"
#include "sources/cpu_total_usage.h"
#include "sources/cpu_usage.h"
#include "sources/system_metrics.h"

namespace vel {

using fullview::TextRole;

namespace {

constexpr Colour kFeaturePresent = rgb(5, 57, 116), kFeatureAbsent = rgb(103, 169, 218);
constexpr Colour kFeatureText = rgb(103, 186, 218);
constexpr int kGraphWidth = 100, kGraphHeight = 50, kBarHeight = 34, kBarWidth = 14;
constexpr std::int16_t kSummaryType = 99, kActivityType = 98;
constexpr int kTotalPosition = 5;  // the summary's total counter, beyond four processors

struct Feature {
    const char* caption;
    int number;
    bool presentWhenAbsent;  // feature 1 says the FPU is emulated
};
const Feature kFeatures[8] = {{"Floating-Point Processor Installed", 1, true},
                              {"Multimedia Extensions Available", 3, false},
                              {"Streaming SIMD Extensions Available", 6, false},
                              {"Streaming SIMD Extensions v2 Available", 10, false},
                              {"36-Bit Physical Addressing Mode", 9, false},
                              {"Data Execution Prevention", 12, false},
                              {"Pentium FPU Error Detected!", 0, false},
                              {"AMD 3D-Now! Ready", 7, false}};

struct CounterTag {
    const char* tag;
    const char* tip;
};
const CounterTag kTags[5] = {{"IDLE", "Percentage of processor time in idle state."},
                             {"C1", "Percentage of processor time in 'C1 Low-Power' mode."},
                             {"INTH", "Processor percentage spent servicing hardware interrupts."},
                             {"INTS", "Average number of interrupts received and\\or serviced per second."},
                             {"DPCQ", "Average number of deferred procedure calls queued per second."}};

// The usage graph at the top of the right column and, beside it, the three
// bars with their tags; under them the two rates with their tags. The rate
// labels are the page's own (value labels given by the caller).
void buildCounterRows(forms::PictureBox& panel, FvCounterRows& rows, forms::PictureBox*& graph, int graphIndex,
                      forms::Label& rate0, forms::Label& rate1) {
    constexpr int x = 216, y = 26;
    graph = &panel.add<forms::PictureBox>("picGraph", graphIndex);
    graph->move(x, y, kGraphWidth, kGraphHeight);
    graph->setBackColor(fullview::kCoverColour);
    graph->cls();
    for (int i = 0; i < 3; ++i) {
        const int bx = x + kGraphWidth + 10 + i * (kBarWidth + 12);
        rows.strip[i] = &fullview::addFilledShape(panel, "shpStrip", i, bx, y, kBarWidth, kBarHeight, fullview::kBarColour);
        rows.cover[i] = &fullview::addFilledShape(panel, "shpCover", i, bx, y, kBarWidth, kBarHeight, fullview::kCoverColour);
        rows.tag[i] = &fullview::addPanelLabel(panel, "lblTag", i, bx - 6, y + kBarHeight + 2, kBarWidth + 12,
                                               TextRole::Small);
        rows.tag[i]->setAlignment(forms::Alignment::Center);
    }
    forms::Label* rates[2] = {&rate0, &rate1};
    for (int i = 0; i < 2; ++i) {
        const int ry = y + kGraphHeight + 4 + i * 14;
        rows.tag[3 + i] = &fullview::addPanelLabel(panel, "lblTag", 3 + i, x, ry, 40, TextRole::Small);
        rates[i]->move(x + 40, ry - 1, 148, rates[i]->height());
        rows.rate[i] = rates[i];
    }
    for (int i = 0; i < 5; ++i) {
        rows.tag[i]->setCaption(kTags[i].tag);
        rows.tag[i]->setToolTipText(kTags[i].tip);
    }
}

}  // namespace

namespace fullview {

double percentCover(double value) { return (100.0 - value) * 0.33 + 1.0; }

int graphGrey(int value, int i) {
    const float step = 255.0f / static_cast<float>(value);
    return i * static_cast<int>(roundHalfEven(step));
}

Decimal4 twoPlaces(double value) {
    return Decimal4::fromDouble(parseNumber(formatNumber(value, "0.00")).value_or(0));
}

Decimal4 averageUsage(const std::array<std::int32_t, 4>& usage, int detected) {
    if (detected <= 0) return {};
    const double sum = static_cast<double>(usage[0]) + usage[1] + usage[2] + usage[3];
    return twoPlaces(sum / detected);
}

std::string cpuStatusText(const std::string& cpuStatus) {
    const std::optional<double> v = parseNumber(cpuStatus);
    const int code = v ? static_cast<int>(*v) : 0;
    switch (v && *v == code ? code : 0) {
        case 1: return "Status: ENABLED";
        case 2: return "Status: DISABLED (BIOS)";
        case 3: return "Status: DISABLED (POST ERROR)";
        case 4: return "Status: IDLE";
        default: return "Status: UNKNOWN";
    }
}

std::array<std::string, 5> processorCounterPaths(const std::string& instance) {
    const std::string p = "\\Processor(" + instance + ")\\";
    return {p + "% Idle Time", p + "% C1 Time", p + "% Interrupt Time", p + "Interrupts/sec",
            p + "DPCs Queued/sec"};
}

}  // namespace fullview

FvProcessorPages::FvProcessorPages(App& app, forms::PictureBox& single, forms::PictureBox& summary,
                                   forms::PictureBox& activity)
    : app_(app) {
    fullview::addPanelTitle(single, "PROCESSOR DATA");
    const int captionLine = gfx::lineHeight(fullview::fontFor(TextRole::Caption));
    const int smallLine = gfx::lineHeight(fullview::fontFor(TextRole::Small));
    lblProcessorInfo[0] = &fullview::addPanelLabel(single, "lblProcessorInfo", 0, 12, 26, 196, TextRole::Caption);
    lblProcessorInfo[0]->move(12, 26, 196, 4 * captionLine);
    for (int i = 1; i < 10; ++i) {
        const bool rate = i == 4 || i == 5;
        const int top = i >= 6 ? 26 + (i - 2) * captionLine : 26;
        lblProcessorInfo[i] = &fullview::addPanelLabel(single, "lblProcessorInfo", i, 12, top, 196,
                                                       rate ? TextRole::Value : TextRole::Caption);
        if (i < 4) lblProcessorInfo[i]->setVisible(false);  // lines 1-3 live inside line 0
    }
    buildCounterRows(single, rows[0], picGraph[0], 0, *lblProcessorInfo[4], *lblProcessorInfo[5]);
    for (int i = 0; i < 8; ++i) {
        const int top = 112 + i * smallLine;
        shpF[i] = &fullview::addFilledShape(single, "shpF", i, 216, top + 2, 7, 7, kFeatureAbsent);
        lblF[i] = &fullview::addPanelLabel(single, "lblF", i, 228, top, 176, TextRole::Small);
        lblF[i]->setCaption(kFeatures[i].caption);
    }
    for (int i = 0; i < 4; ++i) {
        // A column of links below the identity, so the four captions never run together.
        lblCPUOpt[i] = &fullview::addPanelLabel(single, "lblCPUOpt", i, 12, 144 + i * 14, 150, TextRole::Option);
        lblCPUOpt[i]->setCaption("Show Processor " + std::to_string(i) + " Data");
    }

    fullview::addPanelTitle(summary, "PROCESSORS SUMMARY");
    for (int i = 0; i < 12; ++i) {
        const int top = i < 4 ? 26 + i * captionLine : 26 + (i - 2) * captionLine;
        lblProcSumInfo[i] = &fullview::addPanelLabel(summary, "lblProcSumInfo", i, 12, top, 196,
                                                     i == 2 || i == 4 || i == 5 ? TextRole::Value : TextRole::Caption);
    }
    lblProcSumInfo[1]->setCaption("Average Processor Usage:");
    buildCounterRows(summary, rows[1], picGraph[1], 1, *lblProcSumInfo[4], *lblProcSumInfo[5]);

    fullview::addPanelTitle(activity, "PROCESSORS ACTIVITY GRAPHS");
    lblActivity = &fullview::addPanelLabel(activity, "lblActivity", -1, 12, 100, 368, TextRole::Heading);
    lblActivity->setAlignment(forms::Alignment::Center);
    lblActivity->setCaption("NOT IMPLEMENTED");
}

void FvProcessorPages::showSingle() {
    platform::Sources& sources = app_.os.sources();
    for (int i = 0; i < 8; ++i) {
        const bool present = sources.processorFeaturePresent(kFeatures[i].number);
        shpF[i]->setFillColor(present != kFeatures[i].presentWhenAbsent ? kFeaturePresent : kFeatureAbsent);
        lblF[i]->setForeColor(kFeatureText);
    }
    const int detected = std::min<int>(app_.processorCount, 4);
    for (int i = 0; i < 4; ++i) {
        const bool on = i < detected;
        lblCPUOpt[i]->setEnabled(on);
        lblCPUOpt[i]->setForeColor(on ? fullview::kLinkColour : fullview::kDimColour);
    }
}

void FvProcessorPages::showSummary() {
    lblProcSumInfo[0]->setCaption("Detected Processors: " + std::to_string(app_.processorCount));
}

void FvProcessorPages::setUp(PdhCounterTable& pdh) {
    const std::int16_t sType = app_.fullViewNav.sType;
    if (sType == kSummaryType) {
        setUpSummary(pdh);
    } else if (sType == kActivityType) {
        pdh.open();
        for (int n = 0; n < 4; ++n) pdh.add("\\Processor(" + std::to_string(n) + ")\\% Processor Time");
    } else if (sType >= 0 && sType <= 3) {
        setUpSingle(pdh, sType);
    }
}

void FvProcessorPages::setUpSingle(PdhCounterTable& pdh, int processor) {
    const auto& records = app_.inventory.processor;
    const ProcessorRecord& r = static_cast<std::size_t>(processor) < records.size() ? records[processor] : records.back();
    lblProcessorInfo[0]->setCaption(trimBlanks(r.Name) + "\r\n" + fullview::cpuStatusText(r.CpuStatus) +
                                    "\r\nChip Type: " + r.SocketDesignation + "\r\nCore Clock: " + r.ExtClock + " Mhz");
    const std::optional<double> volts = parseNumber(r.CurrentVoltage);
    lblProcessorInfo[6]->setCaption("Core Voltage: " + (volts ? Decimal4::fromDouble(*volts / 10.0).text() : "") +
                                    "v");
    std::int16_t n = static_cast<std::int16_t>(processor);
    const std::int32_t rated = app_.metrics ? app_.metrics->GetCPUSpeed(n) : 0;
    lblProcessorInfo[7]->setCaption("Rated Speed: " + std::to_string(rated) + " Mhz");
    lblProcessorInfo[8]->setCaption("Est. Speed:  0.000 Mhz*");
    lblProcessorInfo[9]->setCaption("Device ID: " + r.DeviceID);
    pdh.open();
    for (const std::string& path : fullview::processorCounterPaths(std::to_string(processor))) pdh.add(path);
}

void FvProcessorPages::setUpSummary(PdhCounterTable& pdh) {
    pdh.open();
    for (const std::string& path : fullview::processorCounterPaths("_Total")) pdh.add(path);
    // The four samplers cannot cover more processors: the system's total does.
    if (app_.processorCount > 4) pdh.add(clsCPUTotalUsage::kPath);
    shownTotal_ = {};
    const ProcessorRecord& r = app_.inventory.processor.at(0);
    lblProcSumInfo[8]->setCaption(r.Manufacturer);
    lblProcSumInfo[9]->setCaption(r.Name);
    lblProcSumInfo[10]->setCaption(r.AddressWidth + "-Bit Processor");
    lblProcSumInfo[11]->setCaption("");
}

void FvProcessorPages::tick(PdhCounterTable& pdh) {
    const int detected = std::min<int>(app_.processorCount, 4);
    std::array<std::int32_t, 4> usage{};
    for (int i = 0; i < detected; ++i)
        if (app_.samplers[i]) usage[i] = app_.samplers[i]->Usage();
    const std::int16_t sType = app_.fullViewNav.sType;
    if (app_.fullViewNav.screen == 0) {
        drawGraph(0, sType >= 0 && sType <= 3 ? usage[sType] : 0);
        collect(pdh);
        display(pdh, rows[0]);
    } else if (sType == kSummaryType) {
        collect(pdh);
        const Decimal4 average = app_.processorCount > 4 ? totalUsage(pdh) : fullview::averageUsage(usage, detected);
        drawGraph(1, static_cast<int>(roundHalfEven(average.toDouble())));
        lblProcSumInfo[2]->setCaption(average.text());
        display(pdh, rows[1]);
    }
    if (++graphColumn >= 100) graphColumn = 0;
}

void FvProcessorPages::drawGraph(int graph, int value) {
    forms::PictureBox& g = *picGraph[graph];
    const double x = graphColumn;
    if (graphColumn == 0) g.cls();
    graphValue[graph] = value;
    if (value < 1) {
        AAPlot(g, x, 49.0, 0, 0, 0);
    } else {
        for (int i = 0; i <= value; ++i) {
            const auto grey = static_cast<std::int16_t>(std::min(fullview::graphGrey(value, i), 32767));
            AAPlot(g, x, fullview::graphPointY(i), grey, grey, grey);
        }
    }
}

void FvProcessorPages::collect(PdhCounterTable& pdh) {
    if (pdh.isOpen()) app_.os.sources().collectQueryData(pdh.query());
}

Decimal4 FvProcessorPages::totalUsage(PdhCounterTable& pdh) {
    if (pdh.count() <= kTotalPosition) return shownTotal_;
    long status = platform::kPdhCstatusInvalidData;
    const double value = app_.os.sources().counterValue(pdh.entry(kTotalPosition).handle, status);
    // Without a reading the page keeps what it showed, like the rows.
    if (status == platform::kPdhCstatusValidData || status == platform::kPdhCstatusNewData)
        shownTotal_ = fullview::twoPlaces(value);
    return shownTotal_;
}

void FvProcessorPages::display(PdhCounterTable& pdh, FvCounterRows& r) {
    platform::Sources& sources = app_.os.sources();
    const int n = std::min(pdh.count(), PdhCounterTable::kCapacity);
    for (int i = 0; i < n; ++i) {
        long status = platform::kPdhCstatusInvalidData;
        const double value = sources.counterValue(pdh.entry(i).handle, status);
        if (status != platform::kPdhCstatusValidData && status != platform::kPdhCstatusNewData) continue;
        if (i < 3) {
            r.coverHeight[i] = fullview::percentCover(value);
            const int h = std::clamp(static_cast<int>(roundHalfEven(r.coverHeight[i])), 0, kBarHeight);
            r.cover[i]->move(r.cover[i]->left(), r.strip[i]->top(), kBarWidth, h);
        } else if (i < 5) {
            r.rate[i - 3]->setCaption(formatNumber(value, "0"));
        }
    }
    app_.os.doEvents();
}

void FvProcessorPages::estimateSpeed() {
    const std::int16_t sType = app_.fullViewNav.sType;
    Decimal4 mhz{};
    if (sType >= 0 && sType <= 3 && app_.samplers[sType])
        mhz = app_.samplers[sType]->PerfFreq();
    lblProcessorInfo[8]->setCaption("Est. Speed: " + formatNumber(mhz.toDouble(), "0.000") + " Mhz*");
}

}  // namespace vel
