#include "commands/SideViewCommands.h"

#include <algorithm>

#include "app/Editor.h"
#include "app/Sound.h"
#include "commands/CommandTargets.h"
#include "views/SideView.h"

namespace korvel {

namespace {

// The segment from the last placed point of the polygon being drawn to the hit point, made the
// subject when it has length (New); Same when it has none (the subject then stays), None when no
// polygon is being drawn or no point is placed yet.
enum class Segment { None, Same, New };
Segment drawnSegment(Editor& ed) {
    if (ed.tool.currentTool != Tool::DrawPolygon) return Segment::None;
    const DrawVertexList& dv = ed.drawVertices;
    const int32_t count = std::min(dv.toolPointCount, kDrawVertexCapacity);
    if (count <= 0) return Segment::None;
    const int32_t x = dv.toolPointsX[count - 1], y = dv.toolPointsY[count - 1];
    const HoverState& h = ed.hover;
    if (x == h.hitPointX && y == h.hitPointY) return Segment::Same;
    ViewState& v = ed.view;
    v.sideViewSubjectKind = SideViewSubjectKind::Section;
    v.sideViewX1 = x;
    v.sideViewY1 = y;
    v.sideViewX2 = h.hitPointX;
    v.sideViewY2 = h.hitPointY;
    v.sideViewOriginX = v.sideViewOriginZ = 0;
    ed.tool.currentTool = Tool::Idle;
    ed.app.helpPopupStep = -1;
    return Segment::New;
}

void viewSprite(Editor& ed, int32_t k) {
    ViewState& v = ed.view;
    const SpriteRecord& sp = ed.map.sprites[k];
    v.sideViewSubjectKind = SideViewSubjectKind::Sprite;
    v.sideViewSubject = k;
    v.sideViewX1 = sp.x;
    v.sideViewY1 = sp.y;
    v.sideViewOriginX = 0;
    v.sideViewOriginZ = float(sp.z / 16.0);
}

void viewWall(Editor& ed, int32_t w) {
    const MapStore& map = ed.map;
    ViewState& v = ed.view;
    const WallRecord& a = map.walls[w];
    const WallRecord& b = map.walls[clampWall(map, a.point2)];
    v.sideViewSubjectKind = SideViewSubjectKind::Wall;
    v.sideViewSubject = w;
    v.sideViewX1 = a.x;
    v.sideViewY1 = a.y;
    v.sideViewX2 = b.x;
    v.sideViewY2 = b.y;
    v.sideViewOriginX = -distSingle(float(a.x), float(a.y), float(b.x), float(b.y)) / 2;
    const int32_t s = map.wallSector[w];
    v.sideViewOriginZ =
        isSector(map, s)
            ? float((double(map.sectors[s].ceilingz) + double(map.sectors[s].floorz)) / 32)
            : 0.0f;
}

void viewPoint(Editor& ed) {
    ViewState& v = ed.view;
    v.sideViewSubjectKind = SideViewSubjectKind::Point;
    v.sideViewX1 = ed.hover.hitPointX;
    v.sideViewY1 = ed.hover.hitPointY;
    v.sideViewOriginX = v.sideViewOriginZ = 0;
}

}  // namespace

void enterSideView(Editor& ed) {
    if (areaBeingDragged(ed)) return;
    ed.app.currentPage = Page::SideView;
    const Segment segment = drawnSegment(ed);
    if (segment == Segment::None) {
        const HoverState& h = ed.hover;
        if (isSprite(ed.map, h.hoveredSprite))
            viewSprite(ed, h.hoveredSprite);
        else if (isWall(ed.map, h.hoveredWall))
            viewWall(ed, h.hoveredWall);
        else
            viewPoint(ed);
    }
    if (segment != Segment::Same) buildSideViewSlices(ed);
    playSound(ed, "mode1");
    ed.dispatch.areaSelectLatch = 0;
}

}  // namespace korvel
