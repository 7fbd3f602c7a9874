// The ten CPU meter renderers. Each draws one sample (percent, by value
// here: a renderer's own changes to it never leave the renderer) into the
// controls of one CPU module window.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"
#include "forms/graphic_controls.h"
#include "forms/picture_box.h"
#include "platform/platform.h"

namespace vel {

// The controls of a CPU module that the renderers address by name.
struct CpuModuleView {
    forms::PictureBox* picMod = nullptr;
    forms::Line* lnVU = nullptr;
    forms::Shape* shpTC = nullptr;
    forms::Label* lblCPU = nullptr;
    forms::PictureBox* picHolder = nullptr;
};

// What a renderer may use besides the module: the engine's histories, the
// module's style code (for the line-graph colours) and the loop, for the
// renderers that let pending events run.
struct RenderContext {
    EngineState& state;
    platform::Platform& os;
    std::int16_t styleCode = 0;  // mTyp of the module being drawn
};

// Gauges.
void DrawVU(std::int16_t sample, CpuModuleView& m, RenderContext& ctx);
void DrawTach(std::int16_t sample, CpuModuleView& m, RenderContext& ctx);
void DrawNeedle(std::int16_t sample, CpuModuleView& m, RenderContext& ctx, std::int16_t index);
void DrawIMeter(std::int16_t sample, CpuModuleView& m, RenderContext& ctx);
// Traces and bars.
void DrawEKG(std::int16_t sample, CpuModuleView& m, RenderContext& ctx);
void DrawGraph(std::int16_t sample, CpuModuleView& m, RenderContext& ctx, std::int16_t index);
void DrawHBar(std::int16_t sample, CpuModuleView& m, RenderContext& ctx);
void DrawHCombo(std::int16_t sample, CpuModuleView& m, RenderContext& ctx);
void DrawVBar(std::int16_t sample, CpuModuleView& m, RenderContext& ctx);
void DrawVCombo(std::int16_t sample, CpuModuleView& m, RenderContext& ctx);

// Shared by the renderer families: the sample as decimal text in lblCPU,
// repainted at once.
void ShowSampleCaption(std::int16_t sample, CpuModuleView& m);

// The renderer of the meter kind of a style code's row in the style table;
// a code outside the table draws nothing.
void dispatchRenderer(std::int16_t styleCode, std::int16_t sample, CpuModuleView& m, RenderContext& ctx,
                      std::int16_t index);

}  // namespace vel
