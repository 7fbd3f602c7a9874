// Repainting only what changed must put on screen exactly what repainting
// every window whole does. Each scenario runs once each way; after every
// idle point (every tick, every input) the pixels each window has on the
// simulated screen are recorded and the two runs compared.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "forms/graphic_controls.h"
#include "forms/runtime.h"
#include "platform/sim/sim_platform.h"
#include "scenario/runner.h"
#include "support/files.h"

namespace vel {
namespace {

namespace fs = std::filesystem;

struct WindowState {
    std::string name;
    bool visible = false;
    int width = 0, height = 0;
    std::uint64_t pixels = 0;  // FNV-1a of the presented pixels
    bool operator==(const WindowState&) const = default;
};

std::uint64_t fingerprint(const Pixels& p) {
    std::uint64_t h = 1469598103934665603ull;
    for (Colour c : p.data) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

struct PaintTrace {
    std::string transcript;
    std::vector<std::vector<WindowState>> idlePoints;
};

PaintTrace runScenarioFile(const std::string& name, bool fullRepaint) {
    const test::TempFolder folder;
    fs::create_directories(folder / "logs");
    fs::copy(fs::path(VELMORA_SOURCE_DIR) / "skins", folder / "skins", fs::copy_options::recursive);
    PaintTrace run;
    ScenarioOptions options;
    options.scenarioPath = (fs::path(VELMORA_SOURCE_DIR) / "tests" / "scenarios" / (name + ".scn")).string();
    options.programFolder = folder.path().string();
    options.fullRepaint = fullRepaint;
    options.prepare = [&](platform::SimPlatform& sim) {
        sim.setAfterIdle([&run, &sim] {
            std::vector<WindowState> now;
            for (const platform::SimWindow* w : sim.windows())
                now.push_back({w->name, w->visible, w->pixels.width, w->pixels.height, fingerprint(w->pixels)});
            run.idlePoints.push_back(std::move(now));
        });
    };
    std::ostringstream out, err;
    EXPECT_EQ(runScenario(options, out, err), 0) << err.str();
    run.transcript = out.str();
    return run;
}

// The first idle point at which the runs differ, as a message ("" when none).
std::string firstDifference(const PaintTrace& full, const PaintTrace& partial) {
    for (std::size_t i = 0; i < std::min(full.idlePoints.size(), partial.idlePoints.size()); ++i)
        if (full.idlePoints[i] != partial.idlePoints[i]) return "idle point " + std::to_string(i) + " differs";
    return full.idlePoints.size() == partial.idlePoints.size() ? "" : "different number of idle points";
}

class PartialRepaintScenario : public ::testing::TestWithParam<const char*> {};

TEST_P(PartialRepaintScenario, PresentsWhatFullRepaintingPresents) {
    const PaintTrace full = runScenarioFile(GetParam(), true);
    const PaintTrace partial = runScenarioFile(GetParam(), false);
    ASSERT_GT(full.idlePoints.size(), 10u);
    EXPECT_EQ(partial.transcript, full.transcript);
    EXPECT_EQ(firstDifference(full, partial), "");
}

// Modules in every style, the main bar with hover and tooltips, the Full
// View on each page with its graphs running, the options dialog, clock and
// mouse module.
INSTANTIATE_TEST_SUITE_P(Scenarios, PartialRepaintScenario,
                         ::testing::Values("cpu_modules", "cpu_six_processors", "modules_family", "fullview",
                                           "fullview_pages", "options_dialog", "placement", "startup_exit",
                                           "repaint_ticks"));

// A control that changes its look without saying so: the comparison above
// must catch it, or it could not catch a control that forgets to invalidate.
class SilentLabel : public forms::Label {
public:
    using Label::Label;
    void paint(Pixels& target, int ox, int oy, const gfx::ClipRect& clip) const override {
        gfx::fillRect(target, ox, oy, width(), height(), colour, clip);
    }
    Colour colour = rgb(0, 0, 0);
};

TEST(PartialRepaint, AControlThatDoesNotInvalidateShowsUp) {
    const auto presentedAfterSilentChange = [](bool fullRepaint) {
        platform::SimPlatform sim;
        forms::Runtime ui(sim);
        ui.setFullRepaint(fullRepaint);
        forms::Form form(ui, "frmTest");
        form.move(0, 0, 40 * forms::kTwipsPerPixel, 20 * forms::kTwipsPerPixel);
        auto& silent = form.add<SilentLabel>("lblSilent");
        silent.move(2, 2, 10, 10);
        auto& other = form.add<forms::Label>("lblOther");
        other.move(20, 2, 10, 10);
        form.show();
        sim.advance(10);
        silent.colour = rgb(255, 0, 0);
        other.setCaption("x");  // repaints the window somewhere else
        sim.advance(10);
        return sim.findWindow("frmTest")->pixels.at(5, 5);
    };
    EXPECT_EQ(presentedAfterSilentChange(true), rgb(255, 0, 0));
    EXPECT_EQ(presentedAfterSilentChange(false), rgb(0, 0, 0));
}

}  // namespace
}  // namespace vel
