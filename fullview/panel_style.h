// The look shared by every Full View page: panel geometry, text colours and
// faces, and a helper that places a label in that look.
#pragma once

#include <string>

#include "forms/graphic_controls.h"
#include "forms/picture_box.h"
#include "fullview/fullview_layout.h"

namespace vel::fullview {

constexpr Colour kTitleColour = rgb(103, 186, 218);  // panel titles and captions
constexpr Colour kValueColour = rgb(222, 240, 250);  // figures and names
constexpr Colour kDimColour = rgb(62, 96, 122);      // what cannot be chosen
constexpr Colour kLinkColour = rgb(133, 212, 0);     // labels that do something
constexpr Colour kBarColour = rgb(133, 212, 0);      // the strip of a bar
constexpr Colour kCoverColour = rgb(24, 48, 70);     // what covers a bar, the graphs' ground

enum class TextRole { Title, Heading, Caption, Value, Small, Option };

gfx::FontSpec fontFor(TextRole role);
Colour colourFor(TextRole role);

// A transparent label on a panel, in the role's face and colour.
forms::Label& addPanelLabel(forms::PictureBox& panel, const std::string& name, int index, int left, int top,
                            int width, TextRole role);

// A borderless rectangle filled with one colour (bars, their covers and
// indicators).
forms::Shape& addFilledShape(forms::PictureBox& panel, const std::string& name, int index, int left, int top,
                             int width, int height, Colour fill);

// The title of a panel at its top-left (lblTitle with the panel's index).
forms::Label& addPanelTitle(forms::PictureBox& panel, const std::string& text);

}  // namespace vel::fullview
