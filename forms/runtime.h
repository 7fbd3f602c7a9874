// The forms runtime: the loaded-forms list, deferred painting, tooltips and
// the picture cache shared by every window.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/dialog_look.h"
#include "forms/form.h"
#include "platform/platform.h"

namespace vel::forms {

class TooltipWindow;

class Runtime {
public:
    explicit Runtime(platform::Platform& os);
    ~Runtime();

    platform::Platform& os() const { return os_; }

    // How this runtime's dialog controls look, and the system fonts its
    // text is drawn with (null: our pixel fonts). Both start as the
    // platform's; every runtime keeps its own. Set them before windows load.
    const DialogLook& dialogLook() const { return look_; }
    void setDialogLook(const DialogLook& look) { look_ = look; }
    gfx::TextBackend* textBackend() const { return text_; }
    void setTextBackend(gfx::TextBackend* text) { text_ = text; }

    // Loaded forms in load order: the program's Forms collection.
    const std::vector<Form*>& loadedForms() const { return loaded_; }
    bool isLoaded(const Form* form) const;
    Form* findLoaded(const std::string& name) const;

    // Pictures by file name in the skins folder, loaded once.
    void setSkinsFolder(const std::string& folder) { skinsFolder_ = folder; }
    const std::string& skinsFolder() const { return skinsFolder_; }
    // Files the skins folder lacks are read from here ("" = nowhere else).
    void setFallbackSkinsFolder(const std::string& folder) { fallbackSkinsFolder_ = folder; }
    // An empty picture when the file is missing or unreadable.
    const Pixels& picture(const std::string& fileName);
    // Drops a picture no window will show again (the next picture() reads it anew).
    void releasePicture(const std::string& fileName) { pictures_.erase(fileName); }
    // Names of pictures that could not be read, for the start-up message.
    const std::vector<std::string>& missingPictures() const { return missing_; }

    // Tooltip of the control under the mouse, shown after the desktop's delay.
    void hover(Form* form, Control* control);
    void hideTooltip();
    // The tooltip on screen now ("" when none), for prints and tests.
    std::string visibleTooltip() const;

    // Painting is deferred to the loop's idle point.
    // Full repainting repaints and presents every window whole on every
    // change (the plain way, kept to check partial repainting against).
    void setFullRepaint(bool on) { fullRepaint_ = on; }
    bool fullRepaint() const { return fullRepaint_; }
    void schedulePaint(Form* form);
    void paintPending();

private:
    friend class Form;
    void formLoaded(Form* form);
    void formUnloaded(Form* form);
    void showTooltipNow();

    platform::Platform& os_;
    DialogLook look_;
    gfx::TextBackend* text_ = nullptr;
    std::vector<Form*> loaded_;
    std::vector<Form*> dirty_;
    std::vector<Form*> paintingNow_;
    bool painting_ = false;
    bool fullRepaint_ = false;
    std::string skinsFolder_;
    std::string fallbackSkinsFolder_;
    std::map<std::string, Pixels> pictures_;
    std::vector<std::string> missing_;
    std::unique_ptr<TooltipWindow> tooltip_;
    Form* hoverForm_ = nullptr;
    Control* hoverControl_ = nullptr;
    std::string hoverTip_;  // the tip the hover is for
    platform::TimerId hoverTimer_ = 0;
};

}  // namespace vel::forms
