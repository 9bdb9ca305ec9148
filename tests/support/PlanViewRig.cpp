#include "support/PlanViewRig.h"

#include <algorithm>

#include "base/FileSystem.h"
#include "base/Mainm.h"
#include "platform/NativeFileSystem.h"
#include "views/PlanView.h"
#include "views/Projection.h"

namespace korvel::test {

PlanViewRig::PlanViewRig() {
    NativeFileSystem fs;
    loadFontSheets(fonts, fs, KORVEL_DATA_DIR);
    ColorSettings& c = colorSettings;
    using P = PlanColours;
    c.colorSectorHighlight = P::sectorHighlight;
    c.colorGrid = P::grid;
    c.colorGridUnit = P::gridUnit;
    c.colorServiceLines = P::service;
    c.colorStartPosition = P::start;
    c.colorFiltered = P::filtered;
    c.colorHidden = P::hidden;
    c.colorWallOneSided = P::oneSided;
    c.colorWallOpen = P::open;
    c.colorWallBlocking = P::blocking;
    c.colorWallHalfBlocking = P::halfBlocking;
    c.colorVertex = P::vertex;
    c.colorSprite = P::sprite;
    c.colorSpriteBlocking = P::spriteBlocking;
    c.colorToolOverlay = P::toolOverlay;
    settings.smoothLines = 0;
    settings.showGrid = 0;
    // The overlays stay off unless a test brings them in: no snap mark at the hit point.
    settings.snapToGrid = 0;
    view.viewOriginX = view.viewOriginY = 0;
    view.viewZoom = 1;
    // The start marker stays out of sight unless a test brings it in.
    map.startX = map.startY = 100000;
}

PlanFrame PlanViewRig::frame() {
    return {{frameBuffer, colorTables, settings.smoothLines != 0},
            PlanProjection(view),
            map,
            settings,
            colorSettings,
            hover,
            tool,
            fonts,
            tiles,
            tileCatalog,
            overlays,
            planView,
            frameTime,
            blinkPhaseOn(frameTime)};
}

void PlanViewRig::paint(int32_t time, int32_t frameNumber) {
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        uint8_t* row = &frameBuffer.screen[size_t(y) * kGuardedRowLength];
        std::fill(row, row + kScreenWidth, backdrop);
        std::fill(row + kScreenWidth, row + kGuardedRowLength, kGuardByte);
    }
    frameTime = time;
    preparePlanMap(map, settings, PlanProjection(view));
    PlanFrame pf = frame();
    paintPlanView(pf, frameNumber);
}

int32_t PlanViewRig::column(double x) const {
    return safeFloor((x + view.viewOriginX) / view.viewZoom) + 400;
}

int32_t PlanViewRig::row(double y) const {
    return safeFloor((view.viewOriginY - y) / view.viewZoom) + 300;
}

bool PlanViewRig::guardsIntact() const {
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        const uint8_t* row = &frameBuffer.screen[size_t(y) * kGuardedRowLength];
        if (std::any_of(row + kScreenWidth, row + kGuardedRowLength,
                        [](uint8_t b) { return b != kGuardByte; }))
            return false;
    }
    return true;
}

bool PlanViewRig::onlyMapViewTouched() const {
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        if (y >= kMapViewBottom && y <= kMapViewTop) continue;
        const uint8_t* row = &frameBuffer.screen[size_t(y) * kGuardedRowLength];
        if (std::any_of(row, row + kScreenWidth, [this](uint8_t b) { return b != backdrop; }))
            return false;
    }
    return guardsIntact();
}

}  // namespace korvel::test
