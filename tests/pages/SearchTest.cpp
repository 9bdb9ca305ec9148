#include "pages/Search.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "base/Random.h"
#include "commands/PageCommands.h"
#include "map/Selection.h"
#include "map/UndoSnapshot.h"
#include "support/EditCommandRig.h"
#include "support/GridMaps.h"
#include "support/MapInvariants.h"

namespace korvel {
namespace {

using test::EditCommandRig;

struct SearchRig : EditCommandRig {
    SearchRig() {
        ed->app.currentPage = Page::Search;
        resetTemplate();
    }
    SearchState& s() { return ed->pages.search; }
    void resetTemplate() {
        s().propertyState.fill(1);
        s().propertyKeep.fill(1);
        s().searchIndexRange = 0;
        s().searchFraction = 65536;
    }
    void require(int32_t row, int32_t value) {
        s().propertyValues[size_t(row)] = value;
        s().propertyState[size_t(row)] = 0;
    }
    // A row of n sectors side by side.
    void rowOfRooms(int32_t n) {
        test::buildSplitRoomGrid(map, n, 1, 0);
        updateWallSectnums(map);
    }
    std::vector<int32_t> selectedSectors() const {
        std::vector<int32_t> out;
        for (int32_t i = 0; i < map.sectorCount; ++i)
            if (map.sectorSelected[size_t(i)]) out.push_back(i);
        return out;
    }
};

TEST(Search, TemplateConvertsToTheFieldWidth) {
    struct Case {
        uint8_t kind;
        int32_t row;
        int32_t value;
        int32_t expectCount;
    };
    // Sprites: shade -1 in sprite 0, picnum -1 in sprite 1, lotag 40000 in sprite 2.
    const Case cases[] = {
        {2, 5, -1, 1},    {2, 5, 255, 1},     {2, 4, 65535, 1},  {2, 4, -1, 1},
        {2, 20, 40000, 1}, {2, 20, -25536, 1}, {2, 20, 7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row * 1000000 + c.value);
        SearchRig r;
        r.twoRooms();
        test::MapBuilder b(r.map);
        for (int32_t i = 0; i < 3; ++i) b.addSprite(32 + 16 * i, 32, 0, 0, 5);
        r.map.sprites[0].shade = -1;
        r.map.sprites[1].picnum = -1;
        r.map.sprites[2].lotag = int16_t(40000);
        r.s().searchObjectKind = c.kind;
        r.require(c.row, c.value);
        selectByTemplate(*r.ed);
        EXPECT_EQ(r.map.selectedSpriteCount, c.expectCount);
    }
}

TEST(Search, OneDrawPerVisibleObjectWhateverTheTemplate) {
    struct Case {
        int32_t fraction;
        bool templateOn;
        int32_t selected;
    };
    const Case cases[] = {{65536, false, 3}, {1 << 20, false, 3}, {0, false, 0}, {-5, true, 0},
                          {65536, true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fraction);
        SearchRig r;
        r.rowOfRooms(4);
        r.map.sectorIgnored[2] = 2;  // hidden: never examined
        r.map.sectors[1].lotag = 9;
        r.s().searchObjectKind = 0;
        r.s().searchFraction = c.fraction;
        if (c.templateOn) r.require(20, 9);
        Random expect = r.ed->random;
        for (int32_t i = 0; i < 3; ++i) randomSingle(expect);
        selectByTemplate(*r.ed);
        EXPECT_EQ(r.map.selectedSectorCount, c.selected);
        EXPECT_EQ(randomSingle(r.ed->random), randomSingle(expect));
        EXPECT_EQ(r.map.sectorSelected[2], 0);
    }
}

TEST(Search, IndexRangeAndWallRowsPastTheKind) {
    SearchRig r;
    r.rowOfRooms(4);
    r.s().searchObjectKind = 0;
    r.s().searchIndexRange = 1;
    r.s().searchIndexMin = 1;
    r.s().searchIndexMax = 2;
    selectByTemplate(*r.ed);
    EXPECT_EQ(r.selectedSectors(), (std::vector<int32_t>{1, 2}));
    r.s().searchIndexMin = 3;
    r.s().searchIndexMax = 1;
    selectByTemplate(*r.ed);
    EXPECT_TRUE(r.selectedSectors().empty());

    // Walls: rows 17 to 22 have no field and never affect the match.
    r.s().searchIndexRange = 0;
    r.s().searchObjectKind = 1;
    for (int32_t row = 17; row < 23; ++row) r.require(row, 12345);
    selectByTemplate(*r.ed);
    EXPECT_EQ(r.map.selectedWallCount, r.map.wallCount);
}

TEST(Search, CombineOperations) {
    struct Case {
        TemplateSelectOp op;
        std::vector<int32_t> expect;
    };
    // Sectors 0 and 1 selected, sector 3 selected but hidden; sectors 1 and 2 match.
    const Case cases[] = {
        {TemplateSelectOp::Add, {0, 1, 2, 3}},
        {TemplateSelectOp::Keep, {1, 3}},
        {TemplateSelectOp::Remove, {0, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.op));
        SearchRig r;
        r.rowOfRooms(4);
        test::MapBuilder(r.map).addSprite(100, 100, 0, 0);
        r.selectSprite(0);
        for (int32_t s : {0, 1, 3}) r.selectSector(s);
        r.map.sectorIgnored[3] = 1;
        r.map.sectors[1].hitag = 4;
        r.map.sectors[2].hitag = 4;
        r.s().searchObjectKind = 0;
        r.require(21, 4);
        combineSelectionByTemplate(*r.ed, c.op);
        EXPECT_EQ(r.selectedSectors(), c.expect);
        EXPECT_EQ(r.map.selectedSectorCount, int32_t(c.expect.size()));
        EXPECT_EQ(r.map.selectedSpriteCount, 0);
        EXPECT_EQ(r.map.spriteSelected[0], 0);
    }
}

TEST(Search, StatusMessageForms) {
    struct Case {
        int32_t matches;
        int32_t plural;
        int32_t message;
    };
    const Case cases[] = {{1, 0, 728}, {2, 0, 729}, {0, 0, 729}, {1, 1, 728},
                          {3, 1, 729}, {5, 1, 730}, {11, 1, 730}, {0, 1, 730}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.matches * 10 + c.plural);
        SearchRig r;
        r.rowOfRooms(12);
        for (int32_t i = 0; i < c.matches; ++i) r.map.sectors[size_t(i)].extra = 77;
        r.ed->langs.languages[r.ed->langs.currentLanguage].pluralRule = c.plural;
        r.s().searchObjectKind = 0;
        r.require(22, 77);
        selectByTemplate(*r.ed);
        EXPECT_EQ(r.ed->app.statusText, r.msg(c.message, {std::to_string(c.matches)}));
    }
}

// The reference: the recursion as written, on a copy of the editor's random state.
void referenceGrow(MapStore& map, Random& rnd, int32_t s, int32_t lotag,
                   std::vector<int32_t>& order) {
    const SectorRecord sec = map.sectors[size_t(s)];
    for (int32_t w = sec.wallptr; w < sec.wallptr + sec.wallnum; ++w) {
        const int32_t n = map.walls[size_t(w)].nextsector;
        if (n < 0 || map.sectorIgnored[size_t(n)] || map.sectorSelected[size_t(n)]) continue;
        const bool match = map.sectors[size_t(n)].lotag == lotag;
        const float draw = randomSingle(rnd);
        if (!match || int64_t(draw * 65536.0) >= 40000) continue;
        map.sectorSelected[size_t(n)] = 1;
        order.push_back(n);
        referenceGrow(map, rnd, n, lotag, order);
    }
}

TEST(Search, GrowFollowsTheRecursionOrder) {
    SearchRig r;
    test::buildSplitRoomGrid(r.map, 6, 6, 0);
    updateWallSectnums(r.map);
    for (int32_t i = 0; i < r.map.sectorCount; ++i) r.map.sectors[size_t(i)].lotag = i % 7 ? 1 : 0;
    r.map.sectorIgnored[8] = 1;
    r.selectSector(14);
    r.s().searchObjectKind = 0;
    r.s().searchFraction = 40000;
    r.require(20, 1);
    auto ref = std::make_unique<MapStore>(r.map);
    Random rnd = r.ed->random;
    std::vector<int32_t> order;
    referenceGrow(*ref, rnd, 14, 1, order);
    ASSERT_GT(order.size(), 3u);

    growSelectionByTemplate(*r.ed);
    for (int32_t i = 0; i < r.map.sectorCount; ++i)
        EXPECT_EQ(r.map.sectorSelected[size_t(i)], ref->sectorSelected[size_t(i)]) << i;
    EXPECT_EQ(r.map.selectedSectorCount, int32_t(order.size()) + 1);
    EXPECT_EQ(randomSingle(r.ed->random), randomSingle(rnd));
}

TEST(Search, GrowRefusalsAndALongChain) {
    SearchRig r;
    r.rowOfRooms(3);
    r.s().searchObjectKind = 0;
    growSelectionByTemplate(*r.ed);  // nothing selected
    EXPECT_EQ(r.ed->app.statusText, r.msg(1204));
    EXPECT_EQ(r.cues(), std::vector<std::string>{"beep1"});
    r.selectSector(0);
    r.s().searchObjectKind = 1;
    growSelectionByTemplate(*r.ed);
    EXPECT_EQ(r.map.selectedSectorCount, 1);

    // A bad nextsector is not followed.
    r.s().searchObjectKind = 0;
    for (int32_t w = 0; w < r.map.wallCount; ++w)
        if (r.map.walls[size_t(w)].nextsector >= 0) r.map.walls[size_t(w)].nextsector = 30000;
    growSelectionByTemplate(*r.ed);
    EXPECT_EQ(r.map.selectedSectorCount, 1);

    SearchRig big;
    big.rowOfRooms(kMaxSectors);
    big.selectSector(0);
    big.s().searchObjectKind = 0;
    growSelectionByTemplate(*big.ed);
    EXPECT_EQ(big.map.selectedSectorCount, kMaxSectors);
}

TEST(Search, ButtonsSelectApplyAndUndo) {
    SearchRig r;
    r.rowOfRooms(3);
    r.selectSector(0);
    r.map.sectors[1].lotag = 5;
    r.s().searchObjectKind = 0;
    r.require(20, 5);
    r.s().propertyDeltas[7] = 300;  // ceilingpal, written as a byte
    r.s().propertyKeep[7] = 0;
    const auto before = std::make_unique<MapStore>(r.map);
    searchPageButton(*r.ed, 12006);
    EXPECT_EQ(r.map.sectors[1].ceilingpal, 44);
    EXPECT_EQ(r.map.sectors[0].ceilingpal, 0);
    EXPECT_EQ(r.selectedSectors(), std::vector<int32_t>{1});
    EXPECT_EQ(r.map.undoState, UndoState::Snapshot);
    restoreUndo(r.map, r.ed->undo, r.ed->clipboard, r.ed->tool.selectionMode, r.ed->events);
    EXPECT_EQ(test::recordDifference(*before, r.map), "");
    EXPECT_EQ(r.selectedSectors(), std::vector<int32_t>{0});

    searchPageButton(*r.ed, 12008);
    EXPECT_EQ(r.s().propertyState[20], 1);
    EXPECT_EQ(r.s().searchFraction, 65536);
}

TEST(Search, OpeningFromTheRecordEditorPresetsTheKindAndTemplate) {
    struct Case {
        RecordEditorSubject subject;
        uint8_t kind;
    };
    const Case cases[] = {{RecordEditorSubject::Sprite, 2},
                          {RecordEditorSubject::SelectedSectors, 0},
                          {RecordEditorSubject::Wall, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.subject));
        SearchRig r;
        RecordEditorState& re = r.ed->pages.recordEditor;
        re.recordEditorSubject = uint8_t(c.subject);
        re.propertyValues[3] = 42;
        re.propertyState.fill(1);
        re.propertyState[3] = 0;
        r.s().searchFromProperties = 1;
        r.ed->app.currentPage = Page::RecordEditor;
        openSearchPage(*r.ed);
        EXPECT_EQ(r.s().searchObjectKind, c.kind);
        EXPECT_EQ(r.s().propertyState[3], 0);
        EXPECT_EQ(r.s().propertyValues[3], 42);
        EXPECT_EQ(r.s().propertyState[4], 1);
        EXPECT_EQ(r.ed->app.currentPage, Page::Search);
    }
}

}  // namespace
}  // namespace korvel
