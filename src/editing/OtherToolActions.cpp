#include "editing/OtherToolActions.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/Editor.h"
#include "app/Sound.h"
#include "commands/PageStack.h"
#include "commands/ToolCommands.h"
#include "editing/CalculatorPrompt.h"
#include "editing/GeneratorTools.h"
#include "editing/GeometryToolActions.h"
#include "editing/LightTools.h"
#include "editing/ValuePrompt.h"
#include "geometry/TransformTools.h"
#include "geometry/WallLinks.h"
#include "geometry/WallPrimitives.h"
#include "map/GeometryQueries.h"
#include "map/MapEdit.h"
#include "views/WallCurvePreview.h"

namespace korvel {

namespace {

int32_t clampHeight(int64_t z) {
    return int32_t(std::clamp<int64_t>(z, -2147483647, 2147483647));
}

// The first press marks where the start goes; the second places it there, facing the second
// press, in the last shown sector that holds it.
void placeStartByTool(Editor& ed) {
    DrawVertexList& pts = ed.drawVertices;
    const int32_t hx = ed.hover.hitPointX, hy = ed.hover.hitPointY;
    if (pts.toolPointCount != 1) {
        pts.toolPointCount = 1;
        pts.toolPointsX[0] = hx;
        pts.toolPointsY[0] = hy;
        return;
    }
    MapStore& m = ed.map;
    MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
    const int32_t sx = pts.toolPointsX[0], sy = pts.toolPointsY[0];
    m.startX = sx;
    m.startY = sy;
    ed.tool.currentTool = Tool::Idle;
    ed.app.helpPopupStep = -1;
    int32_t sector = -1;
    for (int32_t s = 0; s < m.sectorCount; ++s) {
        if (!pointInSector(m, sx, sy, s)) continue;
        if (sector == -1 || m.sectorIgnored[s] == 0) sector = s;
    }
    if (sector < 0) sector = 0;
    m.startSector = int16_t(sector);
    const int32_t floor = isSector(m, sector) ? getTrueFloorZ(m, sx, sy, sector) : 0;
    m.startZ = clampHeight(int64_t(floor) - 8192);
    m.startAngle = int16_t(angleOf65536(sy, hx, hy, sx) / 32);
    edit.commit();
    playSound(ed, "command");
}

// The tool is done: the plan view goes back to selecting, with the snapshot taken.
void finishTool(Editor& ed) {
    ed.tool.currentTool = Tool::Idle;
    ed.app.helpPopupStep = -1;
}

// Every selected sprite turns to face the hit point.
void aimSprites(Editor& ed) {
    MapStore& m = ed.map;
    MapEdit edit(m, ed.undo, ed.events, EditUndo::Snapshot);
    finishTool(ed);
    const auto hx = float(ed.hover.hitPointX), hy = float(ed.hover.hitPointY);
    for (int32_t k = 0; k < m.spriteCount; ++k) {
        if (!m.spriteSelected[k]) continue;
        SpriteRecord& r = m.sprites[k];
        const float a = angleOfSingle(float(r.y), hx, hy, float(r.x));
        r.ang = int16_t(safeFloor(double(a) / 3.14159265358979 * 1024));
    }
    edit.commit();
    playSound(ed, "command");
    ed.events.statusMessage(309, {}, 0);
}

// Tools that only pick a point for a page: the page opens with the point.
void pickPointForPage(Editor& ed, Page page, int32_t& x, int32_t& y) {
    ed.app.currentPage = page;
    finishTool(ed);
    x = ed.hover.hitPointX;
    y = ed.hover.hitPointY;
    playSound(ed, "command");
}


// The snapshot of a finishing tool, which a batch (a script feeding the tool) leaves out.
EditUndo finishingSnapshot(const Editor& ed) {
    return ed.sound.batchDepth != 0 ? EditUndo::None : EditUndo::Snapshot;
}

// Whether the walls to come fit; the status line says so when they do not.
bool roomForWalls(MapStore& m, MapEvents& ev, int64_t walls) {
    if (walls <= int64_t(kMaxWalls) - m.wallCount) return true;
    ev.statusMessage(kMsgNoRoomForWalls);
    return false;
}

// The end points of the tool preview's lines but the last, in map coordinates.
std::vector<IntPoint> previewLineEnds(const OverlayLists& o) {
    std::vector<IntPoint> pts;
    const int32_t n = std::clamp(o.overlayLineCount, 0, kOverlayCapacity);
    for (int32_t k = 0; k + 1 < n; ++k)
        pts.push_back({o.overlayLines[k].x2, -o.overlayLines[k].y2});
    return pts;
}

// Wall t curved or divided through the preview's points: on t itself when it is one-sided or
// the lower of its pair, else on its twin, so that both sides get the same vertices.
bool bendWallAlongPreview(Editor& ed, MapEvents& ev, int32_t t) {
    MapStore& m = ed.map;
    if (!isWall(m, t)) return false;
    const std::vector<IntPoint> pts = previewLineEnds(ed.overlays);
    if (!roomForWalls(m, ev, 2 * int64_t(pts.size()))) return false;
    const int32_t twin = m.walls[t].nextwall;
    const bool square = ed.settings.autoWallSquare != 0;
    if (!isWall(m, twin) || twin > t) {
        for (size_t k = pts.size(); k-- > 0;) insertVertex(m, ev, t, pts[k].x, pts[k].y, square);
    } else {
        for (const IntPoint& p : pts) insertVertex(m, ev, twin, p.x, p.y, square);
    }
    return true;
}

int32_t firstShownSelectedWall(const MapStore& m) {
    for (int32_t w = 0; w < m.wallCount; ++w)
        if (m.wallSelected[w] && m.wallIgnored[w] == uint8_t(HiddenState::Shown)) return w;
    return -1;
}

void deselectWall(MapStore& m, int32_t w) {
    if (!isWall(m, w) || !m.wallSelected[w]) return;
    m.wallSelected[w] = 0;
    --m.selectedWallCount;
}

// Every shown, selected wall cut into as many equal parts as the preview shows; a pair of
// twins once.
bool divideSelectedWalls(Editor& ed, MapEvents& ev) {
    MapStore& m = ed.map;
    const int64_t n = std::clamp(ed.overlays.overlayLineCount, 0, kOverlayCapacity);
    int64_t selected = 0;
    for (int32_t w = 0; w < m.wallCount; ++w)
        selected += m.wallSelected[w] && m.wallIgnored[w] == uint8_t(HiddenState::Shown);
    if (!roomForWalls(m, ev, 2 * selected * std::max<int64_t>(n - 1, 0))) return false;
    const bool square = ed.settings.autoWallSquare != 0;
    for (int32_t steps = m.wallCount + 1; steps > 0; --steps) {
        const int32_t w = firstShownSelectedWall(m);
        if (w < 0) break;
        const int32_t twin = m.walls[w].nextwall;
        deselectWall(m, w);
        deselectWall(m, twin);
        const int32_t s = isWall(m, twin) && twin < w ? twin : w;
        const int32_t next = m.walls[s].point2;
        if (n < 2 || !isWall(m, next)) continue;
        const int64_t x0 = m.walls[s].x, y0 = m.walls[s].y;
        const int64_t x1 = m.walls[next].x, y1 = m.walls[next].y;
        for (int64_t k = n - 2; k >= 0; --k)
            insertVertex(m, ev, s, int32_t(x0 + (x1 - x0) * (k + 1) / n),
                         int32_t(y0 + (y1 - y0) * (k + 1) / n), square);
    }
    return true;
}

// The corners at the selected vertices replaced by their fillets. The preview made the first
// vertex's group of arc points and centre; each further vertex appends its own. A vertex whose
// corner is straight has no group and keeps its corner.
bool curveThroughSelectedVertices(Editor& ed, MapEvents& ev) {
    MapStore& m = ed.map;
    OverlayLists& o = ed.overlays;
    const int32_t d = ed.tool.toolDetail;
    const int32_t group = d + 2;
    std::vector<int32_t> starts;
    bool first = true;
    for (int32_t w = 0; w < m.wallCount; ++w) {
        if (!m.vertexSelected[w]) continue;
        if (first) {
            starts.push_back(o.overlayPointCount >= group ? 0 : -1);
            first = false;
            continue;
        }
        const int32_t before = o.overlayPointCount;
        buildCurvedWallControl(ed, w);
        starts.push_back(o.overlayPointCount - before == group ? before : -1);
    }
    const auto groups = std::count_if(starts.begin(), starts.end(), [](int32_t g) { return g >= 0; });
    if (d < 1 || !roomForWalls(m, ev, int64_t(groups) * d)) return false;
    // Each step passes at least one wall, and only the groups found above add walls.
    size_t next = 0;
    for (int32_t w = 0; w < m.wallCount;) {
        if (!m.vertexSelected[w]) {
            ++w;
            continue;
        }
        m.vertexSelected[w] = 0;
        --m.selectedVertexCount;
        const int32_t g = next < starts.size() ? starts[next++] : -1;
        if (g < 0 || g + group > o.overlayPointCount) {
            ++w;
            continue;
        }
        unlinkBothSides(m, w);
        if (isWall(m, m.walls[w].point2)) unlinkBothSides(m, m.walls[w].point2);
        for (int32_t j = 0; j < d; ++j)
            insertWallAfter(m, ev, w, o.overlayPoints[g + j].x, o.overlayPoints[g + j].y);
        m.walls[w].x = o.overlayPoints[g + d].x;
        m.walls[w].y = o.overlayPoints[g + d].y;
        // The loop is walked from w until it comes round; a broken ring ends the walk.
        int32_t v = w;
        for (int32_t k = 0; k <= m.wallCount && isWall(m, v); ++k) {
            checkWallPointer(m, ev, v, false, false);
            if (!isWall(m, v)) break;
            v = m.walls[v].point2;
            if (v == w) break;
        }
        w += d + 1;
    }
    return true;
}

// A finishing tool's edit: the tool ends, the map changes under one snapshot, the cue and the
// message follow.
template <typename Body>
void finishingEdit(Editor& ed, int32_t message, Body body) {
    finishTool(ed);
    MapEdit edit(ed.map, ed.undo, ed.events, finishingSnapshot(ed));
    if (!edit.finish(body(edit.events()))) return;
    playSound(ed, "command");
    if (message != 0) ed.events.statusMessage(message, {}, 0);
}

}  // namespace

// The other tools, pages and the ending step arrive with their own change; until then a press
// there changes nothing.
void pressOtherTool(Editor& ed) {
    switch (ed.tool.currentTool) {
        case Tool::PlaceStartPosition:
            placeStartByTool(ed);
            break;
        case Tool::JoinSectors:
            joinSectorsCommand(ed);
            break;
        case Tool::SubtractSectors:
            subtractSectorsTool(ed);
            break;
        case Tool::IntersectSectors:
            hideSpritesOrIntersect(ed);
            break;
        case Tool::PickArrayCentre:
            pickPointForPage(ed, Page::ArrayTool, ed.pages.arrayTool.arrayCenterX,
                             ed.pages.arrayTool.arrayCenterY);
            break;
        case Tool::PickLightPoint:
            pickPointForPage(ed, Page::WallLighting, ed.pages.wallLighting.lightX,
                             ed.pages.wallLighting.lightY);
            break;
        case Tool::AimSprites:
            aimSprites(ed);
            break;
        case Tool::AffineGrid:
            finishTool(ed);
            playSound(ed, "command");
            break;
        case Tool::Reel:
        case Tool::Arch:
        case Tool::Sphere:
            pressGeneratorTool(ed);
            break;
        case Tool::PickLightSprites:
        case Tool::ShadeFromLight:
        case Tool::CastShadows:
            pressLightTool(ed);
            break;
        case Tool::CurveWall:
            finishingEdit(ed, 27, [&](MapEvents& ev) {
                return bendWallAlongPreview(ed, ev, ed.tool.toolTargetSector);
            });
            break;
        case Tool::DivideWall:
            finishingEdit(ed, 28, [&](MapEvents& ev) {
                return ed.tool.toolTargetSector == kAllWallsMarked
                           ? divideSelectedWalls(ed, ev)
                           : bendWallAlongPreview(ed, ev, ed.tool.toolTargetSector);
            });
            break;
        case Tool::CurveThroughVertices:
            if (ed.overlays.overlayPointCount >= 2)
                finishingEdit(ed, 29, [&](MapEvents& ev) { return curveThroughSelectedVertices(ed, ev); });
            break;
        case Tool::TransformBySegments:
        case Tool::QuadWarp1:
        case Tool::QuadWarp2:
            pressHandleTool(ed);
            break;
        case Tool::TriangleLoops:
            pressTriangleLoopsTool(ed);
            break;
        case Tool::MirrorAcrossLine:
            pressMirrorTool(ed);
            break;
        case Tool::MergeVertices:
            pressMergeVerticesTool(ed);
            break;
        case Tool::TerrainFromTile:
            pressTerrainTool(ed);
            break;
        default:
            break;
    }
}
void pressViewBookmarksTool(Editor& ed) {
    finishTool(ed);
    ed.events.statusMessage(1195, {}, 0);
    playSound(ed, "command");
}
void pressOnOtherPage(Editor& ed) {
    switch (ed.app.currentPage) {
        case Page::SideView: {
            ViewState& v = ed.view;
            if (v.sideViewSubjectKind != SideViewSubjectKind::Section) break;
            if (v.measureActive) {
                v.measureActive = 0;
            } else {
                v.measureActive = 1;
                v.measureStartPos = ed.hover.sideHitPos;
                v.measureStartZ = ed.hover.hitPointZ;
            }
            break;
        }
        case Page::SparksToy: {
            uint8_t& cycle = ed.pages.sparksToy.sparkColorCycle;
            cycle = uint8_t((cycle + 1) % 8);
            ed.events.statusMessage(30, {std::to_string(cycle)}, 0);
            ed.operations.initSparks(ed);
            break;
        }
        case Page::TilePicker:
            ed.app.currentPage = Page::TileZoom;
            playSound(ed, "command");
            break;
        case Page::TileZoom:
            popPage(ed);
            playSound(ed, "command");
            break;
        default:
            break;
    }
}

void endPrimaryAction(Editor& ed) {
    if (valueFieldFocused(ed)) openCalculatorPrompt(ed);
}

}  // namespace korvel
