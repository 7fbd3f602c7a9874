#include "modules/module_form.h"

#include "fullview/frm_fullview.h"
#include "window/placement.h"
#include "window/window_services.h"

namespace vel {

gfx::FontSpec moduleCaptionFont() {
    gfx::FontSpec f;
    f.name = "Arial";
    f.sizePt = 5.25;
    return f;
}

ModuleForm::ModuleForm(App& app, const std::string& name, WindowSlot slot, int posIndex, const std::string& toolTip)
    : Form(app.ui, name), app_(app), slot_(slot), posIndex_(posIndex) {
    picMainSkin = &add<forms::PictureBox>("picMainSkin");
    picMainSkin->move(0, 0, 65, 29);
    picMainSkin->setToolTipText(toolTip);
    picMod = &picMainSkin->add<forms::PictureBox>("picMod");
    picMod->move(3, 3, 60, 23);
    picMod->setToolTipText(toolTip);
    app.setWindow(slot, this);
}

void ModuleForm::wireMouse(forms::Control& control, std::function<void()> onDouble) {
    control.onMouseDown = [this](const forms::MouseArgs&) { dragWindow(app_, *this, posIndex_); };
    control.onMouseMove = [this](const forms::MouseArgs&) { WakeModules(app_); };
    if (onDouble) control.onDblClick = std::move(onDouble);
}

void ModuleForm::loadFrame(std::initializer_list<WindowSlot> stackList) {
    picMainSkin->setPicture(app_.ui.picture("module_skin.png"));
    shapeToSkin(app_, *this, *picMainSkin);
    placeOnLoad(app_, *this, posIndex_, stackList);
}

void ModuleForm::finishLoad() {
    if (app_.settings.ALWAYSOT) makeTopMost(*this);
    MakeTranslucent(*this, app_.settings.TLUCENTZOn);
}

void ModuleForm::openFullView(std::int16_t screen) { showFullView(app_, screen, 0, 0); }

}  // namespace vel
