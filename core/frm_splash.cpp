#include "core/frm_splash.h"

#include "core/app.h"
#include "core/vb.h"
#include "core/version.h"
#include "window/window_services.h"

namespace vel {

namespace {
gfx::FontSpec uiFont(bool bold = false) {
    gfx::FontSpec f;
    f.name = "Tahoma";
    f.sizePt = 8;
    f.bold = bold;
    return f;
}
}  // namespace

FrmSplash::FrmSplash(App& app) : Form(app.ui, "frmSplash"), app_(app) {
    setCaption(app.titleFor(""));
    picMainSkin = &add<forms::PictureBox>("picMainSkin");
    picMainSkin->move(0, 0, 320, 200);
    for (int i = 0; i < 3; ++i) {
        picSplashMeters[i] = &picMainSkin->add<forms::PictureBox>("picSplashMeters", i);
        picSplashMeters[i]->move(16, 56, 120, 72);
        picSplashMeters[i]->setVisible(false);
    }
    SplashMetersText = &picMainSkin->add<forms::Label>("SplashMetersText");
    SplashMetersText->move(148, 66, 160, 30);
    SplashMetersText->setFont(uiFont(true));
    SplashMetersText->setForeColor(rgb(255, 255, 255));
    lblDisplay = &picMainSkin->add<forms::Label>("lblDisplay");
    lblDisplay->move(16, 150, 288, 13);
    lblDisplay->setFont(uiFont());
    lblDisplay->setForeColor(rgb(232, 238, 246));
    lblBuild = &picMainSkin->add<forms::Label>("lblBuild");
    lblBuild->move(216, 180, 96, 13);
    lblBuild->setFont(uiFont());
    lblBuild->setForeColor(rgb(170, 184, 204));
    lblBuild->setAlignment(forms::Alignment::Right);
    tmrSplash = &addTimer("tmrSplash", 500, false);
    tmrSplash->onTimer = [this] { tmrSplash_Timer(); };
}

void FrmSplash::onLoad() {
    // Shown once: the boxes keep their copies and the runtime none.
    picMainSkin->setPicture(app_.ui.picture("splash_skin.png"));
    app_.ui.releasePicture("splash_skin.png");
    if (picMainSkin->hasPicture())
        picMainSkin->move(0, 0, picMainSkin->picture().width, picMainSkin->picture().height);
    for (int i = 0; i < 3; ++i) {
        const std::string meters = "splash_meters_" + std::to_string(i) + ".png";
        picSplashMeters[i]->setPicture(app_.ui.picture(meters));
        app_.ui.releasePicture(meters);
    }

    shapeToSkin(app_, *this, *picMainSkin);
    platform::Size screen = os().screenSize();
    move((screen.width * forms::kTwipsPerPixel - width()) / 2, (screen.height * forms::kTwipsPerPixel - height()) / 2);
    lblBuild->setCaption("Build " + formatNumber(kVersion.minor, "0") + "." + formatNumber(kVersion.revision, "0000"));
    showPicture(0, "Multiple Meter Selections...\n\rCreate a theme!");
    makeTopMost(*this);
    refresh();
    os().doEvents();
    app_.splashPause(1000);
}

void FrmSplash::onUnload() {
    // The splash is shown once: its pictures would stay in memory for the
    // whole run.
    picMainSkin->releasePictures();
    for (int i = 0; i < 3; ++i) picSplashMeters[i]->releasePictures();
}

void FrmSplash::setStatus(const std::string& text) {
    lblDisplay->setCaption(text);
    lblDisplay->refresh();
}

void FrmSplash::showPicture(int index, const std::string& caption) {
    app_.traceEvent("picture " + std::to_string(index));
    for (int i = 0; i < 3; ++i) picSplashMeters[i]->setVisible(i == index);
    SplashMetersText->setCaption(caption);
}

void FrmSplash::tmrSplash_Timer() {
    ++tickCount;
    if (tickCount > 2) {
        app_.traceEvent("splash closed");
        unload();
    }
}

}  // namespace vel
