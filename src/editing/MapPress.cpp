#include "editing/MapPress.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/Editor.h"
#include "editing/InputDispatcher.h"
#include "app/PanelInfo.h"
#include "editing/SelectionInput.h"
#include "map/Selection.h"

namespace korvel {

namespace {

void flipWall(MapStore& m, int32_t w) {
    m.wallSelected[w] = m.wallSelected[w] ? 0 : 1;
    m.selectedWallCount += m.wallSelected[w] ? 1 : -1;
}

// Ctrl-click outside every sector: the one-sided walls of the outer boundary the hovered wall
// lies on flip, the walk crossing two-sided joints through their twins.
void flipOuterBoundary(MapStore& m, int32_t from) {
    int32_t w = from;
    for (int32_t step = 0; step <= m.wallCount; ++step) {
        const WallRecord& r = m.walls[w];
        int32_t next = r.point2;
        if (isWall(m, r.nextwall) && r.nextsector >= 0)
            next = m.walls[r.nextwall].point2;
        else
            flipWall(m, w);
        if (!isWall(m, next) || next == from) return;
        w = next;
    }
}

void pressWalls(Editor& ed) {
    MapStore& m = ed.map;
    const DispatchState& d = ed.dispatch;
    if (!d.shiftHeld) deselectWalls(m);
    const int32_t w = ed.hover.hoveredWall;
    if (!isWall(m, w)) return;
    if (!d.ctrlHeld) {
        flipWall(m, w);
    } else if (!isSector(m, ed.hover.hoveredSector)) {
        flipOuterBoundary(m, w);
    } else {
        const int32_t s = sectorOfWall(m, w);
        if (!isSector(m, s)) return;
        const int32_t end = std::min<int64_t>(int64_t(m.sectors[s].wallptr) + m.sectors[s].wallnum,
                                              m.wallCount);
        for (int32_t i = std::max<int32_t>(m.sectors[s].wallptr, 0); i < end; ++i) flipWall(m, i);
    }
}

void startLoopDrag(Editor& ed) {
    MapStore& m = ed.map;
    ed.drag.dragStartX = ed.drag.lastDragTargetX = ed.hover.hitPointX;
    ed.drag.dragStartY = ed.drag.lastDragTargetY = ed.hover.hitPointY;
    m.movedWallCount = kAllWallsMarked;
    std::fill(m.wallMoveState.begin(), m.wallMoveState.end(), int16_t(0));
    for (int32_t w = 0; w < m.wallCount; ++w)
        if (m.wallSelected[w]) m.wallMoveState[w] = int16_t(WallMoveState::BothPoints);
    if (int32_t(ed.tool.dragKind) > 1) ed.app.dragStartMouseY = ed.input.mouseY;
}

void pressLoops(Editor& ed) {
    MapStore& m = ed.map;
    const DispatchState& d = ed.dispatch;
    const int32_t w = isWall(m, ed.hover.hoveredWall) ? ed.hover.hoveredWall : -1;
    const bool onSelected = w >= 0 && m.wallSelected[w];
    if (((w >= 0 && !d.shiftHeld) || (d.ctrlHeld && m.selectedLoopCount > 0)) &&
        (onSelected || d.ctrlHeld)) {
        startLoopDrag(ed);
        return;
    }
    if (d.ctrlHeld) return;
    if (!d.shiftHeld) deselectWalls(m);
    if (w >= 0) {
        const bool select = !m.wallSelected[w];
        m.selectedLoopCount += select ? 1 : -1;
        int32_t cur = w;
        for (int32_t step = 0; step <= m.wallCount && isWall(m, cur); ++step) {
            if (bool(m.wallSelected[cur]) != select) {
                m.wallSelected[cur] = select ? 1 : 0;
                m.selectedWallCount += select ? 1 : -1;
            }
            cur = m.walls[cur].point2;
            if (cur == w) break;
        }
    }
    if (!d.shiftHeld && m.selectedWallCount > 0) startLoopDrag(ed);
}

void pressBooleanTarget(Editor& ed) {
    MapStore& m = ed.map;
    deselectSectors(m);
    m.booleanTargetSector = -2;
    const int32_t s = ed.hover.hoveredSector;
    if (!isSector(m, s)) return;
    m.sectorSelected[s] = 1;
    m.selectedSectorCount = 1;
    m.booleanTargetSector = s;
}

int32_t clampToRange(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, -2147483647, 2147483647));
}

template <typename Distance>
void dragAffineGrid(Editor& ed, const Distance& distance) {
    Settings& g = ed.settings;
    const int32_t hx = ed.hover.hitPointX, hy = ed.hover.hitPointY;
    auto originLabel = [&] {
        ed.app.cursorLabel = getMessage(272, ed.langs, std::to_string(g.affineGridX1),
                                        std::to_string(g.affineGridY1));
    };
    if (keyHeld(ed.input, 17)) {
        g.affineGridX1 = hx;
        g.affineGridY1 = hy;
        g.affineGridXx = g.gridSpacing, g.affineGridYx = 0;
        g.affineGridXy = 0, g.affineGridYy = g.gridSpacing;
        originLabel();
        return;
    }
    const int32_t ox = g.affineGridX1, oy = g.affineGridY1;
    const int32_t ax = clampToRange(int64_t(ox) + g.affineGridXx);
    const int32_t ay = clampToRange(int64_t(oy) + g.affineGridYx);
    const int32_t bx = clampToRange(int64_t(ox) + g.affineGridXy);
    const int32_t by = clampToRange(int64_t(oy) + g.affineGridYy);
    const double da = distance(ax, ay), db = distance(bx, by), dO = distance(ox, oy);
    auto axisLabel = [&](int64_t x, int64_t y) {
        const auto length = int64_t(std::floor(std::sqrt(double(x) * double(x) + double(y) * double(y))));
        ed.app.cursorLabel = getMessage(271, ed.langs, std::to_string(clampToRange(length)));
    };
    if (da <= db && da <= dO) {
        g.affineGridXx = clampToRange(int64_t(hx) - ox);
        g.affineGridYx = clampToRange(int64_t(hy) - oy);
        axisLabel(g.affineGridXx, g.affineGridYx);
    } else if (db <= da && db <= dO) {
        g.affineGridXy = clampToRange(int64_t(hx) - ox);
        g.affineGridYy = clampToRange(int64_t(hy) - oy);
        axisLabel(g.affineGridXy, g.affineGridYy);
    } else {
        g.affineGridX1 = hx;
        g.affineGridY1 = hy;
        originLabel();
    }
}

bool toolTakesTheButton(Tool t) {
    return t == Tool::TransformBySegments || t == Tool::QuadWarp1 || t == Tool::QuadWarp2 ||
           t == Tool::AffineGrid;
}

}  // namespace

void pressInMap(Editor& ed) {
    if (ed.cursor.cursorShape != CursorShape::MapCross) return;
    if (ed.app.currentPage == Page::SideView) {
        ed.tool.draggedSprite = -1;
        clickSelectSideView(ed);
        return;
    }
    if (ed.app.currentPage != Page::PlanView) return;
    ed.map.movedWallCount = 0;
    ed.tool.draggedSprite = -1;
    if (toolTakesTheButton(ed.tool.currentTool)) return;
    switch (ed.tool.selectionMode) {
        case SelectionMode::Sprites:
            clickSelectSprite(ed);
            break;
        case SelectionMode::Vertices:
            clickSelectPoint(ed);
            break;
        case SelectionMode::Sectors:
            clickSelectSector(ed);
            break;
        case SelectionMode::SpritesAndVertices:
            beginDragHovered(ed);
            break;
        case SelectionMode::Walls:
            pressWalls(ed);
            break;
        case SelectionMode::Loops:
            pressLoops(ed);
            break;
        case SelectionMode::BooleanTarget:
            pressBooleanTarget(ed);
            break;
        case SelectionMode::AreaSettings:
            break;
    }
}

void dragToolHandles(Editor& ed) {
    if (ed.cursor.cursorShape != CursorShape::MapCross) return;
    const ViewState& v = ed.view;
    const InputState& in = ed.input;
    const double zoom = v.viewZoom;
    if (!(zoom > 0)) return;
    auto distance = [&](int32_t x, int32_t y) {
        const double sx = (double(x) + v.viewOriginX) / zoom + 400;
        const double sy = (double(v.viewOriginY) - y) / zoom + 300;
        return std::hypot(sx - in.mouseX, sy - in.mouseY);
    };
    const int32_t hx = ed.hover.hitPointX, hy = ed.hover.hitPointY;
    const bool ctrl = ed.dispatch.ctrlHeld != 0;
    DrawVertexList& pts = ed.drawVertices;
    // Among points first..first+count-1: the first as near as every other, or with lastWins the
    // last of a tie.
    auto nearest = [&](int32_t first, int32_t count, bool lastWins) {
        int32_t best = first;
        for (int32_t i = first + 1; i < first + count; ++i) {
            const double d = distance(pts.toolPointsX[i], pts.toolPointsY[i]);
            const double b = distance(pts.toolPointsX[best], pts.toolPointsY[best]);
            if (d < b || (lastWins && d == b)) best = i;
        }
        return best;
    };
    auto moveTo = [&](int32_t i) {
        pts.toolPointsX[i] = hx;
        pts.toolPointsY[i] = hy;
    };
    switch (ed.tool.currentTool) {
        case Tool::TransformBySegments:
            if (pts.toolPointCount >= 4) moveTo(nearest(ctrl ? 0 : 2, 2, true));
            break;
        case Tool::QuadWarp1:
            if (pts.toolPointCount >= 6) moveTo(nearest(ctrl ? 0 : 3, 3, false));
            break;
        case Tool::QuadWarp2:
            if (pts.toolPointCount >= 8) moveTo(nearest(ctrl ? 0 : 4, 4, false));
            break;
        case Tool::AffineGrid:
            dragAffineGrid(ed, distance);
            break;
        default:
            break;
    }
}

void dragHeightSlider(Settings& s, const InputState& in, bool ctrlHeld, std::string& tooltipText) {
    if (in.mouseY < 6 || in.mouseY > 23) return;
    const int32_t x = in.mouseX;
    if (x == 592) {
        s.zRangeHigh = 2147483647;
        tooltipText = "2147483647";
        return;
    }
    if (x == 792) {
        s.zRangeLow = -2147483647;
        tooltipText = "-2147483647";
        return;
    }
    if (x < 593 || x > 791) return;
    const int32_t value = sliderValue(x);
    if (ctrlHeld) {
        s.zRangeOffset = clampToRange(-int64_t(value));
        tooltipText = std::to_string(s.zRangeOffset);
        return;
    }
    const int64_t toLow = std::llabs(int64_t(gaugeColumn(s.zRangeOffset, s.zRangeLow)) - x);
    const int64_t toHigh = std::llabs(int64_t(gaugeColumn(s.zRangeOffset, s.zRangeHigh)) - x);
    int32_t& limit = toLow < toHigh ? s.zRangeLow : s.zRangeHigh;
    limit = clampToRange(int64_t(value) + s.zRangeOffset);
    tooltipText = std::to_string(limit);
}

int32_t sliderValue(int32_t column) {
    constexpr double kPi = 3.14159265358979;
    const double v = std::floor(-65536.0 * std::tan((0.005 * column + 0.04) * kPi + kPi / 2));
    return clampToRange(std::isfinite(v) ? int64_t(std::clamp(v, -4e18, 4e18)) : 0);
}

}  // namespace korvel
