// Machine facts the program asks for at start: the processor count (from
// the system information record taken once at construction), a
// processor's rated speed from the hardware description in the registry,
// and the largest pixel column and row of the screen.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace vel {

class clsSystemMetrics {
public:
    explicit clsSystemMetrics(platform::Platform& os);

    // The processor count; a count above 255 does not fit and is reported.
    std::uint8_t Number_Of_Processors();
    // The rated MHz of processor n (the DWORD "~MHz" of its
    // HARDWARE\DESCRIPTION\System\CentralProcessor\<n> key); 0 when the key
    // or the value is missing.
    std::int32_t GetCPUSpeed(std::int16_t& processor);
    std::int32_t ScreenX();
    std::int32_t ScreenY();

    // The processor key GetCPUSpeed opened last.
    const std::string& processorKey() const { return processorKey_; }

    static constexpr const char* kCentralProcessorKey = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\";

private:
    platform::Platform& os_;
    std::uint32_t processors_ = 0;
    std::string processorKey_;
};

}  // namespace vel
