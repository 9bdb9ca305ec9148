#include "resources/TileStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/NativeFileSystem.h"
#include "support/RecordingMapEvents.h"
#include "support/SyntheticGameFiles.h"

namespace korvel {
namespace {

using test::GroupFileEntry;
using test::makeArtFile;
using test::makeGroupFile;
using test::patternPixel;
using test::RecordingMapEvents;
using test::SyntheticTile;

struct Loader {
    TempFolder folder;
    NativeFileSystem fs;
    RecordingMapEvents events;
    std::unique_ptr<TileStore> tiles = std::make_unique<TileStore>();
    std::string grpPath;

    void load() { loadArtTiles(*tiles, grpPath, folder.path(), fs, events); }
    std::pair<int, int> size(int32_t t) const {
        return {tiles->tileWidths[size_t(t)], tiles->tileHeights[size_t(t)]};
    }
    std::vector<int32_t> logNumbers() const {
        std::vector<int32_t> out;
        for (const auto& l : events.bootLog) out.push_back(l.message.number);
        return out;
    }
    bool logged(int32_t number, const std::string& arg) const {
        for (const auto& l : events.bootLog)
            if (l.message.number == number && !l.message.args.empty() && l.message.args[0] == arg)
                return true;
        return false;
    }
};

// Every tile with a picture lies inside the buffer, and no tile without one claims pixels.
void expectTilesInsideBuffer(const TileStore& tiles) {
    for (int32_t t = 0; t < kTileCount; ++t) {
        const int64_t w = tiles.tileWidths[size_t(t)], h = tiles.tileHeights[size_t(t)];
        ASSERT_GE(w, 0) << t;
        ASSERT_GE(h, 0) << t;
        if (w == 0 || h == 0) continue;
        ASSERT_GE(tiles.tileOffsets[size_t(t)], -1) << t;
        ASSERT_LE(tiles.tileOffsets[size_t(t)] + 1 + w * h, int64_t(tiles.artPixels.size())) << t;
        ASSERT_EQ(tilePixels(tiles, t).size(), size_t(w * h)) << t;
    }
}

TEST(TileStore, TileFileNames) {
    const struct {
        const char* name;
        int32_t number;  // -1: not a tile file
    } cases[] = {
        {"tiles012.art", 12},    {"TILES012.ART", 12},
        {"Tiles000.Art", 0},     {"tiles255.art", 255},
        {"tiles005.bak.art", 5}, {"tilesabc.art", -1},
        {"tiles-01.art", -1},    {"tiles999.art", -1},
        {"tiles256.art", -1},    {"tiles 12.art", -1},
        {"tiles012.dat", -1},    {"tile012.art", -1},
        {"tiles01art", -1},      {"", -1},
    };
    for (const auto& c : cases) {
        const auto number = artFileNumber(c.name);
        EXPECT_EQ(number.value_or(-1), c.number) << c.name;
    }
}

TEST(TileStore, WhichFileSuppliesANumber) {
    const std::string loose5 = makeArtFile(5, {{3, 4}});
    const std::string archive5 = makeArtFile(5, {{7, 2}});
    const std::string second5 = makeArtFile(5, {{9, 9}});
    // clang-format off
    const struct {
        const char* what;
        bool looseFile;
        bool grpNamed;  // the archive was named on the command line
        const char* archiveName;
        std::vector<GroupFileEntry> archive;
        std::pair<int, int> tile1280;
        uint8_t colour;
    } cases[] = {
        {"loose file over the archive", true, false, "DUKE3D.GRP",
         {{"TILES005.ART", archive5}}, {3, 4}, 214},
        {"named archive: loose files not looked for", true, true, "DUKE3D.GRP",
         {{"TILES005.ART", archive5}}, {7, 2}, 224},
        {"first of two archive entries", false, false, "DUKE3D.GRP",
         {{"TILES005.ART", archive5}, {"tiles005.art", second5}}, {7, 2}, 224},
        {"archive name in any case", false, false, "duke3d.grp",
         {{"TILES005.ART", archive5}}, {7, 2}, 224},
    };
    // clang-format on
    for (const auto& c : cases) {
        Loader l;
        if (c.looseFile) l.folder.write("tiles005.art", loose5);
        l.folder.write(c.archiveName, makeGroupFile(c.archive));
        if (c.grpNamed) l.grpPath = l.folder.file(c.archiveName);
        l.load();
        EXPECT_EQ(l.size(1280), c.tile1280) << c.what;
        ASSERT_EQ(l.logNumbers(), (std::vector<int32_t>{1213, 1214})) << c.what;
        EXPECT_EQ(l.events.bootLog[0].colour, c.colour) << c.what;
        EXPECT_EQ(l.events.bootLog[1].colour, 128) << c.what;
        EXPECT_EQ(l.grpPath, l.folder.file(c.archiveName)) << c.what;
        EXPECT_EQ(l.tiles->artLoaded, 1) << c.what;
    }
}

TEST(TileStore, PixelOffsetsOfTwoFiles) {
    Loader l;
    // Tile 1 of file 0 is 0 x 0 between pictures; file 1's header names other tile numbers.
    const std::vector<SyntheticTile> file0 = {{4, 3}, {0, 0}, {2, 5, 0x01020304}, {1, 1}};
    const std::vector<SyntheticTile> file1 = {{6, 1}, {3, 3}};
    l.folder.write("tiles000.art", makeArtFile(0, file0));
    std::string art1 = makeArtFile(1, file1);
    test::putLong(art1, 8, 9000);
    test::putLong(art1, 12, 9255);
    l.folder.write("TILES001.ART", art1);
    l.load();

    const auto& t = *l.tiles;
    EXPECT_EQ(t.artFileOffsets[0], 0);
    EXPECT_EQ(t.artFileOffsets[1], 2064 + 12 + 10 + 1);
    EXPECT_EQ(t.artFileOffsets[2], -1);
    EXPECT_EQ(t.tileAnims[2], 0x01020304);
    const struct {
        int32_t file;
        const std::vector<SyntheticTile>* tiles;
    } files[] = {{0, &file0}, {1, &file1}};
    for (const auto& f : files) {
        int32_t sum = 0;
        for (size_t i = 0; i < f.tiles->size(); ++i) {
            const int32_t tile = 256 * f.file + int32_t(i);
            const auto& s = (*f.tiles)[i];
            EXPECT_EQ(t.tileOffsets[size_t(tile)], t.artFileOffsets[size_t(f.file)] + 2063 + sum);
            EXPECT_EQ(l.size(tile), std::make_pair(int(s.width), int(s.height)));
            for (int32_t x = 0; x < s.width; ++x)
                for (int32_t y = 0; y < s.height; ++y)
                    ASSERT_EQ(
                        t.artPixels[size_t(t.tileOffsets[size_t(tile)] + 1 + x * s.height + y)],
                        patternPixel(tile, x, y))
                        << tile << " " << x << " " << y;
            sum += s.width * s.height;
        }
    }
    // After the loaded files, the buffer holds 65536 zero bytes.
    const size_t end = size_t(t.artFileOffsets[1]) + art1.size();
    ASSERT_EQ(t.artPixels.size(), end + 65536);
    EXPECT_EQ(std::count(t.artPixels.begin() + long(end), t.artPixels.end(), 0), 65536);
    expectTilesInsideBuffer(t);
}

// A file holds as many tiles as its header's first and last tile numbers say, and its tables
// are that long; its number places it, whatever numbers the header names.
TEST(TileStore, FilesOfAnyTileCountReadExactly) {
    const struct {
        const char* what;
        int32_t file, count;
        std::optional<int32_t> firstTile;
    } cases[] = {
        {"one tile", 0, 1, {}},
        {"64 tiles", 2, 64, {}},
        {"256 tiles", 5, 256, {}},
        {"64 tiles from tile 64, in file 0", 0, 64, 64},
        {"tiles 1280 to 1407, in file 7", 7, 128, 1280},
    };
    for (const auto& c : cases) {
        std::vector<SyntheticTile> tiles;
        for (int32_t i = 0; i < c.count; ++i)
            tiles.push_back(
                {int16_t(i % 7 == 3 ? 0 : 1 + i % 5), int16_t(1 + i % 3), 0x100 * i + 7});
        Loader l;
        const std::string name = "tiles00" + std::to_string(c.file) + ".art";
        l.folder.write(name, makeArtFile(c.file, tiles, c.count, c.firstTile));
        l.load();
        EXPECT_FALSE(l.logged(1350, name)) << c.what;
        const auto& t = *l.tiles;
        for (int32_t i = 0; i < 256; ++i) {
            const int32_t tile = 256 * c.file + i;
            if (i >= c.count) {
                ASSERT_EQ(l.size(tile), std::make_pair(0, 0)) << c.what << " tile " << tile;
                continue;
            }
            const SyntheticTile& s = tiles[size_t(i)];
            ASSERT_EQ(l.size(tile), std::make_pair(int(s.width), int(s.height)))
                << c.what << " tile " << tile;
            ASSERT_EQ(t.tileAnims[size_t(tile)], s.anim) << c.what << " tile " << tile;
            const auto pixels = tilePixels(t, tile);
            ASSERT_EQ(pixels.size(), size_t(s.width * s.height)) << c.what;
            for (int32_t x = 0; x < s.width; ++x)
                for (int32_t y = 0; y < s.height; ++y)
                    ASSERT_EQ(pixels[size_t(x * s.height + y)], patternPixel(tile, x, y))
                        << c.what << " tile " << tile;
        }
        expectTilesInsideBuffer(t);
    }
}

TEST(TileStore, EnsureArtLoadedLoadsOnce) {
    Loader l;
    l.folder.write("tiles000.art", makeArtFile(0, {{2, 2}}));
    ensureArtLoaded(*l.tiles, l.grpPath, l.folder.path(), l.fs, l.events);
    EXPECT_EQ(l.events.statusNumbers(), std::vector<int32_t>{333});
    EXPECT_EQ(l.size(0), std::make_pair(2, 2));
    l.events.clear();
    ensureArtLoaded(*l.tiles, l.grpPath, l.folder.path(), l.fs, l.events);
    EXPECT_TRUE(l.events.status.empty());
    EXPECT_TRUE(l.events.bootLog.empty());
}

TEST(TileStore, NothingToLoad) {
    Loader l;
    l.load();
    EXPECT_EQ(l.tiles->artLoaded, 1);
    EXPECT_TRUE(l.events.bootLog.empty());
    EXPECT_TRUE(l.tiles->artPixels.empty());
    EXPECT_EQ(tilePixels(*l.tiles, 0).size(), 0u);
}

std::string withCount(std::string archive, int32_t count) {
    test::putLong(archive, 12, count);
    return archive;
}

TEST(TileStore, HostileFilesSpoilOnlyTheirOwnTiles) {
    // Every case keeps a sound tiles000.art beside the program, which must load as usual.
    const std::string good = makeArtFile(0, {{2, 3}});
    const std::string art3 = makeArtFile(3, {{4, 4}, {5, 5}});
    // The second entry's length (entry i's length is at 28 + 16 i).
    std::string lengthPastEnd = makeGroupFile({{"TILES003.ART", art3}, {"TILES004.ART", art3}});
    test::putLong(lengthPastEnd, 28 + 16, 1 << 30);
    std::string negativeLength = lengthPastEnd;
    test::putLong(negativeLength, 28 + 16, -5);
    std::string otherVersion = art3;
    test::putLong(otherVersion, 0, 2);
    const std::string negativeWidth = makeArtFile(3, {{-4, 4}, {5, 5}});
    const std::string negativeBoth = makeArtFile(3, {{-32768, -32768, 0, "x"}, {5, 5}});
    std::string hugeTiles =
        makeArtFile(3, {{32767, 32767, 0, "x"}, {32767, 32767, 0, "y"}, {32767, 32767, 0, "z"}});
    std::string cutShort = art3.substr(0, art3.size() - 1);
    std::string rangeBackwards = art3;
    test::putLong(rangeBackwards, 12, 700);
    std::string negativeFirst = art3;
    test::putLong(negativeFirst, 8, -1);
    test::putLong(negativeFirst, 12, 254);
    std::string tablesPastTheEnd = art3;
    test::putLong(tablesPastTheEnd, 12, 768 + 100000);
    std::string notAnArchive = makeGroupFile({{"TILES003.ART", art3}});
    notAnArchive.replace(0, 12, "NotAnArchive");

    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;  // beside the program
        std::vector<std::pair<int, int>> tiles768;               // sizes of tiles 768, 769, ...
        std::vector<std::pair<int, int>> tiles1024;
        const char* damaged;  // the name the log reports, or nullptr
        int32_t message = 1350;
    } cases[] = {
        {"archive count -1",
         {{"DUKE3D.GRP", withCount(makeGroupFile({{"TILES003.ART", art3}}), -1)}},
         {{0, 0}},
         {},
         "DUKE3D.GRP"},
        {"archive count 1,000,000,000",
         {{"DUKE3D.GRP", withCount(makeGroupFile({{"TILES003.ART", art3}}), 1000000000)}},
         {{0, 0}},
         {},
         "DUKE3D.GRP"},
        {"entry length past the end",
         {{"DUKE3D.GRP", lengthPastEnd}},
         {{4, 4}, {5, 5}},
         {{0, 0}},
         "DUKE3D.GRP"},
        {"negative entry length",
         {{"DUKE3D.GRP", negativeLength}},
         {{4, 4}, {5, 5}},
         {{0, 0}},
         "DUKE3D.GRP"},
        {"archive shorter than its header", {{"DUKE3D.GRP", "GRP"}}, {{0, 0}}, {}, "DUKE3D.GRP"},
        {"negative width", {{"tiles003.art", negativeWidth}}, {{0, 0}, {5, 5}}, {}, "tiles003.art"},
        {"negative width and height",
         {{"tiles003.art", negativeBoth}},
         {{0, 0}, {5, 5}},
         {},
         "tiles003.art"},
        {"width x height past the file and past 32 bits",
         {{"tiles003.art", hugeTiles}},
         {{0, 0}, {0, 0}, {0, 0}},
         {},
         "tiles003.art"},
        {"pixels cut short", {{"tiles003.art", cutShort}}, {{4, 4}, {0, 0}}, {}, "tiles003.art"},
        {"ART file of 100 bytes",
         {{"tiles003.art", art3.substr(0, 100)}},
         {{0, 0}},
         {},
         "tiles003.art"},
        {"empty ART file", {{"tiles003.art", ""}}, {{0, 0}}, {}, "tiles003.art"},
        {"other version: read, no tiles",
         {{"tiles003.art", otherVersion}},
         {{0, 0}},
         {},
         "tiles003.art"},
        {"last tile before the first",
         {{"tiles003.art", rangeBackwards}},
         {{0, 0}},
         {},
         "tiles003.art"},
        {"negative first tile", {{"tiles003.art", negativeFirst}}, {{0, 0}}, {}, "tiles003.art"},
        {"tables past the end of the file",
         {{"tiles003.art", tablesPastTheEnd}},
         {{0, 0}},
         {},
         "tiles003.art"},
        {"300 tiles: the 256 of its number are read",
         {{"tiles003.art", makeArtFile(3, {{4, 4}, {5, 5}}, 300)}},
         {{4, 4}, {5, 5}},
         {{0, 0}},
         "tiles003.art"},
        {"archive without its signature",
         {{"DUKE3D.GRP", notAnArchive}},
         {{0, 0}},
         {},
         "DUKE3D.GRP",
         1334},
        {"tiles999.art is no tile file", {{"tiles999.art", art3}}, {{0, 0}}, {}, nullptr},
        {"tiles-01.art is no tile file", {{"tiles-01.art", art3}}, {{0, 0}}, {}, nullptr},
    };
    for (const auto& c : cases) {
        Loader l;
        l.folder.write("tiles000.art", good);
        for (const auto& [name, bytes] : c.files) l.folder.write(name, bytes);
        l.load();
        EXPECT_EQ(l.size(0), std::make_pair(2, 3)) << c.what;
        for (size_t i = 0; i < c.tiles768.size(); ++i)
            EXPECT_EQ(l.size(768 + int32_t(i)), c.tiles768[i]) << c.what << " tile " << 768 + i;
        for (size_t i = 0; i < c.tiles1024.size(); ++i)
            EXPECT_EQ(l.size(1024 + int32_t(i)), c.tiles1024[i]) << c.what;
        if (c.damaged)
            EXPECT_TRUE(l.logged(c.message, c.damaged)) << c.what;
        else
            EXPECT_FALSE(l.logged(1350, c.files[0].first)) << c.what;
        expectTilesInsideBuffer(*l.tiles);
    }
}

TEST(TileStore, FolderNamedLikeATileFile) {
    Loader l;
    l.folder.write("tiles000.art", makeArtFile(0, {{2, 3}}));
    l.folder.makeFolder("tiles002.art");
    l.folder.write("DUKE3D.GRP", makeGroupFile({{"TILES002.ART", makeArtFile(2, {{8, 8}})}}));
    l.load();
    // The folder takes number 2 as a loose file would, and reads as nothing.
    EXPECT_EQ(l.size(512), std::make_pair(0, 0));
    EXPECT_EQ(l.tiles->artFileOffsets[2], -1);
    EXPECT_TRUE(l.logged(1350, "tiles002.art"));
    EXPECT_EQ(l.size(0), std::make_pair(2, 3));
    expectTilesInsideBuffer(*l.tiles);
}

TEST(TileStore, RebuiltBufferKeepsNoOldTiles) {
    Loader l;
    l.folder.write("tiles000.art", makeArtFile(0, {{40, 40}}));
    l.folder.write("tiles001.art", makeArtFile(1, {{50, 50}, {30, 30}}));
    l.load();
    ASSERT_EQ(l.size(257), std::make_pair(30, 30));
    ASSERT_EQ(l.grpPath, l.folder.file("DUKE3D.GRP"));

    // The second load reads the archive only: a smaller buffer, and file 1 is gone.
    l.folder.write("DUKE3D.GRP", makeGroupFile({{"TILES000.ART", makeArtFile(0, {{2, 2}})}}));
    l.load();
    EXPECT_EQ(l.size(0), std::make_pair(2, 2));
    EXPECT_EQ(l.size(256), std::make_pair(0, 0));
    EXPECT_EQ(l.size(257), std::make_pair(0, 0));
    EXPECT_EQ(l.tiles->artFileOffsets[1], -1);
    expectTilesInsideBuffer(*l.tiles);

    // A third load finds nothing at all: what was loaded stays.
    std::filesystem::remove(l.folder.file("DUKE3D.GRP"));
    const std::vector<uint8_t> pixels = l.tiles->artPixels;
    const std::vector<int32_t> offsets = l.tiles->tileOffsets;
    l.events.clear();
    l.load();
    EXPECT_TRUE(l.events.bootLog.empty());
    EXPECT_EQ(l.size(0), std::make_pair(2, 2));
    EXPECT_EQ(l.tiles->artPixels, pixels);
    EXPECT_EQ(l.tiles->tileOffsets, offsets);
}

}  // namespace
}  // namespace korvel
