#include <algorithm>
#include <array>
#include <cmath>

#include "base/Mainm.h"
#include "view3d/Render3d.h"

namespace korvel {
namespace {

constexpr int64_t kK = 2048000000;  // 1000 / 0.002 x 4096

int64_t nearest64(double v) {
    if (!(v > -9.0e18 && v < 9.0e18)) return 0;
    return int64_t(std::nearbyint(v));
}

int32_t textureMask(int32_t size) {
    const int64_t want = int64_t(size) * 256;
    for (int64_t p = 1; p <= 1048576; p <<= 1)
        if (p >= want) return int32_t(p - 1);
    return int32_t(want - 1);
}

struct FixedPlane {
    int64_t A = 0, B = 0, C = 0;
    int64_t at(int64_t x, int64_t y) const { return A * x + B * y + C; }
};

// Solves the plane through three (x, y, value) points; false when its constant collapsed.
bool solvePlane(const std::array<Vertex3d, 3>& p, const std::array<double, 3>& f, double det,
                double scale, FixedPlane& out) {
    const double A = ((f[1] - f[0]) * (p[2].y - p[0].y) - (f[2] - f[0]) * (p[1].y - p[0].y)) / det;
    const double B = ((f[2] - f[0]) * (p[1].x - p[0].x) - (f[1] - f[0]) * (p[2].x - p[0].x)) / det;
    const double C = f[0] - A * p[0].x - B * p[0].y;
    out.A = safeFloor(A * scale + 0.5);
    out.B = safeFloor(B * scale + 0.5);
    out.C = safeFloor(C * scale + 0.5);
    return !(out.C == 0 && std::fabs(C * scale) > 0.001);
}

struct Sample {
    int64_t u, v, d, level;
};

}  // namespace

void rasterise3dTriangles(Scene3d& sc, std::vector<uint8_t>& image, const RasterInputs3d& in) {
    const std::vector<uint8_t>& art = in.tiles.artPixels;
    const int64_t artSize = int64_t(art.size());
    const ColorTables& ct = in.colors;
    std::array<int32_t, kCellColumns3d> skyCol;
    std::array<int32_t, kCellRows3d> skyRow;
    const int64_t turn = (nearest64(in.camAngle) & 32767) * 320 / 256;
    for (int32_t i = 0; i < kCellColumns3d; ++i) skyCol[i] = int32_t(i * 320 / 400 + turn);
    for (int32_t r = 0; r < kCellRows3d; ++r) skyRow[r] = (449 - r) * 320 / 800;
    std::fill(sc.sectorFrameStatus3d.begin(), sc.sectorFrameStatus3d.end(), 0);

    for (int32_t i = 0; i < sc.renderTriangleCount; ++i) {
        const SurfaceTriangle& t = sc.renderTriangles[i];
        const int64_t maskU = textureMask(t.tileWidth), maskV = textureMask(t.tileHeight);
        const auto& p = t.p;
        const double det = p[2].x * p[0].y - p[2].x * p[1].y + p[2].y * p[1].x -
                           p[2].y * p[0].x - p[0].y * p[1].x + p[1].y * p[0].x;
        if (!(std::fabs(det) >= 0.1)) continue;
        // The solver's determinant has the opposite orientation to the one above.
        const double solveDet = (p[1].x - p[0].x) * (p[2].y - p[0].y) -
                                (p[2].x - p[0].x) * (p[1].y - p[0].y);
        FixedPlane Zp, Up, Vp;
        const std::array<double, 3> zs{p[0].z, p[1].z, p[2].z};
        const std::array<double, 3> uzs{p[0].u * p[0].z, p[1].u * p[1].z, p[2].u * p[2].z};
        const std::array<double, 3> vzs{p[0].v * p[0].z, p[1].v * p[1].z, p[2].v * p[2].z};
        if (!solvePlane(p, zs, solveDet, 1000, Zp) || !solvePlane(p, uzs, solveDet, 0.002, Up) ||
            !solvePlane(p, vzs, solveDet, 0.002, Vp))
            continue;

        const bool masked = t.drawFlags & kDrawMasked3d;
        const bool sky = t.drawFlags & kDrawSky3d;
        const int32_t blend = t.drawFlags & kDrawBlendMask3d;
        const bool opaque = blend == kDrawOpaque3d;
        const int32_t palRow = t.pal > 25 ? 26 : t.pal;
        const int64_t S = int64_t(t.shade) * 256;
        const int64_t F = t.visibility < 240 ? t.visibility + 16 : t.visibility - 240;
        const int32_t s = t.sector;
        const bool hasSector = s >= 0 && s < kMaxSectors;
        int32_t step = 1, offset = 0;
        if (hasSector && sc.sectorSkipLevel3d[s] > 15) {
            step = sc.sectorSkipLevel3d[s] / 16;
            offset = int32_t((int64_t(i) + sc.frame3dCounter) % step);
        }
        const int64_t th = t.tileHeight;
        const int64_t base = int64_t(t.tileRef);

        const auto exact = [&](int64_t c, int64_t r, Sample& out) {
            const int64_t zq = Zp.at(c + 1, r) / 128;
            // A plane this close to 0 lies past every depth the buffer holds.
            int64_t rr = zq != 0 ? kK / zq : INT32_MAX;
            out.u = (Up.at(c + 1, r) / 512) * rr / 1024;
            out.v = (Vp.at(c + 1, r) / 512) * rr / 1024;
            out.d = rr * 131 / 128;
            out.level = out.d * F / 1024 + S;
        };

        bool drew = false;
        const auto drawSpan = [&](int32_t r, int64_t leftEdge, int64_t rightEdge) {
            const int64_t L16 = leftEdge >> 12, R16 = rightEdge >> 12;
            const int32_t left = int32_t(std::clamp<int64_t>(L16 / 16, 0, 400));
            int64_t rightEnd = R16 > 6405 ? 400 : (R16 + (masked ? 1 : 4)) / 16;
            rightEnd = std::clamp<int64_t>(rightEnd, 0, 400);
            int32_t c = left;
            Sample a;
            exact(c, r, a);
            uint8_t* row = &image[size_t(r) * kImageWidth3d];
            const size_t cellRow = size_t(r) * kCellColumns3d;
            while (c < rightEnd) {
                const int32_t n = int32_t(std::min<int64_t>(16, rightEnd - c));
                Sample b;
                exact(c + n, r, b);
                Sample inc;
                if (n == 16) {
                    inc = {(b.u - a.u) / 16, (b.v - a.v) / 16, (b.d - a.d) / 16,
                           (b.level - a.level) / 16};
                } else if (n < 5) {
                    const int64_t f = 16 / n;
                    inc = {(b.u - a.u) * f / 16, (b.v - a.v) * f / 16, (b.d - a.d) / 16 * f,
                           (b.level - a.level) * f / 16};
                } else {
                    const int64_t f = 256 / n;
                    inc = {(b.u - a.u) * f / 256, (b.v - a.v) * f / 256, (b.d - a.d) / 256 * f,
                           (b.level - a.level) * f / 256};
                }
                Sample cur = a;
                for (int32_t k = 0; k < n; ++k, ++c) {
                    int64_t P = cur.d / 64 - (masked ? 2 : 0);
                    if (P < 0) return;
                    const size_t cell = cellRow + size_t(c);
                    const int64_t depth = sc.depthBuffer3d[cell];
                    if (opaque ? P < depth : P <= depth) {
                        int64_t u = cur.u, v = cur.v;
                        if (sky) {
                            u = int64_t(skyCol[c]) * 256;
                            v = int64_t(skyRow[r]) * 256;
                        }
                        const int64_t addr = base + ((u & maskU) / 256) * th + (v & maskV) / 256;
                        if (addr >= 0 && addr < artSize) {
                            const uint8_t texel = art[size_t(addr)];
                            if (!(masked && texel == 255)) {
                                if (!sky) sc.depthBuffer3d[cell] = int16_t(std::min<int64_t>(P, 32767));
                                sc.pickBuffer3d[cell] = i;
                                sc.pickObjectBuffer3d[cell] = t.objectCode;
                                int64_t lv = cur.level;
                                if (in.dither)
                                    lv += (int64_t(randomLong(in.random)) & 0x7FFFFFFF) >> 22;
                                const int32_t level = int32_t(std::clamp<int64_t>(lv / 256, 0, 31));
                                const uint8_t g =
                                    ct.gameShades[size_t(level) * 256 +
                                                  ct.palRemaps[size_t(palRow) * 256 + texel]];
                                const ColorPair pair = ct.gamePaletteMap[g];
                                uint8_t* px = &row[size_t(c) * 2];
                                const uint8_t c0 = uint8_t(pair & 0xFF), c1 = uint8_t(pair >> 8);
                                if (blend == 3) {
                                    px[0] = c0;
                                    px[1] = c1;
                                } else if (blend == 2) {
                                    px[0] = ct.blendTable[size_t(px[0]) * 256 + c0];
                                    px[1] = ct.blendTable[size_t(px[1]) * 256 + c1];
                                } else {
                                    px[0] = ct.blendTable[size_t(c0) * 256 + px[0]];
                                    px[1] = ct.blendTable[size_t(c1) * 256 + px[1]];
                                }
                                drew = true;
                            }
                        }
                    }
                    cur.u += inc.u;
                    cur.v += inc.v;
                    cur.d += inc.d;
                    cur.level += inc.level;
                }
                a = b;
            }
        };

        // Vertices by height: p lowest, m middle, q highest.
        std::array<const Vertex3d*, 3> o{&p[0], &p[1], &p[2]};
        std::sort(o.begin(), o.end(), [](const Vertex3d* a, const Vertex3d* b) { return a->y < b->y; });
        const Vertex3d &P0 = *o[0], &M = *o[1], &Q = *o[2];
        const auto rowOf = [](double y) { return int32_t(std::clamp<int64_t>(nearest64(y), -100000, 100000)); };
        const auto slopeOf = [](const Vertex3d& a, const Vertex3d& b) -> int64_t {
            const double dy = b.y - a.y;
            if (!(std::fabs(dy) > 0.1)) return 0;
            return std::clamp<int64_t>(nearest64((b.x - a.x) / dy * 65536), -(int64_t(1) << 40),
                                       int64_t(1) << 40);
        };
        const auto startOf = [](const Vertex3d& a) {
            return std::clamp<int64_t>(nearest64(16 * a.x), -(int64_t(1) << 30), int64_t(1) << 30) << 12;
        };
        const int32_t firstRow = rowOf(P0.y);
        const auto half = [&](int32_t from, int32_t to, int64_t& e1, int64_t s1, int64_t& e2,
                              int64_t s2) {
            // Which edge is the left one at the start of the half.
            const bool firstLeft = e1 < e2 || (e1 == e2 && s1 <= s2);
            int64_t& eL = firstLeft ? e1 : e2;
            int64_t& eR = firstLeft ? e2 : e1;
            const int64_t sL = firstLeft ? s1 : s2, sR = firstLeft ? s2 : s1;
            if (!masked && from < to) {
                if (sL > 4096) eL -= sL;
                if (sR < -4096) eR -= sR;
            }
            const int32_t end = std::min(to, kCellRows3d);
            for (int32_t r = from; r < end; ++r) {
                if (r >= 0 && (((r - firstRow - offset) % step) + step) % step == 0)
                    drawSpan(r, eL, eR);
                eL += sL;
                eR += sR;
            }
            // Edges carried past the rows drawn (rows at and above 450 are not drawn).
            if (to > end && end >= from) {
                eL += sL * (to - end);
                eR += sR * (to - end);
            }
        };
        int64_t eLong = startOf(P0), eShort = startOf(P0);
        const int64_t sLong = slopeOf(P0, Q), sShort = slopeOf(P0, M);
        const int32_t midRow = rowOf(M.y), lastRow = rowOf(Q.y);
        if (firstRow < kCellRows3d) half(firstRow, midRow, eShort, sShort, eLong, sLong);
        int64_t eLow = startOf(M);
        if (midRow < kCellRows3d) half(midRow, lastRow, eLow, slopeOf(M, Q), eLong, sLong);

        if (hasSector) {
            if (drew) sc.sectorFrameStatus3d[s] = 1;
            else if (sc.sectorFrameStatus3d[s] == 0) sc.sectorFrameStatus3d[s] = 2;
        }
        if (in.afterTriangle) in.afterTriangle();
    }
    updateSkipLevels3d(sc);
}

void updateSkipLevels3d(Scene3d& sc) {
    sc.loadAverage3d -= sc.loadAverage3d / 4;
    for (int32_t s = 0; s < kMaxSectors; ++s) {
        int32_t& level = sc.sectorSkipLevel3d[s];
        switch (sc.sectorFrameStatus3d[s]) {
            case 1:
                sc.loadAverage3d += level;
                level = 0;
                break;
            case 2: {
                const int32_t n = sc.sectorObjectCount3d[s];
                level = saturateToInt32(std::floor((double(level) + n) * std::pow(0.998, n)));
                break;
            }
            default:
                if (level < 64) ++level;
        }
    }
}

}  // namespace korvel
