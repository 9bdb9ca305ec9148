#include "editing/GeometryToolActions.h"

#include <algorithm>
#include <vector>

#include "app/Editor.h"
#include "app/Sound.h"
#include "commands/PageStack.h"
#include "editing/DrawingTool.h"
#include "geometry/ArrayTool.h"
#include "geometry/Terrain.h"
#include "geometry/TransformTools.h"
#include "map/MapEdit.h"

namespace korvel {

namespace {

void finishTool(Editor& ed) {
    ed.tool.currentTool = Tool::Idle;
    ed.app.helpPopupStep = -1;
}

EditUndo snapshotUnlessBatch(const Editor& ed) {
    return ed.sound.batchDepth == 0 ? EditUndo::Snapshot : EditUndo::None;
}

IntPoint toolPoint(const Editor& ed, int32_t i) {
    return {ed.drawVertices.toolPointsX[i], ed.drawVertices.toolPointsY[i]};
}

// The first press of a two-point tool: point 0 at the hit point. True when this press was it.
bool placedFirstPoint(Editor& ed) {
    DrawVertexList& list = ed.drawVertices;
    if (list.toolPointCount >= 1) return false;
    list.toolPointCount = 0;
    appendToolPoint(list, ed.hover.hitPointX, ed.hover.hitPointY);
    return true;
}

IntPoint hitPoint(const Editor& ed) {
    return {ed.hover.hitPointX, ed.hover.hitPointY};
}

// The picture of a tile for the terrain: the colour index itself, or its brightness in the game
// palette. A tile outside the catalogue gives an empty picture.
TerrainPicture terrainPicture(const Editor& ed, int32_t tile, int32_t option) {
    TerrainPicture pic;
    if (tile < 0 || tile >= kTileCount) return pic;
    pic.width = ed.tiles.tileWidths[size_t(tile)];
    pic.height = ed.tiles.tileHeights[size_t(tile)];
    pic.pixels = tilePixels(ed.tiles, tile);
    const ColorTables& ct = ed.colorTables;
    for (int32_t i = 0; i < 256; ++i) {
        const auto c = size_t(i);
        pic.level[c] = option == 1 ? uint8_t((int32_t(ct.gamePaletteRed[c]) + ct.gamePaletteGreen[c] +
                                              ct.gamePaletteBlue[c]) / 3)
                                   : uint8_t(i);
    }
    return pic;
}

}  // namespace

void pressHandleTool(Editor& ed) {
    const Tool tool = ed.tool.currentTool;
    finishTool(ed);
    MapStore& map = ed.map;
    MapEdit edit(map, ed.undo, ed.events, snapshotUnlessBatch(ed));
    IntPoint p[8];
    for (int32_t i = 0; i < 8; ++i) p[i] = toolPoint(ed, i);
    HandleResult r = HandleResult::Refused;
    if (tool == Tool::TransformBySegments)
        r = transformBySegments(map, edit.events(), p[0], p[1], p[2], p[3]);
    else if (tool == Tool::QuadWarp1)
        r = warpByParallelograms(map, edit.events(), p, p + 3);
    else if (tool == Tool::QuadWarp2)
        r = warpByQuads(map, edit.events(), p, p + 4);
    edit.finish(r == HandleResult::Moved);
    playSound(ed, "command");
}

void pressTriangleLoopsTool(Editor& ed) {
    if (placedFirstPoint(ed)) return;
    finishTool(ed);
    const IntPoint p0 = toolPoint(ed, 0), p1 = hitPoint(ed);
    ed.drawVertices.toolPointCount = 0;
    MapStore& map = ed.map;
    MapEdit edit(map, ed.undo, ed.events, snapshotUnlessBatch(ed));
    bool any = false;
    {
        DrawingToolFeed feed(ed);
        // The loops add sectors' walls, not sectors: indexes of the selected sectors hold.
        for (int32_t s = 0; s < map.sectorCount; ++s)
            if (map.sectorSelected[s] != 0 &&
                addTriangleLoop(map, edit.events(), feed, s, p0.x, p0.y, p1.x, p1.y, 16384))
                any = true;
    }
    edit.finish(any);
    finishTool(ed);
    ed.drawVertices.toolPointCount = 0;
    playSound(ed, "command");
}

void pressMirrorTool(Editor& ed) {
    if (placedFirstPoint(ed)) return;
    finishTool(ed);
    const IntPoint p0 = toolPoint(ed, 0), p1 = hitPoint(ed);
    ed.drawVertices.toolPointCount = 0;
    MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
    edit.finish(mirrorSelSectors(ed.map, edit.events(), p0.x, p0.y, p1.x, p1.y));
    playSound(ed, "command");
}

void pressMergeVerticesTool(Editor& ed) {
    MapStore& map = ed.map;
    if (map.selectedVertexCount > 0) {
        MapEdit edit(map, ed.undo, ed.events, EditUndo::Snapshot);
        for (int32_t w = map.wallCount - 1; w >= 0; --w) {
            // Merging takes away walls that lost their length.
            if (w >= map.wallCount) w = map.wallCount - 1;
            if (w < 0) break;
            bindVertex(map, edit.events(), w, 4.0);
        }
        edit.commit();
    } else if (isWall(map, ed.hover.hoveredVertex)) {
        MapEdit edit(map, ed.undo, ed.events, EditUndo::Snapshot);
        bindVertex(map, edit.events(), ed.hover.hoveredVertex, 4.0);
        edit.commit();
    } else {
        return;
    }
    playSound(ed, "command");
}

void pressTerrainTool(Editor& ed) {
    if (placedFirstPoint(ed)) return;
    ToolState& t = ed.tool;
    const SelectionMode saved = t.selectionMode;
    t.selectionMode = SelectionMode::SpritesAndVertices;
    finishTool(ed);
    const IntPoint p0 = toolPoint(ed, 0);
    const TerrainSetupState& s = ed.pages.terrainSetup;
    // The grid the preview showed: never more triangles than it holds.
    const OverlayLists& o = ed.overlays;
    const int32_t shown = std::clamp(o.overlayPointCount, 0, kOverlayCapacity) / 3;
    std::vector<TerrainTriangle> triangles(static_cast<size_t>(shown));
    for (int32_t k = 0; k < shown; ++k)
        for (int32_t i = 0; i < 3; ++i)
            triangles[size_t(k)].p[i] = {o.overlayPoints[3 * k + i].x, o.overlayPoints[3 * k + i].y};
    const TerrainPicture pic = terrainPicture(ed, s.terrainTile, s.terrainOption);
    {
        MapEdit edit(ed.map, ed.undo, ed.events, snapshotUnlessBatch(ed));
        TerrainResult r;
        {
            MuteBracket mute(ed.sound, ed.settings);
            DrawingToolFeed feed(ed);
            r = buildTerrainFromTile(ed.map, edit.events(), feed,
                                     {s.terrainParamA, s.terrainParamB, s.terrainHeightScale}, pic,
                                     p0, ed.hover.hitPointX, triangles);
        }
        edit.finish(r.sectorsBuilt > 0);
    }
    finishTool(ed);
    ed.drawVertices.toolPointCount = 0;
    t.selectionMode = saved;
    playSound(ed, "command");
}

void arrayPasteTool(Editor& ed) {
    ArrayToolState& s = ed.pages.arrayTool;
    ArrayParams p;
    p.pattern = s.arrayPattern;
    p.copyCount = s.arrayCopyCount;
    for (size_t i = 0; i < p.steps.size() && i < s.arraySteps.size(); ++i) p.steps[i] = s.arraySteps[i];
    p.centerX = s.arrayCenterX;
    p.centerY = s.arrayCenterY;
    p.centerZ = s.arrayCenterZ;
    p.check = s.arrayCheck;
    p.radioA = s.arrayRadioA;
    p.radioB = s.arrayRadioB;
    p.rotationStep = s.arrayRotationStep;
    p.option1 = s.arrayOption1;
    p.option2 = s.arrayOption2;
    p.option3 = s.arrayOption3;
    p.option4 = s.arrayOption4;
    p.option5 = s.arrayOption5;
    p.option6 = s.arrayOption6;
    p.option7 = s.arrayOption7;
    p.paramA = s.arrayParamA;
    p.paramB = s.arrayParamB;
    p.paramC = s.arrayParamC;
    p.paramD = s.arrayParamD;
    p.angleCenter = s.arrayAngleCenter;
    p.angleRange = s.arrayAngleRange;
    {
        MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
        popPage(ed);
        ArrayResult r;
        {
            MuteBracket mute(ed.sound, ed.settings);
            r = arrayPasteTool(ed.map, ed.clipboard, edit.events(), p, ed.random);
        }
        edit.finish(!r.refused);
    }
    s.arrayCenterX = p.centerX;
    s.arrayCenterY = p.centerY;
    playSound(ed, "command");
}

void startTerrainTool(Editor& ed) {
    popPage(ed);
    ed.tool.currentTool = Tool::TerrainFromTile;
    ed.app.helpTopic = 37;
    ed.events.statusMessage(1272, {}, 0);
    ed.drawVertices.toolPointCount = 0;
    ed.app.helpPopupStep = 0;
}

}  // namespace korvel
