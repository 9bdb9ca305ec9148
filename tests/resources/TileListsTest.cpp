#include "resources/TileLists.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/RecordingMapEvents.h"

namespace korvel {
namespace {

std::vector<int32_t> listed(const TileCatalog& c) {
    std::vector<int32_t> out;
    for (size_t i = 0; i < c.tileList.size() && c.tileList[i] != -1; ++i)
        out.push_back(c.tileList[i]);
    return out;
}

// A tile store whose tiles are laid out one after another from the given pixel columns.
struct TileBuilder {
    std::unique_ptr<TileStore> tiles = std::make_unique<TileStore>();
    TileBuilder() { tiles->artPixels.assign(65536, 0); }
    void add(int32_t t, int16_t w, int16_t h, std::vector<uint8_t> pixels = {}) {
        pixels.resize(size_t(w * h), 1);
        tiles->tileWidths[size_t(t)] = w;
        tiles->tileHeights[size_t(t)] = h;
        tiles->tileOffsets[size_t(t)] = int32_t(tiles->artPixels.size()) - 1;
        tiles->artPixels.insert(tiles->artPixels.end(), pixels.begin(), pixels.end());
    }
};

TEST(TileLists, UsedTilesMostUsedFirst) {
    auto c = std::make_unique<TileCatalog>();
    const struct {
        const char* what;
        std::vector<int16_t> picnums;
        std::vector<int32_t> list;
        std::vector<int32_t> counts;
    } cases[] = {
        {"3, 7, 7", {3, 7, 7}, {7, 3}, {2, 1}},
        {"ties keep the order of first use", {9, 4, 9, 6, 4}, {9, 4, 6}, {2, 2, 1}},
        {"numbers outside the tiles skipped", {-1, 15360, 32767, 5, -32768}, {5}, {1}},
        {"nothing", {}, {}, {}},
    };
    for (const auto& t : cases) {
        listUsedWallTiles(*c, t.picnums);
        EXPECT_EQ(listed(*c), t.list) << t.what;
        for (size_t i = 0; i < t.counts.size(); ++i)
            EXPECT_EQ(c->tileUseCounts[i], t.counts[i]) << t.what;
    }
}

TEST(TileLists, UseCountsBeyond16Bits) {
    auto c = std::make_unique<TileCatalog>();
    std::vector<int16_t> walls(40000, 12);
    walls.push_back(13);
    listUsedWallTiles(*c, walls);
    EXPECT_EQ(listed(*c), (std::vector<int32_t>{12, 13}));
    EXPECT_EQ(c->tileUseCounts[0], 40000);
}

TEST(TileLists, WhichListSetsTheKind) {
    auto c = std::make_unique<TileCatalog>();
    const std::vector<int16_t> picnums = {1};
    c->usedTileListKind = 7;
    listUsedSpriteTiles(*c, picnums);
    listUsedMaskedWallTiles(*c, picnums);
    listUsedWallTiles(*c, picnums);
    EXPECT_EQ(c->usedTileListKind, 7);
    listUsedCeilingTiles(*c, picnums);
    EXPECT_EQ(c->usedTileListKind, 1);
    listUsedFloorTiles(*c, picnums);
    EXPECT_EQ(c->usedTileListKind, 0);
}

TEST(TileLists, EveryTilePassesTheFilter) {
    auto c = std::make_unique<TileCatalog>();
    TileBuilder b;
    for (int32_t t = 0; t < kTileCount; ++t) b.add(t, 1, 1);
    test::RecordingMapEvents events;
    EXPECT_EQ(filterTileList(*c, *b.tiles, {}, 0, events), kTileCount);
    EXPECT_EQ(c->tileList[kTileCount - 1], kTileCount - 1);
    EXPECT_EQ(c->tileList[kTileCount], -1);
    EXPECT_EQ(events.progressTotal, 15359);
    EXPECT_EQ(events.progressSteps, 15360);
    EXPECT_FALSE(events.progressOpen) << "the bar is put away at the end";
    EXPECT_EQ(events.statusNumbers(), std::vector<int32_t>{609});
    EXPECT_EQ(events.status[0].args, std::vector<std::string>{"15360"});
}

TEST(TileLists, FilterSettings) {
    auto c = std::make_unique<TileCatalog>();
    TileBuilder b;
    b.add(0, 2, 1, {5, 5});              // colour class 1
    b.add(1, 2, 2, {40, 40, 250, 255});  // class 2 (240..255 count in none), one transparent
    b.add(2, 1, 2, {245, 250});          // only colours 240..254: no class at all
    b.add(3, 1, 1, {255});               // all transparent
    b.add(4, 2, 1, {130, 210});          // both in class 5
    b.add(5, 2, 2, {5, 40, 40, 5});      // classes 1 and 2 tie
    b.add(6, 0, 5);                      // no picture
    c->tileNames.set(0, "DOORKEY");
    c->tileNames.set(1, "doorframe");
    c->tileNames.set(4, "KEY");
    c->tileNames.set(6, "KEY");

    auto filter = [](auto change) {
        TileFilter f;
        change(f);
        return f;
    };
    const struct {
        const char* what;
        TileFilter filter;
        std::vector<int32_t> list;
    } cases[] = {
        {"no filter", filter([](TileFilter&) {}), {0, 1, 2, 3, 4, 5}},
        {"width 2", filter([](TileFilter& f) { f.tileWidthFilter = 2; }), {0, 1, 4, 5}},
        {"height 2", filter([](TileFilter& f) { f.tileHeightFilter = 2; }), {1, 2, 5}},
        {"name equal, any case", filter([](TileFilter& f) { f.tileNameFilter = "doorKEY"; }), {0}},
        {"name equal", filter([](TileFilter& f) { f.tileNameFilter = "key"; }), {4}},
        {"name contains",
         filter([](TileFilter& f) {
             f.tileNameFilter = "Door";
             f.tileNameSubstring = true;
         }),
         {0, 1}},
        {"class 1", filter([](TileFilter& f) { f.tileFilterColor = 1; }), {0, 5}},
        {"class 2", filter([](TileFilter& f) { f.tileFilterColor = 2; }), {1, 5}},
        {"class 5", filter([](TileFilter& f) { f.tileFilterColor = 5; }), {4}},
        {"class 9", filter([](TileFilter& f) { f.tileFilterColor = 9; }), {}},
        {"no class 10", filter([](TileFilter& f) { f.tileFilterColor = 10; }), {}},
        {"opaque only", filter([](TileFilter& f) { f.tileFilterTransparency = 1; }), {0, 2, 4, 5}},
        {"with transparency", filter([](TileFilter& f) { f.tileFilterTransparency = 2; }), {1, 3}},
        {"class 2 with transparency",
         filter([](TileFilter& f) {
             f.tileFilterColor = 2;
             f.tileFilterTransparency = 2;
         }),
         {1}},
    };
    for (const auto& t : cases) {
        test::RecordingMapEvents events;
        filterTileList(*c, *b.tiles, t.filter, 0, events);
        EXPECT_EQ(listed(*c), t.list) << t.what;
    }
}

TEST(TileLists, CountMessages) {
    const struct {
        int32_t n, pluralRule, message;
    } cases[] = {
        {0, 1, 611},   {1, 1, 609}, {12, 1, 608}, {22, 1, 610}, {25, 1, 608}, {111, 1, 608},
        {121, 1, 609}, {1, 0, 608}, {2, 0, 609},  {0, 0, 611},  {21, 2, 609},
    };
    for (const auto& t : cases) {
        auto c = std::make_unique<TileCatalog>();
        TileBuilder b;
        for (int32_t i = 0; i < t.n; ++i) b.add(i, 1, 1);
        test::RecordingMapEvents events;
        filterTileList(*c, *b.tiles, {}, t.pluralRule, events);
        ASSERT_EQ(events.status.size(), 1u);
        EXPECT_EQ(events.status[0].number, t.message) << t.n << " rule " << t.pluralRule;
        if (t.n > 0) {
            EXPECT_EQ(events.status[0].args, std::vector<std::string>{std::to_string(t.n)});
        }
    }
}

TEST(TileLists, SoundUsage) {
    auto c = std::make_unique<TileCatalog>();
    c->soundUsage[50] = 9;
    const std::vector<SpriteSoundTags> sprites = {
        {5, 3, 3},                  // lotag and hitag equal: counted twice
        {5, 3, 999},    {6, 3, 3},  // not a sound sprite
        {5, -1, 1000},              // outside the sounds
        {5, 0, -32768},
    };
    countSoundUsage(*c, sprites);
    EXPECT_EQ(c->soundUsage[3], 3);
    EXPECT_EQ(c->soundUsage[999], 1);
    EXPECT_EQ(c->soundUsage[0], 1);
    EXPECT_EQ(c->soundUsage[50], 0);
}

}  // namespace
}  // namespace korvel
