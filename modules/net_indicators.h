// The network tick's two updates on the network module: the TCP and UDP
// traffic lights, then the connection type and state pictures.
#pragma once

#include <string>

namespace vel {

class App;
class FrmNetwork;

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
