#include "app/DeferredActions.h"

#include "app/Editor.h"
#include "app/Sound.h"
#include "app/Startup.h"
#include "base/MessageNumbers.h"
#include "pages/ProblemList.h"

namespace korvel {

namespace {

// Asked for by the textured-sectors button while the tiles were not loaded.
void texturedPlanView(Editor& ed) {
    loadArtTiles(ed);
    ed.settings.sectorsFull = 1;
    ed.cursor.cursorShape = CursorShape::Arrow;
    rebuildToolbar(ed);
    ed.app.statusText = getMessage(kMsgTilesLoadedTextured, ed.langs);
    playSound(ed, "beep2");
}

void computeStatistics(Editor& ed) {
    ed.cursor.cursorShape = CursorShape::Arrow;
    runMapStatistics(ed);
    playSound(ed, "beep2");
}

void checkMapAction(Editor& ed) {
    ed.cursor.cursorShape = CursorShape::Arrow;
    runMapCheck(ed);
    playSound(ed, "beep2");
}

}  // namespace

// The other actions arrive with their own changes; until then such a request is only cleared.
void runDeferredAction(Editor& ed) {
    const DeferredAction action = ed.app.deferredAction;
    ed.app.deferredAction = DeferredAction::None;
    if (action == DeferredAction::TexturedPlanView) texturedPlanView(ed);
    if (action == DeferredAction::ComputeStatistics) computeStatistics(ed);
    if (action == DeferredAction::CheckMap) checkMapAction(ed);
}

}  // namespace korvel
