#include "editing/ShapeTools.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "app/Editor.h"
#include "base/MessageNumbers.h"
#include "editing/DrawingTool.h"
#include "geometry/SectorSlope.h"
#include "geometry/ShapeCompletion.h"
#include "map/GeometryQueries.h"
#include "map/MapEdit.h"

namespace korvel {

namespace {

// The editor's reports, through the model's interface (which carries the default arguments).
MapEvents& status(Editor& ed) {
    return ed.events;
}

constexpr double kPi = 3.14159265358979;

// Presses that only place the tool's points append the hit point.
void placeHitPoint(Editor& ed) {
    DrawVertexList& list = ed.drawVertices;
    if (list.toolPointCount < 0) list.toolPointCount = 0;
    if (!appendToolPoint(list, ed.hover.hitPointX, ed.hover.hitPointY))
        status(ed).statusMessage(kMsgDrawingFull);
}

// How many points the tool places before its preview can be built.
int32_t pointsBeforeBuilding(Tool tool) {
    switch (tool) {
        case Tool::Circle:
            return 2;
        case Tool::CurveShape:
            return 4;
        default:
            return 1;
    }
}

// The preview's outline points in the order they are fed, listed or reversed; empty while the
// preview does not hold the shape.
std::vector<int32_t> outlineIndices(Tool tool, int32_t p, int32_t n, int32_t s, bool reversed) {
    std::vector<int32_t> order;
    const auto range = [&](int32_t first, int32_t last) {
        for (int32_t i = first; i <= last; ++i) order.push_back(reversed ? first + last - i : i);
    };
    switch (tool) {
        case Tool::RegularPolygon:
        case Tool::EllipsePolygon:
            if (int64_t(p) == int64_t(n) + 1) range(1, n);
            break;
        case Tool::Circle:
            if (int64_t(p) == 2 * int64_t(n) + 1) range(1, 2 * n);
            break;
        case Tool::Rectangle:
            if (p == 4) range(0, 3);
            break;
        case Tool::Stroke:
            if (p > 2) range(2, p - 1);
            break;
        case Tool::CurveShape: {
            // Groups of 2s + 3 points; the centre of each inner fillet is skipped.
            const int64_t group = 2 * int64_t(s) + 3, skip = int64_t(s) + 1;
            if (p <= 1 || group <= 0) break;
            for (int32_t i = 1; i <= p - 1; ++i) {
                const int64_t k = reversed ? p - i - 1 : i - 1;
                if (k % group == skip) ++i;
                if (i > p - 1) break;
                order.push_back(reversed ? p - i : i);
            }
            break;
        }
        default:
            break;
    }
    return order;
}

enum class OutlineBuild { Made, NotMade, Refused };

// Builds the previewed outline as a new sector or, with a boolean target and no boolean
// operation, as a further loop of the target. Refused: the drawing or the map had no room, and
// the map is as it was.
OutlineBuild buildOutline(Editor& ed, Tool tool, const std::vector<int32_t>& listed) {
    ToolState& t = ed.tool;
    DispatchState& d = ed.dispatch;
    MapStore& map = ed.map;
    const OverlayLists& o = ed.overlays;
    const bool stroke = tool == Tool::Stroke;
    const bool snapshot = ed.sound.batchDepth == 0;
    std::optional<MuteBracket> mute;
    if (!stroke) mute.emplace(ed.sound, ed.settings);
    std::optional<MapEdit> edit;
    if (!ed.undo.editOpen)
        edit.emplace(map, ed.undo, ed.events, snapshot ? EditUndo::Snapshot : EditUndo::None);
    if (!stroke) {
        t.ripCutsAll = d.ctrlHeld ? 1 : 0;
        d.ctrlHeld = 0;
    }
    t.currentTool = Tool::Idle;

    const int32_t target = map.booleanTargetSector;
    const bool hasTarget = isSector(map, target);
    FeedMode mode = FeedMode::NewSector;
    bool reversed = false;
    if (t.booleanMode != BooleanMode::None && hasTarget) {
        t.booleanPending = 1;
    } else if (hasTarget) {
        mode = FeedMode::FurtherLoop;
        reversed =
            pointInSectorOrOnEdge(map, o.overlayPoints[1].x, o.overlayPoints[1].y, target) != 0;
    }
    DrawingToolFeed feed(ed);
    feed.startLoop(mode, hasTarget ? target : -1, false);
    bool complete = true;
    for (size_t k = 0; k < listed.size() && complete; ++k) {
        const OverlayPoint& q = o.overlayPoints[listed[reversed ? listed.size() - 1 - k : k]];
        complete = feed.pressPoint(q.x, q.y);
    }
    const bool closable = t.currentTool == Tool::DrawPolygon && ed.drawVertices.toolPointCount > 2;
    const bool made = complete && feed.closeLoop();
    if (!made) t.currentTool = Tool::Idle;
    if (edit) edit->finish(made);
    if (made) return OutlineBuild::Made;
    return complete && !closable ? OutlineBuild::NotMade : OutlineBuild::Refused;
}

void pressOutlineTool(Editor& ed, Tool tool) {
    DrawVertexList& list = ed.drawVertices;
    if (list.toolPointCount < pointsBeforeBuilding(tool)) {
        placeHitPoint(ed);
        return;
    }
    const OverlayLists& o = ed.overlays;
    const ToolState& t = ed.tool;
    const std::vector<int32_t> listed =
        outlineIndices(tool, o.overlayPointCount, t.toolDetail, t.toolSecDetail, false);
    const bool ready = !listed.empty() && o.toolPreviewDegenerate == 0;
    const IntPoint strokeEnd =
        o.overlayPointCount > 1 ? IntPoint{o.overlayPoints[1].x, o.overlayPoints[1].y} : IntPoint{};
    bool refused = false;
    if (ready) {
        refused = buildOutline(ed, tool, listed) == OutlineBuild::Refused;
        // Armed again for the next shape; a stroke goes on from where this one ended.
        ed.tool.currentTool = tool;
        ed.app.helpTopic = int32_t(tool) + 1;
        ed.app.helpPopupStep = 32;
        list.toolPointCount = 0;
        if (tool == Tool::Stroke) {
            list.toolPointsX[0] = strokeEnd.x;
            list.toolPointsY[0] = strokeEnd.y;
            list.toolPointCount = 1;
        }
    }
    // A refusal says why; otherwise the press reports that the tool is done with it.
    if (!refused) status(ed).statusMessage(kMsgDrawingFinished);
}

int16_t slopeBetween(int32_t zLeft, int32_t zRight, int32_t leftX, int32_t rightX,
                     double revolveCos) {
    const int64_t h = (int64_t(zRight) - zLeft) * 256 / (int64_t(leftX) - rightX);
    double v = double(h);
    if (revolveCos != 0) v = std::floor(v / revolveCos + 0.5);
    if (std::isnan(v)) return 0;
    return int16_t(std::clamp(v, -32768.0, 32767.0));
}

// The second press of a profile tool builds one sector per profile segment and preview
// quadrilateral (four points each, after P0 and the hit point), with the segment's heights and
// slopes.
void buildProfile(Editor& ed, Tool tool) {
    ToolState& t = ed.tool;
    MapStore& map = ed.map;
    const OverlayLists& o = ed.overlays;
    const ProfileEditorState& profile = ed.pages.profileEditor;
    const bool snapshot = ed.sound.batchDepth == 0;
    {
        MuteBracket mute(ed.sound, ed.settings);
        MapEdit edit(map, ed.undo, ed.events, snapshot ? EditUndo::Snapshot : EditUndo::None);
        t.currentTool = Tool::Idle;
        ed.app.helpPopupStep = -1;
        if (tool == Tool::ProfileSweep) t.booleanPending = 0;
        const int32_t segments = profile.contourCount;
        const double revolveCos =
            tool == Tool::ProfileRevolve ? std::cos(kPi / double(t.toolDetail)) : 0.0;
        const int32_t p = o.overlayPointCount;
        if (segments >= 1 && segments <= kContourCapacity) {
            int32_t b = 0;
            for (int32_t a = 2; a + 3 <= p - 1; a += 4, b = (b + 1) % segments) {
                const ContourSegment& seg = profile.contour[b];
                if (seg.leftX >= seg.rightX) continue;
                {
                    PlainModifiers plain(ed.dispatch);
                    for (int32_t k = 0; k < 4; ++k) {
                        ed.hover.hitPointX = o.overlayPoints[a + k].x;
                        ed.hover.hitPointY = o.overlayPoints[a + k].y;
                        pressDrawingTool(ed);
                        t.toolDrawMode = DrawMode::FreeSpace;
                        t.booleanPending = 0;
                    }
                }
                const int32_t sectorsBefore = map.sectorCount;
                const DrawingPress closed = closePolygonByTool(ed);
                if (t.currentTool == Tool::DrawPolygon) t.currentTool = Tool::Idle;
                if (!closed.made || map.sectorCount != sectorsBefore + 1) continue;
                SectorRecord& s = map.sectors[map.sectorCount - 1];
                s.floorz = seg.rightZA;
                s.floorheinum =
                    slopeBetween(seg.leftZA, seg.rightZA, seg.leftX, seg.rightX, revolveCos);
                s.ceilingz = seg.rightZB;
                s.ceilingheinum =
                    slopeBetween(seg.leftZB, seg.rightZB, seg.leftX, seg.rightX, revolveCos);
                updateSectorSlope(map, map.sectorCount - 1);
            }
        }
        edit.commit();
    }
    status(ed).playCue("command");
}

}  // namespace

void pressShapeTool(Editor& ed) {
    const Tool tool = ed.tool.currentTool;
    if (tool == Tool::ProfileSweep || tool == Tool::ProfileRevolve) {
        placeHitPoint(ed);
        if (ed.drawVertices.toolPointCount == 2) buildProfile(ed, tool);
        return;
    }
    pressOutlineTool(ed, tool);
}

}  // namespace korvel
