// The shipped skins are exactly what the generator draws, with the
// colours the windows rely on. A drawing change must come with new
// files in skins/ (run `skingen skins`), never slip in silently. That
// comparison and the reference pictures exercise PNG round trips; here
// too the files that cannot be read or written.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <utility>

#include "gfx/png.h"
#include "platform/sim/files.h"
#include "support/files.h"
#include "tools/skingen/art.h"
#include "tools/skingen/icon.h"

using namespace vel;
using namespace vel::skingen;

namespace {

const std::vector<Artwork>& artwork() {
    static const std::vector<Artwork> all = allArtwork();
    return all;
}

}  // namespace

// What the windows rely on: a skin's corners are keyed out of the window's
// region and its outline is solid; a face never uses the key colour, which
// a layered window would show as a hole. The colours under the memory and
// CPU covers are pinned by the reference pictures.
TEST(GfxSkins, SkinsAreKeyedOutsideAndFacesNeverUseTheKey) {
    for (const auto& a : artwork()) {
        const Pixels& p = a.image;
        if (a.file.find("_skin.png") != std::string::npos) {
            const int w = p.width - 1, h = p.height - 1;
            for (const auto& [x, y] : std::initializer_list<std::pair<int, int>>{{0, 0}, {w, 0}, {0, h}, {w, h}})
                EXPECT_EQ(p.at(x, y), kKey) << a.file;
            EXPECT_NE(p.at(p.width / 2, 0), kKey) << a.file;
            EXPECT_NE(p.at(p.width / 2, p.height / 2), kKey) << a.file;
        } else {
            for (Colour c : p.data) ASSERT_NE(c, kKey) << a.file;
        }
    }
}

TEST(GfxSkins, ShippedFilesAreExactlyWhatTheGeneratorDraws) {
    const std::filesystem::path shipped = std::filesystem::path(VELMORA_SOURCE_DIR) / "skins";
    const test::TempFolder fresh;
    std::set<std::string> generated;
    for (const auto& a : artwork()) {
        generated.insert(a.file);
        ASSERT_TRUE(gfx::savePng((fresh / a.file).string(), a.image));
        const std::string want = test::readFile(shipped / a.file);
        ASSERT_FALSE(want.empty()) << a.file << " is missing from skins/";
        EXPECT_EQ(test::readFile(fresh / a.file), want) << a.file << " differs: run skingen skins";
    }
    for (const auto& entry : std::filesystem::directory_iterator(shipped))
        EXPECT_TRUE(entry.path().extension() != ".png" || generated.count(entry.path().filename().string()))
            << "stale " << entry.path().filename();
}

// The cross build cannot draw them, so the programs' icon files are kept in
// the tree: `skingen --ico app/velmora.ico` and `skingen --logscope-ico
// app/logscope.ico` after a drawing change.
TEST(GfxSkins, ProgramIconFilesAreWhatTheGeneratorDraws) {
    const std::string viewer = test::readFile(std::filesystem::path(VELMORA_SOURCE_DIR) / "app/logscope.ico");
    const std::vector<std::uint8_t> viewerDrawn = programIconIco(Icon::Logscope);
    EXPECT_TRUE(std::string(viewerDrawn.begin(), viewerDrawn.end()) == viewer)
        << "app/logscope.ico differs: run skingen --logscope-ico";
    const std::string ico = test::readFile(std::filesystem::path(VELMORA_SOURCE_DIR) / "app/velmora.ico");
    const std::vector<std::uint8_t> drawn = programIconIco();
    EXPECT_TRUE(std::string(drawn.begin(), drawn.end()) == ico) << "app/velmora.ico differs: run skingen --ico";
}

// The menu icons in every installed size: round corners left transparent,
// an opaque face, and the viewer's not the program's.
TEST(GfxSkins, MenuIconsHaveClearCornersAndTheViewerIsItsOwn) {
    for (int size : {48, 128, 256}) {
        const std::vector<std::uint8_t> viewer = programIconRgba(size, Icon::Logscope);
        ASSERT_EQ(viewer.size(), static_cast<std::size_t>(size) * size * 4);
        auto pixel = [&](int x, int y) { return &viewer[(static_cast<std::size_t>(y) * size + x) * 4]; };
        EXPECT_EQ(pixel(0, 0)[3], 0) << size;
        EXPECT_EQ(pixel(size - 1, size - 1)[3], 0) << size;
        EXPECT_EQ(pixel(size / 2, size / 2)[3], 255) << size;
        EXPECT_NE(viewer, programIconRgba(size)) << size;
    }
}

TEST(GfxPng, MissingBrokenOrTooCostlyPicturesAreRefused) {
    platform::SimFiles files;
    const std::filesystem::path corpus = std::filesystem::path(VELMORA_SOURCE_DIR) / "fuzz/corpus/png";
    // An IDAT declaring 2 GiB in a 55-byte file: the decoder reserved it all.
    EXPECT_FALSE(gfx::loadPng(files, (corpus / "known-bad-idat-declares-2gib.png").string()).has_value());
    // An empty first IDAT (a null pointer for the decoder's memcpy) carries nothing; the picture loads.
    const auto red = gfx::loadPng(files, (corpus / "known-bad-empty-first-idat.png").string());
    ASSERT_TRUE(red.has_value());
    EXPECT_EQ(red->width * red->height, 1);
    EXPECT_EQ(red->at(0, 0), rgb(255, 0, 0));
    // One pixel whose 4 KB of data inflate to 4 MiB: refused once it asks for more than a pixel needs.
    EXPECT_FALSE(gfx::loadPng(files, (corpus / "expands-to-4mib.png").string()).has_value());

    const test::TempFolder tmp;
    EXPECT_FALSE(gfx::loadPng(files, (tmp / "does_not_exist.png").string()).has_value());
    test::writeFile(tmp / "junk.png", "not a picture at all");
    EXPECT_FALSE(gfx::loadPng(files, (tmp / "junk.png").string()).has_value());
    EXPECT_FALSE(gfx::savePng((tmp / "empty.png").string(), Pixels()));
    ASSERT_TRUE(gfx::savePng((tmp / "edge.png").string(), Pixels(4096, 1)));
    ASSERT_TRUE(gfx::savePng((tmp / "wide.png").string(), Pixels(1, 4097)));
    EXPECT_TRUE(gfx::loadPng(files, (tmp / "edge.png").string()).has_value());
    EXPECT_FALSE(gfx::loadPng(files, (tmp / "wide.png").string()).has_value());
    // Bytes after the end chunk are ignored by decoders, but count against the 16 MiB.
    std::string padded = test::readFile(tmp / "edge.png");
    padded.resize((std::size_t{16} << 20) + 1, '\0');
    test::writeFile(tmp / "padded.png", padded);
    EXPECT_FALSE(gfx::loadPng(files, (tmp / "padded.png").string()).has_value());
    EXPECT_FALSE(gfx::loadPng(files, tmp.path().string()).has_value());  // a folder
}
