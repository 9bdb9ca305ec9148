#include "support/SideViewRig.h"

#include <algorithm>

#include "platform/NativeFileSystem.h"
#include "views/PlanFrame.h"
#include "views/SideView.h"
#include "views/SideViewSlices.h"

namespace korvel::test {

SideViewRig::SideViewRig() {
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
    c.colorGuideLabel = SideColours::guideLabel;
    c.colorMeasure = SideColours::measure;
    settings.smoothLines = 0;
    settings.showGrid = 0;
    settings.snapToGrid = 0;
    view.sideViewOriginX = view.sideViewOriginZ = 0;
    view.sideViewScale = 1;
    map.startX = map.startY = 100000;
    // The pad rectangles of the skin: 24 x 24 from (114, 364) up to (114, 459).
    for (int32_t y = 364; y < 460; ++y)
        std::fill_n(&skin.skin[size_t(y) * kSkinSize + 114], 24, kPadSkinValue);
}

SideFrame SideViewRig::frame() {
    return {{frameBuffer, colorTables, settings.smoothLines != 0},
            SideProjection(view),
            view,
            map,
            settings,
            colorSettings,
            hover,
            tool,
            dispatch,
            input,
            app,
            fonts,
            skin,
            langs,
            tiles,
            tileCatalog,
            overlays,
            lists,
            random,
            frameTime,
            blinkPhaseOn(frameTime)};
}

void SideViewRig::paint(int32_t time, int32_t frameNumber) {
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        uint8_t* row = &frameBuffer.screen[size_t(y) * kGuardedRowLength];
        std::fill(row, row + kScreenWidth, backdrop);
        std::fill(row + kScreenWidth, row + kGuardedRowLength, kGuardByte);
    }
    frameTime = time;
    input.frameTime = time;
    SideFrame sf = frame();
    paintSideView(sf, frameNumber);
}

void SideViewRig::viewPoint(int32_t x, int32_t y) {
    view.sideViewSubjectKind = SideViewSubjectKind::Point;
    view.sideViewX1 = x;
    view.sideViewY1 = y;
    buildSideViewSlices(map, view);
}

void SideViewRig::viewWall(int32_t wall) {
    const WallRecord& a = map.walls[wall];
    const WallRecord& b = map.walls[a.point2];
    view.sideViewSubjectKind = SideViewSubjectKind::Wall;
    view.sideViewSubject = wall;
    view.sideViewX1 = a.x;
    view.sideViewY1 = a.y;
    view.sideViewX2 = b.x;
    view.sideViewY2 = b.y;
    buildSideViewSlices(map, view);
}

void SideViewRig::viewSection(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    view.sideViewSubjectKind = SideViewSubjectKind::Section;
    view.sideViewX1 = x1;
    view.sideViewY1 = y1;
    view.sideViewX2 = x2;
    view.sideViewY2 = y2;
    buildSideViewSlices(map, view);
}

int32_t SideViewRig::column(double p) const {
    return SideProjection(view).column(p);
}

int32_t SideViewRig::row(double z) const {
    return SideProjection(view).row(z);
}

void SideViewRig::addTile(int32_t t, int16_t w, int16_t h,
                          const std::function<uint8_t(int32_t, int32_t)>& value) {
    std::vector<uint8_t>& px = tiles.artPixels;
    const size_t end = px.size() >= size_t(kArtPadding) ? px.size() - size_t(kArtPadding) : 0;
    px.resize(end);
    tiles.tileOffsets[size_t(t)] = int32_t(end) - 1;
    tiles.tileWidths[size_t(t)] = w;
    tiles.tileHeights[size_t(t)] = h;
    for (int32_t x = 0; x < w; ++x)
        for (int32_t y = 0; y < h; ++y) px.push_back(value(x, y));
    px.resize(px.size() + size_t(kArtPadding), 0);
    tiles.artLoaded = 1;
}

void SideViewRig::decodableColours() {
    ColorTables& ct = colorTables;
    for (int32_t c = 0; c < 256; ++c) {
        for (int32_t s = 0; s < 32; ++s) ct.gameShades[size_t(s * 256 + c)] = uint8_t(c + 7 * s);
        for (int32_t p = 0; p < 27; ++p) ct.palRemaps[size_t(p * 256 + c)] = uint8_t(c + 11 * p);
        ct.gamePaletteMap[size_t(c)] = ColorPair(c | ((255 - c) << 8));
    }
}

bool SideViewRig::onlyMapViewTouched() const {
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        const uint8_t* row = &frameBuffer.screen[size_t(y) * kGuardedRowLength];
        if (std::any_of(row + kScreenWidth, row + kGuardedRowLength,
                        [](uint8_t b) { return b != kGuardByte; }))
            return false;
        if (y >= kMapViewBottom && y <= kMapViewTop) continue;
        if (std::any_of(row, row + kScreenWidth, [this](uint8_t b) { return b != backdrop; }))
            return false;
    }
    return true;
}

}  // namespace korvel::test
