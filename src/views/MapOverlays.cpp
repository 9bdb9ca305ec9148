#include "views/MapOverlays.h"

#include <cmath>

#include "app/Editor.h"
#include "base/ValueConv.h"
#include "geometry/LightSourceList.h"
#include "ui/Raster.h"
#include "ui/Text.h"
#include "views/HelpPanel.h"
#include "views/OverlayLists.h"
#include "views/PlanFrame.h"
#include "views/PropertyBox.h"
#include "views/ViewMarks.h"

namespace korvel {

namespace {

constexpr int32_t kKeypadZero = 96;
constexpr int32_t kKeypadPoint = 110;
constexpr uint8_t kLightColour = 176;
constexpr int32_t kRegionTint = 53;
// Above this radius the rim of a circle region is not drawn: it would have billions of points.
constexpr int32_t kLargestRimRadius = 65536;

uint8_t& pixel(const Canvas& cv, int64_t x, int64_t y) {
    return cv.frame.screen[size_t(y) * size_t(cv.frame.screenRowLength) + size_t(x)];
}
bool inView(int64_t x, int64_t y) {
    return x >= 0 && x <= kScreenRight && y >= kMapViewBottom && y <= kMapViewTop;
}
void setPixel(const Canvas& cv, int64_t x, int64_t y, uint8_t colour) {
    if (inView(x, y)) pixel(cv, x, y) = colour;
}
void tint(const Canvas& cv, int64_t x, int64_t y, int32_t row) {
    if (!inView(x, y)) return;
    uint8_t& p = pixel(cv, x, y);
    p = cv.colors.blendTable[size_t(row) * 256 + p];
}
// Columns x1..x2 of row y tinted, clipped to the view.
void tintRow(const Canvas& cv, int64_t y, int64_t x1, int64_t x2, int32_t row) {
    if (y < kMapViewBottom || y > kMapViewTop) return;
    for (int64_t x = std::max<int64_t>(x1, 0); x <= std::min<int64_t>(x2, kScreenRight); ++x)
        tint(cv, x, y, row);
}
// The five-fold outlined text of the pointer and the handle labels.
void outlinedSmallText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t x,
                       int32_t y, int32_t colour) {
    const int32_t dark = colour - 5;
    drawSmallTextMapClipped(cv, fonts, text, x + 1, y, dark);
    drawSmallTextMapClipped(cv, fonts, text, x - 1, y, dark);
    drawSmallTextMapClipped(cv, fonts, text, x, y + 1, dark);
    drawSmallTextMapClipped(cv, fonts, text, x, y - 1, dark);
    drawSmallTextMapClipped(cv, fonts, text, x, y, colour);
}

void drawSavedViews(const PlanFrame& pf, const ViewBookmarks& b) {
    const uint8_t colour = pf.colours.colorSavedView;
    const double zoom = pf.view.zoom;
    for (int32_t i = 0; i < kBookmarkCount; ++i) {
        const double z = b.bookmarkZoom[size_t(i)];
        if (!(z > 0)) continue;
        const double u = pf.view.cornerX - b.bookmarkX[size_t(i)];
        const double v = pf.view.cornerY - b.bookmarkY[size_t(i)];
        drawTextMapClipped(pf.cv, pf.fonts, std::to_string(i), safeFloor(u / zoom) - 4,
                           safeFloor(v / zoom) - 6, colour);
        // Far edges are saturated: only their clipped ranges are walked.
        const int64_t left = saturateToInt32((u - 400 * z) / zoom);
        const int64_t right = saturateToInt32((u + 400 * z) / zoom);
        const int64_t bottom = saturateToInt32((v - 172 * z) / zoom);
        const int64_t top = saturateToInt32((v + 284 * z) / zoom);
        const int64_t y1 = std::max<int64_t>(bottom, kMapViewBottom);
        const int64_t y2 = std::min<int64_t>(top, kMapViewTop);
        const int64_t x1 = std::max<int64_t>(left, 0), x2 = std::min<int64_t>(right, kScreenRight);
        for (int64_t x : {left, right})
            if (x >= 0 && x <= kScreenRight)
                for (int64_t y = y1; y <= y2; ++y) setPixel(pf.cv, x, y, colour);
        for (int64_t y : {bottom, top})
            if (y >= kMapViewBottom && y <= kMapViewTop)
                for (int64_t x = x1; x <= x2; ++x) setPixel(pf.cv, x, y, colour);
    }
}

// A plus of five pixels, only where all of it lies strictly inside the view's border.
void plusMark(const PlanFrame& pf, double mapX, double mapY, uint8_t colour) {
    const int32_t x = pf.view.column(mapX), y = pf.view.row(mapY);
    if (!(x > 0 && x < kScreenRight && y > kMapViewBottom && y < kMapViewTop)) return;
    for (const auto& [dx, dy] : {std::pair{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}})
        setPixel(pf.cv, x + dx, y + dy, colour);
}

void drawLightSources(const PlanFrame& pf, MapStore& map, int32_t frameTime) {
    purgeLightSprites(map);
    const int32_t r = safeFloor(2 * std::sin(frameTime / 100.0) + 2);
    for (int32_t i = 0; i < map.lightSpriteCount; ++i) {
        const SpriteRecord& s = map.sprites[map.lightSprites[size_t(i)]];
        const double x = pf.view.column(s.x), y = pf.view.row(s.y);
        for (int32_t j = 0; j < 6; ++j) {
            const double a = j * 3.14159265358979 / 3;
            drawLineMapView(pf.cv, safeFloor(x + (r + 4) * std::sin(a) + 0.5),
                            safeFloor(y + (r + 4) * std::cos(a) + 0.5),
                            safeFloor(x + (r + 7) * std::sin(a) + 0.5),
                            safeFloor(y + (r + 7) * std::cos(a) + 0.5), kLightColour);
        }
    }
}

struct Label {
    const char* text;
    int32_t point;
    bool after;  // 16 pixels along the direction, else against it
    int32_t from, to;
};

void handleLabels(const PlanFrame& pf, const DrawVertexList& points, Tool tool, bool ctrl,
                  int32_t colour) {
    const auto P = [&](int32_t k) {
        return IntPoint{points.toolPointsX[k], points.toolPointsY[k]};
    };
    const auto sum = [&](int32_t a, int32_t b, int32_t c) {  // Pa + Pb - Pc
        return IntPoint{wrap32(int64_t(P(a).x) + P(b).x - P(c).x),
                        wrap32(int64_t(P(a).y) + P(b).y - P(c).y)};
    };
    const auto place = [&](const char* text, IntPoint at, IntPoint from, IntPoint to, bool after) {
        const double a = angleOfSingle(float(from.x), float(from.y), float(to.x), float(to.y));
        const double sign = after ? 1 : -1;
        const int32_t x = safeFloor(pf.view.columnExact(at.x) + sign * 16 * std::sin(a)) - 2;
        const int32_t y = safeFloor(pf.view.rowExact(at.y) + sign * 16 * std::cos(a)) - 3;
        outlinedSmallText(pf.cv, pf.fonts, text, x, y, colour);
    };
    const int32_t o = ctrl ? 0 : tool == Tool::TransformBySegments ? 2 : tool == Tool::QuadWarp1 ? 3 : 4;
    switch (tool) {
        case Tool::TransformBySegments:
            place("0", P(o), P(o), P(o + 1), false);
            place("1", P(o + 1), P(o), P(o + 1), true);
            break;
        case Tool::QuadWarp1:
            place("0", P(o), P(o), sum(o + 1, o + 2, o), false);
            place("X", P(o + 1), P(o + 1), P(o + 2), false);
            place("Y", P(o + 2), P(o + 1), P(o + 2), true);
            break;
        case Tool::QuadWarp2:
            place("0", P(o), P(o), P(o + 2), false);
            place("1", P(o + 2), P(o), P(o + 2), true);
            place("X", P(o + 1), P(o + 1), P(o + 3), false);
            place("Y", P(o + 3), P(o + 1), P(o + 3), true);
            break;
        default:
            break;
    }
}

}  // namespace

void drawRegionSelection(const Canvas& cv, Random& random, int32_t px, int32_t py, int32_t ax,
                         int32_t ay, bool circle, CircleRimCache* rimCache) {
    if (px == ax && py == ay) return;
    if (circle) {
        const double dx = double(px) - ax, dy = double(py) - ay;
        const int64_t radius = int64_t(std::floor(std::sqrt(dx * dx + dy * dy)));
        if (radius == 0) return;
        // t runs from -1 by 1 / R per row from A.y - R; only the rows in view are visited, each
        // with its t computed from its distance to the first row.
        const int64_t first = int64_t(ay) - radius;
        const int64_t y1 = std::max<int64_t>(first, kMapViewBottom);
        const int64_t y2 = std::min<int64_t>(int64_t(ay) + radius, kMapViewTop);
        for (int64_t y = y1; y <= y2; ++y) {
            const double t = -1 + double(y - first) / double(radius);
            const double w = std::sqrt(std::max(0.0, 1.0000001 - t * t)) * double(radius);
            const int64_t h = int64_t(std::floor(w));
            tintRow(cv, y, int64_t(ax) - h, int64_t(ax) + h, kRegionTint);
        }
        if (radius <= kLargestRimRadius)
            drawCircleShaded(cv, random, float(ax), float(ay), float(radius), rimCache);
        return;
    }
    drawAreaSelectBox(cv, random, ax, ay, px, py);
}

void drawMapOverlays(const PlanFrame& pf, int32_t frameNumber) {
    Editor* ed = pf.editor;
    if (ed && ed->bookmarks.bookmarkTool) drawSavedViews(pf, ed->bookmarks);
    if (pf.hover.hoveredWall != -1 && isWall(pf.map, pf.hover.hoveredWall)) {
        const bool oneSided = pf.map.walls[pf.hover.hoveredWall].nextwall == -1;
        const uint8_t c = oneSided ? pf.colours.colorWallLabel1 : pf.colours.colorWallLabel2;
        plusMark(pf, pf.hover.hoverWallPointX, pf.hover.hoverWallPointY, c);
    }
    if (pf.settings.snapToGrid)
        drawSnapMark(pf.cv, pf.view.column(pf.hover.hitPointX), pf.view.row(pf.hover.hitPointY),
                     pf.colours.colorGuideLabel);
    drawOverlayListsPlanView(pf.cv, pf.overlays, pf.view, pf.colours.colorToolOverlay);
    if (!ed) return;
    drawLightSources(pf, ed->map, pf.frameTime);
    if (ed->dispatch.areaSelectLatch) {
        drawRegionSelection(pf.cv, ed->random, pf.view.column(pf.hover.hitPointX),
                            pf.view.row(pf.hover.hitPointY),
                            pf.view.column(ed->dispatch.areaAnchorX),
                            pf.view.row(ed->dispatch.areaAnchorY), ed->tool.selAreaMode != 0,
                            &pf.lists.regionRim);
    }
    if (ed->input.keyStates[kKeypadZero] < 0)
        drawCrosshair(pf.cv, pf.view.column(pf.hover.mouseMapX), pf.view.row(pf.hover.mouseMapY));
    const std::string& label = ed->app.cursorLabel;
    if (5 * label.size() < 800) {
        drawPointerText(pf.cv, pf.fonts, label, ed->input.mouseX, ed->input.mouseY,
                        pf.colours.colorToolOverlay);
        handleLabels(pf, ed->drawVertices, ed->tool.currentTool, ed->dispatch.ctrlHeld != 0,
                     pf.colours.colorToolOverlay);
    }
    if (ed->input.keyStates[kKeypadPoint] < 0) drawAttributeClipboardPanel(*ed, frameNumber);
    const DispatchState& d = ed->dispatch;
    if (d.propertyBoxKind != PropertyBoxKind::None) {
        PropertyBoxInput box;
        box.kind = uint8_t(d.propertyBoxKind);
        box.object = d.propertyBoxObject;
        box.anchorX = d.propertyBoxX;
        box.anchorY = d.propertyBoxY;
        box.focusedField = ed->app.focusedField;
        box.frameTime = pf.frameTime;
        drawPropertyBox(pf.cv, pf.fonts, ed->langs, pf.map, pf.view, box);
    }
    drawHelpPanel(*ed);
}

}  // namespace korvel
