#include "modules/frm_net.h"

#include "core/vb.h"
#include "modules/image_lists.h"

namespace vel {

namespace {

constexpr int kFullViewNetwork = 2;
constexpr std::uint32_t kXferInterval = 250;
// Two samples further apart than this straddle a pause (a suspended
// machine, a blocked loop): their difference is not a 250 ms rate.
constexpr std::uint64_t kLongestPairMs = 2 * kXferInterval;
const Colour kDesignLight = rgb(1, 161, 0);
const Colour kDesignGraphBack = rgb(5, 57, 115);
const Colour kDesignGraphFore = rgb(1, 225, 0);

struct NetStyle {
    Colour lights, graphBack, graphFore;
};
const NetStyle kStyles[5] = {
    {rgb(0, 193, 1), rgb(0, 193, 1), rgb(0, 0, 0)},
    {rgb(5, 57, 115), rgb(5, 57, 115), rgb(103, 186, 218)},
    {rgb(127, 127, 127), rgb(127, 127, 127), rgb(252, 211, 93)},
    {rgb(76, 136, 12), rgb(76, 136, 12), rgb(133, 212, 0)},
    {rgb(252, 207, 80), rgb(252, 207, 80), rgb(255, 92, 85)},
};

// Milliseconds since 1970 of a clock reading (days by the civil calendar).
std::int64_t wallMs(const platform::SystemTime& t) {
    const int y = t.month <= 2 ? t.year - 1 : t.year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (t.month + (t.month > 2 ? -3 : 9)) + 2) / 5 + t.day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t days = static_cast<std::int64_t>(era) * 146097 + doe - 719468;
    return ((days * 24 + t.hour) * 60 + t.minute) * 60000 + t.second * 1000 + t.milliseconds;
}

forms::Label& light(forms::PictureBox& parent, const char* name, int index, int left, const char* tip) {
    forms::Label& l = parent.add<forms::Label>(name, index);
    l.move(left, 3, 6, 4);
    l.setOpaque(true);
    l.setBackColor(kDesignLight);
    l.setToolTipText(tip);
    return l;
}

forms::PictureBox& graph(forms::PictureBox& parent, const char* name, int left, const char* tip) {
    forms::PictureBox& g = parent.add<forms::PictureBox>(name);
    g.move(left, 8, 12, 12);
    g.setBackColor(kDesignGraphBack);
    g.setForeColor(kDesignGraphFore);
    g.setToolTipText(tip);
    return g;
}

void colourGraph(forms::PictureBox& g, const NetStyle& s) {
    g.setBackColor(s.graphBack);
    g.setFillColor(s.graphFore);
    g.setForeColor(s.graphFore);
}

}  // namespace

double transferRate(const std::int32_t (&first)[2], const std::int32_t (&second)[2], std::int32_t unitBytes) {
    std::int32_t in = 0, out = 0, sum = 0, bytes = 0, perSecond = 0;
    if (__builtin_sub_overflow(second[0], first[0], &in) || __builtin_sub_overflow(second[1], first[1], &out) ||
        __builtin_add_overflow(in, out, &sum) || __builtin_mul_overflow(sum, unitBytes, &bytes) ||
        __builtin_mul_overflow(bytes, 4, &perSecond))
        return 0;
    return perSecond / 1024.0;
}

void drawTransferGraph(forms::PictureBox& g, double rate, int step) {
    g.setScaleOrigin(-1, -10);
    g.cls();
    const double rounded = roundHalfEven(rate);
    if (rate > 0) g.line(0, 0, 10, 0);
    for (int k = 1; k <= 9; ++k)
        if (rounded > k * step) g.line(0, -k, 10, -k);
    if (rounded > 10 * step)
        for (int k = 0; k <= 9; ++k) g.line(0, -k, 10, -k, rgb(255, 0, 0));
}

FrmNetwork::FrmNetwork(App& app)
    : ModuleForm(app, "frmNetwork", WindowSlot::Network, "Network (Double-click for info...)") {
    setCaption(app.titleFor("Network"));
    tmrXFer = &addTimer("tmrXFer", kXferInterval, false);
    tmrXFer->onTimer = [this] { tmrXFer_Timer(); };

    imgTCP[0] = &light(*picMod, "imgTCP", 0, 24, "TCP Data IN");
    imgTCP[1] = &light(*picMod, "imgTCP", 1, 31, "TCP Data OUT");
    imgUDP[0] = &light(*picMod, "imgUDP", 0, 38, "UDP Data IN");
    imgUDP[1] = &light(*picMod, "imgUDP", 1, 45, "UDP Data OUT");
    Line1 = &picMod->add<forms::Line>("Line1");
    Line1->setPoints(37, 8, 37, 20);
    Line1->setBorderColor(kDesignLight);

    UDPGraph = &graph(*picMod, "UDPGraph", 39, "100 Kb/s UDP Bandwidth Meter");
    TCPGraph = &graph(*picMod, "TCPGraph", 24, "500Kb/s TCP Bandwidth Meter");
    imgNetType = &picMod->add<forms::PictureBox>("imgNetType");
    imgNetType->move(10, 12, 9, 7);
    imgNetType->setToolTipText("Connection Type: LAN");
    imgNetStatus = &picMod->add<forms::PictureBox>("imgNetStatus");
    imgNetStatus->move(9, 3, 10, 8);
    imgNetStatus->setToolTipText("Internet Connected!");

    const auto fullView = [this] { openFullView(kFullViewNetwork); };
    wireMouse(*picMainSkin, nullptr);
    for (forms::Control* c : {static_cast<forms::Control*>(picMod), static_cast<forms::Control*>(TCPGraph),
                              static_cast<forms::Control*>(UDPGraph), static_cast<forms::Control*>(imgNetType),
                              static_cast<forms::Control*>(imgNetStatus), static_cast<forms::Control*>(imgTCP[0]),
                              static_cast<forms::Control*>(imgTCP[1]), static_cast<forms::Control*>(imgUDP[0]),
                              static_cast<forms::Control*>(imgUDP[1])})
        wireMouse(*c, fullView);
}

void FrmNetwork::applyStyle(int code) {
    if (code < 0 || code > 4) return;
    const NetStyle& s = kStyles[code];
    for (forms::Label* l : {imgTCP[0], imgTCP[1], imgUDP[0], imgUDP[1]}) l->setBackColor(s.lights);
    colourGraph(*TCPGraph, s);
    colourGraph(*UDPGraph, s);
    Line1->setBorderColor(s.lights);
}

void FrmNetwork::dressForStyle() {
    const int code = app_.settings.mTyp[5];
    if (const std::string face = netImageFile(code + 1); !face.empty()) picMod->setPicture(app_.ui.picture(face));
    applyStyle(code);
}

void FrmNetwork::onLoad() {
    forms::Runtime& ui = app_.ui;
    // The design's pictures: the black style's face, connected over a LAN.
    picMod->setPicture(ui.picture(netImageFile(1)));
    imgNetType->setPicture(ui.picture(netImageFile(16)));
    imgNetStatus->setPicture(ui.picture(netImageFile(6)));

    loadFrame();
    dressForStyle();
    TCPGraph->cls();
    UDPGraph->cls();
    finishLoad();
    tmrXFer->setEnabled(true);
    phase_ = 0;
}

void FrmNetwork::tmrXFer_Timer() {
    platform::MibTcpStats tcp;
    platform::MibUdpStats udp;
    platform::Sources& sources = app_.os.sources();
    sources.tcpStatistics(tcp);
    sources.udpStatistics(udp);
    const std::int32_t tcpNow[2] = {static_cast<std::int32_t>(tcp.dwInSegs), static_cast<std::int32_t>(tcp.dwOutSegs)};
    const std::int32_t udpNow[2] = {static_cast<std::int32_t>(udp.dwInDatagrams),
                                    static_cast<std::int32_t>(udp.dwOutDatagrams)};
    // Both clocks: the tick count may stand still while the machine sleeps
    // (a monotonic clock), the wall clock may be set; either gap counts.
    const std::uint64_t now = app_.os.tickMs();
    const std::int64_t wallNow = wallMs(app_.os.systemTime());
    if (phase_ == 0) {
        for (int i = 0; i < 2; ++i) {
            tcpFirst_[i] = tcpNow[i];
            udpFirst_[i] = udpNow[i];
        }
        firstSampleMs_ = now;
        firstSampleWallMs_ = wallNow;
        phase_ = 1;
        return;
    }
    for (int i = 0; i < 2; ++i) {
        tcpSecond_[i] = tcpNow[i];
        udpSecond_[i] = udpNow[i];
    }
    phase_ = 0;
    const std::int64_t wallGap = wallNow - firstSampleWallMs_;
    const bool paused = now - firstSampleMs_ > kLongestPairMs || wallGap > static_cast<std::int64_t>(kLongestPairMs);
    drawTransferGraph(*TCPGraph, paused ? 0 : transferRate(tcpFirst_, tcpSecond_, 536), 50);
    drawTransferGraph(*UDPGraph, paused ? 0 : transferRate(udpFirst_, udpSecond_, 1500), 10);
}

}  // namespace vel
