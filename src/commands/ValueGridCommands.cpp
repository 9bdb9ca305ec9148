#include "commands/ValueGridCommands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "app/Editor.h"
#include "base/Mainm.h"
#include "base/ValueConv.h"
#include "commands/CommandTargets.h"
#include "editing/KeyboardDispatcher.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/WallLinks.h"
#include "geometry/WallMarks.h"
#include "map/SectorSearch.h"
#include "map/WallTables.h"
#include "platform/VirtualKeys.h"

namespace korvel {

namespace {

constexpr int32_t kMsgPolygonArcPoints = 131;
constexpr int32_t kMsgCurveSteps = 132;
constexpr int32_t kMsgToolDetail = 133;
constexpr int32_t kMsgWallCurveSteps = 134;
constexpr int32_t kMsgSparkCount = 135;
constexpr int32_t kMsgTileZoom = 136;
constexpr int32_t kMsgSpriteShade = 137;
constexpr int32_t kMsgSectorFloorShade = 138, kMsgSectorCeilingShade = 139;
constexpr int32_t kMsgWallShade = 140;
// Selected sprites, selected ceilings, selected floors; darker (minus) and lighter (plus).
constexpr int32_t kMsgDarker[3] = {141, 142, 143};
constexpr int32_t kMsgLighter[3] = {144, 145, 146};
constexpr int32_t kMsgLightHeight = 1202;
constexpr int32_t kMsgStrokeWidth = 251;
constexpr int32_t kMsgGridStep = 77;
constexpr int32_t kMsgAffineGridStep = 1180;
constexpr int32_t kMsgAffineOrigin = 1179;

constexpr int32_t kUiProfileScaleUp = 129, kUiProfileScaleDown = 130;
constexpr int32_t kUiRecordEditorPrevious = 160, kUiRecordEditorNext = 161;
constexpr int32_t kUiRecordEditorApplyAndClear = 162;

constexpr int32_t kMaxSparks = 512;
constexpr int32_t kMaxGridSpacing = 1048576;
constexpr double kTileZoomFactor = 1.0905077;

int32_t raised(int32_t v, int32_t by) {
    return saturate32(int64_t(v) + by);
}

// The lowest value of toolDetail for each tool that steps it; 0 for tools that do not.
int32_t toolDetailFloor(Tool tool) {
    switch (tool) {
        case Tool::RegularPolygon:
        case Tool::EllipsePolygon:
        case Tool::ProfileRevolve:
            return 3;
        case Tool::Circle:
        case Tool::DivideWall:
            return 2;
        case Tool::CurveShape:
        case Tool::CurveThroughVertices:
        case Tool::Stroke:
        case Tool::ProfileSweep:
            return 1;
        default:
            return 0;
    }
}

// Minus darkens (shade + 1), plus lightens; shades wrap as signed bytes.
void stepShade(Editor& ed, bool darker) {
    using K = TargetKind;
    const CommandTarget t = findTarget(ed,
                                       {K::SelectedSprites, K::SelectedSectors, K::HoveredSprite,
                                        K::HoveredSector, K::SubjectWall},
                                       SideRule::View, SideRule::View);
    if (!t.found()) return;
    MapStore& map = ed.map;
    const auto step = [&](int8_t& s) { s = int8_t(wrapToByte(int32_t(s) + (darker ? 1 : -1))); };
    const auto text = [](int8_t s) { return signedByteToString(uint8_t(s)); };
    const int32_t* selectedMsgs = darker ? kMsgDarker : kMsgLighter;
    CommandEdit edit(ed);
    switch (t.kind) {
        case K::SelectedSprites:
            forEachSelected(map.spriteSelected, map.spriteCount,
                            [&](int32_t k) { step(map.sprites[size_t(k)].shade); });
            edit.commit();
            report(ed, selectedMsgs[0]);
            return;
        case K::SelectedSectors:
            forEachSelected(map.sectorSelected, map.sectorCount, [&](int32_t s) {
                SectorRecord& r = map.sectors[size_t(s)];
                step(t.ceiling ? r.ceilingshade : r.floorshade);
            });
            edit.commit();
            report(ed, selectedMsgs[t.ceiling ? 1 : 2]);
            return;
        case K::HoveredSprite: {
            int8_t& s = map.sprites[size_t(t.index)].shade;
            step(s);
            edit.commit();
            report(ed, kMsgSpriteShade, {num(t.index), text(s)});
            return;
        }
        case K::HoveredSector: {
            SectorRecord& r = map.sectors[size_t(t.index)];
            int8_t& s = t.ceiling ? r.ceilingshade : r.floorshade;
            step(s);
            edit.commit();
            report(ed, t.ceiling ? kMsgSectorCeilingShade : kMsgSectorFloorShade,
                   {num(t.index), text(s)});
            return;
        }
        default: {
            int8_t& s = map.walls[size_t(t.index)].shade;
            step(s);
            edit.commit();
            report(ed, kMsgWallShade, {num(t.index), text(s)});
            return;
        }
    }
}

// Minus (down) and plus on the map pages: the active tool's value, else the target's shade.
void stepToolValue(Editor& ed, bool minus) {
    ToolState& t = ed.tool;
    const Tool tool = t.currentTool;
    if (tool == Tool::DrawPolygon) {
        if (t.toolDetailLocked) return;
        if (minus && t.toolSecDetail <= 2) return;
        t.toolSecDetail = raised(t.toolSecDetail, minus ? -1 : 1);
        report(ed, kMsgPolygonArcPoints, {num(t.toolSecDetail)});
        return;
    }
    if (tool == Tool::CurveWall) {
        if (minus && t.toolSecDetail < 3) return;
        t.toolSecDetail = raised(t.toolSecDetail, minus ? -1 : 1);
        report(ed, kMsgWallCurveSteps, {num(t.toolSecDetail)});
        return;
    }
    if (tool == Tool::ShadeFromLight) {
        // Minus lifts the light, plus lowers it.
        t.shadeLightHeight = std::clamp(t.shadeLightHeight + (minus ? 1 : -1), 0, 128);
        report(ed, kMsgLightHeight, {num(t.shadeLightHeight)});
        return;
    }
    if (const int32_t floor = toolDetailFloor(tool); floor > 0) {
        if (!minus)
            t.toolDetail = raised(t.toolDetail, 1);
        else if (t.toolDetail > floor)
            --t.toolDetail;
        report(ed, kMsgToolDetail, {num(t.toolDetail)});
        return;
    }
    stepShade(ed, minus);
}

std::string singleText(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", double(v));
    return buf;
}

void valueKey(Editor& ed, bool minus) {
    switch (ed.app.currentPage) {
        case Page::PlanView:
        case Page::SideView:
            stepToolValue(ed, minus);
            return;
        case Page::SparksToy: {
            int32_t& n = ed.pages.sparksToy.sparkCount;
            if (minus ? n <= 1 : n >= kMaxSparks) return;
            n += minus ? -1 : 1;
            report(ed, kMsgSparkCount, {num(n)});
            ed.operations.initSparks(ed);
            return;
        }
        case Page::TileZoom: {
            float& z = ed.pages.tileZoom.tilePreviewZoom;
            if (minus && z < 200) z = float(double(z) * kTileZoomFactor);
            if (!minus && z > 0.005f) z = float(double(z) / kTileZoomFactor);
            if (std::fabs(double(z) - 1) < 0.0001) z = 1;
            report(ed, kMsgTileZoom, {singleText(1.0f / z)});
            return;
        }
        case Page::ProfileEditor:
            pressToolbarButton(ed, minus ? kUiProfileScaleUp : kUiProfileScaleDown, false);
            return;
        default:
            return;
    }
}

void toolParamKey(Editor& ed, bool minus) {
    if (!onPlanView(ed)) return;
    ToolState& t = ed.tool;
    if (t.currentTool == Tool::CurveShape) {
        if (minus && t.toolSecDetail < 2) return;
        t.toolSecDetail = raised(t.toolSecDetail, minus ? -1 : 1);
        report(ed, kMsgCurveSteps, {num(t.toolSecDetail)});
        return;
    }
    if (t.currentTool == Tool::Stroke) {
        const int32_t a = minus ? vk::Minus : vk::Equals;
        const int32_t b = minus ? vk::PadMinus : vk::PadPlus;
        const int32_t step = std::max(repeatStep(ed, a), repeatStep(ed, b));
        t.lineWidth = minus ? std::max(raised(t.lineWidth, -step), 2) : raised(t.lineWidth, step);
        report(ed, kMsgStrokeWidth, {num(t.lineWidth)});
    }
}

std::string affineStepText(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

void gridKey(Editor& ed, bool finer) {
    const Page page = ed.app.currentPage;
    if (!onMapPage(ed) && page != Page::ProfileEditor) return;
    Settings& s = ed.settings;
    if (page == Page::PlanView && s.affineGridMode == 1 &&
        ed.tool.currentTool != Tool::AffineGrid) {
        double& step = ed.tool.affineGridStep;
        if (finer && step > 0.0001) step /= 2;
        if (!finer && step < 1000) step *= 2;
        report(ed, kMsgAffineGridStep, {affineStepText(step)});
        return;
    }
    if (page != Page::ProfileEditor && s.autoGrid) {
        report(ed, kMsgGridStep, {num(s.gridSpacing)});
        return;
    }
    int32_t& g = s.gridSpacing;
    if (finer) {
        if (g % 2 != 0) return;
        g /= 2;
    } else {
        // A negative step from the configuration must not double past the 32-bit range.
        if (g >= kMaxGridSpacing || int64_t(g) * 2 < std::numeric_limits<int32_t>::min()) return;
        g *= 2;
    }
    report(ed, kMsgGridStep, {num(g)});
    cueCommand(ed);
}

// --- Nudges ---

void moveStart(MapStore& map, std::vector<uint8_t>& moved, int32_t w, int32_t dx, int32_t dy) {
    if (!isWall(map, w) || moved[size_t(w)]) return;
    moved[size_t(w)] = 1;
    WallRecord& r = map.walls[size_t(w)];
    r.x = saturate32(int64_t(r.x) + dx);
    r.y = saturate32(int64_t(r.y) + dy);
}

// The walls of a sector, its range cut to the walls that exist.
template <typename Fn>
void forSectorWalls(const MapStore& map, int32_t s, Fn&& fn) {
    const SectorRecord& r = map.sectors[size_t(s)];
    if (r.wallptr < 0 || r.wallnum <= 0) return;
    const int32_t end = std::min<int32_t>(int32_t(r.wallptr) + r.wallnum, map.wallCount);
    for (int32_t w = r.wallptr; w < end; ++w) fn(w);
}

bool anythingSelected(const MapStore& map) {
    return map.selectedSpriteCount > 0 || map.selectedSectorCount > 0 ||
           map.selectedVertexCount > 0 || map.selectedLoopCount > 0;
}

void nudge(Editor& ed, int32_t dirX, int32_t dirY) {
    MapStore& map = ed.map;
    if (!onPlanView(ed) || !anythingSelected(map)) return;
    const int32_t d = ed.settings.gridSpacing;
    const int32_t dx = saturate32(int64_t(dirX) * d), dy = saturate32(int64_t(dirY) * d);

    // Undoing a nudge leaves the map marked modified.
    CommandEdit edit(ed, EditUndo::SnapshotMarkedModified);
    MapEvents& events = edit.events();
    // A start point reached by several of the steps below still moves once.
    std::vector<uint8_t> moved(size_t(std::max(map.wallCount, 0)), 0);

    findMovingWallsByVertices(map);
    for (int32_t w = 0; w < map.wallCount; ++w) {
        const auto mark = WallMoveState(map.wallMoveState[size_t(w)]);
        if (mark == WallMoveState::StartPoint || mark == WallMoveState::BothPoints)
            moveStart(map, moved, w, dx, dy);
    }

    const bool moveTextures = ed.settings.autoTextureMove != 0;
    forEachSelected(map.sectorSelected, map.sectorCount, [&](int32_t s) {
        forSectorWalls(map, s, [&](int32_t w) {
            WallRecord& r = map.walls[size_t(w)];
            if (r.nextwall >= 0) {
                if (const int32_t t = wallTwin(map, w); t >= 0) {
                    map.walls[size_t(t)].nextwall = -1;
                    map.walls[size_t(t)].nextsector = -1;
                }
                r.nextwall = -1;
                r.nextsector = -1;
            }
            moveStart(map, moved, w, dx, dy);
        });
        if (moveTextures) {
            ed.operations.shiftSectorTile(ed, s, 0, dx, dy);
            ed.operations.shiftSectorTile(ed, s, -1, dx, dy);
        }
    });

    // Links between two moved sectors come back; those to sectors left behind stay cut. The
    // repair runs over the marked walls through one index of the start points.
    forEachSelected(map.sectorSelected, map.sectorCount, [&](int32_t s) {
        forSectorWalls(map, s, [&](int32_t w) { map.wallPassMark[size_t(w)] |= kPassRelink; });
    });
    relinkMarkedWalls(map, events);

    // The walls are where they end up; one search serves every sprite.
    const SectorSearch search(map);
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        SpriteRecord& sp = map.sprites[size_t(k)];
        const bool inSelectedSector =
            isSector(map, sp.sectnum) && map.sectorSelected[size_t(sp.sectnum)];
        if (!map.spriteSelected[size_t(k)] && !inSelectedSector) continue;
        sp.x = saturate32(int64_t(sp.x) + dx);
        sp.y = saturate32(int64_t(sp.y) + dy);
        updateSpriteSectnum(map, search, k);
        map.spriteStacksValid = 0;
    }

    forEachSelected(map.wallSelected, map.wallCount,
                    [&](int32_t w) { moveStart(map, moved, w, dx, dy); });
    edit.commit();
}

}  // namespace

void minusKeyCommand(Editor& ed) {
    valueKey(ed, true);
}
void plusKeyCommand(Editor& ed) {
    valueKey(ed, false);
}
void decreaseToolParam(Editor& ed) {
    toolParamKey(ed, true);
}
void increaseToolParam(Editor& ed) {
    toolParamKey(ed, false);
}
void gridFiner(Editor& ed) {
    gridKey(ed, true);
}
void gridCoarser(Editor& ed) {
    gridKey(ed, false);
}

void normaliseAffineGrid(Editor& ed) {
    if (!onPlanView(ed) || ed.tool.currentTool != Tool::AffineGrid) return;
    Settings& s = ed.settings;
    const double g = s.gridSpacing;
    const auto rescale = [g](int32_t& x, int32_t& y) {
        const double len = std::sqrt(double(x) * x + double(y) * y);
        if (!(len > 0)) return;
        const int32_t nx = safeFloor(double(x) * g / len), ny = safeFloor(double(y) * g / len);
        x = nx;
        y = ny;
    };
    rescale(s.affineGridXx, s.affineGridYx);
    rescale(s.affineGridXy, s.affineGridYy);
}

void squareAffineGrid(Editor& ed) {
    Settings& s = ed.settings;
    const ViewState& v = ed.view;
    const double zoom = v.viewZoom != 0 ? double(v.viewZoom) : 1;
    const auto distToMouse = [&](double x, double y) {
        const double col = (x + v.viewOriginX) / zoom + 400;
        const double row = (v.viewOriginY - y) / zoom + 300;
        return std::hypot(col - ed.input.mouseX, row - ed.input.mouseY);
    };
    const double ox = s.affineGridX1, oy = s.affineGridY1;
    const double dOrigin = distToMouse(ox, oy);
    const double dU = distToMouse(ox + s.affineGridXx, oy + s.affineGridYx);
    const double dV = distToMouse(ox + s.affineGridXy, oy + s.affineGridYy);
    if (dOrigin <= dU && dOrigin <= dV) {
        report(ed, kMsgAffineOrigin);
        return;
    }
    if (dU <= dV) {
        s.affineGridXy = s.affineGridYx;
        s.affineGridYy = saturate32(-int64_t(s.affineGridXx));
    } else {
        s.affineGridXx = s.affineGridYy;
        s.affineGridYx = saturate32(-int64_t(s.affineGridXy));
    }
}

void nudgeSelectionLeft(Editor& ed) {
    nudge(ed, -1, 0);
    pressToolbarButton(ed, kUiRecordEditorPrevious, false);
}
void nudgeSelectionRight(Editor& ed) {
    nudge(ed, 1, 0);
    pressToolbarButton(ed, kUiRecordEditorNext, false);
}
void nudgeSelectionUp(Editor& ed) {
    nudge(ed, 0, -1);
    pressToolbarButton(ed, kUiRecordEditorApplyAndClear, false);
}
void nudgeSelectionDown(Editor& ed) {
    nudge(ed, 0, 1);
}

}  // namespace korvel
