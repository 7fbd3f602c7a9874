#include "window/placement.h"

#include "core/settings.h"
#include "core/vb.h"
#include "window/window_services.h"

namespace vel {

const std::array<ChainEntry, 10> ModuleChain{{
    {WindowSlot::Clock, 9},
    {WindowSlot::Cpu0, 0},
    {WindowSlot::Cpu1, 1},
    {WindowSlot::Cpu2, 2},
    {WindowSlot::Cpu3, 3},
    {WindowSlot::CpuAll, 4},
    {WindowSlot::Network, 5},
    {WindowSlot::Memory, 6},
    {WindowSlot::Mouse, 7},
    {WindowSlot::Main, 8},
}};

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

}  // namespace

void savePosition(App& app, forms::Form& form, int posIndex) {
    app.settings.PosX[posIndex] = twipsToSetting(form.left());
    app.settings.PosY[posIndex] = twipsToSetting(form.top());
    writePosition(app, posIndex, form.left(), form.top());
}

void ArrangeModules(App& app) {
    Settings& s = app.settings;
    if (s.PLCMNT == 2) {
        for (const ChainEntry& e : ModuleChain) {
            forms::Form* f = app.window(e.slot);
            if (app.IsFormLoaded(f)) f->move(s.PosX[e.posIndex], s.PosY[e.posIndex]);
        }
    } else {
        for (std::size_t i = 0; i < ModuleChain.size(); ++i) {
            forms::Form* f = app.window(ModuleChain[i].slot);
            if (!app.IsFormLoaded(f)) continue;
            forms::Form* previous = nullptr;
            for (std::size_t j = i; j-- > 0;) {
                forms::Form* p = app.window(ModuleChain[j].slot);
                if (app.IsFormLoaded(p)) {
                    previous = p;
                    break;
                }
            }
            if (previous)
                stackAfter(app, *f, *previous);
            else
                f->move(s.PosX[ModuleChain[i].posIndex], s.PosY[ModuleChain[i].posIndex]);
        }
    }
    for (const ChainEntry& e : ModuleChain) {
        forms::Form* f = app.window(e.slot);
        if (app.IsFormLoaded(f)) savePosition(app, *f, e.posIndex);
    }
}

void dragWindow(App& app, forms::Form& form, int posIndex) {
    if (!form.loaded()) return;
    form.systemDrag();
    // The program may have ended inside the move loop.
    if (!form.loaded() || app.os.quitting()) return;
    form.syncFromWindow();
    savePosition(app, form, posIndex);
    ArrangeModules(app);
}

void resetModuleLocations(App& app) {
    static const int kResetLeft[10] = {1045, 1990, 2935, 3880, 4825, 5770, 6715, 7660, 8605, 100};
    for (const ChainEntry& e : ModuleChain) {
        const int left = kResetLeft[e.posIndex], top = -30;
        forms::Form* f = app.window(e.slot);
        if (app.IsFormLoaded(f)) f->move(left, top);
        writePosition(app, e.posIndex, left, top);
        app.settings.PosX[e.posIndex] = left;
        app.settings.PosY[e.posIndex] = top;
    }
}

void placeOnLoad(App& app, forms::Form& form, int posIndex, std::initializer_list<WindowSlot> stackList) {
    const Settings& s = app.settings;
    if (s.PLCMNT != 2) {
        for (WindowSlot slot : stackList) {
            forms::Form* p = app.window(slot);
            if (p != &form && app.IsFormLoaded(p)) {
                stackAfter(app, form, *p);
                return;
            }
        }
    }
    form.move(s.PosX[posIndex], s.PosY[posIndex]);
}

}  // namespace vel
