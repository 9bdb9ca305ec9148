#include "pages/ArchSetup.h"

#include <algorithm>
#include <cmath>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "app/Sound.h"
#include "base/MessageNumbers.h"
#include "commands/PageStack.h"
#include "pages/PageButtons.h"
#include "pages/ReelSetup.h"
#include "ui/Raster.h"

namespace korvel {

bool drawArchProfile(const Canvas& cv, const ArchProfile& a) {
    const int64_t lo0 = std::min({a.p, a.q, a.s, a.r}), hi0 = std::max({a.p, a.q, a.s, a.r});
    if (lo0 == hi0) return false;
    double lo = double(lo0), hi = double(hi0);
    double g = a.halfWidth * 96 / (hi - lo);
    if (g > 96) {
        const double m = std::nearbyint((lo + hi) / 2);
        lo = std::nearbyint((lo - m) * g / 96 + m);
        hi = std::nearbyint((hi - m) * g / 96 + m);
        g = 96;
    }
    const float span = float(hi - lo);
    const auto row = [&](int64_t v) {
        return previewPixel(std::floor(float(double(v) - lo) / span * 192.0f + 0.5f)) + 192;
    };
    const int32_t yP = row(a.p), yQ = row(a.q), yS = row(a.s), yR = row(a.r);
    const int32_t n = a.steps;
    int32_t x0 = 0, a0 = 0, b0 = 0;
    for (int32_t i = 0; i <= n; ++i) {
        const double t = i * M_PI / n;
        const int32_t x = previewPixel(600 + g * std::cos(t) + 0.5);
        const int32_t ai = previewPixel(yQ + (yP - yQ) * std::sin(t) + 0.5);
        const int32_t bi = previewPixel(yR + (yS - yR) * std::sin(t) + 0.5);
        if (i == 0) {
            x0 = x, a0 = ai, b0 = bi;
            continue;
        }
        drawLineUnclipped(cv, x0, a0, x, ai, a.upperColour);
        drawLineUnclipped(cv, x0, b0, x, bi, a.lowerColour);
        if (i == 1)
            drawLineUnclipped(cv, x0, a0, x0, b0, a.edgeColour);
        else if (a0 > b0)
            drawLineUnclipped(cv, x0, a0, x0, b0, 8);
        x0 = x, a0 = ai, b0 = bi;
    }
    drawLineUnclipped(cv, x0, a0, x0, b0, a.edgeColour);
    return true;
}

void paintArchPreview(const Canvas& cv, const ArchSetupState& p, int32_t previewColour) {
    if (p.arch2C <= 0 || p.arch1C <= 0) return;
    ArchProfile a;
    a.p = -int64_t(p.arch1B);
    a.q = -(int64_t(p.arch1B) + p.arch2B);
    a.s = -int64_t(p.arch1A);
    a.r = -(int64_t(p.arch1A) + p.arch2A);
    if (a.p == a.q && a.q == a.s && a.s == a.r) return;
    a.halfWidth = double(p.arch1C) * 16;
    a.steps = std::min(p.arch2C, kPreviewSteps);
    a.upperColour = 0;
    a.lowerColour = previewColour;
    a.edgeColour = previewColour;
    drawSideElevation(cv, a.steps, previewColour);
    drawArchProfile(cv, a);
}

void drawArchToolPage(Editor& ed) {
    paintArchPreview(canvasOf(ed), ed.pages.archSetup, ed.colorSettings.colorUiPreviewLine);
}

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
