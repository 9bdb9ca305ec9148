#include "views/SideViewSprites.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "app/Settings.h"
#include "base/Mainm.h"
#include "base/ValueConv.h"
#include "editing/HoverState.h"
#include "editing/ToolState.h"
#include "map/MapStore.h"
#include "resources/ColorTables.h"
#include "resources/TileStore.h"
#include "ui/ColorSettings.h"
#include "views/PlanSprites.h"
#include "views/PlanViewState.h"
#include "views/SideFrame.h"
#include "views/SpritePictures.h"

namespace korvel {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr uint8_t kTransparent = 255;
constexpr int32_t kMaxPal = 26;

// Items whose row lies this far outside the map view still show part of their marker.
constexpr int32_t kListedBelow = kMapViewBottom - 2, kListedAbove = kMapViewTop + 2;
constexpr int32_t kListedLeft = -2, kListedRight = kScreenRight + 2;

// floor(v) in 64 bits, so that far positions stay far (safeFloor would put them at 0); not a
// number counts as 0.
int64_t floor64(double v) {
    if (!(v == v)) return 0;
    constexpr double limit = 4.0e18;
    return int64_t(std::floor(std::clamp(v, -limit, limit)));
}

SpriteMarkerScene sceneOf(const SideFrame& sf) {
    return {sf.cv, sf.map, sf.settings, sf.colours, sf.tiles, sf.frameTime, sf.view.scale};
}

bool tagsShown(const SideFrame& sf) {
    return sf.settings.spriteTags && sf.view.scale < double(sf.settings.tagDrawLimit);
}

// The width and height of the tile a sprite shows now; 0 for a frame beyond the tiles.
void frameSize(const TileStore& tiles, int32_t t, int32_t& width, int32_t& height) {
    const bool valid = t >= 0 && t < kTileCount;
    width = valid ? tiles.tileWidths[size_t(t)] : 0;
    height = valid ? tiles.tileHeights[size_t(t)] : 0;
}

// One sprite's picture, scaled to its real size around its item.
class PicturePainter {
public:
    PicturePainter(const SideFrame& sf, int32_t frameNumber) : sf_(sf), frameNumber_(frameNumber) {
        const ViewState& v = sf.side;
        lineAngle_ = angleOfSingle(float(v.sideViewX1), float(v.sideViewY1), float(v.sideViewX2),
                                   float(v.sideViewY2));
    }

    void draw(const SpriteDrawItem& item) {
        const SpriteRecord& sp = sf_.map.sprites[item.sprite];
        const TileStore& tiles = sf_.tiles;
        const int32_t t = getTileAnimFrame(tiles, sp.picnum, sf_.frameTime);
        if (t < 0 || t >= kTileCount) return;
        const int32_t width = tiles.tileWidths[size_t(t)], height = tiles.tileHeights[size_t(t)];
        if (width <= 0 || height <= 0 || sp.xrepeat == 0 || sp.yrepeat == 0) return;
        const int64_t offset = tiles.tileOffsets[size_t(t)];
        if (offset < -1 || offset + int64_t(width) * height >= int64_t(tiles.artPixels.size()))
            return;
        const uint32_t anim = uint32_t(tiles.tileAnims[size_t(t)]);
        const bool offsets = sf_.settings.spriteOffsets != 0;
        const double scale = sf_.view.scale;
        const double xr = sp.xrepeat, yr = sp.yrepeat;

        bool flipX = (sp.cstat & kSpriteFlipX) != 0;
        double xo =
            offsets ? 2 * byteToSigned(uint8_t(((anim >> 8) & 255) + uint8_t(sp.xoffset))) : 0;
        if (flipX) xo = -xo;
        double k = 1, divisor = 9.6, texels = 4.8;
        if (sp.cstat & kSpriteWallAligned) {
            divisor = 8;
            texels = 4;
            if (!isPointSubject(sf_.side)) {
                k = std::cos(angleDeltaDouble(sp.ang * kPi / 1024, lineAngle_));
                // A two-sided wall sprite seen from behind is mirrored; a one-sided one keeps
                // k < 0 and so ends up with no width.
                if (k < 0 && !(sp.cstat & kSpriteOneSided)) {
                    k = -k;
                    flipX = !flipX;
                    xo = -xo;
                }
            }
        }
        const int64_t left = int64_t(item.x) - safeFloor((width + xo) * xr * k / scale / divisor);
        const int64_t right = int64_t(item.x) + safeFloor((width - xo) * xr * k / scale / divisor);
        double yo =
            offsets ? 2 * byteToSigned(uint8_t(((anim >> 16) & 255) + uint8_t(sp.yoffset))) : 0;
        if (sp.cstat & kSpriteFlipY) yo = -yo;
        if (!(sp.cstat & kSpriteCentred)) yo += height;
        const int64_t bottom = int64_t(item.y) - safeFloor((height - yo) * yr / scale / 8);
        const int64_t top = int64_t(item.y) + safeFloor((height + yo) * yr / scale / 8);

        box_ = {std::clamp<int64_t>(left, 0, kScreenRight),
                std::clamp<int64_t>(right, 0, kScreenRight),
                std::clamp<int64_t>(bottom, kMapViewBottom, kMapViewTop),
                std::clamp<int64_t>(top, kMapViewBottom, kMapViewTop)};
        if (!(box_.left < box_.right) || box_.bottom == box_.top) return;

        const double stepU = texels / k / xr * scale;
        const double stepV = 4 / yr * scale;
        const double vStart = double(box_.bottom - bottom) * stepV;
        pixels_ = tiles.artPixels.data() + offset;
        width_ = width;
        height_ = height;
        flipY_ = (sp.cstat & kSpriteFlipY) != 0;
        remapFor(sp, item.sprite);
        const bool translucent = (sp.cstat & kSpriteTranslucent) != 0;
        if (translucent || stepU >= 1) {
            const double uStart = double(flipX ? right - box_.right : box_.left - left) * stepU;
            drawPerPixel(uStart, stepU, vStart, stepV, flipX, translucent,
                         (sp.cstat & kSpriteTranslucentReversed) != 0);
        } else {
            drawRuns(left, right, stepU, vStart, stepV, flipX);
        }
    }

private:
    struct Box {
        int64_t left, right, bottom, top;
    };

    void remapFor(const SpriteRecord& sp, int32_t sprite) {
        int32_t pal = std::min<int32_t>(sp.pal, kMaxPal);
        int32_t shade = uint8_t(sp.shade);
        if (shade >= 128)
            shade = 0;
        else if (shade >= 32)
            shade = 31;
        // The hovered sprite breathes: brighter and darker over about a quarter of a second.
        if (sprite == sf_.hover.hoveredSprite)
            shade = nearestPixel(2 * std::sin(sf_.frameTime / 40.0) + 2);
        const bool second = sf_.settings.twoColorBlend && (frameNumber_ & 1);
        if (shade == remapShade_ && pal == remapPal_ && second == remapSecond_) return;
        remapShade_ = shade;
        remapPal_ = pal;
        remapSecond_ = second;
        const ColorTables& ct = sf_.cv.colors;
        for (int32_t i = 0; i < 256; ++i) {
            const uint8_t g =
                ct.gameShades[size_t(shade * 256 + ct.palRemaps[size_t(pal * 256 + i)])];
            const ColorPair pair = ct.gamePaletteMap[g];
            remap_[size_t(i)] = second ? uint8_t(pair >> 8) : uint8_t(pair & 255);
        }
    }

    // Where texel row r (counted from the bottom of the picture) starts past the tile's
    // offset; the top screen row may ask for row H, which shows the bottom row.
    int64_t rowStart(int64_t r) const {
        if (r < 0) r = 0;
        if (r >= height_) return height_;
        return flipY_ ? 1 + r : height_ - r;
    }

    int64_t columnStart(int64_t j) const {
        return int64_t(std::clamp<int64_t>(j, 0, width_ - 1)) * height_;
    }

    // Translucent and minified pictures: a texel per screen pixel.
    void drawPerPixel(double uStart, double stepU, double vStart, double stepV, bool flipX,
                      bool translucent, bool reversed) {
        const int64_t n = box_.right - box_.left;
        double u = uStart;
        for (int64_t i = 0; i <= n; ++i, u += stepU) {
            const int64_t x = flipX ? box_.right - i : box_.left + i;
            columns_[size_t(x)] = columnStart(floor64(u));
        }
        const SurfaceView s = screenView(sf_.cv.frame);
        const uint8_t* blend = sf_.cv.colors.blendTable.data();
        double v = vStart;
        for (int64_t y = box_.bottom; y <= box_.top; ++y, v += stepV) {
            const uint8_t* row = pixels_ + rowStart(floor64(v));
            uint8_t* out = &s.at(0, int32_t(y));
            for (int64_t x = box_.left; x <= box_.right; ++x) {
                const uint8_t texel = row[columns_[size_t(x)]];
                if (texel == kTransparent) continue;
                const uint8_t c = remap_[texel];
                uint8_t& p = out[x];
                if (!translucent)
                    p = c;
                else
                    p = reversed ? blend[p + 256 * c] : blend[c + 256 * p];
            }
        }
    }

    // One texel column as a run of screen columns on every row, cut to the picture's box.
    void run(int64_t j, int64_t x0, int64_t length) {
        const int64_t from = std::max(x0, box_.left);
        const int64_t to = std::min(x0 + length - 1, box_.right);
        if (from > to) return;
        const SurfaceView s = screenView(sf_.cv.frame);
        const int64_t column = columnStart(flipX_ ? width_ - 1 - j : j);
        for (int64_t y = box_.bottom; y <= box_.top; ++y) {
            const uint8_t texel = pixels_[column + rows_[size_t(y - kMapViewBottom)]];
            if (texel == kTransparent) continue;
            std::fill(&s.at(int32_t(from), int32_t(y)), &s.at(int32_t(to), int32_t(y)) + 1,
                      remap_[texel]);
        }
    }

    // Magnified opaque pictures: each texel column is a run of screen columns.
    void drawRuns(int64_t left, int64_t right, double stepU, double vStart, double stepV,
                  bool flipX) {
        flipX_ = flipX;
        double v = vStart;
        for (int64_t y = box_.bottom; y <= box_.top; ++y, v += stepV) {
            const int64_t r = ((floor64(v) % height_) + height_) % height_;
            rows_[size_t(y - kMapViewBottom)] = flipY_ ? 1 + r : height_ - r;
        }
        const double g = 1 / stepU;
        const int64_t runLength = safeFloor(g + 1);
        const double cutLeft = double(box_.left - left), cutRight = double(right - box_.right);
        if (cutLeft >= 1) {
            const int64_t j = safeFloor(cutLeft * stepU + 0.0000001);
            const int64_t length = floor64(double(j + 1) * g) + left + 1;
            if (length >= 1) run(j, 0, length);
        }
        if (cutRight >= 1) {
            const int64_t j = width_ - safeFloor(cutRight * stepU + 1.0000001);
            const int64_t x0 = floor64(double(j) * g) + left - 1;
            const int64_t length = kScreenWidth - x0;
            if (x0 >= 1 && length >= 1) run(j, x0, length);
        }
        if (runLength < 1) return;
        const int64_t last = width_ - safeFloor(cutRight * stepU + 1.9999999);
        for (int64_t j = std::max<int64_t>(safeFloor(cutLeft * stepU + 0.9999999), 0);
             j <= std::min<int64_t>(last, width_ - 1); ++j) {
            const int64_t x0 = floor64(double(j) * g) + left;
            if (x0 > box_.right) break;
            run(j, x0, runLength);
        }
    }

    const SideFrame& sf_;
    int32_t frameNumber_;
    float lineAngle_ = 0;
    Box box_{};
    const uint8_t* pixels_ = nullptr;
    int32_t width_ = 0, height_ = 0;
    bool flipY_ = false, flipX_ = false;
    std::array<uint8_t, 256> remap_{};
    int32_t remapShade_ = -1, remapPal_ = -1;
    bool remapSecond_ = false;
    std::array<int64_t, kScreenWidth> columns_{};
    std::array<int64_t, kMapViewRows> rows_{};
};

int32_t markerSizeOf(const SideFrame& sf, const SpriteDrawItem& item) {
    if (item.flags & SpriteItemFlags::WallAligned) return 0;
    const int32_t size = sf.settings.constantSpriteSize ? 24 : safeFloor(192 / sf.view.scale);
    const uint16_t cstat = sf.map.sprites[item.sprite].cstat;
    // A y-flipped floor sprite shows its marker line downwards.
    const bool flippedFloor = (cstat & kSpriteFlipY) && (cstat & kSpriteFloorAligned);
    return flippedFloor ? -size : size;
}

}  // namespace

void buildSideSpriteList(const SideFrame& sf) {
    const MapStore& map = sf.map;
    const ViewState& v = sf.side;
    const SideProjection& view = sf.view;
    PlanViewState& st = sf.lists;
    const bool alongLine = !isPointSubject(v);
    const float length = distSingle(float(v.sideViewX1), float(v.sideViewY1), float(v.sideViewX2),
                                    float(v.sideViewY2));
    const bool sized = sf.settings.spriteOrientation != 0;
    const bool labels = tagsShown(sf);
    st.spriteDrawCount = 0;
    for (int32_t i = 0; i < std::clamp(map.spriteCount, 0, kMaxSprites); ++i) {
        if (!v.sideViewSprites[i]) continue;
        const SpriteRecord& sp = map.sprites[i];
        const int32_t y = view.row(sp.z);
        if (y < kListedBelow || y > kListedAbove) continue;
        int32_t x = kViewCentreX;
        if (alongLine) {
            const float d1 =
                distSingle(float(v.sideViewX1), float(v.sideViewY1), float(sp.x), float(sp.y));
            const float d2 =
                distSingle(float(v.sideViewX2), float(v.sideViewY2), float(sp.x), float(sp.y));
            x = safeFloor(((double(d1) + length - d2) / 2 + view.cornerX) / view.scale);
            if (x < kListedLeft || x > kListedRight) continue;
        }
        SpriteDrawItem& item = st.spriteDrawList[st.spriteDrawCount++];
        item.x = x;
        item.y = y;
        item.colour = spriteItemColour(map, sf.colours, i, sf.blinkOn, sf.hover.hoveredSprite,
                                       sf.tool.draggedSprite);
        item.ang = sp.ang;
        item.flags = uint8_t(SpriteItemFlags::SideView | spriteItemFlags(sp.cstat));
        item.sprite = i;
        item.halfWidth = item.halfHeight = 0;
        const bool plain = !isDimSpriteColour(sf.colours, item.colour);
        if (sized && plain) {
            int32_t w, h;
            frameSize(sf.tiles, getTileAnimFrame(sf.tiles, sp.picnum, sf.frameTime), w, h);
            item.halfWidth = safeFloor(w * (sp.xrepeat / view.scale)) / 8 + 1;
            item.halfHeight = safeFloor(h * (sp.yrepeat / view.scale)) / 4 + 1;
        }
        if (labels && plain)
            spriteItemLabel(sf.tileCatalog, sp, item.label);
        else
            item.label.clear();
    }
}

void drawSideViewSprites(const SideFrame& sf, int32_t frameNumber) {
    buildSideSpriteList(sf);
    const PlanViewState& st = sf.lists;
    const ColorSettings& cs = sf.colours;
    const MapStore& map = sf.map;
    if (sf.settings.spritesFull) {
        PicturePainter pictures(sf, frameNumber);
        for (int32_t i = 0; i < st.spriteDrawCount; ++i) {
            const SpriteDrawItem& item = st.spriteDrawList[i];
            const uint16_t cstat = map.sprites[item.sprite].cstat;
            if (isDimSpriteColour(cs, item.colour) || (cstat & kSpriteFloorAligned) ||
                (cstat & kSpriteInvisible))
                continue;
            pictures.draw(item);
        }
    }
    const SpriteMarkerScene scene = sceneOf(sf);
    for (int32_t i = 0; i < st.spriteDrawCount; ++i)
        if (isDimSpriteColour(cs, st.spriteDrawList[i].colour))
            draw2DSprite(scene, st.spriteDrawList[i], 0);
    const uint8_t normal[2] = {cs.colorSprite, cs.colorSpriteBlocking};
    const uint8_t lit[2] = {highlighted(cs.colorSprite), highlighted(cs.colorSpriteBlocking)};
    for (int32_t i = 0; i < st.spriteDrawCount; ++i) {
        const SpriteDrawItem& item = st.spriteDrawList[i];
        if (item.colour == normal[0] || item.colour == normal[1])
            draw2DSprite(scene, item, markerSizeOf(sf, item));
    }
    for (int32_t i = 0; i < st.spriteDrawCount; ++i) {
        const SpriteDrawItem& item = st.spriteDrawList[i];
        if (item.colour != lit[0] && item.colour != lit[1]) continue;
        draw2DSprite(scene, item, markerSizeOf(sf, item));
        drawEffectorCircle(scene, item);
    }
    if (!tagsShown(sf)) return;
    const int32_t shade = cs.colorSprite % 12;
    for (const int32_t wanted : {shade, (cs.colorSprite + 2) % 12})
        for (int32_t i = 0; i < st.spriteDrawCount; ++i)
            if (st.spriteDrawList[i].colour % 12 == wanted)
                drawSpriteLabel(sf.cv, sf.fonts, st.spriteDrawList[i]);
}

}  // namespace korvel
