// The network module frmNetwork (module index 5): connection type and
// state pictures, four traffic lights and two ten-step transfer graphs.
// Its own timer tmrXFer samples the TCP and UDP counters; the network
// tick of the engine drives the pictures and the lights.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "forms/graphic_controls.h"
#include "modules/module_form.h"

namespace vel {

// Kilobytes per second over one 250 ms interval: (Δreceived + Δsent) ×
// unit bytes × 4 ÷ 1024, the differences and products in signed 32 bits.
// An overflow anywhere gives 0.
double transferRate(const std::int32_t (&first)[2], const std::int32_t (&second)[2], std::int32_t unitBytes);
// Redraws a graph: background, then a row per step the rounded rate
// strictly exceeds (the bottom row for any traffic), all red above
// full scale (ten steps).
void drawTransferGraph(forms::PictureBox& graph, double rate, int step);

class FrmNetwork : public ModuleForm {
public:
    explicit FrmNetwork(App& app);

    forms::Timer* tmrXFer;
    forms::PictureBox* UDPGraph;
    forms::PictureBox* TCPGraph;
    forms::PictureBox* imgNetType;
    forms::PictureBox* imgNetStatus;
    std::array<forms::Label*, 2> imgTCP;  // 0 receive, 1 send
    std::array<forms::Label*, 2> imgUDP;
    forms::Line* Line1;

    // The transfer sampler's tick.
    void tmrXFer_Timer();
    void dressForStyle() override;
    std::uint8_t phase() const { return phase_; }

protected:
    void onLoad() override;

private:
    void applyStyle(int code);

    std::uint8_t phase_ = 0;
    std::int32_t tcpFirst_[2] = {0, 0}, tcpSecond_[2] = {0, 0};
    std::int32_t udpFirst_[2] = {0, 0}, udpSecond_[2] = {0, 0};
    std::uint64_t firstSampleMs_ = 0;
    std::int64_t firstSampleWallMs_ = 0;
};

}  // namespace vel
