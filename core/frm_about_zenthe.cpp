#include "core/frm_about_zenthe.h"

#include "core/app.h"
#include "modules/clock_hands.h"

namespace vel {

namespace {

constexpr int kWidth = 220, kHeight = 96;  // pixels
const Colour kTextBlue = rgb(86, 111, 167);

forms::Label& label(forms::Form& f, const char* name, int left, int top, int width, const std::string& caption,
                    double sizePt, bool bold) {
    forms::Label& l = f.add<forms::Label>(name);
    l.move(left, top, width, 12);
    l.setCaption(caption);
    gfx::FontSpec font;
    font.sizePt = sizePt;
    font.bold = bold;
    l.setFont(font);
    l.setOpaque(false);
    return l;
}

// The clock module as it stands on the desktop: its face in the frame, the
// frame's see-through colour (its top-left pixel) turned into the window's
// background.
Pixels clockModulePicture(const Pixels& skin, const Pixels& face, Colour background) {
    if (skin.empty()) return skin;
    Pixels out = skin;
    const Colour clear = skin.at(0, 0);
    for (Colour& c : out.data)
        if (c == clear) c = background;
    for (int y = 0; y < face.height; ++y)
        for (int x = 0; x < face.width; ++x)
            if (out.inside(x + 3, y + 3)) out.at(x + 3, y + 3) = face.at(x, y);
    return out;
}

}  // namespace

std::string glidoraMessage() {
    const char* const lines[] = {
        "This software is Glidora\u2122 enabled!",
        "",
        "Glidora\u2122 is our 'smooth movement' analog clock technology.  Unlike",
        "ordinary clocks, where the hands 'click' from point to point, our",
        "software clock hands SMOOTHLY rotate around the entire clock face.",
        "",
        "Glidora\u2122 and Zenthe\u2122 are trademarks of Brinlake.",
    };
    std::string text;
    for (const char* line : lines) {
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    return text;
}

FrmAboutZenthe::FrmAboutZenthe(App& app) : Form(app.ui, "frmAboutZenthe"), app_(app) {
    setDialog("Zenthe Professional");
    setBackColor(rgb(236, 238, 242));
    Picture2 = &add<forms::PictureBox>("Picture2");
    Picture2->move(10, 10, 60, 23);
    Picture2->setToolTipText("Click for info...");
    Image2 = &add<forms::Image>("Image2");
    Image2->move(8, 50, 65, 29);
    Image2->setToolTipText("Click for info...");
    lblTitle = &label(*this, "lblTitle", 84, 10, 130, "Zenthe Professional", 8, true);
    lblVersion = &label(*this, "lblVersion", 84, 26, 130, "Version 4.1.0107", 8, false);
    Label1 = &label(*this, "Label1", 84, 50, 130, "Glidora smooth hands", 8, false);
    Label1->setToolTipText("Click for info...");
    Label2 = &label(*this, "Label2", 84, 66, 130, "What is Glidora?", 8, false);
    for (forms::Control* c : {static_cast<forms::Control*>(Picture2), static_cast<forms::Control*>(Image2),
                              static_cast<forms::Control*>(Label1), static_cast<forms::Control*>(Label2)})
        c->onClick = [this] { showInfo(); };
}

void FrmAboutZenthe::onLoad() {
    forms::Runtime& ui = app_.ui;
    // The dial at ten past ten, the hands' classic pose.
    Picture2->setPicture(ui.picture("clock_face.png"));
    drawClockHands(*Picture2, clockHandAngles(10, 8, 37, 0), 18, 12);
    Image2->setPicture(clockModulePicture(ui.picture("module_skin.png"), ui.picture("clock_face.png"), backColor()));
    Label1->setForeColor(kTextBlue);
    Label2->setForeColor(kTextBlue);
    const platform::Size screen = os().screenSize();
    const double w = kWidth * forms::kTwipsPerPixel, h = kHeight * forms::kTwipsPerPixel;
    move((screen.width * forms::kTwipsPerPixel - w) / 2, (screen.height * forms::kTwipsPerPixel - h) / 2, w, h);
}

void FrmAboutZenthe::onKey(const platform::KeyEvent& e) {
    if (e.keyCode == 27) unload();
}

void FrmAboutZenthe::showInfo() {
    app_.os.messageBox(glidoraMessage(), kGlidoraTitle, platform::mb::Information);
}

}  // namespace vel
