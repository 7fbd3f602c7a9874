#include "modules/frm_cpu.h"

#include "engine/style_catalogue.h"

namespace vel {

namespace {

constexpr int kAllIndex = 4;
const char* const kFormNames[5] = {"frmCPU0", "frmCPU1", "frmCPU2", "frmCPU3", "frmCPUAll"};
const char* const kCaptions[5] = {"CPU 0", "CPU 1", "CPU 2", "CPU 3", "AVG"};
const char* const kTitles[5] = {"CPU 0", "CPU 1", "CPU 2", "CPU 3", "All Processors"};

const Colour kDesignCaptionGreen = rgb(0, 193, 1);
const Colour kDesignCoverBlack = rgb(0, 0, 0);
const Colour kWhite = rgb(255, 255, 255);

std::string toolTip(int index) {
    if (index == kAllIndex) return "All Processors Averaged (Double-click for info...)";
    return "Processor " + std::to_string(index) + " (Double-click for info...)";
}

gfx::FontSpec arialBold(double sizePt) {
    gfx::FontSpec f;
    f.name = "Arial";
    f.sizePt = sizePt;
    f.bold = true;
    return f;
}

}  // namespace

FrmCPU::FrmCPU(App& app, int index)
    : ModuleForm(app, kFormNames[index], cpuSlot(index), toolTip(index)), index_(index) {
    setCaption(app.titleFor(kTitles[index]));
    const std::string tip = toolTip(index);

    // Beside the skin, outside the window: the lit picture the
    // intensity meter blends in.
    picHolder = &add<forms::PictureBox>("picHolder");
    picHolder->move(68, 2, 60, 23);

    picMainSkin->setBackColor(kWhite);
    picMod->setBackColor(kWhite);
    picMod->setForeColor(kWhite);

    // The cover and the needle lie under the labels: the tachometer's
    // number sits on its cover.
    shpTC = &picMod->add<forms::Shape>("shpTC");
    shpTC->move(8, 2, 15, 20);
    shpTC->setBackColor(kDesignCoverBlack);
    shpTC->setBackOpaque(true);
    shpTC->setBorder(false);
    shpTC->setVisible(false);

    lnVU = &picMod->add<forms::Line>("lnVU");
    lnVU->setPoints(13, 11, 30, 22);
    lnVU->setBorderColor(rgb(64, 64, 64));
    lnVU->setVisible(false);

    lblPNum = &picMod->add<forms::Label>("lblPNum");
    lblPNum->move(24, 1, 29, 8);
    lblPNum->setCaption(kCaptions[index]);
    lblPNum->setForeColor(kDesignCaptionGreen);
    lblPNum->setFont(arialBold(6));
    lblPNum->setAlignment(forms::Alignment::Center);
    lblPNum->setOpaque(false);
    lblPNum->setVisible(false);
    lblPNum->setToolTipText(tip);

    lblCPU = &picMod->add<forms::Label>("lblCPU");
    lblCPU->move(28, 11, 20, 9);
    lblCPU->setCaption("100");
    lblCPU->setForeColor(kWhite);
    lblCPU->setFont(arialBold(6.75));
    lblCPU->setAlignment(forms::Alignment::Center);
    lblCPU->setOpaque(false);
    lblCPU->setVisible(false);
    lblCPU->setToolTipText(tip);

    view_ = CpuModuleView{picMod, lnVU, shpTC, lblCPU, picHolder};

    // A double-click on the skin frame outside the surface does nothing.
    wireMouse(*picMainSkin, nullptr);
    for (forms::Control* c : {static_cast<forms::Control*>(picMod), static_cast<forms::Control*>(lblCPU),
                              static_cast<forms::Control*>(lblPNum)})
        wireMouse(*c, [this] { openFullView(); });
}

void FrmCPU::openFullView() {
    if (index_ == kAllIndex)
        app_.openFullView(1, 0, 99);
    else
        app_.openFullView(0, 0, static_cast<std::int16_t>(index_));
}

void FrmCPU::dressForStyle() {
    lblCPU->setVisible(false);
    lblPNum->setVisible(false);
    lnVU->setVisible(false);
    shpTC->setVisible(false);

    // A code without a row keeps the surface it has and shows no control.
    const CpuStyle* style = cpuStyle(app_.settings.mTyp[index_]);
    if (!style) return;
    picMod->setPicture(app_.ui.picture(std::string(style->face)));
    if (style->needle) {
        lnVU->setBorderColor(*style->needle);
        lnVU->setVisible(true);
    }
    if (const auto& c = style->caption) {
        lblCPU->setLeft(c->left);
        lblCPU->setTop(c->top);
        lblCPU->setWidth(c->width);
        lblCPU->setForeColor(c->colour);
        lblCPU->setVisible(true);
    }
    if (style->showsNumber) lblPNum->setVisible(true);
    if (const auto& c = style->cover) {
        shpTC->move(c->left, c->top, c->width, c->height);
        shpTC->setBackColor(c->colour);
        shpTC->setVisible(true);
    }
}

void FrmCPU::onLoad() {
    picHolder->setPicture(app_.ui.picture("cpu_holder.png"));
    loadFrame();
    dressForStyle();
    finishLoad();
}

}  // namespace vel
