// The clock's three hands as rows of anti-aliased dots around the dial
// centre, hour first, then minute, then second on top.
#pragma once

#include "forms/picture_box.h"

namespace vel {

// Angles in degrees clockwise from twelve o'clock.
struct HandAngles {
    double hour, minute, second;
};
// hour 0-23 (the hour hand turns twice a day); the minutes move the hour
// hand, the seconds the minute hand, the milliseconds the second hand.
HandAngles clockHandAngles(double hour, double minute, double second, double milliseconds);

// Plots the hands on the surface around (centreX, centreY).
void drawClockHands(forms::PictureBox& surface, const HandAngles& angles, int centreX, int centreY);
// The same with each hand's centre taken from its own holder.
void drawClockHands(forms::PictureBox& surface, const HandAngles& angles, const int (&hourCentre)[2],
                    const int (&minuteCentre)[2], const int (&secondCentre)[2]);

}  // namespace vel
