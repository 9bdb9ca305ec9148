#include "views/SideView.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "map/GeometryQueries.h"
#include "ui/Raster.h"
#include "ui/Skin.h"
#include "views/HelpPanel.h"
#include "views/PlanFrame.h"
#include "views/PlanGrid.h"
#include "views/SideFrame.h"
#include "views/SideViewMarks.h"
#include "views/SideViewSlices.h"
#include "views/SideViewSprites.h"
#include "views/SideViewWall.h"

namespace korvel {

namespace {

// Beyond this a pixel position is no position at all (safeFloor gives 0 there).
constexpr double kPixelLimit = 2.1e9;
constexpr int32_t kHiddenDash = 2;  // hidden sectors: dotted outlines, every second pixel

bool rowInView(int64_t r) {
    return r >= kMapViewBottom && r <= kMapViewTop;
}
bool columnInView(int64_t c) {
    return c >= 0 && c <= kScreenRight;
}

void fillRow(const SurfaceView& s, int64_t row, uint8_t colour) {
    if (rowInView(row)) std::memset(&s.at(0, int32_t(row)), colour, kScreenWidth);
}

// Rows lo..hi of column x, cut to the map view.
void columnSpan(const SurfaceView& s, int64_t x, int64_t lo, int64_t hi, uint8_t colour) {
    if (!columnInView(x)) return;
    for (int64_t r = std::max<int64_t>(lo, kMapViewBottom),
                 top = std::min<int64_t>(hi, kMapViewTop);
         r <= top; ++r)
        s.at(int32_t(x), int32_t(r)) = colour;
}

// The remainder of a by b (b > 0) in [0, b]; fmod keeps it exact however far a lies.
double floorRemainder(double a, double b) {
    const double r = std::fmod(a, b);
    return r < 0 ? r + b : r;
}

bool usablePixel(double v) {
    return std::isfinite(v) && std::fabs(v) <= kPixelLimit;
}

int32_t sectorsOf(const MapStore& map) {
    return std::clamp(map.sectorCount, 0, kMaxSectors);
}

int32_t slicesOf(const ViewState& view) {
    return std::clamp(view.sectionSliceCount, 0, kMaxSectionSlices);
}

// A selected sector counts as lit while the blink is on; an unselected one while hovered.
bool sectorLit(const SideFrame& sf, int32_t sector, bool hoverLights) {
    if (sf.map.sectorSelected[sector]) return sf.blinkOn;
    return hoverLights && sector == sf.hover.hoveredSector;
}

void drawSectorBands(const SideFrame& sf) {
    if (!sf.settings.sectorHighlight) return;
    const MapStore& map = sf.map;
    const SurfaceView s = screenView(sf.cv.frame);
    const int32_t x = sf.side.sideViewX1, y = sf.side.sideViewY1;
    for (int32_t k = 0; k < sectorsOf(map); ++k) {
        if (map.sectorIgnored[k] >= uint8_t(HiddenState::Hidden) || !sectorLit(sf, k, true))
            continue;
        int64_t f = nearestPixel(sf.view.rowExact(getTrueFloorZ(map, x, y, k)));
        int64_t c = nearestPixel(sf.view.rowExact(getTrueCeilingZ(map, x, y, k)));
        if (!(f >= kMapViewBottom || c >= kMapViewBottom) ||
            !(f <= kMapViewTop || c <= kMapViewTop) || c <= f)
            continue;
        f = std::max<int64_t>(f, kMapViewBottom);
        c = std::min<int64_t>(c, kMapViewTop);
        for (int64_t r = f; r < c; ++r) fillRow(s, r, sf.colours.colorSectorHighlight);
    }
}

void drawSliceFills(const SideFrame& sf) {
    const SurfaceView s = screenView(sf.cv.frame);
    const uint8_t colour = sf.colours.colorSectorHighlight;
    for (int32_t i = 0; i < slicesOf(sf.side); ++i) {
        const SectionSlice& sl = sf.side.sectionSlices[i];
        if (!isSector(sf.map, sl.sector) || !sectorLit(sf, sl.sector, sf.settings.sectorHighlight))
            continue;
        int64_t x1 = sf.view.column(sl.startPos), x2 = sf.view.column(sl.endPos);
        if ((x1 < 0 && x2 < 0) || (x1 > kScreenRight && x2 > kScreenRight) || x1 == x2) continue;
        const int64_t cs = sf.view.row(sl.ceilingZStart), ce = sf.view.row(sl.ceilingZEnd);
        const int64_t fs = sf.view.row(sl.floorZStart), fe = sf.view.row(sl.floorZEnd);
        const double span = double(x2 - x1);
        const double floorStep = double(fe - fs) / span, ceilingStep = double(ce - cs) / span;
        double floorAt = double(fs), ceilingAt = double(cs);
        if (x1 < 0) {
            // Straight to the view's first column: the slice may start billions of columns off.
            floorAt += floorStep * double(-x1);
            ceilingAt += ceilingStep * double(-x1);
            x1 = 0;
        }
        x2 = std::min<int64_t>(x2, kScreenRight);
        for (int64_t x = x1; x <= x2; ++x) {
            const int64_t f = safeFloor(floorAt), c = safeFloor(ceilingAt);
            if (!(f < kMapViewBottom && c < kMapViewBottom) &&
                !(f > kMapViewTop && c > kMapViewTop))
                columnSpan(s, x, f, c, colour);
            floorAt += floorStep;
            ceilingAt += ceilingStep;
        }
    }
}

void drawGrid(const SideFrame& sf) {
    const Settings& set = sf.settings;
    const SideProjection& v = sf.view;
    double step = double(set.gridSpacing) / v.scale;
    if (step < 1.0) step = 1.0;  // also a negative step; not a number stays and is refused next
    // A step or a start beyond the pixel range would never reach the end of the view.
    if (!usablePixel(step)) return;
    const uint8_t colour = set.gridSpacing == 1 ? sf.colours.colorGridUnit : sf.colours.colorGrid;
    const SurfaceView s = screenView(sf.cv.frame);
    if (step > 1.0 && !isPointSubject(sf.side)) {
        const double start = floorRemainder(v.cornerX / v.scale, step);
        if (usablePixel(start))
            for (double x = start; x < kScreenWidth; x += step)
                columnSpan(s, safeFloor(x), kMapViewBottom, kMapViewTop, colour);
    }
    const double start =
        kMapViewBottom + floorRemainder(v.cornerZ / v.scale - kMapViewBottom, step);
    if (usablePixel(start))
        for (double y = start; y < kMapViewTop + 1; y += step) fillRow(s, safeFloor(y), colour);
}

void drawHorizon(const SideFrame& sf) {
    fillRow(screenView(sf.cv.frame), safeFloor(sf.view.cornerZ / sf.view.scale),
            sf.colours.colorServiceLines);
}

void drawSectionEnds(const SideFrame& sf) {
    const ViewState& v = sf.side;
    const double length = distSingle(float(v.sideViewX1), float(v.sideViewY1), float(v.sideViewX2),
                                     float(v.sideViewY2));
    const SurfaceView s = screenView(sf.cv.frame);
    for (const double p : {0.0, length}) {
        const int64_t x = sf.view.column(p);
        if (!columnInView(x)) continue;
        for (int32_t r = kMapViewBottom; r < kMapViewTop; r += 2)
            s.at(int32_t(x), r) = sf.colours.colorServiceLines;
    }
}

void drawStartMarker(const SideFrame& sf) {
    const MapStore& map = sf.map;
    if (sf.side.sideViewX1 != map.startX || sf.side.sideViewY1 != map.startY) return;
    const int64_t r = sf.view.row(map.startZ);
    const int64_t h = std::min(nearestPixel(192 / sf.view.scale), 400);
    const uint8_t colour = sf.colours.colorStartPosition;
    if (rowInView(r)) {
        const int64_t from = std::max<int64_t>(kViewCentreX - h, 0);
        const int64_t to = std::min<int64_t>(kViewCentreX + h - 1, kScreenRight);
        const SurfaceView s = screenView(sf.cv.frame);
        for (int64_t x = from; x <= to; ++x) s.at(int32_t(x), int32_t(r)) = colour;
    }
    if (r >= kMapViewBottom - 2 && r <= kMapViewTop + 2)
        drawSquareMarker(sf.cv, kViewCentreX, int32_t(r), colour);
}

void drawSectorLines(const SideFrame& sf) {
    const MapStore& map = sf.map;
    const SurfaceView s = screenView(sf.cv.frame);
    const uint8_t colour = highlighted(sf.colours.colorWallOneSided);
    const int32_t x = sf.side.sideViewX1, y = sf.side.sideViewY1;
    for (int32_t k = 0; k < sectorsOf(map); ++k) {
        if (map.sectorIgnored[k] >= uint8_t(HiddenState::Hidden) || !sf.side.pickedSectors[k])
            continue;
        fillRow(s, sf.view.row(getTrueFloorZ(map, x, y, k)), colour);
        fillRow(s, sf.view.row(getTrueCeilingZ(map, x, y, k)), colour);
    }
}

// One end of a slice: the line's own end, a one-sided wall, or the opening of a two-sided one,
// whose rows toggle so that the part a neighbouring slice shares shows open.
void drawSliceEdge(const SideFrame& sf, int32_t wall, int32_t x, int32_t ceilingRow,
                   int32_t floorRow) {
    const ColorSettings& cs = sf.colours;
    const uint8_t oneSided = highlighted(cs.colorWallOneSided);
    if (wall == -1) {
        drawLineMapView(sf.cv, x, ceilingRow, x, floorRow, highlighted(cs.colorGrid));
        return;
    }
    if (!isWall(sf.map, wall) || !isWall(sf.map, sf.map.walls[wall].nextwall)) {
        drawLineMapView(sf.cv, x, ceilingRow, x, floorRow, oneSided);
        return;
    }
    if (!columnInView(x)) return;
    const int32_t low = std::min(ceilingRow, floorRow), high = std::max(ceilingRow, floorRow);
    if (high < kMapViewBottom || low > kMapViewTop) return;
    const SurfaceView s = screenView(sf.cv.frame);
    const uint8_t open = highlighted(cs.colorWallOpen);
    for (int32_t r = std::max(low, kMapViewBottom), top = std::min(high, kMapViewTop); r <= top;
         ++r) {
        uint8_t& p = s.at(x, r);
        p = p == oneSided ? open : oneSided;
    }
}

void drawSliceOutlines(const SideFrame& sf) {
    const ColorSettings& cs = sf.colours;
    const uint8_t oneSided = highlighted(cs.colorWallOneSided);
    for (int32_t i = 0; i < slicesOf(sf.side); ++i) {
        const SectionSlice& sl = sf.side.sectionSlices[i];
        if (!isSector(sf.map, sl.sector)) continue;
        const int32_t x1 = sf.view.column(sl.startPos), x2 = sf.view.column(sl.endPos);
        const int32_t cs1 = sf.view.row(sl.ceilingZStart), ce = sf.view.row(sl.ceilingZEnd);
        const int32_t fs = sf.view.row(sl.floorZStart), fe = sf.view.row(sl.floorZEnd);
        if (sf.map.sectorIgnored[sl.sector] >= uint8_t(HiddenState::Hidden)) {
            drawDottedLineMapView(sf.cv, x1, cs1, x2, ce, cs.colorHidden, kHiddenDash);
            drawDottedLineMapView(sf.cv, x1, fs, x2, fe, cs.colorHidden, kHiddenDash);
            drawDottedLineMapView(sf.cv, x1, cs1, x1, fs, cs.colorHidden, kHiddenDash);
            drawDottedLineMapView(sf.cv, x2, ce, x2, fe, cs.colorHidden, kHiddenDash);
            continue;
        }
        const bool hovered = sl.sector == sf.hover.hoveredSector;
        drawLineMapView(sf.cv, x1, cs1, x2, ce,
                        hovered && sf.hover.sideHoverPart == 2 ? cs.colorToolOverlay : oneSided);
        drawLineMapView(sf.cv, x1, fs, x2, fe,
                        hovered && sf.hover.sideHoverPart == 1 ? cs.colorToolOverlay : oneSided);
        drawSliceEdge(sf, sl.startWall, x1, cs1, fs);
        drawSliceEdge(sf, sl.endWall, x2, ce, fe);
    }
}

void tintRows(const SurfaceView& s, const uint8_t* blend, int64_t from, int64_t to, uint8_t tint) {
    for (int64_t r = std::max<int64_t>(from, kMapViewBottom),
                 top = std::min<int64_t>(to, kMapViewTop);
         r <= top; ++r) {
        uint8_t* row = &s.at(0, int32_t(r));
        for (int32_t x = 0; x < kScreenWidth; ++x) row[x] = blend[row[x] * 256 + tint];
    }
}

void drawHeightRangeTint(const SideFrame& sf) {
    const SurfaceView s = screenView(sf.cv.frame);
    const uint8_t* blend = sf.cv.colors.blendTable.data();
    const uint8_t line = sf.colours.colorFiltered, tint = uint8_t(line - 1);
    const int64_t low = safeFloor(sf.view.rowExact(sf.settings.zRangeLow) + 0.5);
    fillRow(s, low, line);
    tintRows(s, blend, low + 1, kMapViewTop, tint);
    const int64_t high = safeFloor(sf.view.rowExact(sf.settings.zRangeHigh) + 0.5);
    fillRow(s, high, line);
    tintRows(s, blend, kMapViewBottom, high - 1, tint);
}

struct PadButton {
    int32_t number, x, y, skinX, skinY, shift;
};
constexpr int32_t kPadButtonSize = 24;
constexpr int32_t kPadLitShift = 3;
constexpr PadButton kLinePad[] = {{1, 696, 184, 114, 436, 168},
                                  {4, 720, 208, 114, 388, 168},
                                  {3, 720, 160, 114, 364, 168},
                                  {2, 744, 184, 114, 412, 168}};
constexpr PadButton kWallPad[] = {{5, 8, 288, 114, 436, 228}, {6, 768, 288, 114, 412, 228}};
constexpr PadButton kOtherSideButton{7, 388, 136, 114, 388, 120};

void drawPadButton(const SideFrame& sf, const PadButton& b) {
    const int32_t shift = b.shift + (sf.app.sideViewPadButton == b.number ? kPadLitShift : 0);
    blitSkinTransparentShifted(sf.cv, sf.skin, b.x, b.y, b.skinX, b.skinY, kPadButtonSize,
                               kPadButtonSize, shift);
}

void drawNavigationPad(const SideFrame& sf) {
    if (sf.side.sideViewSubjectKind != SideViewSubjectKind::Wall) {
        for (const PadButton& b : kLinePad) drawPadButton(sf, b);
        return;
    }
    for (const PadButton& b : kWallPad) drawPadButton(sf, b);
    if (sideWallTwin(sf.map, sideSubjectWall(sf.map, sf.side)) >= 0)
        drawPadButton(sf, kOtherSideButton);
}

}  // namespace

int32_t nearestPixel(double v) {
    if (!usablePixel(v)) return 0;
    return int32_t(std::nearbyint(v));
}

int32_t sideWallTwin(const MapStore& map, int32_t w) {
    if (!isWall(map, w)) return -1;
    const WallRecord& wall = map.walls[w];
    if (!isWall(map, wall.nextwall) || !isSector(map, wall.nextsector)) return -1;
    if (!isSector(map, map.wallSector[wall.nextwall])) return -1;
    return wall.nextwall;
}

int32_t sideSubjectWall(const MapStore& map, const ViewState& view) {
    const int32_t w = view.sideViewSubject;
    if (!isWall(map, w) || !isWall(map, map.walls[w].point2) || !isSector(map, map.wallSector[w]))
        return -1;
    return w;
}

void paintSideView(SideFrame& sf, int32_t frameNumber) {
    ViewState& v = sf.side;
    if (isPointSubject(v)) v.sideViewOriginX = 0;
    sf.view = SideProjection(v);
    const SideViewSubjectKind kind = v.sideViewSubjectKind;
    if (kind == SideViewSubjectKind::Section) refreshSliceHeights(sf.map, v);

    const Settings& set = sf.settings;
    if (set.transparentGrid) drawCheckerboard(sf.cv);
    if (kind == SideViewSubjectKind::Wall)
        drawTexturedWall(sf, frameNumber);
    else if (kind == SideViewSubjectKind::Section)
        drawSliceFills(sf);
    else
        drawSectorBands(sf);
    if (set.showGrid) drawGrid(sf);
    drawHorizon(sf);
    if (kind == SideViewSubjectKind::Section)
        drawSectionEnds(sf);
    else if (isPointSubject(v))
        drawStartMarker(sf);
    if (kind == SideViewSubjectKind::Wall)
        drawWallOutline(sf);
    else if (kind == SideViewSubjectKind::Section)
        drawSliceOutlines(sf);
    else
        drawSectorLines(sf);
    if (set.showSprites && sf.view.scale < double(set.spriteZoomLimit))
        drawSideViewSprites(sf, frameNumber);
    if (set.zRangeMode != uint8_t(ZRangeMode::Off)) drawHeightRangeTint(sf);
    drawSideViewMarks(sf);
    drawNavigationPad(sf);
}

void drawSideView(Editor& ed, int32_t frameNumber) {
    SideFrame sf{canvasOf(ed),
                 SideProjection(ed.view),
                 ed.view,
                 ed.map,
                 ed.settings,
                 ed.colorSettings,
                 ed.hover,
                 ed.tool,
                 ed.dispatch,
                 ed.input,
                 ed.app,
                 ed.fonts,
                 ed.skin,
                 ed.langs,
                 ed.tiles,
                 ed.tileCatalog,
                 ed.overlays,
                 ed.planView,
                 ed.random,
                 ed.input.frameTime,
                 blinkPhaseOn(ed.input.frameTime)};
    paintSideView(sf, frameNumber);
    drawHelpPanel(ed);
}

void buildSideViewSlices(Editor& ed) {
    buildSideViewSlices(ed.map, ed.view);
}

}  // namespace korvel
