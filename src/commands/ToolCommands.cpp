#include "commands/ToolCommands.h"

#include <algorithm>
#include <vector>

#include "app/Editor.h"
#include "base/Mainm.h"
#include "commands/CommandTargets.h"
#include "commands/PageCommands.h"
#include "editing/DrawingTool.h"
#include "editing/PrimaryAction.h"
#include "geometry/SectorBooleans.h"
#include "geometry/SectorDeletion.h"
#include "geometry/TextureAlignment.h"
#include "map/GeometryQueries.h"
#include "map/MapEdit.h"
#include "map/Selection.h"
#include "ui/Menus.h"
#include "ui/Toolbar.h"
#include "views/ToolPreview.h"

namespace korvel {

namespace {

using K = TargetKind;

constexpr int32_t kMsgStartPositionTool = 22;
constexpr int32_t kMsgAffineGridOn = 1177, kMsgAffineGridOff = 1178;
constexpr int32_t kMsgSpritesHidden = 1197, kMsgSpriteHidden = 88;
constexpr int32_t kMsgWallCurveTool = 97;
constexpr int32_t kMsgSpritesAligned = 311;
constexpr int32_t kMsgSpriteAligned = 165, kMsgSpriteNotAligned = 166;
constexpr int32_t kMsgWallAlignBottomCleared = 167, kMsgWallAlignBottomSet = 168;
constexpr int32_t kMsgHoleFilled = 187, kMsgHoleNotFilled = 188;
constexpr int32_t kMsgFirstWallSet = 208;
constexpr int32_t kMsgWallTexturesAligned = 240;
constexpr int32_t kMsgDetailUnlocked = 151, kMsgDetailLocked = 152;
constexpr int32_t kAffineGridHelpTopic = 33;

// The operation a two-pick tool runs on (first pick, second pick).
using PairOperation = void (*)(Editor&, int32_t target, int32_t hovered);

struct TwoPick {
    Tool tool;
    int32_t startMessage;
    int32_t successMessage;
    PairOperation run;
};

// The two-pick protocol: the first press over a sector starts the tool on it, the next press
// runs the operation on the target and the sector then hovered.
void twoPick(Editor& ed, const TwoPick& pick) {
    ToolState& t = ed.tool;
    const int32_t hovered = hoveredSector(ed);
    if (t.currentTool == Tool::Idle) {
        if (hovered < 0) return;
        startTool(ed, pick.tool, hovered);
        report(ed, pick.startMessage);
        cueCommand(ed);
        return;
    }
    if (t.currentTool != pick.tool) return;
    if (t.toolTargetSector < 0) {
        if (hovered >= 0) t.toolTargetSector = hovered;
        return;
    }
    const int32_t target = t.toolTargetSector;
    endTool(ed);
    // A target that is no longer a sector, or the target picked again, only ends the tool.
    if (!isSector(ed.map, target) || hovered < 0 || hovered == target) return;
    {
        CommandEdit edit(ed);
        pick.run(ed, target, hovered);
        edit.commit();
    }
    if (t.currentTool != Tool::Idle)
        t.currentTool = Tool::Idle;
    else
        report(ed, pick.successMessage);
    cueCommand(ed);
}

void runIntersect(Editor& ed, int32_t a, int32_t b) {
    DrawingToolFeed feed(ed);
    intersectSectors(ed.map, ed.events, feed, a, b);
}

void runJoin(Editor& ed, int32_t a, int32_t b) {
    ed.bootLogState.progressShown = 0;
    DrawingToolFeed feed(ed);
    joinSectors(ed.map, ed.events, feed, a, b);
}

// The hovered sector is taken from the target; the variants order their operands by index.
void runSubtract(Editor& ed, int32_t target, int32_t hovered) {
    DrawingToolFeed feed(ed);
    if (hovered < target)
        subtractSectorsBA(ed.map, ed.events, feed, target, hovered);
    else
        subtractSectorsAB(ed.map, ed.events, feed, target, hovered);
}

// C on sprites: the centring bit, by the first-selected rule on a selection.
bool toggleSpriteCentre(Editor& ed) {
    const CommandTarget t = findTarget(ed, {K::SelectedSprites, K::HoveredSprite});
    if (!t.found()) return false;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    if (t.kind == K::SelectedSprites) {
        const bool set = toggledFromFirst(map.sprites[size_t(getFirstSelectedSprite(map))].cstat &
                                          kSpriteCentred);
        forEachSelected(map.spriteSelected, map.spriteCount, [&](int32_t k) {
            uint16_t& c = map.sprites[size_t(k)].cstat;
            c = set ? uint16_t(c | kSpriteCentred) : uint16_t(c & ~kSpriteCentred);
        });
        edit.commit();
        report(ed, set ? 94 : 93);
        return true;
    }
    uint16_t& c = map.sprites[size_t(t.index)].cstat;
    c ^= kSpriteCentred;
    edit.commit();
    report(ed, (c & kSpriteCentred) ? 96 : 95, {num(t.index)});
    cueCommand(ed);
    return true;
}

// C in the stroke tool: a stroke along every wall of the boolean target sector. The walls are
// listed before the first stroke, since each stroke changes the walls.
void strokeSectorOutline(Editor& ed) {
    MapStore& map = ed.map;
    const int32_t s = map.booleanTargetSector;
    if (!isSector(map, s)) return;
    struct Segment {
        int32_t x1, y1, x2, y2;
    };
    std::vector<Segment> segments;
    const SectorRecord& r = map.sectors[size_t(s)];
    const int32_t end = std::min<int32_t>(int32_t(r.wallptr) + r.wallnum, map.wallCount);
    for (int32_t w = std::max<int32_t>(r.wallptr, 0); w < end; ++w) {
        const int32_t next = map.walls[size_t(w)].point2;
        if (!isWall(map, next)) continue;
        segments.push_back({map.walls[size_t(w)].x, map.walls[size_t(w)].y,
                            map.walls[size_t(next)].x, map.walls[size_t(next)].y});
    }
    if (segments.empty()) return;

    CommandEdit edit(ed);
    ToolState& t = ed.tool;
    if (t.booleanMode == BooleanMode::Intersect) {
        deselectSectors(map);
        map.booleanTargetSector = -2;
        t.booleanMode = BooleanMode::Join;
    }
    {
        MuteBracket mute(ed.sound, ed.settings);
        MapEvents& events = edit.events();
        events.progressBegin(int32_t(segments.size()));
        for (const Segment& g : segments) {
            t.currentTool = Tool::Stroke;
            ed.drawVertices.toolPointCount = 0;
            appendToolPoint(ed.drawVertices, g.x1, g.y1);
            ed.hover.hitPointX = g.x2;
            ed.hover.hitPointY = g.y2;
            buildToolPreview(ed);
            hitSpace(ed);
            events.progressStep();
        }
        events.progressEnd();
        endTool(ed);
    }
    edit.commit();
    cueCommand(ed);
}

// --- Filling a hole (Alt+C) ---

struct HoleTrace {
    bool ok = false;
    int64_t turn = 0;            // the summed turn of the walls without a twin
    std::vector<int32_t> walls;  // those walls, in trace order
};

// Walks from the wall along its loop, crossing to the neighbour's walls at every twin, until it
// is back at the wall; a broken link or a walk longer than the walls there are fails.
HoleTrace traceHole(const MapStore& map, int32_t start) {
    HoleTrace tr;
    int32_t w = start;
    int32_t first = 0, last = 0;
    for (int32_t steps = 0; steps <= map.wallCount; ++steps) {
        const int32_t twin = wallTwin(map, w);
        int32_t next;
        if (twin < 0) {
            const int32_t dir = wallAngle(map, w);
            if (tr.walls.empty())
                first = dir;
            else
                tr.turn += angleDelta65536(last, dir);
            last = dir;
            tr.walls.push_back(w);
            next = map.walls[size_t(w)].point2;
        } else {
            next = map.walls[size_t(twin)].point2;
        }
        if (!isWall(map, next)) return tr;
        w = next;
        if (w == start) {
            tr.turn += angleDelta65536(last, first);
            tr.ok = true;
            return tr;
        }
    }
    return tr;
}

// Gives the new sector the outer sector's fields and its walls the outer first wall's look.
void copyOuterLook(MapStore& map, int32_t outer, int32_t made) {
    SectorRecord& s = map.sectors[size_t(made)];
    const SectorRecord& o = map.sectors[size_t(outer)];
    const int16_t wallptr = s.wallptr, wallnum = s.wallnum;
    s = o;
    s.wallptr = wallptr;
    s.wallnum = wallnum;
    if (!isWall(map, o.wallptr)) return;
    const WallRecord src = map.walls[size_t(o.wallptr)];
    const int32_t end = std::min<int32_t>(int32_t(wallptr) + wallnum, map.wallCount);
    for (int32_t w = std::max<int32_t>(wallptr, 0); w < end; ++w) {
        WallRecord& d = map.walls[size_t(w)];
        d.cstat = src.cstat;
        d.picnum = src.picnum;
        d.overpicnum = src.overpicnum;
        d.shade = src.shade;
        d.pal = src.pal;
        d.xrepeat = src.xrepeat;
        d.yrepeat = src.yrepeat;
        d.xpanning = src.xpanning;
        d.lotag = src.lotag;
        d.hitag = src.hitag;
        d.extra = src.extra;
    }
}

bool fillHole(Editor& ed) {
    MapStore& map = ed.map;
    const int32_t w0 = hoveredWall(ed);
    if (w0 < 0 || map.walls[size_t(w0)].nextsector != -1) return false;
    const int32_t outer = sectorOfWall(map, w0);
    if (!isSector(map, outer)) return false;
    const HoleTrace tr = traceHole(map, w0);
    if (!tr.ok || tr.turn != -65536) return false;
    // Room for the new sector and its walls, checked before anything changes.
    if (map.sectorCount >= kMaxSectors ||
        int64_t(map.wallCount) + int64_t(tr.walls.size()) > kMaxWalls)
        return false;

    const int32_t sectorsBefore = map.sectorCount;
    CommandEdit edit(ed);
    {
        MuteBracket mute(ed.sound, ed.settings);
        endTool(ed);
        const SelectionMode mode = ed.tool.selectionMode;
        ed.tool.selectionMode = SelectionMode::SpritesAndVertices;
        PlainModifiers plain(ed.dispatch);
        bool first = true;
        int32_t firstX = 0, firstY = 0;
        for (const int32_t w : tr.walls) {
            // The drawing tool gives the walls it makes the look of the slot past the last wall.
            if (map.wallCount < kMaxWalls) map.walls[size_t(map.wallCount)] = map.walls[size_t(w)];
            const WallRecord& end = map.walls[size_t(map.walls[size_t(w)].point2)];
            ed.hover.hitPointX = end.x;
            ed.hover.hitPointY = end.y;
            if (first) {
                firstX = end.x;
                firstY = end.y;
                first = false;
            }
            hitSpace(ed);
            ed.tool.toolAltMode = 0;
            ed.tool.toolDrawMode = 0;
        }
        ed.hover.hitPointX = firstX;
        ed.hover.hitPointY = firstY;
        hitSpace(ed);
        ed.tool.selectionMode = mode;
        endTool(ed);
        if (map.wallCount < kMaxWalls) map.walls[size_t(map.wallCount)] = WallRecord{};
    }
    if (map.sectorCount != sectorsBefore + 1) return false;  // the edit rolls back
    copyOuterLook(map, outer, map.sectorCount - 1);
    edit.commit();
    return true;
}

}  // namespace

void placeStartPosition(Editor& ed) {
    if (!onPlanView(ed)) return;
    ToolState& t = ed.tool;
    if (t.currentTool == Tool::PlaceStartPosition) {
        hitSpace(ed);
        return;
    }
    if (t.currentTool != Tool::Idle) return;
    startTool(ed, Tool::PlaceStartPosition, -1);
    ed.drawVertices.toolPointCount = 0;
    appendToolPoint(ed.drawVertices, ed.hover.hitPointX, ed.hover.hitPointY);
    report(ed, kMsgStartPositionTool);
}

void toggleWallSegmentTool(Editor& ed) {
    if (!onPlanView(ed)) return;
    if (ed.tool.currentTool == Tool::DivideWall) {
        cancelAction(ed);
        return;
    }
    const int32_t target = ed.map.selectedWallCount > 0 ? kWholeSelection : hoveredWall(ed);
    if (target < 0) return;
    startTool(ed, Tool::DivideWall, target);
    ed.tool.toolAltMode = 0;
    cueCommand(ed);
}

void toggleAffineGridTool(Editor& ed) {
    Settings& s = ed.settings;
    if (s.affineGridMode != 1) {
        ed.tool.affineGridStep = 1.0;
        ed.tool.currentTool = Tool::AffineGrid;
        s.affineGridMode = 1;
        ed.app.helpPopupStep = 0;
        ed.app.helpTopic = kAffineGridHelpTopic;
        report(ed, kMsgAffineGridOn);
        cueCommand(ed);
        rebuildToolbar(ed);
        ed.app.redrawRequest = 1;
    } else {
        s.affineGridMode = 0;
        endTool(ed);
        cueCommand(ed);
        report(ed, kMsgAffineGridOff);
    }
    ed.dispatch.areaSelectLatch = 0;
}

void hideSpritesOrIntersect(Editor& ed) {
    if (!onMapPage(ed)) return;
    MapStore& map = ed.map;
    if (map.selectedSpriteCount > 0) {
        forEachSelected(map.spriteSelected, map.spriteCount, [&](int32_t k) {
            map.spriteIgnored[size_t(k)] = uint8_t(HiddenState::Hidden);
        });
        report(ed, kMsgSpritesHidden);
        cueCommand(ed);
        deselectSprites(map);
        return;
    }
    if (const int32_t k = hoveredSprite(ed); k >= 0) {
        map.spriteIgnored[size_t(k)] = uint8_t(HiddenState::Hidden);
        report(ed, kMsgSpriteHidden);
        cueCommand(ed);
        return;
    }
    if (ed.tool.selectionMode == SelectionMode::Sprites) return;
    twoPick(ed, {Tool::IntersectSectors, 89, 90, runIntersect});
}

void joinSectorsCommand(Editor& ed) {
    if (!onPlanView(ed)) return;
    if (ed.map.selectedSectorCount >= 2) {
        ed.operations.joinSelectedSectors(ed);
        return;
    }
    twoPick(ed, {Tool::JoinSectors, 91, 92, runJoin});
}

void subtractSectorsTool(Editor& ed) {
    if (!onPlanView(ed)) return;
    ToolState& t = ed.tool;
    if (t.currentTool == Tool::DrawPolygon) {
        t.toolDetailLocked = uint8_t(t.toolDetailLocked ? 0 : 1);
        report(ed, t.toolDetailLocked ? kMsgDetailLocked : kMsgDetailUnlocked);
        cueCommand(ed);
        return;
    }
    twoPick(ed, {Tool::SubtractSectors, 153, 154, runSubtract});
}

void dropPointOrToggleCeilView(Editor& ed) {
    const Page page = ed.app.currentPage;
    if (!onMapPage(ed) && page != Page::View3D) return;
    ToolState& t = ed.tool;
    if (t.currentTool == Tool::DrawPolygon) {
        DrawVertexList& list = ed.drawVertices;
        if (list.toolPointCount <= 1) {
            cancelAction(ed);
            return;
        }
        --list.toolPointCount;
        if (t.toolAltMode == 1 && list.toolPointCount < 2) t.toolAltMode = 0;
        return;
    }
    playSound(ed, "mode1");
    ed.settings.ceilingView = uint8_t(ed.settings.ceilingView ? 0 : 1);
    rebuildToolbar(ed);
    if (page == Page::View3D) ed.pages.view3d.view3dValid = 0;
    if (ed.menus.openMenu == 3) drawOpenMenu(ed);
}

void alignSpriteCommand(Editor& ed) {
    MapStore& map = ed.map;
    if (onSideView(ed)) {
        const int32_t w = wallSubject(ed);
        if (w < 0) return;
        CommandEdit edit(ed);
        uint16_t& c = map.walls[size_t(w)].cstat;
        c ^= kWallAlignBottom;
        edit.commit();
        cueCommand(ed);
        report(ed, (c & kWallAlignBottom) ? kMsgWallAlignBottomSet : kMsgWallAlignBottomCleared);
        return;
    }
    if (!onPlanView(ed)) return;
    const CommandTarget t = findTarget(ed, {K::SelectedSprites, K::HoveredSprite});
    if (!t.found()) return;
    CommandEdit edit(ed);
    if (t.kind == K::SelectedSprites) {
        forEachSelected(map.spriteSelected, map.spriteCount,
                        [&](int32_t k) { ed.operations.alignSprite(ed, k); });
        edit.commit();
        cueCommand(ed);
        report(ed, kMsgSpritesAligned);
        return;
    }
    const int32_t wall = ed.operations.alignSprite(ed, t.index);
    // With no wall behind it the sprite is left as it was, and so is the undo step.
    if (wall >= 0) edit.commit();
    if (wall < 0) {
        playSound(ed, "beep1");
        report(ed, kMsgSpriteNotAligned, {num(t.index)});
    } else {
        cueCommand(ed);
        report(ed, kMsgSpriteAligned, {num(t.index), num(wall)});
    }
}

void toggleSpriteCentreOrBendWall(Editor& ed) {
    if (!onMapPage(ed)) return;
    ToolState& t = ed.tool;
    switch (t.currentTool) {
        case Tool::DrawPolygon:
            closeDrawnPolygon(ed);
            return;
        case Tool::CurveWall:
            cancelAction(ed);
            return;
        case Tool::Stroke:
            strokeSectorOutline(ed);
            return;
        default:
            break;
    }
    if (toggleSpriteCentre(ed)) return;
    const int32_t w = hoveredWall(ed);
    if (w < 0) return;
    startTool(ed, Tool::CurveWall, w);
    t.toolAltMode = 0;
    report(ed, kMsgWallCurveTool);
    cueCommand(ed);
}

void fillLoopWithSector(Editor& ed) {
    if (onPlanView(ed)) {
        if (fillHole(ed)) {
            cueCommand(ed);
            report(ed, kMsgHoleFilled);
        } else {
            report(ed, kMsgHoleNotFilled);
        }
    }
    ed.dispatch.areaSelectLatch = 0;
}

void setFirstWallCommand(Editor& ed) {
    ed.dispatch.areaSelectLatch = 0;
    if (!onPlanView(ed)) return;
    const int32_t w = hoveredWall(ed);
    if (w < 0) return;
    MapStore& map = ed.map;
    const int32_t s = sectorOfWall(map, w);
    if (!isSector(map, s)) return;
    CommandEdit edit(ed);
    setSectorFirstWall(map, edit.events(), s, w);
    edit.commit();
    cueCommand(ed);
    report(ed, kMsgFirstWallSet, {num(s)});
}

void pasteAttributesAroundLoop(Editor& ed) {
    const int32_t subject = wallSubject(ed);
    const uint8_t part = ed.hover.sideViewWallPart;
    if (subject < 0 || part < 1 || part > 4) return;
    MapStore& map = ed.map;
    CommandEdit edit(ed);
    int32_t w = subject;
    for (int32_t steps = 0; steps < map.wallCount; ++steps) {
        if (part == 1) {
            const int32_t twin = wallTwin(map, w);
            const bool fromTwin = (map.walls[size_t(w)].cstat & kWallSwapBottom) && twin >= 0;
            ed.operations.pasteWallAttributes(ed, fromTwin ? twin : w);
        } else if (part == 3) {
            ed.operations.pasteMaskedWallAttributes(ed, w);
        } else {
            ed.operations.pasteWallAttributes(ed, w);
        }
        if (!isWall(map, w)) break;
        w = map.walls[size_t(w)].point2;
        if (!isWall(map, w) || w == subject) break;
    }
    edit.commit();
    cueCommand(ed);
}

void alignWallTextureCommand(Editor& ed) {
    const int32_t w = wallSubject(ed);
    if (w < 0) return;
    CommandEdit edit(ed);
    clearWallVisitMarks(ed.pages.scriptEditor.pointBuffer1);
    ed.operations.alignWallTexture(ed, w);
    edit.commit();
    report(ed, kMsgWallTexturesAligned);
    cueCommand(ed);
}

}  // namespace korvel
