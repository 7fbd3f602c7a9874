// The hidden engine window: never shown, it owns the sampling timers and
// the sample store, and hands each CPU sample to the renderer of the
// module's meter style.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/engine_state.h"
#include "forms/form.h"
#include "logging/log_writer.h"

namespace vel {

class App;
class clsCPUTotalUsage;

// The timer interval for a period in tenths of a second; nullopt when the
// product does not fit (the interval then stays as it was). The log period
// is a 16-bit value whose product is formed in 16 bits.
std::optional<std::uint32_t> periodInterval(std::int32_t tenths);
std::optional<std::uint32_t> periodInterval16(std::int16_t tenths);

class FrmHidden : public forms::Form {
public:
    explicit FrmHidden(App& app);
    ~FrmHidden() override;

    forms::Timer* tmrCPUs;
    forms::Timer* tmrNET;
    forms::Timer* tmrMEM;
    forms::Timer* tmrMSE;
    forms::Timer* tmrLOG;
    forms::Timer* tmrVSBL;

    EngineState state;
    // The log state and writers, driven by tmrLOG.
    LogWriter log;
    // The cursor position the mouse tick read last.
    platform::Point cursor{};

    // Enables and periods of the sampling timers from the settings; the
    // load routine runs it, and Apply of the options dialog runs it again.
    void applyTimerSettings();
    // The parts of it that Apply runs as separate steps: one timer's period
    // from its setting (a period that does not fit leaves it as it was), and
    // the sampling timers switched on by the visibility and logging flags.
    void retimeCPUs();
    void retimeNET();
    void retimeMEM();
    void retimeLOG();
    void enableSamplingTimers();

    // The ticks (public so tests can step them without waiting).
    void tmrCPUs_Timer();
    void tmrNET_Timer();
    void tmrMEM_Timer();
    void tmrMSE_Timer();
    void tmrLOG_Timer();
    void tmrVSBL_Timer();

    // The all-processors value of the last CPU tick.
    std::int16_t allProcessorsValue() const { return allValue_; }
    // Whether the all-processors value comes from the _Total counter
    // (more than four processors) rather than the mean of four samples.
    bool usesTotalCounter() const { return totalSampler_ != nullptr; }

    // The screen as the mouse module's colour probe reads it: held from
    // load to unload; -1 outside that time or where it cannot be read.
    bool holdsScreen() const { return screenHeld_; }
    std::int32_t screenPixel(int x, int y) const;

protected:
    void onLoad() override;
    void onUnload() override;

private:
    // Draws one sample on CPU module m (0-3 processors, 4 all) with the
    // renderer its style code selects.
    void dispatch(int m, std::int16_t sample);
    std::int16_t meanOfSamples(const std::int16_t (&samples)[4]) const;

    App& app_;
    std::unique_ptr<clsCPUTotalUsage> totalSampler_;
    std::int16_t allValue_ = 0;
    bool screenHeld_ = false;
};

}  // namespace vel
