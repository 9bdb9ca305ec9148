#include "support/PlanViewRig.h"

#include <algorithm>

#include "base/FileSystem.h"
#include "base/Mainm.h"
#include "platform/NativeFileSystem.h"
#include "ui/Fonts.h"
#include "views/PlanView.h"

namespace korvel::test {

PlanViewRig::PlanViewRig() {
    ed.frameBuffer = FrameBuffer(kGuardedRowLength);
    NativeFileSystem fs;
    loadFontSheets(ed.fonts, fs, KORVEL_DATA_DIR);
    ColorSettings& c = ed.colorSettings;
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
    ed.settings.smoothLines = 0;
    ed.settings.showGrid = 0;
    ed.view.viewOriginX = ed.view.viewOriginY = 0;
    ed.view.viewZoom = 1;
    // The start marker stays out of sight unless a test brings it in.
    ed.map.startX = ed.map.startY = 100000;
}

void PlanViewRig::paint(int32_t frameTime, int32_t frameNumber) {
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        uint8_t* row = &ed.frameBuffer.screen[size_t(y) * kGuardedRowLength];
        std::fill(row, row + kScreenWidth, backdrop);
        std::fill(row + kScreenWidth, row + kGuardedRowLength, kGuardByte);
    }
    ed.input.frameTime = frameTime;
    ViewState& v = ed.view;
    const float x = v.viewOriginX, y = v.viewOriginY;
    v.viewOriginX = v.viewOriginX + v.viewZoom * 400;
    v.viewOriginY = v.viewOriginY + v.viewZoom * 300;
    draw2DView(ed, frameNumber);
    v.viewOriginX = x;
    v.viewOriginY = y;
}

int32_t PlanViewRig::column(double x) const {
    return safeFloor((x + ed.view.viewOriginX) / ed.view.viewZoom) + 400;
}

int32_t PlanViewRig::row(double y) const {
    return safeFloor((ed.view.viewOriginY - y) / ed.view.viewZoom) + 300;
}

bool PlanViewRig::guardsIntact() const {
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        const uint8_t* row = &ed.frameBuffer.screen[size_t(y) * kGuardedRowLength];
        if (std::any_of(row + kScreenWidth, row + kGuardedRowLength,
                        [](uint8_t b) { return b != kGuardByte; }))
            return false;
    }
    return true;
}

bool PlanViewRig::onlyMapViewTouched() const {
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        if (y >= kMapViewBottom && y <= kMapViewTop) continue;
        const uint8_t* row = &ed.frameBuffer.screen[size_t(y) * kGuardedRowLength];
        if (std::any_of(row, row + kScreenWidth, [this](uint8_t b) { return b != backdrop; }))
            return false;
    }
    return guardsIntact();
}

}  // namespace korvel::test
