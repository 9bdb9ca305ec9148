#include "commands/ToolCommands.h"

#include <string>

#include "app/Editor.h"
#include "editing/DrawingTool.h"
#include "geometry/SkyAndSpriteTools.h"
#include "map/MapEdit.h"

namespace korvel {

void toggleSpriteCentreOrBendWall(Editor& ed) {
    if (ed.tool.currentTool == Tool::DrawPolygon) closeDrawnPolygon(ed);
}

// These commands arrive with their own change; until then their keys do nothing.
void placeStartPosition(Editor&) {}
void toggleWallSegmentTool(Editor&) {}
void toggleAffineGridTool(Editor&) {}
void hideSpritesOrIntersect(Editor&) {}
void joinSectorsCommand(Editor&) {}
void subtractSectorsTool(Editor&) {}
void dropPointOrToggleCeilView(Editor&) {}
void fillLoopWithSector(Editor&) {}
void setFirstWallCommand(Editor&) {}
void pasteAttributesAroundLoop(Editor&) {}
void alignWallTextureCommand(Editor&) {}

void alignSpriteCommand(Editor& ed) {
    MapStore& map = ed.map;
    MapEdit edit(map, ed.undo, ed.events, EditUndo::Snapshot);
    if (map.selectedSpriteCount > 0) {
        for (int32_t k = 0; k < map.spriteCount; ++k)
            if (map.spriteSelected[k] != 0) alignSprite(map, k);
        edit.commit();
        ed.events.playCue("command");
        ed.events.statusMessage(kMsgSpritesAligned, {}, 0);
        return;
    }
    const int32_t sprite = ed.hover.hoveredSprite;
    const int32_t wall = alignSprite(map, sprite);
    edit.finish(wall >= 0);
    ed.events.playCue(wall >= 0 ? "command" : "beep1");
    if (wall >= 0)
        ed.events.statusMessage(kMsgSpriteAligned, {std::to_string(sprite), std::to_string(wall)}, 0);
    else
        ed.events.statusMessage(kMsgNoWallBehindSprite, {std::to_string(sprite)}, 0);
}

}  // namespace korvel
