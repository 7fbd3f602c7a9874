// The CPU module windows: frmCPU0..frmCPU3 show one processor each,
// frmCPUAll (module index 4) the all-processors value. One class, told
// apart by its module index.
#pragma once

#include "engine/renderers.h"
#include "forms/graphic_controls.h"
#include "modules/module_form.h"

namespace vel {

class FrmCPU : public ModuleForm {
public:
    // index 0-3 a processor module, 4 the all-processors module.
    FrmCPU(App& app, int index);

    int moduleIndex() const { return index_; }
    // The controls the renderers draw into.
    CpuModuleView& view() { return view_; }

    forms::PictureBox* picHolder;
    forms::Label* lblPNum;
    forms::Label* lblCPU;
    forms::Shape* shpTC;
    forms::Line* lnVU;

    // Shows the Full View's single-processor screen (or the summary for
    // the all-processors module).
    void openFullView();
    // The style's face and controls for mTyp of this module (at load, and
    // when the options dialog picks another style).
    void dressForStyle() override;

protected:
    void onLoad() override;

private:
    int index_;
    CpuModuleView view_;
};

}  // namespace vel
