#include "fullview/hardware_pages.h"

#include <sstream>

#include "core/vb.h"
#include "fullview/panel_style.h"

namespace vel {

using fullview::TextRole;

namespace {

const char* const kTitles[3] = {"Motherboard\\BIOS Information", "Video\\Monitor Information",
                                "Keyboard\\Mouse Information"};

// AdapterRAM in megabytes as a plain decimal number (15 significant
// digits); nothing when the field is not a number.
std::string adapterMegabytes(const std::string& adapterRam) {
    const std::optional<double> bytes = parseNumber(adapterRam);
    if (!bytes) return "";
    std::ostringstream out;
    out.precision(15);
    out << *bytes / 1048576.0;
    return out.str();
}

// The lines of a page that head a group rather than carry a value.
bool headingLine(int subView, int line) { return line == 0 || line == (subView == 0 ? 3 : 5); }

}  // namespace

const char* hardwarePageTitle(int subView) { return kTitles[subView < 0 || subView > 2 ? 0 : subView]; }

std::array<std::string, 10> hardwarePageLines(const HardwareInventory& inv, int subView) {
    switch (subView) {
        case 0: {
            const BaseBoardRecord& b = inv.baseBoard.at(0);
            const BiosRecord& bios = inv.bios.at(0);
            return {"Motherboard:",
                    "Manufacturer: " + b.Manufacturer,
                    "Product Model: " + b.Product,
                    "BIOS: ",
                    "Manufacturer: " + bios.Manufacturer,
                    "Version: " + bios.Name,
                    "BIOS Date: " + bios.ReleaseDate,
                    "SMBios Info: " + bios.SMBIOSBIOSVersion + bios.SMBIOSMajorVersion + bios.SMBIOSMinorVersion,
                    "",
                    ""};
        }
        case 1: {
            const VideoControllerRecord& v = inv.videoController.at(0);
            const DesktopMonitorRecord& m = inv.desktopMonitor.at(0);
            return {"Video Adapter:",
                    v.AdapterCompatibility,
                    v.Name,
                    v.AdapterDACType,
                    adapterMegabytes(v.AdapterRAM) + "MB RAM",
                    "Monitor:",
                    m.MonitorManufacturer,
                    m.Description,
                    "Resolution: " + m.ScreenWidth + "x" + m.ScreenHeight,
                    "Device Status: " + m.Status};
        }
        default: {
            const KeyboardRecord& k = inv.keyboard.at(0);
            const PointingDeviceRecord& p = inv.pointingDevice.at(0);
            return {"Keyboard:",
                    k.Description,
                    "Function Keys: " + k.NumberOfFunctionKeys,
                    "Type: " + k.Caption,
                    "Device Status: " + k.Status,
                    "Mouse:",
                    "Manufacturer: " + p.Manufacturer,
                    "Model: " + p.Name,
                    "Buttons: " + p.NumberOfButtons,
                    "Device Status: " + p.Status};
        }
    }
}

FvHardwarePages::FvHardwarePages(forms::PictureBox& panel) {
    fullview::addPanelTitle(panel, "MISCELLANEOUS DATA");
    lblSTitle = &fullview::addPanelLabel(panel, "lblSTitle", -1, 12, 28, 368, TextRole::Heading);
    for (int i = 0; i < 10; ++i)
        lblMiscInfo[i] = &fullview::addPanelLabel(panel, "lblMiscInfo", i, 12, 50 + i * 16, 368, TextRole::Caption);
}

void FvHardwarePages::showSubView(int subView) { lblSTitle->setCaption(hardwarePageTitle(subView)); }

void FvHardwarePages::setUp(const HardwareInventory& inventory, int subView) {
    const std::array<std::string, 10> lines = hardwarePageLines(inventory, subView);
    for (int i = 0; i < 10; ++i) {
        forms::Label& l = *lblMiscInfo[i];
        // Group heads stand out; the lines under them are indented.
        const bool head = headingLine(subView, i);
        const TextRole role = head ? TextRole::Heading : TextRole::Caption;
        l.setFont(fullview::fontFor(role));
        l.setForeColor(head ? fullview::kTitleColour : fullview::kValueColour);
        l.setLeft(head ? 12 : 24);
        l.setCaption(lines[i]);
    }
}

}  // namespace vel
