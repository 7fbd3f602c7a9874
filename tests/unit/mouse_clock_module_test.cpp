// The mouse module and the clock beyond what the modules_family scenario
// and the module snapshots show: unpadded components, a style without a
// face, the clock's locale names, its place and its information box.
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

TEST(ClockPlace, OpensAtItsOwnPlaceWhateverTheMode) {
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
TEST(ClockInformationBox, IsANormalWindowThatEscAndItsCloseButtonClose) {
    test::ModuleRig rig(1);
    rig.start("Visi8=1\n");
    FrmClock& f = rig.clock();
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
