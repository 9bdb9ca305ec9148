// The 3D keys that shade surfaces, turn sprites, flip two sprite flags and move sprites up and
// down, down to the floor or up to the ceiling.
#include <algorithm>

#include "base/MessageNumbers.h"
#include "map/GeometryQueries.h"
#include "platform/VirtualKeys.h"
#include "view3d/Keys3dShared.h"
#include "view3d/View3DKeys.h"

namespace korvel {

using namespace keys3d;

namespace {

constexpr uint16_t kSpriteFloorBit = 32, kSpriteBit128 = 128;
constexpr int64_t kNoGap = 2000000000;
constexpr int32_t kMsgNoSpriteInSector = kMsgNoSpriteInSector3d;
constexpr int32_t kMsgSpriteInNoSector = kMsgSpriteInNoSector3d;

int8_t& shadeOf(MapStore& map, const Target& t, int32_t i) {
    if (t.walls()) return map.walls[size_t(i)].shade;
    if (t.sectors()) {
        SectorRecord& r = map.sectors[size_t(i)];
        return t.side != 0 ? r.ceilingshade : r.floorshade;
    }
    return map.sprites[size_t(i)].shade;
}

void shadeStep(Editor& ed, int32_t delta) {
    const Target t = resolveTarget(ed);
    if (t.aim == Aim::None) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    forEachObject(ed, t, [&](int32_t i) {
        int8_t& v = shadeOf(map, t, i);
        v = int8_t(uint8_t(uint8_t(v) + delta));
    });
    edit.commit();
    const bool darker = delta > 0, ceiling = t.side != 0;
    const std::string shade = signedByte(shadeOf(map, t, t.index));
    switch (t.aim) {
        case Aim::SelectedWalls:
        case Aim::Wall: report(ed, 140, {num(t.index), shade}); break;
        case Aim::SelectedSectors:
            report(ed, darker ? (ceiling ? 142 : 143) : (ceiling ? 145 : 146));
            break;
        case Aim::SelectedSprites: report(ed, darker ? 141 : 144); break;
        case Aim::Sector: report(ed, ceiling ? 139 : 138, {num(t.index), shade}); break;
        default: report(ed, 137, {num(t.index), shade}); break;
    }
}

// ',' and '.' on sprites: the step is 128, or with Shift the key's auto-repeat count + 1.
void turnSprites(Editor& ed, const Target& t, int32_t key, int32_t sign) {
    if (!t.sprites()) return;
    const int32_t step = ed.dispatch.shiftHeld ? repeatStep(ed, key) : 128;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    forEachObject(ed, t, [&](int32_t k) {
        int16_t& ang = map.sprites[size_t(k)].ang;
        ang = int16_t((int64_t(ang) + int64_t(sign) * step) & 2047);
    });
    edit.commit();
    if (t.selection())
        report(ed, sign < 0 ? 78 : 80, {num(step)});
    else
        report(ed, 79, {num(t.index), num(map.sprites[size_t(t.index)].ang)});
}

void toggleSpriteBit(Editor& ed, uint16_t bit, int32_t selCleared, int32_t selSet,
                     int32_t oneCleared, int32_t oneSet, bool selectionCue) {
    const Target t = spriteTarget(ed);
    if (t.aim == Aim::None) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    const bool set = (map.sprites[size_t(t.index)].cstat & bit) == 0;
    forEachObject(ed, t, [&](int32_t k) {
        uint16_t& c = map.sprites[size_t(k)].cstat;
        c = t.selection() ? uint16_t(set ? c | bit : c & ~bit) : uint16_t(c ^ bit);
    });
    edit.commit();
    if (t.selection()) {
        report(ed, set ? selSet : selCleared);
        if (selectionCue) cue(ed);
    } else {
        report(ed, set ? oneSet : oneCleared, {num(t.index)});
        cue(ed);
    }
}

int32_t floorUnder(const MapStore& map, const SpriteRecord& sp) {
    return getTrueFloorZ(map, sp.x, sp.y, sp.sectnum);
}
int32_t ceilingOver(const MapStore& map, const SpriteRecord& sp) {
    return getTrueCeilingZ(map, sp.x, sp.y, sp.sectnum);
}

// Delete (down, sign +1) and Insert (up, sign -1).
void moveSprites(Editor& ed, int32_t key, int32_t sign) {
    const Target t = spriteTarget(ed);
    if (t.aim == Aim::None) return;
    MapStore& map = ed.map;
    const bool down = sign > 0;
    if (ed.dispatch.ctrlHeld) {
        if (t.selection()) {
            // The whole group moves by the smallest gap, so the nearest sprite touches; sprites
            // in no sector have no floor or ceiling and take no part.
            int64_t gap = kNoGap;
            bool any = false;
            for (int32_t k = 0; k < map.spriteCount; ++k) {
                const SpriteRecord& sp = map.sprites[size_t(k)];
                if (!map.spriteSelected[size_t(k)] || !isSector(map, sp.sectnum)) continue;
                any = true;
                gap = std::min(gap, down ? int64_t(floorUnder(map, sp)) - sp.z
                                         : int64_t(sp.z) - ceilingOver(map, sp));
            }
            if (!any) {
                report(ed, kMsgNoSpriteInSector);
                return;
            }
            CommandEdit edit(ed);
            forEachObject(ed, t, [&](int32_t k) {
                SpriteRecord& sp = map.sprites[size_t(k)];
                if (isSector(map, sp.sectnum)) sp.z = saturate32(int64_t(sp.z) + sign * gap);
            });
            edit.commit();
            report(ed, down ? 215 : 213);
        } else {
            SpriteRecord& sp = map.sprites[size_t(t.index)];
            if (!isSector(map, sp.sectnum)) {
                report(ed, kMsgSpriteInNoSector, {num(t.index)});
                return;
            }
            CommandEdit edit(ed);
            if (down) {
                sp.z = floorUnder(map, sp);
            } else {
                int32_t height = 0;
                if ((sp.cstat & (kSpriteFloorBit | kSpriteBit128)) == 0 && sp.picnum >= 0 &&
                    size_t(sp.picnum) < ed.tiles.tileHeights.size())
                    height = int32_t(ed.tiles.tileHeights[size_t(sp.picnum)]) * sp.yrepeat * 4;
                sp.z = saturate32(int64_t(ceilingOver(map, sp)) + height);
            }
            refresh3dSprite(ed, t.index);
            edit.commit();
            report(ed, down ? 216 : 214, {num(t.index)});
        }
        cue(ed);
        return;
    }
    const int32_t step = ed.dispatch.shiftHeld ? repeatStep(ed, key) : heightStep(ed);
    CommandEdit edit(ed);
    forEachObject(ed, t, [&](int32_t k) {
        int32_t& z = map.sprites[size_t(k)].z;
        z = saturate32(int64_t(z) + int64_t(sign) * step);
    });
    edit.commit();
    if (t.selection())
        report(ed, down ? 15 : 9, {num(step)}, step);
    else
        report(ed, 12, {num(t.index), num(map.sprites[size_t(t.index)].z)});
}

}  // namespace

void shadeUp3d(Editor& ed) { shadeStep(ed, 1); }
void shadeDown3d(Editor& ed) { shadeStep(ed, -1); }

void resetSpriteAngle3d(Editor& ed) {
    const Target t = spriteTarget(ed);
    if (t.aim == Aim::None) return;
    CommandEdit edit(ed);
    forEachObject(ed, t, [&](int32_t k) { ed.map.sprites[size_t(k)].ang = 0; });
    edit.commit();
    if (t.selection())
        report(ed, 81);
    else
        report(ed, 82, {num(t.index)});
}

void turnSpriteLeft3d(Editor& ed) { turnSprites(ed, spriteTarget(ed), vk::Comma, -1); }

void alignOrTurnRight3d(Editor& ed) {
    const Hit3d w = getHitWall3d(ed);
    const Target walls = wallTarget(ed), sprites = spriteTarget(ed);
    // Every selected wall, every selected sprite, the aimed wall, the aimed sprite.
    if (w.index == kAllSelected3d && alignWalls(ed, walls)) return;
    if (sprites.aim == Aim::SelectedSprites) {
        turnSprites(ed, sprites, vk::Period, 1);
        return;
    }
    if (walls.aim == Aim::Wall && alignWalls(ed, walls)) return;
    turnSprites(ed, sprites, vk::Period, 1);
}

void toggleSpriteBit128_3d(Editor& ed) { toggleSpriteBit(ed, 128, 93, 94, 95, 96, false); }
void toggleSpriteBit64_3d(Editor& ed) { toggleSpriteBit(ed, 64, 98, 99, 101, 100, true); }

void lowerSprites3d(Editor& ed) { moveSprites(ed, vk::Delete, 1); }
void raiseSprites3d(Editor& ed) { moveSprites(ed, vk::Insert, -1); }

}  // namespace korvel
