#include "window/placement.h"

#include "core/settings.h"
#include "core/vb.h"
#include "window/window_services.h"

namespace vel {

namespace {

std::int32_t twipsToSetting(double twips) {
    return toInt32(twips).value_or(0);
}

void writePosition(App& app, int posIndex, double left, double top) {
    saveSetting(app.settingsFile, settingKey(SettingGroup::Left, posIndex), positionText(left));
    saveSetting(app.settingsFile, settingKey(SettingGroup::Top, posIndex), positionText(top));
}

void stackAfter(App& app, forms::Form& form, const forms::Form& previous) {
    if (app.settings.PLCMNT == 1)
        form.move(previous.left(), previous.top() + kVerticalPitch);
    else
        form.move(previous.left() + kHorizontalPitch, previous.top());
}

// The nearest loaded window of the rows before slot, back to first.
forms::Form* nearestLoadedBefore(const App& app, WindowSlot slot, WindowSlot first) {
    for (int i = static_cast<int>(slot); i-- > static_cast<int>(first);) {
        forms::Form* p = app.window(static_cast<WindowSlot>(i));
        if (app.IsFormLoaded(p)) return p;
    }
    return nullptr;
}

}  // namespace

void savePosition(App& app, forms::Form& form, int posIndex) {
    app.settings.PosX[posIndex] = twipsToSetting(form.left());
    app.settings.PosY[posIndex] = twipsToSetting(form.top());
    writePosition(app, posIndex, form.left(), form.top());
}

void ArrangeModules(App& app) {
    Settings& s = app.settings;
    if (s.PLCMNT == 2) {
        for (const WindowRow& w : kWindows) {
            forms::Form* f = app.window(w.slot);
            if (app.IsFormLoaded(f)) f->move(s.PosX[w.pos], s.PosY[w.pos]);
        }
    } else {
        // Arranging stacks every window on the nearest loaded one before it,
        // whatever its row stacks on at load.
        for (const WindowRow& w : kWindows) {
            forms::Form* f = app.window(w.slot);
            if (!app.IsFormLoaded(f)) continue;
            if (forms::Form* previous = nearestLoadedBefore(app, w.slot, WindowSlot::Clock))
                stackAfter(app, *f, *previous);
            else
                f->move(s.PosX[w.pos], s.PosY[w.pos]);
        }
    }
    for (const WindowRow& w : kWindows) {
        forms::Form* f = app.window(w.slot);
        if (app.IsFormLoaded(f)) savePosition(app, *f, w.pos);
    }
}

void dragWindow(App& app, forms::Form& form, WindowSlot slot) {
    if (!form.loaded()) return;
    form.systemDrag();
    // The program may have ended inside the move loop.
    if (!form.loaded() || app.os.quitting()) return;
    form.syncFromWindow();
    savePosition(app, form, windowRow(slot).pos);
    ArrangeModules(app);
}

void resetModuleLocations(App& app) {
    static const int kResetLeft[10] = {1045, 1990, 2935, 3880, 4825, 5770, 6715, 7660, 8605, 100};
    for (const WindowRow& w : kWindows) {
        const int left = kResetLeft[w.pos], top = -30;
        forms::Form* f = app.window(w.slot);
        if (app.IsFormLoaded(f)) f->move(left, top);
        writePosition(app, w.pos, left, top);
        app.settings.PosX[w.pos] = left;
        app.settings.PosY[w.pos] = top;
    }
}

void placeOnLoad(App& app, forms::Form& form, WindowSlot slot) {
    const Settings& s = app.settings;
    const WindowRow& row = windowRow(slot);
    if (s.PLCMNT != 2)
        if (forms::Form* previous = nearestLoadedBefore(app, slot, row.stacksBackTo)) {
            stackAfter(app, form, *previous);
            return;
        }
    form.move(s.PosX[row.pos], s.PosY[row.pos]);
}

}  // namespace vel
