#include "views/PlanSprites.h"

#include <algorithm>
#include <cmath>

#include "app/Settings.h"
#include "base/ValueConv.h"
#include "editing/HoverState.h"
#include "editing/ToolState.h"
#include "resources/TileCatalog.h"
#include "resources/TileStore.h"
#include "ui/ColorSettings.h"
#include "ui/Raster.h"
#include "ui/Text.h"
#include "views/PlanViewState.h"
#include "views/SpritePictures.h"

namespace korvel {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int32_t kEffectorTile = 5;
// Below this radius the circle primitive is cheap enough to draw whole.
constexpr int32_t kWholeCircleRadius = 4096;

// The picanm word of the frame a sprite shows now; 0 for a frame beyond the tiles.
uint32_t animWordNow(const SpriteMarkerScene& sc, const SpriteRecord& sp) {
    const int32_t t = getTileAnimFrame(sc.tiles, sp.picnum, sc.frameTime);
    if (t < 0 || t >= kTileCount) return 0;
    return uint32_t(sc.tiles.tileAnims[size_t(t)]);
}

void footprint(const PlanFrame& pf, const SpriteRecord& sp, SpriteDrawItem& item) {
    const TileStore& tiles = pf.tiles;
    if (tiles.artLoaded) {
        const int32_t t = getTileAnimFrame(tiles, sp.picnum, pf.frameTime);
        const bool valid = t >= 0 && t < kTileCount;
        const double w = valid ? tiles.tileWidths[size_t(t)] : 0;
        const double h = valid ? tiles.tileHeights[size_t(t)] : 0;
        item.halfWidth = safeFloor(w * sp.xrepeat / pf.view.zoom) / 8 + 1;
        item.halfHeight = safeFloor(h * sp.yrepeat / pf.view.zoom) / 8 + 1;
    } else {
        item.halfWidth = safeFloor(8.0 * sp.xrepeat / pf.view.zoom + 1);
        item.halfHeight = safeFloor(8.0 * sp.yrepeat / pf.view.zoom + 1);
    }
}

void line(const Canvas& cv, double x1, double y1, double x2, double y2, int32_t colour) {
    drawLineMapView(cv, nearestInt(x1), nearestInt(y1), nearestInt(x2), nearestInt(y2), colour);
}

void wallSpriteFootprint(const SpriteMarkerScene& sc, const SpriteDrawItem& item,
                         const SpriteRecord& sp, double s, double c) {
    double cx = item.x, cy = item.y;
    if (sc.settings.spriteOffsets) {
        int32_t o = byteToSigned(uint8_t(sp.xoffset + int32_t(animWordNow(sc, sp) >> 8)));
        if (!(sp.cstat & kSpriteFlipX)) o = -o;
        cx = safeFloor(o * s * sp.xrepeat / sc.scale / 4 + item.x);
        cy = safeFloor(o * c * sp.xrepeat / sc.scale / 4 + item.y);
    }
    const double w = item.halfWidth;
    line(sc.cv, cx - w * s, cy - w * c, cx + w * s, cy + w * c, item.colour);
}

void floorSpriteFootprint(const SpriteMarkerScene& sc, const SpriteDrawItem& item,
                          const SpriteRecord& sp, double a, double s, double c) {
    double cx = item.x, cy = item.y;
    if (sc.settings.spriteOffsets) {
        const uint32_t anim = animWordNow(sc, sp);
        double ox = byteToSigned(uint8_t(sp.xoffset + int32_t((anim >> 8) & 255))) * sp.xrepeat;
        double oy = byteToSigned(uint8_t(sp.yoffset + int32_t((anim >> 16) & 255))) * sp.yrepeat;
        if (sp.cstat & kSpriteFlipX) ox = -ox;
        if (sp.cstat & kSpriteFlipY) oy = -oy;
        cx = safeFloor((oy * c + ox * s) / sc.scale / 4 + item.x);
        cy = safeFloor((ox * c - oy * s) / sc.scale / 4 + item.y);
    }
    const double w = item.halfWidth, h = item.halfHeight;
    const double r = safeFloor(std::sqrt(w * w + h * h));
    const double offsets[4][2] = {{-w, -h}, {w, -h}, {w, h}, {-w, h}};
    double px[4], py[4];
    for (int k = 0; k < 4; ++k) {
        const double b = angleOfSingle(float(cx), float(cy), float(cx + offsets[k][0]),
                                       float(cy + offsets[k][1]));
        px[k] = cx + r * std::cos(a + b);
        py[k] = cy - r * std::sin(a + b);
    }
    for (int k = 0; k < 4; ++k)
        line(sc.cv, px[k], py[k], px[(k + 1) % 4], py[(k + 1) % 4], item.colour);
}

// The facing line, or the side view's upright line: thick with a bright core for hitscan
// sprites.
void markerLine(const SpriteMarkerScene& sc, const SpriteDrawItem& item, int32_t x2, int32_t y2) {
    if (item.flags & SpriteItemFlags::ThickFacing) {
        drawThickLineMapView(sc.cv, item.x, item.y, x2, y2, item.colour);
        drawLineMapView(sc.cv, item.x, item.y, x2, y2, highlighted(item.colour));
    } else {
        drawLineMapView(sc.cv, item.x, item.y, x2, y2, item.colour);
    }
}

// The side view's footprints: a floor sprite as the row it lies in, a wall sprite as the
// rectangle it covers, both moved by the tile's and the sprite's offsets.
void sideFootprint(const SpriteMarkerScene& sc, const SpriteDrawItem& item,
                   const SpriteRecord& sp) {
    const int32_t t = getTileAnimFrame(sc.tiles, sp.picnum, sc.frameTime);
    const bool valid = t >= 0 && t < kTileCount;
    const uint32_t anim = valid ? uint32_t(sc.tiles.tileAnims[size_t(t)]) : 0;
    const int32_t picX = int32_t((anim >> 8) & 255), picY = int32_t((anim >> 16) & 255);
    const bool offsets = sc.settings.spriteOffsets != 0;
    const int64_t w = item.halfWidth;
    if ((item.flags & 6) == SpriteItemFlags::FloorAligned) {
        int64_t cx = item.x;
        if (offsets) {
            int32_t o = byteToSigned(uint8_t(sp.xoffset + picX));
            if (sp.cstat & kSpriteFlipX) o = -o;
            cx = safeFloor(o * double(sp.xrepeat) / sc.scale / 4 + item.x);
        }
        if (item.y < kMapViewBottom || item.y > kMapViewTop) return;
        const int64_t from = std::max<int64_t>(cx - w, 0);
        const int64_t to = std::min<int64_t>(cx + w, kScreenRight);
        if (from > to) return;
        const SurfaceView s = screenView(sc.cv.frame);
        std::fill(&s.at(int32_t(from), item.y), &s.at(int32_t(to), item.y) + 1, item.colour);
        return;
    }
    if ((item.flags & 6) != SpriteItemFlags::WallAligned) return;
    int64_t cx = item.x, cy = item.y;
    if (offsets) {
        int32_t ox, oy;
        if ((sp.cstat & (kSpriteFlipY | kSpriteFloorAligned)) ==
            (kSpriteFlipY | kSpriteFloorAligned)) {
            ox = byteToSigned(uint8_t(sp.xoffset + picX));
            oy = byteToSigned(uint8_t(picY - sp.yoffset));
        } else {
            ox = byteToSigned(uint8_t(picX - sp.xoffset));
            oy = byteToSigned(uint8_t(sp.yoffset + picY));
        }
        if (sp.cstat & kSpriteFlipX) ox = -ox;
        if (sp.cstat & kSpriteFlipY) oy = -oy;
        cx = safeFloor(sp.xrepeat * double(ox) / sc.scale / 4 + item.x);
        const int32_t height = valid ? sc.tiles.tileHeights[size_t(t)] : 0;
        cy = sp.cstat & kSpriteCentred
                 ? safeFloor((oy - height / 2) * double(sp.yrepeat) / sc.scale / 4 + item.y)
                 : safeFloor(sp.yrepeat * double(oy) / sc.scale / 4 + item.y);
    }
    drawRectMapView(sc.cv, clampToInt32(cx - w), clampToInt32(cy), clampToInt32(cx + w),
                    clampToInt32(cy + item.halfHeight), item.colour);
}

void drawSideSprite(const SpriteMarkerScene& sc, const SpriteDrawItem& item, int32_t markerSize) {
    if (item.label.empty()) drawRoundMarker(sc.cv, item.x, item.y, item.colour);
    if (isDimSpriteColour(sc.colours, item.colour)) return;
    markerLine(sc, item, item.x, clampToInt32(int64_t(item.y) + markerSize));
    if (sc.settings.spriteOrientation) sideFootprint(sc, item, sc.map.sprites[item.sprite]);
}

}  // namespace

bool spritesShown(const Settings& settings, const PlanProjection& view) {
    return settings.showSprites && view.zoom < double(settings.spriteZoomLimit);
}

bool spriteCountsShown(const Settings& settings, const PlanProjection& view) {
    return spritesShown(settings, view) && settings.spriteNumbers;
}

int32_t spriteMarkerSize(const PlanFrame& pf) {
    return pf.settings.constantSpriteSize ? 24 : safeFloor(192 / pf.view.zoom);
}

void buildSpriteDrawList(PlanFrame& pf, int32_t markerSize) {
    const MapStore& map = pf.map;
    const Settings& set = pf.settings;
    const PlanProjection view = pf.view;
    PlanViewState& st = pf.lists;
    // A marker this far outside the view still reaches into it.
    const int64_t reach = int64_t(markerSize) + kMarkerReach;
    const bool labels = view.zoom < double(set.tagDrawLimit) && set.spriteTags;
    // Sprites placed beyond an edge of the view by more than a marker reaches are not projected.
    const MapWindow window = mapWindowOf(view, double(reach) + 1);
    st.spriteDrawCount = 0;
    const int32_t count = std::clamp(map.spriteCount, 0, kMaxSprites);
    const SpriteRecord* sprites = map.sprites.data();
    // Every frame looks at every sprite: the few near the view are found first, in the fewest
    // steps, and only they are looked at closely.
    int32_t* near = st.nearSprites.data();
    int32_t nearCount = 0;
    NearLimits limits;
    if (window.nearLimits(limits)) {
        nearCount = listSpritesInside(sprites, count, limits, near);
    } else {
        for (int32_t i = 0; i < count; ++i) {
            near[nearCount] = i;
            nearCount += window.sidesOf(sprites[i].x, sprites[i].y) == 0;
        }
    }
    for (int32_t k = 0; k < nearCount; ++k) {
        const int32_t i = near[k];
        const SpriteRecord& sp = sprites[i];
        const double px = view.columnExact(sp.x), py = view.rowExact(sp.y);
        if (!(px >= -2.0e9 && px <= 2.0e9 && py >= -2.0e9 && py <= 2.0e9)) continue;
        const int64_t x = safeFloor(px), y = safeFloor(py);
        if (x < -reach || x > kScreenRight + reach || y < kMapViewBottom - reach ||
            y > kMapViewTop + reach)
            continue;

        SpriteDrawItem& item = st.spriteDrawList[st.spriteDrawCount++];
        item.x = int32_t(x);
        item.y = int32_t(y);
        item.colour = spriteItemColour(map, pf.colours, i, pf.blinkOn, pf.hover.hoveredSprite,
                                       pf.tool.draggedSprite);
        item.ang = sp.ang;
        item.flags = spriteItemFlags(sp.cstat);
        item.sprite = i;
        item.halfWidth = item.halfHeight = 0;
        const bool plain = !isDimSpriteColour(pf.colours, item.colour);
        if (set.spriteOrientation && plain) footprint(pf, sp, item);
        if (labels && plain)
            spriteItemLabel(pf.tileCatalog, sp, item.label);
        else
            item.label.clear();
    }
}

SpriteMarkerScene markerSceneOf(const PlanFrame& pf) {
    return {pf.cv, pf.map, pf.settings, pf.colours, pf.tiles, pf.frameTime, pf.view.zoom};
}

uint8_t spriteItemColour(const MapStore& map, const ColorSettings& cs, int32_t i, bool blinkOn,
                         int32_t hoveredSprite, int32_t draggedSprite) {
    const uint8_t ignored = map.spriteIgnored[i];
    if (ignored == uint8_t(HiddenState::Filtered)) return cs.colorFiltered;
    if (ignored == uint8_t(HiddenState::Hidden)) return cs.colorHidden;
    const uint8_t base =
        map.sprites[i].cstat & kSpriteBlocking ? cs.colorSpriteBlocking : cs.colorSprite;
    const bool lit = map.spriteSelected[i] ? blinkOn : i == hoveredSprite || i == draggedSprite;
    return lit ? highlighted(base) : base;
}

uint8_t spriteItemFlags(uint16_t cstat) {
    uint8_t flags = 0;
    if (cstat & kSpriteHitscan) flags |= SpriteItemFlags::ThickFacing;
    if (cstat & kSpriteWallAligned)
        flags |= SpriteItemFlags::WallAligned;
    else if (cstat & kSpriteFloorAligned)
        flags |= SpriteItemFlags::FloorAligned;
    return flags;
}

bool isDimSpriteColour(const ColorSettings& cs, uint8_t colour) {
    return colour == cs.colorFiltered || colour == cs.colorHidden;
}

void spriteItemLabel(const TileCatalog& catalog, const SpriteRecord& sp,
                     FixedText<kSpriteLabelBytes>& label) {
    const NameTable& names = catalog.tileNames;
    const std::string* name = nullptr;
    if (sp.picnum >= 0 && sp.picnum < kTileCount && size_t(sp.picnum) < names.size() &&
        !names[size_t(sp.picnum)].empty())
        name = &names[size_t(sp.picnum)];
    label.clear();
    if (sp.lotag != 0 || sp.hitag != 0) {
        label = unsignedInt16ToString(sp.hitag);
        label += ',';
        label += unsignedInt16ToString(sp.lotag);
        if (name) {
            label += ' ';
            label += *name;
        }
    } else if (name) {
        label = *name;
    }
}

void draw2DSprite(const SpriteMarkerScene& sc, const SpriteDrawItem& item, int32_t markerSize) {
    if (!isSprite(sc.map, item.sprite)) return;
    if (item.flags & SpriteItemFlags::SideView) {
        drawSideSprite(sc, item, markerSize);
        return;
    }
    if (item.label.empty()) drawRoundMarker(sc.cv, item.x, item.y, item.colour);
    if (isDimSpriteColour(sc.colours, item.colour)) return;
    const SpriteRecord& sp = sc.map.sprites[item.sprite];
    const double a = item.ang * kTwoPi / 2048, s = std::sin(a), c = std::cos(a);
    if (sc.settings.spriteOrientation) {
        if ((item.flags & 6) == SpriteItemFlags::WallAligned)
            wallSpriteFootprint(sc, item, sp, s, c);
        else if ((item.flags & 6) == SpriteItemFlags::FloorAligned)
            floorSpriteFootprint(sc, item, sp, a, s, c);
    }
    markerLine(sc, item, nearestInt(item.x + markerSize * c), nearestInt(item.y - markerSize * s));
}

void draw2DSprite(const PlanFrame& pf, const SpriteDrawItem& item, int32_t markerSize) {
    draw2DSprite(markerSceneOf(pf), item, markerSize);
}

void drawEffectorCircle(const SpriteMarkerScene& sc, const SpriteDrawItem& item) {
    const MapStore& map = sc.map;
    if (!isSprite(map, item.sprite)) return;
    const SpriteRecord& sp = map.sprites[item.sprite];
    if (sp.picnum != kEffectorTile || sp.hitag == 0 || !isSector(map, sp.sectnum)) return;
    if (map.sectors[sp.sectnum].lotag >= 3) return;
    drawCircleAcrossView(sc.cv, item.x, item.y, safeFloor(sp.hitag / sc.scale), item.colour);
}

void drawPlanSprites(PlanFrame& pf, int32_t frameNumber) {
    PlanViewState& st = pf.lists;
    st.spriteDrawCount = 0;
    if (!spritesShown(pf.settings, pf.view)) return;
    const int32_t m = spriteMarkerSize(pf);
    buildSpriteDrawList(pf, m);
    if (pf.settings.spritesFull) drawSpritePictures2D(pf, frameNumber);

    const ColorSettings& cs = pf.colours;
    const uint8_t normal[2] = {cs.colorSprite, cs.colorSpriteBlocking};
    const uint8_t lit[2] = {highlighted(cs.colorSprite), highlighted(cs.colorSpriteBlocking)};
    for (int32_t i = 0; i < st.spriteDrawCount; ++i)
        if (isDimSpriteColour(cs, st.spriteDrawList[i].colour))
            draw2DSprite(pf, st.spriteDrawList[i], m);
    for (int32_t i = 0; i < st.spriteDrawCount; ++i) {
        const uint8_t c = st.spriteDrawList[i].colour;
        if (c == normal[0] || c == normal[1]) draw2DSprite(pf, st.spriteDrawList[i], m);
    }
    for (int32_t i = 0; i < st.spriteDrawCount; ++i) {
        const SpriteDrawItem& item = st.spriteDrawList[i];
        if (item.colour != lit[0] && item.colour != lit[1]) continue;
        draw2DSprite(pf, item, m);
        drawEffectorCircle(markerSceneOf(pf), item);
    }
}

void drawSpriteLabelsAndCounts(PlanFrame& pf) {
    const Settings& set = pf.settings;
    const MapStore& map = pf.map;
    PlanViewState& st = pf.lists;
    if (!spritesShown(set, pf.view)) return;
    if (set.spriteTags) {
        // By colour modulo 12: the normal shades first, their highlighted ones on top.
        const int32_t shade = pf.colours.colorSprite % 12;
        for (const int32_t wanted : {shade, (pf.colours.colorSprite + 2) % 12})
            for (int32_t i = 0; i < st.spriteDrawCount; ++i)
                if (st.spriteDrawList[i].colour % 12 == wanted)
                    drawSpriteLabel(pf, st.spriteDrawList[i]);
    }
    // The counts are the map's, counted before painting (preparePlanMap).
    if (set.spriteNumbers) {
        for (int32_t i = 0; i < st.spriteDrawCount; ++i) {
            const SpriteDrawItem& item = st.spriteDrawList[i];
            if (!isSprite(map, item.sprite)) continue;
            const int32_t count = map.spriteStackCount[item.sprite];
            if (count <= 1) continue;
            const std::string text = std::to_string(count) + "x";
            const int32_t x = clampToInt32(int64_t(item.x) - 2 * int64_t(text.size()));
            drawSmallTextMapClipped(pf.cv, pf.fonts, text, x + 1, item.y - 10, 0);
            drawSmallTextMapClipped(pf.cv, pf.fonts, text, x, item.y - 9, 83);
        }
    }
}

void drawCircleAcrossView(const Canvas& cv, int32_t cx, int32_t cy, int32_t radius,
                          int32_t colour) {
    if (radius <= 0) return;
    const double x = cx, y = cy, r = radius;
    const double nearX = std::max({0.0 - x, 0.0, x - kScreenRight}),
                 nearY = std::max({kMapViewBottom - y, 0.0, y - kMapViewTop});
    const double farX = std::max(std::abs(x), std::abs(x - kScreenRight));
    const double farY = std::max(std::abs(y - kMapViewBottom), std::abs(y - kMapViewTop));
    if (std::hypot(nearX, nearY) > r + 2 || std::hypot(farX, farY) < r - 2) return;
    if (radius <= kWholeCircleRadius) {
        drawCircleMapView(cv, float(cx), float(cy), float(radius), colour);
        return;
    }
    // A large circle is nearly straight across the view: its crossings of every column and
    // every row give an unbroken outline there.
    const SurfaceView s = screenView(cv.frame);
    const uint8_t c = uint8_t(colour);
    auto plot = [&](double px, double py) {
        if (px >= 0 && px < kScreenWidth && py >= kMapViewBottom && py < kMapViewTop + 1)
            s.at(safeFloor(px), safeFloor(py)) = c;
    };
    for (int32_t col = 0; col < kScreenWidth; ++col) {
        const double d = r * r - (col - x) * (col - x);
        if (d < 0) continue;
        const double h = std::sqrt(d);
        plot(col, y + h);
        plot(col, y - h);
    }
    for (int32_t row = kMapViewBottom; row <= kMapViewTop; ++row) {
        const double d = r * r - (row - y) * (row - y);
        if (d < 0) continue;
        const double w = std::sqrt(d);
        plot(x + w, row);
        plot(x - w, row);
    }
}

}  // namespace korvel
