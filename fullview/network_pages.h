// The network-statistics screen of the Full View: the IP, ICMP and TCP\UDP
// panels, each with its two options.
#pragma once

#include <array>

#include "forms/graphic_controls.h"
#include "forms/picture_box.h"

namespace vel {

class FvNetworkPages {
public:
    FvNetworkPages(forms::PictureBox& ip, forms::PictureBox& icmp, forms::PictureBox& tcpUdp);

    std::array<forms::Label*, 2> lblIPOpt{};
    std::array<forms::Label*, 2> lblICMPOpt{};
    std::array<forms::Label*, 2> lblTCPUDPOpt{};
};

}  // namespace vel
