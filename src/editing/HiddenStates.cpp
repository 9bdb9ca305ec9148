#include "editing/HiddenStates.h"

#include "app/Settings.h"
#include "map/MapStore.h"

namespace korvel {

namespace {

constexpr uint8_t kShown = uint8_t(HiddenState::Shown);
constexpr uint8_t kFiltered = uint8_t(HiddenState::Filtered);
constexpr uint8_t kHidden = uint8_t(HiddenState::Hidden);

// The state of sector s, or -1 when s is no sector of the map.
int32_t sectorState(const MapStore& map, int32_t s) {
    return isSector(map, s) ? map.sectorIgnored[s] : -1;
}

bool outside(int32_t z, const Settings& settings) {
    return z < settings.zRangeLow || z > settings.zRangeHigh;
}

void filterSectors(MapStore& map, const Settings& settings, ZRangeMode mode) {
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        uint8_t& state = map.sectorIgnored[s];
        if (state == kHidden) continue;
        const SectorRecord& sec = map.sectors[s];
        const int32_t z = mode == ZRangeMode::ByFloor ? sec.floorz : sec.ceilingz;
        state = mode != ZRangeMode::Off && outside(z, settings) ? kFiltered : kShown;
    }
}

// A wall whose own sector or whose sector behind is no sector is judged by the side that is
// one; a wall with neither is shown.
uint8_t wallState(int32_t own, int32_t behind, bool twoSided, ZRangeMode mode) {
    if (!twoSided || behind < 0) behind = own;
    if (own < 0) own = behind;
    if (own < 0) return kShown;
    if (own == kHidden && behind == kHidden) return kHidden;
    if (mode != ZRangeMode::Off && own != kShown && behind != kShown) return kFiltered;
    return kShown;
}

}  // namespace

void updateHiddenStates(MapStore& map, const Settings& settings) {
    const ZRangeMode mode =
        settings.zRangeMode == uint8_t(ZRangeMode::ByFloor)     ? ZRangeMode::ByFloor
        : settings.zRangeMode == uint8_t(ZRangeMode::ByCeiling) ? ZRangeMode::ByCeiling
                                                                : ZRangeMode::Off;
    filterSectors(map, settings, mode);

    map.wallIgnored.fill(kShown);
    for (int32_t w = 0; w < map.wallCount; ++w) {
        const WallRecord& wall = map.walls[w];
        const int32_t own = sectorState(map, sectorOfWall(map, w));
        map.wallIgnored[w] =
            wallState(own, sectorState(map, wall.nextsector), wall.nextsector >= 0, mode);
    }

    for (int32_t k = 0; k < map.spriteCount; ++k) {
        uint8_t& state = map.spriteIgnored[k];
        if (state == kHidden) continue;
        const SpriteRecord& spr = map.sprites[k];
        if (mode != ZRangeMode::Off && outside(spr.z, settings))
            state = kFiltered;
        else
            state = sectorState(map, spr.sectnum) == kHidden ? kFiltered : kShown;
    }
}

}  // namespace korvel
