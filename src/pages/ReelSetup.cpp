#include "pages/ReelSetup.h"

#include "app/Editor.h"
#include "app/Sound.h"
#include "base/MessageNumbers.h"
#include "commands/PageStack.h"
#include "pages/PageButtons.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawReelToolPage(Editor&) {}

// Starts the reel tool when the page's counts allow it; the page closes either way.
void startReelTool(Editor& ed) {
    const auto& p = ed.pages.reelSetup;
    if (p.reelC < 1 || p.reelD < 1) {
        ed.events.statusMessage(kMsgTooFewPieces, {}, 0);
    } else {
        ed.tool.currentTool = Tool::Reel;
        ed.drawVertices.toolPointCount = 0;
        ed.app.helpPopupStep = 0;
        ed.app.helpTopic = 24;
        ed.events.statusMessage(304, {}, 0);
    }
    popPage(ed);
    playSound(ed, "command");
}

}  // namespace korvel
