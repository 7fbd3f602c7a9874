// Skin-shaped regions, translucency, always-on-top and waking the windows.
#pragma once

#include <cstdint>
#include <optional>

#include "forms/form.h"
#include "forms/picture_box.h"
#include "platform/platform.h"

namespace vel {

class App;

// The region of every pixel of the picture whose colour differs from its
// top-left pixel, as one rectangle per horizontal run. nullopt when there is
// none (the window stays rectangular). An error is reported in a message box.
std::optional<platform::Region> MakeRegion(App& app, const forms::PictureBox& picture);
// Rows of runs for a bare pixel buffer (the part of MakeRegion that can fail
// only on memory).
platform::Region regionFromPixels(const Pixels& pixels, int width, int height);

// The load steps every skinned window shares: the skin at 0,0, the window
// sized to it, and the region built from it applied with redraw.
void shapeToSkin(App& app, forms::Form& form, forms::PictureBox& skin);

// Layered style and the constant alpha; true when the system reported no error.
bool MakeTranslucent(forms::Form& form, std::uint8_t alpha);
// SetWindowPos with HWND_TOPMOST and flags 0x53, as each load handler does.
void makeTopMost(forms::Form& form);
// ALWAYSOT applied to every loaded window of the list.
void ApplyAlwaysOnTop(App& app);
// Every loaded window to the awake alpha; the idle countdown restarts.
void WakeModules(App& app);
// The idle step of the visibility timer: countdown, fade, hot corner.
void idleStep(App& app);

}  // namespace vel
