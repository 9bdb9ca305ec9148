#include "pages/WallLighting.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "app/Sound.h"
#include "geometry/Lighting.h"
#include "map/MapEdit.h"
#include "base/Mainm.h"
#include "ui/Raster.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kMsgPictureSize = 1132;
constexpr int32_t kMsgExportAreaInvalid = 1310;
constexpr int32_t kExportNameField = 177;
constexpr int64_t kMaxExportSpan = 1048576;
constexpr int64_t kMaxPictureSide = 32768;

int32_t nearest(double v) {
    return int32_t(std::nearbyint(v));
}

void drawWallLighting(Editor& ed) {
    const WallLightingState& l = ed.pages.wallLighting;
    const Canvas cv = canvasOf(ed);
    if (l.lightDirectional == 1) {
        const double a = l.lightAngle / 18000.0 * std::numbers::pi;
        drawCircle(cv, 128, 320, 40, 0);
        const int32_t tipX = nearest(128 + 48 * std::cos(a)), tipY = nearest(320 - 48 * std::sin(a));
        drawThickLineUnclipped(cv, nearest(128 - 48 * std::cos(a)), nearest(320 + 48 * std::sin(a)),
                               tipX, tipY, 92);
        for (double barb : {a + 0.4, a - 0.4})
            drawThickLineUnclipped(cv, nearest(128 + 32 * std::cos(barb)),
                                   nearest(320 - 32 * std::sin(barb)), tipX, tipY, 92);
    }
    const uint8_t c = uint8_t(safeFloor(4 * std::sin(ed.input.frameTime / 100.0) + 4 + 0.5));
    const int32_t x0 = 200 + 200 * l.lightFalloffMode;
    const SurfaceView screen = screenView(ed.frameBuffer);
    const auto put = [&](int32_t x, int32_t y) {
        if (x >= 0 && x < kScreenWidth) screen.at(x, y) = c;
    };
    for (int32_t x = x0; x <= x0 + 161; ++x) put(x, 486), put(x, 500);
    for (int32_t y = 487; y <= 499; ++y) put(x0, y), put(x0 + 161, y);
}

void drawImageExport(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    int32_t colour = 0;
    const std::string line = exportSizeLine(ed.view, ed.langs, colour);
    drawText(cv, ed.fonts, line, 8, 416, colour);
    const std::string& name = ed.pages.imageExport.exportFileName;
    drawText(cv, ed.fonts, name, 132, 344, 0);
    const int32_t time = ed.input.frameTime;
    if (((time % 400) + 400) % 400 < 200 && ed.app.focusedField == kExportNameField) {
        const int64_t x = 132 + 8 * int64_t(name.size());
        if (x < kScreenWidth)
            for (int32_t y = 344; y <= 354; ++y)
                screenView(ed.frameBuffer).at(int32_t(x), y) = 0;
    }
}

}  // namespace

std::string exportSizeLine(const ViewState& v, const Languages& langs, int32_t& colour) {
    // Spans in 64 bits: the 32-bit difference of far-apart coordinates wraps.
    const int64_t spanX = int64_t(v.exportRight) - v.exportLeft;
    const int64_t spanY = int64_t(v.exportTop) - v.exportBottom;
    if (v.exportScale >= 1 && spanX > 0 && spanY > 0 && spanX <= kMaxExportSpan &&
        spanY <= kMaxExportSpan) {
        const int64_t width = spanX * 1000 / v.exportScale + 9;
        const int64_t height = spanY * 1000 / v.exportScale + 9;
        if (width < kMaxPictureSide && height < kMaxPictureSide) {
            colour = 28;
            return getMessage(kMsgPictureSize, langs, std::to_string(width),
                              std::to_string(height));
        }
    }
    colour = 4;
    return getMessage(kMsgExportAreaInvalid, langs);
}

void drawLightingOrExportPage(Editor& ed) {
    if (ed.app.currentPage == Page::WallLighting) drawWallLighting(ed);
    else if (ed.app.currentPage == Page::ImageExport) drawImageExport(ed);
}

// The page's apply button: the selected walls take their shades from the light as set on the
// page, as one undoable edit, and the plan view returns.
void applyWallLighting(Editor& ed) {
    const WallLightingState& l = ed.pages.wallLighting;
    WallLightParams light;
    light.directional = l.lightDirectional;
    light.angle = l.lightAngle;
    light.x = l.lightX;
    light.y = l.lightY;
    light.falloffMode = l.lightFalloffMode;
    light.shadeMin = l.lightShadeMin;
    light.shadeMax = l.lightShadeMax;
    light.relative = l.lightRelative;
    light.distanceFalloff = l.lightDistanceFalloff;
    {
        MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
        shadeSelectedWallsByLight(ed.map, light);
        edit.commit();
    }
    ed.app.currentPage = Page::PlanView;
    playSound(ed, "command");
}

}  // namespace korvel
