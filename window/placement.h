// Where the windows go: the chain behind the clock in a row or a column,
// or the user's own places; dragging; the reset layout.
#pragma once

#include "core/app.h"

namespace vel {

constexpr int kHorizontalPitch = 945;  // twips
constexpr int kVerticalPitch = 405;

// Re-applies the placement mode to every loaded window and saves them all.
void ArrangeModules(App& app);
// The drag family: system move, save the position, re-arrange.
void dragWindow(App& app, forms::Form& form, WindowSlot slot);
// Writes the position of one window to Settings and the settings file.
void savePosition(App& app, forms::Form& form, int posIndex);
// The reset table, moved and written even for windows not loaded. Apply
// (which re-arranges) follows it, from the options dialog.
void resetModuleLocations(App& app);

// Load-time placement of a window: saved place in user mode, else stacked
// on the nearest loaded window its row stacks on, else the saved place.
void placeOnLoad(App& app, forms::Form& form, WindowSlot slot);

}  // namespace vel
