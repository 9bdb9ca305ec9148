#include "app/PanelInfo.h"

#include <cmath>
#include <cstdlib>

#include "app/EditorCanvas.h"
#include "base/Mainm.h"
#include "base/ValueConv.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kGaugeLeft = 592, kGaugeRight = 793, kGaugeBottom = 6, kGaugeTop = 23;
constexpr int32_t kLineRows[4] = {52, 40, 28, 16};
constexpr int32_t kNoTileMessage = 409;

std::string num(int64_t v) {
    return std::to_string(v);
}

// The lines of the information block share their colours and the "-" of an absent object.
struct Block {
    Editor& ed;
    Canvas cv;

    void label(int32_t x, int32_t y, const std::string& text) const {
        drawText(cv, ed.fonts, text, x, y, ed.colorSettings.colorUiText);
    }
    void message(int32_t y, int32_t n) const { label(8, y, getMessage(n, ed.langs)); }
    void count(int32_t x, int32_t y, int64_t value, int32_t colour) const {
        drawOutlinedText(cv, ed.fonts, num(value), x, y, colour, 0);
    }
    // A hovered object's number, or "-" when none is hovered.
    void hovered(int32_t x, int32_t y, int32_t value) const {
        if (value < 0)
            label(x, y, "-");
        else
            count(x, y, value, 20);
    }
    int32_t posX(int32_t n) const { return messagePosition(ed.langs, n).x; }
};

void planViewBlock(const Block& b) {
    Editor& ed = b.ed;
    const HoverState& h = ed.hover;
    MapStore& m = ed.map;
    const int32_t y52 = kLineRows[0], y40 = kLineRows[1], y28 = kLineRows[2], y16 = kLineRows[3];
    switch (ed.tool.selectionMode) {
        case SelectionMode::Sprites:
            b.message(y52, 371);
            b.message(y40, 372);
            b.hovered(b.posX(372), y40, h.hoveredSprite);
            b.message(y28, 373);
            b.count(b.posX(373), y28, m.selectedSpriteCount, 93);
            break;
        case SelectionMode::Vertices:
            b.message(y52, 374);
            b.message(y40, 375);
            b.hovered(b.posX(375), y40, h.hoveredVertex);
            b.message(y28, 373);
            b.count(b.posX(373), y28, m.selectedVertexCount, 93);
            break;
        case SelectionMode::Walls:
            b.message(y52, 376);
            b.message(y40, 377);
            b.hovered(b.posX(377), y40, h.hoveredWall);
            b.message(y28, 373);
            b.count(112, y28, m.selectedWallCount, 93);
            break;
        case SelectionMode::Sectors:
            b.message(y52, 378);
            b.message(y40, 379);
            b.hovered(b.posX(379), y40, h.hoveredSector);
            b.message(y28, 373);
            b.count(112, y28, m.selectedSectorCount, 93);
            break;
        case SelectionMode::Loops: {
            b.message(y52, 380);
            b.message(y40, 377);
            b.hovered(b.posX(377), y40, h.hoveredWall);
            const TextPosition in = messagePosition(ed.langs, 381);
            drawText(b.cv, ed.fonts, getMessage(381, ed.langs), in.x, y40, 0);
            b.hovered(in.y, y40, h.hoveredSector);
            b.message(y28, 382);
            b.count(b.posX(382), y28, m.selectedLoopCount, 93);
            break;
        }
        case SelectionMode::SpritesAndVertices:
            b.message(y52, 383);
            b.message(y40, 384);
            b.hovered(b.posX(384), y40, h.hoveredSector);
            b.message(y28, 385);
            b.hovered(b.posX(385), y28, h.hoveredWall);
            b.label(192, y28, getMessage(387, ed.langs));
            b.count(320, y28, m.selectedVertexCount, 93);
            b.message(y16, 386);
            b.hovered(b.posX(386), y16, h.hoveredSprite);
            b.label(192, y16, getMessage(388, ed.langs));
            b.count(320, y16, m.selectedSpriteCount, 93);
            break;
        case SelectionMode::BooleanTarget:
            b.message(y52, 389);
            b.message(y40, 390);
            b.message(y28, 391);
            if (m.booleanTargetSector >= m.sectorCount) m.booleanTargetSector = -2;
            if (m.booleanTargetSector < 0) {
                b.label(200, y40, "-");
                b.label(200, y28, "-");
            } else {
                b.count(200, y40, m.booleanTargetSector, 68);
                b.count(200, y28, m.sectors[m.booleanTargetSector].wallnum, 68);
            }
            break;
        case SelectionMode::AreaSettings:
            b.message(y52, 392);
            b.message(y40, 393);
            b.count(208, y40, m.lightSpriteCount, 177);
            break;
    }
}

void sideViewBlock(const Block& b) {
    Editor& ed = b.ed;
    const ViewState& v = ed.view;
    const Languages& l = ed.langs;
    const std::string x1 = num(v.sideViewX1), y1 = num(v.sideViewY1);
    const std::string x2 = num(v.sideViewX2), y2 = num(v.sideViewY2);
    const int32_t sprite = ed.hover.hoveredSprite;
    switch (v.sideViewSubjectKind) {
        case SideViewSubjectKind::Point:
            b.message(52, 394);
            b.label(8, 40, getMessage(395, l, x1, y1));
            b.message(28, 396);
            b.hovered(80, 28, sprite);
            break;
        case SideViewSubjectKind::Sprite:
            b.label(8, 52, getMessage(397, l, num(v.sideViewSubject)));
            b.label(8, 40, getMessage(398, l, x1, y1));
            b.message(28, 396);
            b.hovered(80, 28, sprite);
            break;
        case SideViewSubjectKind::Wall:
            b.label(8, 52, getMessage(399, l, num(v.sideViewSubject)));
            b.label(8, 40, getMessage4(400, l, x1, y1, x2, y2));
            break;
        case SideViewSubjectKind::Section:
            b.message(52, 401);
            b.label(8, 40, getMessage4(402, l, x1, y1, x2, y2));
            b.message(28, 403);
            b.hovered(80, 28, ed.hover.hoveredSector);
            b.message(16, 396);
            b.hovered(80, 16, sprite);
            break;
    }
}

// The tile the picker's cursor is on, or -1 when it is on none: past the list's end, on the
// list's end mark or on a number that names no tile.
int32_t highlightedTile(const Editor& ed) {
    const TilePickerState& tp = ed.pages.tilePicker;
    const std::vector<int32_t>& list = ed.tileCatalog.tileList;
    int32_t t = tp.tilePickerCursor;
    if (!tp.tilePickerShowAll) {
        if (t < 0 || size_t(t) >= list.size()) return -1;
        t = list[size_t(t)];
    }
    return t >= 0 && t < kTileCount ? t : -1;
}

void tileTargetLine(const Block& b) {
    Editor& ed = b.ed;
    const ValuePromptState& p = ed.prompt;
    const Languages& l = ed.langs;
    std::string text;
    if (p.targetSector >= 0) {
        const bool ceiling = ed.tileCatalog.usedTileListKind != 0;
        text = p.targetSector == kWholeSelection
                   ? getMessage(ceiling ? 410 : 411, l)
                   : getMessage(ceiling ? 412 : 413, l, num(p.targetSector));
    } else if (p.targetWall >= 0) {
        const bool masked = ed.pages.tilePicker.targetOverpicnum != 0;
        text = p.targetWall == kWholeSelection ? getMessage(masked ? 414 : 415, l)
                                               : getMessage(masked ? 416 : 417, l, num(p.targetWall));
    } else if (p.targetSprite >= 0) {
        text = p.targetSprite == kWholeSelection ? getMessage(418, l)
                                                 : getMessage(419, l, num(p.targetSprite));
    }
    drawText(b.cv, ed.fonts, text, 8, 16, 6);
}

void tileBlock(const Block& b, bool zoomPage) {
    Editor& ed = b.ed;
    const Languages& l = ed.langs;
    const int32_t t = highlightedTile(ed);
    if (t < 0) {
        b.message(52, kNoTileMessage);
    } else {
        const TileStore& ts = ed.tiles;
        const int32_t anim = ts.tileAnims[size_t(t)];
        b.label(8, 52, getMessage(zoomPage ? 420 : 404, l, num(t)));
        b.label(8, 40, getMessage(zoomPage ? 421 : 405, l, num(ts.tileWidths[size_t(t)]),
                                  num(ts.tileHeights[size_t(t)])));
        const int32_t offsetMessage = zoomPage ? 422 : 406;
        b.label(b.posX(offsetMessage), 40,
                getMessage(offsetMessage, l, num(byteToSigned(uint8_t(anim >> 8))),
                           num(byteToSigned(uint8_t(anim >> 16)))));
        const std::string& name = ed.tileCatalog.tileNames[size_t(t)];
        b.label(8, 28, name.empty() ? getMessage(408, l)
                                    : getMessage(zoomPage ? 423 : 407, l, name));
        if (zoomPage) {
            const int32_t type = (anim >> 6) & 3;
            const int32_t frames = (anim & 63) + 1;
            const int32_t speed = (anim >> 24) & 15;
            b.label(8, 16, type == 0 ? getMessage(424, l)
                                     : getMessage(424 + type, l, num(frames), num(speed), "",
                                                  frames));
        }
    }
    if (!zoomPage) tileTargetLine(b);
}

}  // namespace

int32_t gaugeColumn(int32_t zRangeOffset, int32_t z) {
    const double d = double(int64_t(zRangeOffset) - int64_t(z));
    return safeFloor(std::atan(d / 65536.0) * 200.0 / 3.14159265358979 + 692.5);
}

void drawZRangeGauge(Editor& ed) {
    const Settings& s = ed.settings;
    const HoverState& h = ed.hover;
    const MapStore& m = ed.map;
    const Canvas cv = canvasOf(ed);
    const SurfaceView scr = screenView(ed.frameBuffer);
    const int32_t offset = s.zRangeOffset;
    const int32_t xl = gaugeColumn(offset, s.zRangeLow), xh = gaugeColumn(offset, s.zRangeHigh);
    const int32_t x0 = gaugeColumn(offset, 0);
    const bool sector = h.hoveredSector >= 0;
    const int32_t xf = sector ? gaugeColumn(offset, h.cursorFloorZ) : -1;
    const int32_t xc = sector ? gaugeColumn(offset, h.cursorCeilingZ) : -1;
    const int32_t xs = isSprite(m, h.hoveredSprite)
                           ? gaugeColumn(offset, m.sprites[h.hoveredSprite].z)
                           : -1;
    const int32_t base = s.zRangeMode == 0 ? 80 : 20;
    for (int32_t x = kGaugeLeft; x <= kGaugeRight; ++x)
        for (int32_t y = kGaugeBottom; y <= kGaugeTop; ++y) {
            int32_t c;
            if (x == xf || x == xc)
                c = 176;
            else if (x == x0)
                c = 8;
            else if (x == xh || x == xl)
                c = 83;
            else if (x < xh || x > xl)
                c = 0;
            else
                c = base - std::abs(y - 15) / 2;
            scr.at(x, y) = uint8_t(c);
        }
    if (sector) {
        const auto& blend = ed.colorTables.blendTable;
        for (int32_t x = std::max(xf + 1, kGaugeLeft); x <= std::min(xc - 1, kGaugeRight); ++x)
            for (int32_t y = kGaugeBottom; y <= kGaugeTop; ++y)
                scr.at(x, y) = blend[size_t(scr.at(x, y)) * 256 + 174];
    }
    if (xs >= kGaugeLeft && xs <= kGaugeRight)
        for (int32_t y = kGaugeBottom; y <= kGaugeTop; ++y) scr.at(xs, y) = 56;

    drawPropText(cv, ed.fonts, getMessage(368, ed.langs), 594, 10, 34);
    const std::string high = getMessage(369, ed.langs);
    drawPropText(cv, ed.fonts, high, 792 - propTextWidth(ed.fonts, high), 10, 34);
    if (sector) {
        const std::string height = num((int64_t(h.cursorFloorZ) - h.cursorCeilingZ) / 16);
        drawPropText(cv, ed.fonts, height, (xf + xc - propTextWidth(ed.fonts, height)) / 2, 10,
                     176);
    }
    drawText(cv, ed.fonts, getMessage(370, ed.langs, num(s.zRangeHigh), num(s.zRangeLow)), 524,
             28, ed.colorSettings.colorUiText);
}

void drawPageInformation(Editor& ed) {
    const Block b{ed, canvasOf(ed)};
    switch (ed.app.currentPage) {
        case Page::PlanView:
            planViewBlock(b);
            break;
        case Page::SideView:
            sideViewBlock(b);
            break;
        case Page::TilePicker:
            tileBlock(b, false);
            break;
        case Page::TileZoom:
            tileBlock(b, true);
            break;
        default:
            break;
    }
}

}  // namespace korvel
