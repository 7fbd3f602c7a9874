#include "modules/clock_hands.h"

#include <cmath>
#include <cstdint>

#include "engine/antialias.h"

namespace vel {

namespace {

// The dial's own approximation of pi, part of where the dots fall.
constexpr double kPi = 3.14159;
constexpr double kDegree = kPi / 180.0;

struct HandStyle {
    int length;
    std::int16_t r, g, b;
};
constexpr HandStyle kHour{7, 0, 64, 128};
constexpr HandStyle kMinute{9, 0, 128, 255};
constexpr HandStyle kSecond{11, 0, 0, 0};

// Dots from the tip inward to the centre, so the centre ends on top.
void drawHand(forms::PictureBox& surface, const int (&centre)[2], double degrees, const HandStyle& s) {
    const double a = (degrees - 90.0) * kDegree;
    for (int i = 0; i <= s.length; ++i) {
        const double r = s.length - i;
        AAPlot(surface, r * std::cos(a) + centre[0], r * std::sin(a) + centre[1], s.r, s.g, s.b);
    }
}

}  // namespace

HandAngles clockHandAngles(double hour, double minute, double second, double milliseconds) {
    const double hp = minute / 60.0 + hour;
    return {30.0 * hp, 6.0 * minute + (second / 60.0) * 6.0, 6.0 * second + (milliseconds / 1000.0) * 6.0};
}

void drawClockHands(forms::PictureBox& surface, const HandAngles& angles, const int (&hourCentre)[2],
                    const int (&minuteCentre)[2], const int (&secondCentre)[2]) {
    drawHand(surface, hourCentre, angles.hour, kHour);
    drawHand(surface, minuteCentre, angles.minute, kMinute);
    drawHand(surface, secondCentre, angles.second, kSecond);
}

void drawClockHands(forms::PictureBox& surface, const HandAngles& angles, int centreX, int centreY) {
    const int c[2] = {centreX, centreY};
    drawClockHands(surface, angles, c, c, c);
}

}  // namespace vel
