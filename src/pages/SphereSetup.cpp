#include "pages/SphereSetup.h"

#include "app/Editor.h"
#include "app/Sound.h"
#include "base/MessageNumbers.h"
#include "commands/PageStack.h"
#include "pages/PageButtons.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawSphereToolPage(Editor&) {}

// Starts the sphere tool when the page's counts allow it; the page closes either way.
void startSphereTool(Editor& ed) {
    const auto& p = ed.pages.sphereSetup;
    if (p.sphere1C < 3 || p.sphere2C < 1) {
        ed.events.statusMessage(kMsgTooFewPieces, {}, 0);
    } else {
        ed.tool.currentTool = Tool::Sphere;
        ed.drawVertices.toolPointCount = 0;
        ed.app.helpPopupStep = 0;
        ed.app.helpTopic = 26;
        ed.events.statusMessage(306, {}, 0);
    }
    popPage(ed);
    playSound(ed, "command");
}

}  // namespace korvel
