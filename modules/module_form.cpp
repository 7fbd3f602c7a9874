#include "modules/module_form.h"

#include "window/placement.h"
#include "window/window_services.h"

namespace vel {

gfx::FontSpec moduleCaptionFont() {
    gfx::FontSpec f;
    f.name = "Arial";
    f.sizePt = 5.25;
    return f;
}

ModuleForm::ModuleForm(App& app, const std::string& name, WindowSlot slot, const std::string& toolTip)
    : Form(app.ui, name), app_(app), slot_(slot) {
    picMainSkin = &add<forms::PictureBox>("picMainSkin");
    picMainSkin->move(0, 0, 65, 29);
    picMainSkin->setToolTipText(app.withHost(toolTip));
    picMod = &picMainSkin->add<forms::PictureBox>("picMod");
    picMod->move(3, 3, 60, 23);
    picMod->setToolTipText(picMainSkin->toolTipText());
}

void ModuleForm::wireMouse(forms::Control& control, std::function<void()> onDouble) {
    control.onMouseDown = [this](const forms::MouseArgs&) { dragWindow(app_, *this, slot_); };
    control.onMouseMove = [this](const forms::MouseArgs&) { WakeModules(app_); };
    if (onDouble) control.onDblClick = std::move(onDouble);
}

void ModuleForm::loadFrame() {
    picMainSkin->setPicture(app_.ui.picture("module_skin.png"));
    shapeToSkin(app_, *this, *picMainSkin);
    placeOnLoad(app_, *this, slot_);
}

void ModuleForm::finishLoad() {
    if (app_.settings.ALWAYSOT) makeTopMost(*this);
    MakeTranslucent(*this, app_.settings.TLUCENTZOn);
}

void ModuleForm::openFullView(std::int16_t screen) { app_.openFullView(screen, 0, 0); }

}  // namespace vel
