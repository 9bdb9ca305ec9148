#include "view3d/HoverInfo3d.h"

#include <array>
#include <cmath>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "editing/InputDispatcher.h"
#include "platform/VirtualKeys.h"
#include "ui/Languages.h"
#include "ui/Raster.h"
#include "ui/Text.h"
#include "views/HelpPanel.h"
#include "view3d/Scene3d.h"

namespace korvel {

namespace {

constexpr int32_t kPictureBottom = 134;
constexpr int32_t kTintColour = 4, kSelectedColour = 32, kHoveredColour = 8;
constexpr int32_t kMsgWholeSelection = 1323;
constexpr int32_t kMsgTagsAndName = 1325, kMsgTags = 1326;
constexpr int32_t kMsgTriangle = 1207;
constexpr int32_t kInspectColour = 83, kBarFrameColour = 20;

// The first status line's message by kind: floor, wall, ceiling, wall part, sprite.
constexpr std::array<int32_t, 5> kKindMessages = {1318, 1320, 1319, 1321, 1322};
// The inspection's message by kind.
constexpr std::array<int32_t, 5> kInspectMessages = {1208, 1209, 1210, 1211, 1212};

// Object codes of every cell, -1 for none, read once so the neighbour counts are cheap.
void cellObjects(const HoverOverlay3d& o, std::vector<int32_t>& out) {
    out.assign(size_t(kCellCount3d), -1);
    const std::vector<int32_t>& buf = o.scene.pickObjectBuffer3d;
    if (buf.size() < size_t(kCellCount3d)) return;
    const std::array<int32_t, 5> counts = {o.map.sectorCount, o.map.wallCount, o.map.sectorCount,
                                           o.map.wallCount, o.map.spriteCount};
    for (size_t i = 0; i < size_t(kCellCount3d); ++i) {
        const int32_t code = buf[i];
        if (code < 0) continue;
        const int32_t kind = kindOf3d(code);
        if (kind < 5 && indexOf3d(code) < counts[size_t(kind)]) out[i] = code;
    }
}

bool isSelected(const Scene3d& sc, int32_t code) {
    return size_t(code) < sc.selected3d.size() && sc.selected3d[size_t(code)] != 0;
}

void drawMarks(const Canvas& cv, const HoverOverlay3d& o) {
    const Scene3d& sc = o.scene;
    const int32_t locked = o.pick.picked3dObject, hovered = o.pick.hover3dObject;
    if (locked < 0 && hovered < 0 && sc.any3dSelected == 0) return;
    thread_local std::vector<int32_t> ids;
    cellObjects(o, ids);
    const SurfaceView screen = screenView(cv.frame);
    const auto& blend = cv.colors.blendTable;
    const bool blinkOn = (o.frameTime & 255) < 128;
    const auto paint = [&](int32_t col, int32_t row, int32_t colour) {
        uint8_t* px = &screen.at(2 * col, kPictureBottom + row);
        px[0] = blend[size_t(colour) * 256 + px[0]];
        px[1] = blend[size_t(colour) * 256 + px[1]];
    };
    const auto same = [&](int32_t col, int32_t row, int32_t id) {
        return ids[size_t(row) * kCellColumns3d + size_t(col)] == id ? 1 : 0;
    };
    for (int32_t row = 0; row < kCellRows3d; ++row) {
        const int32_t* line = &ids[size_t(row) * kCellColumns3d];
        for (int32_t col = 0; col < kCellColumns3d; ++col) {
            const int32_t id = line[col];
            if (id < 0) continue;
            if (id == locked) paint(col, row, kTintColour);
            int32_t colour = 0;
            if (blinkOn && isSelected(sc, id))
                colour = kSelectedColour;
            else if (id == hovered)
                colour = kHoveredColour;
            if (colour == 0) continue;
            const bool below = row > 0, above = row < kCellRows3d - 1;
            int32_t n = 0;
            if (col > 0) {
                n += same(col - 1, row, id);
                if (below) n += same(col - 1, row - 1, id);
                if (above) n += same(col - 1, row + 1, id);
            } else {
                n += 3;
            }
            n += below ? same(col, row - 1, id) : 3;
            n += above ? same(col, row + 1, id) : 3;
            if (col < kCellColumns3d - 1) {
                n += same(col + 1, row, id);
                if (below) n += same(col + 1, row - 1, id);
                if (above) n += same(col + 1, row + 1, id);
            } else {
                n += 3;
            }
            if (n < 8) paint(col, row, colour);
        }
    }
}

int32_t selectionCountOfKind(const MapStore& map, int32_t kind) {
    switch (SurfaceKind(kind)) {
        case SurfaceKind::Floor:
        case SurfaceKind::Ceiling: return map.selectedSectorCount;
        case SurfaceKind::Wall:
        case SurfaceKind::WallPart: return map.selectedWallCount;
        default: return map.selectedSpriteCount;
    }
}

std::string signed16(int16_t v) {
    return std::to_string(int32_t(v));
}

void drawStatusLines(const Canvas& cv, const HoverOverlay3d& o) {
    const MapStore& map = o.map;
    const int32_t locked = liveObject3d(map, o.pick.picked3dObject);
    const int32_t hovered = liveObject3d(map, o.pick.hover3dObject);
    int32_t subject = -1;
    if (locked >= 0) {
        subject = locked;
    } else if (hovered >= 0) {
        if (o.scene.any3dSelected != 0) {
            const int32_t n = selectionCountOfKind(map, kindOf3d(hovered));
            drawText(cv, o.fonts, getMessage(kMsgWholeSelection, o.langs, std::to_string(n)), 8,
                     52, o.textColour);
            return;
        }
        subject = hovered;
    }
    if (subject < 0) return;
    const int32_t kind = kindOf3d(subject), index = indexOf3d(subject);
    drawText(cv, o.fonts, getMessage(kKindMessages[size_t(kind)], o.langs, std::to_string(index)),
             8, 52, o.textColour);
    std::string second;
    switch (SurfaceKind(kind)) {
        case SurfaceKind::Floor:
        case SurfaceKind::Ceiling: {
            const SectorRecord& s = map.sectors[size_t(index)];
            second = getMessage(kMsgTags, o.langs, signed16(s.hitag), signed16(s.lotag));
            break;
        }
        case SurfaceKind::Wall:
        case SurfaceKind::WallPart: {
            const WallRecord& w = map.walls[size_t(index)];
            second = getMessage(kMsgTags, o.langs, signed16(w.hitag), signed16(w.lotag));
            break;
        }
        default: {
            const SpriteRecord& sp = map.sprites[size_t(index)];
            const int32_t tile = sp.picnum;
            const bool named = tile >= 0 && size_t(tile) < o.tileNames.size() &&
                               !o.tileNames[size_t(tile)].empty();
            second = named ? getMessage(kMsgTagsAndName, o.langs, signed16(sp.hitag),
                                        signed16(sp.lotag), o.tileNames[size_t(tile)])
                           : getMessage(kMsgTags, o.langs, signed16(sp.hitag), signed16(sp.lotag));
            break;
        }
    }
    drawText(cv, o.fonts, second, 8, 40, o.textColour);
}

int32_t roundEven(double v) {
    if (!(v > -1e9 && v < 1e9)) return v > 0 ? 1000000000 : -1000000000;
    return int32_t(std::nearbyint(v));
}

void drawInspection(const Canvas& cv, const HoverOverlay3d& o) {
    const Scene3d& sc = o.scene;
    int32_t col = 0, row = 0;
    if (!keyHeld(o.input, kMiddleButton) || !pictureCell3d(o.input.mouseX, o.input.mouseY, col, row))
        return;
    const size_t cell = size_t(row) * kCellColumns3d + size_t(col);
    if (cell >= sc.pickBuffer3d.size()) return;
    // Only an entry of this frame's projected list names the triangle the picture shows.
    const int32_t t = sc.pickBuffer3d[cell];
    if (t < 0 || t >= sc.renderTriangleCount || size_t(t) >= sc.renderTriangles.size()) return;
    const SurfaceTriangle& tri = sc.renderTriangles[size_t(t)];
    const auto k = int32_t(std::floor(2 * std::sin(o.frameTime / 50.0) + 6));
    for (size_t i = 0; i < 3; ++i) {
        const Vertex3d& a = tri.p[i];
        const Vertex3d& b = tri.p[(i + 1) % 3];
        plotLinePointsClipped(cv, roundEven(2 * a.x), roundEven(a.y + kPictureBottom),
                              roundEven(2 * b.x), roundEven(b.y + kPictureBottom), k);
    }
    const SurfaceView screen = screenView(cv.frame);
    const auto& blend = cv.colors.blendTable;
    for (int32_t y = 549; y <= 577; ++y)
        for (int32_t x = 5; x <= 794; ++x) {
            uint8_t& p = screen.at(x, y);
            p = blend[size_t(p) * 256 + 16];
        }
    for (int32_t y = 548; y <= 578; ++y) {
        const bool edge = y == 548 || y == 578;
        for (int32_t x = 4; x <= 795; ++x)
            if (edge || x == 4 || x == 795) screen.at(x, y) = kBarFrameColour;
    }
    drawText(cv, o.fonts, getMessage(kMsgTriangle, o.langs, std::to_string(t)), 12, 558,
             kInspectColour);
    const int32_t code = tri.objectCode;
    const int32_t kind = kindOf3d(code);
    if (code >= 0 && kind < 5)
        drawText(cv, o.fonts,
                 getMessage(kInspectMessages[size_t(kind)], o.langs, std::to_string(indexOf3d(code))),
                 400, 558, kInspectColour);
}

}  // namespace

void drawHoverOverlay3d(const Canvas& cv, const HoverOverlay3d& o) {
    drawMarks(cv, o);
    drawStatusLines(cv, o);
    drawInspection(cv, o);
}

void draw3DHoverInfo(Editor& ed, int32_t frameNumber) {
    View3DState& v = ed.pages.view3d;
    if (v.scene) {
        const HoverOverlay3d o{*v.scene,         v.pick3d,
                               ed.map,           ed.tileCatalog.tileNames,
                               ed.langs,         ed.fonts,
                               ed.colorSettings.colorUiText, ed.input.frameTime,
                               ed.input};
        drawHoverOverlay3d(canvasOf(ed), o);
    }
    if (keyHeld(ed.input, vk::PadPoint)) drawAttributeClipboardPanel(ed, frameNumber);
    drawHelpPanel(ed);
}

}  // namespace korvel
