// The network tick's two updates on the network module: the TCP and UDP
// traffic lights, then the connection type and state pictures.
#pragma once

#include <cstdint>
#include <string>

namespace vel {

class App;
class FrmNetwork;

// The last counts the lights compared against (process-wide, never reset).
struct TrafficLightMemory {
    std::int32_t tcpIn = 0, tcpOut = 0, udpIn = 0, udpOut = 0;
};

// A light is on exactly when its counter grew since the last tick.
void UpdateTrafficLights(App& app, FrmNetwork& net);
// Tooltips and pictures of imgNetType and imgNetStatus from a fresh
// connection query.
void UpdateConnectionIndicators(App& app, FrmNetwork& net);

// Image numbers of iListNET for a style s (0-4) and a device word, and
// for the connected / not connected state.
int netTypeImage(int style, const std::string& device);
int netStatusImage(int style, bool connected);

}  // namespace vel
