#include "app/FrameChrome.h"

#include "app/Editor.h"

namespace korvel {

namespace {

// A prompt that opened since the last frame flashes the status line for half a second and keeps
// the value it opened with, which Esc puts back.
void notePromptOpening(Editor& ed) {
    ValuePromptState& p = ed.prompt;
    AppState& a = ed.app;
    const int32_t now = ed.input.frameTime;
    if (p.promptKind != 0 && ed.loop.shownPromptKind == 0) {
        a.caretBlinkTime = now + 500;
        p.promptOriginal = p.promptInput;
        p.promptOriginalNegative = p.promptNegative;
        ed.dispatch.areaSelectLatch = 0;
    }
    if (a.caretBlinkTime >= 0 && a.caretBlinkTime < now) a.caretBlinkTime = -1;
}

}  // namespace

// The chrome's painters arrive with their own change; until then the frame shows only the page
// and the cursor, and the chrome keeps only the prompt's opening state.
void drawFrameChrome(Editor& ed) {
    notePromptOpening(ed);
}
void drawTooltip(Editor&) {}

}  // namespace korvel
