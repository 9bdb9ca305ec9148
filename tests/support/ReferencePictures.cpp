#include "support/ReferencePictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

#include "base/Mainm.h"
#include "base/ValueConv.h"
#include "views/SpritePictures.h"

namespace korvel::test {

namespace {

// The painting form of the origin: the stored origin moved by the half screen, in singles.
struct Transform {
    double ox, oy, zoom;
    int32_t column(double x) const { return safeFloor((x + ox) / zoom); }
    int32_t row(double y) const { return safeFloor((oy - y) / zoom); }
};

Transform transformOf(const ReferenceScene& s) {
    const float ox = s.originX + s.zoom * 400.0f, oy = s.originY + s.zoom * 300.0f;
    return {ox, oy, s.zoom};
}

int64_t nearestHalfEven(double v) {
    return int64_t(std::nearbyint(v));
}

// The tile's pixel (u, r), or nothing when the tile is not wholly inside the loaded pixels.
bool tileInside(const TileStore& tiles, int32_t t) {
    const int64_t w = tiles.tileWidths[size_t(t)], h = tiles.tileHeights[size_t(t)];
    const int64_t first = int64_t(tiles.tileOffsets[size_t(t)]) + 1;
    return w > 0 && h > 0 && first >= 0 && first + w * h <= int64_t(tiles.artPixels.size());
}
uint8_t tilePixel(const TileStore& tiles, int32_t t, int64_t u, int64_t r) {
    const int64_t h = tiles.tileHeights[size_t(t)];
    return tiles.artPixels[size_t(int64_t(tiles.tileOffsets[size_t(t)]) + 1 + u * h + r)];
}

// colorRemap of a pal and shade byte, read as the views read them.
std::vector<uint8_t> remapOf(const ColorTables& ct, uint8_t palByte, uint8_t shadeByte,
                             bool hovered, int32_t hoverShade) {
    int32_t pal = palByte, shade = shadeByte;
    if (pal > 26) pal = 26;
    if (shade >= 128)
        shade = 0;
    else if (shade > 31)
        shade = 31;
    if (hovered) shade = hoverShade;
    std::vector<uint8_t> remap(256);
    for (int32_t c = 0; c < 256; ++c)
        remap[size_t(c)] = ct.gameShades[size_t(shade * 256 + ct.palRemaps[size_t(pal * 256 + c)])];
    return remap;
}

uint8_t displayColour(const ColorTables& ct, uint8_t gameColour, bool second) {
    const ColorPair pair = ct.gamePaletteMap[gameColour];
    return second ? uint8_t(pair >> 8) : uint8_t(pair & 0xFF);
}

}  // namespace

void referenceSectorFill(const ReferenceScene& scene, ReferenceScreen& screen,
                         std::vector<ReferenceLabel>& labels) {
    const MapStore& map = scene.map;
    const Settings& set = scene.settings;
    const ColorTables& ct = scene.tables;
    const TileStore& tiles = scene.tiles;
    const Transform tf = transformOf(scene);
    const bool ceiling = set.ceilingView != 0;

    // Ascending ceilings in ceiling view, descending floors otherwise; ties by index.
    std::vector<int32_t> order(size_t(map.sectorCount));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        if (ceiling) return map.sectors[a].ceilingz < map.sectors[b].ceilingz;
        return map.sectors[a].floorz > map.sectors[b].floorz;
    });

    for (const int32_t s : order) {
        if (map.sectorIgnored[s] != 0) continue;
        const SectorRecord& sec = map.sectors[s];
        // The walls of the sector that exist, with their projected ends.
        struct Wall {
            int32_t xa, ya, xb, yb;
            float slope;
        };
        std::vector<Wall> walls;
        int32_t minX = 16777216, minY = 16777216, maxX = -16777216, maxY = -16777216;
        for (int32_t w = sec.wallptr; w < sec.wallptr + sec.wallnum; ++w) {
            if (w < 0 || w >= map.wallCount) continue;
            const WallRecord& a = map.walls[w];
            const WallRecord& b = map.walls[clampWall(map, a.point2)];
            Wall wall{tf.column(a.x), tf.row(a.y), tf.column(b.x), tf.row(b.y), 0};
            minX = std::min(minX, wall.xa);
            maxX = std::max(maxX, wall.xa);
            minY = std::min(minY, wall.ya);
            maxY = std::max(maxY, wall.ya);
            walls.push_back(wall);
        }
        if (maxX < 0 || minX > 799 || maxY < 128 || minY > 583) continue;
        if (double(set.tagDrawLimit) > tf.zoom && (sec.lotag != 0 || sec.hitag != 0) &&
            set.wallTags) {
            labels.push_back(
                {int32_t((int64_t(minX) + maxX) / 2), int32_t((int64_t(minY) + maxY) / 2),
                 uint8_t(s == scene.hover.hoveredSector ? 81 : 79),
                 unsignedInt16ToString(sec.hitag) + "," + unsignedInt16ToString(sec.lotag)});
        }
        const int32_t left = std::max(minX, 0), right = std::min(maxX, 799);
        const int32_t bottom = std::max(minY, 128), top = std::min(maxY, 583);
        for (Wall& w : walls)
            w.slope = w.ya == w.yb
                          ? 2.0e9f
                          : float(double(int64_t(w.xa) - w.xb) / double(int64_t(w.ya) - w.yb));

        const int16_t picnum = ceiling ? sec.ceilingpicnum : sec.floorpicnum;
        const uint8_t shade = uint8_t(ceiling ? sec.ceilingshade : sec.floorshade);
        const uint8_t pal = ceiling ? sec.ceilingpal : sec.floorpal;
        const uint16_t stat = ceiling ? sec.ceilingstat : sec.floorstat;
        const uint8_t xpan = ceiling ? sec.ceilingxpanning : sec.floorxpanning;
        const uint8_t ypan = ceiling ? sec.ceilingypanning : sec.floorypanning;
        const int16_t heinum = ceiling ? sec.ceilingheinum : sec.floorheinum;
        const int32_t t = clampTile(getTileAnimFrame(tiles, picnum, scene.frameTime));
        const int32_t W = tiles.tileWidths[size_t(t)], H = tiles.tileHeights[size_t(t)];
        if (W <= 0 || H <= 0 || !tileInside(tiles, t)) continue;
        const double k = tf.zoom / ((stat & 8) ? 8 : 16);
        uint16_t e = stat;
        if ((stat & 5) == 4 && ((stat & 16) != 0) == ((stat & 32) != 0)) e ^= 48;
        const bool relative = (stat & 64) && !(stat & 1);
        const std::vector<uint8_t> remap = remapOf(ct, pal, shade, false, 0);

        // World-aligned and parallax.
        const double W256 = W / 256.0, H256 = H / 256.0;
        const bool swapW = (e & 4) && !(stat & 1);
        const double panU = swapW ? -H256 * ypan : W256 * xpan;
        const double panV = swapW ? W256 * xpan : -H256 * ypan;
        const double lo = safeFloor(tf.ox / tf.zoom), lo2 = safeFloor(tf.oy / tf.zoom);
        const double B = 2000000000.0;
        int32_t q = 1;
        if (!((stat & 64) || (stat & 1))) q = safeFloor(tf.zoom) / ((stat & 8) ? 8 : 16) + 1;
        auto worldTexel = [&](int32_t x, int32_t y) -> uint8_t {
            if (stat & 1) {
                const int64_t u = (int64_t(safeFloor(panU)) + x + 1024) & (W - 1);
                int64_t r = (int64_t(safeFloor(panV - 128)) + 1024 - y) % H;
                if (r < 0) r += H;
                return tilePixel(tiles, t, u, r);
            }
            int32_t u, r;
            if (!(e & 4)) {
                const double d = (e & 16) ? W - (x - lo) * k : (x - lo) * k;
                u = safeFloor(d + B + panU) & (W - 1);
                r = (e & 32) ? safeFloor((lo2 - y) * k + B - panV) & (H - 1)
                             : safeFloor(H - (lo2 - y) * k + B - panV) & (H - 1);
            } else {
                r = (e & 16) ? safeFloor((x - lo) * k + B - panU) & (H - 1)
                             : safeFloor(H - (x - lo) * k + B - panU) & (H - 1);
                u = (e & 32) ? safeFloor(W - (lo2 - y) * k + B + panV) & (W - 1)
                             : safeFloor((lo2 - y) * k + B + panV) & (W - 1);
            }
            u = u / q * q;
            r = r / q * q;
            return tilePixel(tiles, t, u, r);
        };

        // Relative alignment.
        double dudx = 0, dudy = 0, dvdx = 0, dvdy = 0, ox0 = 0, oy0 = 0;
        int64_t idudx = 0, idvdx = 0;
        const bool swap = e & 4, xf = e & 16, yf = e & 32;
        if (relative) {
            const int32_t fw = clampWall(map, sec.wallptr);
            const WallRecord& a = map.walls[fw];
            const WallRecord& b = map.walls[clampWall(map, a.point2)];
            const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
            const double L = std::sqrt(dx * dx + dy * dy);
            const double sn = L == 0 ? 0 : -dy / L, cs = L == 0 ? -1 : -dx / L;
            const double C = (stat & 2) ? std::sqrt(double(heinum) * heinum + 16777216) / 4096 : 1;
            dudx = (xf ? cs : -cs) * k * 65536;
            dudy = (xf ? -sn : sn) * k * 65536;
            dvdx = (yf ? sn : -sn) * k * C * 65536;
            dvdy = (yf ? cs : -cs) * k * C * 65536;
            double pu, pv, SX, SY;
            if (!swap) {
                pu = xf ? -xpan : xpan;
                pv = yf ? ypan : -ypan;
                SX = W / 16.0;
                SY = H / 16.0;
            } else {
                pu = xf ? ypan : -ypan;
                pv = yf ? -xpan : xpan;
                SX = H / 16.0;
                SY = W / 16.0;
            }
            if (stat & 8) SX = SX * 16 / 32, SY = SY * 16 / 32;
            ox0 = tf.column(a.x) + safeFloor((pv * sn / C * SY + pu * cs * SX) / tf.zoom);
            oy0 = tf.row(a.y) + safeFloor((pv * cs / C * SY - sn * pu * SX) / tf.zoom);
            const int64_t iu = safeFloor(dudx), iuy = safeFloor(dudy);
            const int64_t iv = safeFloor(dvdx), ivy = safeFloor(dvdy);
            if (std::llabs(iu) >= int64_t(W) * 65536 - 1 ||
                std::llabs(iuy) >= int64_t(W) * 65536 - 1 ||
                std::llabs(iv) >= int64_t(H) * 65536 - 1 ||
                std::llabs(ivy) >= int64_t(H) * 65536 - 1) {
                dudx = dudy = dvdx = dvdy = 0;
            }
            idudx = safeFloor(dudx);
            idvdx = safeFloor(dvdx);
        }

        const bool h = map.sectorSelected[s]
                           ? (scene.frameTime % 200 < 100)
                           : (set.sectorHighlight && s == scene.hover.hoveredSector);
        for (int32_t y = bottom; y <= top; ++y) {
            std::vector<int64_t> cross;
            for (const Wall& w : walls) {
                if (w.slope == 2.0e9f) continue;
                if ((w.ya <= y && y < w.yb) || (w.yb <= y && y < w.ya))
                    cross.push_back(nearestHalfEven((double(y) - w.ya) * double(w.slope) + w.xa));
            }
            if (cross.size() % 2 == 1) continue;
            for (size_t i = 1; i < cross.size(); ++i)
                for (size_t j = i; j > 0 && cross[j - 1] > cross[j]; --j)
                    std::swap(cross[j - 1], cross[j]);
            const bool second = set.twoColorBlend && (y % 2) == (scene.frameNumber & 1);
            for (size_t i = 0; i + 1 < cross.size(); i += 2) {
                const int64_t a = std::clamp<int64_t>(cross[i], left, right);
                const int64_t b = std::clamp<int64_t>(cross[i + 1], left, right);
                if (a == b) continue;
                int64_t U = 0, V = 0;
                if (relative) {
                    U = safeFloor((a - ox0) * dudx + (y - oy0) * dudy + 16777216);
                    V = safeFloor((a - ox0) * dvdx + (y - oy0) * dvdy + 16777216);
                }
                for (int64_t x = a; x <= b; ++x) {
                    uint8_t texel;
                    if (relative) {
                        const int64_t mW = int64_t(W) * 65536 - 1, mH = int64_t(H) * 65536 - 1;
                        if (!swap)
                            texel = tilePixel(tiles, t, (U & mW) / 65536, H - 1 - (V & mH) / 65536);
                        else
                            texel = tilePixel(tiles, t, (V & mW) / 65536, H - 1 - (U & mH) / 65536);
                        U += idudx;
                        V += idvdx;
                    } else {
                        texel = worldTexel(int32_t(x), y);
                    }
                    uint8_t d = displayColour(ct, remap[texel], second);
                    if (h) d = ct.blendTable[size_t(scene.colours.colorSectorHighlight) * 256 + d];
                    screen.at(int32_t(x), y) = d;
                }
            }
        }
    }
}

void referenceSpritePictures(const ReferenceScene& scene, std::vector<SpriteDrawItem>& list,
                             ReferenceScreen& screen) {
    const MapStore& map = scene.map;
    const Settings& set = scene.settings;
    const ColorTables& ct = scene.tables;
    const TileStore& tiles = scene.tiles;
    const bool ceiling = set.ceilingView != 0;
    const double zoom = scene.zoom;
    std::stable_sort(list.begin(), list.end(),
                     [&](const SpriteDrawItem& a, const SpriteDrawItem& b) {
                         const int32_t za = map.sprites[a.sprite].z, zb = map.sprites[b.sprite].z;
                         return ceiling ? za < zb : za > zb;
                     });

    for (const SpriteDrawItem& item : list) {
        if (item.colour == scene.colours.colorFiltered || item.colour == scene.colours.colorHidden)
            continue;
        const SpriteRecord& sp = map.sprites[item.sprite];
        if (sp.picnum < 0 || sp.picnum > 15359) continue;
        if (tiles.tileWidths[size_t(sp.picnum)] <= 0 || tiles.tileHeights[size_t(sp.picnum)] <= 0)
            continue;
        if ((sp.cstat & 32768) || sp.xrepeat == 0 || sp.yrepeat == 0) continue;
        uint8_t yoffset = uint8_t(sp.yoffset);
        if ((sp.cstat & 8) && (sp.cstat & 32)) yoffset = uint8_t(256 - yoffset);
        const int32_t kind = sp.cstat & 48;
        if (kind == 16) continue;
        if (kind != 0 && (sp.cstat & 64) && ((sp.cstat & 8) != 0) != ceiling) continue;

        const bool hovered = item.sprite == scene.hover.hoveredSprite;
        const int32_t pulse = int32_t(std::nearbyint(2 * std::sin(scene.frameTime / 40.0) + 2));
        const std::vector<uint8_t> remap = remapOf(ct, sp.pal, uint8_t(sp.shade), hovered, pulse);
        auto output = [&](int32_t x, int32_t y, uint8_t c) {
            if (c == 255) return;
            const bool second = set.twoColorBlend && (y % 2) != (scene.frameNumber & 1);
            const uint8_t d = displayColour(ct, remap[c], second);
            uint8_t& old = screen.at(x, y);
            if (!(sp.cstat & 2))
                old = d;
            else if (sp.cstat & 512)
                old = ct.blendTable[size_t(d) * 256 + old];
            else
                old = ct.blendTable[size_t(old) * 256 + d];
        };

        const int32_t t = getTileAnimFrame(tiles, sp.picnum, scene.frameTime);
        if (t < 0 || t > 15359 || !tileInside(tiles, t)) continue;
        const int32_t W = tiles.tileWidths[size_t(t)], H = tiles.tileHeights[size_t(t)];
        const uint32_t anim = uint32_t(tiles.tileAnims[size_t(t)]);
        const uint8_t picX = uint8_t(anim >> 8), picY = uint8_t(anim >> 16);

        if (kind == 0) {
            int64_t xo = 0, yo = 0;
            if (set.spriteOffsets) {
                xo = 2 * byteToSigned(uint8_t(uint8_t(sp.xoffset) + picX));
                yo = 2 * byteToSigned(uint8_t(yoffset + picY));
                if (!(sp.cstat & 128)) yo += H;
            }
            const int64_t left = item.x - safeFloor((W + xo) * sp.xrepeat / zoom / 9.6);
            const int64_t right = item.x + safeFloor((W - xo) * sp.xrepeat / zoom / 9.6);
            const int64_t bottom = item.y - safeFloor((H - yo) * sp.yrepeat / zoom / 8);
            const int64_t top = item.y + safeFloor((H + yo) * sp.yrepeat / zoom / 8);
            const int64_t cl = std::clamp<int64_t>(left, 0, 799),
                          cr = std::clamp<int64_t>(right, 0, 799);
            const int64_t cb = std::clamp<int64_t>(bottom, 128, 583),
                          ct2 = std::clamp<int64_t>(top, 128, 583);
            if (cb == ct2 || cl == cr) continue;
            const float su = float(4.8 / sp.xrepeat * zoom), sv = float(4.0 / sp.yrepeat * zoom);
            std::vector<int32_t> column(800);
            float u = (sp.cstat & 4) ? float(right - cr) * su : float(cl - left) * su;
            if (sp.cstat & 4)
                for (int64_t x = cr; x >= cl; --x, u += su)
                    column[size_t(x)] = std::min(safeFloor(u), W - 1);
            else
                for (int64_t x = cl; x <= cr; ++x, u += su)
                    column[size_t(x)] = std::min(safeFloor(u), W - 1);
            float v = float(cb - bottom) * sv;
            for (int64_t y = cb; y <= ct2; ++y, v += sv) {
                const int32_t fromBottom = std::min(safeFloor(v), H - 1);
                const int32_t r = (sp.cstat & 8) ? fromBottom : H - 1 - fromBottom;
                for (int64_t x = cl; x <= cr; ++x)
                    output(int32_t(x), int32_t(y), tilePixel(tiles, t, column[size_t(x)], r));
            }
            continue;
        }

        const double a = sp.ang * (2 * std::numbers::pi) / 2048;
        const double s = float(std::sin(a)), c = float(std::cos(a));
        const double Wp = safeFloor(W * double(sp.xrepeat) / zoom / 4);
        const double Hp = safeFloor(H * double(sp.yrepeat) / zoom / 4);
        int64_t c0x = nearestHalfEven(item.x - (Hp * c - Wp * s) / 2);
        int64_t c0y = nearestHalfEven(item.y + (Hp * s + Wp * c) / 2);
        if (set.spriteOffsets) {
            const double ox = (sp.cstat & 4) ? byteToSigned(uint8_t(picX - uint8_t(sp.xoffset)))
                                             : byteToSigned(uint8_t(uint8_t(sp.xoffset) + picX));
            const double oy = byteToSigned(uint8_t(yoffset + picY));
            const int64_t nx =
                safeFloor((c * oy * sp.yrepeat + s * ox * sp.xrepeat) / zoom / 4 + c0x);
            const int64_t ny =
                safeFloor((c * ox * sp.xrepeat - s * oy * sp.yrepeat) / zoom / 4 + c0y);
            c0x = nx;
            c0y = ny;
        }
        const int64_t xs[4] = {c0x, c0x + safeFloor(Wp * -s), c0x + safeFloor(Hp * c),
                               c0x + safeFloor(Hp * c + Wp * -s)};
        const int64_t ys[4] = {c0y, c0y + safeFloor(Wp * -c), c0y + safeFloor(Hp * -s),
                               c0y + safeFloor(Hp * -s + Wp * -c)};
        const int64_t minX = *std::min_element(xs, xs + 4), maxX = *std::max_element(xs, xs + 4);
        const int64_t minY = *std::min_element(ys, ys + 4), maxY = *std::max_element(ys, ys + 4);
        if (maxY < 128 || minY > 583 || maxX < 0 || minX > 799) continue;
        const double kk = 4 * zoom * 65536;
        const bool xflip = sp.cstat & 4;
        const int64_t dudx = safeFloor(xflip ? s * kk / sp.xrepeat : -s * kk / sp.xrepeat);
        const int64_t dudy = safeFloor(xflip ? c * kk / sp.xrepeat : -c * kk / sp.xrepeat);
        const int64_t dvdx = safeFloor(c * kk / sp.yrepeat), dvdy = safeFloor(-s * kk / sp.yrepeat);
        const int64_t x0 = std::max<int64_t>(minX, 0), y0 = std::max<int64_t>(minY, 128);
        if (std::abs(double(x0 - c0x)) * std::abs(double(dudx)) +
                    std::abs(double(y0 - c0y)) * std::abs(double(dudy)) >
                4.0e18 ||
            std::abs(double(x0 - c0x)) * std::abs(double(dvdx)) +
                    std::abs(double(y0 - c0y)) * std::abs(double(dvdy)) >
                4.0e18)
            continue;  // never reaches the tile
        int64_t rowU = (x0 - c0x) * dudx + (y0 - c0y) * dudy + (xflip ? int64_t(W) * 65536 : 0);
        int64_t rowV = (x0 - c0x) * dvdx + (y0 - c0y) * dvdy;
        for (int64_t y = y0; y <= std::min<int64_t>(maxY, 583); ++y) {
            int64_t U = rowU, V = rowV;
            for (int64_t x = x0; x <= std::min<int64_t>(maxX, 799); ++x) {
                if (U >= 0 && V >= 0 && U / 65536 < W && V / 65536 < H)
                    output(int32_t(x), int32_t(y),
                           tilePixel(tiles, t, U / 65536, H - 1 - V / 65536));
                U += dudx;
                V += dvdx;
            }
            rowU += dudy;
            rowV += dvdy;
        }
    }
}

}  // namespace korvel::test
