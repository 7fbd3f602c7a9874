// Where the windows open and how they line up beyond what the placement
// scenario prints: the memory, network and mouse modules on load and the
// whole chain of nine windows and the main bar, every window of a dragged
// row saving its place, positions never clamped, and the reset layout.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "core/frm_main.h"
#include "core/inifile.h"
#include "core/window_table.h"
#include "engine/style_catalogue.h"
#include "forms/graphic_controls.h"
#include "module_rig.h"
#include "window/placement.h"

using namespace vel;

namespace {

using test::At;
using test::at;

const char* const kSaved =
    "PosX5=5000\nPosY5=500\nPosX6=6000\nPosY6=600\nPosX7=7005\nPosY7=705\nPosX8=8000\nPosY8=800\n"
    "PosX9=300\nPosY9=300\nPosX0=1500\nPosY0=1500\n";
const char* const kFourModules = "Visi0=1\nVisi1=1\nVisi2=1\nVisi3=1\nPosX0=1500\nPosY0=600\n";

std::string saved(test::EngineRig& rig, const std::string& key) { return rig.app().settingsFile.read("MAIN", key); }

// The highest window row a label's text reaches (INT_MAX when it draws none):
// painted alone in a colour nothing else uses, so its text is what has it.
int textTopRow(forms::Label& label) {
    constexpr Colour kGround = rgb(3, 2, 1), kMarker = rgb(1, 2, 3);
    const Colour kept = label.foreColor();
    label.setForeColor(kMarker);
    Pixels alone(label.width(), label.height(), kGround);
    label.paint(alone, 0, 0, gfx::ClipRect{0, 0, alone.width, alone.height});
    label.setForeColor(kept);
    int ox = 0, oy = 0;
    label.windowOrigin(ox, oy);
    for (int y = 0; y < alone.height; ++y)
        for (int x = 0; x < alone.width; ++x)
            if (alone.at(x, y) == kMarker) return oy + y;
    return INT_MAX;
}

void eachShownLabel(forms::Container& box, const std::function<void(forms::Label&)>& each) {
    for (const auto& child : box.children()) {
        if (!child->shown()) continue;
        if (auto* label = dynamic_cast<forms::Label*>(child.get()); label && !label->caption().empty()) each(*label);
        if (auto* inner = dynamic_cast<forms::Container*>(child.get())) eachShownLabel(*inner, each);
    }
}

}  // namespace

TEST(ModuleChain, LoadStacksEachModuleOnTheNearestLoadedOne) {
    test::ModuleRig rig(1);
    rig.start(std::string("PLCMNT=1\nVisi0=1\nVisi5=1\nVisi6=1\nVisi7=1\nVisi8=1\n") + kSaved);
    // CPU 0 at its place; network, memory, mouse each 405 twips lower.
    EXPECT_EQ(at(rig.cpu(0)), (At{1500, 1500}));
    EXPECT_EQ(at(rig.network()), (At{1500, 1905}));
    EXPECT_EQ(at(rig.memory()), (At{1500, 2310}));
    EXPECT_EQ(at(rig.mouse()), (At{1500, 2715}));
    EXPECT_EQ(at(*rig.app().mainBar), (At{1500, 3120}));
    EXPECT_EQ(at(rig.clock()), (At{300, 300}));
}

TEST(ModuleChain, MemoryAndMouseSkipModulesThatAreNotShown) {
    test::ModuleRig rig(1);
    rig.start(std::string("PLCMNT=0\nVisi5=1\nVisi7=1\n") + kSaved);
    EXPECT_EQ(at(rig.network()), (At{5000, 500})) << "nothing to stack on: its saved place";
    EXPECT_EQ(at(rig.mouse()), (At{5945, 500})) << "stacked on the network module, memory being hidden";
    EXPECT_FALSE(rig.memory().loaded());
    EXPECT_EQ(at(*rig.app().mainBar), (At{6890, 500}));
}

TEST(ModuleChain, DraggingTheMouseModuleByALabelSavesItsPlaceAsIndexSeven) {
    test::ModuleRig rig(1);
    App& app = rig.start(std::string("PLCMNT=2\nVisi7=1\n") + kSaved);
    FrmMouse& f = rig.mouse();
    rig.dragBy(*f.lblRGB[0], 5, 3, 10, 20);
    EXPECT_EQ(app.settings.PosX[7], 7005 + 150);
    EXPECT_EQ(app.settings.PosY[7], 705 + 300);
    EXPECT_EQ(at(f), (At{7155, 1005}));
}

TEST(ModuleChain, TheMemoryBarsDoNotDrag) {
    test::ModuleRig rig(1);
    App& app = rig.start(std::string("PLCMNT=2\nVisi6=1\n") + kSaved);
    const platform::Point p = rig.screenPoint(*rig.memory().memMeter[0], 4, 12);
    rig.m.sim.setPendingDrag(10, 20);
    rig.m.sim.mouseDown(p.x, p.y);
    rig.m.sim.mouseUp(p.x + 10, p.y + 20);
    EXPECT_EQ(at(rig.memory()), (At{6000, 600}));
    EXPECT_EQ(app.settings.PosX[6], 6000);
}

TEST(ModuleChain, AfterADragTheMouseIsFreeAgain) {
    // The system's move loop keeps the release for itself; the window must
    // not go on believing its button is down.
    test::ModuleRig rig(1);
    App& app = rig.start(std::string("PLCMNT=2\n") + kSaved);
    FrmMain& bar = *app.mainBar;
    const int leftBefore = rig.m.sim.findWindow("frmMain")->rect.left;
    rig.dragBy(*bar.picMainSkin, 46, 4, 10, 20);
    EXPECT_EQ(app.settings.PosX[8], (leftBefore + 10) * 15) << "the drag itself happened";
    const platform::Point button = rig.screenPoint(*bar.btnOpt[1], 4, 4);
    rig.m.sim.mouseMove(button.x, button.y);
    rig.m.sim.advance(static_cast<std::uint64_t>(rig.m.sim.tooltipDelay()) + 10);
    EXPECT_EQ(app.ui.visibleTooltip(), bar.btnOpt[1]->toolTipText());
    // A click on the button after the drag is an ordinary click.
    rig.m.sim.mouseDown(button.x, button.y);
    rig.m.sim.mouseUp(button.x, button.y);
    ASSERT_EQ(rig.m.sim.launches().size(), 1u);
    EXPECT_NE(rig.m.sim.launches()[0].file.find("Logscope"), std::string::npos);
}

TEST(Arrange, RowModeDraggingTheHeadMovesTheWholeRow) {
    test::EngineRig rig(4);
    rig.start(std::string("PLCMNT=0\n") + kFourModules);
    rig.dragBy(*rig.cpu(0).picMod, 5, 5, 20, 10);  // 300 and 150 twips
    for (int n = 0; n < 4; ++n) EXPECT_EQ(at(rig.cpu(n)), (At{1800.0 + 945 * n, 750})) << "CPU " << n;
    EXPECT_EQ(saved(rig, "PosX3"), "4635") << "every window of the row saves its new place";
    EXPECT_EQ(saved(rig, "PosY3"), "750");
}

TEST(Arrange, PositionsAreNeverClamped) {
    test::EngineRig rig(1);
    rig.start("PLCMNT=2\nVisi0=1\nPosX0=1500\nPosY0=600\n");
    rig.dragBy(*rig.cpu(0).picMod, 5, 5, -400, -300);
    EXPECT_EQ(at(rig.cpu(0)), (At{-4500, -3900}));
    EXPECT_EQ(saved(rig, "PosX0"), "-4500");
    EXPECT_EQ(saved(rig, "PosY0"), "-3900");
}

TEST(ResetLayout, WritesEveryEntryAndMovesOnlyLoadedWindows) {
    test::EngineRig rig(2);
    App& app = rig.start("PLCMNT=2\nVisi0=1\nPosX0=5000\nPosY0=5000\nPosX6=777\nPosY6=888\n");
    resetModuleLocations(app);
    EXPECT_EQ(at(rig.cpu(0)), (At{1045, -30}));
    const int lefts[10] = {1045, 1990, 2935, 3880, 4825, 5770, 6715, 7660, 8605, 100};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(saved(rig, "PosX" + std::to_string(i)), std::to_string(lefts[i])) << "entry " << i;
        EXPECT_EQ(saved(rig, "PosY" + std::to_string(i)), "-30") << "entry " << i;
        EXPECT_EQ(app.settings.PosX[i], lefts[i]);
    }
    EXPECT_FALSE(app.IsFormLoaded(app.window(WindowSlot::Network))) << "the network window was not loaded, only its entry written";
}

// The reset puts the row two pixels above the screen's top edge: what a
// window shows in its top two rows is lost there, so no caption may use
// them, in any style of any module.
TEST(ResetLayout, NoCaptionOfAnyStyleUsesTheTwoRowsTheResetHides) {
    int checked = 0;
    for (int style = 0; style < kCpuStyleCount; ++style) {
        test::EngineRig rig(2);
        const std::string code = std::to_string(style);
        const std::string colourCode = std::to_string(style % kColourStyleCount);
        App& app = rig.start("PLCMNT=0\nCPUCLOCK=10\nVisi0=1\nVisi4=1\nVisi5=1\nVisi6=1\nVisi7=1\nVisi8=1\nmTyp0=" + code +
                             "\nmTyp4=" + code + "\nmTyp5=" + colourCode + "\nmTyp6=" + colourCode +
                             "\nmTyp7=" + colourCode + "\n");
        resetModuleLocations(app);
        rig.m.sim.advance(1500);
        for (const WindowRow& row : kWindows) {
            forms::Form* window = app.window(row.slot);
            if (!app.IsFormLoaded(window)) continue;
            eachShownLabel(*window, [&](forms::Label& label) {
                ++checked;
                EXPECT_GE(textTopRow(label), 2) << "style " << style << ": " << label.qualifiedName() << " \""
                                                << label.caption() << "\"";
            });
        }
    }
    EXPECT_GT(checked, 100);
}
