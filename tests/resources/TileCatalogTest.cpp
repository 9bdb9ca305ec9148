#include "resources/TileCatalog.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/NativeFileSystem.h"
#include "support/SyntheticGameFiles.h"

namespace korvel {
namespace {

TEST(TileCatalog, TileSetsLines) {
    const std::string text =
        "3\r\n"  // before any header: no bit yet
        "SWITCHES\r\n10-12\r\n"
        "DOORTILES\r\n11\r\n"
        "actors\r\n20\r\n"   // a header in lower case selects its bit
        "ACTORS \r\n21\r\n"  // with a trailing blank it is no header: still ACTORS
        "PICKUPS\r\n"
        "30-32-99\r\n"         // text after a second dash is ignored
        "40-38\r\n"            // backwards: nothing
        "50-x\r\n60 - 61\r\n"  // not a range of two numbers / blanks around numbers
        "EFFECTORS\r\n15359\r\n15360\r\n15000-15360\r\n-5\r\n1e3\r\nFOO\r\n7";
    std::vector<uint8_t> categories(kTileCount);
    parseTileSets(text, categories);
    const struct {
        int32_t tile;
        uint8_t bits;
    } cases[] = {
        {3, 0},  {9, 0},  {10, 8},    {11, 24},   {12, 8}, {13, 0},   {20, 2}, {21, 2},
        {30, 4}, {31, 4}, {32, 4},    {33, 0},    {38, 0}, {39, 0},   {40, 0}, {50, 0},
        {60, 4}, {61, 4}, {15359, 1}, {15000, 0}, {5, 0},  {1000, 0}, {7, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(categories[size_t(c.tile)], c.bits) << c.tile;
}

TEST(TileCatalog, LoadTileSetsStartsClear) {
    TempFolder data;
    NativeFileSystem fs;
    auto catalog = std::make_unique<TileCatalog>();
    catalog->tileCategories[500] = 64;
    loadTileSets(*catalog, fs, data.path());  // no file: all clear
    EXPECT_EQ(catalog->tileCategories[500], 0);

    data.write("TILESETS.DAT", "EFFECTORS\r\n1-10\r\nMISC\r\n500\r\n");
    catalog->tileCategories[600] = 2;
    loadTileSets(*catalog, fs, data.path());
    EXPECT_EQ(catalog->tileCategories[1], TileCategory::Effectors);
    EXPECT_EQ(catalog->tileCategories[10], TileCategory::Effectors);
    EXPECT_EQ(catalog->tileCategories[500], TileCategory::Misc);
    EXPECT_EQ(catalog->tileCategories[600], 0);
}

TEST(TileCatalog, DefineLines) {
    const std::string text =
        "// names\r\n"
        "#define FIRSTNAME 12\r\n"
        "#define SECOND 13\r\n"
        "\n#define EXTRALF 20\r\n"  // only the LF of CR LF is dropped
        "#DEFINE CAPITALS 14\r\n"   // the directive is case-sensitive
        " #define INDENTED 15\r\n"
        "#define\tTABBED 16\r\n"
        "#define LATER 12\r\n"      // a later line replaces the name
        "#define ROUNDED 17.5\r\n"  // to the nearest, ties to even: 18
        "#define WORD abc\r\n"
        "#define NOTHING\r\n"
        "#define TOOBIG 15360\r\n"
        "#define NEGATIVE -1\r\n"
        "#define HUGE 99999\r\n"
        "#define SOUND 999 // comment\r\n"
        "#define LAST 19";
    NameTable tiles(kTileCount), sounds(kSoundCount);
    parseDefines(text, tiles);
    parseDefines(text, sounds);
    const struct {
        int32_t number;
        const char* tileName;
        const char* soundName;
    } cases[] = {
        {12, "LATER", "LATER"},
        {13, "SECOND", "SECOND"},
        {14, "", ""},
        {15, "", ""},
        {16, "", ""},
        {18, "ROUNDED", "ROUNDED"},
        {0, "", ""},
        {999, "SOUND", "SOUND"},
        {19, "LAST", "LAST"},
        {20, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tiles[size_t(c.number)], c.tileName) << c.number;
        EXPECT_EQ(sounds[size_t(c.number)], c.soundName) << c.number;
    }
    EXPECT_EQ(tiles[15359], "");
    // 1000 is past the sound table: skipped.
    NameTable fewSounds(kSoundCount);
    parseDefines("#define PASTEND 1000\r\n", fewSounds);
    EXPECT_EQ(fewSounds.namedCount(), 0u);
}

TEST(TileCatalog, NamesAndSoundsFiles) {
    TempFolder program;
    NativeFileSystem fs;
    auto catalog = std::make_unique<TileCatalog>();
    catalog->tileNames.set(7, "KEPT");
    loadNamesAndSounds(*catalog, fs, program.path());  // both missing: nothing changes
    EXPECT_EQ(catalog->tileNames[7], "KEPT");

    program.write("NAMES.H", "#define WALL1 100\r\n");
    program.write("sounds.h", "#define BEEP 5\r\n");
    loadNamesAndSounds(*catalog, fs, program.path());
    EXPECT_EQ(catalog->tileNames[100], "WALL1");
    EXPECT_EQ(catalog->tileNames[7], "KEPT");  // not cleared first
    EXPECT_EQ(catalog->soundNames[5], "BEEP");
    EXPECT_EQ(catalog->tileNames[5], "");
}

}  // namespace
}  // namespace korvel
