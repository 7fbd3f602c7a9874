#include "forms/runtime.h"

#include <algorithm>

#include "forms/dialog_look.h"
#include "gfx/font.h"
#include "forms/graphic_controls.h"
#include "gfx/png.h"

namespace vel::forms {

// The tooltip popup: one label in a bordered box, drawn by the runtime like
// any other window so it looks the same on every backend.
class TooltipWindow : public Form {
public:
    explicit TooltipWindow(Runtime& rt) : Form(rt, "Tooltip") {
        setPopup(true);
        setBackColor(rgb(255, 255, 225));
        frame_ = &add<Shape>("shpFrame");
        frame_->setBorderColor(rgb(118, 118, 118));
        text_ = &add<Label>("lblTip");
        gfx::FontSpec font;
        font.name = "Tahoma";
        font.sizePt = 8;
        text_->setFont(font);
        text_->setForeColor(rgb(0, 0, 0));
    }
    void setText(const std::string& text) {
        gfx::TextMetrics m = gfx::measureText(text_->font(), text, runtime().textBackend());
        int w = m.width + 8, h = gfx::lineHeight(text_->font()) + 4;
        text_->move(4, 2, m.width + 1, h - 4);
        text_->setCaption(text);
        frame_->move(0, 0, w, h);
        move(left(), top(), w * kTwipsPerPixel, h * kTwipsPerPixel);
    }
    const std::string& text() const { return text_->caption(); }

private:
    Shape* frame_;
    Label* text_;
};

Runtime::Runtime(platform::Platform& os) : os_(os), look_(systemDialogLook(os)), text_(os.systemText()) {
    // Room for every window the program has, so painting never grows them.
    dirty_.reserve(32);
    paintingNow_.reserve(32);
    os_.setIdleHook([this] { paintPending(); });
}

Runtime::~Runtime() {
    if (hoverTimer_) os_.stopTimer(hoverTimer_);
    os_.setIdleHook(nullptr);
}

bool Runtime::isLoaded(const Form* form) const {
    return std::find(loaded_.begin(), loaded_.end(), form) != loaded_.end();
}

Form* Runtime::findLoaded(const std::string& name) const {
    for (Form* f : loaded_)
        if (f->name() == name) return f;
    return nullptr;
}

void Runtime::formLoaded(Form* form) {
    if (!isLoaded(form)) loaded_.push_back(form);
}

void Runtime::formUnloaded(Form* form) {
    loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), form), loaded_.end());
    dirty_.erase(std::remove(dirty_.begin(), dirty_.end(), form), dirty_.end());
    if (hoverForm_ == form) {
        hoverForm_ = nullptr;
        hoverControl_ = nullptr;
    }
}

const Pixels& Runtime::picture(const std::string& fileName) {
    auto it = pictures_.find(fileName);
    if (it != pictures_.end()) return it->second;
    std::string path = skinsFolder_.empty() ? fileName : skinsFolder_ + "/" + fileName;
    auto loaded = gfx::loadPng(os_.files(), path);
    if (!loaded && !fallbackSkinsFolder_.empty()) loaded = gfx::loadPng(os_.files(), fallbackSkinsFolder_ + "/" + fileName);
    if (!loaded) missing_.push_back(fileName);
    return pictures_.emplace(fileName, loaded ? std::move(*loaded) : Pixels()).first->second;
}

void Runtime::schedulePaint(Form* form) {
    if (std::find(dirty_.begin(), dirty_.end(), form) == dirty_.end()) dirty_.push_back(form);
}

void Runtime::paintPending() {
    // A refresh that lets events run comes back here; what it dirtied is
    // painted on the next pass. Both lists keep their capacity between passes.
    if (painting_) return;
    painting_ = true;
    paintingNow_.swap(dirty_);
    for (Form* f : paintingNow_)
        if (isLoaded(f)) f->refresh();
    paintingNow_.clear();
    painting_ = false;
}

void Runtime::hover(Form* form, Control* control) {
    if (form == hoverForm_ && control == hoverControl_ && (!control || control->toolTipText() == hoverTip_)) return;
    hideTooltip();
    hoverForm_ = form;
    hoverControl_ = control;
    hoverTip_ = control ? control->toolTipText() : std::string();
    if (!control || control->toolTipText().empty()) return;
    hoverTimer_ = os_.startTimer(static_cast<std::uint32_t>(os_.tooltipDelay()), [this] { showTooltipNow(); });
}

void Runtime::showTooltipNow() {
    if (hoverTimer_) os_.stopTimer(hoverTimer_);
    hoverTimer_ = 0;
    if (!hoverForm_ || !hoverControl_ || !isLoaded(hoverForm_)) return;
    if (!tooltip_) tooltip_ = std::make_unique<TooltipWindow>(*this);
    tooltip_->load();
    tooltip_->setText(hoverControl_->toolTipText());
    platform::Point cursor = os_.cursorPos();
    tooltip_->move((cursor.x + 2) * kTwipsPerPixel, (cursor.y + 20) * kTwipsPerPixel);
    tooltip_->setWindowPos(platform::ZOrder::TopMost, platform::kTopMostFlags);
}

void Runtime::hideTooltip() {
    if (hoverTimer_) os_.stopTimer(hoverTimer_);
    hoverTimer_ = 0;
    hoverControl_ = nullptr;
    hoverForm_ = nullptr;
    if (tooltip_ && tooltip_->loaded()) tooltip_->unload();
}

std::string Runtime::visibleTooltip() const {
    return tooltip_ && tooltip_->loaded() && tooltip_->visible() ? tooltip_->text() : std::string();
}

}  // namespace vel::forms
