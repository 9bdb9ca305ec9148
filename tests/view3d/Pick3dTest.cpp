// The live 3D view's pick: hover and lock from a hand-filled pick buffer, the three target
// queries, and the overlay drawn over the picture (probed pixel by pixel).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/EditorCanvas.h"
#include "support/ChromeRig.h"
#include "support/MapBuilder.h"
#include "view3d/HitQueries3d.h"
#include "view3d/HoverInfo3d.h"
#include "view3d/Scene3d.h"

namespace korvel::test {
namespace {

constexpr int32_t kWall3 = (1 << 16) | 3, kPart5 = (3 << 16) | 5, kFloor1 = 1, kCeiling0 = 2 << 16;
constexpr int32_t kSprite0 = 4 << 16, kSprite1 = (4 << 16) | 1;

// Two rooms (2 sectors, 8 walls) and two sprites.
void twoRoomsTwoSprites(MapStore& map) {
    MapBuilder b(map);
    b.addRoom(0, 0, 1024, 1024);
    b.addRoom(1024, 0, 2048, 1024);
    b.link();
    b.addSprite(512, 512, 0, 0);
    b.addSprite(1500, 512, 0, 1);
}

void fillCells(Scene3d& sc, int32_t c0, int32_t r0, int32_t c1, int32_t r1, int32_t code) {
    for (int32_t r = r0; r <= r1; ++r)
        for (int32_t c = c0; c <= c1; ++c) sc.pickObjectBuffer3d[size_t(r) * kCellColumns3d + size_t(c)] = code;
}

struct PickRig {
    std::unique_ptr<MapStore> mapPtr = std::make_unique<MapStore>();
    MapStore& map = *mapPtr;
    std::unique_ptr<Scene3d> scene = std::make_unique<Scene3d>();
    InputState in;
    Pick3d pick;
    PickRig() {
        twoRoomsTwoSprites(map);
        std::fill(scene->pickObjectBuffer3d.begin(), scene->pickObjectBuffer3d.end(), -1);
        fillCells(*scene, 10, 10, 19, 19, kWall3);
        fillCells(*scene, 30, 10, 39, 19, kSprite1);
        fillCells(*scene, 50, 10, 59, 19, (1 << 16) | 40);  // a wall that no longer exists
    }
    // The pointer on a cell, the left button now and in the frame before.
    void frame(int32_t x, int32_t y, bool left, bool leftBefore) {
        in.mouseX = x;
        in.mouseY = y;
        in.keyStates[1] = left ? -32768 : 0;
        in.keyStates[257] = leftBefore ? -32768 : 0;
        updatePick3d(pick, *scene, map, in);
    }
};

int32_t cellX(int32_t col) { return 2 * col + 1; }
int32_t cellY(int32_t row) { return 134 + row; }

TEST(Pick3d, HoverAndLockFollowThePointerAndTheLeftButton) {
    struct Step {
        const char* what;
        int32_t x, y;
        bool left, before;
        int32_t hover, picked;
    };
    const Step steps[] = {
        {"sky", cellX(100), cellY(100), false, false, -1, -1},
        {"over the wall", cellX(12), cellY(15), false, false, kWall3, -1},
        {"press on the wall locks it", cellX(12), cellY(15), true, false, kWall3, kWall3},
        {"moved to the sprite, held", cellX(33), cellY(12), true, true, kSprite1, kWall3},
        {"moved to the sky, held", cellX(100), cellY(100), true, true, -1, kWall3},
        {"released drops the lock", cellX(100), cellY(100), false, true, -1, -1},
        {"press over the sky locks nothing", cellX(100), cellY(100), true, false, -1, -1},
        {"held onto the sprite: still no lock", cellX(33), cellY(12), true, true, kSprite1, -1},
        {"a vanished wall is no object", cellX(55), cellY(15), false, false, -1, -1},
        {"below the picture", cellX(12), 133, false, false, -1, -1},
        {"press below the picture", cellX(12), 133, true, false, -1, -1},
        {"above the picture", cellX(12), 584, false, false, -1, -1},
        {"right of the picture", 800, cellY(15), false, false, -1, -1},
        {"the right pixel of a cell", 2 * 19 + 1, cellY(19), false, false, kWall3, -1},
    };
    PickRig rig;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        rig.frame(s.x, s.y, s.left, s.before);
        EXPECT_EQ(rig.pick.hover3dObject, s.hover);
        EXPECT_EQ(rig.pick.picked3dObject, s.picked);
    }
}

TEST(Pick3d, QueriesByLockHoverAndWholeSelection) {
    constexpr int32_t N = kHitNone3d, A = kAllSelected3d;
    struct Case {
        const char* what;
        int32_t P, H;
        bool any;
        int32_t selWalls, selSectors, selSprites;
        int32_t wall, wallKind, sector, sectorKind, sprite;
    };
    const Case cases[] = {
        {"nothing", -1, -1, false, 0, 0, 0, N, 0, N, 0, N},
        {"hovered wall", -1, kWall3, false, 0, 0, 0, 3, 1, N, 1, N},
        {"hovered wall part", -1, kPart5, false, 0, 0, 0, 5, 3, N, 3, N},
        {"hovered floor", -1, kFloor1, false, 0, 0, 0, N, 0, 1, 0, N},
        {"hovered ceiling", -1, kCeiling0, false, 0, 0, 0, N, 2, 0, 2, N},
        {"hovered sprite", -1, kSprite1, false, 0, 0, 0, N, 4, N, 4, 1},
        {"lock wins over hover", kSprite0, kWall3, false, 0, 0, 0, N, 4, N, 4, 0},
        {"whole selection, walls and sprites", -1, kFloor1, true, 2, 0, 1, A, 0, N, 0, A},
        {"whole selection, nothing hovered", -1, -1, true, 0, 1, 0, N, 0, A, 0, N},
        {"whole selection, hovered ceiling", -1, kCeiling0, true, 0, 1, 0, N, 2, A, 2, N},
        {"lock wins over the whole selection", kWall3, kFloor1, true, 2, 1, 1, 3, 1, N, 1, N},
        {"stale lock is no object", (1 << 16) | 40, kWall3, false, 0, 0, 0, N, 1, N, 1, N},
        {"stale hover is no object", -1, (4 << 16) | 2, false, 0, 0, 0, N, 0, N, 0, N},
    };
    PickRig rig;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rig.map.selectedWallCount = c.selWalls;
        rig.map.selectedSectorCount = c.selSectors;
        rig.map.selectedSpriteCount = c.selSprites;
        const Pick3d pick{c.H, c.P};
        const Hit3d w = hitWall3d(pick, c.any, rig.map);
        const Hit3d s = hitSector3d(pick, c.any, rig.map);
        const Hit3d k = hitSprite3d(pick, c.any, rig.map);
        EXPECT_EQ(w.index, c.wall);
        EXPECT_EQ(w.kind, c.wallKind);
        EXPECT_EQ(s.index, c.sector);
        EXPECT_EQ(s.kind, c.sectorKind);
        EXPECT_EQ(k.index, c.sprite);
    }
}

// --- The overlay ---

struct OverlayRig : ChromeRig {
    Scene3d& sc;
    std::unique_ptr<MapStore> base;
    OverlayRig() : sc(*(ed->pages.view3d.scene = std::make_shared<Scene3d>())) {
        ed->app.currentPage = Page::View3D;
        twoRoomsTwoSprites(ed->map);
        base = std::make_unique<MapStore>(ed->map);
    }
    void reset() {
        ed->map = *base;
        ed->input = {};
        ed->pages.view3d.pick3d = {};
        ed->app.helpPopupStep = -1;
        ed->tileCatalog.tileNames.clear();
        std::fill(sc.pickObjectBuffer3d.begin(), sc.pickObjectBuffer3d.end(), -1);
        std::fill(sc.pickBuffer3d.begin(), sc.pickBuffer3d.end(), -1);
        std::fill(sc.selected3d.begin(), sc.selected3d.end(), uint8_t(0));
        sc.any3dSelected = 0;
        sc.renderTriangleCount = 0;
        // A background whose every pixel differs from its neighbours' blends.
        for (int32_t y = 0; y < kScreenHeight; ++y)
            for (int32_t x = 0; x < kScreenWidth; ++x) screenAt(x, y) = uint8_t(x * 7 + y * 3);
    }
    uint8_t& screenAt(int32_t x, int32_t y) {
        return ed->frameBuffer.screen[size_t(y) * size_t(ed->frameBuffer.screenRowLength) + size_t(x)];
    }
    uint8_t original(int32_t x, int32_t y) const { return uint8_t(x * 7 + y * 3); }
    uint8_t blended(int32_t colour, int32_t x, int32_t y) const {
        return ed->colorTables.blendTable[size_t(colour) * 256 + original(x, y)];
    }
    void draw(int32_t frameTime) {
        ed->input.frameTime = frameTime;
        draw3DHoverInfo(*ed, 0);
    }
    // Both pixels of a cell show colour c blended over the background (0: untouched).
    bool cellIs(int32_t col, int32_t row, int32_t colour) {
        for (int32_t x = 2 * col; x <= 2 * col + 1; ++x) {
            const uint8_t want = colour == 0 ? original(x, 134 + row) : blended(colour, x, 134 + row);
            if (screenAt(x, 134 + row) != want) return false;
        }
        return true;
    }
};

// One started editor for every overlay test (starting one is slow), put back each time.
OverlayRig& overlayRig() {
    static OverlayRig* rig = new OverlayRig;
    rig->reset();
    return *rig;
}

TEST(HoverOverlay3d, TintOutlineBlinkAndBorderCells) {
    struct Cell {
        int32_t col, row, colour;
    };
    struct Case {
        const char* what;
        int32_t P, H;
        bool selected;
        int32_t frameTime;
        std::vector<Cell> cells;
    };
    // The wall fills cells 10..19 x 10..19; the floor the corner block 0..4 x 0..4; the sprite
    // the top right corner block 395..399 x 445..449.
    const Case cases[] = {
        {"hovered: border outlined, inside untouched", -1, kWall3, false, 0,
         {{10, 10, 8}, {15, 10, 8}, {19, 15, 8}, {15, 19, 8}, {15, 15, 0}, {11, 11, 0}, {9, 10, 0}}},
        {"locked: tinted everywhere", kWall3, -1, false, 0, {{15, 15, 4}, {11, 11, 4}, {20, 15, 0}}},
        {"selected, first half of the blink", -1, -1, true, 127, {{10, 10, 32}, {15, 15, 0}}},
        {"selected, second half: no outline", -1, -1, true, 128, {{10, 10, 0}}},
        {"selected and hovered, second half", -1, kWall3, true, 128, {{10, 10, 8}}},
        {"selected and hovered, first half", -1, kWall3, true, 255 + 256, {{10, 10, 8}}},
        {"image edges draw no line", -1, kFloor1, false, 0,
         {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {4, 0, 8}, {0, 4, 8}, {4, 4, 8}}},
        {"top right corner", -1, kSprite1, false, 0,
         {{399, 449, 0}, {397, 449, 0}, {399, 447, 0}, {395, 449, 8}, {399, 445, 8}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OverlayRig& rig = overlayRig();
        fillCells(rig.sc, 10, 10, 19, 19, kWall3);
        fillCells(rig.sc, 0, 0, 4, 4, kFloor1);
        fillCells(rig.sc, 395, 445, 399, 449, kSprite1);
        rig.ed->pages.view3d.pick3d = {c.H, c.P};
        if (c.selected) {
            rig.sc.any3dSelected = 1;
            rig.sc.selected3d[size_t(kWall3)] = 1;
        }
        rig.draw(c.frameTime);
        for (const Cell& cell : c.cells)
            EXPECT_TRUE(rig.cellIs(cell.col, cell.row, cell.colour)) << cell.col << "," << cell.row;
    }
}

TEST(HoverOverlay3d, CornerCellsNeedTwoOfThreeNeighboursToDiffer) {
    struct Case {
        std::vector<std::pair<int32_t, int32_t>> cells;
        bool outlined;
    };
    const Case cases[] = {
        {{{0, 0}}, true},
        {{{0, 0}, {0, 1}}, true},
        {{{0, 0}, {0, 1}, {1, 0}}, false},
        {{{0, 0}, {1, 1}}, true},
    };
    for (const Case& c : cases) {
        OverlayRig& rig = overlayRig();
        for (auto [col, row] : c.cells) fillCells(rig.sc, col, row, col, row, kFloor1);
        rig.ed->pages.view3d.pick3d = {kFloor1, -1};
        rig.draw(0);
        EXPECT_TRUE(rig.cellIs(0, 0, c.outlined ? 8 : 0)) << c.cells.size();
    }
}

TEST(HoverOverlay3d, StatusLinesNameTheAimedObject) {
    struct Case {
        const char* what;
        int32_t P, H;
        bool any;
        int32_t first;
        std::string firstArg;
        int32_t second;  // 0: no second line
        std::vector<std::string> secondArgs;
    };
    const Case cases[] = {
        {"hovered wall", -1, kWall3, false, 1320, "3", 1326, {"-5", "-1"}},
        {"locked floor wins", kFloor1, kWall3, false, 1318, "1", 1326, {"0", "7"}},
        {"ceiling", -1, kCeiling0, false, 1319, "0", 1326, {"0", "0"}},
        {"wall part", -1, kPart5, false, 1321, "5", 1326, {"0", "0"}},
        {"named sprite", -1, kSprite0, false, 1322, "0", 1325, {"2", "3", "DOOR"}},
        {"unnamed sprite", -1, kSprite1, false, 1322, "1", 1326, {"0", "0"}},
        {"whole selection", -1, kWall3, true, 1323, "2", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OverlayRig& rig = overlayRig();
        MapStore& map = rig.ed->map;
        map.walls[3].hitag = -5;
        map.walls[3].lotag = -1;
        map.sectors[1].lotag = 7;
        map.sprites[0].hitag = 2;
        map.sprites[0].lotag = 3;
        map.sprites[0].picnum = 20;
        map.sprites[1].picnum = 21;
        map.selectedWallCount = 2;
        rig.ed->tileCatalog.tileNames.set(20, "DOOR");
        rig.sc.any3dSelected = c.any ? 1 : 0;
        rig.ed->pages.view3d.pick3d = {c.H, c.P};
        rig.draw(0);
        const int32_t ink = rig.ed->colorSettings.colorUiText;
        EXPECT_TRUE(rig.shows(getMessage(c.first, rig.ed->langs, c.firstArg), 8, 52, ink));
        if (c.second == 0) continue;
        const auto& a = c.secondArgs;
        EXPECT_TRUE(rig.shows(getMessage(c.second, rig.ed->langs, a[0], a[1], a.size() > 2 ? a[2] : ""),
                              8, 40, ink));
    }
}

TEST(HoverOverlay3d, SpriteTilesOutsideTheTableHaveNoName) {
    OverlayRig& rig = overlayRig();
    rig.ed->map.sprites[1].picnum = -3;
    rig.ed->pages.view3d.pick3d = {kSprite1, -1};
    rig.draw(0);
    EXPECT_TRUE(rig.shows(getMessage(1326, rig.ed->langs, "0", "0"), 8, 40,
                          rig.ed->colorSettings.colorUiText));
}

TEST(HoverOverlay3d, NothingAimedDrawsNoMarksAndNoLines) {
    OverlayRig& rig = overlayRig();
    fillCells(rig.sc, 10, 10, 19, 19, kWall3);
    rig.draw(0);
    for (int32_t y = 0; y < kScreenHeight; y += 3)
        for (int32_t x = 0; x < kScreenWidth; x += 3)
            ASSERT_EQ(rig.screenAt(x, y), rig.original(x, y)) << x << "," << y;
}

TEST(HoverOverlay3d, InspectionOfTheTriangleUnderThePointer) {
    struct Case {
        const char* what;
        int32_t frameTime;
        int32_t renderCount;  // entries of this frame's list
        bool middle;
        bool drawn;
        int32_t edgeColour;
    };
    const Case cases[] = {
        {"k at its middle", 0, 1, true, true, 6},
        {"k at its low end", 236, 1, true, true, 4},
        {"k near its top", 79, 1, true, true, 7},
        {"middle button up", 0, 1, false, false, 0},
        {"an entry of an earlier frame", 0, 0, true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OverlayRig& rig = overlayRig();
        Scene3d& sc = rig.sc;
        fillCells(sc, 10, 10, 19, 19, kWall3);
        sc.pickBuffer3d[size_t(15) * kCellColumns3d + 15] = 0;
        sc.renderTriangleCount = c.renderCount;
        SurfaceTriangle& t = sc.renderTriangles[0];
        t.objectCode = kWall3;
        t.p[0].x = 10.25, t.p[0].y = 10.5;  // 20.5 rounds to 20, 144.5 to 144
        t.p[1].x = 150, t.p[1].y = 10.5;
        t.p[2].x = 10.25, t.p[2].y = 200;
        rig.ed->input.mouseX = 31;
        rig.ed->input.mouseY = 134 + 15;
        rig.ed->input.keyStates[4] = c.middle ? -32768 : 0;
        rig.draw(c.frameTime);
        EXPECT_EQ(rig.screenAt(4, 548) == 20 && rig.screenAt(795, 578) == 20 &&
                      rig.screenAt(4, 560) == 20 && rig.screenAt(400, 548) == 20,
                  c.drawn);
        if (!c.drawn) {
            EXPECT_EQ(rig.screenAt(20, 144), rig.original(20, 144));
            continue;
        }
        EXPECT_EQ(rig.screenAt(20, 144), c.edgeColour);
        EXPECT_EQ(rig.screenAt(150, 144), c.edgeColour);
        EXPECT_EQ(rig.screenAt(20, 250), c.edgeColour);
        // The bar darkens what lies under it.
        EXPECT_EQ(rig.screenAt(300, 570), rig.ed->colorTables.blendTable[size_t(rig.original(300, 570)) * 256 + 16]);
        EXPECT_EQ(rig.screenAt(3, 560), rig.original(3, 560));
        EXPECT_TRUE(rig.shows(getMessage(1207, rig.ed->langs, "0"), 12, 558, 83));
        EXPECT_TRUE(rig.shows(getMessage(1209, rig.ed->langs, "3"), 400, 558, 83));
    }
}

TEST(HoverOverlay3d, ClipboardPanelWhileKeypadPointIsHeldAndHelpEveryFrame) {
    OverlayRig& rig = overlayRig();
    rig.draw(0);
    const std::vector<uint8_t> plain = rig.screen();
    rig.reset();
    rig.ed->input.keyStates[110] = -32768;
    rig.draw(0);
    int32_t differ = 0;
    for (size_t i = 0; i < plain.size(); ++i) differ += plain[i] != rig.screen()[i];
    EXPECT_GT(differ, 1000);

    rig.reset();
    rig.ed->settings.showTips = 1;
    rig.ed->app.helpPopupStep = 0;
    rig.draw(0);
    rig.draw(0);
    EXPECT_EQ(rig.ed->app.helpPopupStep, 2);
}

}  // namespace
}  // namespace korvel::test
