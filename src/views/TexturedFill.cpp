#include "views/TexturedFill.h"

#include <algorithm>
#include <cmath>

#include "app/Settings.h"
#include "base/ValueConv.h"
#include "editing/HoverState.h"
#include "resources/TileStore.h"
#include "ui/ColorSettings.h"
#include "views/PlanFrame.h"
#include "views/PlanViewState.h"
#include "views/SectorRows.h"
#include "views/SpritePictures.h"
#include "views/TexelColours.h"

namespace korvel {

namespace {

// Label box colours of the textured mode: the hovered sector's, and every other's.
constexpr uint8_t kHoveredLabelColour = 81;
constexpr uint8_t kLabelColour = 79;

// Added before the world-aligned floors so that the value is positive; a multiple of 1024, so
// the masked texel is unchanged for sizes up to 1024.
constexpr double kPositive = 2.0e9;
// Added before the relative-aligned floors, for the same reason in 16.16 steps.
constexpr double kPositiveFixed = 16777216.0;

// The surface shown: the ceiling in ceiling view, else the floor.
struct Surface {
    int32_t picnum;
    uint8_t shade, pal;
    uint16_t stat;
    uint8_t xpanning, ypanning;
    int16_t heinum;
};

Surface surfaceOf(const SectorRecord& s, bool ceiling) {
    if (ceiling)
        return {s.ceilingpicnum,   uint8_t(s.ceilingshade), s.ceilingpal,      s.ceilingstat,
                s.ceilingxpanning, s.ceilingypanning,       s.ceilingheinum};
    return {s.floorpicnum,   uint8_t(s.floorshade), s.floorpal,     s.floorstat,
            s.floorxpanning, s.floorypanning,       s.floorheinum};
}

// The drawing order: in floor view the highest floor (smallest floorz) last, in ceiling view the
// lowest ceiling (largest ceilingz) last; equal heights in index order.
void orderSectors(const MapStore& map, bool ceiling, uint64_t* order, int32_t count) {
    for (int32_t s = 0; s < count; ++s) {
        const SectorRecord& sec = map.sectors[s];
        const int64_t key = ceiling ? int64_t(sec.ceilingz) - INT32_MIN : INT32_MAX - int64_t(sec.floorz);
        order[s] = uint64_t(key) << 12 | uint64_t(s);
    }
    std::sort(order, order + count);
}

// The tile's pixels and size, or nothing when it has no picture inside the loaded data.
struct TileView {
    const uint8_t* pixels = nullptr;
    int32_t width = 0, height = 0;
};

TileView tileView(const TileStore& tiles, int32_t t) {
    const std::span<const uint8_t> px = tilePixels(tiles, t);
    if (px.empty()) return {};
    return {px.data(), tiles.tileWidths[size_t(t)], tiles.tileHeights[size_t(t)]};
}

struct SectorPaint {
    TileView tile;
    uint16_t stat = 0, e = 0;  // the stat word and its effective flags
    double k = 0;              // texels per pixel
    TexelColourPair colours{};
    bool ditherOnEven = false;  // the dither's second colour on rows of the frame's parity
};

// Texel offsets of the clipped box's columns and rows for the world-aligned and the parallax
// mapping: the texel of pixel (x, y) is columnTexels[x] + rowTexels[y].
void worldTables(const PlanFrame& pf, const SectorPaint& sp, const Surface& sf,
                 const ScreenBox& clip, int32_t* cols, int32_t* rows) {
    const int32_t W = sp.tile.width, H = sp.tile.height;
    const uint16_t stat = sp.stat, e = sp.e;
    const bool parallax = stat & kSurfaceParallax;
    const bool swap = (e & kSurfaceSwapXY) && !parallax;
    const double k = sp.k;
    double panU = W / 256.0 * sf.xpanning, panV = -(H / 256.0) * sf.ypanning;
    if (swap) {
        panU = -(H / 256.0) * sf.ypanning;
        panV = W / 256.0 * sf.xpanning;
    }
    if (parallax) {
        // Fixed to the screen: the sky does not move with the view.
        const int64_t u0 = int64_t(safeFloor(panU)) + 1024;
        const int64_t v0 = int64_t(safeFloor(panV - 128)) + 1024;
        for (int32_t x = clip.minX; x <= clip.maxX; ++x)
            cols[x] = int32_t((u0 + x) & (W - 1)) * H;
        for (int32_t y = clip.minY; y <= clip.maxY; ++y) {
            const int64_t r = (v0 - y) % H;
            rows[y] = int32_t(r < 0 ? r + H : r);
        }
        return;
    }
    const double zoom = pf.view.zoom;
    const double lo = safeFloor(pf.view.cornerX / zoom), lo2 = safeFloor(pf.view.cornerY / zoom);
    // Zoomed out, texels are taken in steps of q so that textures do not shimmer.
    int32_t q = 1;
    if (!(stat & kSurfaceRelativeAlign))
        q = safeFloor(zoom) / ((stat & kSurfaceDoubleSmoosh) ? 8 : 16) + 1;
    auto step = [q](int32_t v) { return v / q * q; };
    const bool flipX = e & kSurfaceFlipX, flipY = e & kSurfaceFlipY;
    for (int32_t x = clip.minX; x <= clip.maxX; ++x) {
        const double d = (x - lo) * k;
        if (!swap) {
            const double du = flipX ? W - d : d;
            cols[x] = step(safeFloor(du + kPositive + panU) & (W - 1)) * H;
        } else {
            const int32_t r = flipX ? safeFloor(d + kPositive - panU)
                                    : safeFloor(H - d + kPositive - panU);
            cols[x] = step(r & (H - 1));
        }
    }
    for (int32_t y = clip.minY; y <= clip.maxY; ++y) {
        const double d = (lo2 - y) * k;
        if (!swap) {
            const int32_t r = flipY ? safeFloor(d + kPositive - panV)
                                    : safeFloor(H - d + kPositive - panV);
            rows[y] = step(r & (H - 1));
        } else {
            const int32_t u = flipY ? safeFloor(W - d + kPositive + panV)
                                    : safeFloor(d + kPositive + panV);
            rows[y] = step(u & (W - 1)) * H;
        }
    }
}

// The texture stepped across the screen in 16.16 texels from the sector's first wall, turned
// with it and stretched along a slope.
struct RelativeMapping {
    double dudx = 0, dudy = 0, dvdx = 0, dvdy = 0;
    int64_t udx = 0, vdx = 0;  // the integer steps along a row
    double ox = 0, oy = 0;     // the texture origin on the screen
    int64_t maskU = 0, maskV = 0;
    bool swap = false;
};

RelativeMapping relativeMapping(const PlanFrame& pf, const SectorPaint& sp, const Surface& sf,
                                int32_t firstWall) {
    const MapStore& map = pf.map;
    const int32_t W = sp.tile.width, H = sp.tile.height;
    const uint16_t e = sp.e;
    const bool flipX = e & kSurfaceFlipX, flipY = e & kSurfaceFlipY;
    RelativeMapping m;
    m.swap = e & kSurfaceSwapXY;
    const WallRecord& w = map.walls[firstWall];
    const WallRecord& n = map.walls[clampWall(map, w.point2)];
    const double dx = double(n.x) - w.x, dy = double(n.y) - w.y;
    const double L = std::sqrt(dx * dx + dy * dy);
    const double s = L == 0 ? 0.0 : -dy / L, c = L == 0 ? -1.0 : -dx / L;
    const double C = (sp.stat & kSurfaceSloped)
                         ? std::sqrt(double(sf.heinum) * sf.heinum + 16777216.0) / 4096
                         : 1.0;
    const double k = sp.k;
    m.dudx = (flipX ? c : -c) * k * 65536;
    m.dudy = (flipX ? -s : s) * k * 65536;
    m.dvdx = (flipY ? s : -s) * k * C * 65536;
    m.dvdy = (flipY ? c : -c) * k * C * 65536;

    double pu, pv, SX, SY;
    if (!m.swap) {
        pu = flipX ? -sf.xpanning : sf.xpanning;
        pv = flipY ? sf.ypanning : -sf.ypanning;
        SX = W, SY = H;
    } else {
        pu = flipX ? sf.ypanning : -sf.ypanning;
        pv = flipY ? -sf.xpanning : sf.xpanning;
        SX = H, SY = W;
    }
    const double scale = (sp.stat & kSurfaceDoubleSmoosh) ? 32 : 16;
    SX /= scale;
    SY /= scale;
    const double zoom = pf.view.zoom;
    m.ox = double(pf.lists.wallScreenX[firstWall]) +
           safeFloor((pv * s / C * SY + pu * c * SX) / zoom);
    m.oy = double(pf.lists.wallScreenY[firstWall]) +
           safeFloor((pv * c / C * SY - s * pu * SX) / zoom);

    const int64_t limitU = int64_t(W) * 65536 - 1, limitV = int64_t(H) * 65536 - 1;
    const int64_t iudx = safeFloor(m.dudx), iudy = safeFloor(m.dudy);
    const int64_t ivdx = safeFloor(m.dvdx), ivdy = safeFloor(m.dvdy);
    if (std::abs(iudx) >= limitU || std::abs(iudy) >= limitU || std::abs(ivdx) >= limitV ||
        std::abs(ivdy) >= limitV) {
        // Finer than a texel cannot be shown: the whole surface takes the origin's texel.
        m.dudx = m.dudy = m.dvdx = m.dvdy = 0;
        m.udx = m.vdx = 0;
    } else {
        m.udx = iudx;
        m.vdx = ivdx;
    }
    m.maskU = limitU;
    m.maskV = limitV;
    return m;
}

void fillSector(PlanFrame& pf, int32_t s, const SectorPaint& sp, const Surface& sf,
                int32_t edgeCount, const ScreenBox& clip, int32_t frameNumber) {
    PlanViewState& st = pf.lists;
    const SurfaceView screen = screenView(pf.cv.frame);
    const uint8_t* tex = sp.tile.pixels;
    const int32_t H = sp.tile.height;
    const bool dither = pf.settings.twoColorBlend != 0;
    const int32_t frameParity = frameNumber & 1;
    auto coloursOfRow = [&](int32_t y) {
        return dither && ((y & 1) == frameParity) ? sp.colours.second : sp.colours.first;
    };

    if (!(sp.stat & kSurfaceRelativeAlign) || (sp.stat & kSurfaceParallax)) {
        int32_t* cols = st.columnTexels.data();
        int32_t* rows = st.rowTexels.data();
        worldTables(pf, sp, sf, clip, cols, rows);
        scanSectorRows(st, edgeCount, clip, [&](int32_t y, const int32_t* cross, int32_t n) {
            uint8_t* row = &screen.at(0, y);
            const uint8_t* lut = coloursOfRow(y);
            const uint8_t* texRow = tex + rows[y];
            for (int32_t i = 0; i < n; i += 2) {
                const int32_t a = cross[i], b = cross[i + 1];
                if (a == b) continue;
                for (int32_t x = a; x <= b; ++x) row[x] = lut[texRow[cols[x]]];
            }
        });
        return;
    }

    const SectorRecord& sec = pf.map.sectors[s];
    const RelativeMapping m = relativeMapping(pf, sp, sf, clampWall(pf.map, sec.wallptr));
    scanSectorRows(st, edgeCount, clip, [&](int32_t y, const int32_t* cross, int32_t n) {
        uint8_t* row = &screen.at(0, y);
        const uint8_t* lut = coloursOfRow(y);
        const double rowU = (y - m.oy) * m.dudy, rowV = (y - m.oy) * m.dvdy;
        for (int32_t i = 0; i < n; i += 2) {
            const int32_t a = cross[i], b = cross[i + 1];
            if (a == b) continue;
            // 64 bits: 800 steps of up to a tile's width in 16.16 pass 32 bits.
            int64_t U = safeFloor((a - m.ox) * m.dudx + rowU + kPositiveFixed);
            int64_t V = safeFloor((a - m.ox) * m.dvdx + rowV + kPositiveFixed);
            for (int32_t x = a; x <= b; ++x, U += m.udx, V += m.vdx) {
                const int64_t along = m.swap ? V : U, across = m.swap ? U : V;
                const int64_t col = (along & m.maskU) >> 16;
                const int64_t r = H - 1 - ((across & m.maskV) >> 16);
                row[x] = lut[tex[col * H + r]];
            }
        }
    });
}

}  // namespace

void fillSectorsTextured(PlanFrame& pf, int32_t frameNumber) {
    const MapStore& map = pf.map;
    const Settings& set = pf.settings;
    PlanViewState& st = pf.lists;
    const bool ceiling = set.ceilingView != 0;
    const bool labels = set.wallTags && double(set.tagDrawLimit) > pf.view.zoom;
    const int32_t count = std::clamp(map.sectorCount, 0, kMaxSectors);
    uint64_t* order = st.sectorOrder.data();
    orderSectors(map, ceiling, order, count);

    for (int32_t i = 0; i < count; ++i) {
        const int32_t s = int32_t(order[i] & 0xFFF);
        if (map.sectorIgnored[s] != 0) continue;
        const SectorRecord& sec = map.sectors[s];
        const ScreenBox box = startPointBox(pf, s);
        if (box.outsideMapView()) continue;
        const WallSpan span = wallSpan(map, s);
        if (labels && (sec.lotag != 0 || sec.hitag != 0) && st.labelCount < kMaxSectors) {
            PlanLabel& label = st.labels[st.labelCount++];
            label.x = int32_t((int64_t(box.minX) + box.maxX) / 2);
            label.y = int32_t((int64_t(box.minY) + box.maxY) / 2);
            label.colour = s == pf.hover.hoveredSector ? kHoveredLabelColour : kLabelColour;
            label.text = unsignedInt16ToString(sec.hitag);
            label.text += ',';
            label.text += unsignedInt16ToString(sec.lotag);
        }
        const ScreenBox clip = box.clippedToMapView();
        const int32_t edgeCount = prepareSectorEdges(st, span, clip);

        const Surface sf = surfaceOf(sec, ceiling);
        SectorPaint sp;
        sp.tile = tileView(pf.tiles, clampTile(getTileAnimFrame(pf.tiles, sf.picnum, pf.frameTime)));
        if (sp.tile.width <= 0 || sp.tile.height <= 0) continue;
        sp.stat = sf.stat;
        sp.k = pf.view.zoom / ((sf.stat & kSurfaceDoubleSmoosh) ? 8 : 16);
        sp.e = sf.stat;
        const bool flipX = sf.stat & kSurfaceFlipX, flipY = sf.stat & kSurfaceFlipY;
        if ((sf.stat & (kSurfaceSwapXY | kSurfaceParallax)) == kSurfaceSwapXY && flipX == flipY)
            sp.e ^= kSurfaceFlipX | kSurfaceFlipY;
        const bool lit = map.sectorSelected[s] ? pf.blinkOn
                                               : set.sectorHighlight && s == pf.hover.hoveredSector;
        sp.colours = texelColours(st, pf.cv.colors, viewPal(sf.pal), viewShade(sf.shade), lit,
                                  pf.colours.colorSectorHighlight);
        fillSector(pf, s, sp, sf, edgeCount, clip, frameNumber);
    }
}

}  // namespace korvel
