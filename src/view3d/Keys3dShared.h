// What the 3D edit keys share: the target they resolve from the three queries, the edit bracket
// with its one snapshot per press, walking a target's objects with their refreshes, and reports.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Editor.h"
#include "commands/CommandTargets.h"
#include "view3d/HitQueries3d.h"
#include "view3d/Refresh3d.h"

namespace korvel::keys3d {

enum class Aim : uint8_t { None, SelectedWalls, SelectedSectors, SelectedSprites, Sector, Sprite, Wall };

struct Target {
    Aim aim = Aim::None;
    int32_t index = -1;  // the single object, or the first selected one (-1 when none exists)
    int32_t kindW = 0;   // the kind the wall query looked at (3: a masked wall part)
    int32_t side = 0;    // the kind the sector query looked at (0: the floor)
    bool selection() const {
        return aim == Aim::SelectedWalls || aim == Aim::SelectedSectors ||
               aim == Aim::SelectedSprites;
    }
    bool walls() const { return aim == Aim::SelectedWalls || aim == Aim::Wall; }
    bool sectors() const { return aim == Aim::SelectedSectors || aim == Aim::Sector; }
    bool sprites() const { return aim == Aim::SelectedSprites || aim == Aim::Sprite; }
};

// Walls before sectors before sprites, the whole selection before single objects.
Target resolveTarget(const Editor& ed);
// One kind only, from its own query.
Target wallTarget(const Editor& ed);
Target sectorTarget(const Editor& ed);
Target spriteTarget(const Editor& ed);

// Calls fn(index) on every object of the target, each followed by its refresh.
template <typename Fn>
void forEachObject(Editor& ed, const Target& t, Fn&& fn) {
    MapStore& map = ed.map;
    const auto each = [&](const auto& flags, int32_t count, auto refresh) {
        for (int32_t i = 0; i < count; ++i)
            if (flags[size_t(i)]) {
                fn(i);
                refresh(i);
            }
    };
    const auto wall = [&](int32_t w) { refresh3dWall(ed, w); };
    const auto sector = [&](int32_t s) { refresh3dSectorPlanes(ed, s); };
    const auto sprite = [&](int32_t k) { refresh3dSprite(ed, k); };
    switch (t.aim) {
        case Aim::SelectedWalls: each(map.wallSelected, map.wallCount, wall); break;
        case Aim::SelectedSectors: each(map.sectorSelected, map.sectorCount, sector); break;
        case Aim::SelectedSprites: each(map.spriteSelected, map.spriteCount, sprite); break;
        case Aim::Wall: fn(t.index); wall(t.index); break;
        case Aim::Sector: fn(t.index); sector(t.index); break;
        case Aim::Sprite: fn(t.index); sprite(t.index); break;
        case Aim::None: break;
    }
}

// '.' on walls: aligns from every selected wall, else from the aimed wall; false when the target
// holds no wall.
bool alignWalls(Editor& ed, const Target& t);

void cue(Editor& ed);
std::string signedByte(int8_t v);

}  // namespace korvel::keys3d
