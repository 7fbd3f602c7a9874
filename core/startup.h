// Start-up and the loading of the windows.
#pragma once

#include "core/app.h"

namespace vel {

// The start routine. Returns false when the program must end at once
// (another instance runs, or the program was ended during start-up). The
// program then lives on in its windows.
bool StartVelmora(App& app);
// Loads the engine, then the windows whose visibility flag is set, in the
// fixed order, and last the main control bar.
void LoadModules(App& app);

}  // namespace vel
