// A started program with the Full View at hand: opening it, its pages, and
// an inventory with a value in every field the pages show.
#pragma once

#include "core/frm_main.h"
#include "fullview/frm_fullview.h"
#include "fullview/hardware_pages.h"
#include "fullview/memory_page.h"
#include "fullview/processor_pages.h"
#include "module_rig.h"

namespace vel::test {

class FullViewRig : public ModuleRig {
public:
    using ModuleRig::ModuleRig;
    // Starts the program and waits for the splash to close, so that
    // nothing lies over the middle of the screen.
    App& startAndSettle(const std::string& mainLines) {
        App& a = start(mainLines);
        m.sim.advance(2000);
        return a;
    }
    // Opens it from the main bar's skin, as a user does.
    FrmFULLVIEW& openFromMainBar() {
        doubleClick(*app().mainBar->picMainSkin, 30, 24);
        return view();
    }
    FrmFULLVIEW& view() { return *app().fullView; }
    // A machine described in every field the pages show.
    static HardwareInventory sampleInventory() {
        HardwareInventory inv;
        inv.baseBoard = {{"Larchmont Boards", "LB-Z790 PRO"}, {}};
        inv.bios = {{"Harbor BIOS Inc.", "HB UEFI 2.7", "20260314000000.000000+000", "1.42", "3", "4", true, "HB - 1072009"},
                    {}};
        inv.videoController = {{}, {}};
        inv.videoController[0].AdapterCompatibility = "Quillon Graphics";
        inv.videoController[0].Name = "Quillon Q580 Display Adapter";
        inv.videoController[0].AdapterDACType = "Integrated RAMDAC";
        inv.videoController[0].AdapterRAM = "268435456";
        inv.desktopMonitor = {{"Generic PnP Monitor", "Vantor", "", "1080", "1920", "OK"}, {}};
        inv.keyboard = {{"Enhanced (101- or 102-key)", "Standard PS/2 Keyboard", "PS/2 Keyboard", "12", "OK"}, {}};
        inv.pointingDevice = {{}, {}};
        inv.pointingDevice[0].Manufacturer = "Tollis";
        inv.pointingDevice[0].Name = "Tollis Wheel Mouse";
        inv.pointingDevice[0].NumberOfButtons = "5";
        inv.pointingDevice[0].Status = "OK";
        inv.physicalMemory = {{}, {}};
        inv.physicalMemory[0].Speed = "3200";
        inv.physicalMemory[0].DataWidth = "64";
        return inv;
    }
};

}  // namespace vel::test
