#include "views/PropertyBox.h"

#include <cmath>
#include <string>
#include <vector>

#include "map/MapStore.h"
#include "ui/Languages.h"
#include "ui/Text.h"

namespace korvel {

namespace {

struct Row {
    const char* name;
    int32_t value;
};

// A byte field shows 0..255, whatever its signedness in the record.
int32_t asByte(int32_t v) {
    return v & 0xFF;
}

std::vector<Row> sectorRows(const SectorRecord& s) {
    return {{"WALLPTR", s.wallptr},
            {"WALLNUM", s.wallnum},
            {"CEILINGZ", s.ceilingz},
            {"FLOORZ", s.floorz},
            {"CEILINGSTAT", s.ceilingstat},
            {"FLOORSTAT", s.floorstat},
            {"CEILINGPICNUM", s.ceilingpicnum},
            {"CEILINGHEINUM", s.ceilingheinum},
            {"CEILINGSHADE", asByte(s.ceilingshade)},
            {"CEILINGPAL", asByte(s.ceilingpal)},
            {"CEILINGXPANNING", asByte(s.ceilingxpanning)},
            {"CEILINGYPANNING", asByte(s.ceilingypanning)},
            {"FLOORPICNUM", s.floorpicnum},
            {"FLOORHEINUM", s.floorheinum},
            {"FLOORSHADE", asByte(s.floorshade)},
            {"FLOORPAL", asByte(s.floorpal)},
            {"FLOORXPANNING", asByte(s.floorxpanning)},
            {"FLOORYPANNING", asByte(s.floorypanning)},
            {"VISIBILITY", asByte(s.visibility)},
            {"FILLER", asByte(s.filler)},
            {"LOTAG", s.lotag},
            {"HITAG", s.hitag},
            {"EXTRA", s.extra}};
}

std::vector<Row> wallRows(const WallRecord& w) {
    return {{"X", w.x},
            {"Y", w.y},
            {"POINT2", w.point2},
            {"NEXTWALL", w.nextwall},
            {"NEXTSECTOR", w.nextsector},
            {"CSTAT", w.cstat},
            {"PICNUM", w.picnum},
            {"OVERPICNUM", w.overpicnum},
            {"SHADE", asByte(w.shade)},
            {"PAL", asByte(w.pal)},
            {"XREPEAT", asByte(w.xrepeat)},
            {"YREPEAT", asByte(w.yrepeat)},
            {"XPANNING", asByte(w.xpanning)},
            {"YPANNING", asByte(w.ypanning)},
            {"LOTAG", w.lotag},
            {"HITAG", w.hitag},
            {"EXTRA", w.extra}};
}

std::vector<Row> spriteRows(const SpriteRecord& s) {
    return {{"X", s.x},
            {"Y", s.y},
            {"Z", s.z},
            {"CSTAT", s.cstat},
            {"PICNUM", s.picnum},
            {"SHADE", asByte(s.shade)},
            {"PAL", asByte(s.pal)},
            {"CLIPDIST", asByte(s.clipdist)},
            {"FILLER", asByte(s.filler)},
            {"XREPEAT", asByte(s.xrepeat)},
            {"YREPEAT", asByte(s.yrepeat)},
            {"XOFFSET", asByte(s.xoffset)},
            {"YOFFSET", asByte(s.yoffset)},
            {"SECTNUM", s.sectnum},
            {"STATNUM", s.statnum},
            {"ANG", s.ang},
            {"OWNER", s.owner},
            {"XVEL", s.xvel},
            {"YVEL", s.yvel},
            {"ZVEL", s.zvel},
            {"LOTAG", s.lotag},
            {"HITAG", s.hitag},
            {"EXTRA", s.extra}};
}

bool inRows(int64_t y) {
    return y >= kMapViewBottom && y <= kMapViewTop;
}
bool inColumns(int64_t x) {
    return x >= 0 && x <= kScreenRight;
}

// Columns x1..x2 of row y, where both lie in the map view.
void fillRow(const Canvas& cv, int64_t y, int64_t x1, int64_t x2, uint8_t colour) {
    if (!inRows(y)) return;
    if (x1 < 0) x1 = 0;
    if (x2 > kScreenRight) x2 = kScreenRight;
    for (int64_t x = x1; x <= x2; ++x)
        cv.frame.screen[size_t(y) * size_t(cv.frame.screenRowLength) + size_t(x)] = colour;
}

void fillColumn(const Canvas& cv, int64_t x, int64_t y1, int64_t y2, uint8_t colour) {
    if (!inColumns(x)) return;
    for (int64_t y = y1 < kMapViewBottom ? kMapViewBottom : y1; y <= y2 && y <= kMapViewTop; ++y)
        cv.frame.screen[size_t(y) * size_t(cv.frame.screenRowLength) + size_t(x)] = colour;
}

// The nearest integer, halves to even; the caller has range-tested v.
int64_t nearestEven(double v) {
    return int64_t(std::nearbyint(v));
}

}  // namespace

void drawPropertyBox(const Canvas& cv, const Fonts& fonts, const Languages& langs,
                     const MapStore& map, const PlanProjection& view, const PropertyBoxInput& in) {
    std::vector<Row> rows;
    int32_t leftRows = 0;
    if (in.kind == 1 && isSector(map, in.object)) {
        rows = sectorRows(map.sectors[in.object]);
        leftRows = 12;
    } else if (in.kind == 2 && isWall(map, in.object)) {
        rows = wallRows(map.walls[in.object]);
        leftRows = 9;
    } else if (in.kind == 3 && isSprite(map, in.object)) {
        rows = spriteRows(map.sprites[in.object]);
        leftRows = 12;
    } else {
        return;
    }
    const int64_t h = in.kind == 2 ? 90 : 114;
    const double sx = view.screenX(in.anchorX), sy = view.screenY(in.anchorY);
    // Tested before the conversion: a far anchor (or a zoom of nothing) is no box.
    if (!(sx >= -256.5 && sx <= 799.5 && sy >= 128.0 - h - 0.5 && sy <= 583.5)) return;
    const int64_t x0 = nearestEven(sx), y0 = nearestEven(sy);
    if (x0 < -256 || x0 > 799 || y0 < 128 - h || y0 > 583) return;

    for (int64_t y : {y0, y0 + 12, y0 + h}) fillRow(cv, y, x0, x0 + 255, 0);
    fillColumn(cv, x0, y0, y0 + h, 0);
    fillColumn(cv, x0 + 255, y0, y0 + h, 0);
    for (int64_t y = y0 + 1; y <= y0 + 11; ++y) {
        fillRow(cv, y, x0 + 13, x0 + 254, 77);
        fillRow(cv, y, x0 + 12, x0 + 12, 0);
        fillRow(cv, y, x0 + 1, x0 + 11, 92);
    }
    for (int64_t y = y0 + 13; y <= y0 + h - 1; ++y) {
        fillRow(cv, y, x0 + 1, x0 + 254, 77);
        fillRow(cv, y, x0 + 128, x0 + 128, 0);
    }
    const int32_t lastField = kPropertyBoxFirstField + int32_t(rows.size()) - 1;
    const int32_t g = in.focusedField;
    if (g >= kPropertyBoxFirstField && g <= lastField) {
        const int32_t split = kPropertyBoxFirstField + leftRows;
        const bool left = g < split;
        const int64_t f = left ? 1524 : in.kind == 2 ? 1596 : 1620;
        const int64_t e = left ? 82 : 210, d = left ? 125 : 252;
        const int64_t r = y0 + h + f - 8 * int64_t(g);
        const uint8_t colour = uint8_t(18 + safeFloor(2 * std::sin(in.frameTime / 50.0) + 0.5));
        for (int64_t y = r - 7; y <= r; ++y) fillRow(cv, y, x0 + e, x0 + d, colour);
    }
    // Inside the tested range every position below fits 32 bits.
    const auto X = [&](int64_t v) { return int32_t(v); };
    const int32_t title = in.kind == 1 ? 600 : in.kind == 2 ? 601 : 602;
    const std::string text = getMessage(title, langs, std::to_string(in.object));
    drawTextMapClipped(cv, fonts, text, X(x0 + 16), X(y0), 0);
    drawTextMapClipped(cv, fonts, text, X(x0 + 15), X(y0 + 1), 20);
    for (int32_t i = 0; i < int32_t(rows.size()); ++i) {
        const bool left = i < leftRows;
        const int64_t column = left ? 0 : 128;
        const int64_t y = y0 + h - 10 - 8 * int64_t(left ? i : i - leftRows);
        drawSmallTextMapClipped(cv, fonts, rows[i].name, X(x0 + 4 + column), X(y), 83);
        const int32_t valueColour = kPropertyBoxFirstField + i == g ? 0 : 20;
        drawSmallTextMapClipped(cv, fonts, std::to_string(rows[i].value), X(x0 + 84 + column),
                                X(y), valueColour);
    }
}

}  // namespace korvel
