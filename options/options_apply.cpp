// Apply, OK, Cancel and the reset button: Apply writes every setting but
// the positions, re-times the engine's timers, then re-arranges, re-applies
// always-on-top and wakes the windows.
#include <string>

#include "core/app.h"
#include "core/inifile.h"
#include "core/start_with_windows.h"
#include "engine/frm_hidden.h"
#include "options/frm_options.h"
#include "window/placement.h"
#include "window/window_services.h"

namespace vel {

namespace {

class MainSectionWriter {
public:
    explicit MainSectionWriter(App& app) : path_(app.os.nativePath(app.iniPath)) {}
    void number(const std::string& key, long long v) const { WriteIni("MAIN", key, std::to_string(v), path_); }
    void flag(const std::string& key, bool v) const { WriteIni("MAIN", key, v ? "1" : "0", path_); }

private:
    std::string path_;
};

}  // namespace

void FrmOptions::cmdApply_Click() {
    Settings& s = app_.settings;
    const MainSectionWriter ini(app_);
    FrmHidden* engine = dynamic_cast<FrmHidden*>(app_.engine.get());

    // Looks.
    ini.number("PLCMNT", s.PLCMNT);
    ini.flag("ALWAYSOT", s.ALWAYSOT);
    ini.number("VISIBLE", s.VISIBLE);
    ini.number("CORNER", s.CORNER);
    ini.number("TLUCENTZON", s.TLUCENTZOn);
    ini.number("TLUCENTZOFF", s.TLUCENTZOff);
    // Sampling periods, each followed by its timer.
    ini.number("CPUCLOCK", s.CPUCLOCK);
    if (engine) engine->retimeCPUs();
    ini.number("NETCLOCK", s.NETCLOCK);
    if (engine) engine->retimeNET();
    ini.number("MEMCLOCK", s.MEMCLOCK);
    if (engine) engine->retimeMEM();
    // Modules: the clock first.
    ini.flag("VISI8", s.Visi[8]);
    for (int i = 0; i < 8; ++i) ini.flag("VISI" + std::to_string(i), s.Visi[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 8; ++i) ini.number("MTYP" + std::to_string(i), s.mTyp[static_cast<std::size_t>(i)]);
    // Logging; the capture period is formed in 16 bits.
    ini.flag("LOGENABLE", s.LOGEnable);
    ini.flag("CAPCPU", s.capCPU);
    ini.flag("CAPNET", s.capNET);
    ini.flag("CAPMEM", s.capMEM);
    ini.number("LOGTIMING", s.LOGTiming);
    if (engine) engine->retimeLOG();
    ini.number("LOGWRITE", s.LOGWrite);
    ini.flag("LOGUNSAVED", s.LOGUnsaved);
    ini.number("NEWLOG", s.NEWLOG);
    ini.number("DELLOG", s.DELLOG);
    // The start-with-Windows entry follows the box.
    applyStartWithWindows(app_, chkStart->value() == 1);
    // The windows line up, keep their stacking and wake.
    ArrangeModules(app_);
    ApplyAlwaysOnTop(app_);
    WakeModules(app_);
    // Sampling runs again with the new periods.
    if (engine) engine->enableSamplingTimers();
    // Everything is applied.
    cmdApply->setEnabled(false);
}

void FrmOptions::cmdOK_Click() {
    cmdApply_Click();
    unload();
}

void FrmOptions::cmdCancel_Click() { unload(); }

void FrmOptions::Command1_Click() {
    resetModuleLocations(app_);
    cmdApply_Click();
}

}  // namespace vel
