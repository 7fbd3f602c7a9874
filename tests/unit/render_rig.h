// A CPU module's controls, free-standing (no window), and a loop that only
// counts how often a renderer lets pending events run.
#pragma once

#include <map>
#include <utility>

#include "engine/renderers.h"
#include "platform/sim/sim_platform.h"

namespace vel::test {

// The renderers use nothing of the machine but doEvents, which only counts here.
class YieldCounter : public platform::SimPlatform {
public:
    void doEvents() override { ++doEventsCalls; }
    int doEventsCalls = 0;
};

constexpr Colour kFace = rgb(40, 40, 40);  // plain face colour behind the drawing

using PixelMap = std::map<std::pair<int, int>, Colour>;

// The pixels that are not the given colour, with their colours.
inline PixelMap pixelsOtherThan(const Pixels& p, Colour c) {
    PixelMap out;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.at(x, y) != c) out[{x, y}] = p.at(x, y);
    return out;
}

// The module layout of frmCPU: a 60 x 23 meter with its needle line, cover
// shape and value label, and the lit picture of the Intensi-Meter.
struct RenderRig {
    EngineState state;
    YieldCounter os;
    forms::PictureBox picMod{"picMod"};
    forms::Line lnVU{"lnVU"};
    forms::Shape shpTC{"shpTC"};
    forms::Label lblCPU{"lblCPU"};
    forms::PictureBox picHolder{"picHolder"};
    CpuModuleView view{&picMod, &lnVU, &shpTC, &lblCPU, &picHolder};
    RenderContext ctx{state, os, 0};

    RenderRig() {
        state.reset();
        picMod.move(8, 2, 60, 23);
        picMod.setBackColor(kFace);
        picHolder.move(68, 2, 60, 23);
        lnVU.setPoints(13, 11, 30, 22);
        shpTC.move(8, 2, 15, 20);
    }

    Colour at(int x, int y) const { return picMod.image().at(x, y); }
    // Pixels of the meter that differ from the plain face, with their colours.
    using Drawn = PixelMap;
    Drawn drawn() const { return pixelsOtherThan(picMod.image(), kFace); }
    int drawnPixels() const { return static_cast<int>(drawn().size()); }
};

}  // namespace vel::test
