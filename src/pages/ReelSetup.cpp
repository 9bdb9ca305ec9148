#include "pages/ReelSetup.h"

#include <algorithm>
#include <cmath>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "app/Sound.h"
#include "base/MessageNumbers.h"
#include "commands/PageStack.h"
#include "pages/PageButtons.h"
#include "ui/Raster.h"

namespace korvel {

int32_t previewPixel(double v) {
    if (std::isnan(v)) return 0;
    return int32_t(std::floor(std::clamp(v, -1e9, 1e9)));
}

void drawSideElevation(const Canvas& cv, int32_t n, int32_t colour) {
    drawLineMapView(cv, 104, 192, 296, 192, colour);
    drawLineMapView(cv, 104, 384, 296, 384, colour);
    for (int32_t i = 0; i <= n; ++i) {
        const int32_t x = int32_t(std::floor(200 + 96 * std::cos(i * M_PI / n) + 0.5));
        drawLineUnclipped(cv, x, 192, x, 384, colour);
    }
}

void paintReelPreview(const Canvas& cv, const ReelSetupState& p, int32_t previewColour) {
    if (p.reelC <= 0 || p.reelB <= 0) return;
    const int32_t n = std::min(p.reelC, kPreviewSteps);
    drawSideElevation(cv, n, previewColour);
    const double q = p.reelB / 10000.0;
    const double rx = q > 1 ? 96 / q : 96, ry = q > 1 ? 96 : 96 * q;
    int32_t px = q > 1 ? int32_t(std::floor(96 / q + 0.5)) + 600 : 696, py = 288;
    for (int32_t i = 1; i <= 2 * n; ++i) {
        const double a = i * M_PI / n;
        const int32_t x = int32_t(std::floor(600 + rx * std::cos(a) + 0.5));
        const int32_t y = int32_t(std::floor(288 + ry * std::sin(a) + 0.5));
        drawLineUnclipped(cv, x, y, x, 576 - y, 8);
        drawLineUnclipped(cv, px, py, x, y, previewColour);
        px = x;
        py = y;
    }
}

void drawReelToolPage(Editor& ed) {
    paintReelPreview(canvasOf(ed), ed.pages.reelSetup, ed.colorSettings.colorUiPreviewLine);
}

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
