// A CPU module's controls, free-standing (no window), and a loop that only
// counts how often a renderer lets pending events run.
#pragma once

#include <cstdlib>

#include "engine/renderers.h"

namespace vel::test {

// The renderers use nothing of the machine but doEvents.
class YieldCounter : public platform::Platform {
public:
    int doEventsCalls = 0;
    void doEvents() override { ++doEventsCalls; }

    std::string backendName() const override { return "yield-counter"; }
    platform::WindowId createWindow(const platform::WindowDesc&, platform::WindowListener*) override { return 0; }
    void destroyWindow(platform::WindowId) override {}
    void showWindow(platform::WindowId, bool) override {}
    void moveWindow(platform::WindowId, const platform::Rect&) override {}
    platform::Rect windowRect(platform::WindowId) const override { return {}; }
    void setWindowRegion(platform::WindowId, const platform::Region*, bool) override {}
    long setLayeredAlpha(platform::WindowId, std::uint8_t) override { return 0; }
    void setWindowPos(platform::WindowId, platform::ZOrder, unsigned) override {}
    void bringToFront(platform::WindowId) override {}
    void present(platform::WindowId, const Pixels&) override {}
    void systemDrag(platform::WindowId) override {}
    platform::Point cursorPos() override { return {}; }
    std::int32_t screenPixel(int, int) override { return -1; }
    platform::Size screenSize() override { return {1024, 768}; }
    void setIdleHook(std::function<void()>) override {}
    platform::TimerId startTimer(std::uint32_t, std::function<void()>) override { return 0; }
    void stopTimer(platform::TimerId) override {}
    int runLoop() override { return 0; }
    void quit(int) override {}
    bool quitting() const override { return false; }
    void sleep(std::uint32_t) override {}
    platform::SystemTime localTime() override { return {}; }
    platform::SystemTime systemTime() override { return {}; }
    std::int64_t perfCounter() override { return 0; }
    std::int64_t perfFrequency() override { return 0; }
    std::uint64_t tickMs() override { return 0; }
    int messageBox(const std::string&, const std::string&, int) override { return 0; }
    platform::Registry& registry() override { std::abort(); }
    platform::Sources& sources() override { std::abort(); }
    long shellExecute(const std::string&, const std::string&, int) override { return 0; }
    bool claimSingleInstance(const std::string&) override { return true; }
    std::string programFolder() override { return "."; }
    char pathSeparator() const override { return '/'; }
    std::string nativePath(const std::string& path) const override { return path; }
};

constexpr Colour kFace = rgb(40, 40, 40);  // plain face colour behind the drawing

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
    // Pixels of the meter that differ from the plain face.
    int drawnPixels() const {
        int n = 0;
        for (Colour c : picMod.image().data) n += c != kFace;
        return n;
    }
};

}  // namespace vel::test
