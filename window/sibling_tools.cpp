#include "window/sibling_tools.h"

namespace vel {

std::string siblingToolPath(const platform::Platform& os, const std::string& appPath, SiblingTool tool) {
    const char sep = os.pathSeparator();
    if (tool == SiblingTool::Memtide) return appPath + sep + "Memtide" + sep + "Memtide.exe";
    return appPath + sep + "Logscope.exe";
}

void launchSiblingTool(platform::Platform& os, const std::string& appPath, SiblingTool tool) {
    os.shellExecute(siblingToolPath(os, appPath, tool), "QRT", 0);
}

}  // namespace vel
