// clsNetConnection: the Internet layer's connection state as a flag word, a
// device word and a connection name. Each property asks the system afresh.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sources_api.h"

namespace vel {

namespace conn {
constexpr std::uint32_t kModem = 1;
constexpr std::uint32_t kLan = 2;
constexpr std::uint32_t kProxy = 4;
constexpr std::uint32_t kOffline = 32;
}  // namespace conn

class clsNetConnection {
public:
    explicit clsNetConnection(platform::Sources& sources) : sources_(sources) {}

    std::uint32_t ConnType();
    // "LAN", "MODEM", "PROXY" or "OFFLINE" by the first set bit in the
    // order 2, 1, 4, 32; "" when none of them is set.
    static std::string ConnTypeDevice(std::uint32_t nType);
    std::string ConnName();

private:
    // One query: the flag word and the name (a failed query gives 0 and "").
    void query(std::uint32_t& flags, std::string& name);
    platform::Sources& sources_;
};

// The TCP and UDP counts the network module's traffic lights last compared
// against (process-wide, never reset).
struct TrafficLightMemory {
    std::int32_t tcpIn = 0, tcpOut = 0, udpIn = 0, udpOut = 0;
};

// The connection name as the 513-character buffer holds it: up to the
// first NUL, or the whole buffer when it has none.
std::string connectionNameFromBuffer(const std::string& buffer);

}  // namespace vel
