#include "window/window_services.h"

#include <exception>

#include "core/app.h"
#include "forms/form.h"

namespace vel {

namespace {
template <typename ColourAt>
platform::Region regionFromColours(int width, int height, ColourAt colourAt) {
    platform::Region region;
    const std::int64_t transparent = colourAt(0, 0);
    for (int y = 0; y < height; ++y) {
        bool open = false;
        int start = 0;
        for (int x = 0; x < width; ++x) {
            bool solid = colourAt(x, y) != transparent;
            if (solid && !open) {
                open = true;
                start = x;
            } else if (!solid && open) {
                region.rects.push_back({start, y, x, y + 1});
                open = false;
            }
        }
        if (open) region.rects.push_back({start, y, width, y + 1});
    }
    return region;
}
}  // namespace

platform::Region regionFromPixels(const Pixels& pixels, int width, int height) {
    if (width <= 0 || height <= 0 || pixels.empty()) return {};
    return regionFromColours(width, height, [&](int x, int y) -> std::int64_t {
        return pixels.inside(x, y) ? static_cast<std::int64_t>(pixels.at(x, y)) : -1;
    });
}

std::optional<platform::Region> MakeRegion(App& app, const forms::PictureBox& picture) {
    try {
        // What the box shows, read without making its drawing image.
        platform::Region region;
        if (picture.width() > 0 && picture.height() > 0)
            region = regionFromColours(picture.width(), picture.height(), [&](int x, int y) -> std::int64_t {
                return picture.shownColour(x, y);
            });
        if (region.empty()) return std::nullopt;
        return region;
    } catch (const std::exception& e) {
        app.os.messageBox(std::string(e.what()) + " in MakeRegion", kMakerTitle, platform::mb::Critical);
        return std::nullopt;
    }
}

void shapeToSkin(App& app, forms::Form& form, forms::PictureBox& skin) {
    skin.setLeft(0);
    skin.setTop(0);
    form.move(form.left(), form.top(), skin.width() * forms::kTwipsPerPixel, skin.height() * forms::kTwipsPerPixel);
    auto region = MakeRegion(app, skin);
    form.setRegion(region ? &*region : nullptr, true);
}

bool MakeTranslucent(forms::Form& form, std::uint8_t alpha) { return form.setLayeredAlpha(alpha) == 0; }

void makeTopMost(forms::Form& form) { form.setWindowPos(platform::ZOrder::TopMost, platform::kTopMostFlags); }

void ApplyAlwaysOnTop(App& app) {
    auto insertAfter = app.settings.ALWAYSOT ? platform::ZOrder::TopMost : platform::ZOrder::NoTopMost;
    for (const WindowRow& w : kWindows) {
        forms::Form* f = app.window(w.slot);
        if (app.IsFormLoaded(f)) f->setWindowPos(insertAfter, platform::kTopMostFlags);
    }
}

void WakeModules(App& app) {
    for (const WindowRow& w : kWindows) {
        forms::Form* f = app.window(w.slot);
        if (app.IsFormLoaded(f)) MakeTranslucent(*f, app.settings.TLUCENTZOn);
    }
    app.idle.wake();
}

void idleStep(App& app) {
    IdleState& idle = app.idle;
    if (idle.countdown > 0) {
        idle.fadePending = true;
        --idle.countdown;
    }
    forms::Form* mainBar = app.window(WindowSlot::Main);
    if (idle.countdown == 0) {
        if (app.settings.VISIBLE == 0) {
            if (app.IsFormLoaded(mainBar)) MakeTranslucent(*mainBar, 0);
        } else if (idle.fadePending) {
            for (const WindowRow& w : kWindows) {
                forms::Form* f = app.window(w.slot);
                if (w.isModule() && app.IsFormLoaded(f)) MakeTranslucent(*f, app.settings.TLUCENTZOff);
            }
            if (app.IsFormLoaded(mainBar)) MakeTranslucent(*mainBar, 0);
            idle.fadePending = false;
        }
    }
    if (app.settings.VISIBLE == 2 && app.settings.CORNER >= 0 && app.settings.CORNER <= 3) {
        platform::Point p = app.os.cursorPos();
        int cx = (app.settings.CORNER == 1 || app.settings.CORNER == 3) ? app.screenX : 0;
        int cy = (app.settings.CORNER == 2 || app.settings.CORNER == 3) ? app.screenY : 0;
        if (p.x == cx && p.y == cy) WakeModules(app);
    }
}

}  // namespace vel
