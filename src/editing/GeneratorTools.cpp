#include "editing/GeneratorTools.h"

#include "app/Editor.h"
#include "editing/DrawingTool.h"
#include "geometry/Generators.h"
#include "map/MapEdit.h"

namespace korvel {

namespace {

enum class Generator { Reel, Arch, Sphere };

void runGenerator(Editor& ed, Generator which) {
    ToolState& t = ed.tool;
    MapStore& map = ed.map;
    const DrawVertexList& list = ed.drawVertices;
    const IntPoint p1{ed.hover.hitPointX, ed.hover.hitPointY};
    const IntPoint p0 = list.toolPointCount >= 1 ? IntPoint{list.toolPointsX[0], list.toolPointsY[0]}
                                                 : p1;
    t.currentTool = Tool::Idle;
    ed.app.helpPopupStep = -1;
    const bool snapshot = ed.sound.batchDepth == 0;
    t.selectionMode = SelectionMode::Sprites;
    {
        MapEdit edit(map, ed.undo, ed.events, snapshot ? EditUndo::Snapshot : EditUndo::None);
        DrawingToolFeed feed(ed);
        GeneratorResult r;
        switch (which) {
            case Generator::Reel: {
                const ReelSetupState& s = ed.pages.reelSetup;
                r = buildReel(map, edit.events(), feed, {s.reelA, s.reelB, s.reelC, s.reelD}, p0, p1);
                break;
            }
            case Generator::Arch: {
                const ArchSetupState& s = ed.pages.archSetup;
                r = buildArch(map, edit.events(), feed,
                              {s.arch1A, s.arch1B, s.arch1C, s.arch2A, s.arch2B, s.arch2C}, p0, p1);
                break;
            }
            case Generator::Sphere: {
                const SphereSetupState& s = ed.pages.sphereSetup;
                r = buildSphere(map, edit.events(), feed,
                                {s.sphere1A, s.sphere1B, s.sphere1C, s.sphere2A, s.sphere2B,
                                 s.sphere2C},
                                p0, p1);
                break;
            }
        }
        edit.finish(r.piecesBuilt > 0);
    }
    // A piece left unclosed must not leave the polygon tool armed.
    t.currentTool = Tool::Idle;
    ed.app.helpPopupStep = -1;
    ed.drawVertices.toolPointCount = 0;
    // Entered as the toolbar enters it, so that no earlier target joins the next shape.
    t.selectionMode = SelectionMode::BooleanTarget;
    map.booleanTargetSector = -2;
}

}  // namespace

void buildReel(Editor& ed) {
    runGenerator(ed, Generator::Reel);
}
void buildArch(Editor& ed) {
    runGenerator(ed, Generator::Arch);
}
void buildSphere(Editor& ed) {
    runGenerator(ed, Generator::Sphere);
}

void pressGeneratorTool(Editor& ed) {
    DrawVertexList& list = ed.drawVertices;
    const Tool tool = ed.tool.currentTool;
    if (list.toolPointCount < 1) {
        list.toolPointCount = 0;
        appendToolPoint(list, ed.hover.hitPointX, ed.hover.hitPointY);
        return;
    }
    if (tool == Tool::Reel) buildReel(ed);
    if (tool == Tool::Arch) buildArch(ed);
    if (tool == Tool::Sphere) buildSphere(ed);
}

}  // namespace korvel
