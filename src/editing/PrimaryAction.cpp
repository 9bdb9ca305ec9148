#include "editing/PrimaryAction.h"

#include "app/Editor.h"
#include "editing/DrawingTool.h"
#include "editing/LinearCutTool.h"
#include "editing/OtherToolActions.h"
#include "editing/ShapeTools.h"

namespace korvel {

void hitSpace(Editor& ed) {
    if (ed.app.currentPage != Page::PlanView) {
        pressOnOtherPage(ed);
        endPrimaryAction(ed);
        return;
    }
    if (ed.overlays.toolPreviewDegenerate != 0) return;
    const Tool tool = ed.tool.currentTool;
    if (tool == Tool::ViewBookmarks) {
        pressViewBookmarksTool(ed);
        return;
    }
    switch (tool) {
        case Tool::Idle:
        case Tool::DrawPolygon:
            if (pressDrawingTool(ed).returnsAtOnce) return;
            break;
        case Tool::RegularPolygon:
        case Tool::EllipsePolygon:
        case Tool::Circle:
        case Tool::Rectangle:
        case Tool::CurveShape:
        case Tool::Stroke:
        case Tool::ProfileSweep:
        case Tool::ProfileRevolve:
            pressShapeTool(ed);
            break;
        case Tool::LinearCut:
            pressLinearCutTool(ed);
            break;
        default:
            if (tool >= Tool::Idle && tool <= Tool::TerrainFromTile)
                pressOtherTool(ed);
            break;
    }
    endPrimaryAction(ed);
}

void runToolAction(Editor& ed) {
    if (ed.app.currentPage == Page::PlanView) hitSpace(ed);
}

}  // namespace korvel
