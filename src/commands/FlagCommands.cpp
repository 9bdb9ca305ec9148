#include "commands/FlagCommands.h"

#include "app/Editor.h"
#include "app/EditorEvents.h"
#include "commands/CommandTargets.h"
#include "commands/ValueGridCommands.h"
#include "geometry/WallTexture.h"
#include "map/UndoSnapshot.h"
#include "ui/Toolbar.h"

namespace korvel {

namespace {

using K = TargetKind;

// Messages of a toggle: selection cleared / set, hovered cleared / set (0: none).
struct ToggleMessages {
    int32_t selCleared, selSet, hovCleared, hovSet;
};

// --- Sprite and wall bits: B and Ctrl+H ---

// Toggles the sprite bit or the wall bit on the first target of: selected sprites, hovered
// sprite, selected walls, hovered wall (with its twin unless Shift is held).
void toggleSpriteOrWallBit(Editor& ed, uint16_t spriteBit, uint16_t wallBit) {
    if (!onMapPage(ed)) return;
    const CommandTarget t =
        findTarget(ed, {K::SelectedSprites, K::HoveredSprite, K::SelectedWalls, K::HoveredWall});
    if (!t.found()) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    switch (t.kind) {
        case K::SelectedSprites: {
            const bool set = toggledFromFirst(
                map.sprites[size_t(getFirstSelectedSprite(map))].cstat & spriteBit);
            forEachSelected(map.spriteSelected, map.spriteCount, [&](int32_t k) {
                uint16_t& c = map.sprites[size_t(k)].cstat;
                c = set ? uint16_t(c | spriteBit) : uint16_t(c & ~spriteBit);
            });
            break;
        }
        case K::HoveredSprite:
            map.sprites[size_t(t.index)].cstat ^= spriteBit;
            break;
        case K::SelectedWalls: {
            const bool set =
                toggledFromFirst(map.walls[size_t(getFirstSelectedWall(map))].cstat & wallBit);
            forEachSelected(map.wallSelected, map.wallCount, [&](int32_t w) {
                uint16_t& c = map.walls[size_t(w)].cstat;
                c = set ? uint16_t(c | wallBit) : uint16_t(c & ~wallBit);
            });
            break;
        }
        default: {
            uint16_t& c = map.walls[size_t(t.index)].cstat;
            c ^= wallBit;
            const int32_t twin = wallTwin(map, t.index);
            if (twin >= 0 && !ed.dispatch.shiftHeld) {
                uint16_t& tc = map.walls[size_t(twin)].cstat;
                tc = (c & wallBit) ? uint16_t(tc | wallBit) : uint16_t(tc & ~wallBit);
            }
            break;
        }
    }
    edit.commit();
}

// M and 2: a bit of the side view's wall, given to its twin unless Shift is held.
void toggleSubjectWallBit(Editor& ed, uint16_t bit, int32_t msgCleared, int32_t msgSet) {
    const int32_t w = wallSubject(ed);
    if (w < 0) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    uint16_t& c = map.walls[size_t(w)].cstat;
    c ^= bit;
    const bool set = c & bit;
    const int32_t twin = wallTwin(map, w);
    if (twin >= 0 && !ed.dispatch.shiftHeld) {
        uint16_t& tc = map.walls[size_t(twin)].cstat;
        tc = set ? uint16_t(tc | bit) : uint16_t(tc & ~bit);
    }
    edit.commit();
    report(ed, set ? msgSet : msgCleared);
    cueCommand(ed);
}

// --- Sector side bits: R, Ctrl+P, Ctrl+E on sectors ---

uint16_t& sideStat(SectorRecord& r, bool ceiling) {
    return ceiling ? r.ceilingstat : r.floorstat;
}

// Toggles a stat bit of the selected sectors or the hovered sector (view side), reporting with
// the floor or ceiling messages; returns false when there was no target.
bool toggleSectorBit(Editor& ed, const CommandTarget& t, uint16_t bit, const ToggleMessages& floor,
                     const ToggleMessages& ceiling) {
    MapStore& map = ed.map;
    const ToggleMessages& m = t.ceiling ? ceiling : floor;
    CommandEdit edit(ed);
    if (t.kind == K::SelectedSectors) {
        const bool set = toggledFromFirst(
            sideStat(map.sectors[size_t(getFirstSelectedSector(map))], t.ceiling) & bit);
        forEachSelected(map.sectorSelected, map.sectorCount, [&](int32_t s) {
            uint16_t& c = sideStat(map.sectors[size_t(s)], t.ceiling);
            c = set ? uint16_t(c | bit) : uint16_t(c & ~bit);
        });
        edit.commit();
        report(ed, set ? m.selSet : m.selCleared);
    } else {
        uint16_t& c = sideStat(map.sectors[size_t(t.index)], t.ceiling);
        c ^= bit;
        edit.commit();
        report(ed, (c & bit) ? m.hovSet : m.hovCleared, {num(t.index)});
    }
    cueCommand(ed);
    return true;
}

CommandTarget sectorTarget(const Editor& ed) {
    return findTarget(ed, {K::SelectedSectors, K::HoveredSector}, SideRule::View, SideRule::View);
}

// --- Cycles ---

// The next value of a field in its cycle: `from[i]` goes to `to[i]`; the index of the
// transition tells the message.
struct Cycle {
    uint16_t mask;
    uint16_t from[4];
    uint16_t to[4];
    int32_t messageIndex[4];  // which of the three messages the transition reports
    int32_t n;
};

constexpr Cycle kOrientationCycle{
    kSpriteAlignment, {0, 16, 32, 48}, {16, 32, 0, 0}, {0, 1, 2, 2}, 4};
constexpr Cycle kSpriteTranslucencyCycle{514, {0, 512, 2, 514}, {2, 2, 514, 0}, {0, 0, 1, 2}, 4};
constexpr Cycle kSectorTranslucencyCycle{
    384, {0, 128, 256, 384}, {256, 256, 384, 0}, {0, 0, 1, 2}, 4};

int32_t cycleStep(const Cycle& c, uint16_t value, uint16_t& next) {
    const uint16_t v = value & c.mask;
    for (int32_t i = 0; i < c.n; ++i)
        if (c.from[i] == v) {
            next = c.to[i];
            return c.messageIndex[i];
        }
    next = 0;
    return 2;
}

uint16_t withField(uint16_t word, uint16_t mask, uint16_t field) {
    return uint16_t((word & ~mask) | field);
}

// Applies a cycle to selected sprites or the hovered sprite; msgs: selection[3], hovered[3].
void cycleSprites(Editor& ed, const CommandTarget& t, const Cycle& c, const int32_t (&sel)[3],
                  const int32_t (&hov)[3]) {
    MapStore& map = ed.map;
    uint16_t next = 0;
    CommandEdit edit(ed);
    if (t.kind == K::SelectedSprites) {
        const int32_t mi =
            cycleStep(c, map.sprites[size_t(getFirstSelectedSprite(map))].cstat, next);
        forEachSelected(map.spriteSelected, map.spriteCount, [&](int32_t k) {
            uint16_t& w = map.sprites[size_t(k)].cstat;
            w = withField(w, c.mask, next);
        });
        edit.commit();
        report(ed, sel[mi]);
    } else {
        uint16_t& w = map.sprites[size_t(t.index)].cstat;
        const int32_t mi = cycleStep(c, w, next);
        w = withField(w, c.mask, next);
        edit.commit();
        report(ed, hov[mi], {num(t.index)});
    }
    cueCommand(ed);
}

// --- F: the flip bits counted up ---

// The flip digits of a word, low digit first, as the counter's value.
int32_t flipCount(uint16_t word, const uint16_t* bits, int32_t n) {
    int32_t v = 0;
    for (int32_t i = 0; i < n; ++i)
        if (word & bits[i]) v |= 1 << i;
    return v;
}
uint16_t withFlipCount(uint16_t word, const uint16_t* bits, int32_t n, int32_t v) {
    for (int32_t i = 0; i < n; ++i) {
        word = uint16_t(word & ~bits[i]);
        if (v & (1 << i)) word = uint16_t(word | bits[i]);
    }
    return word;
}
uint16_t flipped(uint16_t word, const uint16_t* bits, int32_t n) {
    return withFlipCount(word, bits, n, (flipCount(word, bits, n) + 1) % (1 << n));
}

constexpr uint16_t kSpriteFlipBits[2] = {kSpriteFlipX, kSpriteFlipY};
constexpr uint16_t kSectorFlipBits[3] = {kSurfaceSwapXY, kSurfaceFlipX, kSurfaceFlipY};
constexpr uint16_t kWallFlipBits[2] = {kWallFlipX, kWallFlipY};

}  // namespace

void toggleBlocking(Editor& ed) {
    if (ed.app.currentPage == Page::SparksToy) {
        uint8_t& on = ed.pages.sparksToy.sparkInteraction;
        on = uint8_t(1 - on);
        report(ed, on ? 109 : 108);
        return;
    }
    toggleSpriteOrWallBit(ed, kSpriteBlocking, kWallBlocking);
}

void toggleHitscan(Editor& ed) {
    toggleSpriteOrWallBit(ed, kSpriteHitscan, kWallHitscan);
}

void toggleWallMasking(Editor& ed) {
    toggleSubjectWallBit(ed, kWallMasked, 86, 87);
}

void toggleWallSwapBottom(Editor& ed) {
    toggleSubjectWallBit(ed, kWallSwapBottom, 104, 105);
}

void toggleOneSided(Editor& ed) {
    if (!onMapPage(ed)) return;
    const CommandTarget t = findTarget(ed, {K::SelectedSprites, K::HoveredSprite, K::SubjectWall});
    if (!t.found()) return;
    MapStore& map = ed.map;
    const bool ceilingView = viewSide(ed);
    // A floor sprite made one-sided faces the side being edited.
    const auto write = [&](uint16_t& c, bool set) {
        c = set ? uint16_t(c | kSpriteOneSided) : uint16_t(c & ~kSpriteOneSided);
        if (set && (c & kSpriteFloorAligned))
            c = ceilingView ? uint16_t(c | kSpriteFlipY) : uint16_t(c & ~kSpriteFlipY);
    };
    CommandEdit edit(ed);
    if (t.kind == K::SelectedSprites) {
        const bool set = toggledFromFirst(map.sprites[size_t(getFirstSelectedSprite(map))].cstat &
                                          kSpriteOneSided);
        forEachSelected(map.spriteSelected, map.spriteCount,
                        [&](int32_t k) { write(map.sprites[size_t(k)].cstat, set); });
        edit.commit();
        report(ed, set ? 99 : 98);
    } else if (t.kind == K::HoveredSprite) {
        uint16_t& c = map.sprites[size_t(t.index)].cstat;
        const bool set = !(c & kSpriteOneSided);
        write(c, set);
        edit.commit();
        report(ed, set ? 100 : 101, {num(t.index)});
    } else {
        uint16_t& c = map.walls[size_t(t.index)].cstat;
        c ^= kWallOneWayMasked;
        edit.commit();
        report(ed, (c & kWallOneWayMasked) ? 103 : 102);
    }
    cueCommand(ed);
}

void cycleSpriteOrientation(Editor& ed) {
    if (!onMapPage(ed)) return;
    const CommandTarget t = findTarget(ed, {K::SelectedSprites, K::HoveredSprite});
    if (!t.found()) return;
    cycleSprites(ed, t, kOrientationCycle, {202, 203, 204}, {205, 206, 207});
}

void cycleTranslucency(Editor& ed) {
    if (!onMapPage(ed)) return;
    const CommandTarget t =
        findTarget(ed, {K::SelectedSprites, K::SelectedSectors, K::HoveredSprite, K::HoveredSector},
                   SideRule::View, SideRule::Pointed);
    if (!t.found()) return;
    if (t.kind == K::SelectedSprites || t.kind == K::HoveredSprite) {
        cycleSprites(ed, t, kSpriteTranslucencyCycle, {53, 54, 55}, {62, 63, 64});
        return;
    }
    static constexpr int32_t kSelCeiling[3] = {56, 57, 58}, kSelFloor[3] = {59, 60, 61};
    static constexpr int32_t kHovCeiling[3] = {68, 69, 70}, kHovFloor[3] = {65, 66, 67};
    const Cycle& c = kSectorTranslucencyCycle;
    MapStore& map = ed.map;
    uint16_t next = 0;
    CommandEdit edit(ed);
    if (t.kind == K::SelectedSectors) {
        const int32_t mi = cycleStep(
            c, sideStat(map.sectors[size_t(getFirstSelectedSector(map))], t.ceiling), next);
        forEachSelected(map.sectorSelected, map.sectorCount, [&](int32_t s) {
            uint16_t& w = sideStat(map.sectors[size_t(s)], t.ceiling);
            w = withField(w, c.mask, next);
        });
        edit.commit();
        report(ed, (t.ceiling ? kSelCeiling : kSelFloor)[mi]);
    } else {
        uint16_t& w = sideStat(map.sectors[size_t(t.index)], t.ceiling);
        const int32_t mi = cycleStep(c, w, next);
        w = withField(w, c.mask, next);
        edit.commit();
        report(ed, (t.ceiling ? kHovCeiling : kHovFloor)[mi], {num(t.index)});
    }
    cueCommand(ed);
}

void cycleTextureFlip(Editor& ed) {
    if (ed.app.currentPage == Page::SparksToy) {
        uint8_t& on = ed.pages.sparksToy.sparkDamping;
        on = uint8_t(1 - on);
        report(ed, on ? 128 : 127);
        return;
    }
    if (!onMapPage(ed)) return;
    const CommandTarget t = findTarget(ed,
                                       {K::SelectedSprites, K::SelectedSectors, K::HoveredSprite,
                                        K::HoveredSector, K::SubjectWall},
                                       SideRule::View, SideRule::View);
    if (!t.found()) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    switch (t.kind) {
        case K::SelectedSprites: {
            const uint16_t first = map.sprites[size_t(getFirstSelectedSprite(map))].cstat;
            const int32_t v = (flipCount(first, kSpriteFlipBits, 2) + 1) % 4;
            forEachSelected(map.spriteSelected, map.spriteCount, [&](int32_t k) {
                uint16_t& c = map.sprites[size_t(k)].cstat;
                c = withFlipCount(c, kSpriteFlipBits, 2, v);
            });
            edit.commit();
            static constexpr int32_t kMsgs[4] = {113, 110, 111, 112};
            report(ed, kMsgs[v]);
            return;
        }
        case K::HoveredSprite: {
            uint16_t& c = map.sprites[size_t(t.index)].cstat;
            c = flipped(c, kSpriteFlipBits, 2);
            edit.commit();
            report(ed, 114, {num(t.index), bit(c & kSpriteFlipX), bit(c & kSpriteFlipY)});
            cueCommand(ed);
            return;
        }
        case K::SelectedSectors: {
            const uint16_t first =
                sideStat(map.sectors[size_t(getFirstSelectedSector(map))], t.ceiling);
            const int32_t v = (flipCount(first, kSectorFlipBits, 3) + 1) % 8;
            forEachSelected(map.sectorSelected, map.sectorCount, [&](int32_t s) {
                uint16_t& c = sideStat(map.sectors[size_t(s)], t.ceiling);
                c = withFlipCount(c, kSectorFlipBits, 3, v);
            });
            edit.commit();
            const uint16_t now =
                sideStat(map.sectors[size_t(getFirstSelectedSector(map))], t.ceiling);
            report(ed, t.ceiling ? 116 : 115,
                   {bit(now & kSurfaceSwapXY), bit(now & kSurfaceFlipX), bit(now & kSurfaceFlipY)});
            cueCommand(ed);
            return;
        }
        case K::HoveredSector: {
            uint16_t& c = sideStat(map.sectors[size_t(t.index)], t.ceiling);
            c = flipped(c, kSectorFlipBits, 3);
            edit.commit();
            report(ed, t.ceiling ? 117 : 118,
                   {num(t.index), bit(c & kSurfaceSwapXY), bit(c & kSurfaceFlipX),
                    bit(c & kSurfaceFlipY)});
            cueCommand(ed);
            return;
        }
        default: {
            int32_t w = t.index;
            const int32_t twin = wallTwin(map, w);
            if ((map.walls[size_t(w)].cstat & kWallSwapBottom) && ed.hover.sideViewWallPart == 1 &&
                twin >= 0)
                w = twin;
            uint16_t& c = map.walls[size_t(w)].cstat;
            c = flipped(c, kWallFlipBits, 2);
            edit.commit();
            static constexpr int32_t kMsgs[4] = {122, 119, 120, 121};
            report(ed, kMsgs[flipCount(c, kWallFlipBits, 2)]);
            return;
        }
    }
}

void toggleSectorRelativeAlign(Editor& ed) {
    if (!onMapPage(ed)) return;
    ToolState& tool = ed.tool;
    if (tool.currentTool == Tool::DrawPolygon) {
        if (ed.drawVertices.toolPointCount < 2) return;
        tool.toolAltMode = uint8_t(tool.toolAltMode ? 0 : 1);
        report(ed, tool.toolAltMode ? 156 : 155);
        cueCommand(ed);
        return;
    }
    if (tool.currentTool == Tool::AffineGrid) {
        squareAffineGrid(ed);
        return;
    }
    const CommandTarget t = sectorTarget(ed);
    if (!t.found()) return;
    toggleSectorBit(ed, t, kSurfaceRelativeAlign, {157, 158, 161, 162}, {159, 160, 163, 164});
}

void toggleParallax(Editor& ed) {
    if (!onMapPage(ed)) return;
    const CommandTarget t = sectorTarget(ed);
    if (!t.found()) return;
    toggleSectorBit(ed, t, kSurfaceParallax, {218, 219, 222, 223}, {220, 221, 224, 225});
}

void promptStatnumOrToggleExpand(Editor& ed) {
    if (!onMapPage(ed)) return;
    const CommandTarget t =
        findTarget(ed, {K::SelectedSprites, K::SelectedSectors, K::HoveredSprite, K::HoveredSector},
                   SideRule::View, SideRule::View);
    if (!t.found()) return;
    if (t.kind == K::SelectedSectors || t.kind == K::HoveredSector) {
        toggleSectorBit(ed, t, kSurfaceDoubleSmoosh, {242, 243, 247, 248}, {244, 245, 249, 250});
        return;
    }
    // The prompt writes the value later and marks the map modified only then; Esc leaves the
    // map as it was.
    MapStore& map = ed.map;
    saveUndo(map, ed.undo);
    ValuePromptState& p = ed.prompt;
    const bool selection = t.kind == K::SelectedSprites;
    const int32_t k = selection ? getFirstSelectedSprite(map) : t.index;
    p.promptKind = int32_t(ValuePromptKind::SpriteStatnum);
    p.promptNegative = 0;
    p.promptInput = num(map.sprites[size_t(k)].statnum);
    p.targetSprite = selection ? kWholeSelection : t.index;
    p.promptText = selection ? messageText(ed, {241, {}, 0}) : messageText(ed, {246, {num(k)}, 0});
    cueCommand(ed);
}

void resetProperties(Editor& ed) {
    if (!onMapPage(ed)) return;
    if (ed.bookmarks.bookmarkTool) {
        ed.bookmarks.bookmarkX.fill(0);
        ed.bookmarks.bookmarkY.fill(0);
        ed.bookmarks.bookmarkZoom.fill(0);
        cueCommand(ed);
        return;
    }
    const CommandTarget t = findTarget(ed,
                                       {K::SelectedSprites, K::SelectedSectors, K::HoveredSprite,
                                        K::HoveredSector, K::HoveredWall, K::SubjectWall},
                                       SideRule::View, SideRule::View);
    if (!t.found()) return;
    MapStore& map = ed.map;
    const auto resetSprite = [&](int32_t k) {
        SpriteRecord& sp = map.sprites[size_t(k)];
        sp.cstat = 0;
        sp.xrepeat = 32;
        sp.yrepeat = 32;
    };
    const auto resetSector = [&](int32_t s) {
        SectorRecord& r = map.sectors[size_t(s)];
        if (t.ceiling) {
            r.ceilingxpanning = r.ceilingypanning = 0;
            r.ceilingstat = 0;
            r.ceilingheinum = 0;
        } else {
            r.floorxpanning = r.floorypanning = 0;
            r.floorstat = 0;
            r.floorheinum = 0;
        }
    };
    CommandEdit edit(ed);
    switch (t.kind) {
        case K::SelectedSprites:
            forEachSelected(map.spriteSelected, map.spriteCount, resetSprite);
            break;
        case K::SelectedSectors:
            forEachSelected(map.sectorSelected, map.sectorCount, resetSector);
            break;
        case K::HoveredSprite:
            resetSprite(t.index);
            break;
        case K::HoveredSector:
            resetSector(t.index);
            break;
        default: {
            WallRecord& w = map.walls[size_t(t.index)];
            w.cstat = 0;
            w.yrepeat = 8;
            w.xpanning = 0;
            w.ypanning = 0;
            squareWallTexture(map, t.index);
            break;
        }
    }
    edit.commit();
    cueCommand(ed);
}

void squareWallOrToggleBookmarks(Editor& ed) {
    if (onSideView(ed)) {
        const int32_t w = wallSubject(ed);
        if (w < 0) return;
        CommandEdit edit(ed);
        squareWallTexture(ed.map, w);
        edit.commit();
        report(ed, 18);
        cueCommand(ed);
        return;
    }
    if (!onPlanView(ed)) return;
    if (ed.tool.selectionMode == SelectionMode::AreaSettings) rebuildToolbar(ed);
    ViewBookmarks& b = ed.bookmarks;
    b.bookmarkTool = uint8_t(1 - b.bookmarkTool);
    if (b.bookmarkTool) {
        ed.tool.currentTool = Tool::ViewBookmarks;
        ed.app.helpTopic = 36;
        ed.app.helpPopupStep = 0;
    } else {
        endTool(ed);
    }
    cueCommand(ed);
}

}  // namespace korvel
