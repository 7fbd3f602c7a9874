// frmAboutZenthe: the clock's small information window about its
// smooth-hands technology, opened by a double-click on the clock.
#pragma once

#include "forms/form.h"
#include "forms/graphic_controls.h"
#include "forms/picture_box.h"

namespace vel {

class App;

// The text of the information message box, lines joined by CR LF.
std::string glidoraMessage();
constexpr const char* kGlidoraTitle = "About Brinlake Glidora\u2122";

class FrmAboutZenthe : public forms::Form {
public:
    explicit FrmAboutZenthe(App& app);

    forms::PictureBox* Picture2;
    forms::Image* Image2;
    forms::Label* Label1;
    forms::Label* Label2;
    forms::Label* lblTitle;
    forms::Label* lblVersion;

    // A click on the picture, the image or either text label.
    void showInfo();

    // Esc and the close button close it.
    void onKey(const platform::KeyEvent& e) override;
    void onCloseRequest() override { unload(); }

protected:
    void onLoad() override;

private:
    App& app_;
};

}  // namespace vel
