#include "views/SpritePictures.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "app/Settings.h"
#include "base/ValueConv.h"
#include "editing/HoverState.h"
#include "map/MapStore.h"
#include "resources/TileStore.h"
#include "ui/ColorSettings.h"
#include "views/PlanFrame.h"
#include "views/PlanViewState.h"
#include "views/TexelColours.h"

namespace korvel {

int32_t getTileAnimFrame(const TileStore& tiles, int32_t p, int32_t t) {
    const uint32_t w = uint32_t(tiles.tileAnims[size_t(clampTile(p))]);
    const uint32_t type = w & 192;
    const int32_t n = int32_t(w & 63) + 1;
    const int32_t speed = int32_t((w >> 24) & 15);
    if (n == 1 || type == 0) return p;
    const int32_t frameMs = 8 << speed;  // at most 262144
    const int32_t step = t / frameMs;
    if (type == 64) {
        const int32_t period = frameMs * (n - 1);  // below 2^31: n is at most 64
        const int32_t k = step % (n - 1);
        return (t / period) % 2 == 0 ? p + k : p + n - 1 - k;
    }
    if (type == 128) return p + step % n;
    return p - step % n;
}

namespace {

constexpr double kTwoPi = 6.283185307179586;

// The nearest integer, halves to the even neighbour, in 64 bits (NaN: 0).
int64_t nearest64(double v) {
    if (std::isnan(v)) return 0;
    return int64_t(std::clamp(std::nearbyint(v), -9.0e18, 9.0e18));
}

// Draw order: in floor view the highest sprite (smallest z) last, in ceiling view the lowest;
// equal heights in the list's (index) order. Markers and labels follow the same order.
void sortByHeight(PlanViewState& st, const MapStore& map, bool ceiling) {
    const int32_t n = st.spriteDrawCount;
    uint64_t* order = st.spriteOrder.data();
    bool sorted = true;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t k = st.spriteDrawList[size_t(i)].sprite;
        const int64_t z = isSprite(map, k) ? map.sprites[k].z : 0;
        const int64_t key = ceiling ? z - INT32_MIN : INT32_MAX - z;
        order[i] = uint64_t(key) << 14 | uint64_t(i);
        if (i > 0 && order[i] < order[i - 1]) sorted = false;
    }
    if (sorted) return;
    std::sort(order, order + n);
    for (int32_t i = 0; i < n; ++i)
        st.spriteDrawScratch[size_t(i)] = std::move(st.spriteDrawList[size_t(order[i] & 0x3FFF)]);
    std::swap(st.spriteDrawList, st.spriteDrawScratch);
}

// How one sprite's texels reach the screen: shaded and remapped, dithered on alternate rows,
// opaque or laid over what is there.
struct PictureInk {
    TexelColourPair colours;
    const uint8_t* blend;
    bool dither, translucent, reversed;
    int32_t frameParity;

    // The second dither colour on rows of the other parity than the frame's.
    const uint8_t* coloursOfRow(int32_t y) const {
        return dither && (y & 1) != frameParity ? colours.second : colours.first;
    }
    void put(uint8_t& dst, uint8_t texel, const uint8_t* lut) const {
        if (texel == 255) return;
        const uint8_t d = lut[texel];
        if (!translucent)
            dst = d;
        else if (reversed)
            dst = blend[size_t(d) * 256 + dst];
        else
            dst = blend[size_t(dst) * 256 + d];
    }
};

struct Picture {
    const uint8_t* pixels;
    int32_t width, height;
    uint32_t anim;  // the frame's picanm word
};

// A face sprite: upright, scaled by its repeats, centred on its point or hung by its offsets.
void drawFacePicture(const PlanFrame& pf, const SpriteDrawItem& item, const SpriteRecord& sp,
                     uint8_t yoffset, const Picture& pic, const PictureInk& ink) {
    PlanViewState& st = pf.lists;
    const int32_t W = pic.width, H = pic.height;
    const double zoom = pf.view.zoom;
    int64_t xo = 0, yo = 0;
    if (pf.settings.spriteOffsets) {
        xo = 2 * byteToSigned(uint8_t(uint8_t(sp.xoffset) + (pic.anim >> 8)));
        yo = 2 * byteToSigned(uint8_t(yoffset + (pic.anim >> 16)));
        if (!(sp.cstat & kSpriteCentred)) yo += H;
    }
    const int64_t left = item.x - int64_t(safeFloor(double(W + xo) * sp.xrepeat / zoom / 9.6));
    const int64_t right = item.x + int64_t(safeFloor(double(W - xo) * sp.xrepeat / zoom / 9.6));
    const int64_t bottom = item.y - int64_t(safeFloor(double(H - yo) * sp.yrepeat / zoom / 8));
    const int64_t top = item.y + int64_t(safeFloor(double(H + yo) * sp.yrepeat / zoom / 8));
    const int32_t cl = int32_t(std::clamp<int64_t>(left, 0, kScreenRight));
    const int32_t cr = int32_t(std::clamp<int64_t>(right, 0, kScreenRight));
    const int32_t cb = int32_t(std::clamp<int64_t>(bottom, kMapViewBottom, kMapViewTop));
    const int32_t ct = int32_t(std::clamp<int64_t>(top, kMapViewBottom, kMapViewTop));
    if (cb == ct || cl == cr) return;

    const float su = float(4.8 / sp.xrepeat * zoom), sv = float(4.0 / sp.yrepeat * zoom);
    // The far edges can reach texel W or H: they keep the last column and row.
    int32_t* cols = st.pictureColumns.data();
    if (sp.cstat & kSpriteFlipX) {
        float u = float(right - cr) * su;
        for (int32_t x = cr; x >= cl; --x, u += su) cols[x] = std::min(safeFloor(u), W - 1) * H;
    } else {
        float u = float(cl - left) * su;
        for (int32_t x = cl; x <= cr; ++x, u += su) cols[x] = std::min(safeFloor(u), W - 1) * H;
    }
    int32_t* rows = st.pictureRows.data();
    const bool flipY = sp.cstat & kSpriteFlipY;
    float v = float(cb - bottom) * sv;
    for (int32_t y = cb; y <= ct; ++y, v += sv) {
        const int32_t up = std::min(safeFloor(v), H - 1);  // counted from the picture's bottom
        rows[y] = flipY ? up : H - 1 - up;
    }

    const SurfaceView s = screenView(pf.cv.frame);
    for (int32_t y = cb; y <= ct; ++y) {
        uint8_t* row = &s.at(0, y);
        const uint8_t* lut = ink.coloursOfRow(y);
        const uint8_t* texRow = pic.pixels + rows[y];
        for (int32_t x = cl; x <= cr; ++x) ink.put(row[x], texRow[cols[x]], lut);
    }
}

// A floor sprite: its tile laid flat and turned by its angle, stepped in 16.16 texels over the
// box of its corners.
void drawFloorPicture(const PlanFrame& pf, const SpriteDrawItem& item, const SpriteRecord& sp,
                      uint8_t yoffset, const Picture& pic, const PictureInk& ink) {
    const int32_t W = pic.width, H = pic.height;
    const double zoom = pf.view.zoom;
    const double xr = sp.xrepeat, yr = sp.yrepeat;
    const double wp = safeFloor(W * xr / zoom / 4), hp = safeFloor(H * yr / zoom / 4);
    const double a = sp.ang * kTwoPi / 2048;
    const double s = float(std::sin(a)), c = float(std::cos(a));
    int64_t c0x = nearest64(item.x - (hp * c - wp * s) / 2);
    int64_t c0y = nearest64(item.y + (hp * s + wp * c) / 2);
    const bool flipX = sp.cstat & kSpriteFlipX;
    if (pf.settings.spriteOffsets) {
        const uint8_t picX = uint8_t(pic.anim >> 8), picY = uint8_t(pic.anim >> 16);
        const double ox = flipX ? byteToSigned(uint8_t(picX - uint8_t(sp.xoffset)))
                                : byteToSigned(uint8_t(uint8_t(sp.xoffset) + picX));
        const double oy = byteToSigned(uint8_t(yoffset + picY));
        const double nx = safeFloor((c * oy * yr + s * ox * xr) / zoom / 4 + double(c0x));
        const double ny = safeFloor((c * ox * xr - s * oy * yr) / zoom / 4 + double(c0y));
        c0x = int64_t(nx);
        c0y = int64_t(ny);
    }
    const int64_t cx[4] = {c0x, c0x + safeFloor(-wp * s), c0x + safeFloor(hp * c),
                           c0x + safeFloor(hp * c - wp * s)};
    const int64_t cy[4] = {c0y, c0y + safeFloor(-wp * c), c0y + safeFloor(-hp * s),
                           c0y + safeFloor(-hp * s - wp * c)};
    const int64_t minX = *std::min_element(cx, cx + 4), maxX = *std::max_element(cx, cx + 4);
    const int64_t minY = *std::min_element(cy, cy + 4), maxY = *std::max_element(cy, cy + 4);
    if (maxY < kMapViewBottom || minY > kMapViewTop || maxX < 0 || minX > kScreenRight) return;

    const double k = 4 * zoom * 65536;
    const int64_t dudx = safeFloor((flipX ? s : -s) * k / xr);
    const int64_t dudy = safeFloor((flipX ? c : -c) * k / xr);
    const int64_t dvdx = safeFloor(c * k / yr), dvdy = safeFloor(-s * k / yr);
    const int32_t x0 = int32_t(std::max<int64_t>(minX, 0));
    const int32_t x1 = int32_t(std::min<int64_t>(maxX, kScreenRight));
    const int32_t y0 = int32_t(std::max<int64_t>(minY, kMapViewBottom));
    const int32_t y1 = int32_t(std::min<int64_t>(maxY, kMapViewTop));
    // A start this far out never comes back to the tile within the box, and would pass 64 bits.
    const double dx0 = std::abs(double(x0 - c0x)), dy0 = std::abs(double(y0 - c0y));
    if (dx0 * std::abs(double(dudx)) + dy0 * std::abs(double(dudy)) > 4.0e18 ||
        dx0 * std::abs(double(dvdx)) + dy0 * std::abs(double(dvdy)) > 4.0e18)
        return;
    int64_t rowU = (x0 - c0x) * dudx + (y0 - c0y) * dudy + (flipX ? int64_t(W) * 65536 : 0);
    int64_t rowV = (x0 - c0x) * dvdx + (y0 - c0y) * dvdy;

    const SurfaceView screen = screenView(pf.cv.frame);
    for (int32_t y = y0; y <= y1; ++y, rowU += dudy, rowV += dvdy) {
        uint8_t* row = &screen.at(0, y);
        const uint8_t* lut = ink.coloursOfRow(y);
        int64_t U = rowU, V = rowV;
        for (int32_t x = x0; x <= x1; ++x, U += dudx, V += dvdx) {
            if (U < 0 || V < 0) continue;
            const int64_t col = U >> 16, up = V >> 16;
            if (col >= W || up >= H) continue;
            ink.put(row[x], pic.pixels[col * H + (H - 1 - up)], lut);
        }
    }
}

}  // namespace

void drawSpritePictures2D(PlanFrame& pf, int32_t frameNumber) {
    PlanViewState& st = pf.lists;
    const MapStore& map = pf.map;
    const TileStore& tiles = pf.tiles;
    const bool ceiling = pf.settings.ceilingView != 0;
    sortByHeight(st, map, ceiling);

    PictureInk ink{};
    ink.blend = pf.cv.colors.blendTable.data();
    ink.dither = pf.settings.twoColorBlend != 0;
    ink.frameParity = frameNumber & 1;
    for (int32_t i = 0; i < st.spriteDrawCount; ++i) {
        const SpriteDrawItem& item = st.spriteDrawList[size_t(i)];
        if (item.colour == pf.colours.colorFiltered || item.colour == pf.colours.colorHidden)
            continue;
        if (!isSprite(map, item.sprite)) continue;
        const SpriteRecord& sp = map.sprites[item.sprite];
        if (sp.picnum < 0 || sp.picnum >= kTileCount) continue;
        if (tiles.tileWidths[size_t(sp.picnum)] <= 0 || tiles.tileHeights[size_t(sp.picnum)] <= 0)
            continue;
        if ((sp.cstat & kSpriteInvisible) || sp.xrepeat == 0 || sp.yrepeat == 0) continue;
        const uint16_t kind = sp.cstat & kSpriteAlignment;
        if (kind == kSpriteWallAligned) continue;
        const bool floorSprite = kind != 0;
        if (floorSprite && (sp.cstat & kSpriteOneSided) &&
            ((sp.cstat & kSpriteFlipY) != 0) != ceiling)
            continue;
        // The frame shown now; one outside the tiles, or without a picture, shows nothing.
        const int32_t t = getTileAnimFrame(tiles, sp.picnum, pf.frameTime);
        if (t < 0 || t >= kTileCount) continue;
        const std::span<const uint8_t> px = tilePixels(tiles, t);
        if (px.empty()) continue;
        const Picture pic{px.data(), tiles.tileWidths[size_t(t)], tiles.tileHeights[size_t(t)],
                          uint32_t(tiles.tileAnims[size_t(t)])};

        uint8_t yoffset = uint8_t(sp.yoffset);
        if ((sp.cstat & kSpriteFlipY) && (sp.cstat & kSpriteFloorAligned))
            yoffset = uint8_t(-yoffset);
        // The hovered sprite pulses between shades 0 and 4, about four times a second.
        const int32_t shade = item.sprite == pf.hover.hoveredSprite
                                  ? nearestInt(2 * std::sin(pf.frameTime / 40.0) + 2)
                                  : viewShade(uint8_t(sp.shade));
        ink.colours = texelColours(st, pf.cv.colors, viewPal(sp.pal), shade, false, 0);
        ink.translucent = sp.cstat & kSpriteTranslucent;
        ink.reversed = sp.cstat & kSpriteTranslucentReversed;
        if (floorSprite)
            drawFloorPicture(pf, item, sp, yoffset, pic, ink);
        else
            drawFacePicture(pf, item, sp, yoffset, pic, ink);
    }
}

}  // namespace korvel
