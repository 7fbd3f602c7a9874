// The main control bar: options, the two sibling tools and exit.
#pragma once

#include <array>

#include "forms/form.h"
#include "forms/graphic_controls.h"
#include "forms/picture_box.h"

namespace vel {

class App;

class FrmMain : public forms::Form {
public:
    explicit FrmMain(App& app);

    forms::PictureBox* picMainSkin;
    std::array<forms::PictureButton*, 3> btnOpt{};
    forms::PictureButton* btnExit;

    void btnOpt_Click(int index);
    void btnExit_Click();
    void picMainSkin_DblClick();

protected:
    void onLoad() override;
    void onUnload() override;

private:
    App& app_;
};

// Shut-down after the exit question: unloads everything and ends.
void shutDown(App& app);

}  // namespace vel
