// The Full View frmFULLVIEW: the system-information window. One skinned,
// region-shaped window whose body shows one panel (screen) at a time, chosen
// with five screen buttons and up to three sub-view buttons; only the
// current screen's timers run.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "forms/form.h"
#include "forms/graphic_controls.h"
#include "forms/picture_box.h"
#include "fullview/pdh_table.h"

namespace vel {

class App;
class FvMemoryPage;
class FvHardwarePages;
class FvProcessorPages;
class FvNetworkPages;

namespace fullview {
// Full View screen numbers (FullViewNav::screen).
constexpr std::int16_t kSingleProcessor = 0, kProcessorsSummary = 1, kNetwork = 2, kMemory = 5, kHardware = 6;
// Panels of the picMod control array.
enum Panel : int { kPanelProcessor, kPanelSummary, kPanelIP, kPanelICMP, kPanelTCPUDP, kPanelMemory, kPanelHardware,
                   kPanelActivity, kPanelCount };
// How many sub-views a screen has (0 for a value that is no screen).
int subViewCount(std::int16_t screen);
// The screen a screen button leads to: 3 and 4 become 5 and 6.
std::int16_t translateScreen(std::int16_t screen);
}  // namespace fullview

class FrmFULLVIEW : public forms::Form {
public:
    explicit FrmFULLVIEW(App& app);
    ~FrmFULLVIEW() override;

    forms::PictureBox* picMainSkin;
    std::array<forms::PictureBox*, fullview::kPanelCount> picMod{};
    std::array<forms::Image*, 5> btnSelect{};
    std::array<forms::Label*, 5> btnFV{};
    std::array<forms::Image*, 3> btnTSelect{};
    std::array<forms::Label*, 3> btnTFV{};
    forms::PictureButton* btnExit;
    forms::Timer* tmrProcessors;
    forms::Timer* tmrCycles;
    forms::Timer* tmrIP;
    forms::Timer* tmrICMP;
    forms::Timer* tmrTCPUDP;
    forms::Timer* tmrMemory;
    std::array<forms::Timer*, 6> allTimers() const {
        return {tmrCycles, tmrICMP, tmrIP, tmrMemory, tmrProcessors, tmrTCPUDP};
    }

    PdhCounterTable pdh;
    std::unique_ptr<FvProcessorPages> processorPages;
    std::unique_ptr<FvNetworkPages> networkPages;
    std::unique_ptr<FvMemoryPage> memoryPage;
    std::unique_ptr<FvHardwarePages> hardwarePages;

    // Rebuilds the window for the current navigation state.
    void SetFVScreen();
    // Fills the shown panel for the current option.
    void Set_sType();

    void btnSelect_Click(int index);
    void btnFV_Click(int index) { btnSelect_Click(index); }
    void btnTSelect_Click(int index);
    void btnTFV_Click(int index) { btnTSelect_Click(index); }
    void lblCPUOpt_Click(int index);
    void lblNetOpt_Click(int index);
    void btnExit_Click();

    // The panel shown now (kPanelCount when none).
    int shownPanel() const;

protected:
    void onLoad() override;
    void onUnload() override;
    // The window manager's close (and Alt+F4) is the exit button.
    void onCloseRequest() override { btnExit_Click(); }

private:
    void dragWindow();
    void setSubViewButtons(std::int16_t screen, std::int16_t subView);
    App& app_;
};

// Sets the navigation state and shows the Full View without making it
// modal. An open window keeps its screen and only comes forward; it applies
// the new state when it next loads or when its own buttons are used.
void showFullView(App& app, std::int16_t screen, std::int16_t subView, std::int16_t sType);

}  // namespace vel
