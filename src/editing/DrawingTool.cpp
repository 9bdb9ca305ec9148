#include "editing/DrawingTool.h"

#include <optional>

#include "app/Editor.h"
#include "base/MessageNumbers.h"
#include "editing/PrimaryAction.h"
#include "geometry/ShapeCompletion.h"
#include "map/GeometryQueries.h"
#include "map/MapEdit.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

// The editor's reports, through the model's interface (which carries the default arguments).
MapEvents& status(Editor& ed) {
    return ed.events;
}

IntPoint placedPoint(const DrawVertexList& list, int32_t k) {
    return {list.toolPointsX[k], list.toolPointsY[k]};
}

void storePoint(DrawVertexList& list, int32_t k, IntPoint p) {
    list.toolPointsX[k] = p.x;
    list.toolPointsY[k] = p.y;
}

IntPoint hitPointOf(const Editor& ed) {
    return {ed.hover.hitPointX, ed.hover.hitPointY};
}

bool startsAt(const MapStore& map, int32_t w, IntPoint p) {
    return map.walls[w].x == p.x && map.walls[w].y == p.y;
}

void setHitPoint(Editor& ed, IntPoint p) {
    ed.hover.hitPointX = p.x;
    ed.hover.hitPointY = p.y;
}

// Step one wall along the outer boundary: to the wall's point2, then, while that wall is
// two-sided, round the shared vertex to the next wall of the neighbour. Every step spends the
// budget; -1 when it runs out or a link leads nowhere.
int32_t nextBoundaryWall(const MapStore& map, int32_t w, int32_t& budget) {
    int32_t v = map.walls[w].point2;
    while (--budget >= 0 && isWall(map, v)) {
        const int32_t twin = map.walls[v].nextwall;
        if (twin == -1) return v;
        if (!isWall(map, twin)) return -1;
        v = map.walls[twin].point2;
    }
    return -1;
}

// The same backwards: the wall ending where w starts, pivoting past two-sided walls.
int32_t previousBoundaryWall(const MapStore& map, int32_t w, int32_t& budget) {
    int32_t v = getPrevWall(map, w);
    while (--budget >= 0) {
        const int32_t twin = map.walls[v].nextwall;
        if (twin == -1) return v;
        if (!isWall(map, twin)) return -1;
        v = getPrevWall(map, twin);
    }
    return -1;
}

struct BoundaryWalk {
    int32_t from = -1;  // the one-sided wall starting at the last point
    int32_t to = -1;    // the boundary wall starting at the hit point
};

// A walk along the outer boundary from the last point to the hit point: the first one-sided
// wall in index order from which following the boundary forward reaches a wall starting at the
// hit point before coming back.
BoundaryWalk findBoundaryWalk(const MapStore& map, IntPoint last, IntPoint hit) {
    for (int32_t i = 0; i < map.wallCount; ++i) {
        if (map.walls[i].nextwall != -1 || !startsAt(map, i, last)) continue;
        int32_t budget = map.wallCount + 1;
        for (int32_t w = nextBoundaryWall(map, i, budget); w >= 0 && w != i;
             w = nextBoundaryWall(map, w, budget))
            if (startsAt(map, w, hit)) return {i, w};
    }
    return {};
}

void walkBoundary(Editor& ed, const BoundaryWalk& walk, const SectorSplitOps& split) {
    ToolState& t = ed.tool;
    DispatchState& d = ed.dispatch;
    const MapStore& map = ed.map;
    const int32_t savedMode = t.toolDrawMode;
    // The previewed arc belongs to the hit point the user chose, not to the boundary's vertices.
    const uint8_t savedAltMode = t.toolAltMode;
    t.toolAltMode = 0;
    d.ctrlHeld = 0;
    const bool backward = d.shiftHeld != 0;
    if (backward) d.shiftHeld = 0;
    int32_t budget = map.wallCount + 1;
    for (int32_t j = walk.from;;) {
        j = backward ? previousBoundaryWall(map, j, budget) : nextBoundaryWall(map, j, budget);
        if (j < 0) break;
        setHitPoint(ed, {map.walls[j].x, map.walls[j].y});
        pressDrawingTool(ed, split);
        // A walk that reached point 0 closed the polygon: what is left of it starts nothing new.
        if (t.currentTool != Tool::DrawPolygon || j == walk.to || j == walk.from) break;
    }
    if (backward) d.shiftHeld = 1;
    d.ctrlHeld = 1;
    t.toolDrawMode = savedMode;
    t.toolAltMode = savedAltMode;
}

void startPolygon(Editor& ed) {
    ToolState& t = ed.tool;
    DrawVertexList& list = ed.drawVertices;
    const MapStore& map = ed.map;
    const IntPoint p0 = hitPointOf(ed);
    storePoint(list, 0, p0);
    t.currentTool = Tool::DrawPolygon;
    ed.app.helpTopic = 2;
    ed.app.helpPopupStep = 0;
    list.toolPointCount = 1;
    t.toolAltMode = 0;
    t.toolDrawMode = DrawMode::Undecided;
    t.toolTargetSector = 0;
    bool onVertex = false;
    for (int32_t w = 0; w < map.wallCount && !onVertex; ++w)
        onVertex = map.wallIgnored[w] == 0 && startsAt(map, w, p0);
    const int32_t hovered = ed.hover.hoveredSector;
    if (onVertex) {
        t.toolDrawMode = DrawMode::FromVertex;
    } else if (!isSector(map, hovered)) {
        t.toolDrawMode = DrawMode::FreeSpace;
    } else {
        t.toolDrawMode = DrawMode::InsideSector;
        t.toolTargetSector = hovered;
    }
    const bool booleanTarget = t.selectionMode == SelectionMode::BooleanTarget;
    if (booleanTarget && t.tracingToTool == 0) {
        t.booleanPending = 1;
        t.toolDrawMode = DrawMode::FreeSpace;
    }
    switch (t.toolDrawMode) {
        case DrawMode::FreeSpace:
            status(ed).statusMessage(kMsgStartedNewSector);
            if (booleanTarget && map.booleanTargetSector >= 0) t.booleanPending = 1;
            break;
        case DrawMode::InsideSector:
            status(ed).statusMessage(kMsgStartedInsideSector, {std::to_string(t.toolTargetSector)});
            break;
        default:
            status(ed).statusMessage(kMsgStartedOnVertex);
            break;
    }
}

// The closed polygon (corners 0..n-1) becomes a sector or loop. A press of the user's takes the
// undo snapshot; fed loops and presses inside a batch take none, and inside an edit already
// open (an operation feeding its outlines) the outer edit keeps or drops the whole.
bool completeShape(Editor& ed, int32_t n) {
    ToolState& t = ed.tool;
    MapStore& map = ed.map;
    t.currentTool = Tool::Idle;
    ed.app.helpPopupStep = -1;
    const bool snapshot = t.toolDrawMode < DrawMode::FedSector && ed.sound.batchDepth == 0;
    std::optional<MapEdit> edit;
    if (!ed.undo.editOpen)
        edit.emplace(map, ed.undo, ed.events, snapshot ? EditUndo::Snapshot : EditUndo::None);
    MapEvents& events = edit ? edit->events() : ed.events;

    const Settings& s = ed.settings;
    DrawnShape shape;
    shape.xs = ed.drawVertices.toolPointsX.data();
    shape.ys = ed.drawVertices.toolPointsY.data();
    shape.count = n;
    shape.drawMode = t.toolDrawMode;
    shape.targetSector = t.toolTargetSector;
    shape.linkWalls = ed.sound.batchFinished != 0;
    shape.heights = {s.zRangeMode, s.zRangeLow, s.zRangeHigh};
    const bool hadTarget = isSector(map, map.booleanTargetSector);
    const ShapeCompletion done = finishDrawnShape(map, events, shape);

    if (done.newSector && t.booleanPending && t.selectionMode == SelectionMode::BooleanTarget) {
        if (hadTarget) {
            t.booleanPending = 0;
            ed.dispatch.ctrlHeld = 0;
            ed.dispatch.shiftHeld = 0;
        }
        DrawingToolFeed feed(ed);
        if (runPendingBoolean(map, events, feed, t.booleanMode, t.ripCutsAll != 0) ==
            BooleanOutcome::RippedEverything) {
            t.currentTool = Tool::Idle;
            ed.app.helpPopupStep = -1;
            ed.drawVertices.toolPointCount = 0;
            t.booleanPending = 0;
        }
    }
    if (edit) edit->finish(done.made);
    return done.made;
}

// The first path pair (a wall starting at the new point, one of the same sector starting at
// point 0) that the split accepts splits that sector at once.
bool trySplit(Editor& ed, IntPoint newPoint, IntPoint p0, int32_t toolPointIndex,
              const SectorSplitOps& split) {
    MapStore& map = ed.map;
    for (int32_t a = 0; a < map.wallCount; ++a) {
        if (!startsAt(map, a, newPoint)) continue;
        const int32_t owner = sectorOfWall(map, a);
        if (owner < 0) continue;
        for (int32_t b = 0; b < map.wallCount; ++b) {
            if (!startsAt(map, b, p0) || sectorOfWall(map, b) != owner) continue;
            const SplitPath path{ed.drawVertices.toolPointsX.data(),
                                 ed.drawVertices.toolPointsY.data(), toolPointIndex};
            if (split.allow(map, path, a, b, false, false) == SplitState::Refused) continue;
            const bool snapshot = ed.sound.batchDepth == 0;
            std::optional<MapEdit> edit;
            if (!ed.undo.editOpen)
                edit.emplace(map, ed.undo, ed.events,
                             snapshot ? EditUndo::Snapshot : EditUndo::None);
            ed.tool.currentTool = Tool::Idle;
            ed.app.helpPopupStep = -1;
            DrawingToolFeed feed(ed);
            const bool made = split.split(map, edit ? edit->events() : ed.events, feed, path, a, b);
            if (edit) edit->finish(made);
            return true;
        }
    }
    return false;
}

DrawingPress appendPoint(Editor& ed, const SectorSplitOps& split) {
    ToolState& t = ed.tool;
    DispatchState& d = ed.dispatch;
    DrawVertexList& list = ed.drawVertices;
    const int32_t n = list.toolPointCount;
    if (n < 1) {
        // Nothing placed to go on from: this point starts the polygon afresh.
        startPolygon(ed);
        return {};
    }
    if (n >= kDrawVertexCapacity) {
        status(ed).statusMessage(kMsgDrawingFull);
        return {};
    }
    const IntPoint last = placedPoint(list, n - 1), hit = hitPointOf(ed);
    if (t.toolDrawMode < DrawMode::FedSector && hit == last) return {};

    if (d.ctrlHeld) {
        const BoundaryWalk walk = findBoundaryWalk(ed.map, last, hit);
        if (walk.from >= 0) {
            walkBoundary(ed, walk, split);
            return {true, false, false};
        }
    }

    // The arc is placed only as the preview drew it: its inner points, then the hit point.
    const OverlayLists& o = ed.overlays;
    const int32_t arc = o.arcPointCount;
    const bool takeArc = t.toolAltMode != 0 && arc >= 1 && arc == t.toolSecDetail &&
                         o.arcPointFirst >= 0 && o.arcPointFirst + arc <= o.overlayPointCount;
    IntPoint newPoint = hit;
    if (!takeArc && d.shiftHeld && !d.ctrlHeld) {
        const int64_t dx = std::abs(int64_t(hit.x) - last.x),
                      dy = std::abs(int64_t(hit.y) - last.y);
        newPoint = dx > dy ? IntPoint{hit.x, last.y} : IntPoint{last.x, hit.y};
    }
    const int32_t at = takeArc ? n + arc - 1 : n;
    const IntPoint p0 = placedPoint(list, 0);
    const bool closes = t.tracingToTool == 0 && newPoint == p0;
    // The slot after the last corner is kept for the point that closes the polygon.
    if (at > kDrawVertexCapacity - (closes ? 1 : 2)) {
        status(ed).statusMessage(kMsgDrawingFull);
        return {};
    }
    if (takeArc)
        for (int32_t k = 0; k < arc - 1; ++k) {
            const OverlayPoint& q = o.overlayPoints[o.arcPointFirst + k];
            storePoint(list, n + k, {q.x, q.y});
        }
    storePoint(list, at, newPoint);

    DrawingPress result;
    bool splitDone = false;
    if (t.toolDrawMode == DrawMode::FromVertex && at > 0)
        splitDone = trySplit(ed, newPoint, p0, at, split);
    if (!splitDone && closes && t.currentTool == Tool::DrawPolygon) {
        result.closed = true;
        result.made = completeShape(ed, at);
    }
    list.toolPointCount = at + 1;
    return result;
}

template <typename Press>
void closeWith(Editor& ed, Press press) {
    ToolState& t = ed.tool;
    DispatchState& d = ed.dispatch;
    const DrawVertexList& list = ed.drawVertices;
    const int32_t n = list.toolPointCount;
    if (t.currentTool != Tool::DrawPolygon || n <= 2 || n > kDrawVertexCapacity) return;
    setHitPoint(ed, placedPoint(list, 0));
    if (t.toolDrawMode >= DrawMode::FedSector) {
        press();
        return;
    }
    d.ctrlHeld = 1;
    d.shiftHeld = isDrawnPolygonClockwise(list) ? 0 : 1;
    press();
    d.ctrlHeld = 0;
    d.shiftHeld = 0;
}

}  // namespace

DrawingPress pressDrawingTool(Editor& ed, const SectorSplitOps& split) {
    if (ed.tool.currentTool == Tool::Idle) {
        startPolygon(ed);
        return {};
    }
    return appendPoint(ed, split);
}

void closeDrawnPolygon(Editor& ed) {
    closeWith(ed, [&] { hitSpace(ed); });
}

DrawingPress closePolygonByTool(Editor& ed) {
    DrawingPress result;
    closeWith(ed, [&] { result = pressDrawingTool(ed); });
    return result;
}

PlainModifiers::PlainModifiers(DispatchState& d) : d_(d), ctrl_(d.ctrlHeld), shift_(d.shiftHeld) {
    d_.ctrlHeld = 0;
    d_.shiftHeld = 0;
}

PlainModifiers::~PlainModifiers() {
    d_.ctrlHeld = ctrl_;
    d_.shiftHeld = shift_;
}

bool isDrawnPolygonClockwise(const DrawVertexList& points) {
    const int32_t n = points.toolPointCount;
    if (n < 1 || n > kDrawVertexCapacity) return false;
    double sum = 0;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t j = i + 1 < n ? i + 1 : 0;
        const int64_t ySum = int64_t(points.toolPointsY[i]) + points.toolPointsY[j];
        const int64_t dx = int64_t(points.toolPointsX[j]) - points.toolPointsX[i];
        // Each factor needs 33 bits; their product is formed in floating point.
        sum += double(ySum) * double(dx) / 2;
    }
    return sum > 0;
}

void DrawingToolFeed::startLoop(FeedMode mode, int32_t target, bool tracing) {
    mode_ = mode;
    target_ = target;
    tracing_ = tracing;
    ed_.tool.currentTool = Tool::Idle;
    ed_.drawVertices.toolPointCount = 0;
}

namespace {

// Sets the boolean-target mode aside for a fed press, so that the press neither raises a
// pending boolean operation nor runs one on completion.
class BooleanModeAside {
public:
    explicit BooleanModeAside(ToolState& t)
        : t_(t), mode_(t.selectionMode), pending_(t.booleanPending) {
        if (mode_ == SelectionMode::BooleanTarget) t_.selectionMode = SelectionMode::Sectors;
        t_.booleanPending = 0;
    }
    ~BooleanModeAside() {
        t_.selectionMode = mode_;
        t_.booleanPending = pending_;
    }
    BooleanModeAside(const BooleanModeAside&) = delete;
    BooleanModeAside& operator=(const BooleanModeAside&) = delete;

private:
    ToolState& t_;
    SelectionMode mode_;
    uint8_t pending_;
};

}  // namespace

bool DrawingToolFeed::pressPoint(int32_t x, int32_t y) {
    ToolState& t = ed_.tool;
    BooleanModeAside aside(t);
    if (t.currentTool != Tool::DrawPolygon) t.currentTool = Tool::Idle;
    t.tracingToTool = tracing_ ? 1 : 0;
    setHitPoint(ed_, {x, y});
    t.toolDrawMode = int32_t(mode_);
    t.toolTargetSector = target_;
    const int32_t before = ed_.drawVertices.toolPointCount;
    {
        PlainModifiers plain(ed_.dispatch);
        pressDrawingTool(ed_);
    }
    // The first press of a polygon decides its mode from the map; the feed decides here.
    t.toolDrawMode = int32_t(mode_);
    t.toolTargetSector = target_;
    return ed_.drawVertices.toolPointCount != before;
}

bool DrawingToolFeed::closeLoop() {
    ToolState& t = ed_.tool;
    t.tracingToTool = 0;
    if (t.currentTool != Tool::DrawPolygon || ed_.drawVertices.toolPointCount <= 2) {
        t.currentTool = Tool::Idle;
        return false;
    }
    PlainModifiers plain(ed_.dispatch);
    BooleanModeAside aside(t);
    return closePolygonByTool(ed_).made;
}

void DrawingToolFeed::batchBegin() {
    muteBegin(ed_.sound, ed_.settings);
}

void DrawingToolFeed::batchEnd() {
    muteEnd(ed_.sound, ed_.settings);
}

void DrawingToolFeed::holdLinks() {
    ed_.sound.batchFinished = 0;
}

bool DrawingToolFeed::autoWallSquare() const {
    return ed_.settings.autoWallSquare != 0;
}

bool DrawingToolFeed::pressDrawing(int32_t x, int32_t y) {
    ToolState& t = ed_.tool;
    if (t.currentTool != Tool::DrawPolygon) {
        t.currentTool = Tool::Idle;
        ed_.drawVertices.toolPointCount = 0;
    }
    t.tracingToTool = 0;
    setHitPoint(ed_, {x, y});
    ed_.hover.hoveredSector = -1;
    BooleanModeAside aside(t);
    PlainModifiers plain(ed_.dispatch);
    pressDrawingTool(ed_);
    return t.currentTool == Tool::DrawPolygon;
}

void DrawingToolFeed::dropDrawing() {
    ed_.tool.currentTool = Tool::Idle;
    ed_.drawVertices.toolPointCount = 0;
    ed_.app.helpPopupStep = -1;
    ed_.app.statusText.clear();
}

}  // namespace korvel
