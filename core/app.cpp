#include "core/app.h"

#include "core/frm_hidden.h"
#include "core/frm_main.h"
#include "core/frm_splash.h"
#include "fullview/frm_fullview.h"
#include "modules/frm_clock.h"
#include "modules/frm_cpu.h"
#include "modules/frm_mem.h"
#include "modules/frm_mouse.h"
#include "modules/frm_net.h"
#include "options/frm_options.h"
#include "remote/remote_host.h"
#include "sources/cpu_usage.h"
#include "sources/net_connection.h"
#include "sources/system_metrics.h"

namespace vel {

App::App(platform::Platform& os_) : os(os_), ui(os_), settingsFile(os_.files(), "") {}

App::~App() {
    // Samplers close their counters before the platform goes away.
    for (auto& s : samplers) s.reset();
}

void App::createWindows() {
    if (!splash) splash = std::make_unique<FrmSplash>(*this);
    if (!mainBar) mainBar = std::make_unique<FrmMain>(*this);
    if (!engine) engine = std::make_unique<FrmHidden>(*this);
    // The module windows exist from the start; loading shows those whose
    // visibility is on.
    if (!clock_) clock_ = std::make_unique<FrmClock>(*this);
    for (int n = 0; n < 5; ++n)
        if (!cpus_[n]) cpus_[n] = std::make_unique<FrmCPU>(*this, n);
    if (!network_) network_ = std::make_unique<FrmNetwork>(*this);
    if (!memory_) memory_ = std::make_unique<FrmMemory>(*this);
    if (!mouse_) mouse_ = std::make_unique<FrmMouse>(*this);
}

ModuleForm* App::module(WindowSlot slot) const {
    switch (slot) {
        case WindowSlot::Clock: return clock_.get();
        case WindowSlot::Cpu0:
        case WindowSlot::Cpu1:
        case WindowSlot::Cpu2:
        case WindowSlot::Cpu3:
        case WindowSlot::CpuAll: return cpus_[static_cast<std::size_t>(slot) - static_cast<std::size_t>(WindowSlot::Cpu0)].get();
        case WindowSlot::Network: return network_.get();
        case WindowSlot::Memory: return memory_.get();
        case WindowSlot::Mouse: return mouse_.get();
        default: return nullptr;
    }
}

forms::Form* App::window(WindowSlot slot) const {
    if (slot == WindowSlot::Main) return mainBar.get();
    return module(slot);
}

void App::openFullView(std::int16_t screen, std::int16_t subView, std::int16_t sType) {
    showFullView(*this, screen, subView, sType);
}

void App::showStatus(const std::string& text) {
    if (!splash || !IsFormLoaded(splash.get())) return;
    traceEvent("status " + text);
    splash->setStatus(text);
}

std::string App::titleFor(const std::string& what) const {
    return withHost(what.empty() ? std::string(kProductName) : windowTitle(what));
}

void App::end(int exitCode) {
    finish();
    os.quit(exitCode);
}

void App::finish() {
    if (engine) engine->log.writeUnsaved();
}

void App::setProgramFolder(const std::string& folder) {
    appPath = folder;
    const char sep = os.pathSeparator();
    // One separator is appended even when the text already ends in one.
    programFolder = appPath + sep;
    iniPath = appPath + sep + "velmora.ini";
    settingsFile.setPath(os.nativePath(iniPath));
}

}  // namespace vel
