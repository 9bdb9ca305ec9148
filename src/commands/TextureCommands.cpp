#include "commands/TextureCommands.h"

#include <cstdio>

#include "app/Editor.h"
#include "base/ValueConv.h"
#include "commands/CommandTargets.h"
#include "map/GeometryQueries.h"
#include "platform/VirtualKeys.h"

namespace korvel {

namespace {

// The four keypad arrows, in the order of the message tables.
enum class Pad : uint8_t { Six = 0, Four = 1, Eight = 2, Two = 3 };

constexpr int32_t kMsgSelectedSpritesStep8[4] = {38, 46, 48, 50};
constexpr int32_t kMsgSelectedSprites[4] = {39, 47, 49, 51};
constexpr int32_t kMsgHoveredSpriteRepeat = 42;
constexpr int32_t kMsgSelectedFloorPanning = 40;
constexpr int32_t kMsgSelectedCeilingPanning = 41;
constexpr int32_t kMsgHoveredFloorPanning = 43;
constexpr int32_t kMsgHoveredCeilingPanning = 44;
constexpr int32_t kMsgWallRepeat = 45;
constexpr int32_t kMsgWallPanning = 52;

bool step8Mode(const Editor& ed) {
    return keyHeld(ed, vk::Pad5);
}

uint8_t spriteRepeat(uint8_t v, bool up, bool step8) {
    if (step8) {
        if (up) return v < 244 ? uint8_t(((v + 4) & 248) + 8) : 255;
        return v > 3 ? uint8_t(((v + 4) & 248) - 8) : 0;
    }
    if (up) return v == 255 ? v : uint8_t(v + 1);
    return v == 0 ? v : uint8_t(v - 1);
}

uint8_t wallRepeat(uint8_t v, bool up, bool step8) {
    if (step8) {
        if (up)
            nextMultipleOf8(v);
        else
            prevMultipleOf8(v);
        return v;
    }
    if (up) return v == 255 ? v : uint8_t(v + 1);
    return v == 0 ? v : uint8_t(v - 1);
}

uint8_t sectorPanning(uint8_t v, bool up, bool step8) {
    if (step8) return wrapToByte(((v + 4) & 248) + (up ? 8 : -8));
    return wrapToByte(int32_t(v) + (up ? 1 : -1));
}

// A single-precision number as short decimal text.
std::string singleText(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", double(v));
    return buf;
}

void keypadStep(Editor& ed, Pad pad) {
    using K = TargetKind;
    CommandTarget t;
    if (onPlanView(ed))
        t = findTarget(ed,
                       {K::SelectedSprites, K::SelectedSectors, K::HoveredSprite, K::HoveredSector},
                       SideRule::View, SideRule::View);
    else if (onSideView(ed))
        t = findTarget(ed, {K::SelectedSprites, K::HoveredSprite, K::SubjectWall});
    if (!t.found()) return;

    const bool step8 = step8Mode(ed);
    const bool xField = pad == Pad::Six || pad == Pad::Four;
    const bool up = pad == Pad::Six || pad == Pad::Eight;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    switch (t.kind) {
        case K::SelectedSprites:
            forEachSelected(map.spriteSelected, map.spriteCount, [&](int32_t k) {
                SpriteRecord& sp = map.sprites[size_t(k)];
                uint8_t& v = xField ? sp.xrepeat : sp.yrepeat;
                v = spriteRepeat(v, up, step8);
            });
            edit.commit();
            report(ed, (step8 ? kMsgSelectedSpritesStep8 : kMsgSelectedSprites)[int(pad)]);
            return;
        case K::HoveredSprite: {
            SpriteRecord& sp = map.sprites[size_t(t.index)];
            uint8_t& v = xField ? sp.xrepeat : sp.yrepeat;
            const uint8_t before = v;
            v = spriteRepeat(v, up, step8);
            edit.commit();
            if (step8 || v != before)
                report(ed, kMsgHoveredSpriteRepeat,
                       {num(t.index), num(sp.xrepeat), num(sp.yrepeat)});
            return;
        }
        case K::SelectedSectors: {
            forEachSelected(map.sectorSelected, map.sectorCount, [&](int32_t s) {
                SectorRecord& r = map.sectors[size_t(s)];
                uint8_t& v = t.ceiling ? (xField ? r.ceilingxpanning : r.ceilingypanning)
                                       : (xField ? r.floorxpanning : r.floorypanning);
                v = sectorPanning(v, up, step8);
            });
            edit.commit();
            const SectorRecord& f = map.sectors[size_t(getFirstSelectedSector(map))];
            report(ed, t.ceiling ? kMsgSelectedCeilingPanning : kMsgSelectedFloorPanning,
                   {signedByteToString(t.ceiling ? f.ceilingxpanning : f.floorxpanning),
                    signedByteToString(t.ceiling ? f.ceilingypanning : f.floorypanning)});
            return;
        }
        case K::HoveredSector: {
            SectorRecord& r = map.sectors[size_t(t.index)];
            uint8_t& v = t.ceiling ? (xField ? r.ceilingxpanning : r.ceilingypanning)
                                   : (xField ? r.floorxpanning : r.floorypanning);
            v = sectorPanning(v, up, step8);
            edit.commit();
            report(
                ed, t.ceiling ? kMsgHoveredCeilingPanning : kMsgHoveredFloorPanning,
                {num(t.index), signedByteToString(t.ceiling ? r.ceilingxpanning : r.floorxpanning),
                 signedByteToString(t.ceiling ? r.ceilingypanning : r.floorypanning)});
            return;
        }
        default: {
            // A wall's texture grows smaller as its yrepeat rises: keypad 8 lowers it.
            WallRecord& w = map.walls[size_t(t.index)];
            if (xField)
                w.xrepeat = wallRepeat(w.xrepeat, up, step8);
            else
                w.yrepeat = wallRepeat(w.yrepeat, !up, step8);
            edit.commit();
            report(ed, kMsgWallRepeat,
                   {num(t.index), num(w.xrepeat), num(w.yrepeat),
                    singleText(wallTexelScale(map, t.index))});
            return;
        }
    }
}

// Ctrl+keypad: the panning of the side view's wall, or of its twin while the mouse is over the
// lower part that the twin's texture fills.
void wallPanStep(Editor& ed, bool xField, bool up) {
    const int32_t subject = wallSubject(ed);
    if (subject < 0) return;
    MapStore& map = ed.map;
    int32_t w = subject;
    const int32_t twin = wallTwin(map, subject);
    if ((map.walls[size_t(subject)].cstat & kWallSwapBottom) && ed.hover.sideViewWallPart == 1 &&
        twin >= 0)
        w = twin;
    CommandEdit edit(ed);
    WallRecord& r = map.walls[size_t(w)];
    uint8_t& v = xField ? r.xpanning : r.ypanning;
    if (step8Mode(ed)) {
        if (up)
            nextMultipleOf8Wrap(v);
        else
            prevMultipleOf8Wrap(v);
    } else {
        v = wrapToByte(int32_t(v) + (up ? 1 : -1));
    }
    edit.commit();
    report(ed, kMsgWallPanning, {num(w), num(r.xpanning), num(r.ypanning)});
}

}  // namespace

void increaseXRepeat(Editor& ed) {
    keypadStep(ed, Pad::Six);
}
void decreaseXRepeat(Editor& ed) {
    keypadStep(ed, Pad::Four);
}
void keypad8Step(Editor& ed) {
    keypadStep(ed, Pad::Eight);
}
void keypad2Step(Editor& ed) {
    keypadStep(ed, Pad::Two);
}
void increaseWallXPan(Editor& ed) {
    wallPanStep(ed, true, true);
}
void decreaseWallXPan(Editor& ed) {
    wallPanStep(ed, true, false);
}
void increaseWallYPan(Editor& ed) {
    wallPanStep(ed, false, true);
}
void decreaseWallYPan(Editor& ed) {
    wallPanStep(ed, false, false);
}

}  // namespace korvel
