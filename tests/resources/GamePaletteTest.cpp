#include "resources/GamePalette.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/NativeFileSystem.h"
#include "resources/ColorTableBuild.h"
#include "support/RecordingMapEvents.h"
#include "support/SyntheticGameFiles.h"

namespace korvel {
namespace {

using test::Rgb;

// 6-bit colours: colour k is (k mod 64, 63 - k mod 64, k / 4).
std::array<Rgb, 256> sixBitColours() {
    std::array<Rgb, 256> c;
    for (int k = 0; k < 256; ++k)
        c[size_t(k)] = {uint8_t(k % 64), uint8_t(63 - k % 64), uint8_t(k / 4)};
    return c;
}

uint8_t scaled(uint8_t v) {
    return uint8_t((v * 255 + 31) / 63);
}

struct Program {
    TempFolder folder;
    std::string data;
    test::RecordingMapEvents events;
    std::unique_ptr<ColorTables> colors = std::make_unique<ColorTables>();
    ColorTableInputs inputs;

    Program() {
        folder.makeFolder("KorvelD");
        data = folder.file("KorvelD");
        inputs.dataFolder = data;
        inputs.programFolder = folder.path();
        for (size_t k = 0; k < 256; ++k)
            colors->paletteRed[k] = colors->paletteGreen[k] = colors->paletteBlue[k] = uint8_t(k);
    }
    ColorTableLoad load(FileSystem& fs) { return loadColorTables(*colors, fs, events, inputs); }
    bool wrote(const std::string& name) const { return folder.exists("KorvelD/" + name); }
    bool logged(int32_t number) const {
        for (const auto& l : events.bootLog)
            if (l.message.number == number) return true;
        return false;
    }
};

TEST(GamePalette, SixBitValuesScaled) {
    const struct {
        uint8_t in, out;
    } cases[] = {{0, 0}, {1, 4}, {32, 130}, {62, 251}, {63, 255}, {64, 255}, {255, 255}};
    for (const auto& c : cases) {
        std::string bytes(768, char(c.in));
        PaletteChannel r{}, g{}, b{};
        ASSERT_TRUE(decodePaletteDat(bytes, r, g, b));
        EXPECT_EQ(r[0], c.out) << int(c.in);
        EXPECT_EQ(b[255], c.out) << int(c.in);
    }
    PaletteChannel r{}, g{}, b{};
    EXPECT_FALSE(decodePaletteDat(std::string(767, '\0'), r, g, b));
}

TEST(GamePalette, WhereThePaletteComesFrom) {
    const std::string dat = test::makePaletteDat(sixBitColours());
    const std::string other = std::string(768, '\x05');
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;  // beside the program
        const char* grpName;  // named on the command line, or nullptr
        GamePaletteSource source;
    } cases[] = {
        {"archive's PALETTE.DAT",
         {{"DUKE3D.GRP", test::makeGroupFile({{"TILES000.ART", "x"}, {"PALETTE.DAT", dat}})},
          {"PALETTE.DAT", other}},
         nullptr,
         GamePaletteSource::ArchivePaletteDat},
        {"named archive, entry in lower case",
         {{"mygame.grp", test::makeGroupFile({{"palette.dat", dat + "more"}})}},
         "mygame.grp",
         GamePaletteSource::ArchivePaletteDat},
        {"loose PALETTE.DAT, any case",
         {{"Palette.Dat", dat}},
         nullptr,
         GamePaletteSource::LoosePaletteDat},
        {"archive entry too short: the loose file",
         {{"DUKE3D.GRP", test::makeGroupFile({{"PALETTE.DAT", other.substr(0, 700)}})},
          {"PALETTE.DAT", dat}},
         nullptr,
         GamePaletteSource::LoosePaletteDat},
    };
    for (const auto& c : cases) {
        Program p;
        NativeFileSystem fs;
        for (const auto& [name, bytes] : c.files) p.folder.write(name, bytes);
        if (c.grpName) p.inputs.grpPath = p.folder.file(c.grpName);
        const auto load = p.load(fs);
        EXPECT_EQ(load.paletteSource, c.source) << c.what;
        const auto want = sixBitColours();
        for (size_t k = 0; k < 256; k += 51) {
            EXPECT_EQ(p.colors->gamePaletteRed[k], scaled(want[k].r)) << c.what << k;
            EXPECT_EQ(p.colors->gamePaletteGreen[k], scaled(want[k].g)) << c.what << k;
            EXPECT_EQ(p.colors->gamePaletteBlue[k], scaled(want[k].b)) << c.what << k;
        }
        EXPECT_TRUE(p.logged(1352)) << c.what;

        // dukepal.pal holds the same colours in the text format; colortab.dat is stored too.
        PaletteChannel r{}, g{}, b{};
        ASSERT_TRUE(parseTextPalette(p.folder.read("KorvelD/dukepal.pal"), r, g, b)) << c.what;
        EXPECT_EQ(r, p.colors->gamePaletteRed) << c.what;
        EXPECT_EQ(g, p.colors->gamePaletteGreen) << c.what;
        EXPECT_EQ(b, p.colors->gamePaletteBlue) << c.what;
        EXPECT_TRUE(load.written) << c.what;
    }
}

TEST(GamePalette, WithoutTheGameFilesNothingIsWritten) {
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;
        bool paletteDatFolder = false;
    } cases[] = {
        {"no archive", {}},
        {"archive without a palette", {{"DUKE3D.GRP", test::makeGroupFile({{"A.DAT", "1"}})}}},
        {"PALETTE.DAT too short", {{"PALETTE.DAT", std::string(767, '\x10')}}},
        {"PALETTE.DAT is a folder", {}, true},
    };
    for (const auto& c : cases) {
        Program p;
        NativeFileSystem fs;
        for (const auto& [name, bytes] : c.files) p.folder.write(name, bytes);
        if (c.paletteDatFolder) p.folder.makeFolder("PALETTE.DAT");
        const auto load = p.load(fs);
        EXPECT_EQ(load.paletteSource, GamePaletteSource::BuiltIn) << c.what;
        EXPECT_FALSE(load.written) << c.what;
        EXPECT_FALSE(p.wrote("dukepal.pal")) << c.what;
        EXPECT_FALSE(p.wrote("colortab.dat")) << c.what;
        EXPECT_TRUE(p.logged(1353)) << c.what;
        EXPECT_FALSE(p.logged(8)) << c.what;
        // The stand-in is a grey ramp, and the tables are built from it all the same.
        EXPECT_EQ(p.colors->gamePaletteRed[100], 100) << c.what;
        EXPECT_EQ(p.colors->gamePaletteMap[100], 100 | 100 << 8) << c.what;
    }
}

TEST(GamePalette, PaletteFileReadAtStartUpIsKept) {
    Program p;
    NativeFileSystem fs;
    p.folder.write("PALETTE.DAT", test::makePaletteDat(sixBitColours()));
    p.inputs.gamePaletteRead = true;
    p.colors->gamePaletteRed[3] = 99;
    EXPECT_EQ(p.load(fs).paletteSource, GamePaletteSource::PaletteFile);
    EXPECT_EQ(p.colors->gamePaletteRed[3], 99);
    EXPECT_FALSE(p.wrote("dukepal.pal"));
}

TEST(GamePalette, FailedPaletteWriteIsLogged) {
    Program p;
    test::WriteFailingFileSystem fs({"dukepal.pal"});
    p.folder.write("PALETTE.DAT", test::makePaletteDat(sixBitColours()));
    const auto load = p.load(fs);
    EXPECT_EQ(load.paletteSource, GamePaletteSource::LoosePaletteDat);
    EXPECT_EQ(p.colors->gamePaletteRed[63], 255);
    bool found = false;
    for (const auto& l : p.events.bootLog)
        found = found || (l.message.number == 1351 && l.message.args[0] == "dukepal.pal");
    EXPECT_TRUE(found);
    EXPECT_TRUE(load.written);  // the palette is the game's: the tables are stored
}

}  // namespace
}  // namespace korvel
