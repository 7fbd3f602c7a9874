// The splash window shown while the program identifies the machine.
#pragma once

#include <array>

#include "forms/form.h"
#include "forms/graphic_controls.h"
#include "forms/picture_box.h"

namespace vel {

class App;

class FrmSplash : public forms::Form {
public:
    explicit FrmSplash(App& app);

    // lblDisplay, repainted at once.
    void setStatus(const std::string& text);
    // Shows splash picture index only, with its two-line caption.
    void showPicture(int index, const std::string& caption);
    void startClosing() { tmrSplash->setEnabled(true); }

    forms::PictureBox* picMainSkin;
    std::array<forms::PictureBox*, 3> picSplashMeters{};
    forms::Label* SplashMetersText;
    forms::Label* lblDisplay;
    forms::Label* lblBuild;
    forms::Timer* tmrSplash;
    int tickCount = 0;

protected:
    void onLoad() override;
    void onUnload() override;

private:
    void tmrSplash_Timer();
    App& app_;
};

}  // namespace vel
