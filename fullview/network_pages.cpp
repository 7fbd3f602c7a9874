#include "fullview/network_pages.h"

#include "fullview/panel_style.h"

namespace vel {

namespace {

void addOptions(forms::PictureBox& panel, const char* name, std::array<forms::Label*, 2>& labels, const char* first,
                const char* second) {
    const char* captions[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        labels[i] = &fullview::addPanelLabel(panel, name, i, 12 + i * 192, 196, 184, fullview::TextRole::Option);
        labels[i]->setCaption(captions[i]);
    }
}

}  // namespace

FvNetworkPages::FvNetworkPages(forms::PictureBox& ip, forms::PictureBox& icmp, forms::PictureBox& tcpUdp) {
    fullview::addPanelTitle(ip, "IP STATISTICS");
    addOptions(ip, "lblIPOpt", lblIPOpt, "Show 'Page 1' of IP Statistics...", "Show 'Page 2' of IP Statistics...");
    fullview::addPanelTitle(icmp, "ICMP STATISTICS");
    addOptions(icmp, "lblICMPOpt", lblICMPOpt, "Show ICMP data received...", "Show ICMP data sent...");
    fullview::addPanelTitle(tcpUdp, "TCP\\UDP STATISTICS");
    addOptions(tcpUdp, "lblTCPUDPOpt", lblTCPUDPOpt, "Show TCP Data...", "Show UDP Data...");
}

}  // namespace vel
