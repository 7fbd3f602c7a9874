// The network-statistics screen of the Full View: the IP, ICMP and TCP\UDP
// panels, each with its two options, their figures and the two activity
// bars of the TCP\UDP panel.
#pragma once

#include <array>
#include <cstdint>

#include "forms/graphic_controls.h"
#include "forms/picture_box.h"
#include "platform/sources_api.h"

namespace vel {

namespace fullview {
// The cover of an activity bar for a count that went from previous to
// current: 32 (idle) on the first look or when the count did not grow
// (a wrap included), lower the more it grew.
int activityCover(std::uint32_t previous, std::uint32_t current);
// The text of dwRtoAlgorithm; empty for values it does not name.
const char* rtoAlgorithmText(std::uint32_t algorithm);
}  // namespace fullview

class FvNetworkPages {
public:
    FvNetworkPages(platform::Sources& sources, forms::PictureBox& ip, forms::PictureBox& icmp,
                   forms::PictureBox& tcpUdp);

    std::array<forms::Label*, 2> lblIPOpt{};
    std::array<forms::Label*, 2> lblICMPOpt{};
    std::array<forms::Label*, 2> lblTCPUDPOpt{};
    std::array<forms::Label*, 12> lblIP{};
    std::array<forms::Label*, 12> lblIPStats{};
    std::array<forms::Label*, 12> lblICMPCaption{};
    std::array<forms::Label*, 12> lblICMPStats{};
    std::array<forms::Label*, 12> lblDataCaption{};
    std::array<forms::Label*, 15> lblData{};
    std::array<forms::Label*, 5> lblUDPCaption{};
    std::array<forms::Label*, 5> lblUDP{};
    std::array<forms::Shape*, 2> shpTUStrip{};
    std::array<forms::Shape*, 2> shpTU{};  // the covers, in, out
    std::array<forms::Label*, 2> lblTU{};

    // Set_sType on the network screen: the captions and labels of the
    // sub-view's option.
    void setUp(int subView, int option);
    // The three timers' ticks.
    void ipTick(int option);
    void icmpTick(int option);
    void tcpUdpTick(int option);

private:
    void moveBars(std::uint32_t in, std::uint32_t out, std::uint32_t& previousIn, std::uint32_t& previousOut);
    platform::Sources& sources_;
    // The remembered counts: TCP segments in, out; UDP datagrams in, out.
    std::uint32_t tcpIn_ = 0, tcpOut_ = 0, udpIn_ = 0, udpOut_ = 0;
};

}  // namespace vel
