#include "editing/OtherToolActions.h"

#include <algorithm>

#include "app/Editor.h"
#include "app/Sound.h"
#include "commands/ToolCommands.h"
#include "editing/GeneratorTools.h"
#include "editing/GeometryToolActions.h"
#include "editing/LightTools.h"
#include "editing/ValuePrompt.h"
#include "map/GeometryQueries.h"
#include "map/MapEdit.h"

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
void pressOnOtherPage(Editor&) {}
void endPrimaryAction(Editor& ed) {
    if (ed.app.panelHasMouse != 0) openCalculatorPrompt(ed);
}

}  // namespace korvel
