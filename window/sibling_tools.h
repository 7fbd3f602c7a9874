// The two tools shipped beside the program: the memory tool in its own
// folder, the log viewer in the program folder.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vel {

enum class SiblingTool { Memtide, Logscope };

// Where the tool lives under the program folder (appPath, no separator at
// its end).
std::string siblingToolPath(const platform::Platform& os, const std::string& appPath, SiblingTool tool);
// Starts the tool, as the main bar's buttons do.
void launchSiblingTool(platform::Platform& os, const std::string& appPath, SiblingTool tool);

}  // namespace vel
