#include "commands/PromptCommands.h"

#include <string>
#include <vector>

#include "app/Editor.h"
#include "app/Sound.h"
#include "base/ValueConv.h"
#include "map/MapEdit.h"
#include "map/Selection.h"
#include "resources/TileLists.h"
#include "ui/Languages.h"

namespace korvel {

namespace {

constexpr int32_t kEffectorTile = 1;
constexpr int32_t kTopicEffectorLotags = 0;
constexpr int32_t kTopicSectorLotags = 1;
constexpr int32_t kTopicSoundNames = 23;
constexpr uint16_t kTranslucent = 128, kTranslucentReverse = 512;
constexpr int32_t kMsgThumbsOff = 180, kMsgThumbsOn = 181;
constexpr int32_t kMsgTranslucentFirst = 177;

enum class Field { Lotag, Hitag, Pal, Shade, Visibility };

struct Opening {
    ValuePromptKind kind;
    int32_t caption;
    std::string value;
    uint8_t negative = 0;
    int32_t number = -1;  // the single object's number shown in the caption, -1 none
};

std::string unsignedByte(uint8_t b) { return std::to_string(int32_t(b)); }

// A shade byte as a magnitude and a sign.
void putShade(Opening& o, int8_t shade) {
    const uint8_t b = uint8_t(shade);
    o.negative = b >= 128 ? 1 : 0;
    o.value = std::to_string(b >= 128 ? 256 - b : int32_t(b));
}

void openPrompt(Editor& ed, const Opening& o) {
    saveUndo(ed.map, ed.undo);
    ValuePromptState& p = ed.prompt;
    p.promptKind = int32_t(o.kind);
    p.promptNegative = o.negative;
    p.promptInput = o.value;
    p.promptText = o.number >= 0 ? getMessage(o.caption, ed.langs, std::to_string(o.number))
                                 : getMessage(o.caption, ed.langs);
    playSound(ed, "command");
}

bool onMapPages(const Editor& ed) {
    return ed.app.currentPage == Page::PlanView || ed.app.currentPage == Page::SideView;
}

// The sector prompts: the selection's first sector, else the hovered one.
void promptSector(Editor& ed, Field f) {
    const MapStore& map = ed.map;
    const bool selection = map.selectedSectorCount > 0;
    const int32_t s = selection ? getFirstSelectedSector(map) : ed.hover.hoveredSector;
    if (!isSector(map, s)) return;
    const SectorRecord& sec = map.sectors[size_t(s)];
    const bool ceiling = ed.settings.ceilingView != 0;
    Opening o{};
    switch (f) {
        case Field::Lotag:
            o = {ValuePromptKind::SectorLotag, selection ? 175 : 176,
                 unsignedInt16ToString(sec.lotag)};
            break;
        case Field::Hitag:
            o = {ValuePromptKind::SectorHitag, selection ? 173 : 174,
                 unsignedInt16ToString(sec.hitag)};
            break;
        case Field::Pal:
            o = ceiling ? Opening{ValuePromptKind::SectorCeilingPal, selection ? 169 : 171,
                                  unsignedByte(sec.ceilingpal)}
                        : Opening{ValuePromptKind::SectorFloorPal, selection ? 170 : 172,
                                  unsignedByte(sec.floorpal)};
            break;
        case Field::Shade:
            o = ceiling ? Opening{ValuePromptKind::SectorCeilingShade, selection ? 74 : 76, {}}
                        : Opening{ValuePromptKind::SectorFloorShade, selection ? 73 : 75, {}};
            putShade(o, ceiling ? sec.ceilingshade : sec.floorshade);
            break;
        case Field::Visibility:
            o = {ValuePromptKind::SectorVisibility, selection ? 71 : 72,
                 unsignedByte(sec.visibility)};
            break;
    }
    if (!selection) o.number = s;
    ed.prompt.targetSector = selection ? kWholeSelection : s;
    openPrompt(ed, o);
    if (f == Field::Lotag) {
        ed.app.helpPopupStep = 0;
        ed.app.helpTopic = kTopicSectorLotags;
    }
}

// The wall and sprite prompts: selected sprites, selected walls, the hovered sprite, the hovered
// wall, then the side view's wall.
void promptObject(Editor& ed, Field f) {
    if (f != Field::Shade) ed.dispatch.areaSelectLatch = 0;
    if (!onMapPages(ed)) return;
    const MapStore& map = ed.map;
    const HoverState& h = ed.hover;
    // Captions per field: selected sprites, selected walls, one sprite, one wall.
    struct Captions {
        ValuePromptKind sprite, wall;
        int32_t selSprite, selWall, oneSprite, oneWall;
    };
    static constexpr Captions kCaptions[] = {
        {ValuePromptKind::SpriteLotag, ValuePromptKind::WallLotag, 198, 199, 200, 201},
        {ValuePromptKind::SpriteHitag, ValuePromptKind::WallHitag, 194, 195, 196, 197},
        {ValuePromptKind::SpritePal, ValuePromptKind::WallPal, 190, 191, 192, 193},
        {ValuePromptKind::SpriteShade, ValuePromptKind::WallShade, 209, 210, 211, 212},
    };
    const Captions& c = kCaptions[size_t(f)];

    int32_t sprite = -1, wall = -1;
    bool selection = false;
    if (map.selectedSpriteCount > 0 && isSprite(map, getFirstSelectedSprite(map))) {
        sprite = getFirstSelectedSprite(map);
        selection = true;
    } else if (map.selectedWallCount > 0 && isWall(map, getFirstSelectedWall(map))) {
        wall = getFirstSelectedWall(map);
        selection = true;
    } else if (isSprite(map, h.hoveredSprite)) {
        sprite = h.hoveredSprite;
    } else if (isWall(map, h.hoveredWall)) {
        wall = h.hoveredWall;
    } else if (ed.app.currentPage == Page::SideView &&
               ed.view.sideViewSubjectKind == SideViewSubjectKind::Wall &&
               isWall(map, ed.view.sideViewSubject)) {
        wall = ed.view.sideViewSubject;
    } else {
        return;
    }

    Opening o{};
    if (sprite >= 0) {
        const SpriteRecord& sp = map.sprites[size_t(sprite)];
        o.kind = c.sprite;
        o.caption = selection ? c.selSprite : c.oneSprite;
        if (f == Field::Lotag) o.value = unsignedInt16ToString(sp.lotag);
        if (f == Field::Hitag) o.value = unsignedInt16ToString(sp.hitag);
        if (f == Field::Pal) o.value = unsignedByte(sp.pal);
        if (f == Field::Shade) putShade(o, sp.shade);
        ed.prompt.targetSprite = selection ? kWholeSelection : sprite;
    } else {
        const WallRecord& w = map.walls[size_t(wall)];
        o.kind = c.wall;
        o.caption = selection ? c.selWall : c.oneWall;
        if (f == Field::Lotag) o.value = unsignedInt16ToString(w.lotag);
        if (f == Field::Hitag) o.value = unsignedInt16ToString(w.hitag);
        if (f == Field::Pal) o.value = unsignedByte(w.pal);
        if (f == Field::Shade) putShade(o, w.shade);
        ed.prompt.targetWall = selection ? kWholeSelection : wall;
    }
    if (!selection) o.number = sprite >= 0 ? sprite : wall;
    openPrompt(ed, o);

    if (sprite < 0 || (f != Field::Lotag && f != Field::Hitag)) return;
    const int32_t picnum = map.sprites[size_t(sprite)].picnum;
    if (f == Field::Lotag && picnum == kEffectorTile) {
        ed.app.helpPopupStep = 0;
        ed.app.helpTopic = kTopicEffectorLotags;
    } else if (picnum == kSoundSpriteTile) {
        std::vector<SpriteSoundTags> tags(size_t(std::max(0, map.spriteCount)));
        for (size_t k = 0; k < tags.size(); ++k)
            tags[k] = {map.sprites[k].picnum, map.sprites[k].lotag, map.sprites[k].hitag};
        countSoundUsage(ed.tileCatalog, tags);
        ed.app.helpPopupStep = 0;
        ed.app.helpTopic = kTopicSoundNames;
    }
}

// T in the side view on a wall: none -> 128 -> 128 + 512 -> none.
void stepWallTranslucency(Editor& ed) {
    const int32_t w = ed.view.sideViewSubject;
    if (!isWall(ed.map, w)) return;
    MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
    uint16_t& cstat = ed.map.walls[size_t(w)].cstat;
    const bool a = cstat & kTranslucent, b = cstat & kTranslucentReverse;
    int32_t step;
    if (a && b) {
        cstat = uint16_t(cstat & ~(kTranslucent | kTranslucentReverse));
        step = 2;
    } else if (a) {
        cstat = uint16_t(cstat | kTranslucent | kTranslucentReverse);
        step = 1;
    } else {
        cstat = uint16_t((cstat | kTranslucent) & ~kTranslucentReverse);
        step = 0;
    }
    edit.commit();
    ed.events.statusMessage(kMsgTranslucentFirst + step, {std::to_string(w)}, 0);
    playSound(ed, "command");
}

}  // namespace

void promptSectorLotag(Editor& ed) {
    switch (ed.app.currentPage) {
        case Page::PlanView: promptSector(ed, Field::Lotag); break;
        case Page::SideView:
            if (ed.view.sideViewSubjectKind == SideViewSubjectKind::Wall) stepWallTranslucency(ed);
            break;
        case Page::TilePicker:
        case Page::TileZoom: {
            uint8_t& mode = ed.pages.tilePicker.tileThumbMode;
            mode = mode ? 0 : 1;
            ed.events.statusMessage(mode ? kMsgThumbsOn : kMsgThumbsOff, {}, 0);
            break;
        }
        default: break;
    }
}

void promptSectorHitag(Editor& ed) {
    if (onMapPages(ed)) promptSector(ed, Field::Hitag);
}
void promptSectorPalette(Editor& ed) {
    if (onMapPages(ed)) promptSector(ed, Field::Pal);
}
void promptSectorShade(Editor& ed) {
    if (ed.app.currentPage == Page::PlanView) promptSector(ed, Field::Shade);
}
void promptVisibility(Editor& ed) {
    if (ed.app.currentPage == Page::PlanView) promptSector(ed, Field::Visibility);
}
void promptLotag(Editor& ed) { promptObject(ed, Field::Lotag); }
void promptHitag(Editor& ed) { promptObject(ed, Field::Hitag); }
void promptPalette(Editor& ed) { promptObject(ed, Field::Pal); }
void promptShade(Editor& ed) { promptObject(ed, Field::Shade); }

}  // namespace korvel
