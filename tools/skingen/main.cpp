// skingen OUTDIR: draws all artwork and writes it as PNG files.
#include <cstdio>
#include <filesystem>

#include "forms/png.h"
#include "tools/skingen/art.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen OUTDIR\n");
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
