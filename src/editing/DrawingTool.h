// The polygon tool of the primary action: the first press starts a polygon, each further press
// places a point (axis-locked with Shift, along the existing boundary with Ctrl, along the
// previewed tangent arc with the arc option), a path from a vertex may split its sector, and a
// point on the first one closes the polygon into shape completion. Also the close command and
// the feed through which operations hand outlines to the tool.
#pragma once

#include <cstdint>

#include "editing/DispatchState.h"
#include "editing/DrawVertexList.h"
#include "geometry/SectorSplit.h"
#include "geometry/ShapeFeed.h"

namespace korvel {

struct Editor;

// The sector split the polygon tool asks about and runs; tests stand in for it.
struct SectorSplitOps {
    SplitState (*allow)(const MapStore&, const SplitPath&, int32_t, int32_t, bool,
                        bool) = allowSectorSplit;
    bool (*split)(MapStore&, MapEvents&, ShapeFeed&, const SplitPath&, int32_t,
                  int32_t) = splitSector;
};

// How a press of the polygon tool ended.
struct DrawingPress {
    bool returnsAtOnce = false;  // a boundary walk placed the points: no ending step
    bool closed = false;         // the press closed the polygon
    bool made = false;           // and shape completion made the sector or loop
};

// One press of the polygon tool at the hit point (the tool Idle or DrawPolygon).
DrawingPress pressDrawingTool(Editor& ed, const SectorSplitOps& split = {});

// The close command of the drawing tool (the C key): with more than two points placed it puts
// the hit point on point 0 and presses the primary action once more. A drawn polygon (modes
// below 3) is closed along the existing boundary when its last point and point 0 lie on one,
// the walk going the way the polygon turns; a fed one (modes 3 and 4) by the straight edge.
void closeDrawnPolygon(Editor& ed);
// The same close pressed straight into the polygon tool, for the operations that draw.
DrawingPress closePolygonByTool(Editor& ed);

// Whether the placed points run clockwise by the sum over i of (y[i] + y[i+1]) (x[i+1] - x[i])
// / 2, indices modulo the count: true when it is above 0.
bool isDrawnPolygonClockwise(const DrawVertexList& points);

// Clears Ctrl and Shift for the life of the object, for presses that place exactly the points
// given: no boundary walk, no axis lock.
class PlainModifiers {
public:
    explicit PlainModifiers(DispatchState& d);
    ~PlainModifiers();
    PlainModifiers(const PlainModifiers&) = delete;
    PlainModifiers& operator=(const PlainModifiers&) = delete;

private:
    DispatchState& d_;
    uint8_t ctrl_, shift_;
};

// The shape feed over the polygon tool's press: what operations that make sectors hand their
// outlines to. Fed presses never walk the boundary or lock to an axis, and never start a boolean
// operation: the boolean-target mode is set aside for each press and put back after.
class DrawingToolFeed : public ShapeFeed {
public:
    explicit DrawingToolFeed(Editor& ed) : ed_(ed) {}

    void startLoop(FeedMode mode, int32_t target, bool tracing = true) override;
    bool pressPoint(int32_t x, int32_t y) override;
    bool closeLoop() override;
    void batchBegin() override;
    void batchEnd() override;
    void holdLinks() override;
    bool autoWallSquare() const override;
    bool pressDrawing(int32_t x, int32_t y) override;
    void dropDrawing() override;

private:
    Editor& ed_;
    FeedMode mode_ = FeedMode::NewSector;
    int32_t target_ = -1;
    bool tracing_ = true;
};

}  // namespace korvel
