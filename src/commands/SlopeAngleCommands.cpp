#include "commands/SlopeAngleCommands.h"

#include "app/Editor.h"
#include "base/ValueConv.h"
#include "commands/CommandTargets.h"
#include "geometry/SectorSlope.h"
#include "platform/VirtualKeys.h"
#include "views/SideView.h"

namespace korvel {

namespace {

constexpr int32_t kSlopeStep = 512;
constexpr int32_t kAngleStep = 128;

constexpr int32_t kMsgSelectedFloorsDown = 149, kMsgSelectedCeilingsDown = 150;
constexpr int32_t kMsgSelectedFloorsUp = 147, kMsgSelectedCeilingsUp = 148;
constexpr int32_t kMsgSectorFloorSlope = 129, kMsgSectorCeilingSlope = 130;
constexpr int32_t kMsgSpritesTurnedLeft = 78, kMsgSpritesTurnedRight = 80;
constexpr int32_t kMsgSpriteAngle = 79;
constexpr int32_t kMsgSpritesAngleReset = 81, kMsgSpriteAngleReset = 82;

enum class SlopeForm { Fixed, Repeat };

int16_t slopeStepped(int16_t h, bool up, SlopeForm form, int32_t step) {
    if (form == SlopeForm::Repeat) return wrapToInt16(int32_t(h) + (up ? step : -step));
    if (up) return h > 32255 ? int16_t(32767) : int16_t(h + kSlopeStep);
    return h < -32256 ? int16_t(-32768) : int16_t(h - kSlopeStep);
}

void slopeKey(Editor& ed, bool up, SlopeForm form) {
    if (!onMapPage(ed)) return;
    using K = TargetKind;
    const CommandTarget t =
        findTarget(ed, {K::SelectedSectors, K::HoveredSector, K::SubjectSector},
                   form == SlopeForm::Fixed ? SideRule::Pointed : SideRule::View);
    if (!t.found()) return;
    const int32_t step = form == SlopeForm::Fixed
                             ? kSlopeStep
                             : repeatStep(ed, up ? vk::RightBracket : vk::LeftBracket);
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    const auto change = [&](int32_t s) {
        SectorRecord& r = map.sectors[size_t(s)];
        int16_t& h = t.ceiling ? r.ceilingheinum : r.floorheinum;
        h = slopeStepped(h, up, form, step);
        updateSectorSlope(map, s);
    };
    if (t.kind == K::SelectedSectors) {
        forEachSelected(map.sectorSelected, map.sectorCount, change);
        edit.commit();
        const int32_t msg = up ? (t.ceiling ? kMsgSelectedCeilingsUp : kMsgSelectedFloorsUp)
                               : (t.ceiling ? kMsgSelectedCeilingsDown : kMsgSelectedFloorsDown);
        report(ed, msg, {num(step)}, step);
        return;
    }
    change(t.index);
    edit.commit();
    const SectorRecord& r = map.sectors[size_t(t.index)];
    report(ed, t.ceiling ? kMsgSectorCeilingSlope : kMsgSectorFloorSlope,
           {num(t.index), num(t.ceiling ? r.ceilingheinum : r.floorheinum)});
}

bool spriteTargetExists(const Editor& ed) {
    return ed.map.selectedSpriteCount > 0 || hoveredSprite(ed) >= 0;
}

// The wall before w in its loop: the one whose point2 is w, found by walking on from w; -1 when
// the ring is broken.
int32_t previousWallOf(const MapStore& map, int32_t w) {
    int32_t v = w;
    for (int32_t steps = 0; steps <= map.wallCount; ++steps) {
        const int32_t next = map.walls[size_t(v)].point2;
        if (!isWall(map, next)) return -1;
        if (next == w) return v;
        v = next;
    }
    return -1;
}

// Comma and period in the side view of a wall: the view moves to the neighbouring wall.
void stepSideViewWall(Editor& ed, bool forward) {
    const int32_t subject = wallSubject(ed);
    if (subject < 0) return;
    MapStore& map = ed.map;
    const int32_t w = forward ? map.walls[size_t(subject)].point2 : previousWallOf(map, subject);
    if (!isWall(map, w)) return;
    const int32_t end = map.walls[size_t(w)].point2;
    if (!isWall(map, end)) return;
    ViewState& v = ed.view;
    v.sideViewSubject = w;
    v.sideViewX1 = map.walls[size_t(w)].x;
    v.sideViewY1 = map.walls[size_t(w)].y;
    v.sideViewX2 = map.walls[size_t(end)].x;
    v.sideViewY2 = map.walls[size_t(end)].y;
    ed.calls.buildSideViewSlices(ed);
    cueCommand(ed);
}

void turnSprites(Editor& ed, bool right, int32_t step) {
    using K = TargetKind;
    const CommandTarget t = findTarget(ed, {K::SelectedSprites, K::HoveredSprite});
    if (!t.found()) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    const auto turn = [&](int32_t k) {
        int16_t& a = map.sprites[size_t(k)].ang;
        a = int16_t((int32_t(a) + (right ? step : -step)) & 2047);
    };
    if (t.kind == K::SelectedSprites) {
        forEachSelected(map.spriteSelected, map.spriteCount, turn);
        edit.commit();
        report(ed, right ? kMsgSpritesTurnedRight : kMsgSpritesTurnedLeft, {num(step)});
        return;
    }
    turn(t.index);
    edit.commit();
    report(ed, kMsgSpriteAngle, {num(t.index), num(map.sprites[size_t(t.index)].ang)});
}

void angleKey(Editor& ed, bool right, bool fixed) {
    if (!onMapPage(ed)) return;
    if (fixed && right && ed.tool.currentTool == Tool::CurveWall) {
        ed.tool.toolAltMode = uint8_t(1 - ed.tool.toolAltMode);
        if (!spriteTargetExists(ed)) stepSideViewWall(ed, true);
        return;
    }
    if (spriteTargetExists(ed)) {
        turnSprites(ed, right, fixed ? kAngleStep : repeatStep(ed, right ? vk::Period : vk::Comma));
        return;
    }
    stepSideViewWall(ed, right);
}

}  // namespace

void slopeStep512Down(Editor& ed) {
    slopeKey(ed, false, SlopeForm::Fixed);
}
void slopeStep512Up(Editor& ed) {
    slopeKey(ed, true, SlopeForm::Fixed);
}
void decreaseSlope(Editor& ed) {
    slopeKey(ed, false, SlopeForm::Repeat);
}
void increaseSlope(Editor& ed) {
    slopeKey(ed, true, SlopeForm::Repeat);
}
void rotateSpriteLeft128(Editor& ed) {
    angleKey(ed, false, true);
}
void rotateSpriteRight128(Editor& ed) {
    angleKey(ed, true, true);
}
void rotateSpriteLeft(Editor& ed) {
    angleKey(ed, false, false);
}
void rotateSpriteRight(Editor& ed) {
    angleKey(ed, true, false);
}

void resetSpriteAngle(Editor& ed) {
    if (!onPlanView(ed)) return;
    using K = TargetKind;
    const CommandTarget t = findTarget(ed, {K::SelectedSprites, K::HoveredSprite});
    if (!t.found()) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    if (t.kind == K::SelectedSprites) {
        forEachSelected(map.spriteSelected, map.spriteCount,
                        [&](int32_t k) { map.sprites[size_t(k)].ang = 0; });
        edit.commit();
        report(ed, kMsgSpritesAngleReset);
        return;
    }
    map.sprites[size_t(t.index)].ang = 0;
    edit.commit();
    report(ed, kMsgSpriteAngleReset, {num(t.index)});
}

}  // namespace korvel
