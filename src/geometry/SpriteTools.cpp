#include "geometry/SpriteTools.h"

#include <cmath>

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/DragMath.h"
#include "map/WallTables.h"

namespace korvel {

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

bool deleteSprite(MapStore& map, MapEvents& events, int32_t s) {
    if (!isSprite(map, s)) return false;
    const SpriteRecord& sp = map.sprites[s];
    events.sparksAtSprite(sp.x, sp.y, sp.z);
    if (map.spriteSelected[s]) --map.selectedSpriteCount;
    moveSpriteEntries(map, s, s + 1, map.spriteCount - s - 1);
    --map.spriteCount;
    clearSpriteEntries(map, map.spriteCount, 1);
    map.spriteStacksValid = 0;
    events.objectsRenumbered();
    return true;
}

void nudgeSpriteOffSectionLine(MapStore& map, int32_t s, int32_t x1, int32_t y1, int32_t x2,
                               int32_t y2) {
    if (!isSprite(map, s)) return;
    const double dx = double(x2) - x1, dy = double(y2) - y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0)) return;
    SpriteRecord& r = map.sprites[s];
    r.x = clampedFloor(r.x + 0.5 - dy / length);
    r.y = clampedFloor(r.y + 0.5 + dx / length);
}

}  // namespace korvel
