// The clock module frmClock (position index 9, visibility index 8): an
// analogue dial whose three hands are rows of anti-aliased dots, redrawn
// ten times a second so the second hand glides, and the date in three
// short lines.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "core/vb.h"

#include "forms/graphic_controls.h"
#include "modules/clock_hands.h"
#include "modules/module_form.h"

namespace vel {

class FrmAboutZenthe;

class FrmClock : public ModuleForm {
public:
    explicit FrmClock(App& app);
    ~FrmClock() override;

    forms::Timer* Timer1;
    forms::Line* HandS;
    forms::Line* HandM;
    forms::Line* HandH;
    std::array<forms::Label*, 3> lblDate;

    void Timer1_Timer();
    // The information box, created on its first double-click.
    FrmAboutZenthe* aboutBox() const { return about_.get(); }
    void showAbout();

protected:
    void onLoad() override;

private:
    // Takes the day and month names of the user's locale, when the system
    // tells them.
    void takeLocaleNames();

    // The milliseconds of the last system-time read.
    int systemMilliseconds_ = 0;
    int shownDate_ = -1;  // yyyymmdd the date labels show
    std::array<std::string, 7> dayNames_;
    std::array<std::string, 12> monthNames_;
    std::array<const char*, 7> dayPointers_{};
    std::array<const char*, 12> monthPointers_{};
    DateNames names_;
    std::unique_ptr<FrmAboutZenthe> about_;
};

}  // namespace vel
