#include "editing/ToolHelp.h"

#include "app/Editor.h"

namespace korvel {

void toolToolbarSlot(Editor& ed) {
    const auto tool = int32_t(ed.tool.currentTool);
    if (tool >= 1 && tool <= 21) {
        ed.app.helpTopic = tool + 1;
        ed.app.helpPopupStep = 0;
    } else if (tool >= 22 && tool <= 35) {
        ed.app.helpTopic = tool + 2;
        ed.app.helpPopupStep = 0;
    } else {
        ed.app.helpPopupStep = -1;
    }
}

}  // namespace korvel
