#include "pages/SphereSetup.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

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
    // The ring factors and each side's direction, computed once: at the cap the plan is a
    // quarter of a million segments.
    std::vector<double> ring(size_t(rings) + 1);
    for (int32_t j = 0; j <= rings; ++j) ring[size_t(j)] = 96 * std::sin(j * M_PI / (2 * rings));
    // floor of a value within a few hundred of the centre, without a library call per point.
    const auto fl = [](double v) {
        const int32_t t = int32_t(v);
        return t > v ? t - 1 : t;
    };
    const auto px = [&](double r, double sine) { return fl(200.5 + r * sine); };
    const auto py = [&](double r, double cosine) { return fl(288.5 + r * cosine); };
    const SurfaceView screen = screenView(cv.frame);
    const uint8_t colour = uint8_t(previewColour);
    const auto plot = [&](int32_t x, int32_t y) {
        if (x >= 0 && x < kScreenWidth && y >= 0 && y < kScreenHeight) screen.at(x, y) = colour;
    };
    double sinV = std::sin(-2 * M_PI / sides), cosV = std::cos(-2 * M_PI / sides);
    for (int32_t i = 0; i < sides; ++i) {
        const double u = 2 * M_PI * i / sides;
        const double sinU = std::sin(u), cosU = std::cos(u);
        if (i > 0) {
            const double v = 2 * M_PI * (i - 1) / sides;
            sinV = std::sin(v), cosV = std::cos(v);
        }
        drawLineUnclipped(cv, 200, 288, px(96, sinU), py(96, cosU), previewColour);
        for (const double f : ring) {
            const int32_t x1 = px(f, sinV), y1 = py(f, cosV), x2 = px(f, sinU), y2 = py(f, cosU);
            // The segments of a fine dome are a pixel or two long: plotted as the line routine
            // plots them (a level run leaves out its right end), without its walk.
            if (std::abs(x2 - x1) <= 1 && std::abs(y2 - y1) <= 1) {
                if (y1 == y2) {
                    plot(std::min(x1, x2), y1);
                } else {
                    plot(x1, y1);
                    plot(x2, y2);
                }
            } else {
                drawLineUnclipped(cv, x1, y1, x2, y2, previewColour);
            }
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
