#include "fullview/network_pages.h"

#include <string>

#include "fullview/panel_style.h"

namespace vel {

using fullview::TextRole;

namespace {

constexpr int kRowTop = 26, kRowPitch = 13, kBarHeight = 32, kBarWidth = 16;

const char* const kIPCaptions[2][12] = {
    {"Number of IP Interfaces:", "Number of IP Addresses:", "IP Forwarding Status:",
     "Number of Routing Table Entries:", "Default Time-To-Live (TTL):", "Total Number of Datagrams Received:",
     "Total Number of Datagrams Forwarded:", "Total Number of Received Datagrams Delivered:",
     "Number of Datagrams Discarded:", "Datagrams Containing Header Errors:", "Datagrams Containing Address Errors:",
     "Datagrams Containing Unknown Protocol:"},
    {"Number of Datagrams Requested To Transmit:", "Datagrams Discarded (Sent):", "Datagrams Discarded (Transmitted):",
     "Datagrams Discarded (Unknown IP Route):", "Allowed Fragment Arrival Time:", "Successfully Reassembled Datagrams:",
     "Datagrams Successfully Fragmented:", "Number of Fragments Created:", "Datagrams Requiring Reassembly:",
     "Datagrams Unable To Be Reassembled:", "Datagrams Discarded (No Fragmentation Specified):", ""}};

const char* const kICMPCaptions[12] = {"Total Messages:", "Redirected Messages:", "Echo Requests:",
                                       "Echo Request Replies:", "Time-Stamp Requests:", "Time-Stamp Request Replies:",
                                       "Address Mask Requests:", "Address Mask Request Replies:", "Total Errors:",
                                       "Destination-Unreachable Messages:", "Time-To-Live Exceeded Messages:",
                                       "Parameter Problem Messages:"};

const char* const kTCPCaptions[12] = {"Time-Out Algorithm:", "Min\\Max Time-Out:", "Maximum Connections:",
                                      "Est. Connections:", "Est. Connections Reset:", "Cumulative Connections:",
                                      "Active\\Passive Opens:", "Failed Attempts:", "Segments Received\\Sent:",
                                      "Segments Retransmitted:", "Incoming Errors:", "Outgoing Resets:"};
// The caption row of each lblData value.
constexpr int kTCPRowOf[15] = {0, 1, 1, 2, 3, 4, 5, 6, 6, 7, 8, 8, 9, 10, 11};

const char* const kUDPCaptions[5] = {"UDP Datagrams IN:", "UDP Datagrams OUT:", "UDP Ports Open:",
                                     "Number Of Addresses:", "UDP Errors IN:"};

// Values are shown as the signed 32-bit numbers the counters convert to.
std::string signedText(std::uint32_t v) { return std::to_string(static_cast<std::int32_t>(v)); }

void addOptions(forms::PictureBox& panel, const char* name, std::array<forms::Label*, 2>& labels, const char* first,
                const char* second) {
    const char* captions[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        labels[i] = &fullview::addPanelLabel(panel, name, i, 12 + i * 192, 196, 184, TextRole::Option);
        labels[i]->setCaption(captions[i]);
    }
}

// A caption and its value on row `row`: the caption from the left, the
// value after it.
void addRow(forms::PictureBox& panel, const char* captionName, const char* valueName, int index, int row,
            int valueLeft, forms::Label*& caption, forms::Label*& value) {
    const int top = kRowTop + row * kRowPitch;
    caption = &fullview::addPanelLabel(panel, captionName, index, 12, top, valueLeft - 16, TextRole::Small);
    value = &fullview::addPanelLabel(panel, valueName, index, valueLeft, top, 100, TextRole::Small);
    value->setForeColor(fullview::kValueColour);
}

void setCaptions(std::array<forms::Label*, 12>& labels, const std::array<std::string, 12>& texts) {
    for (int i = 0; i < 12; ++i) labels[i]->setCaption(texts[i]);
}

}  // namespace

namespace fullview {

int activityCover(std::uint32_t previous, std::uint32_t current) {
    if (previous == 0 || previous >= current) return 32;
    const std::uint32_t d = current - previous;
    if (d <= 2) return 26;
    if (d <= 4) return 21;
    if (d <= 6) return 16;
    if (d <= 8) return 11;
    if (d <= 10) return 6;
    return 1;
}

const char* rtoAlgorithmText(std::uint32_t algorithm) {
    switch (algorithm) {
        case 1: return "UNKNOWN ALGORITHM";
        case 2: return "Constant Time-out";
        case 3: return "MIL-STD-1778 Appendix B";
        case 4: return "Van Jacobson's Algorithm";
        default: return "";
    }
}

}  // namespace fullview

FvNetworkPages::FvNetworkPages(platform::Sources& sources, forms::PictureBox& ip, forms::PictureBox& icmp,
                               forms::PictureBox& tcpUdp)
    : sources_(sources) {
    fullview::addPanelTitle(ip, "IP STATISTICS");
    for (int i = 0; i < 12; ++i) addRow(ip, "lblIP", "lblIPStats", i, i, 250, lblIP[i], lblIPStats[i]);
    addOptions(ip, "lblIPOpt", lblIPOpt, "Show 'Page 1' of IP Statistics...", "Show 'Page 2' of IP Statistics...");

    fullview::addPanelTitle(icmp, "ICMP STATISTICS");
    for (int i = 0; i < 12; ++i) {
        addRow(icmp, "lblICMPCaption", "lblICMPStats", i, i, 200, lblICMPCaption[i], lblICMPStats[i]);
        lblICMPCaption[i]->setCaption(kICMPCaptions[i]);
    }
    addOptions(icmp, "lblICMPOpt", lblICMPOpt, "Show ICMP data received...", "Show ICMP data sent...");

    fullview::addPanelTitle(tcpUdp, "TCP\\UDP STATISTICS");
    for (int i = 0; i < 15; ++i) {
        const int row = kTCPRowOf[i];
        const bool second = i > 0 && kTCPRowOf[i - 1] == row;
        const int top = kRowTop + row * kRowPitch;
        if (!second) {
            lblDataCaption[row] = &fullview::addPanelLabel(tcpUdp, "lblDataCaption", row, 12, top, 140, TextRole::Small);
            lblDataCaption[row]->setCaption(kTCPCaptions[row]);
        }
        lblData[i] = &fullview::addPanelLabel(tcpUdp, "lblData", i, second ? 226 : 156, top, row == 0 ? 136 : 66,
                                              TextRole::Small);
        lblData[i]->setForeColor(fullview::kValueColour);
    }
    for (int i = 0; i < 5; ++i) {
        addRow(tcpUdp, "lblUDPCaption", "lblUDP", i, i, 156, lblUDPCaption[i], lblUDP[i]);
        lblUDPCaption[i]->setCaption(kUDPCaptions[i]);
    }
    const char* const barCaptions[2] = {"TCP\\UDP Activity IN", "TCP\\UDP Activity OUT"};
    for (int i = 0; i < 2; ++i) {
        const int top = 30 + i * 44;
        shpTUStrip[i] = &fullview::addFilledShape(tcpUdp, "shpTUStrip", i, 286, top, kBarWidth, kBarHeight, fullview::kBarColour);
        shpTU[i] = &fullview::addFilledShape(tcpUdp, "shpTU", i, 286, top, kBarWidth, kBarHeight, fullview::kCoverColour);
        lblTU[i] = &fullview::addPanelLabel(tcpUdp, "lblTU", i, 308, top + kBarHeight - 12, 100, TextRole::Small);
        lblTU[i]->setCaption(barCaptions[i]);
    }
    addOptions(tcpUdp, "lblTCPUDPOpt", lblTCPUDPOpt, "Show TCP Data...", "Show UDP Data...");
}

void FvNetworkPages::setUp(int subView, int option) {
    const bool second = option == 1;
    if (subView == 0) {
        for (int i = 0; i < 12; ++i) lblIP[i]->setCaption(kIPCaptions[second ? 1 : 0][i]);
        lblIP[11]->setVisible(!second);
        lblIPStats[11]->setVisible(!second);
    } else if (subView == 2) {
        for (forms::Label* l : lblDataCaption) l->setVisible(!second);
        for (forms::Label* l : lblData) l->setVisible(!second);
        for (int i = 0; i < 5; ++i) {
            lblUDPCaption[i]->setVisible(second);
            lblUDP[i]->setVisible(second);
        }
    }
}

void FvNetworkPages::ipTick(int option) {
    platform::MibIpStats s;
    sources_.ipStatistics(s);
    std::array<std::string, 12> v;
    if (option == 1) {
        v = {signedText(s.dwOutRequests), signedText(s.dwRoutingDiscards), signedText(s.dwOutDiscards),
             signedText(s.dwOutNoRoutes), signedText(s.dwReasmTimeout),   signedText(s.dwReasmOks),
             signedText(s.dwFragOks),     signedText(s.dwFragCreates),    signedText(s.dwReasmReqds),
             signedText(s.dwReasmFails),  signedText(s.dwFragFails),      lblIPStats[11]->caption()};
    } else {
        v = {signedText(s.dwNumIf),        signedText(s.dwNumAddr),        s.dwForwarding == 1 ? "ENABLED" : "DISABLED",
             signedText(s.dwNumRoutes),    signedText(s.dwDefaultTTL),     signedText(s.dwInReceives),
             signedText(s.dwForwDatagrams), signedText(s.dwInDelivers),    signedText(s.dwInDiscards),
             signedText(s.dwInHdrErrors),  signedText(s.dwInAddrErrors),   signedText(s.dwInUnknownProtos)};
    }
    setCaptions(lblIPStats, v);
}

void FvNetworkPages::icmpTick(int option) {
    platform::MibIcmp record;
    sources_.icmpStatistics(record);
    const platform::MibIcmpStats& s = option == 1 ? record.outStats : record.inStats;
    setCaptions(lblICMPStats,
                {signedText(s.dwMsgs), signedText(s.dwRedirects), signedText(s.dwEchos), signedText(s.dwEchoReps),
                 signedText(s.dwTimestamps), signedText(s.dwTimestampReps), signedText(s.dwAddrMasks),
                 signedText(s.dwAddrMaskReps), signedText(s.dwErrors), signedText(s.dwDestUnreachs),
                 signedText(s.dwTimeExcds), signedText(s.dwParmProbs)});
}

void FvNetworkPages::tcpUdpTick(int option) {
    if (option == 1) {
        platform::MibUdpStats s;
        sources_.udpStatistics(s);
        moveBars(s.dwInDatagrams, s.dwOutDatagrams, udpIn_, udpOut_);
        const std::uint32_t values[5] = {s.dwInDatagrams, s.dwOutDatagrams, s.dwNoPorts, s.dwNumAddrs, s.dwInErrors};
        for (int i = 0; i < 5; ++i) lblUDP[i]->setCaption(signedText(values[i]));
        return;
    }
    platform::MibTcpStats s;
    sources_.tcpStatistics(s);
    moveBars(s.dwInSegs, s.dwOutSegs, tcpIn_, tcpOut_);
    lblData[0]->setCaption(fullview::rtoAlgorithmText(s.dwRtoAlgorithm));
    const std::uint32_t values[14] = {s.dwRtoMin,       s.dwRtoMax,       s.dwMaxConn,      s.dwCurrEstab,
                                      s.dwEstabResets,  s.dwNumConns,     s.dwActiveOpens,  s.dwPassiveOpens,
                                      s.dwAttemptFails, s.dwInSegs,       s.dwOutSegs,      s.dwRetransSegs,
                                      s.dwInErrs,       s.dwOutRsts};
    for (int i = 0; i < 14; ++i) lblData[i + 1]->setCaption(signedText(values[i]));
}

void FvNetworkPages::moveBars(std::uint32_t in, std::uint32_t out, std::uint32_t& previousIn,
                              std::uint32_t& previousOut) {
    const int covers[2] = {fullview::activityCover(previousIn, in), fullview::activityCover(previousOut, out)};
    previousIn = in;
    previousOut = out;
    for (int i = 0; i < 2; ++i) shpTU[i]->move(shpTU[i]->left(), shpTUStrip[i]->top(), kBarWidth, covers[i]);
}

}  // namespace vel
