// Start-up and the loading of the windows.
#pragma once

namespace vel {

class App;

// The start routine. Returns false when the program must end at once
// (another instance runs). The program then lives on in its windows.
bool StartVelmora(App& app);
// Loads the engine, then the windows whose visibility flag is set, in the
// fixed order, and last the main control bar.
void LoadModules(App& app);
// Creates the window objects (not loaded) and puts them in their slots.
void createWindows(App& app);

}  // namespace vel
