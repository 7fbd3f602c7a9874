// The memory module frmMemory (module index 6): four small vertical bars
// for physical memory, virtual memory, page file and total load, each
// partly hidden by a cover whose height the memory tick sets.
#pragma once

#include <array>

#include "forms/graphic_controls.h"
#include "modules/module_form.h"
#include "sources/memory_status.h"

namespace vel {

class FrmMemory : public ModuleForm {
public:
    explicit FrmMemory(App& app);

    std::array<forms::Image*, 4> memMeter;
    std::array<forms::Label*, 4> shpMem;

    // The memory tick's work: covers and tooltips from a fresh snapshot.
    void update(const MemorySnapshot& snapshot);
    void dressForStyle() override;

protected:
    void onLoad() override;
};

// Cover height for a fraction of a bar (rounded to four places first,
// then to the nearest pixel of 18, halves to even); nullopt when the
// height cannot be set (a negative share).
std::optional<int> memCoverHeight(double fraction);

}  // namespace vel
