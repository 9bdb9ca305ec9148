// An editor set up for painting the plan view in tests: the generated fonts, a guarded screen,
// a distinct colour for every map colour setting, plain lines, no grid, and the view at zoom 1
// with map point (0, 0) at column 400, row 300; the start position far out of sight.
#pragma once

#include <cstdint>
#include <memory>

#include "app/Editor.h"
#include "support/DrawFixtures.h"
#include "support/MapBuilder.h"

namespace korvel::test {

// What the rig's screen holds before painting: no colour setting uses it.
constexpr uint8_t kBackdrop = 250;

struct PlanColours {
    static constexpr uint8_t sectorHighlight = 200, grid = 20, gridUnit = 24, service = 28,
                             start = 32, filtered = 36, hidden = 40, oneSided = 44, open = 48,
                             blocking = 52, halfBlocking = 56, vertex = 60, toolOverlay = 72,
                             sprite = 120, spriteBlocking = 132;
};

struct PlanViewRig {
    PlanViewRig();

    // Paints one frame the way the frame loop does: the origin in its painting form while
    // draw2DView runs, the screen cleared to the backdrop first.
    void paint(int32_t frameTime = 0, int32_t frameNumber = 0);
    // Where map point (x, y) lands with the stored view.
    int32_t column(double x) const;
    int32_t row(double y) const;
    uint8_t& px(int32_t x, int32_t y) {
        return ed.frameBuffer.screen[size_t(y) * kGuardedRowLength + size_t(x)];
    }
    bool guardsIntact() const;
    // Whether every pixel outside the map view still holds the backdrop.
    bool onlyMapViewTouched() const;

    uint8_t backdrop = kBackdrop;  // what paint clears the screen to
    std::unique_ptr<Editor> owner = std::make_unique<Editor>();
    Editor& ed = *owner;
    MapBuilder build{ed.map};
};

}  // namespace korvel::test
