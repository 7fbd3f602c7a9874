// Where everything sits on the Full View's skin, in pixels. The window and
// the artwork generator both read it, so the pictures and the controls
// over them always agree.
#pragma once

namespace vel::fullview {

constexpr int kSkinWidth = 580, kSkinHeight = 272;

// Every panel sits at the same place, with the same size.
constexpr int kPanelLeft = 156, kPanelTop = 40, kPanelWidth = 412, kPanelHeight = 218;

// The five screen buttons, one under the other; an icon fills the left part.
constexpr int kScreenButtonLeft = 12, kScreenButtonTop = 40, kScreenButtonPitch = 36;
constexpr int kScreenButtonWidth = 136, kScreenButtonHeight = 30, kScreenIconWidth = 28;

// The three sub-view buttons in a row under them, below their caption.
constexpr int kSubButtonLeft = 12, kSubButtonTop = 234, kSubButtonPitch = 47;
constexpr int kSubButtonWidth = 42, kSubButtonHeight = 24;
constexpr int kSubViewCaptionTop = 221;

constexpr int kExitLeft = kSkinWidth - 30, kExitTop = 10, kExitSize = 18;

}  // namespace vel::fullview
