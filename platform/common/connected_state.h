// Reading InternetGetConnectedStateExA's answer: the connection name comes
// back in a fixed buffer that the call need not end with a NUL.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace vel::platform {

constexpr std::uint32_t kConnectionNameSize = 512;

// call(flags, buffer, size) is the system call; returns its result. The
// buffer has one NUL more than the call may fill; the name ends at the
// first NUL, or is all 512 characters when the call wrote none.
template <typename Call>
int readConnectedState(Call call, std::uint32_t& flags, std::string& name) {
    char buffer[kConnectionNameSize + 1] = {};
    flags = 0;
    const int rc = call(flags, buffer, kConnectionNameSize);
    name.assign(buffer, ::strnlen(buffer, kConnectionNameSize));
    return rc;
}

}  // namespace vel::platform
