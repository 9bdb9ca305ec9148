// An editor on the headless platform for tests of the primary action and the drawing tools: the
// hit point and the hovered sector are set as hover picking would leave them, each press
// rebuilds the tool preview first (as the frame does), and every status message reads
// "<number>:<arguments>", so a test sees which message was shown with what.
#pragma once

#include <string>
#include <vector>

#include "app/Editor.h"
#include "editing/PrimaryAction.h"
#include "support/EditorRig.h"
#include "support/LanguageFixture.h"
#include "views/ToolPreview.h"

namespace korvel::test {

inline Languages numberedMessages() {
    std::map<int32_t, std::string> texts;
    for (int32_t n = 1; n < 1500; ++n) texts[n] = std::to_string(n) + ":&1";
    return languageWith(texts);
}

struct DrawingRig : EditorRig {
    DrawingRig() : EditorRig("", false) {
        ed->langs = numberedMessages();
        ed->app.currentPage = Page::PlanView;
    }

    // The hit point, and the sector hover picking found under it (-1 none).
    void at(int32_t x, int32_t y, int32_t hovered = -1) {
        ed->hover.hitPointX = x;
        ed->hover.hitPointY = y;
        ed->hover.hoveredSector = hovered;
    }
    // One Space press at (x, y).
    void press(int32_t x, int32_t y, int32_t hovered = -1) {
        at(x, y, hovered);
        buildToolPreview(*ed);
        hitSpace(*ed);
    }
    // Presses at every corner, then at the first one again.
    void drawClosed(const std::vector<IntPoint>& corners, int32_t hovered = -1) {
        for (IntPoint p : corners) press(p.x, p.y, hovered);
        press(corners[0].x, corners[0].y, hovered);
    }
    std::vector<IntPoint> placed() const {
        std::vector<IntPoint> out;
        for (int32_t i = 0; i < ed->drawVertices.toolPointCount; ++i)
            out.push_back({ed->drawVertices.toolPointsX[i], ed->drawVertices.toolPointsY[i]});
        return out;
    }
    const std::string& status() const { return ed->app.statusText; }
};

}  // namespace korvel::test
