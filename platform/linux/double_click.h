// Tells a double click from two clicks the way Windows does: the second
// press of the same button on the same window, soon enough and close
// enough, is the double click; the press after that starts over.
#pragma once

#include <cstdint>

namespace vel::platform::linux_backend {

class DoubleClickDetector {
public:
    explicit DoubleClickDetector(int intervalMs = 500, int slopPixels = 2)
        : intervalMs_(intervalMs), slop_(slopPixels) {}

    void setInterval(int ms) { intervalMs_ = ms; }
    int interval() const { return intervalMs_; }

    // A button press at a screen position and a server time (ms, wrapping).
    // Returns true when it completes a double click.
    bool press(std::uint32_t window, int button, int x, int y, std::uint32_t timeMs);
    void reset() { armed_ = false; }

private:
    int intervalMs_;
    int slop_;
    bool armed_ = false;
    std::uint32_t window_ = 0;
    int button_ = 0;
    int x_ = 0, y_ = 0;
    std::uint32_t time_ = 0;
};

}  // namespace vel::platform::linux_backend
