#include "view3d/View3DKeys.h"

#include <algorithm>
#include <vector>

#include "app/Sound.h"
#include "base/ValueConv.h"
#include "commands/AttributeClipboard.h"
#include "commands/CommandTable.h"
#include "editing/KeyboardDispatcher.h"
#include "map/Selection.h"
#include "map/UndoSnapshot.h"
#include "resources/TileLists.h"
#include "ui/Languages.h"
#include "ui/Toolbar.h"
#include "view3d/Keys3dShared.h"
#include "view3d/Scene3d.h"

namespace korvel {

namespace keys3d {

namespace {

// The first selected object of a kind when it exists, else -1.
int32_t firstWall(const MapStore& m) {
    const int32_t w = getFirstSelectedWall(m);
    return m.selectedWallCount > 0 && isWall(m, w) && m.wallSelected[size_t(w)] ? w : -1;
}
int32_t firstSector(const MapStore& m) {
    const int32_t s = getFirstSelectedSector(m);
    return m.selectedSectorCount > 0 && isSector(m, s) && m.sectorSelected[size_t(s)] ? s : -1;
}
int32_t firstSprite(const MapStore& m) {
    const int32_t k = getFirstSelectedSprite(m);
    return m.selectedSpriteCount > 0 && isSprite(m, k) && m.spriteSelected[size_t(k)] ? k : -1;
}

// A whole-selection target whose selection holds no object is no target.
Target selectionTarget(Aim aim, int32_t first, const Target& t) {
    Target r = t;
    r.aim = first >= 0 ? aim : Aim::None;
    r.index = first;
    return r;
}

}  // namespace

Target resolveTarget(const Editor& ed) {
    const Hit3d w = getHitWall3d(ed), s = getHitSector3d(ed), p = getHitSprite3d(ed);
    Target t;
    t.kindW = w.kind;
    t.side = s.kind;
    if (w.index == kAllSelected3d) return selectionTarget(Aim::SelectedWalls, firstWall(ed.map), t);
    if (s.index == kAllSelected3d)
        return selectionTarget(Aim::SelectedSectors, firstSector(ed.map), t);
    if (p.index == kAllSelected3d)
        return selectionTarget(Aim::SelectedSprites, firstSprite(ed.map), t);
    if (w.index < 0 && s.index >= 0) {
        t.aim = Aim::Sector;
        t.index = s.index;
    } else if (w.index < 0 && s.index < 0 && p.index >= 0) {
        t.aim = Aim::Sprite;
        t.index = p.index;
    } else if (w.index >= 0) {
        t.aim = Aim::Wall;
        t.index = w.index;
    }
    return t;
}

Target wallTarget(const Editor& ed) {
    const Hit3d w = getHitWall3d(ed);
    Target t;
    t.kindW = w.kind;
    if (w.index == kAllSelected3d) return selectionTarget(Aim::SelectedWalls, firstWall(ed.map), t);
    if (w.index >= 0) t = {Aim::Wall, w.index, w.kind, 0};
    return t;
}

Target sectorTarget(const Editor& ed) {
    const Hit3d s = getHitSector3d(ed);
    Target t;
    t.side = s.kind;
    if (s.index == kAllSelected3d)
        return selectionTarget(Aim::SelectedSectors, firstSector(ed.map), t);
    if (s.index >= 0) t = {Aim::Sector, s.index, 0, s.kind};
    return t;
}

Target spriteTarget(const Editor& ed) {
    const Hit3d p = getHitSprite3d(ed);
    Target t;
    if (p.index == kAllSelected3d)
        return selectionTarget(Aim::SelectedSprites, firstSprite(ed.map), t);
    if (p.index >= 0) t = {Aim::Sprite, p.index, 0, 0};
    return t;
}

void cue(Editor& ed) {
    playSound(ed, "command");
}

std::string signedByte(int8_t v) {
    return std::to_string(int32_t(v));
}

}  // namespace keys3d

using namespace keys3d;

namespace {

constexpr int32_t kEffectorTile = 1;
constexpr int32_t kTopicEffectorLotags = 0, kTopicSectorLotags = 1, kTopicSoundNames = 23;

// --- Attribute clipboard ---

AttributePasteRules pasteRules3d(const Editor& ed) {
    // This page never pastes a slope.
    return {false, ed.settings.autoWallSquare != 0};
}

void pasteOntoWall(Editor& ed, int32_t w, bool masked) {
    const AttributeClipboard& clip = ed.attributes.attributeClipboard;
    if (masked)
        pasteMaskedWallAttributes(ed.map, clip, w, pasteRules3d(ed));
    else
        pasteWallAttributes(ed.map, clip, w, pasteRules3d(ed));
}

// --- Value prompts ---

enum class Field { Shade, Pal, Lotag, Hitag, Visibility };

struct PromptRow {
    ValuePromptKind kind;
    int32_t selCaption, oneCaption;
    bool selCue, oneCue;
};

std::string unsignedByte(uint8_t v) {
    return std::to_string(int32_t(v));
}

void putShade(ValuePromptState& p, int8_t shade) {
    const auto b = uint8_t(shade);
    p.promptNegative = b >= 128 ? 1 : 0;
    p.promptInput = std::to_string(b >= 128 ? 256 - b : int32_t(b));
}

void soundHelp(Editor& ed) {
    const MapStore& map = ed.map;
    std::vector<SpriteSoundTags> tags(size_t(std::clamp(map.spriteCount, 0, kMaxSprites)));
    for (size_t k = 0; k < tags.size(); ++k)
        tags[k] = {map.sprites[k].picnum, map.sprites[k].lotag, map.sprites[k].hitag};
    countSoundUsage(ed.tileCatalog, tags);
    ed.app.helpPopupStep = 0;
    ed.app.helpTopic = kTopicSoundNames;
}

void openPrompt3d(Editor& ed, Field f, const Target& t) {
    if (t.aim == Aim::None || t.index < 0) return;
    const MapStore& map = ed.map;
    ValuePromptState& p = ed.prompt;
    PromptRow row{};
    p.promptNegative = 0;
    const int32_t target = t.selection() ? kWholeSelection : t.index;
    if (t.walls()) {
        static constexpr PromptRow kRows[] = {
            {ValuePromptKind::WallShade, 210, 212, true, true},
            {ValuePromptKind::WallPal, 191, 193, true, true},
            {ValuePromptKind::WallLotag, 199, 201, true, true},
            {ValuePromptKind::WallHitag, 195, 197, true, true}};
        row = kRows[size_t(f)];
        const WallRecord& w = map.walls[size_t(t.index)];
        saveUndo(ed.map, ed.undo);
        if (f == Field::Shade) putShade(p, w.shade);
        if (f == Field::Pal) p.promptInput = unsignedByte(w.pal);
        if (f == Field::Lotag) p.promptInput = unsignedInt16ToString(w.lotag);
        if (f == Field::Hitag) p.promptInput = unsignedInt16ToString(w.hitag);
        p.targetWall = target;
        p.targetSector = p.targetSprite = -1;
    } else if (t.sectors()) {
        const bool ceiling = f == Field::Pal ? t.side == 2 : t.side != 0;
        const SectorRecord& s = map.sectors[size_t(t.index)];
        saveUndo(ed.map, ed.undo);
        switch (f) {
            case Field::Shade:
                row = ceiling ? PromptRow{ValuePromptKind::SectorCeilingShade, 74, 76, true, true}
                              : PromptRow{ValuePromptKind::SectorFloorShade, 73, 75, true, true};
                putShade(p, ceiling ? s.ceilingshade : s.floorshade);
                break;
            case Field::Pal:
                row = ceiling ? PromptRow{ValuePromptKind::SectorCeilingPal, 169, 171, false, true}
                              : PromptRow{ValuePromptKind::SectorFloorPal, 170, 172, false, true};
                p.promptInput = unsignedByte(ceiling ? s.ceilingpal : s.floorpal);
                break;
            case Field::Lotag:
                row = {ValuePromptKind::SectorLotag, 175, 176, true, true};
                p.promptInput = unsignedInt16ToString(s.lotag);
                break;
            case Field::Hitag:
                row = {ValuePromptKind::SectorHitag, 173, 174, false, true};
                p.promptInput = unsignedInt16ToString(s.hitag);
                break;
            case Field::Visibility:
                row = {ValuePromptKind::SectorVisibility, 71, 72, true, true};
                p.promptInput = unsignedByte(s.visibility);
                break;
        }
        p.targetSector = target;
        p.targetWall = p.targetSprite = -1;
    } else {
        static constexpr PromptRow kRows[] = {
            {ValuePromptKind::SpriteShade, 209, 211, true, true},
            {ValuePromptKind::SpritePal, 190, 192, true, true},
            {ValuePromptKind::SpriteLotag, 198, 200, true, true},
            {ValuePromptKind::SpriteHitag, 194, 196, true, true}};
        row = kRows[size_t(f)];
        const SpriteRecord& sp = map.sprites[size_t(t.index)];
        saveUndo(ed.map, ed.undo);
        if (f == Field::Shade) putShade(p, sp.shade);
        if (f == Field::Pal) p.promptInput = unsignedByte(sp.pal);
        if (f == Field::Lotag) p.promptInput = unsignedInt16ToString(sp.lotag);
        if (f == Field::Hitag) p.promptInput = unsignedInt16ToString(sp.hitag);
        p.targetSprite = target;
        p.targetSector = p.targetWall = -1;
    }
    p.promptKind = int32_t(row.kind);
    p.promptText = t.selection() ? getMessage(row.selCaption, ed.langs)
                                 : getMessage(row.oneCaption, ed.langs, std::to_string(t.index));
    if (t.sectors() && (f == Field::Lotag || f == Field::Hitag)) {
        ed.app.helpPopupStep = 0;
        ed.app.helpTopic = kTopicSectorLotags;
    }
    if (t.sprites() && (f == Field::Lotag || f == Field::Hitag)) {
        const int32_t picnum = map.sprites[size_t(t.index)].picnum;
        if (f == Field::Lotag && picnum == kEffectorTile) {
            ed.app.helpPopupStep = 0;
            ed.app.helpTopic = kTopicEffectorLotags;
        } else if (picnum == kSoundSpriteTile) {
            soundHelp(ed);
        }
    }
    if (t.selection() ? row.selCue : row.oneCue) cue(ed);
}

// --- The tile picker ---

void fillUsedTiles(Editor& ed, const Target& t, bool ceiling) {
    const MapStore& map = ed.map;
    TileCatalog& cat = ed.tileCatalog;
    std::vector<int16_t> picnums;
    if (t.walls()) {
        const bool masked = t.kindW == int32_t(SurfaceKind::WallPart);
        for (int32_t w = 0; w < std::clamp(map.wallCount, 0, kMaxWalls); ++w)
            picnums.push_back(masked ? map.walls[size_t(w)].overpicnum : map.walls[size_t(w)].picnum);
        if (masked)
            listUsedMaskedWallTiles(cat, picnums);
        else
            listUsedWallTiles(cat, picnums);
        ed.pages.tilePicker.targetOverpicnum = masked ? 1 : 0;
    } else if (t.sectors()) {
        for (int32_t s = 0; s < std::clamp(map.sectorCount, 0, kMaxSectors); ++s)
            picnums.push_back(ceiling ? map.sectors[size_t(s)].ceilingpicnum
                                      : map.sectors[size_t(s)].floorpicnum);
        if (ceiling)
            listUsedCeilingTiles(cat, picnums);
        else
            listUsedFloorTiles(cat, picnums);
    } else {
        for (int32_t k = 0; k < std::clamp(map.spriteCount, 0, kMaxSprites); ++k)
            picnums.push_back(map.sprites[size_t(k)].picnum);
        listUsedSpriteTiles(cat, picnums);
    }
}

int32_t currentTile(const Editor& ed, const Target& t, bool ceiling) {
    const MapStore& map = ed.map;
    if (t.walls())
        return t.kindW == int32_t(SurfaceKind::WallPart) ? map.walls[size_t(t.index)].overpicnum
                                                         : map.walls[size_t(t.index)].picnum;
    if (t.sectors())
        return ceiling ? map.sectors[size_t(t.index)].ceilingpicnum
                       : map.sectors[size_t(t.index)].floorpicnum;
    return map.sprites[size_t(t.index)].picnum;
}

}  // namespace

// --- Dispatch ---

void process3DKeys(Editor& ed) {
    InputState& in = ed.input;
    const DispatchState& d = ed.dispatch;
    const ChordContext where{ed.app.currentPage, true, d.ctrlHeld, d.altHeld, d.shiftHeld};
    for (const CommandRow& row : commandTable()) {
        if (!row.chords[0].liveViewFirst) continue;
        for (const KeyChord& chord : row.chords) {
            if (!chordMatches(chord, where, in)) continue;
            // The press is taken before the target is sought, so a press with nothing to act
            // on reaches no other command either.
            for (const KeyChord& c : row.chords) {
                if (c.key != 0) in.keyPressed[c.key] = 0;
                if (c.key2 != 0) in.keyPressed[c.key2] = 0;
            }
            row.run(ed);
            break;
        }
    }
}

// --- Tab and Enter ---

void copyAttributes3d(Editor& ed) {
    const Hit3d w = getHitWall3d(ed), s = getHitSector3d(ed), p = getHitSprite3d(ed);
    AttributeClipboard& clip = ed.attributes.attributeClipboard;
    const MapStore& map = ed.map;
    const auto single = [](int32_t i) { return i >= 0 && i < kAllSelected3d; };
    if (single(w.index)) {
        if (w.kind == int32_t(SurfaceKind::WallPart))
            copyMaskedWallAttributes(map, clip, w.index);
        else
            copyWallAttributes(map, clip, w.index);
    } else if (single(s.index)) {
        if (s.kind != 0)
            copySectorCeilingAttributes(map, clip, s.index);
        else
            copySectorFloorAttributes(map, clip, s.index);
    } else if (single(p.index)) {
        copySpriteAttributes(map, clip, p.index);
    } else {
        return;
    }
    if (ed.dispatch.ctrlHeld) clip.kind = AttributeClipboardKind::TextureOnly;
    cue(ed);
}

void pasteAttributes3d(Editor& ed) {
    const Target t = resolveTarget(ed);
    if (t.aim == Aim::None) return;
    AttributeClipboard& clip = ed.attributes.attributeClipboard;
    const AttributeClipboardKind kept = clip.kind;
    if (ed.dispatch.shiftHeld) clip.kind = AttributeClipboardKind::TextureOnly;
    const bool masked = t.kindW == int32_t(SurfaceKind::WallPart);
    const bool ceiling = t.side != 0;
    CommandEdit edit(ed);
    MapStore& map = ed.map;
    if (t.aim == Aim::Wall && ed.dispatch.ctrlHeld) {
        // Around the wall's loop; a broken ring ends the walk where it breaks.
        int32_t w = t.index;
        for (int32_t steps = 0; steps < map.wallCount; ++steps) {
            pasteOntoWall(ed, w, masked);
            refresh3dWall(ed, w);
            const int32_t next = map.walls[size_t(w)].point2;
            if (!isWall(map, next) || next == t.index) break;
            w = next;
        }
    } else {
        forEachObject(ed, t, [&](int32_t i) {
            if (t.walls())
                pasteOntoWall(ed, i, masked);
            else if (t.sectors() && ceiling)
                pasteSectorCeilingAttributes(map, clip, i, pasteRules3d(ed));
            else if (t.sectors())
                pasteSectorFloorAttributes(map, clip, i, pasteRules3d(ed));
            else
                pasteSpriteAttributes(map, clip, i);
        });
    }
    edit.commit();
    clip.kind = kept;
    cue(ed);
}

// --- Prompts ---

void promptShade3d(Editor& ed) { openPrompt3d(ed, Field::Shade, resolveTarget(ed)); }
void promptPal3d(Editor& ed) { openPrompt3d(ed, Field::Pal, resolveTarget(ed)); }
void promptLotag3d(Editor& ed) { openPrompt3d(ed, Field::Lotag, resolveTarget(ed)); }
void promptHitag3d(Editor& ed) { openPrompt3d(ed, Field::Hitag, resolveTarget(ed)); }
void promptVisibility3d(Editor& ed) { openPrompt3d(ed, Field::Visibility, sectorTarget(ed)); }

// --- V ---

void pickTile3d(Editor& ed) {
    const Target t = resolveTarget(ed);
    if (t.aim == Aim::None || t.index < 0) return;
    TilePickerState& picker = ed.pages.tilePicker;
    ValuePromptState& p = ed.prompt;
    std::fill(ed.tileCatalog.tileList.begin(), ed.tileCatalog.tileList.end(), -1);
    ed.app.currentPage = Page::TilePicker;
    picker.tilePickerShowAll = 0;
    picker.tilePickerTopRow = 0;
    const int32_t target = t.selection() ? kWholeSelection : t.index;
    p.targetWall = t.walls() ? target : -1;
    p.targetSector = t.sectors() ? target : -1;
    p.targetSprite = t.sprites() ? target : -1;
    const bool ceiling = t.selection() ? t.side == 2 : t.side != 0;
    fillUsedTiles(ed, t, ceiling);
    const int32_t tile = currentTile(ed, t, ceiling);
    const std::vector<int32_t>& list = ed.tileCatalog.tileList;
    for (size_t i = 0; i < list.size() && list[i] != -1; ++i)
        if (list[i] == tile) {
            picker.tilePickerCursor = int32_t(i);
            break;
        }
    cue(ed);
    if (t.selection()) {
        updateSelectionLayerMask(ed.tool);
        rebuildToolbar(ed);
    }
}

}  // namespace korvel
