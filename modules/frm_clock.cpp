#include "modules/frm_clock.h"

#include "core/frm_about_zenthe.h"
#include "core/vb.h"
#include "modules/clock_hands.h"

namespace vel {

namespace {

const Colour kDateColour = rgb(64, 64, 0);

forms::Line& hand(forms::PictureBox& parent, const char* name, int tipX) {
    forms::Line& l = parent.add<forms::Line>(name);
    l.setPoints(18, 12, tipX, 12);
    l.setVisible(false);
    return l;
}

}  // namespace

FrmClock::FrmClock(App& app) : ModuleForm(app, "frmClock", WindowSlot::Clock, "Zenthe (Double-click for info...)") {
    setCaption(app.titleFor("Clock"));
    // On from the design, but a form's timer only runs once the form is
    // loaded: load switches it on.
    Timer1 = &addTimer("Timer1", 100, false);
    Timer1->onTimer = [this] { Timer1_Timer(); };
    HandS = &hand(*picMod, "HandS", 29);
    HandM = &hand(*picMod, "HandM", 27);
    HandH = &hand(*picMod, "HandH", 25);
    const char* const captions[3] = {"DAY", "MM  00", "YEAR"};
    const int tops[3] = {1, 8, 15}, widths[3] = {22, 28, 22};
    const auto about = [this] { showAbout(); };
    for (int i = 0; i < 3; ++i) {
        lblDate[i] = &picMod->add<forms::Label>("lblDate", i);
        lblDate[i]->move(35, tops[i], widths[i], 8);
        lblDate[i]->setCaption(captions[i]);
        lblDate[i]->setForeColor(kDateColour);
        lblDate[i]->setFont(moduleCaptionFont());
        lblDate[i]->setOpaque(false);
        lblDate[i]->setToolTipText(picMod->toolTipText());
        wireMouse(*lblDate[i], about);
    }
    wireMouse(*picMainSkin, about);
    wireMouse(*picMod, about);
}

FrmClock::~FrmClock() = default;

void FrmClock::showAbout() {
    if (!about_) about_ = std::make_unique<FrmAboutZenthe>(app_);
    about_->show();
}

void FrmClock::takeLocaleNames() {
    const auto names = app_.os.localeDateNames();
    if (!names) return;
    for (int i = 0; i < 7; ++i) {
        dayNames_[i] = names->days[i];
        dayPointers_[i] = dayNames_[i].c_str();
    }
    for (int i = 0; i < 12; ++i) {
        monthNames_[i] = names->months[i];
        monthPointers_[i] = monthNames_[i].c_str();
    }
    names_ = DateNames{dayPointers_.data(), monthPointers_.data()};
}

void FrmClock::onLoad() {
    takeLocaleNames();
    shownDate_ = -1;
    picMod->setPicture(app_.ui.picture("clock_face.png"));
    // The clock keeps its own place whatever the placement mode.
    loadFrame();
    finishLoad();
    Timer1->setEnabled(true);
}

void FrmClock::Timer1_Timer() {
    platform::Platform& os = app_.os;
    // One reading of the time serves the date and the hands.
    const platform::SystemTime now = os.localTime();
    const int date = (now.year * 100 + now.month) * 100 + now.day;
    if (date != shownDate_) {
        lblDate[0]->setCaption(formatDate(now, "ddd", names_));
        lblDate[1]->setCaption(formatDate(now, "mmm dd", names_));
        lblDate[2]->setCaption(formatDate(now, "yyyy", names_));
        shownDate_ = date;
    }

    systemMilliseconds_ = os.systemTime().milliseconds;
    const double hour = now.hour;
    const double minute = now.minute;
    const double second = now.second;
    const HandAngles angles = clockHandAngles(hour, minute, second, systemMilliseconds_);

    picMod->cls();
    for (forms::Line* h : {HandH, HandM, HandS}) {
        h->setX1(18);
        h->setY1(12);
    }
    const int hourCentre[2] = {HandH->x1(), HandH->y1()};
    const int minuteCentre[2] = {HandM->x1(), HandM->y1()};
    const int secondCentre[2] = {HandS->x1(), HandS->y1()};
    drawClockHands(*picMod, angles, hourCentre, minuteCentre, secondCentre);
    os.doEvents();
}

}  // namespace vel
