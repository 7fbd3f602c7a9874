// Readings must read at a glance. Every style's numbers, needles and traces
// are measured against the face under them, at 0, 50 and 100 %, as the real
// renderers draw them: the ink is what changes when the reading is taken
// away (labels and needles hidden, drawn traces cleared). Where our artwork
// is the face, the WCAG contrast ratio must be at least 3:1. The memory bars
// must warn in red only when little memory is free.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "module_rig.h"

using namespace vel;

namespace {

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double contrast(Colour a, Colour b) {
    const auto luminance = [](Colour c) {
        return 0.2126 * linear(redOf(c)) + 0.7152 * linear(greenOf(c)) + 0.0722 * linear(blueOf(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of each pixel drawn in the ink that the bare face does not
// have, against the face under it; the median is the middle one.
std::vector<double> measure(const Pixels& with, const Pixels& without, Colour ink) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < with.data.size(); ++i)
        if (with.data[i] == ink && without.data[i] != ink) ratios.push_back(contrast(ink, without.data[i]));
    std::nth_element(ratios.begin(), ratios.begin() + static_cast<std::ptrdiff_t>(ratios.size() / 2), ratios.end());
    return ratios;
}

enum class Family { Cpu, Mouse, Network };

struct Style {
    const char* name;
    Family family;
    int code;
    std::vector<Colour> inks;  // the colours the program draws the reading in
    bool drawn = false;        // a CPU reading drawn on the surface, not a control
};

// Styles 13 and 15 show a plain bar: no number, needle or trace. The gold,
// green and red network styles draw their rows on a graph background that
// is the program's own colour too, not our artwork, so no rule is ours to
// check there beyond the idle graph below.
const std::vector<Style>& styles() {
    const Colour black = rgb(0, 0, 0), gold = rgb(127, 127, 127), blue = rgb(5, 57, 115), green = rgb(61, 109, 9),
                 red = rgb(252, 207, 80), lit = rgb(0, 193, 1);
    static const std::vector<Style> all = {
        {"VU Gold", Family::Cpu, 0, {gold}},        {"VU Blue", Family::Cpu, 1, {blue}},
        {"VU Green", Family::Cpu, 2, {green}},      {"VU Red", Family::Cpu, 3, {red}},
        {"Digi-Tach Black", Family::Cpu, 4, {lit}}, {"Digi-Tach Blue", Family::Cpu, 5, {blue}},
        {"EKG markers", Family::Cpu, 6, {rgb(255, 192, 192)}, true},
        {"Needle Meter", Family::Cpu, 7, {rgb(0, 0, 224), rgb(255, 128, 64)}, true},
        {"Line Graph Black", Family::Cpu, 8, {lit}, true}, {"Line Graph Blue", Family::Cpu, 9, {blue}, true},
        {"Line Graph Gold", Family::Cpu, 10, {gold}, true}, {"Line Graph Green", Family::Cpu, 11, {green}, true},
        {"Line Graph Red", Family::Cpu, 12, {red}, true},   {"Horizontal Bar w\\Text", Family::Cpu, 14, {lit}},
        {"Vertical Bar w\\Text", Family::Cpu, 16, {lit}},  {"Intensi-Meter", Family::Cpu, 17, {black}},
        {"Mouse on Black", Family::Mouse, 0, {lit}},       {"Mouse on Blue", Family::Mouse, 1, {blue}},
        {"Mouse on Gold", Family::Mouse, 2, {gold}},       {"Mouse on Green", Family::Mouse, 3, {green}},
        {"Mouse on Red", Family::Mouse, 4, {red}},         {"Network on Black", Family::Network, 0, {black}},
        {"Network on Blue", Family::Network, 1, {rgb(103, 186, 218)}},
    };
    return all;
}

struct Rendered {
    Pixels with, without;
};

Rendered renderCpu(const Style& s, int percent) {
    test::EngineRig rig(1);
    rig.start("Visi0=1\nmTyp0=" + std::to_string(s.code) + "\nCPUCLOCK=1\nPLCMNT=2\nPosX0=0\nPosY0=0\n");
    rig.setLoad(0, percent);
    rig.m.sim.advance(4500);  // a full line graph at a steady load
    FrmCPU& cpu = rig.cpu(0);
    Rendered r{cpu.render(), {}};
    for (forms::Control* c : std::initializer_list<forms::Control*>{cpu.lblCPU, cpu.lblPNum, cpu.lnVU})
        c->setVisible(false);
    if (s.drawn) cpu.picMod->cls();
    r.without = cpu.render();
    return r;
}

// The mouse module reading a grey of this level under the cursor.
Rendered renderMouse(const Style& s, int percent) {
    test::ModuleRig rig(1);
    rig.start("Visi7=1\nmTyp7=" + std::to_string(s.code) + "\n");
    const int grey = percent * 255 / 100;
    rig.m.sim.setWallpaperPixel(900, 700, rgb(grey, grey, grey));
    rig.m.sim.mouseMove(900, 700);
    rig.engine().tmrMSE_Timer();
    FrmMouse& mouse = rig.mouse();
    Rendered r{mouse.render(), {}};
    for (forms::Label* l : mouse.lblRGB) l->setVisible(false);
    r.without = mouse.render();
    return r;
}

// Starts the network module in this style and feeds both graphs one
// refresh at this share of their full scale.
FrmNetwork& networkAt(test::ModuleRig& rig, int code, int percent) {
    rig.start("Visi5=1\nmTyp5=" + std::to_string(code) + "\n");
    FrmNetwork& net = rig.network();
    net.tmrXFer->setEnabled(false);
    if (net.phase() == 1) net.tmrXFer_Timer();
    net.tmrXFer_Timer();
    // 239 segments make 500.4 KB/s, 17 datagrams 99.6 KB/s: full, not over.
    rig.sources().advanceTcp(percent == 100 ? 239 : percent * 125 / 50, 0);
    rig.sources().advanceUdp(percent == 100 ? 17 : percent * 9 / 50, 0);
    rig.m.sim.advance(250);
    net.tmrXFer_Timer();
    return net;
}

Rendered renderNetwork(const Style& s, int percent) {
    test::ModuleRig rig(1);
    FrmNetwork& net = networkAt(rig, s.code, percent);
    Rendered r{net.render(), {}};
    net.TCPGraph->cls();
    net.UDPGraph->cls();
    r.without = net.render();
    return r;
}

class ReadingContrast : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(ReadingContrast, NumbersNeedlesAndTracesStandOutFromTheirFace) {
    const Style& s = styles()[static_cast<std::size_t>(GetParam())];
    for (int percent : {0, 50, 100}) {
        const Rendered r = s.family == Family::Cpu     ? renderCpu(s, percent)
                           : s.family == Family::Mouse ? renderMouse(s, percent)
                                                       : renderNetwork(s, percent);
        for (Colour ink : s.inks) {
            const std::vector<double> m = measure(r.with, r.without, ink);
            if (s.family == Family::Network && percent == 0) {
                EXPECT_TRUE(m.empty()) << s.name << ": an idle graph draws no rows";
                continue;
            }
            ASSERT_FALSE(m.empty()) << s.name << " at " << percent << " %: nothing drawn in " << std::hex << ink;
            EXPECT_GE(m[m.size() / 2], 3.0) << s.name << " at " << percent << " %, ink " << std::hex << ink;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryStyle, ReadingContrast, ::testing::Range(0, static_cast<int>(styles().size())));

TEST(ReadingAtAGlance, AnIdleTransferGraphLooksLikeTheFaceUnderIt) {
    // The graphs clear to a colour the program fixes. Idle, they must merge
    // with the face around them rather than stand on it as a solid block
    // (traffic on them is in the reference pictures).
    for (int code = 0; code < 5; ++code) {
        test::ModuleRig rig(1);
        FrmNetwork& net = networkAt(rig, code, 0);
        const Pixels shown = net.render();
        int unlike = 0;  // TCP graph pixels that differ from the face under them
        for (int y = 8; y < 20; ++y)
            for (int x = 24; x < 36; ++x) unlike += shown.at(3 + x, 3 + y) != net.picMod->picture().at(x, y);
        EXPECT_EQ(unlike, 0) << "Network style " << code << ": the idle graph stands out from the face";
    }
}

TEST(ReadingAtAGlance, MemoryBarsWarnInRedOnlyWhenLittleIsFree) {
    // The bar shows free memory; its cover hides the top. The top of what
    // stays lit is what the eye reads.
    constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
    const auto redHued = [](Colour c) { return redOf(c) >= 2 * std::max(greenOf(c), blueOf(c)); };
    for (int code = 0; code < 5; ++code)
        for (std::uint64_t freeGiB : {1, 9}) {
            test::ModuleRig rig(1);
            rig.sources().setMemory(test::memoryStatus(10 * kGiB, freeGiB * kGiB, 10 * kGiB, freeGiB * kGiB,
                                                       10 * kGiB, freeGiB * kGiB));
            rig.start("Visi6=1\nmTyp6=" + std::to_string(code) + "\n");
            rig.engine().tmrMEM_Timer();
            FrmMemory& mem = rig.memory();
            const Pixels shown = mem.render();
            const Colour cover = mem.shpMem[0]->backColor();
            // Down the middle of the first bar (face x 8..17, y 3..19).
            Colour top = cover;
            for (int y = 3; y < 20 && top == cover; ++y) top = shown.at(3 + 13, 3 + y);
            ASSERT_NE(top, cover) << "memory style " << code << ": no lit row";
            EXPECT_EQ(redHued(top), freeGiB == 1) << "memory style " << code << " with " << freeGiB
                                                  << " GiB of 10 free: top lit colour " << std::hex << top;
        }
}
