#include "fullview/processor_pages.h"

#include <string>

#include "core/app.h"
#include "fullview/panel_style.h"

namespace vel {

using fullview::TextRole;

FvProcessorPages::FvProcessorPages(App& app, forms::PictureBox& single, forms::PictureBox& summary,
                                   forms::PictureBox& activity)
    : app_(app) {
    fullview::addPanelTitle(single, "PROCESSOR DATA");
    for (int i = 0; i < 4; ++i) {
        lblCPUOpt[i] = &fullview::addPanelLabel(single, "lblCPUOpt", i, 12 + (i % 2) * 192, 180 + (i / 2) * 16, 180,
                                                TextRole::Option);
        lblCPUOpt[i]->setCaption("Show Processor " + std::to_string(i) + " Data");
    }

    fullview::addPanelTitle(summary, "PROCESSORS SUMMARY");
    for (int i = 0; i < 12; ++i) {
        lblProcSumInfo[i] = &fullview::addPanelLabel(summary, "lblProcSumInfo", i, 12, 30 + i * 14, 368, TextRole::Caption);
    }

    fullview::addPanelTitle(activity, "PROCESSORS ACTIVITY GRAPHS");
    lblActivity = &fullview::addPanelLabel(activity, "lblActivity", -1, 12, 100, 368, TextRole::Heading);
    lblActivity->setAlignment(forms::Alignment::Center);
    lblActivity->setCaption("NOT IMPLEMENTED");
}

void FvProcessorPages::showSingle() {
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

}  // namespace vel
