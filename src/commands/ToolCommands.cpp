#include "commands/ToolCommands.h"

#include "app/Editor.h"
#include "editing/DrawingTool.h"

namespace korvel {

void toggleSpriteCentreOrBendWall(Editor& ed) {
    if (ed.tool.currentTool == Tool::DrawPolygon) closeDrawnPolygon(ed);
}

}  // namespace korvel
