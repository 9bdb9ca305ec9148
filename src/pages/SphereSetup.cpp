#include "pages/SphereSetup.h"

#include <algorithm>
#include <cmath>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "app/Sound.h"
#include "base/MessageNumbers.h"
#include "commands/PageStack.h"
#include "pages/ArchSetup.h"
#include "pages/PageButtons.h"
#include "pages/ReelSetup.h"
#include "ui/Raster.h"

namespace korvel {

void paintSpherePreview(const Canvas& cv, const SphereSetupState& p, int32_t previewColour) {
    if (p.sphere1C <= 0 || p.sphere2C <= 0) return;
    const int32_t sides = std::min(p.sphere1C, kPreviewSteps);
    const int32_t rings = std::min(p.sphere2C, kPreviewSteps);
    const auto px = [](double f, double a) { return int32_t(std::floor(200.5 + 96 * f * std::sin(a))); };
    const auto py = [](double f, double a) { return int32_t(std::floor(288.5 + 96 * f * std::cos(a))); };
    for (int32_t i = 0; i < sides; ++i) {
        const double u = 2 * M_PI * i / sides, v = 2 * M_PI * (i - 1) / sides;
        drawLineUnclipped(cv, 200, 288, px(1, u), py(1, u), previewColour);
        for (int32_t j = 0; j <= rings; ++j) {
            const double f = std::sin(j * M_PI / (2 * rings));
            drawLineUnclipped(cv, px(f, v), py(f, v), px(f, u), py(f, u), previewColour);
        }
    }
    ArchProfile a;
    a.p = -int64_t(p.sphere1B);
    a.q = -(int64_t(p.sphere1B) + p.sphere2B);
    a.s = -int64_t(p.sphere1A);
    a.r = -(int64_t(p.sphere1A) + p.sphere2A);
    a.halfWidth = double(p.domePreviewHeight) * 32;
    a.steps = 2 * rings;
    a.upperColour = previewColour;
    a.lowerColour = previewColour;
    a.edgeColour = previewColour;
    drawArchProfile(cv, a);
}

void drawSphereToolPage(Editor& ed) {
    paintSpherePreview(canvasOf(ed), ed.pages.sphereSetup, ed.colorSettings.colorUiPreviewLine);
}

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
