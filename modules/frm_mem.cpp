#include "modules/frm_mem.h"

#include "core/vb.h"
#include "modules/image_lists.h"

namespace vel {

namespace {

constexpr int kFullViewMemory = 5;
const int kBarLeft[4] = {8, 19, 30, 41};
const int kBarWidth[4] = {10, 10, 10, 11};
const Colour kCoverColour[5] = {rgb(0, 0, 0), rgb(103, 186, 218), rgb(252, 211, 93), rgb(133, 212, 0),
                                rgb(255, 92, 85)};

std::string megabytes(Decimal4 bytes) { return formatNumber(bytes.toDouble() / 1048576.0, "000.000"); }

}  // namespace

std::optional<int> memCoverHeight(double fraction) {
    const double f = Decimal4::fromDouble(fraction).toDouble();
    const double h = roundHalfEven(18.0 * f);
    if (h < 0 || h > 32767) return std::nullopt;
    return static_cast<int>(h);
}

FrmMemory::FrmMemory(App& app)
    : ModuleForm(app, "frmMemory", WindowSlot::Memory, "Memory (Double-click for info...)") {
    setCaption(app.titleFor("Memory"));
    const auto fullView = [this] { openFullView(kFullViewMemory); };
    for (int i = 0; i < 4; ++i) {
        memMeter[i] = &picMod->add<forms::Image>("memMeter", i);
        memMeter[i]->move(kBarLeft[i], 3, kBarWidth[i], 17);
        memMeter[i]->onDblClick = fullView;
    }
    // Added after the bars, so each cover lies in front of its bar.
    for (int i = 0; i < 4; ++i) {
        shpMem[i] = &picMod->add<forms::Label>("shpMem", i);
        shpMem[i]->move(kBarLeft[i], 3, kBarWidth[i], 3);
        shpMem[i]->setOpaque(true);
        shpMem[i]->setBackColor(rgb(0, 0, 0));
    }
    wireMouse(*picMainSkin, nullptr);
    wireMouse(*picMod, fullView);
}

void FrmMemory::onLoad() {
    forms::Runtime& ui = app_.ui;
    // The design's face and bars: the black style's pictures.
    picMod->setPicture(ui.picture(memImageFile(1)));
    for (forms::Image* bar : memMeter) bar->setPicture(ui.picture(memImageFile(6)));

    loadFrame();
    dressForStyle();
    finishLoad();
}

void FrmMemory::dressForStyle() {
    forms::Runtime& ui = app_.ui;
    // Pictures by number from the list; a number it does not hold leaves
    // the picture as it was.
    const int code = app_.settings.mTyp[6];
    if (const std::string face = memImageFile(code + 1); !face.empty()) picMod->setPicture(ui.picture(face));
    const std::string bar = memImageFile(code + 6);
    for (int i = 0; i < 4; ++i) {
        if (!bar.empty()) memMeter[i]->setPicture(ui.picture(bar));
        if (code >= 0 && code <= 4) shpMem[i]->setBackColor(kCoverColour[code]);
    }
}

void FrmMemory::update(const MemorySnapshot& s) {
    struct Pool {
        Decimal4 avail, total;
        const char* label;
    };
    const Pool pools[3] = {{s.AvailPhys, s.TotalPhys, "Available Physical Memory: "},
                           {s.AvailVirtual, s.TotalVirtual, "Available Virtual Memory: "},
                           {s.AvailPageFile, s.TotalPageFile, "Available Page File: "}};
    for (int i = 0; i < 3; ++i) {
        const Pool& p = pools[i];
        // A zero total fails the division: that bar keeps its cover.
        if (p.total.raw != 0) {
            const double f = (100.0 - p.avail.toDouble() / p.total.toDouble() * 100.0) / 100.0;
            if (auto h = memCoverHeight(f)) shpMem[i]->setHeight(*h);
        }
        const std::string tip = p.label + megabytes(p.avail) + " MB (Double-Click for info...)";
        memMeter[i]->setToolTipText(tip);
        shpMem[i]->setToolTipText(tip);
    }
    const double load = s.CombinedLoad.toDouble();
    if (auto h = memCoverHeight((100.0 - 100.0 * load) / 100.0)) shpMem[3]->setHeight(*h);
    const std::string tip = "Total Memory Load: " + formatNumber(100.0 * load, "00.00") + "% (Double-Click for info...)";
    memMeter[3]->setToolTipText(tip);
    shpMem[3]->setToolTipText(tip);
}

}  // namespace vel
