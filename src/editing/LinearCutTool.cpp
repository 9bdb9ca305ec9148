#include "editing/LinearCutTool.h"

#include "app/Editor.h"
#include "base/MessageNumbers.h"
#include "editing/DrawingTool.h"
#include "geometry/LinearCutter.h"
#include "map/MapEdit.h"

namespace korvel {

namespace {

constexpr int32_t kLinearCutHelpTopic = 22;

void arm(Editor& ed, int32_t popupStep) {
    ed.tool.currentTool = Tool::LinearCut;
    ed.app.helpTopic = kLinearCutHelpTopic;
    ed.app.helpPopupStep = popupStep;
    ed.drawVertices.toolPointCount = 0;
}

}  // namespace

void startLinearCutTool(Editor& ed) {
    arm(ed, 0);
    ed.tool.toolAltMode = 0;
    MapEvents& events = ed.events;
    events.statusMessage(kMsgLinearCutStarted);
    ed.events.playCue("command");
}

void pressLinearCutTool(Editor& ed) {
    DrawVertexList& list = ed.drawVertices;
    const int32_t x = ed.hover.hitPointX, y = ed.hover.hitPointY;
    if (list.toolPointCount < 1) {
        list.toolPointsX[0] = x;
        list.toolPointsY[0] = y;
        list.toolPointCount = 1;
        return;
    }
    const CutSegment cut{list.toolPointsX[0], list.toolPointsY[0], x, y};
    const bool verticesOnly = ed.dispatch.ctrlHeld != 0;
    ed.tool.currentTool = Tool::Idle;
    {
        MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
        DrawingToolFeed feed(ed);
        edit.finish(linearCutter(ed.map, edit.events(), feed, cut, false, verticesOnly));
    }
    arm(ed, 32);
    ed.events.playCue("command");
}

}  // namespace korvel
