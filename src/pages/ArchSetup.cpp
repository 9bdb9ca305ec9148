#include "pages/ArchSetup.h"

#include "app/Editor.h"
#include "app/Sound.h"
#include "base/MessageNumbers.h"
#include "commands/PageStack.h"
#include "pages/PageButtons.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawArchToolPage(Editor&) {}

// Starts the arch tool when the page's counts allow it; the page closes either way.
void startArchTool(Editor& ed) {
    const auto& p = ed.pages.archSetup;
    if (p.arch2C < 1 || p.arch1C < 1) {
        ed.events.statusMessage(kMsgTooFewPieces, {}, 0);
    } else {
        ed.tool.currentTool = Tool::Arch;
        ed.drawVertices.toolPointCount = 0;
        ed.app.helpPopupStep = 0;
        ed.app.helpTopic = 25;
        ed.events.statusMessage(305, {}, 0);
    }
    popPage(ed);
    playSound(ed, "command");
}

}  // namespace korvel
