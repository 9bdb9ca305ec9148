#include "view3d/Surfaces3d.h"

#include <algorithm>
#include <cmath>

#include "base/Mainm.h"
#include "map/GeometryQueries.h"

namespace korvel {
namespace {

constexpr double kAngleUnitsPerRadian = 325.949323452202;

int32_t nearestInt(double v) {
    return saturateToInt32(std::nearbyint(v));
}

// floor(w) / 8, truncated toward zero.
int32_t eighth(double w) {
    return saturateToInt32(std::trunc(std::floor(w) / 8.0));
}

bool validSector(const MapStore& map, int32_t s) {
    return isSector(map, s);
}

struct WallPoint {
    double x, y, z;
    double q;  // position along the wall, 0 at the start and 2048 at the end
};

}  // namespace

void setTile3d(const TileStore& tiles, int32_t picnum, SurfaceTriangle& t) {
    if (picnum < 0 || picnum >= kTileCount || size_t(picnum) >= tiles.tileWidths.size()) {
        t.tileRef = 0;
        t.tileWidth = t.tileHeight = 0;
        return;
    }
    t.tileWidth = std::max<int32_t>(0, tiles.tileWidths[picnum]);
    t.tileHeight = std::max<int32_t>(0, tiles.tileHeights[picnum]);
    t.tileRef = tiles.tileOffsets[picnum] + 1;
}

int32_t ownerSector3d(const MapStore& map, int32_t code) {
    if (code < 0) return -1;
    const int32_t index = code & 0xFFFF;
    switch (SurfaceKind(code >> 16)) {
        case SurfaceKind::Floor:
        case SurfaceKind::Ceiling:
            return isSector(map, index) ? index : -1;
        case SurfaceKind::Wall:
        case SurfaceKind::WallPart:
            return isWall(map, index) ? sectorOfWall(map, index) : -1;
        case SurfaceKind::Sprite:
            return isSprite(map, index) && isSector(map, map.sprites[index].sectnum)
                       ? map.sprites[index].sectnum
                       : -1;
    }
    return -1;
}

int32_t wallTriangles3d(const SurfaceSource& src, int32_t wall, int32_t sector,
                        WallTriangles3d& out) {
    const MapStore& map = src.map;
    if (!isWall(map, wall) || !validSector(map, sector)) return 0;
    const WallRecord& w = map.walls[wall];
    if (!isWall(map, w.point2)) return 0;
    const WallRecord& e = map.walls[w.point2];
    const SectorRecord& sec = map.sectors[sector];

    const double x0 = w.x, y0 = w.y, x1 = e.x, y1 = e.y;
    const double z0 = getTrueFloorZ(map, w.x, w.y, sector);
    const double z3 = getTrueCeilingZ(map, w.x, w.y, sector);
    const double z4 = getTrueFloorZ(map, e.x, e.y, sector);
    const double z7 = getTrueCeilingZ(map, e.x, e.y, sector);

    // A twin that names nothing, or a sector that is not there, leaves the wall one-sided.
    const bool twoSided = isWall(map, w.nextwall) && validSector(map, w.nextsector);
    const auto at = [&](double t, double z) { return WallPoint{x0 + t * (x1 - x0), y0 + t * (y1 - y0), z, t * 2048}; };
    const WallPoint P0{x0, y0, z0, 0}, P3{x0, y0, z3, 0}, P4{x1, y1, z4, 2048}, P7{x1, y1, z7, 2048};

    int32_t n = 0;
    const auto wallBits = w.cstat;
    const auto emit = [&](const WallPoint& a, const WallPoint& b, const WallPoint& c, int32_t part,
                          double anchor, const WallRecord& texWall, int32_t owner) {
        // part: 0 face or upper, 1 lower, 2 masked
        SurfaceTriangle t;
        const bool swapped = part == 1 && (wallBits & kWallSwapBottom) && twoSided;
        const WallRecord& look = swapped ? texWall : w;
        int32_t pic = look.picnum;
        if (part == 2) {
            pic = w.overpicnum;
            t.objectCode = objectCode3d(SurfaceKind::WallPart, wall);
            uint8_t f = 3;
            if (wallBits & kWallTranslucent) f = (wallBits & kWallTranslucentReversed) ? 1 : 2;
            if (!(wallBits & kWallOneWayMasked)) f |= kDrawMasked3d;
            t.drawFlags = f;
        } else {
            t.objectCode = objectCode3d(SurfaceKind::Wall, swapped ? w.nextwall : wall);
            t.drawFlags = 3;
        }
        t.shade = look.shade;
        t.pal = look.pal;
        t.visibility = sec.visibility;
        t.sector = owner;
        setTile3d(src.tiles, pic, t);
        const int32_t P = nextPowerOfTwo(std::max(1, t.tileHeight));
        const WallPoint* pts[3] = {&a, &b, &c};
        for (int k = 0; k < 3; ++k) {
            Vertex3d& v = t.p[k];
            v.x = pts[k]->x;
            v.y = pts[k]->y;
            v.z = pts[k]->z;
            double q = pts[k]->q;
            if (wallBits & kWallFlipX) q = 2048 - q;
            v.u = nearestInt(look.xpanning * 256.0 + w.xrepeat * q);
            double V = std::trunc(double(nearestInt((anchor - v.z) * w.yrepeat)) / 8.0) -
                       double(look.ypanning) * P;
            if (swapped && (look.cstat & kWallFlipY)) V = -V;
            if (!(wallBits & kWallFlipY)) V = -V;
            v.v = nearestInt(V);
        }
        return t;
    };
    const auto place = [&](SurfaceTriangle t) {
        // Short edges and tiles without pixels give nothing.
        if (t.tileWidth < 1 || t.tileHeight < 1) return;
        for (int k = 0; k < 3; ++k) {
            const Vertex3d& a = t.p[k];
            const Vertex3d& b = t.p[(k + 1) % 3];
            const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
            if (256 * (dx * dx + dy * dy) + dz * dz < 64) return;
        }
        out[n++] = t;
    };

    if (!twoSided) {
        const double anchor = (wallBits & kWallAlignBottom) ? sec.floorz : sec.ceilingz;
        place(emit(P0, P3, P7, 0, anchor, w, sector));
        place(emit(P7, P4, P0, 0, anchor, w, sector));
        return n;
    }

    const int32_t ns = w.nextsector;
    const SectorRecord& nsec = map.sectors[ns];
    const WallRecord& nw = map.walls[w.nextwall];
    const double z1 = getTrueFloorZ(map, w.x, w.y, ns);
    const double z2 = getTrueCeilingZ(map, w.x, w.y, ns);
    const double z5 = getTrueFloorZ(map, e.x, e.y, ns);
    const double z6 = getTrueCeilingZ(map, e.x, e.y, ns);
    const WallPoint P1{x0, y0, z1, 0}, P2{x0, y0, z2, 0}, P5{x1, y1, z5, 2048}, P6{x1, y1, z6, 2048};

    WallPoint P8{1e32, 1e32, 1e32, 0}, P9{1e32, 1e32, 1e32, 0};
    const double d8 = (z5 - z1) - z4 + z0;
    if (std::fabs(d8) >= 0.0001) {
        const double t8 = (z0 - z1) / d8;
        if (t8 >= 0 && t8 <= 1) {
            P8 = at(t8, z0 + t8 * (z4 - z0));
            P8.q = std::floor(t8 * 2048 + 0.5);
        }
    }
    const double d9 = (z6 - z2) - z7 + z3;
    if (std::fabs(d9) >= 0.0001) {
        const double t9 = (z3 - z2) / d9;
        if (t9 >= 0 && t9 <= 1) {
            P9 = at(t9, z3 + t9 * (z7 - z3));
            P9.q = std::floor(t9 * 2048 + 0.5);
        }
    }

    const bool skyFloors = (sec.floorstat & kSurfaceParallax) && (nsec.floorstat & kSurfaceParallax);
    const bool skyCeilings =
        (sec.ceilingstat & kSurfaceParallax) && (nsec.ceilingstat & kSurfaceParallax);
    const auto sky = [&](SurfaceTriangle t, bool floor) {
        t.drawFlags = 19;
        setTile3d(src.tiles, floor ? sec.floorpicnum : sec.ceilingpicnum, t);
        t.visibility = 240;
        t.pal = floor ? sec.floorpal : sec.ceilingpal;
        t.shade = floor ? sec.floorshade : sec.ceilingshade;
        return t;
    };

    // Upper part.
    {
        const double anchor = (wallBits & kWallAlignBottom) ? sec.ceilingz : nsec.ceilingz;
        const auto up = [&](const WallPoint& a, const WallPoint& b, const WallPoint& c) {
            SurfaceTriangle t = emit(a, b, c, 0, anchor, w, sector);
            place(skyCeilings ? sky(t, false) : t);
        };
        if (z2 > z3 && z6 > z7) {
            up(P2, P3, P7);
            up(P7, P6, P2);
        } else if (z2 <= z3 && z7 < z6) {
            up(P9, P7, P6);
        } else if (z3 < z2 && z6 <= z7) {
            up(P9, P2, P3);
        }
    }
    // Lower part.
    {
        const bool swapped = (wallBits & kWallSwapBottom) != 0;
        const uint16_t alignBits = swapped ? nw.cstat : wallBits;
        const double anchor = (alignBits & kWallAlignBottom) ? sec.ceilingz : nsec.floorz;
        const int32_t owner = swapped ? ns : sector;
        const auto low = [&](const WallPoint& a, const WallPoint& b, const WallPoint& c) {
            SurfaceTriangle t = emit(a, b, c, 1, anchor, nw, owner);
            place(skyFloors ? sky(t, true) : t);
        };
        if (z0 > z1 && z4 > z5) {
            low(P0, P1, P5);
            low(P5, P4, P0);
        } else if (z0 <= z1 && z5 < z4) {
            low(P8, P5, P4);
        } else if (z1 < z0 && z4 <= z5) {
            low(P8, P0, P1);
        }
    }
    // Masked part.
    if (wallBits & (kWallMasked | kWallOneWayMasked)) {
        const WallPoint& b1 = (z1 <= z0 || z5 <= z4) ? P1 : P0;
        const WallPoint& b2 = (z1 <= z0 || z5 <= z4) ? P5 : P4;
        const WallPoint& t1 = (z3 <= z2 || z7 <= z6) ? P2 : P3;
        const WallPoint& t2 = (z3 <= z2 || z7 <= z6) ? P6 : P7;
        double anchor = std::max(sec.ceilingz, nsec.ceilingz);
        if (wallBits & kWallAlignBottom)
            anchor = (wallBits & kWallOneWayMasked) ? double(sec.ceilingz)
                                                    : double(std::min(sec.floorz, nsec.floorz));
        place(emit(b1, t1, t2, 2, anchor, w, sector));
        place(emit(t2, b2, b1, 2, anchor, w, sector));
    }
    return n;
}

bool applyPlaneRule3d(const SurfaceSource& src, int32_t sector, bool ceiling,
                      const std::array<int32_t, 4>& line, SurfaceTriangle& t) {
    const MapStore& map = src.map;
    if (!isSector(map, sector)) return false;
    const SectorRecord& s = map.sectors[sector];
    const uint16_t stat = ceiling ? s.ceilingstat : s.floorstat;
    const int16_t pic = ceiling ? s.ceilingpicnum : s.floorpicnum;
    const int16_t heinum = ceiling ? s.ceilingheinum : s.floorheinum;
    const uint8_t xpan = ceiling ? s.ceilingxpanning : s.floorxpanning;
    const uint8_t ypan = ceiling ? s.ceilingypanning : s.floorypanning;
    t.objectCode = objectCode3d(ceiling ? SurfaceKind::Ceiling : SurfaceKind::Floor, sector);
    t.sector = sector;
    setTile3d(src.tiles, pic, t);
    t.shade = ceiling ? s.ceilingshade : s.floorshade;
    t.pal = ceiling ? s.ceilingpal : s.floorpal;
    t.visibility = s.visibility;
    uint8_t flags = 0;
    if (stat & kSurfaceParallax) {
        flags = kDrawSky3d;
        t.visibility = 240;
    }
    if ((stat & 256) && (stat & 128)) flags += 1;
    else if (stat & 256) flags += 2;
    else flags += 3;
    t.drawFlags = flags;

    const double f = (stat & kSurfaceSloped) ? std::sqrt(std::pow(heinum / 4096.0, 2) + 1) : 1.0;
    const double S = (stat & kSurfaceDoubleSmoosh) ? 32 : 16;
    const double Pu = double(t.tileWidth) * xpan, Pv = double(t.tileHeight) * ypan;
    const bool swap = stat & kSurfaceSwapXY, fx = stat & kSurfaceFlipX, fy = stat & kSurfaceFlipY;
    const double lx = double(line[2]) - line[0], ly = double(line[3]) - line[1];
    const double len = std::sqrt(lx * lx + ly * ly);
    for (Vertex3d& v : t.p) {
        if (stat & kSurfaceRelativeAlign) {
            double along = 0, across = 0;
            if (len > 0) {
                const double px = std::nearbyint(v.x) - line[0], py = std::nearbyint(v.y) - line[1];
                along = std::floor((px * lx + py * ly) / len);
                across = std::floor((py * lx - px * ly) / len);
            }
            const double a = S * along;
            const double c = std::floor(S * across * f + 0.5);
            double tu = swap ? c : a, tv = swap ? a : c;
            v.u = saturateToInt32(fx ? Pu - tu : Pu + tu);
            v.v = saturateToInt32(fy ? Pv - tv : Pv + tv);
        } else if (!swap) {
            v.u = nearestInt(fx ? Pu - S * v.x : Pu + S * v.x);
            v.v = nearestInt(fy ? Pv + S * v.y : Pv - S * v.y);
        } else {
            v.u = nearestInt(fx ? Pu + S * v.y : Pu - S * v.y);
            v.v = nearestInt(fy ? Pv - S * v.x : Pv + S * v.x);
        }
    }
    return t.tileWidth >= 1 && t.tileHeight >= 1;
}

void planeEarTriangles3d(const SurfaceSource& src, int32_t sector,
                         const std::array<int32_t, 4>& line, const PlaneTriangle3d& ear,
                         SurfaceTriangle& floor, SurfaceTriangle& ceiling) {
    for (int k = 0; k < 3; ++k) {
        floor.p[k] = Vertex3d{ear.x[k], ear.y[k], ear.floorZ[k], 0, 0};
        // The ceiling is seen from below: its first and third corners are exchanged.
        ceiling.p[2 - k] = Vertex3d{ear.x[k], ear.y[k], ear.ceilingZ[k], 0, 0};
    }
    applyPlaneRule3d(src, sector, false, line, floor);
    applyPlaneRule3d(src, sector, true, line, ceiling);
}

SpriteShape3d spriteShape3d(const MapStore& map, int32_t sprite) {
    if (!isSprite(map, sprite)) return SpriteShape3d::None;
    const SpriteRecord& k = map.sprites[sprite];
    if (!isSector(map, k.sectnum)) return SpriteShape3d::None;
    switch (k.cstat & kSpriteAlignment) {
        case 0: return SpriteShape3d::Face;
        case kSpriteWallAligned: return SpriteShape3d::Wall;
        default: return SpriteShape3d::Floor;
    }
}

bool spriteTriangles3d(const SurfaceSource& src, int32_t sprite, double camAngle,
                       std::array<SurfaceTriangle, 2>& out) {
    const MapStore& map = src.map;
    const SpriteShape3d shape = spriteShape3d(map, sprite);
    if (shape == SpriteShape3d::None) return false;
    const SpriteRecord& k = map.sprites[sprite];
    SurfaceTriangle base;
    base.objectCode = objectCode3d(SurfaceKind::Sprite, sprite);
    base.sector = k.sectnum;
    setTile3d(src.tiles, k.picnum, base);
    base.visibility = map.sectors[k.sectnum].visibility;
    base.shade = k.shade;
    base.pal = k.pal;
    uint8_t flags = 11;
    if (k.cstat & kSpriteTranslucent) flags = (k.cstat & kSpriteTranslucentReversed) ? 9 : 10;
    if (!(k.cstat & kSpriteOneSided)) flags |= kDrawTwoSided3d;
    base.drawFlags = flags;

    const int32_t anim = (k.picnum >= 0 && k.picnum < kTileCount) ? src.tiles.tileAnims[k.picnum] : 0;
    const double xo = int8_t(uint8_t(k.xoffset + ((anim >> 8) & 0xFF)));
    double yo = int8_t(uint8_t(k.yoffset + ((anim >> 16) & 0xFF)));
    const double tw = base.tileWidth, th = base.tileHeight;
    const double xr = k.xrepeat, yr = k.yrepeat;
    const double sx = k.x, sy = k.y, sz = k.z;
    const bool fx = k.cstat & kSpriteFlipX, fy = k.cstat & kSpriteFlipY;
    out = {base, base};

    const auto vert = [](double x, double y, double z, double u, double v) {
        return Vertex3d{x, y, z, saturateToInt32(u), saturateToInt32(v)};
    };

    if (shape == SpriteShape3d::Floor) {
        const double a = k.ang / kAngleUnitsPerRadian;
        const double s = std::sin(a), c = -std::cos(a);
        const double L = fx ? -2 * xo : 2 * xo;
        const double M = fy ? 2 * yo : -2 * yo;
        const auto corner = [&](double X, double Y, double u, double v) {
            return vert(sx + eighth(X * xr * s + Y * yr * c), sy + eighth(X * xr * c - Y * yr * s),
                        sz, u, v);
        };
        const double uA = fx ? 0 : 256 * tw, uB = fx ? 256 * tw : 0;
        const Vertex3d P0 = corner(L - tw, M + th, uA, 256 * th);
        const Vertex3d P1 = corner(L + tw, M + th, uB, 256 * th);
        const Vertex3d P2 = corner(L - tw, M - th, uA, 0);
        const Vertex3d P3 = corner(L + tw, M - th, uB, 0);
        if (fy) {
            out[0].p = {P2, P1, P0};
            out[1].p = {P3, P1, P2};
        } else {
            out[0].p = {P0, P1, P2};
            out[1].p = {P2, P1, P3};
        }
    } else {
        const bool face = shape == SpriteShape3d::Face;
        const double a = (face ? camAngle + 1024 : double(k.ang)) / kAngleUnitsPerRadian;
        double s = std::sin(a), c = -std::cos(a);
        if (face) {
            s *= 0.833333333333333;
            c *= 0.833333333333333;
        }
        const double L = (face || fx) ? 2 * xo : -2 * xo;
        if (!face && fy) yo = -yo;
        double bottom, top;
        if (k.cstat & kSpriteCentred) {
            bottom = sz - 2 * yr * (2 * yo - th);
            top = sz - 2 * yr * (2 * yo + th);
        } else {
            bottom = sz - 4 * yr * yo;
            top = sz - 4 * yr * (th + yo);
        }
        const double Ax = sx + eighth(xr * (L - tw) * s), Ay = sy + eighth(xr * (L - tw) * c);
        const double Bx = sx + eighth(xr * (L + tw) * s), By = sy + eighth(xr * (L + tw) * c);
        const double inset = face ? 16 : 0;
        double uB = 256 * tw - inset, uA = inset;
        double vBottom = 256 * th - inset, vTop = inset;
        if (fx) std::swap(uA, uB);
        if (fy) std::swap(vBottom, vTop);
        out[0].p = {vert(Bx, By, bottom, uB, vBottom), vert(Ax, Ay, bottom, uA, vBottom),
                    vert(Ax, Ay, top, uA, vTop)};
        out[1].p = {vert(Bx, By, top, uB, vTop), vert(Bx, By, bottom, uB, vBottom),
                    vert(Ax, Ay, top, uA, vTop)};
    }
    return base.tileWidth > 0 && base.tileHeight > 0;
}

}  // namespace korvel
