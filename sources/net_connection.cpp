#include "sources/net_connection.h"

namespace vel {

namespace {
constexpr std::size_t kNameBuffer = 512;
}

std::string connectionNameFromBuffer(const std::string& buffer) {
    const auto nul = buffer.find('\0');
    return nul == std::string::npos ? buffer : buffer.substr(0, nul);
}

void clsNetConnection::query(std::uint32_t& flags, std::string& name) {
    flags = 0;
    std::string buffer;
    sources_.connectedState(flags, buffer);
    // The buffer holds 512 characters at most, the 513th being its NUL.
    if (buffer.size() > kNameBuffer) buffer.resize(kNameBuffer);
    name = connectionNameFromBuffer(buffer);
}

std::uint32_t clsNetConnection::ConnType() {
    std::uint32_t flags = 0;
    std::string name;
    query(flags, name);
    return flags;
}

std::string clsNetConnection::ConnName() {
    std::uint32_t flags = 0;
    std::string name;
    query(flags, name);
    return name;
}

std::string clsNetConnection::ConnTypeDevice(std::uint32_t nType) {
    if (nType & conn::kLan) return "LAN";
    if (nType & conn::kModem) return "MODEM";
    if (nType & conn::kProxy) return "PROXY";
    if (nType & conn::kOffline) return "OFFLINE";
    return "";
}

}  // namespace vel
