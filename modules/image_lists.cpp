#include "modules/image_lists.h"

namespace vel {

namespace {
std::string numbered(const char* stem, int n) { return std::string(stem) + std::to_string(n) + ".png"; }
}  // namespace

std::string memImageFile(int number) {
    if (number >= 1 && number <= 5) return numbered("mem_face_", number - 1);
    if (number >= 6 && number <= 10) return numbered("mem_bar_", number - 6);
    return "";
}

std::string netImageFile(int number) {
    if (number >= 1 && number <= 5) return numbered("net_face_", number - 1);
    if (number >= 6 && number <= 15) {
        const int style = (number - 6) / 2;
        const bool connected = (number - 6) % 2 == 0;
        return "net_status_" + std::to_string(style) + (connected ? "_on.png" : "_off.png");
    }
    if (number >= 16 && number <= 35) {
        static const char* const kKinds[4] = {"_lan.png", "_modem.png", "_proxy.png", "_other.png"};
        const int kind = (number - 16) / 5, style = (number - 16) % 5;
        return "net_type_" + std::to_string(style) + kKinds[kind];
    }
    return "";
}

std::string mseImageFile(int number) {
    if (number >= 1 && number <= 5) return numbered("mse_face_", number - 1);
    return "";
}

}  // namespace vel
