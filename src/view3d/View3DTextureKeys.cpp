// The 3D keys that change how a texture lies: repeat and panning on the keypad, the texture
// reset, squaring and alignment, and the orientation, translucency and surface flags.
#include <cstdio>

#include "base/ValueConv.h"
#include "geometry/TextureAlignment.h"
#include "geometry/WallTexture.h"
#include "map/GeometryQueries.h"
#include "platform/VirtualKeys.h"
#include "view3d/Keys3dShared.h"
#include "view3d/View3DKeys.h"

namespace korvel {

using namespace keys3d;

namespace {

constexpr uint16_t kSlopeBit = 2;

// --- Keypad repeat and panning ---

enum class Pad { Two, Eight, Four, Six };

void stepByte(uint8_t& v, bool up, bool wrap, bool fine) {
    if (fine) {
        if (wrap)
            up ? nextMultipleOf8Wrap(v) : prevMultipleOf8Wrap(v);
        else
            up ? nextMultipleOf8(v) : prevMultipleOf8(v);
    } else if (wrap) {
        v = uint8_t(up ? v + 1 : v - 1);
    } else if (up ? v < 255 : v > 0) {
        v = uint8_t(up ? v + 1 : v - 1);
    }
}

std::string texelScale(const MapStore& map, int32_t w) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", double(wallTexelScale(map, w)));
    return text;
}

void keypadStep(Editor& ed, Pad pad) {
    const Target t = resolveTarget(ed);
    if (t.aim == Aim::None) return;
    const bool fine = keyHeld(ed, vk::Pad5);
    const bool alt = ed.dispatch.altHeld != 0;
    const bool vertical = pad == Pad::Two || pad == Pad::Eight;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    bool changed = false;
    if (t.walls()) {
        // Keypad 2 and 6 raise a wall's values, 8 and 4 lower them.
        const bool up = pad == Pad::Two || pad == Pad::Six;
        forEachObject(ed, t, [&](int32_t w) {
            WallRecord& r = map.walls[size_t(w)];
            if (alt)
                stepByte(vertical ? r.ypanning : r.xpanning, up, true, fine);
            else
                stepByte(vertical ? r.yrepeat : r.xrepeat, up, false, fine);
        });
        const int32_t w = t.index;
        const WallRecord& r = map.walls[size_t(w)];
        edit.commit();
        if (alt)
            report(ed, 52, {num(w), num(r.xpanning), num(r.ypanning)});
        else
            report(ed, 45, {num(w), num(r.xrepeat), num(r.yrepeat), texelScale(map, w)});
        return;
    }
    if (t.sectors()) {
        const bool ceiling = t.side != 0;
        // A plane's y panning runs the other way: keypad 8 raises it.
        const bool up = pad == Pad::Eight || pad == Pad::Six;
        forEachObject(ed, t, [&](int32_t s) {
            SectorRecord& r = map.sectors[size_t(s)];
            uint8_t& x = ceiling ? r.ceilingxpanning : r.floorxpanning;
            uint8_t& y = ceiling ? r.ceilingypanning : r.floorypanning;
            stepByte(vertical ? y : x, up, true, fine);
        });
        const SectorRecord& r = map.sectors[size_t(t.index)];
        const auto x = int8_t(ceiling ? r.ceilingxpanning : r.floorxpanning);
        const auto y = int8_t(ceiling ? r.ceilingypanning : r.floorypanning);
        edit.commit();
        if (t.selection())
            report(ed, ceiling ? 41 : 40, {signedByte(x), signedByte(y)});
        else
            report(ed, ceiling ? 44 : 43, {num(t.index), signedByte(x), signedByte(y)});
        return;
    }
    const bool up = pad == Pad::Eight || pad == Pad::Six;
    forEachObject(ed, t, [&](int32_t k) {
        SpriteRecord& r = map.sprites[size_t(k)];
        uint8_t& v = vertical ? r.yrepeat : r.xrepeat;
        const uint8_t before = v;
        stepByte(v, up, false, fine);
        changed = changed || v != before;
    });
    edit.commit();
    if (t.selection()) {
        // Fine and plain messages of keypad 6, 4, 8 and 2.
        static constexpr int32_t kMessages[4][2] = {{50, 51}, {48, 49}, {46, 47}, {38, 39}};
        report(ed, kMessages[size_t(pad)][fine ? 0 : 1]);
    } else if (fine || changed) {
        const SpriteRecord& r = map.sprites[size_t(t.index)];
        report(ed, 42, {num(t.index), num(r.xrepeat), num(r.yrepeat)});
    }
}

// --- Cycles ---

// The next state of a cycle through the listed states; a state not listed counts as the first.
uint16_t nextState(uint16_t state, std::initializer_list<uint16_t> cycle) {
    const uint16_t* s = cycle.begin();
    const size_t n = cycle.size();
    for (size_t i = 0; i < n; ++i)
        if (s[i] == state) return s[(i + 1) % n];
    return s[1 % n];
}

// The position of a state in its cycle.
size_t stateIndex(uint16_t state, std::initializer_list<uint16_t> cycle) {
    size_t i = 0;
    for (uint16_t s : cycle) {
        if (s == state) return i;
        ++i;
    }
    return 0;
}

uint16_t& sectorStat(SectorRecord& r, bool ceiling) {
    return ceiling ? r.ceilingstat : r.floorstat;
}

// Sets the masked bits of v to state.
void setBits(uint16_t& v, uint16_t mask, uint16_t state) {
    v = uint16_t((v & ~mask) | state);
}

// A bit toggle on walls, sector sides or sprites: a selection takes the opposite of its first
// object's bit; one object flips its own.
struct ToggleMessages {
    int32_t selCleared, selSet, oneCleared, oneSet;
};

template <typename Bits>
void toggleBit(Editor& ed, const Target& t, uint16_t bit, Bits&& bitsOf, const ToggleMessages& m,
               bool withIndex, bool withNeighbours = false) {
    if (t.aim == Aim::None) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    const bool set = (bitsOf(map, t.index) & bit) == 0;
    if (withNeighbours && t.sectors()) {
        const auto apply = [&](int32_t s) {
            uint16_t& v = bitsOf(map, s);
            v = t.selection() ? uint16_t(set ? v | bit : v & ~bit) : uint16_t(v ^ bit);
            refresh3dSector(ed, s, true);
        };
        if (t.selection()) {
            for (int32_t s = 0; s < map.sectorCount; ++s)
                if (map.sectorSelected[size_t(s)]) apply(s);
        } else {
            apply(t.index);
        }
    } else {
        forEachObject(ed, t, [&](int32_t i) {
            uint16_t& v = bitsOf(map, i);
            v = t.selection() ? uint16_t(set ? v | bit : v & ~bit) : uint16_t(v ^ bit);
        });
    }
    edit.commit();
    if (t.selection())
        report(ed, set ? m.selSet : m.selCleared);
    else if (withIndex)
        report(ed, set ? m.oneSet : m.oneCleared, {num(t.index)});
    else
        report(ed, set ? m.oneSet : m.oneCleared);
    cue(ed);
}

void toggleSectorBit(Editor& ed, uint16_t bit, const ToggleMessages& ceiling,
                     const ToggleMessages& floor, bool withNeighbours = false) {
    const Target t = sectorTarget(ed);
    const bool c = t.side != 0;
    toggleBit(
        ed, t, bit,
        [c](MapStore& map, int32_t s) -> uint16_t& { return sectorStat(map.sectors[size_t(s)], c); },
        c ? ceiling : floor, true, withNeighbours);
}

}  // namespace

void keypad2Texture3d(Editor& ed) { keypadStep(ed, Pad::Two); }
void keypad8Texture3d(Editor& ed) { keypadStep(ed, Pad::Eight); }
void keypad4Texture3d(Editor& ed) { keypadStep(ed, Pad::Four); }
void keypad6Texture3d(Editor& ed) { keypadStep(ed, Pad::Six); }

void resetTexture3d(Editor& ed) {
    const Target t = resolveTarget(ed);
    if (t.aim == Aim::None) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    const bool ceiling = t.side != 0;
    forEachObject(ed, t, [&](int32_t i) {
        if (t.walls()) {
            WallRecord& r = map.walls[size_t(i)];
            r.cstat = 0;
            r.yrepeat = 8;
            r.xpanning = r.ypanning = 0;
            squareWallTexture(map, i);
        } else if (t.sectors()) {
            SectorRecord& r = map.sectors[size_t(i)];
            (ceiling ? r.ceilingxpanning : r.floorxpanning) = 0;
            (ceiling ? r.ceilingypanning : r.floorypanning) = 0;
            uint16_t& stat = sectorStat(r, ceiling);
            stat = uint16_t(stat & kSlopeBit);
        } else {
            SpriteRecord& r = map.sprites[size_t(i)];
            r.cstat = 0;
            r.xrepeat = r.yrepeat = 32;
        }
    });
    edit.commit();
    cue(ed);
}

void squareWalls3d(Editor& ed) {
    const Target t = wallTarget(ed);
    if (t.aim == Aim::None) return;
    CommandEdit edit(ed);
    forEachObject(ed, t, [&](int32_t w) { squareWallTexture(ed.map, w); });
    edit.commit();
    report(ed, t.selection() ? 1327 : 18);
    cue(ed);
}

// Wall alignment from '.': every selected wall, else the aimed wall.
bool keys3d::alignWalls(Editor& ed, const Target& t) {
    if (!t.walls()) return false;
    CommandEdit edit(ed);
    clearWallVisitMarks(ed.pages.scriptEditor.pointBuffer1);
    MapStore& map = ed.map;
    if (t.selection()) {
        for (int32_t w = 0; w < map.wallCount; ++w)
            if (map.wallSelected[size_t(w)]) ed.operations.alignWallTexture(ed, w);
    } else {
        ed.operations.alignWallTexture(ed, t.index);
        refresh3dWall(ed, t.index);
    }
    edit.commit();
    report(ed, 240);
    cue(ed);
    return true;
}

void cycleFlip3d(Editor& ed) {
    const Target t = resolveTarget(ed);
    if (t.aim == Aim::None) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    if (t.walls()) {
        constexpr uint16_t kMask = 264;
        const auto cycle = {uint16_t(0), uint16_t(8), uint16_t(256), uint16_t(264)};
        const uint16_t next = nextState(map.walls[size_t(t.index)].cstat & kMask, cycle);
        forEachObject(ed, t, [&](int32_t w) { setBits(map.walls[size_t(w)].cstat, kMask, next); });
        edit.commit();
        // By the state reached: 8, 256, 264, then 0.
        const size_t at = (stateIndex(next, cycle) + 3) % 4;
        report(ed, int32_t(at) + (t.selection() ? 123 : 119));
        return;
    }
    if (t.sectors()) {
        const bool ceiling = t.side != 0;
        const auto cycle = {uint16_t(0),  uint16_t(4),  uint16_t(16), uint16_t(20),
                            uint16_t(32), uint16_t(36), uint16_t(48), uint16_t(52)};
        const uint16_t next =
            nextState(sectorStat(map.sectors[size_t(t.index)], ceiling) & 52, cycle);
        forEachObject(ed, t, [&](int32_t s) {
            setBits(sectorStat(map.sectors[size_t(s)], ceiling), 52, next);
        });
        edit.commit();
        const std::string b4 = bit(next & 4), b16 = bit(next & 16), b32 = bit(next & 32);
        if (t.selection())
            report(ed, ceiling ? 116 : 115, {b4, b16, b32});
        else
            report(ed, ceiling ? 117 : 118, {num(t.index), b4, b16, b32});
        cue(ed);
        return;
    }
    const auto cycle = {uint16_t(0), uint16_t(4), uint16_t(8), uint16_t(12)};
    const uint16_t next = nextState(map.sprites[size_t(t.index)].cstat & 12, cycle);
    forEachObject(ed, t, [&](int32_t k) { setBits(map.sprites[size_t(k)].cstat, 12, next); });
    edit.commit();
    if (t.selection()) {
        report(ed, 110 + int32_t((stateIndex(next, cycle) + 3) % 4));
    } else {
        report(ed, 114, {num(t.index), bit(next & 4), bit(next & 8)});
        cue(ed);
    }
}

void cycleTranslucency3d(Editor& ed) {
    const Target t = resolveTarget(ed);
    if (t.aim == Aim::None) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    // Each object kind's two bits step: none (or the second bit alone) to the first, both, none.
    const auto step = [](uint16_t state, uint16_t a, uint16_t b, int32_t& reached) -> uint16_t {
        if (state == a) {
            reached = 1;
            return uint16_t(a | b);
        }
        if (state == uint16_t(a | b)) {
            reached = 2;
            return 0;
        }
        reached = 0;
        return a;
    };
    int32_t reached = 0;
    if (t.walls()) {
        const uint16_t next = step(map.walls[size_t(t.index)].cstat & 640, 128, 512, reached);
        forEachObject(ed, t, [&](int32_t w) { setBits(map.walls[size_t(w)].cstat, 640, next); });
        edit.commit();
        report(ed, 177 + reached, {num(t.index)});
    } else if (t.sectors()) {
        const bool ceiling = t.side != 0;
        const uint16_t next =
            step(sectorStat(map.sectors[size_t(t.index)], ceiling) & 384, 256, 128, reached);
        forEachObject(ed, t, [&](int32_t s) {
            setBits(sectorStat(map.sectors[size_t(s)], ceiling), 384, next);
        });
        edit.commit();
        if (t.selection())
            report(ed, (ceiling ? 56 : 59) + reached);
        else
            report(ed, (ceiling ? 68 : 65) + reached, {num(t.index)});
    } else {
        const uint16_t next = step(map.sprites[size_t(t.index)].cstat & 514, 2, 512, reached);
        forEachObject(ed, t, [&](int32_t k) { setBits(map.sprites[size_t(k)].cstat, 514, next); });
        edit.commit();
        if (t.selection())
            report(ed, 53 + reached);
        else
            report(ed, 62 + reached, {num(t.index)});
    }
    cue(ed);
}

void toggleBottomAlign3d(Editor& ed) {
    toggleBit(
        ed, wallTarget(ed), 4,
        [](MapStore& map, int32_t w) -> uint16_t& { return map.walls[size_t(w)].cstat; },
        {167, 168, 167, 168}, false);
}

void toggleSectorBit8_3d(Editor& ed) {
    toggleSectorBit(ed, 8, {244, 245, 249, 250}, {242, 243, 247, 248});
}

void toggleParallax3d(Editor& ed) {
    toggleSectorBit(ed, 1, {220, 221, 224, 225}, {218, 219, 222, 223}, true);
}

void toggleRelativeAlign3d(Editor& ed) {
    toggleSectorBit(ed, 64, {159, 160, 163, 164}, {157, 158, 161, 162});
}

}  // namespace korvel
