// The CPU module windows: frmCPU0..frmCPU3 show one processor each,
// frmCPUAll (module index 4) the all-processors value. One class, told
// apart by its module index.
#pragma once

#include <initializer_list>

#include "core/app.h"
#include "engine/renderers.h"
#include "engine/style_catalogue.h"
#include "forms/form.h"
#include "forms/graphic_controls.h"
#include "forms/picture_box.h"

namespace vel {

class FrmCPU : public forms::Form {
public:
    // index 0-3 a processor module, 4 the all-processors module.
    FrmCPU(App& app, int index);

    int moduleIndex() const { return index_; }
    WindowSlot slot() const;
    // The controls the renderers draw into.
    CpuModuleView& view() { return view_; }

    forms::PictureBox* picHolder;
    forms::PictureBox* picMainSkin;
    forms::PictureBox* picMod;
    forms::Label* lblPNum;
    forms::Label* lblCPU;
    forms::Shape* shpTC;
    forms::Line* lnVU;

    // Shows the Full View's single-processor screen (or the summary for
    // the all-processors module).
    void openFullView();
    // The style's face and controls for mTyp of this module (at load, and
    // when the options dialog picks another style).
    void dressForStyle();

protected:
    void onLoad() override;

private:
    void place();
    void applyStyle(std::int16_t code);
    void wireMouse(forms::Control& control, bool opensFullView);

    App& app_;
    int index_;
    CpuModuleView view_;
};

// Face picture of a CPU style code ("" for a code without one).
std::string cpuFaceFile(std::int16_t code);

}  // namespace vel
