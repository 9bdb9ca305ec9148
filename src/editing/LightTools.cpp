#include "editing/LightTools.h"

#include <algorithm>

#include "app/Editor.h"
#include "app/Sound.h"
#include "editing/DrawingTool.h"
#include "geometry/Lighting.h"
#include "map/MapEdit.h"

namespace korvel {
namespace {

int32_t listedCount(const MapStore& map) {
    return std::clamp(map.lightSpriteCount, 0, kMaxSprites);
}

bool isListed(const MapStore& map, int32_t sprite) {
    for (int32_t i = 0; i < listedCount(map); ++i)
        if (map.lightSprites[i] == sprite) return true;
    return false;
}

int8_t surfaceShade(int32_t lightShadeBase, int32_t value) {
    return int8_t(std::clamp(lightValueToShade(lightShadeBase, value), -127, 32));
}

// Shades the selected sectors' floors (ceilings in the ceiling view), else the selected walls,
// else the selected sprites; with nothing selected, the hovered sprite, sector or wall.
void shadeFromLight(Editor& ed) {
    MapStore& map = ed.map;
    const int32_t base = ed.tool.shadeLightHeight;
    const bool ceiling = ed.settings.ceilingView != 0;
    MapEdit edit(map, ed.undo, ed.events,
                 ed.sound.batchDepth == 0 ? EditUndo::Snapshot : EditUndo::None);
    ed.tool.lightPlaneSector = -1;
    ed.tool.lightPlaneSide = 255;
    const auto shadeSector = [&](int32_t s) {
        const int8_t v = surfaceShade(base, getSectorLightValue(map, s, ceiling ? 1 : 0));
        (ceiling ? map.sectors[s].ceilingshade : map.sectors[s].floorshade) = v;
    };
    const auto shadeWall = [&](int32_t w) {
        map.walls[w].shade = surfaceShade(base, getWallLightValue(map, w));
    };
    const auto shadeSprite = [&](int32_t k) {
        map.sprites[k].shade = surfaceShade(base, getSpriteLightValue(map, k));
    };
    const auto forSelected = [](int32_t count, const auto& selected, const auto& shade) {
        bool any = false;
        for (int32_t i = 0; i < count; ++i)
            if (selected[i]) {
                shade(i);
                any = true;
            }
        return any;
    };
    if (forSelected(map.sectorCount, map.sectorSelected, shadeSector) ||
        forSelected(map.wallCount, map.wallSelected, shadeWall) ||
        forSelected(map.spriteCount, map.spriteSelected, shadeSprite)) {
    } else if (isSprite(map, ed.hover.hoveredSprite)) {
        shadeSprite(ed.hover.hoveredSprite);
    } else if (isSector(map, ed.hover.hoveredSector)) {
        shadeSector(ed.hover.hoveredSector);
    } else if (isWall(map, ed.hover.hoveredWall)) {
        shadeWall(ed.hover.hoveredWall);
    }
    edit.commit();
}

void castShadows(Editor& ed) {
    MapStore& map = ed.map;
    const int32_t k = ed.hover.hoveredSprite;
    if (!isSprite(map, k) || !isListed(map, k)) return;
    MapEdit edit(map, ed.undo, ed.events,
                 ed.sound.batchDepth == 0 ? EditUndo::Snapshot : EditUndo::None);
    ed.tool.currentTool = Tool::Idle;
    ed.events.playCue("command");
    {
        MuteBracket mute(ed.sound, ed.settings);
        DrawingToolFeed feed(ed);
        cutShadowsFromSprite(map, edit.events(), feed, k);
    }
    edit.commit();
}

}  // namespace

bool addLightSprite(MapStore& map, int32_t sprite) {
    if (!isSprite(map, sprite) || isListed(map, sprite)) return false;
    const int32_t n = listedCount(map);
    if (n >= kMaxSprites) return false;
    map.lightSprites[n] = sprite;
    map.lightSpriteCount = n + 1;
    return true;
}

void clearLightSprites(MapStore& map) {
    map.lightSpriteCount = 0;
}

void pressLightTool(Editor& ed) {
    switch (ed.tool.currentTool) {
        case Tool::PickLightSprites:
            addLightSprite(ed.map, ed.hover.hoveredSprite);
            break;
        case Tool::ShadeFromLight:
            shadeFromLight(ed);
            break;
        case Tool::CastShadows:
            castShadows(ed);
            break;
        default:
            break;
    }
}

}  // namespace korvel
