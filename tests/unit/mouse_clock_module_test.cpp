// The mouse module and the clock beyond what the modules_family scenario
// and the module snapshots show: unpadded components, a style without a
// face, the clock's hand angles and in-between positions, locale names,
// its place and its information box.
#include <gtest/gtest.h>

#include "core/frm_about_zenthe.h"
#include "module_rig.h"

using namespace vel;

namespace {

// The cursor on a plain desktop pixel of a known colour.
void probe(test::ModuleRig& rig, int x, int y, Colour c) {
    rig.m.sim.setWallpaperPixel(x, y, c);
    rig.m.sim.mouseMove(x, y);
}

}  // namespace

TEST(MouseModuleLoad, AStyleWithoutAFaceKeepsTheFirstFaceWithWhiteLabels) {
    // Styles 0 to 4 are in the reference pictures (module_snapshot_test).
    test::ModuleRig rig(1);
    App& app = rig.start("Visi7=1\nmTyp7=5\n");
    FrmMouse& f = rig.mouse();
    for (const forms::Label* l : f.lblRGB) EXPECT_EQ(l->foreColor(), rgb(255, 255, 255));
    EXPECT_EQ(f.picMod->picture(), app.ui.picture("mse_face_0.png"));
}

TEST(MouseModuleTick, SmallComponentsAreNotPadded) {
    // The colour is read through six padded hex digits, then shown unpadded.
    test::ModuleRig rig(1);
    rig.start("Visi7=1\n");
    probe(rig, 901, 700, rgb(0, 0, 7));
    rig.engine().tmrMSE_Timer();
    FrmMouse& f = rig.mouse();
    EXPECT_EQ(f.lblRGB[0]->caption(), "R: 0");
    EXPECT_EQ(f.lblRGB[1]->caption(), "G: 0");
    EXPECT_EQ(f.lblRGB[2]->caption(), "B: 7");
    EXPECT_EQ(colourHexDigits(0xAB), "0000AB");
}

// The clock is stepped by hand on a set local time.
class ClockModule : public ::testing::Test {
protected:
    FrmClock& start(const std::string& lines = "") {
        rig.start("Visi8=1\n" + lines);
        rig.clock().Timer1->setEnabled(false);
        return rig.clock();
    }
    void at(int hour, int minute, int second, int ms, int year = 2026, int month = 12, int day = 5) {
        rig.m.sim.setClock(platform::SystemTime{year, month, 0, day, hour, minute, second, ms});
        rig.clock().Timer1_Timer();
    }
    Colour pixel(int x, int y) { return rig.clock().picMod->image().at(x, y); }
    Colour face(int x, int y) { return rig.clock().picMod->picture().at(x, y); }
    test::ModuleRig rig{1};
};

const Colour kMinuteColour = rgb(0, 128, 255);
const Colour kSecondColour = rgb(0, 0, 0);

TEST(ClockHands, AnglesOfTheHands) {
    EXPECT_DOUBLE_EQ(clockHandAngles(3, 0, 0, 0).hour, 90);
    EXPECT_DOUBLE_EQ(clockHandAngles(0, 0, 0, 0).hour, 0);
    EXPECT_DOUBLE_EQ(clockHandAngles(12, 0, 0, 0).hour, 360) << "straight up, the hour hand turns twice a day";
    EXPECT_DOUBLE_EQ(clockHandAngles(12, 30, 0, 0).hour, 375) << "half-way between 12 and 1";
    EXPECT_DOUBLE_EQ(clockHandAngles(0, 10, 30, 0).minute, 63);
    EXPECT_NEAR(clockHandAngles(0, 0, 7, 100).second - clockHandAngles(0, 0, 7, 0).second, 0.6, 1e-9)
        << "0.6 degrees per 100 ms tick";
}

TEST_F(ClockModule, HalfPastTwelve) {
    start();
    at(12, 30, 0, 0);
    // Minute hand down (tip at (18, 21)), second hand up (tip at (18, 1)).
    for (int y = 13; y <= 21; ++y) EXPECT_EQ(pixel(18, y), kMinuteColour) << "y " << y;
    for (int y = 1; y <= 12; ++y) EXPECT_EQ(pixel(18, y), kSecondColour) << "y " << y;
    // The hour hand leans 15 degrees right of twelve: ink right of the
    // upright column at the tip's height, none left of it.
    EXPECT_NE(pixel(20, 5), face(20, 5));
    EXPECT_NE(pixel(19, 6), face(19, 6));
    EXPECT_EQ(pixel(17, 5), face(17, 5));
    EXPECT_EQ(pixel(17, 6), face(17, 6));
}

TEST_F(ClockModule, SecondHandGlidesBetweenWholeSeconds) {
    start();
    at(0, 0, 15, 0);
    const Pixels whole = rig.clock().picMod->image();
    at(0, 0, 15, 500);
    const Pixels half = rig.clock().picMod->image();
    EXPECT_FALSE(whole == half) << "half a second moves the second hand by 3 degrees";
    // At 15.5 s the hand is at 93 degrees: the tip leans below the row.
    EXPECT_NE(pixel(28, 13), face(28, 13));
}

TEST(ClockLocale, DateLabelsUseTheLocaleNames) {
    test::ModuleRig rig(1);
    rig.m.sim.setLocaleDateNames(platform::LocaleDateNames{
        {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
        {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"}});
    rig.start("Visi8=1\n");
    FrmClock& f = rig.clock();
    f.Timer1->setEnabled(false);
    rig.m.sim.setClock(platform::SystemTime{2026, 3, 0, 4, 9, 0, 0, 0});
    f.Timer1_Timer();
    EXPECT_EQ(f.lblDate[0]->caption(), "Mi");
    EXPECT_EQ(f.lblDate[1]->caption(), "Mrz 04");
    EXPECT_EQ(f.lblDate[2]->caption(), "2026");
}

TEST_F(ClockModule, OpensAtItsOwnPlaceWhateverTheMode) {
    for (const char* mode : {"PLCMNT=0\n", "PLCMNT=1\n", "PLCMNT=2\n"}) {
        test::ModuleRig r(1);
        r.start(std::string("Visi8=1\nVisi0=1\nPosX9=4500\nPosY9=2250\nPosX0=150\nPosY0=150\n") + mode);
        EXPECT_EQ(r.clock().left(), 4500) << mode;
        EXPECT_EQ(r.clock().top(), 2250) << mode;
        EXPECT_EQ(r.clock().Timer1->interval(), 100u);
        EXPECT_TRUE(r.clock().Timer1->enabled());
    }
}

// Its place and message text: tests/scenarios/modules_family.
TEST_F(ClockModule, InformationBoxIsANormalWindowThatEscAndItsCloseButtonClose) {
    FrmClock& f = start();
    rig.m.sim.advance(2000);
    for (int closeBy : {0, 1}) {
        rig.doubleClick(*f.lblDate[1], 5, 4);
        FrmAboutZenthe* about = f.aboutBox();
        ASSERT_NE(about, nullptr);
        const platform::SimWindow* w = rig.m.sim.findWindow("frmAboutZenthe");
        ASSERT_NE(w, nullptr) << "opened again after being closed";
        EXPECT_TRUE(w->dialog) << "title bar and close button";
        EXPECT_EQ(about->lblVersion->caption(), "Version 4.1.0107");
        EXPECT_EQ(about->Picture2->toolTipText(), "Click for info...");
        if (closeBy == 0)
            rig.m.sim.keyDown(w->id, 27, 0);
        else
            rig.m.sim.closeButton(w->id);
        EXPECT_FALSE(about->loaded());
        EXPECT_EQ(rig.m.sim.findWindow("frmAboutZenthe"), nullptr);
    }
}
