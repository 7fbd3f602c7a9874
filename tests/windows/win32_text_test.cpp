// Text with the system's fonts: the program's small Arial sizes come out of
// GDI and are blended into a form's pixels in the text colour, inside the clip.
// (That a label fits a long line with them is part of the Fit checks.)
#include "platform/win32/win32_text.h"

#include "harness.h"

using namespace vel;
using namespace vel::platform;

WTEST(Text, MeasuresAndDrawsInTheTextColourOnlyInsideTheClip) {
    win32::GdiText text;
    // Longer text measures wider, bold no narrower; UTF-8 is measured.
    int one = 0, three = 0, threeBold = 0, degrees = 0;
    REQUIRE(text.measure("Arial", 6.75, false, "8", one));
    REQUIRE(text.measure("Arial", 6.75, false, "888", three));
    REQUIRE(text.measure("Arial", 6.75, true, "888", threeBold));
    CHECK(one > 0);
    CHECK(three > 2 * one);
    CHECK(threeBold >= three);
    CHECK(text.measure("Arial", 8, false, "25\xC2\xB0", degrees));  // 25 degrees
    CHECK(degrees > 0);

    const Colour white = rgb(255, 255, 255), red = rgb(255, 0, 0);
    Pixels target(40, 20, white);
    CHECK(text.draw(target, 0, 0, "", "Arial", 8, false, red, 0, 0, 40, 20));
    CHECK(target == Pixels(40, 20, white));  // no text, no ink
    // The clip cuts the second half of the text off.
    REQUIRE(text.draw(target, 2, 2, "8888", "Arial", 6.75, true, red, 0, 0, 12, 20));
    int touched = 0;
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            const Colour c = target.at(x, y);
            if (c == white) continue;
            ++touched;
            CHECK(x < 12);
            // A blend of white towards red keeps full red and equal green and blue.
            CHECK_EQ(redOf(c), 255);
            CHECK_EQ(greenOf(c), blueOf(c));
        }
    CHECK(touched > 10);
}
