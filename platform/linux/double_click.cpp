#include "platform/linux/double_click.h"

#include <cstdlib>

namespace vel::platform::linux_backend {

bool DoubleClickDetector::press(std::uint32_t window, int button, int x, int y, std::uint32_t timeMs) {
    // Server time wraps after 49 days; the unsigned difference still works.
    const std::uint32_t elapsed = timeMs - time_;
    const bool isDouble = armed_ && window == window_ && button == button_ &&
                          elapsed <= static_cast<std::uint32_t>(intervalMs_) &&
                          std::abs(x - x_) <= slop_ && std::abs(y - y_) <= slop_;
    if (isDouble) {
        armed_ = false;  // a third press is a plain press again
        return true;
    }
    armed_ = true;
    window_ = window;
    button_ = button;
    x_ = x;
    y_ = y;
    time_ = timeMs;
    return false;
}

}  // namespace vel::platform::linux_backend
