#include "modules/net_indicators.h"

#include "core/app.h"
#include "modules/frm_net.h"
#include "modules/image_lists.h"
#include "sources/net_connection.h"

namespace vel {

namespace {

// Compared as signed 32-bit values: a counter that wrapped or reset reads
// smaller, and its light goes off for that tick.
void switchLight(forms::Label& light, std::int32_t& remembered, std::uint32_t current) {
    const auto now = static_cast<std::int32_t>(current);
    const bool on = remembered != 0 && remembered < now;
    if (light.visible() != on) light.setVisible(on);
    remembered = now;
}

}  // namespace

int netTypeImage(int style, const std::string& device) {
    if (device == "LAN") return 16 + style;
    if (device == "MODEM") return 21 + style;
    if (device == "PROXY") return 26 + style;
    return 31 + style;
}

int netStatusImage(int style, bool connected) { return (connected ? 6 : 7) + 2 * style; }

void UpdateTrafficLights(App& app, FrmNetwork& net) {
    platform::Sources& sources = app.os.sources();
    TrafficLightMemory& m = app.trafficLights;
    platform::MibTcpStats tcp;
    sources.tcpStatistics(tcp);
    switchLight(*net.imgTCP[0], m.tcpIn, tcp.dwInSegs);
    switchLight(*net.imgTCP[1], m.tcpOut, tcp.dwOutSegs);
    platform::MibUdpStats udp;
    sources.udpStatistics(udp);
    switchLight(*net.imgUDP[0], m.udpIn, udp.dwInDatagrams);
    switchLight(*net.imgUDP[1], m.udpOut, udp.dwOutDatagrams);
}

void UpdateConnectionIndicators(App& app, FrmNetwork& net) {
    platform::Sources& sources = app.os.sources();
    app.netConnection = std::make_unique<clsNetConnection>(sources);
    clsNetConnection& c = *app.netConnection;
    net.imgNetType->setToolTipText("Connection Type: " + c.ConnName());
    const std::uint32_t type = c.ConnType();
    const std::string device = clsNetConnection::ConnTypeDevice(type);
    const int style = app.settings.mTyp[5];
    const bool known = style >= 0 && style <= 4;
    if (known) net.imgNetType->setPicture(app.ui.picture(netImageFile(netTypeImage(style, device))));

    std::uint32_t flags = 0;
    std::string name;
    const bool connected = sources.connectedState(flags, name) != 0;
    net.imgNetStatus->setToolTipText(connected ? "Internet Connected!" : "No Internet Connection!");
    if (known) net.imgNetStatus->setPicture(app.ui.picture(netImageFile(netStatusImage(style, connected))));
}

}  // namespace vel
