#include "geometry/SpriteTools.h"

#include <algorithm>
#include <vector>

#include "base/Mainm.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

// Where the sprite's sparks start on the screen, or false when they are not shown.
bool spriteScreenPosition(const ViewState& view, ShownMapView shown, const SpriteRecord& sp,
                          int32_t& sx, int32_t& sy) {
    if (shown == ShownMapView::Plan) {
        sx = safeFloor((double(view.viewOriginX) + sp.x) / view.viewZoom) + 400;
        sy = safeFloor((double(view.viewOriginY) - sp.y) / view.viewZoom) + 300;
        return true;
    }
    if (shown == ShownMapView::Side) {
        sx = 400;
        if (uint8_t(view.sideViewSubjectKind) >= uint8_t(SideViewSubjectKind::Wall)) {
            const double d1 = distDouble(view.sideViewX1, view.sideViewY1, sp.x, sp.y);
            const double d2 = distDouble(view.sideViewX2, view.sideViewY2, sp.x, sp.y);
            const double length =
                distDouble(view.sideViewX1, view.sideViewY1, view.sideViewX2, view.sideViewY2);
            const double along = (d1 + length - d2) / 2;
            sx = safeFloor((along + view.sideViewOriginX) / view.sideViewScale) + 400;
        }
        sy = safeFloor((double(view.sideViewOriginZ) - sp.z / 16.0) / view.sideViewScale) + 300;
        return true;
    }
    return false;
}

}  // namespace

void computeSpriteStacks(MapStore& map) {
    map.spriteStackCount.fill(0);
    struct Place {
        int32_t y, x, index;
        bool operator<(const Place& o) const {
            return y != o.y ? y < o.y : x != o.x ? x < o.x : index < o.index;
        }
    };
    // Sorting brings each group together instead of comparing every pair of sprites.
    std::vector<Place> places;
    places.reserve(size_t(std::max(map.spriteCount, 0)));
    for (int32_t i = 0; i < map.spriteCount; ++i)
        places.push_back({map.sprites[i].y, map.sprites[i].x, i});
    std::sort(places.begin(), places.end());
    for (size_t i = 0, run = 0; i < places.size(); ++i) {
        ++run;
        const bool last = i + 1 == places.size() || places[i + 1].x != places[i].x ||
                          places[i + 1].y != places[i].y;
        if (!last) continue;
        map.spriteStackCount[places[i].index] = int16_t(run);
        run = 0;
    }
    map.spriteStacksValid = 1;
}

void countStackedSprites(MapStore& map, int32_t p) {
    if (map.spriteCount == 0) {
        map.spriteStackCount[0] = 0;
        return;
    }
    if (!isSprite(map, p)) return;
    const int32_t x = map.sprites[p].x, y = map.sprites[p].y;
    int32_t count = 0, last = p;
    for (int32_t i = 0; i < map.spriteCount; ++i) {
        if (map.sprites[i].x != x || map.sprites[i].y != y) continue;
        map.spriteStackCount[i] = 0;
        ++count;
        last = i;
    }
    map.spriteStackCount[last] = int16_t(count);
}

bool deleteSprite(MapStore& map, const ViewState& view, MapEvents& events, int32_t s) {
    if (!isSprite(map, s)) return false;
    map.mapModified = MapModifiedState::Modified;
    int32_t sx = 0, sy = 0;
    if (spriteScreenPosition(view, events.shownMapView(), map.sprites[s], sx, sy) && sx >= 0 &&
        sx < 800 && sy >= 128 && sy < 584)
        for (int i = 0; i < 6; ++i) events.addParticle(sx, sy, 0);
    if (map.spriteSelected[s]) --map.selectedSpriteCount;
    moveSpriteEntries(map, s, s + 1, map.spriteCount - s - 1);
    --map.spriteCount;
    clearSpriteEntries(map, map.spriteCount, 1);
    map.spriteStacksValid = 0;
    events.objectsRenumbered();
    return true;
}

}  // namespace korvel
