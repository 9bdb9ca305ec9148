#include "views/SideViewWall.h"

#include <algorithm>
#include <array>

#include "app/Settings.h"
#include "base/Mainm.h"
#include "editing/HoverState.h"
#include "map/GeometryQueries.h"
#include "map/MapStore.h"
#include "resources/ColorTables.h"
#include "resources/TileStore.h"
#include "ui/ColorSettings.h"
#include "ui/Raster.h"
#include "views/PlanFrame.h"
#include "views/SideFrame.h"
#include "views/SpritePictures.h"

namespace korvel {

namespace {

constexpr int32_t kViewRows = kMapViewRows;
// Keeps the texture coordinates positive before they are reduced.
constexpr double kTexelBias = 16777216;

// The screen rows of a wall's heights at its two ends: own floor and ceiling (F, C) and, for a
// two-sided wall, the floor and ceiling behind it (G, D).
struct Elevation {
    int32_t wall = -1, twin = -1;
    int32_t sector = -1, nextSector = -1;
    int32_t x1 = 0, x2 = 0;
    int32_t f1 = 0, f2 = 0, c1 = 0, c2 = 0;
    int32_t g1 = 0, g2 = 0, d1 = 0, d2 = 0;
};

bool elevationOf(const SideFrame& sf, Elevation& e) {
    const MapStore& map = sf.map;
    const SideProjection& v = sf.view;
    e.wall = sideSubjectWall(map, sf.side);
    if (e.wall < 0) return false;
    const WallRecord& w = map.walls[e.wall];
    const WallRecord& end = map.walls[w.point2];
    e.sector = map.wallSector[e.wall];
    const double length = distSingle(float(w.x), float(w.y), float(end.x), float(end.y));
    e.x1 = safeFloor(v.cornerX / v.scale);
    e.x2 = safeFloor((length + v.cornerX) / v.scale);
    e.f1 = v.row(getTrueFloorZ(map, w.x, w.y, e.sector));
    e.c1 = v.row(getTrueCeilingZ(map, w.x, w.y, e.sector));
    e.f2 = v.row(getTrueFloorZ(map, end.x, end.y, e.sector));
    e.c2 = v.row(getTrueCeilingZ(map, end.x, end.y, e.sector));
    e.twin = sideWallTwin(map, e.wall);
    if (e.twin >= 0) {
        // The heights behind are taken at the twin's own ends: its end meets our start.
        const WallRecord& t = map.walls[e.twin];
        const WallRecord& tEnd = isWall(map, t.point2) ? map.walls[t.point2] : w;
        const int32_t behind = map.wallSector[e.twin];
        e.nextSector = w.nextsector;
        e.g1 = v.row(getTrueFloorZ(map, tEnd.x, tEnd.y, behind));
        e.d1 = v.row(getTrueCeilingZ(map, tEnd.x, tEnd.y, behind));
        e.g2 = v.row(getTrueFloorZ(map, t.x, t.y, behind));
        e.d2 = v.row(getTrueCeilingZ(map, t.x, t.y, behind));
    }
    return true;
}

enum class PartKind : uint8_t { Lower, Upper, Masked, Whole };

// The rows of one column: every height line of the table at that column.
struct ColumnRows {
    int32_t f, c, g, d;
};

struct Part {
    PartKind kind;
    const WallRecord* texture;  // supplies cstat bits 2 and 8, shade, pal and the pannings
    int32_t tile;
    int32_t anchorZ;
};

void columnSpanOf(PartKind kind, const ColumnRows& r, int32_t& bottom, int32_t& top) {
    switch (kind) {
        case PartKind::Lower:
            bottom = r.f;
            top = std::min(r.g, r.c);
            return;
        case PartKind::Upper:
            bottom = std::max(r.d, r.f);
            top = r.c;
            return;
        case PartKind::Masked:
            bottom = std::max(r.f, r.g);
            top = std::min(r.c, r.d);
            return;
        case PartKind::Whole:
            bottom = r.f;
            top = r.c;
            return;
    }
}

class WallPainter {
public:
    WallPainter(const SideFrame& sf, const Elevation& e, int32_t frameNumber)
        : sf_(sf), e_(e), frameNumber_(frameNumber) {}

    void draw(const Part& part) {
        const TileStore& tiles = sf_.tiles;
        const int32_t t = getTileAnimFrame(tiles, part.tile, sf_.frameTime);
        if (t < 0 || t >= kTileCount) return;
        const int32_t width = tiles.tileWidths[size_t(t)], height = tiles.tileHeights[size_t(t)];
        if (width <= 0 || height <= 0) return;
        const int32_t n = nextPowerOfTwo(height);
        // Rows past the tile's height read on into its next column (what the texture shows
        // there); the store keeps spare bytes after the last tile for that. Tile tables that do
        // not fit the store give nothing.
        const int64_t offset = tiles.tileOffsets[size_t(t)];
        const int64_t lastRead = offset + int64_t(width - 1) * height + n;
        if (offset < -1 || lastRead >= int64_t(tiles.artPixels.size())) return;

        const WallRecord& w = sf_.map.walls[e_.wall];
        const WallRecord& tex = *part.texture;
        remap(tex);
        const int32_t from = std::max(e_.x1, 0), to = std::min(e_.x2, kScreenRight);
        const double span = double(int64_t(e_.x2) - e_.x1);
        columnTable(w, tex, width, from, to, span);
        rowTable(w, tex, part.anchorZ, height, n);

        const uint8_t* pixels = tiles.artPixels.data() + offset;
        const SurfaceView s = screenView(sf_.cv.frame);
        const uint8_t* blend = sf_.cv.colors.blendTable.data();
        const bool dither = sf_.settings.twoColorBlend != 0;
        const bool masked = part.kind == PartKind::Masked;
        const bool oneWay = (tex.cstat & kWallOneWayMasked) != 0;
        const bool translucent = masked && !oneWay && (tex.cstat & kWallTranslucent);
        const bool reversed = (tex.cstat & kWallTranslucentReversed) != 0;
        const double fStep = 65536.0 / span;
        double acc = double(int64_t(from) - e_.x1) * fStep;
        for (int32_t x = from; x <= to; ++x, acc += fStep) {
            const int32_t f = safeFloor(acc);
            const ColumnRows r{lerpFixed(e_.f1, e_.f2, f), lerpFixed(e_.c1, e_.c2, f),
                               lerpFixed(e_.g1, e_.g2, f), lerpFixed(e_.d1, e_.d2, f)};
            int32_t bottom = 0, top = 0;
            columnSpanOf(part.kind, r, bottom, top);
            if ((bottom < kMapViewBottom && top < kMapViewBottom) ||
                (bottom > kMapViewTop && top > kMapViewTop))
                continue;
            bottom = std::clamp(bottom, kMapViewBottom, kMapViewTop);
            top = std::clamp(top, kMapViewBottom, kMapViewTop);
            // The lower part takes the other member of each colour pair than the rest, so
            // that two parts meeting in a column do not dither alike.
            const bool inPhase = dither && (x & 1) == (frameNumber_ & 1);
            const bool firstMember = part.kind == PartKind::Lower ? inPhase : !inPhase;
            const uint8_t* column = pixels + int64_t(columnOffset_[size_t(x)]) * height + n;
            for (int32_t y = bottom; y <= top; ++y) {
                const uint8_t texel = column[-rowOffset_[size_t(y - kMapViewBottom)]];
                if (masked && !oneWay && texel == 255) continue;
                const ColorPair pair = sf_.cv.colors.gamePaletteMap[remap_[texel]];
                const uint8_t c = firstMember ? uint8_t(pair & 255) : uint8_t(pair >> 8);
                uint8_t& p = s.at(x, y);
                if (translucent)
                    p = reversed ? blend[p + 256 * c] : blend[c + 256 * p];
                else
                    p = c;
            }
        }
    }

private:
    void remap(const WallRecord& tex) {
        int32_t shade = uint8_t(tex.shade);
        if (shade >= 128) shade = 0;
        if (shade > 31) shade = 31;
        int32_t pal = tex.pal;
        if (pal > 25) pal = 26;
        const ColorTables& ct = sf_.cv.colors;
        for (int32_t i = 0; i < 256; ++i)
            remap_[size_t(i)] =
                ct.gameShades[size_t(shade * 256 + ct.palRemaps[size_t(pal * 256 + i)])];
    }

    void columnTable(const WallRecord& w, const WallRecord& tex, int32_t width, int32_t from,
                     int32_t to, double span) {
        const double stepU = w.xrepeat * 8.0 / span;
        const bool flipped = (w.cstat & kWallFlipX) != 0;
        for (int32_t x = from; x <= to; ++x) {
            const double d = flipped ? double(int64_t(e_.x2) - x) : double(int64_t(x) - e_.x1);
            const int64_t u = safeFloor(d * stepU + tex.xpanning + double(width) * 1024);
            columnOffset_[size_t(x)] = int32_t(((u % width) + width) % width);
        }
    }

    void rowTable(const WallRecord& w, const WallRecord& tex, int32_t anchorZ, int32_t height,
                  int32_t n) {
        const double a = sf_.view.row(anchorZ);
        const double stepV = w.yrepeat * sf_.view.scale / 128;
        const double unit = n / 256.0;
        const bool flipped = (tex.cstat & kWallFlipY) != 0;
        for (int32_t i = 0; i < kViewRows; ++i) {
            const double y = kMapViewBottom + i;
            const double v = flipped ? (a - y) * stepV + tex.ypanning * unit + 2.0 * height
                                     : (y - a) * stepV - tex.ypanning * unit;
            rowOffset_[size_t(i)] = safeFloor(v + kTexelBias) & (n - 1);
        }
    }

    const SideFrame& sf_;
    const Elevation& e_;
    int32_t frameNumber_;
    std::array<uint8_t, 256> remap_{};
    std::array<int32_t, kScreenWidth> columnOffset_{};
    std::array<int32_t, kViewRows> rowOffset_{};
};

}  // namespace

void drawTexturedWall(const SideFrame& sf, int32_t frameNumber) {
    Elevation e;
    if (!elevationOf(sf, e)) return;
    if ((e.x1 < 0 && e.x2 < 0) || (e.x1 > kScreenRight && e.x2 > kScreenRight) || e.x1 == e.x2)
        return;
    const MapStore& map = sf.map;
    const WallRecord& w = map.walls[e.wall];
    const SectorRecord& own = map.sectors[e.sector];
    WallPainter painter(sf, e, frameNumber);
    if (e.twin < 0) {
        const int32_t anchor = w.cstat & kWallAlignBottom ? own.floorz : own.ceilingz;
        painter.draw({PartKind::Whole, &w, w.picnum, anchor});
        return;
    }
    const SectorRecord& next = map.sectors[e.nextSector];
    if (!((own.floorstat & kSurfaceParallax) && (next.floorstat & kSurfaceParallax))) {
        const WallRecord& tex = w.cstat & kWallSwapBottom ? map.walls[e.twin] : w;
        const int32_t anchor = tex.cstat & kWallAlignBottom ? own.ceilingz : next.floorz;
        painter.draw({PartKind::Lower, &tex, tex.picnum, anchor});
    }
    if (!((own.ceilingstat & kSurfaceParallax) && (next.ceilingstat & kSurfaceParallax))) {
        const int32_t anchor = w.cstat & kWallAlignBottom ? own.ceilingz : next.ceilingz;
        painter.draw({PartKind::Upper, &w, w.picnum, anchor});
    }
    if (w.cstat & (kWallMasked | kWallOneWayMasked)) {
        int32_t anchor;
        if (!(w.cstat & kWallAlignBottom))
            anchor = std::max(own.ceilingz, next.ceilingz);
        else if (w.cstat & kWallOneWayMasked)
            anchor = own.ceilingz;
        else
            anchor = std::min(own.floorz, next.floorz);
        painter.draw({PartKind::Masked, &w, w.overpicnum, anchor});
    }
}

void drawWallOutline(const SideFrame& sf) {
    Elevation e;
    if (!elevationOf(sf, e)) return;
    const ColorSettings& cs = sf.colours;
    const uint8_t edge = highlighted(cs.colorWallOneSided);
    const uint8_t part = sf.hover.sideHoverPart;
    auto partColour = [&](uint8_t number) { return part == number ? cs.colorToolOverlay : edge; };
    const Canvas& cv = sf.cv;
    if (e.twin < 0) {
        drawLineMapView(cv, e.x1, e.f1, e.x1, e.c1, edge);
        drawLineMapView(cv, e.x2, e.f2, e.x2, e.c2, edge);
        drawLineMapView(cv, e.x1, e.f1, e.x2, e.f2, partColour(1));
        drawLineMapView(cv, e.x1, e.c1, e.x2, e.c2, partColour(2));
        return;
    }
    const uint8_t frame = highlighted(cs.colorGrid);
    drawLineMapView(cv, e.x1, e.f1, e.x1, e.c1, frame);
    drawLineMapView(cv, e.x2, e.f2, e.x2, e.c2, frame);
    drawLineMapView(cv, e.x1, e.f1, e.x2, e.f2, frame);
    drawLineMapView(cv, e.x1, e.c1, e.x2, e.c2, frame);
    drawLineMapView(cv, e.x1, e.f1, e.x1, e.g1, edge);
    drawLineMapView(cv, e.x2, e.f2, e.x2, e.g2, edge);
    drawLineMapView(cv, e.x1, e.c1, e.x1, e.d1, edge);
    drawLineMapView(cv, e.x2, e.d2, e.x2, e.c2, edge);
    drawLineMapView(cv, e.x1, e.f1, e.x2, e.f2, partColour(1));
    drawLineMapView(cv, e.x1, e.c1, e.x2, e.c2, partColour(2));
    drawLineMapView(cv, e.x1, e.g1, e.x2, e.g2, partColour(3));
    drawLineMapView(cv, e.x1, e.d1, e.x2, e.d2, partColour(4));
}

}  // namespace korvel
