// The list of every picture and its file name.

#include "engine/style_catalogue.h"
#include "tools/skingen/art.h"

namespace vel::skingen {

std::vector<Artwork> allArtwork() {
    std::vector<Artwork> out;
    auto add = [&out](std::string name, Pixels image) { out.push_back({std::move(name), std::move(image)}); };
    add("module_skin.png", moduleSkin());
    // The face file names come from the style table.
    for (int i = 0; i < kCpuStyleCount; ++i) add(std::string(cpuStyles()[static_cast<std::size_t>(i)].face), cpuFace(i));
    add("cpu_holder.png", cpuHolder());
    const char* kinds[4] = {"lan", "modem", "proxy", "other"};
    for (int s = 0; s < kStyleCount; ++s) {
        const std::string n = std::to_string(s);
        add("mem_face_" + n + ".png", memFace(s));
        add("mem_bar_" + n + ".png", memBar(s));
        add("net_face_" + n + ".png", netFace(s));
        add("net_status_" + n + "_on.png", netStatus(s, true));
        add("net_status_" + n + "_off.png", netStatus(s, false));
        for (int k = 0; k < 4; ++k) add("net_type_" + n + "_" + kinds[k] + ".png", netType(s, k));
        add("mse_face_" + n + ".png", mouseFace(s));
    }
    add("clock_face.png", clockFace());
    add("main_skin.png", mainSkin());
    const char* buttons[4] = {"memtide", "logscope", "options", "exit"};
    for (int b = 0; b < 4; ++b) {
        add(std::string("main_btn_") + buttons[b] + ".png", mainButton(b, false));
        add(std::string("main_btn_") + buttons[b] + "_down.png", mainButton(b, true));
    }
    add("splash_skin.png", splashSkin());
    for (int i = 0; i < 3; ++i) add("splash_meters_" + std::to_string(i) + ".png", splashMeters(i));
    add("fv_skin.png", fullViewSkin());
    add("fv_panel.png", fullViewPanel());
    for (int i = 0; i < 5; ++i) {
        add("fv_screen_" + std::to_string(i) + ".png", fullViewScreenButton(i, false));
        add("fv_screen_" + std::to_string(i) + "_down.png", fullViewScreenButton(i, true));
    }
    add("fv_sub.png", fullViewSubButton(0));
    add("fv_sub_down.png", fullViewSubButton(1));
    add("fv_sub_off.png", fullViewSubButton(2));
    add("fv_exit.png", fullViewExit(false));
    add("fv_exit_down.png", fullViewExit(true));
    add("fv_vu.png", fullViewVu());
    const char* modes[3] = {"horizontal", "vertical", "user"};
    for (int m = 0; m < 3; ++m) add(std::string("options_placement_") + modes[m] + ".png", placementPicture(m));
    add("options_monitor.png", visibilityMonitor());
    return out;
}

}  // namespace vel::skingen
