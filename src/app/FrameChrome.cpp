#include "app/FrameChrome.h"

#include "app/ChromeTexts.h"
#include "app/Editor.h"
#include "app/PanelBackground.h"
#include "app/PanelInfo.h"
#include "app/ParticleShow.h"
#include "ui/MessageHistory.h"
#include "ui/Widgets.h"

namespace korvel {

// The order is fixed: what comes later lies on top, and the rebuild of the background only shows
// from the next frame on.
void drawFrameChrome(Editor& ed) {
    drawKeyboardIndicator(ed);
    drawWindowButtons(ed);
    drawMapTitle(ed);
    drawToolbarOverlay(ed);
    drawStatusArea(ed);
    drawZRangeGauge(ed);
    drawPageInformation(ed);
    drawWidgets(ed);
    drawOpenMenuOverlay(ed);
    rebuildBackground(ed);
    if (ed.app.messageLogAnim >= 0) drawMessageLogPanel(ed);
    drawCornerTexts(ed);
    stepParticles(ed);
    stepFireworkShow(ed);
}

}  // namespace korvel
