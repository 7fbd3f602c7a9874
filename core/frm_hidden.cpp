#include "core/frm_hidden.h"

#include <algorithm>

#include "core/app.h"
#include "core/vb.h"
#include "engine/renderers.h"
#include "modules/frm_cpu.h"
#include "modules/frm_mem.h"
#include "modules/frm_mouse.h"
#include "modules/frm_net.h"
#include "modules/net_indicators.h"
#include "sources/cpu_total_usage.h"
#include "sources/cpu_usage.h"
#include "sources/memory_status.h"
#include "window/window_services.h"

namespace vel {

namespace {
constexpr int kAllModule = 4;
}  // namespace

std::optional<std::uint32_t> periodInterval(std::int32_t tenths) {
    const std::int64_t ms = static_cast<std::int64_t>(tenths) * 100;
    if (ms < 0 || ms > INT32_MAX) return std::nullopt;
    return static_cast<std::uint32_t>(ms);
}

std::optional<std::uint32_t> periodInterval16(std::int16_t tenths) {
    const int ms = tenths * 100;
    if (ms < 0 || ms > INT16_MAX) return std::nullopt;
    return static_cast<std::uint32_t>(ms);
}

FrmHidden::FrmHidden(App& app) : Form(app.ui, "frmHidden"), log(app), app_(app) {
    setCaption(app.titleFor("Engine"));
    tmrCPUs = &addTimer("tmrCPUs", 100, false);
    tmrNET = &addTimer("tmrNET", 100, false);
    tmrMEM = &addTimer("tmrMEM", 100, false);
    tmrMSE = &addTimer("tmrMSE", 250, false);
    tmrLOG = &addTimer("tmrLOG", 100, false);
    // Designed on; it starts with the load routine, as a form's timers do
    // not run before the form is loaded.
    tmrVSBL = &addTimer("tmrVSBL", 500, false);
    tmrCPUs->onTimer = [this] { tmrCPUs_Timer(); };
    tmrNET->onTimer = [this] { tmrNET_Timer(); };
    tmrMEM->onTimer = [this] { tmrMEM_Timer(); };
    tmrMSE->onTimer = [this] { tmrMSE_Timer(); };
    tmrLOG->onTimer = [this] { tmrLOG_Timer(); };
    tmrVSBL->onTimer = [this] { tmrVSBL_Timer(); };
}

FrmHidden::~FrmHidden() = default;

void FrmHidden::applyTimerSettings() {
    for (forms::Timer* t : {tmrMSE, tmrLOG}) t->setEnabled(false);
    enableSamplingTimers();
    retimeCPUs();
    retimeNET();
    retimeMEM();
    retimeLOG();
}

void FrmHidden::enableSamplingTimers() {
    const Settings& s = app_.settings;
    tmrCPUs->setEnabled(false);
    for (int m = 0; m <= kAllModule; ++m)
        if (s.Visi[m]) tmrCPUs->setEnabled(true);
    tmrNET->setEnabled(s.Visi[module::kNetwork]);
    tmrMEM->setEnabled(s.Visi[module::kMemory]);
    tmrMSE->setEnabled(s.Visi[module::kMouse]);
    tmrLOG->setEnabled(s.LOGEnable);
}

// A period whose product does not fit leaves that timer's interval as it was.
void FrmHidden::retimeCPUs() {
    if (auto ms = periodInterval(app_.settings.CPUCLOCK)) tmrCPUs->setInterval(*ms);
}
void FrmHidden::retimeNET() {
    if (auto ms = periodInterval(app_.settings.NETCLOCK)) tmrNET->setInterval(*ms);
}
void FrmHidden::retimeMEM() {
    if (auto ms = periodInterval(app_.settings.MEMCLOCK)) tmrMEM->setInterval(*ms);
}
void FrmHidden::retimeLOG() {
    if (auto ms = periodInterval16(app_.settings.LOGTiming)) tmrLOG->setInterval(*ms);
}

void FrmHidden::onLoad() {
    tmrVSBL->setEnabled(true);
    applyTimerSettings();
    app_.idle.wake();
    app_.idle.fadePending = true;
    log.reset();
    state.reset();
    allValue_ = 0;
    app_.fullViewNav.screen = 0;
    app_.fullViewNav.subView = 0;
    screenHeld_ = true;
    // Beyond four processors the first four samples do not cover the
    // machine, so the all-processors value reads the _Total counter instead
    // (the 9x family has no such counter, and runs one processor anyway).
    if (app_.processorCount > 4 && !totalSampler_ && app_.os.sources().platformId() == platform::kPlatformWin32NT)
        totalSampler_ = std::make_unique<clsCPUTotalUsage>(app_.os);
    log.useTotalSampler(totalSampler_.get());
    // Old log files go at start, as they do at each new set of names.
    if (app_.settings.LOGEnable) log.deleteOldLogs();
}

void FrmHidden::onUnload() {
    screenHeld_ = false;
    log.useTotalSampler(nullptr);
    totalSampler_.reset();
}

std::int32_t FrmHidden::screenPixel(int x, int y) const {
    if (!screenHeld_) return -1;
    return app_.os.screenPixel(x, y);
}

void FrmHidden::dispatch(int m, std::int16_t sample) {
    FrmCPU* module = app_.cpu(m);
    if (!module) return;
    const std::int16_t code = app_.settings.mTyp[m];
    RenderContext ctx{state, app_.os, code};
    dispatchRenderer(code, sample, module->view(), ctx, static_cast<std::int16_t>(m));
}

std::int16_t FrmHidden::meanOfSamples(const std::int16_t (&samples)[4]) const {
    if (app_.processorCount == 0) return 0;  // a division that fails leaves the value at 0
    const double sum = static_cast<double>(samples[0]) + samples[1] + samples[2] + samples[3];
    return toInt16(sum / app_.processorCount).value_or(0);
}

void FrmHidden::tmrCPUs_Timer() {
    std::int16_t samples[4] = {0, 0, 0, 0};
    const int count = app_.processorCount;
    // Processor 0 is always sampled, even when the count overflowed to 0;
    // processor 3 whenever there are at least four.
    const int sampled = std::clamp(count, 1, 4);
    for (int p = 0; p < sampled; ++p) {
        if (app_.samplers[p]) samples[p] = toInt16(app_.samplers[p]->Usage()).value_or(0);
        if (app_.settings.Visi[p]) {
            state.NeedleHistory[p][state.NeedlePos] = samples[p];
            dispatch(p, samples[p]);
        }
    }
    std::int16_t all = 0;
    if (totalSampler_)
        all = toInt16(totalSampler_->Usage()).value_or(0);
    else
        all = meanOfSamples(samples);
    allValue_ = all;
    state.NeedleHistory[kAllModule][state.NeedlePos] = all;
    if (count > 1 && app_.settings.Visi[kAllModule]) dispatch(kAllModule, all);
    state.EkgPos = static_cast<std::int16_t>((state.EkgPos + 1) % 41);
    state.NeedlePos = static_cast<std::int16_t>((state.NeedlePos + 1) % kNeedleSlots);
}

void FrmHidden::tmrNET_Timer() {
    if (!app_.settings.Visi[module::kNetwork]) return;
    FrmNetwork* net = app_.network();
    if (!net) return;
    UpdateTrafficLights(app_, *net);
    UpdateConnectionIndicators(app_, *net);
}

void FrmHidden::tmrMEM_Timer() {
    if (!app_.settings.Visi[module::kMemory]) return;
    refreshMemorySnapshot(app_.os.sources(), app_.memorySnapshot);
    if (FrmMemory* mem = app_.memory()) mem->update(app_.memorySnapshot);
}

void FrmHidden::tmrMSE_Timer() {
    if (!app_.settings.Visi[module::kMouse]) return;
    const platform::Point p = app_.os.cursorPos();
    cursor = p;
    const std::int32_t colour = screenPixel(p.x, p.y);
    if (FrmMouse* mouse = app_.mouse()) mouse->showColour(colour);
}

void FrmHidden::tmrLOG_Timer() { log.tick(); }

void FrmHidden::tmrVSBL_Timer() { idleStep(app_); }

}  // namespace vel
