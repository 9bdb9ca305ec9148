// The live 3D view's edit keys: their rows and modifier tests, the target each press resolves,
// the shared rules (one snapshot, refreshed cache, messages, cues) and each key's edge cases.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "commands/CommandTable.h"
#include "editing/KeyboardDispatcher.h"
#include "map/GeometryQueries.h"
#include "map/UndoSnapshot.h"
#include "platform/VirtualKeys.h"
#include "support/EditCommandRig.h"
#include "support/MapInvariants.h"
#include "support/TileFixtures.h"
#include "view3d/Cache3d.h"
#include "view3d/HitQueries3d.h"
#include "view3d/View3DKeys.h"
#include "view3d/View3dScene.h"

namespace korvel::test {
namespace {

constexpr int32_t kFloorCode = 0, kWallCode = 1 << 16, kCeilingCode = 2 << 16;
constexpr int32_t kPartCode = 3 << 16, kSpriteCode = 4 << 16;

struct KeysRig : EditCommandRig {
    KeysRig() {
        installFixtureTiles(ed->tiles);
        twoRooms();
        for (int32_t w = 0; w < map.wallCount; ++w) map.walls[size_t(w)].picnum = kTile8x8;
        for (int32_t s = 0; s < 2; ++s) {
            map.sectors[size_t(s)].floorpicnum = kTile8x8;
            map.sectors[size_t(s)].ceilingpicnum = kTile16x4;
        }
        MapBuilder b(map);
        for (int32_t k = 0; k < 3; ++k) b.addSprite(64 + 64 * k, 128, -1024 * k, 0, kTile8x8);
        ed->settings.autoWallSquare = 0;
        base = std::make_unique<MapStore>(map);
    }
    // Back to the map as built, nothing selected, outside the view.
    void reset() {
        map = *base;
        installFixtureTiles(ed->tiles);
        ed->prompt = {};
        ed->app.statusText.clear();
        ed->app.currentPage = Page::PlanView;
        ed->app.helpPopupStep = -1;
        ed->app.helpTopic = 0;
        ed->attributes = {};
        ed->input = {};
        ed->dispatch = {};
        ed->pages.view3d.pick3d = {};
        ed->pages.view3d.view3dState = 0;
        ed->pages.tilePicker = {};
        TileCatalog& cat = ed->tileCatalog;
        std::fill(cat.tileList.begin(), cat.tileList.end(), -1);
        std::fill(cat.soundUsage.begin(), cat.soundUsage.end(), 0);
        cat.tileNames.clear();
        cat.usedTileListKind = 0;
        cues();
    }
    std::unique_ptr<MapStore> base;
    // Enters the view (the selection made so far is carried into it).
    void enter() {
        build3dView(*ed);
        ed->pages.view3d.view3dState = 0;
        ed->pages.view3d.view3dValid = 1;
    }
    void aim(int32_t code) { ed->pages.view3d.pick3d = {code, -1}; }
    void lock(int32_t code) { ed->pages.view3d.pick3d = {-1, code}; }
    // One frame's presses with the modifiers named by the letters C, A and S.
    void press(const std::vector<int>& keys, const std::string& mods = "") {
        ed->dispatch.ctrlHeld = mods.find('C') != std::string::npos;
        ed->dispatch.altHeld = mods.find('A') != std::string::npos;
        ed->dispatch.shiftHeld = mods.find('S') != std::string::npos;
        for (int k : keys) ed->input.keyPressed[size_t(k)] = 1;
        process3DKeys(*ed);
        ed->dispatch = {};
    }
    void undo() { restoreUndo(map, ed->undo, ed->clipboard, ed->tool.selectionMode, ed->events); }
    std::string status() const { return ed->app.statusText; }
};

// One editor for every test (building one is slow), put back to the map as built.
KeysRig& freshRig() {
    static KeysRig* rig = new KeysRig;
    rig->reset();
    return *rig;
}

// Non-blank static entries of a scene by object code.
std::multimap<int32_t, std::vector<double>> staticEntries(const Scene3d& sc) {
    std::multimap<int32_t, std::vector<double>> out;
    for (int32_t i = 0; i < sc.surfaceTriangleCountBeforeSprites; ++i) {
        const SurfaceTriangle& t = sc.surfaceTriangles[size_t(i)];
        if (isBlank3d(t)) continue;
        std::vector<double> f{double(t.tileRef), double(t.shade), double(t.pal),
                              double(t.visibility), double(t.drawFlags), double(t.sector)};
        for (const Vertex3d& v : t.p) f.insert(f.end(), {v.x, v.y, v.z, double(v.u), double(v.v)});
        out.emplace(t.objectCode, f);
    }
    return out;
}

// The cache after the edits equals one prepared afresh from the edited map.
void expectCacheFresh(KeysRig& rig) {
    static auto fresh = std::make_unique<Scene3d>();
    prepareScene3d(*fresh, SurfaceSource{rig.map, rig.ed->tiles}, rig.ed->pages.view3d.camAngle);
    const auto edited = staticEntries(scene3d(*rig.ed)), want = staticEntries(*fresh);
    if (edited == want) return;
    for (const auto& e : edited)
        if (std::find(want.begin(), want.end(), e) == want.end())
            ADD_FAILURE() << "stale entry of object " << e.first << " tile " << e.second[0];
    for (const auto& e : want)
        if (std::find(edited.begin(), edited.end(), e) == edited.end())
            ADD_FAILURE() << "missing entry of object " << e.first << " tile " << e.second[0];
}

// --- Rows and dispatch ---

TEST(Keys3d, EachRowFiresOnExactlyItsModifierTest) {
    using Id = CommandId;
    // '.' any, 'u' up, 'd' down: Ctrl, Alt, Shift.
    struct Row {
        Id id;
        int key, key2;
        const char* test;
    };
    const Row rows[] = {
        {Id::Live3dCopyAttributes, vk::Tab, 0, "..."},
        {Id::Live3dPasteAttributes, vk::Enter, 0, "..."},
        {Id::Live3dKeypad2, vk::Pad2, 0, "..."},
        {Id::Live3dKeypad8, vk::Pad8, 0, "..."},
        {Id::Live3dKeypad4, vk::Pad4, 0, "..."},
        {Id::Live3dKeypad6, vk::Pad6, 0, "..."},
        {Id::Live3dResetTexture, vk::Slash, 0, "..."},
        {Id::Live3dSquareWalls, vk::Backslash, 0, "..."},
        {Id::Live3dCycleFlip, 'F', 0, "u.u"},
        {Id::Live3dPromptShade, 'S', 0, "udu"},
        {Id::Live3dShadeUp, vk::Minus, 0, "u.u"},
        {Id::Live3dShadeUp, vk::PadMinus, 0, "u.u"},
        {Id::Live3dShadeDown, vk::Equals, 0, "u.u"},
        {Id::Live3dShadeDown, vk::PadPlus, 0, "u.u"},
        {Id::Live3dPromptPal, 'P', 0, "u.u"},
        {Id::Live3dCycleTranslucency, 'T', 0, "u.d"},
        {Id::Live3dPromptLotag, 'T', 0, "u.u"},
        {Id::Live3dPromptHitag, 'H', 0, "u.u"},
        {Id::Live3dPickTile, 'V', 0, "u.u"},
        {Id::Live3dToggleBottomAlign, 'O', 0, "u.u"},
        {Id::Live3dResetSpriteAngle, vk::Comma, vk::Period, "uuu"},
        {Id::Live3dTurnSpriteLeft, vk::Comma, 0, "uu."},
        {Id::Live3dAlignOrTurnRight, vk::Period, 0, "uu."},
        {Id::Live3dToggleSpriteBit128, 'C', 0, "u.u"},
        {Id::Live3dLowerSprites, vk::Delete, 0, "..."},
        {Id::Live3dRaiseSprites, vk::Insert, 0, "..."},
        {Id::Live3dToggleSpriteBit64, '1', 0, "u.u"},
        {Id::Live3dToggleSectorBit8, 'E', 0, "..d"},
        {Id::Live3dToggleParallax, 'P', 0, "uud"},
        {Id::Live3dToggleRelativeAlign, 'R', 0, "u.u"},
        {Id::Live3dPromptVisibility, 'V', 0, "uud"},
    };
    // The table's 3D rows come in this order, one after another.
    std::vector<Id> order;
    for (const CommandRow& r : commandTable())
        if (r.chords[0].liveViewFirst) order.push_back(r.id);
    ASSERT_EQ(order.size(), 29u);
    std::vector<Id> want;
    for (const Row& r : rows)
        if (want.empty() || want.back() != r.id) want.push_back(r.id);
    EXPECT_EQ(order, want);

    for (const Row& r : rows) {
        const CommandRow& row = commandRow(r.id);
        for (int m = 0; m < 8; ++m) {
            const bool held[3] = {(m & 1) != 0, (m & 2) != 0, (m & 4) != 0};
            bool expected = true;
            for (int i = 0; i < 3; ++i)
                if ((r.test[i] == 'u' && held[i]) || (r.test[i] == 'd' && !held[i])) expected = false;
            InputState in;
            in.keyPressed[size_t(r.key)] = 1;
            if (r.key2) in.keyPressed[size_t(r.key2)] = 1;
            for (bool live : {true, false}) {
                const ChordContext where{Page::View3D, live, uint8_t(held[0]), uint8_t(held[1]),
                                         uint8_t(held[2])};
                bool fires = false;
                for (const KeyChord& c : row.chords) fires = fires || chordMatches(c, where, in);
                EXPECT_EQ(fires, expected && live) << int(r.id) << " key " << r.key << " mods " << m;
            }
        }
    }
}

TEST(Keys3d, PressesAreTakenBeforeATargetIsSoughtAndRowsRunInTableOrder) {
    KeysRig& rig = freshRig();
    rig.enter();
    // Nothing aimed: the presses are still taken, both keys of a pair, and nothing changes.
    rig.press({'T', vk::Minus, vk::PadMinus, vk::Delete});
    for (int k : {int('T'), int(vk::Minus), int(vk::PadMinus), int(vk::Delete)})
        EXPECT_EQ(rig.ed->input.keyPressed[size_t(k)], 0) << k;
    EXPECT_EQ(rig.ed->prompt.promptKind, 0);
    EXPECT_EQ(rig.map.undoState, UndoState::Nothing);
    // '/' then F in one frame: the reset comes first, so the flip survives it.
    const int32_t w = 1;
    rig.map.walls[w].cstat = 256;
    rig.aim(kWallCode | w);
    rig.press({'F', vk::Slash});
    EXPECT_EQ(rig.map.walls[w].cstat, 8);
    EXPECT_EQ(rig.status(), rig.msg(119));
    // The dispatcher's own T sees a press the 3D keys took.
    rig.aim(-1);
    rig.ed->input.keyPressed['T'] = 1;
    processKeys(*rig.ed);
    EXPECT_EQ(rig.ed->input.keyPressed['T'], 0);
    // ',' and '.' together only reset the angle.
    rig.map.sprites[0].ang = 64;
    rig.aim(kSpriteCode | 0);
    rig.press({vk::Comma, vk::Period});
    EXPECT_EQ(rig.map.sprites[0].ang, 0);
    EXPECT_EQ(rig.status(), rig.msg(82, {"0"}));
    // Off the live view the rows do nothing.
    rig.ed->pages.view3d.view3dState = 1;
    rig.ed->input.keyPressed['F'] = 1;
    processKeys(*rig.ed);
    EXPECT_EQ(rig.map.walls[w].cstat, 8);
}

// --- Targets ---

TEST(Keys3d, TargetResolutionAndSide) {
    struct Case {
        const char* what;
        std::vector<int32_t> selWalls, selSectors, selSprites;
        int32_t hover, lock;
        // What '-' darkens: walls, floors, ceilings, sprites.
        std::vector<int32_t> walls, floors, ceilings, sprites;
    };
    const Case cases[] = {
        {"aimed wall", {}, {}, {}, kWallCode | 2, -1, {2}, {}, {}, {}},
        {"aimed floor", {}, {}, {}, kFloorCode | 1, -1, {}, {1}, {}, {}},
        {"aimed ceiling", {}, {}, {}, kCeilingCode | 0, -1, {}, {}, {0}, {}},
        {"aimed wall part", {}, {}, {}, kPartCode | 5, -1, {5}, {}, {}, {}},
        {"aimed sprite", {}, {}, {}, kSpriteCode | 2, -1, {}, {}, {}, {2}},
        {"selected walls before sectors", {1, 6}, {0}, {0}, kFloorCode, -1, {1, 6}, {}, {}, {}},
        {"selected sectors, floor hovered", {}, {0, 1}, {1}, kFloorCode, -1, {}, {0, 1}, {}, {}},
        {"selected sectors, wall hovered: ceilings", {}, {0, 1}, {}, kWallCode | 3, -1, {}, {}, {0, 1}, {}},
        {"selected sectors, nothing hovered: floors", {}, {1}, {}, -1, -1, {}, {1}, {}, {}},
        {"selected sprites", {}, {}, {0, 2}, -1, -1, {}, {}, {}, {0, 2}},
        {"a lock wins over the selection", {1}, {}, {}, -1, kSpriteCode | 1, {}, {}, {}, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KeysRig& rig = freshRig();
        for (int32_t w : c.selWalls) rig.selectWall(w);
        for (int32_t s : c.selSectors) rig.selectSector(s);
        for (int32_t k : c.selSprites) rig.selectSprite(k);
        rig.enter();
        rig.ed->pages.view3d.pick3d = {c.hover, c.lock};
        const MapStore before = rig.map;
        rig.press({vk::Minus});
        for (int32_t w = 0; w < rig.map.wallCount; ++w)
            EXPECT_EQ(rig.map.walls[w].shade - before.walls[w].shade,
                      std::count(c.walls.begin(), c.walls.end(), w)) << "wall " << w;
        for (int32_t s = 0; s < rig.map.sectorCount; ++s) {
            EXPECT_EQ(rig.map.sectors[s].floorshade, std::count(c.floors.begin(), c.floors.end(), s));
            EXPECT_EQ(rig.map.sectors[s].ceilingshade, std::count(c.ceilings.begin(), c.ceilings.end(), s));
        }
        for (int32_t k = 0; k < rig.map.spriteCount; ++k)
            EXPECT_EQ(rig.map.sprites[k].shade, std::count(c.sprites.begin(), c.sprites.end(), k));
    }
}

TEST(Keys3d, WholeSelectionPromptsFollowTheHoveredKind) {
    KeysRig& rig = freshRig();
    rig.selectSector(1);
    rig.selectSector(0);
    rig.enter();
    rig.map.sectors[0].floorpal = 3;
    rig.map.sectors[0].ceilingshade = -7;
    rig.aim(kWallCode | 2);
    rig.press({'P'});
    EXPECT_EQ(rig.ed->prompt.promptKind, int32_t(ValuePromptKind::SectorFloorPal));
    EXPECT_EQ(rig.ed->prompt.promptInput, "3");
    EXPECT_EQ(rig.ed->prompt.targetSector, kWholeSelection);
    EXPECT_EQ(rig.ed->prompt.promptText, rig.msg(170));
    EXPECT_TRUE(rig.cues().empty());
    rig.ed->prompt = {};
    rig.press({'S'}, "A");
    EXPECT_EQ(rig.ed->prompt.promptKind, int32_t(ValuePromptKind::SectorCeilingShade));
    EXPECT_EQ(rig.ed->prompt.promptInput, "7");
    EXPECT_EQ(rig.ed->prompt.promptNegative, 1);
    EXPECT_EQ(rig.ed->prompt.promptText, rig.msg(74));
}

// --- Shared rules ---

struct KeyPress {
    const char* name;
    std::vector<int> keys;
    const char* mods;
};

const KeyPress kEditingPresses[] = {
    {"keypad 6", {vk::Pad6}, ""},         {"Alt+keypad 2", {vk::Pad2}, "A"},
    {"keypad 8 fine", {vk::Pad8}, ""},    {"/", {vk::Slash}, ""},
    {"\\", {vk::Backslash}, ""},          {"F", {'F'}, ""},
    {"-", {vk::Minus}, ""},               {"=", {vk::Equals}, ""},
    {"Shift+T", {'T'}, "S"},              {"O", {'O'}, ""},
    {".", {vk::Period}, ""},              {",", {vk::Comma}, ""},
    {", and .", {vk::Comma, vk::Period}, ""},
    {"C", {'C'}, ""},                     {"1", {'1'}, ""},
    {"Delete", {vk::Delete}, ""},         {"Shift+Insert", {vk::Insert}, "S"},
    {"Ctrl+Delete", {vk::Delete}, "C"},   {"Ctrl+Insert", {vk::Insert}, "C"},
    {"Shift+E", {'E'}, "S"},              {"Shift+P", {'P'}, "S"},
    {"R", {'R'}, ""},                     {"Enter", {vk::Enter}, ""},
    {"Ctrl+Enter", {vk::Enter}, "C"},
};

TEST(Keys3d, EveryEditTakesOneSnapshotRefreshesAndUndoesByteForByte) {
    struct Aim {
        const char* what;
        int32_t code;
        char select;  // three selected walls, sectors (both, and a hovered ceiling) or sprites
    };
    const Aim aims[] = {{"wall", kWallCode | 1, 0},     {"floor", kFloorCode | 0, 0},
                        {"ceiling", kCeilingCode | 1, 0}, {"sprite", kSpriteCode | 1, 0},
                        {"part", kPartCode | 3, 0},       {"selected walls", -1, 'w'},
                        {"selected sectors", kCeilingCode, 's'}, {"selected sprites", -1, 'k'}};
    KeysRig& rig = freshRig();
    for (const Aim& a : aims)
        for (const KeyPress& p : kEditingPresses) {
            SCOPED_TRACE(std::string(a.what) + " " + p.name);
            rig.reset();
            for (int32_t i : {2, 0, 1}) {
                if (a.select == 'w') rig.selectWall(i + 3);
                if (a.select == 'k') rig.selectSprite(i);
                if (a.select == 's' && i < 2) rig.selectSector(i);
            }
            rig.map.sprites[0].z = -300;
            rig.map.sprites[1].cstat = 16;  // a wall sprite
            rig.enter();
            rig.aim(a.code);
            copyWallAttributes(rig.map, rig.ed->attributes.attributeClipboard, 0);
            rig.ed->attributes.attributeClipboard.picnum = kTile16x4;
            rig.ed->input.keyStates[vk::Pad5] = std::string(p.name).find("fine") != std::string::npos ? -32768 : 0;
            rig.map.undoState = UndoState::Nothing;
            static MapContent* before = new MapContent;
            *before = rig.map;
            rig.press(p.keys, p.mods);
            if (rig.map.undoState == UndoState::Nothing) {
                EXPECT_EQ(contentDifference(*before, rig.map), "");
                continue;
            }
            EXPECT_EQ(rig.map.mapModified, MapModifiedState::Modified);
            EXPECT_EQ(rig.ed->pages.view3d.view3dValid, 0);
            EXPECT_TRUE(checkMapInvariants(rig.map).empty());
            expectCacheFresh(rig);
            rig.undo();
            rig.map.mapModified = before->mapModified;
            rig.map.undoState = before->undoState;
            EXPECT_EQ(contentDifference(*before, rig.map), "");
        }
}

TEST(Keys3d, PromptsTabAndVTakeTheirSnapshotsWhereTheyShould) {
    KeysRig& rig = freshRig();
    rig.enter();
    rig.aim(kWallCode | 2);
    rig.press({vk::Tab});
    EXPECT_EQ(rig.map.undoState, UndoState::Nothing);
    rig.press({'V'});
    EXPECT_EQ(rig.map.undoState, UndoState::Nothing);
    EXPECT_EQ(rig.ed->app.currentPage, Page::TilePicker);
    rig.ed->app.currentPage = Page::View3D;
    rig.map.walls[2].lotag = 9;
    rig.press({'T'});
    EXPECT_EQ(rig.map.undoState, UndoState::Snapshot);
    EXPECT_EQ(rig.map.mapModified, MapModifiedState::Unmodified);
    EXPECT_EQ(rig.ed->undo.snapshot().walls[2].lotag, 9);
}

// --- Attribute clipboard ---

TEST(Keys3d, TabAndEnter) {
    KeysRig& rig = freshRig();
    SectorRecord& floor = rig.map.sectors[0];
    floor.floorpicnum = kTile6x5;
    floor.floorshade = 9;
    floor.floorpal = 2;
    floor.lotag = 77;
    rig.map.walls[0].lotag = 31;
    rig.map.walls[0].shade = -3;
    rig.map.walls[3].shade = 5;
    rig.enter();
    // Ctrl+Tab on a floor, then Enter on a wall: only the texture travels.
    rig.aim(kFloorCode | 0);
    rig.press({vk::Tab}, "C");
    EXPECT_EQ(rig.ed->attributes.attributeClipboard.kind, AttributeClipboardKind::TextureOnly);
    EXPECT_EQ(rig.cues(), std::vector<std::string>{"command"});
    rig.aim(kWallCode | 1);
    WallRecord wantWall = rig.map.walls[1];
    wantWall.picnum = kTile6x5;
    wantWall.shade = 9;
    wantWall.pal = 2;
    rig.press({vk::Enter});
    EXPECT_EQ(std::memcmp(&rig.map.walls[1], &wantWall, sizeof wantWall), 0);
    EXPECT_EQ(rig.cues(), std::vector<std::string>{"command"});

    // Shift+Enter pastes a wall clip as texture only and keeps its kind.
    rig.aim(kWallCode | 0);
    rig.press({vk::Tab});
    EXPECT_EQ(rig.ed->attributes.attributeClipboard.kind, AttributeClipboardKind::Wall);
    rig.aim(kWallCode | 2);
    rig.press({vk::Enter}, "S");
    EXPECT_EQ(rig.map.walls[2].shade, -3);
    EXPECT_NE(rig.map.walls[2].lotag, 31);
    EXPECT_EQ(rig.ed->attributes.attributeClipboard.kind, AttributeClipboardKind::Wall);

    // Ctrl+Enter on a wall of a four-wall loop pastes all four, and only them.
    rig.aim(kWallCode | 6);
    rig.press({vk::Enter}, "C");
    for (int32_t w = 4; w < 8; ++w) EXPECT_EQ(rig.map.walls[w].lotag, 31) << w;
    for (int32_t w = 1; w < 4; ++w) EXPECT_NE(rig.map.walls[w].lotag, 31) << w;
    expectCacheFresh(rig);

    // A broken ring stops the walk where it breaks.
    rig.aim(kWallCode | 3);
    rig.press({vk::Tab});
    rig.map.walls[5].point2 = -7;
    rig.aim(kWallCode | 4);
    rig.press({vk::Enter}, "C");
    EXPECT_EQ(rig.map.walls[4].shade, 5);
    EXPECT_EQ(rig.map.walls[5].shade, 5);
    EXPECT_EQ(rig.map.walls[6].shade, -3);

    // Nothing aimed: nothing happens, no cue.
    rig.cues();
    rig.aim(-1);
    rig.press({vk::Enter});
    EXPECT_TRUE(rig.cues().empty());
}

TEST(Keys3d, TabInTheWholeSelectionCopiesNothingAndSlopesNeverPaste) {
    KeysRig& rig = freshRig();
    rig.selectSector(0);
    rig.selectSector(1);
    rig.enter();
    rig.aim(kFloorCode | 0);
    const AttributeClipboard before = rig.ed->attributes.attributeClipboard;
    rig.ed->attributes.attributeClipboard.kind = AttributeClipboardKind::Wall;
    rig.press({vk::Tab});
    EXPECT_EQ(rig.ed->attributes.attributeClipboard.kind, AttributeClipboardKind::Wall);
    rig.ed->attributes.attributeClipboard = before;
    rig.ed->attributes.attributeClipboard.kind = AttributeClipboardKind::Sector;
    rig.ed->attributes.attributeClipboard.heinum = 512;
    rig.ed->attributes.attributeClipboard.picnum = kTile6x5;
    rig.ed->attributes.pasteHeinum = 1;
    rig.press({vk::Enter});
    for (int32_t s = 0; s < 2; ++s) {
        EXPECT_EQ(rig.map.sectors[s].floorpicnum, kTile6x5);
        EXPECT_EQ(rig.map.sectors[s].floorheinum, 0);
    }
}

TEST(Keys3d, MaskedPasteOntoAnUnmaskedTwoSidedWallAddsItsPart) {
    KeysRig& rig = freshRig();
    const int32_t w = rig.sharedWall(0), twin = rig.map.walls[size_t(w)].nextwall;
    rig.map.walls[w].overpicnum = kTile8x8;
    rig.map.walls[w].cstat = 16;
    rig.enter();
    rig.aim(kPartCode | w);
    rig.press({vk::Tab});
    rig.aim(kWallCode | twin);
    rig.press({vk::Enter});
    EXPECT_NE(rig.map.walls[twin].cstat & 16, 0);
    expectCacheFresh(rig);
}

// --- Prompts and the tile picker ---

TEST(Keys3d, PromptsOpenOnTheTarget) {
    struct Case {
        const char* what;
        int32_t code;
        int key;
        const char* mods;
        ValuePromptKind kind;
        int32_t caption;
        std::string text;
        uint8_t negative;
        int32_t helpTopic;  // -1: no popup
        bool cue;
    };
    const Case cases[] = {
        {"wall shade -5", kWallCode | 1, 'S', "A", ValuePromptKind::WallShade, 212, "5", 1, -1, true},
        {"sprite shade -128", kSpriteCode | 0, 'S', "A", ValuePromptKind::SpriteShade, 211, "128", 1, -1, true},
        {"floor shade", kFloorCode | 1, 'S', "A", ValuePromptKind::SectorFloorShade, 75, "12", 0, -1, true},
        {"ceiling pal by side 2", kCeilingCode | 1, 'P', "", ValuePromptKind::SectorCeilingPal, 171, "4", 0, -1, true},
        {"wall lotag unsigned", kWallCode | 1, 'T', "", ValuePromptKind::WallLotag, 201, "65535", 0, -1, true},
        {"sector lotag", kFloorCode | 1, 'T', "", ValuePromptKind::SectorLotag, 176, "0", 0, 1, true},
        {"sector hitag", kCeilingCode | 1, 'H', "", ValuePromptKind::SectorHitag, 174, "0", 0, 1, true},
        {"effector lotag", kSpriteCode | 1, 'T', "", ValuePromptKind::SpriteLotag, 200, "0", 0, 0, true},
        {"effector hitag: no popup", kSpriteCode | 1, 'H', "", ValuePromptKind::SpriteHitag, 196, "0", 0, -1, true},
        {"sound sprite hitag", kSpriteCode | 2, 'H', "", ValuePromptKind::SpriteHitag, 196, "3", 0, 23, true},
        {"visibility", kFloorCode | 1, 'V', "S", ValuePromptKind::SectorVisibility, 72, "200", 0, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KeysRig& rig = freshRig();
        rig.map.walls[1].shade = -5;
        rig.map.walls[1].lotag = -1;
        rig.map.sprites[0].shade = -128;
        rig.map.sprites[1].picnum = 1;
        rig.map.sprites[2].picnum = 5;
        rig.map.sprites[2].hitag = 3;
        rig.map.sectors[1].floorshade = 12;
        rig.map.sectors[1].ceilingpal = 4;
        rig.map.sectors[1].visibility = 200;
        rig.enter();
        rig.aim(c.code);
        rig.press({c.key}, c.mods);
        const ValuePromptState& p = rig.ed->prompt;
        EXPECT_EQ(p.promptKind, int32_t(c.kind));
        EXPECT_EQ(p.promptText, rig.msg(c.caption, {std::to_string(c.code & 0xFFFF)}));
        EXPECT_EQ(p.promptInput, c.text);
        EXPECT_EQ(p.promptNegative, c.negative);
        const int32_t index = c.code & 0xFFFF;
        const int32_t kind = c.code >> 16;
        EXPECT_EQ(p.targetWall, kind == 1 ? index : -1);
        EXPECT_EQ(p.targetSprite, kind == 4 ? index : -1);
        EXPECT_EQ(p.targetSector, kind == 0 || kind == 2 ? index : -1);
        EXPECT_EQ(rig.ed->app.helpPopupStep, c.helpTopic >= 0 ? 0 : -1);
        if (c.helpTopic >= 0) EXPECT_EQ(rig.ed->app.helpTopic, c.helpTopic);
        if (c.helpTopic == 23) EXPECT_EQ(rig.ed->tileCatalog.soundUsage[3], 1);
        EXPECT_EQ(rig.cues().size(), c.cue ? 1u : 0u);
        EXPECT_EQ(rig.map.undoState, UndoState::Snapshot);
    }
}

TEST(Keys3d, VOpensThePickerOnTheUsedTiles) {
    struct Case {
        const char* what;
        std::vector<int32_t> selSectors;
        int32_t code;
        int32_t wall, sector, sprite;
        uint8_t overpicnum, listKind;
        int32_t cursorTile;  // -1: the cursor keeps its place
    };
    const Case cases[] = {
        {"wall", {}, kWallCode | 1, 1, -1, -1, 0, 0, kTile6x5},
        {"masked part", {}, kPartCode | 2, 2, -1, -1, 1, 0, kTile16x4},
        {"single ceiling", {}, kCeilingCode | 0, -1, 0, -1, 0, 1, kTile16x4},
        {"selection, wall hovered: floor", {0, 1}, kWallCode | 1, -1, kWholeSelection, -1, 0, 0, kTile8x8},
        {"selection, ceiling hovered", {0, 1}, kCeilingCode | 1, -1, kWholeSelection, -1, 0, 1, kTile16x4},
        {"sprite with a tile outside the table", {}, kSpriteCode | 0, -1, -1, 0, 0, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KeysRig& rig = freshRig();
        for (int32_t s : c.selSectors) rig.selectSector(s);
        rig.map.walls[1].picnum = kTile6x5;
        rig.map.walls[2].overpicnum = kTile16x4;
        rig.map.sprites[0].picnum = -4;
        rig.enter();
        rig.ed->pages.tilePicker.tilePickerCursor = 99;
        rig.ed->pages.tilePicker.targetOverpicnum = 7;
        rig.aim(c.code);
        rig.press({'V'});
        EXPECT_EQ(rig.ed->app.currentPage, Page::TilePicker);
        EXPECT_EQ(rig.ed->prompt.targetWall, c.wall);
        EXPECT_EQ(rig.ed->prompt.targetSector, c.sector);
        EXPECT_EQ(rig.ed->prompt.targetSprite, c.sprite);
        if (c.wall >= 0) EXPECT_EQ(rig.ed->pages.tilePicker.targetOverpicnum, c.overpicnum);
        if (c.sector != -1) EXPECT_EQ(rig.ed->tileCatalog.usedTileListKind, c.listKind);
        const auto& list = rig.ed->tileCatalog.tileList;
        const int32_t cursor = rig.ed->pages.tilePicker.tilePickerCursor;
        if (c.cursorTile < 0)
            EXPECT_EQ(cursor, 99);
        else
            EXPECT_EQ(list[size_t(cursor)], c.cursorTile);
        EXPECT_EQ(rig.map.undoState, UndoState::Nothing);
    }
}

// --- Texture keys ---

TEST(Keys3d, KeypadRepeatAndPanning) {
    enum Field { XRep, YRep, XPan, YPan };
    struct Case {
        const char* what;
        int32_t code;
        int key;
        const char* mods;
        bool fine;
        Field field;
        uint8_t before, after;
        int32_t message;  // -1: none written
    };
    const Case cases[] = {
        {"wall xrepeat at 255 stays", kWallCode | 1, vk::Pad6, "", false, XRep, 255, 255, 45},
        {"wall xrepeat fine", kWallCode | 1, vk::Pad6, "", true, XRep, 250, 255, 45},
        {"wall yrepeat up", kWallCode | 1, vk::Pad2, "", false, YRep, 8, 9, 45},
        {"wall xrepeat at 0 stays", kWallCode | 1, vk::Pad4, "", false, XRep, 0, 0, 45},
        {"wall ypanning up with Alt", kWallCode | 1, vk::Pad2, "A", false, YPan, 255, 0, 52},
        {"wall xpanning fine down", kWallCode | 1, vk::Pad4, "A", true, XPan, 0, 248, 52},
        {"floor ypanning down", kFloorCode | 1, vk::Pad2, "", false, YPan, 0, 255, 43},
        {"floor xpanning fine", kFloorCode | 1, vk::Pad6, "", true, XPan, 250, 0, 43},
        {"ceiling ypanning up", kCeilingCode | 1, vk::Pad8, "A", false, YPan, 3, 4, 44},
        {"sprite yrepeat down", kSpriteCode | 1, vk::Pad2, "", false, YRep, 10, 9, 42},
        {"sprite xrepeat at 255", kSpriteCode | 1, vk::Pad6, "", false, XRep, 255, 255, -1},
        {"sprite xrepeat fine at 255", kSpriteCode | 1, vk::Pad6, "", true, XRep, 255, 255, 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KeysRig& rig = freshRig();
        rig.enter();
        rig.aim(c.code);
        const int32_t i = c.code & 0xFFFF, kind = c.code >> 16;
        const bool ceiling = kind == 2;
        uint8_t* field = nullptr;
        if (kind == 1) {
            WallRecord& w = rig.map.walls[i];
            field = c.field == XRep ? &w.xrepeat : c.field == YRep ? &w.yrepeat
                  : c.field == XPan ? &w.xpanning : &w.ypanning;
        } else if (kind == 4) {
            SpriteRecord& s = rig.map.sprites[i];
            field = c.field == XRep ? &s.xrepeat : &s.yrepeat;
        } else {
            SectorRecord& s = rig.map.sectors[i];
            field = c.field == XPan ? (ceiling ? &s.ceilingxpanning : &s.floorxpanning)
                                    : (ceiling ? &s.ceilingypanning : &s.floorypanning);
        }
        *field = c.before;
        rig.ed->app.statusText = "-";
        if (c.fine) rig.holdKey(vk::Pad5);
        rig.press({c.key}, c.mods);
        EXPECT_EQ(*field, c.after);
        EXPECT_EQ(rig.map.mapModified, MapModifiedState::Modified);
        if (c.message < 0) {
            EXPECT_EQ(rig.status(), "-");
        } else {
            EXPECT_EQ(rig.status().substr(0, rig.msg(c.message).find(' ')),
                      "m" + std::to_string(c.message));
        }
        EXPECT_TRUE(rig.cues().empty());
    }
}

TEST(Keys3d, KeypadMessagesCarryValuesAndTheTexelScale) {
    KeysRig& rig = freshRig();
    rig.enter();
    WallRecord& w = rig.map.walls[0];  // 256 units long
    w.xrepeat = 2;
    w.yrepeat = 3;
    rig.aim(kWallCode | 0);
    rig.press({vk::Pad6});
    EXPECT_EQ(rig.status(), rig.msg(45, {"0", "3", "3", "0.25"}));
    w.xrepeat = 0;
    w.yrepeat = 7;
    rig.press({vk::Pad4});
    EXPECT_EQ(rig.status(), rig.msg(45, {"0", "0", "7", "0"}));
    w.xrepeat = 2;
    w.yrepeat = 0;
    rig.press({vk::Pad2});
    EXPECT_EQ(rig.status(), rig.msg(45, {"0", "2", "1", "0.125"}));
    w.xrepeat = 3;
    w.yrepeat = 0;
    rig.press({vk::Pad2});
    EXPECT_EQ(rig.status(), rig.msg(45, {"0", "3", "1", "0.08333334"}));
    rig.map.sectors[1].floorxpanning = 200;
    rig.aim(kFloorCode | 1);
    rig.press({vk::Pad6});
    EXPECT_EQ(rig.status(), rig.msg(43, {"1", "-55", "0"}));

    KeysRig& sel = freshRig();
    sel.selectSprite(1);
    sel.selectSprite(2);
    sel.enter();
    const struct {
        int key;
        bool fine;
        int32_t message;
    } spriteKeys[] = {{vk::Pad6, true, 38}, {vk::Pad6, false, 39}, {vk::Pad4, true, 46},
                      {vk::Pad4, false, 47}, {vk::Pad8, true, 48}, {vk::Pad8, false, 49},
                      {vk::Pad2, true, 50}, {vk::Pad2, false, 51}};
    for (const auto& k : spriteKeys) {
        sel.ed->input.keyStates[vk::Pad5] = k.fine ? -32768 : 0;
        sel.press({k.key});
        EXPECT_EQ(sel.status(), sel.msg(k.message)) << k.key;
    }
}

TEST(Keys3d, ResetSquareAndAlign) {
    KeysRig& rig = freshRig();
    rig.enter();
    SectorRecord& s = rig.map.sectors[0];
    s.floorstat = 0xFFFF;
    s.floorheinum = 300;
    s.floorxpanning = 9;
    rig.aim(kFloorCode | 0);
    rig.press({vk::Slash});
    EXPECT_EQ(s.floorstat, 2);
    EXPECT_EQ(s.floorxpanning, 0);
    EXPECT_EQ(rig.cues(), std::vector<std::string>{"command"});
    SpriteRecord& sp = rig.map.sprites[0];
    sp.cstat = 0x1234;
    rig.aim(kSpriteCode | 0);
    rig.press({vk::Slash});
    EXPECT_EQ(sp.cstat, 0);
    EXPECT_EQ(sp.xrepeat, 32);
    EXPECT_EQ(sp.yrepeat, 32);
    WallRecord& w = rig.map.walls[1];
    w.cstat = 0xFF;
    w.yrepeat = 40;
    w.xpanning = 3;
    rig.aim(kWallCode | 1);
    rig.press({vk::Slash});
    EXPECT_EQ(w.cstat, 0);
    EXPECT_EQ(w.yrepeat, 8);
    EXPECT_EQ(w.xpanning, 0);
    w.xrepeat = 1;
    rig.press({vk::Backslash});
    EXPECT_EQ(rig.status(), rig.msg(18));
    EXPECT_GT(w.xrepeat, 1);
    // '.' with a wall and a sprite selected aligns the walls and turns no sprite.
    KeysRig& sel = freshRig();
    sel.selectWall(0);
    sel.selectSprite(1);
    sel.enter();
    sel.map.sprites[1].ang = 100;
    sel.press({vk::Period});
    EXPECT_EQ(sel.map.sprites[1].ang, 100);
    EXPECT_EQ(sel.status(), sel.msg(240));
    sel.press({vk::Backslash});
    EXPECT_EQ(sel.status(), sel.msg(1327));
}

TEST(Keys3d, FlipCycles) {
    KeysRig& rig = freshRig();
    rig.enter();
    rig.aim(kFloorCode | 1);
    std::vector<uint16_t> states;
    for (int i = 0; i < 8; ++i) {
        rig.press({'F'});
        states.push_back(rig.map.sectors[1].floorstat & 52);
    }
    EXPECT_EQ(states, (std::vector<uint16_t>{4, 16, 20, 32, 36, 48, 52, 0}));
    EXPECT_EQ(rig.status(), rig.msg(118, {"1", "0", "0", "0"}));
    EXPECT_EQ(rig.cues().size(), 8u);
    rig.aim(kSpriteCode | 1);
    rig.press({'F'});
    EXPECT_EQ(rig.status(), rig.msg(114, {"1", "1", "0"}));

    KeysRig& sel = freshRig();
    sel.selectWall(2);
    sel.selectWall(5);
    sel.map.walls[2].cstat = 8;
    sel.map.walls[5].cstat = 1;
    sel.enter();
    sel.press({'F'});
    EXPECT_EQ(sel.map.walls[2].cstat, 256);
    EXPECT_EQ(sel.map.walls[5].cstat, 257);
    EXPECT_EQ(sel.status(), sel.msg(124));
    EXPECT_TRUE(sel.cues().empty());
}

TEST(Keys3d, TranslucencyAndSurfaceToggles) {
    KeysRig& rig = freshRig();
    rig.enter();
    WallRecord& w = rig.map.walls[1];
    w.cstat = 512;
    rig.aim(kWallCode | 1);
    rig.press({'T'}, "S");
    EXPECT_EQ(w.cstat, 128);
    EXPECT_EQ(rig.status(), rig.msg(177, {"1"}));
    rig.press({'T'}, "S");
    EXPECT_EQ(w.cstat, 640);
    rig.press({'T'}, "S");
    EXPECT_EQ(w.cstat, 0);
    EXPECT_EQ(rig.status(), rig.msg(179, {"1"}));
    rig.press({'O'});
    EXPECT_EQ(w.cstat, 4);
    EXPECT_EQ(rig.status(), rig.msg(168));

    rig.aim(kCeilingCode | 0);
    rig.press({'T'}, "S");
    EXPECT_EQ(rig.map.sectors[0].ceilingstat & 384, 256);
    EXPECT_EQ(rig.status(), rig.msg(68, {"0"}));
    rig.press({'E'}, "SC");
    EXPECT_EQ(rig.map.sectors[0].ceilingstat & 8, 8);
    EXPECT_EQ(rig.status(), rig.msg(250, {"0"}));
    rig.press({'R'});
    EXPECT_EQ(rig.status(), rig.msg(164, {"0"}));
    rig.cues();
    rig.aim(kFloorCode | 0);
    rig.press({'P'}, "S");
    EXPECT_EQ(rig.map.sectors[0].floorstat & 1, 1);
    EXPECT_EQ(rig.status(), rig.msg(223, {"0"}));
    EXPECT_EQ(rig.cues().size(), 1u);
    // The neighbour's walls show the sky change too.
    expectCacheFresh(rig);

    KeysRig& sel = freshRig();
    sel.selectSector(1);
    sel.selectSector(0);
    sel.map.sectors[0].floorstat = 1;
    sel.enter();
    sel.press({'P'}, "S");
    EXPECT_EQ(sel.map.sectors[0].floorstat & 1, 0);
    EXPECT_EQ(sel.map.sectors[1].floorstat & 1, 0);
    EXPECT_EQ(sel.status(), sel.msg(218));
}

// --- Shade, angle, sprite flags and heights ---

TEST(Keys3d, ShadeWrapsAndReports) {
    KeysRig& rig = freshRig();
    rig.enter();
    rig.map.walls[1].shade = 127;
    rig.aim(kWallCode | 1);
    rig.press({vk::PadMinus});
    EXPECT_EQ(rig.map.walls[1].shade, -128);
    EXPECT_EQ(rig.status(), rig.msg(140, {"1", "-128"}));
    rig.press({vk::Equals});
    EXPECT_EQ(rig.map.walls[1].shade, 127);
    rig.aim(kCeilingCode | 1);
    rig.press({vk::Minus});
    EXPECT_EQ(rig.status(), rig.msg(139, {"1", "1"}));
    rig.aim(kSpriteCode | 2);
    rig.press({vk::PadPlus});
    EXPECT_EQ(rig.status(), rig.msg(137, {"2", "-1"}));
    EXPECT_TRUE(rig.cues().empty());

    KeysRig& sel = freshRig();
    sel.selectSprite(0);
    sel.enter();
    sel.press({vk::Minus});
    EXPECT_EQ(sel.status(), sel.msg(141));
    sel.press({vk::Equals});
    EXPECT_EQ(sel.status(), sel.msg(144));
}

TEST(Keys3d, SpriteAnglesAndFlags) {
    KeysRig& rig = freshRig();
    rig.enter();
    SpriteRecord& sp = rig.map.sprites[1];
    sp.ang = 64;
    rig.aim(kSpriteCode | 1);
    rig.press({vk::Comma});
    EXPECT_EQ(sp.ang, 1984);
    EXPECT_EQ(rig.status(), rig.msg(79, {"1", "1984"}));
    rig.press({vk::Comma}, "S");
    EXPECT_EQ(sp.ang, 1983);
    rig.ed->input.keyRepeatCount[vk::Period] = 4;
    rig.press({vk::Period}, "S");
    EXPECT_EQ(sp.ang, 1988);
    rig.press({'C'});
    EXPECT_EQ(sp.cstat & 128, 128);
    EXPECT_EQ(rig.status(), rig.msg(96, {"1"}));
    EXPECT_EQ(rig.cues().size(), 1u);
    rig.press({'1'});
    EXPECT_EQ(rig.status(), rig.msg(100, {"1"}));
    rig.press({'1'});
    EXPECT_EQ(rig.status(), rig.msg(101, {"1"}));

    KeysRig& sel = freshRig();
    sel.selectSprite(0);
    sel.selectSprite(2);
    sel.map.sprites[0].cstat = 128;
    sel.enter();
    sel.press({'C'});
    EXPECT_EQ(sel.map.sprites[0].cstat & 128, 0);
    EXPECT_EQ(sel.map.sprites[2].cstat & 128, 0);
    EXPECT_EQ(sel.status(), sel.msg(93));
    EXPECT_TRUE(sel.cues().empty());
    sel.press({'1'});
    EXPECT_EQ(sel.status(), sel.msg(99));
    EXPECT_EQ(sel.cues().size(), 1u);
    sel.press({vk::Comma});
    EXPECT_EQ(sel.status(), sel.msg(78, {"128"}));
    sel.press({vk::Comma, vk::Period});
    EXPECT_EQ(sel.map.sprites[2].ang, 0);
    EXPECT_EQ(sel.status(), sel.msg(81));
}

TEST(Keys3d, SpriteHeights) {
    struct Case {
        const char* what;
        int key;
        const char* mods;
        std::vector<int> held;
        int32_t repeat;
        int32_t dz;
    };
    const Case cases[] = {
        {"Delete", vk::Delete, "", {}, 0, 1024},
        {"Delete with Home", vk::Delete, "", {vk::Home}, 0, 128},
        {"Delete with End", vk::Delete, "", {vk::End}, 0, 16},
        {"Delete with both", vk::Delete, "", {vk::Home, vk::End}, 0, 128},
        {"Shift+Delete first press", vk::Delete, "S", {}, 0, 1},
        {"Shift+Delete repeating", vk::Delete, "S", {}, 5, 6},
        {"Insert", vk::Insert, "", {}, 0, -1024},
        {"Shift+Insert", vk::Insert, "S", {vk::Home}, 2, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KeysRig& rig = freshRig();
        rig.enter();
        rig.aim(kSpriteCode | 1);
        for (int k : c.held) rig.holdKey(k);
        rig.ed->input.keyRepeatCount[size_t(c.key)] = c.repeat;
        const int32_t z = rig.map.sprites[1].z;
        rig.press({c.key}, c.mods);
        EXPECT_EQ(rig.map.sprites[1].z, z + c.dz);
        EXPECT_EQ(rig.status(), rig.msg(12, {"1", std::to_string(z + c.dz)}));
    }
}

TEST(Keys3d, DropAndLift) {
    KeysRig& rig = freshRig();
    rig.ed->tiles.tileHeights[kTile8x8] = 64;
    rig.enter();
    SpriteRecord& sp = rig.map.sprites[1];
    sp.yrepeat = 200;
    rig.aim(kSpriteCode | 1);
    rig.press({vk::Insert}, "C");
    EXPECT_EQ(sp.z, -8192 + 51200);
    EXPECT_EQ(rig.status(), rig.msg(214, {"1"}));
    sp.cstat = 32;
    rig.press({vk::Insert}, "C");
    EXPECT_EQ(sp.z, -8192);
    rig.press({vk::Delete}, "C");
    EXPECT_EQ(sp.z, 0);
    EXPECT_EQ(rig.status(), rig.msg(216, {"1"}));

    // Three selected sprites at different heights: all move by the lowest one's gap.
    KeysRig& sel = freshRig();
    for (int32_t k = 0; k < 3; ++k) sel.selectSprite(k);
    sel.map.sprites[0].z = -512;
    sel.enter();
    sel.press({vk::Delete}, "C");
    EXPECT_EQ(sel.map.sprites[0].z, 0);
    EXPECT_EQ(sel.map.sprites[1].z, -512);
    EXPECT_EQ(sel.map.sprites[2].z, -1536);
    EXPECT_EQ(sel.status(), sel.msg(215));
    sel.map.sprites[0].z = 500;  // below its floor: the group rises
    sel.press({vk::Delete}, "C");
    EXPECT_EQ(sel.map.sprites[1].z, -1012);
    sel.press({vk::Insert}, "C");
    EXPECT_EQ(sel.map.sprites[2].z, -8192);
    EXPECT_EQ(sel.status(), sel.msg(213));
}

TEST(Keys3d, DropAndLiftSkipSpritesInNoSector) {
    KeysRig& sel = freshRig();
    for (int32_t k = 0; k < 3; ++k) sel.selectSprite(k);
    sel.enter();
    sel.map.sprites[0].sectnum = -1;
    sel.map.sprites[1].sectnum = 9;
    sel.press({vk::Delete}, "C");
    EXPECT_EQ(sel.map.sprites[0].z, 0);
    EXPECT_EQ(sel.map.sprites[1].z, -1024);
    EXPECT_EQ(sel.map.sprites[2].z, 0);
    sel.map.sprites[2].sectnum = -1;
    sel.map.undoState = UndoState::Nothing;
    const MapStore before = sel.map;
    for (int key : {int(vk::Delete), int(vk::Insert)}) {
        sel.press({key}, "C");
        EXPECT_EQ(contentDifference(before, sel.map), "");
        EXPECT_EQ(sel.map.undoState, UndoState::Nothing);
    }
    sel.map.spriteSelected[0] = sel.map.spriteSelected[2] = 0;
    sel.map.selectedSpriteCount = 1;
    sel.ed->pages.view3d.scene->any3dSelected = 0;
    sel.aim(kSpriteCode | 1);
    sel.press({vk::Delete}, "C");
    EXPECT_EQ(sel.map.sprites[1].z, -1024);
    EXPECT_EQ(sel.map.undoState, UndoState::Nothing);
}

TEST(Keys3d, HeightsSaturateAtTheLimits) {
    KeysRig& rig = freshRig();
    rig.enter();
    rig.map.sprites[1].z = INT32_MAX - 10;
    rig.aim(kSpriteCode | 1);
    rig.press({vk::Delete});
    EXPECT_EQ(rig.map.sprites[1].z, INT32_MAX);
    rig.map.sprites[1].z = INT32_MIN + 5;
    rig.press({vk::Insert});
    EXPECT_EQ(rig.map.sprites[1].z, INT32_MIN);
    rig.map.sprites[1].z = INT32_MIN;
    rig.map.sectors[0].floorz = INT32_MAX;
    rig.press({vk::Delete}, "C");
    EXPECT_EQ(rig.map.sprites[1].z, getTrueFloorZ(rig.map, rig.map.sprites[1].x, rig.map.sprites[1].y, 0));
}

// --- Hostile state and seeded sequences ---

const KeyPress kAllPresses[] = {
    {"Tab", {vk::Tab}, ""},         {"Ctrl+Tab", {vk::Tab}, "C"},   {"Enter", {vk::Enter}, ""},
    {"Ctrl+Enter", {vk::Enter}, "C"}, {"Shift+Enter", {vk::Enter}, "S"},
    {"pad 2", {vk::Pad2}, ""},      {"Alt pad 8", {vk::Pad8}, "A"}, {"pad 4", {vk::Pad4}, ""},
    {"pad 6", {vk::Pad6}, ""},      {"/", {vk::Slash}, ""},        {"\\", {vk::Backslash}, ""},
    {"F", {'F'}, ""},               {"Alt+S", {'S'}, "A"},          {"-", {vk::Minus}, ""},
    {"=", {vk::Equals}, ""},        {"P", {'P'}, ""},               {"Shift+T", {'T'}, "S"},
    {"T", {'T'}, ""},               {"H", {'H'}, ""},               {"V", {'V'}, ""},
    {"O", {'O'}, ""},               {", .", {vk::Comma, vk::Period}, ""},
    {",", {vk::Comma}, "S"},        {".", {vk::Period}, ""},        {"C", {'C'}, ""},
    {"Delete", {vk::Delete}, ""},   {"Ctrl+Delete", {vk::Delete}, "C"},
    {"Insert", {vk::Insert}, ""},   {"Ctrl+Insert", {vk::Insert}, "C"}, {"1", {'1'}, ""},
    {"Shift+E", {'E'}, "S"},        {"Shift+P", {'P'}, "S"},        {"R", {'R'}, ""},
    {"Shift+V", {'V'}, "S"},
};

void pressAt(KeysRig& rig, const KeyPress& p) {
    rig.press(p.keys, p.mods);
    rig.ed->app.currentPage = Page::View3D;
    rig.ed->prompt.promptKind = 0;
}

TEST(Keys3d, HostileStateNeverBreaksAKey) {
    const int32_t aims[] = {kWallCode | 4000, kSpriteCode | 700, kFloorCode | 50, kPartCode | 9,
                            (9 << 16) | 1, kWallCode | 1, kSpriteCode | 1, kCeilingCode | 1};
    KeysRig& rig = freshRig();
    for (int32_t code : aims)
        for (bool locked : {false, true}) {
            SCOPED_TRACE(code);
            rig.reset();
            rig.map.sprites[1].sectnum = -1;
            rig.map.sprites[2].sectnum = 3000;
            rig.map.sprites[1].picnum = 20000;
            rig.map.sprites[2].picnum = -9;
            rig.map.walls[1].point2 = 30000;
            rig.map.walls[1].picnum = -2;
            rig.map.walls[2].nextwall = 9999;
            rig.map.sprites[0].z = INT32_MAX;
            rig.map.sectors[1].floorz = INT32_MIN;
            rig.enter();
            // Selection flags and counts that disagree with the map.
            rig.map.selectedWallCount = 3;
            rig.map.selectedSpriteCount = 2;
            rig.map.spriteSelected[1] = 1;
            rig.ed->pages.view3d.scene->any3dSelected = locked ? 1 : 0;
            if (locked)
                rig.lock(code);
            else
                rig.aim(code);
            for (const KeyPress& p : kAllPresses)
                for (const char* mods : {"", "C", "A", "S", "CAS"}) {
                    KeyPress q = p;
                    q.mods = mods;
                    pressAt(rig, q);
                }
        }
}

TEST(Keys3d, SeededSequencesKeepTheMapAndTheCacheSound) {
    std::mt19937 rng(33);
    const int32_t codes[] = {kWallCode, kFloorCode, kCeilingCode, kPartCode, kSpriteCode};
    KeysRig& rig = freshRig();
    for (int round = 0; round < 300; ++round) {
        rig.reset();
        for (int32_t k = 0; k < 3; ++k)
            if (rng() % 3 == 0) rig.selectSprite(k);
        if (rng() % 4 == 0) rig.selectSector(int32_t(rng() % 2));
        if (rng() % 4 == 0) rig.selectWall(int32_t(rng() % 8));
        rig.enter();
        for (int step = 0; step < 6; ++step) {
            const int32_t kind = int32_t(rng() % 5);
            const int32_t count = kind == 4 ? 3 : kind % 2 == 1 ? 8 : 2;
            rig.aim(codes[kind] | int32_t(rng() % uint32_t(count)));
            if (rng() % 2) rig.holdKey(vk::Pad5); else rig.releaseKey(vk::Pad5);
            if (rng() % 6 == 0) {
                rig.undo();
                build3dView(*rig.ed);
                rig.ed->pages.view3d.view3dState = 0;
            } else {
                const KeyPress& p = kAllPresses[rng() % std::size(kAllPresses)];
                pressAt(rig, p);
            }
        }
        ASSERT_EQ(describeViolations(checkMapInvariants(rig.map)), "") << round;
        expectCacheFresh(rig);
        if (::testing::Test::HasFailure()) FAIL() << round;
    }
}

}  // namespace
}  // namespace korvel::test
