// Tells a double click from two clicks the way Windows does: the second
// press of the same button on the same window, soon enough and close
// enough, is the double click; the press after that starts over.
#pragma once

#include <cstdint>
#include <cstdlib>

namespace vel::platform::linux_backend {

class DoubleClickDetector {
public:
    // The desktop's defaults where it names none (GTK's).
    explicit DoubleClickDetector(int intervalMs = 400, int slopPixels = 5)
        : intervalMs_(intervalMs), slop_(slopPixels) {}

    void setInterval(int ms) { intervalMs_ = ms; }
    void setDistance(int pixels) { slop_ = pixels; }
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

// A press that may become a drag: it does once the pointer leaves a square
// of the drag threshold around the press with the button still held; a
// release first makes it a click.
struct PressWatch {
    bool active = false;
    bool released = false;
    bool moved = false;
    int x = 0, y = 0;
    int threshold = 8;

    void start(int pressX, int pressY, int dragThreshold) {
        *this = PressWatch{true, false, false, pressX, pressY, dragThreshold};
    }
    bool decided() const { return released || moved; }
    void pointerAt(int px, int py) {
        if (!decided() && (std::abs(px - x) > threshold || std::abs(py - y) > threshold)) moved = true;
    }
    void release() {
        if (!decided()) released = true;
    }
};

}  // namespace vel::platform::linux_backend
