// skingen OUTDIR: draws all artwork and writes it as PNG files.
// skingen --icon SIZE FILE: writes the program's icon at SIZE x SIZE.
// skingen --logscope-icon SIZE FILE: the same for the log viewer.
// skingen --ico FILE: writes velmora.exe's icon file (app/velmora.ico).
// skingen --logscope-ico FILE: Logscope.exe's (app/logscope.ico).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gfx/png.h"
#include "tools/skingen/art.h"
#include "tools/skingen/icon.h"

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 4 && (first == "--icon" || first == "--logscope-icon")) {
        const int size = std::atoi(argv[2]);
        if (size < 16 || size > 512) {
            std::fprintf(stderr, "skingen: the icon size is 16 to 512, not %s\n", argv[2]);
            return 2;
        }
        const auto which = first == "--icon" ? vel::skingen::Icon::Velmora : vel::skingen::Icon::Logscope;
        if (vel::skingen::writeProgramIcon(argv[3], size, which)) return 0;
        std::fprintf(stderr, "skingen: cannot write %s\n", argv[3]);
        return 1;
    }
    if (argc == 3 && (first == "--ico" || first == "--logscope-ico")) {
        const auto which = first == "--ico" ? vel::skingen::Icon::Velmora : vel::skingen::Icon::Logscope;
        if (vel::skingen::writeProgramIco(argv[2], which)) return 0;
        std::fprintf(stderr, "skingen: cannot write %s\n", argv[2]);
        return 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen OUTDIR | skingen --icon SIZE FILE | skingen --logscope-icon SIZE FILE | "
                             "skingen --ico FILE | skingen --logscope-ico FILE\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    int failed = 0;
    for (const auto& art : vel::skingen::allArtwork()) {
        if (!vel::gfx::savePng((out / art.file).string(), art.image)) {
            std::fprintf(stderr, "skingen: cannot write %s\n", (out / art.file).string().c_str());
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
