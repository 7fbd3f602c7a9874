// The miscellaneous-hardware screen of the Full View: three pages of ten
// lines each (motherboard and BIOS, video and monitor, keyboard and mouse)
// from the first record of the hardware inventory's tables.
#pragma once

#include <array>
#include <string>

#include "forms/graphic_controls.h"
#include "forms/picture_box.h"
#include "sources/hardware_inventory.h"

namespace vel {

// The ten lines of a page (0 to 2) for an inventory.
std::array<std::string, 10> hardwarePageLines(const HardwareInventory& inventory, int subView);
// The sub-view titles, which are also the sub-view buttons' tooltips.
const char* hardwarePageTitle(int subView);

class FvHardwarePages {
public:
    explicit FvHardwarePages(forms::PictureBox& panel);

    forms::Label* lblSTitle;
    std::array<forms::Label*, 10> lblMiscInfo{};

    // The screen's set-up for a sub-view: its title.
    void showSubView(int subView);
    // Set_sType: the ten lines of the sub-view.
    void setUp(const HardwareInventory& inventory, int subView);
};

}  // namespace vel
