#include "fullview/panel_style.h"

namespace vel::fullview {

gfx::FontSpec fontFor(TextRole role) {
    gfx::FontSpec f;
    f.name = "Arial";
    switch (role) {
        case TextRole::Title: f.sizePt = 8.25; f.bold = true; break;
        case TextRole::Heading: f.sizePt = 8.25; f.bold = true; break;
        case TextRole::Caption: f.sizePt = 8.25; break;
        case TextRole::Value: f.sizePt = 8.25; f.bold = true; break;
        case TextRole::Small: f.sizePt = 6.75; break;
        case TextRole::Option: f.sizePt = 6.75; break;
    }
    return f;
}

Colour colourFor(TextRole role) {
    switch (role) {
        case TextRole::Title: return kTitleColour;
        case TextRole::Heading: return kValueColour;
        case TextRole::Caption: return kTitleColour;
        case TextRole::Value: return kValueColour;
        case TextRole::Small: return kTitleColour;
        case TextRole::Option: return kLinkColour;
    }
    return kValueColour;
}

forms::Label& addPanelLabel(forms::PictureBox& panel, const std::string& name, int index, int left, int top,
                            int width, TextRole role) {
    forms::Label& l = panel.add<forms::Label>(name, index);
    const gfx::FontSpec f = fontFor(role);
    l.move(left, top, width, gfx::lineHeight(f));
    l.setFont(f);
    l.setForeColor(colourFor(role));
    return l;
}

forms::Shape& addFilledShape(forms::PictureBox& panel, const std::string& name, int index, int left, int top,
                             int width, int height, Colour fill) {
    forms::Shape& s = panel.add<forms::Shape>(name, index);
    s.move(left, top, width, height);
    s.setFillStyle(0);
    s.setFillColor(fill);
    s.setBorder(false);
    return s;
}

forms::Label& addPanelTitle(forms::PictureBox& panel, const std::string& text) {
    forms::Label& l = addPanelLabel(panel, "lblTitle", panel.index(), 10, 5, kPanelWidth - 20, TextRole::Title);
    l.setCaption(text);
    return l;
}

}  // namespace vel::fullview
