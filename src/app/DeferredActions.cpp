#include "app/DeferredActions.h"

#include "app/Editor.h"
#include "app/Sound.h"
#include "app/Startup.h"
#include "base/MessageNumbers.h"
#include "pages/ProblemList.h"
#include "script/ScriptFiles.h"
#include "script/ScriptRun.h"

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

// Saves the current script and runs it; the cue and message say how the run ended.
void runScriptAction(Editor& ed) {
    ed.cursor.cursorShape = CursorShape::Arrow;
    if (!saveScript(ed, false)) return;
    const ScriptRunEnd end = runScript(ed, ed.pages.scriptEditor.scriptName, true);
    if (end == ScriptRunEnd::Asked) return;
    if (end == ScriptRunEnd::Finished) {
        playSound(ed, "command");
        ed.app.statusText = getMessage(kMsgScriptFinished, ed.langs);
        return;
    }
    const int32_t message = end == ScriptRunEnd::StepBudget ? kMsgScriptStepLimit
                            : end == ScriptRunEnd::Aborted  ? kMsgScriptAborted
                                                            : kMsgScriptTooLong;
    playSound(ed, "beep2");
    ed.app.statusText = getMessage(message, ed.langs);
}

}  // namespace

// The other actions arrive with their own changes; until then such a request is only cleared.
void runDeferredAction(Editor& ed) {
    const DeferredAction action = ed.app.deferredAction;
    ed.app.deferredAction = DeferredAction::None;
    if (action == DeferredAction::TexturedPlanView) texturedPlanView(ed);
    if (action == DeferredAction::ComputeStatistics) computeStatistics(ed);
    if (action == DeferredAction::CheckMap) checkMapAction(ed);
    if (action == DeferredAction::RunScript) runScriptAction(ed);
}

}  // namespace korvel
