#include "view3d/Frame3d.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/Mainm.h"
#include "geometry/Lighting.h"
#include "map/GeometryQueries.h"
#include "view3d/Cache3d.h"
#include "view3d/Render3d.h"

namespace korvel {
namespace {

constexpr double kFlatEdge = 2e9;

void renderLive(Scene3d& sc, std::vector<uint8_t>& image, const FrameInputs3d& in) {
    const FrameCamera3d fc = frameCameraOf(in.camera);
    const SurfaceSource src{in.map, in.tiles};
    buildFaceSpritePolygons3d(sc, src, in.camera.camAngle);
    project3dTriangles(sc, fc, in.camera, in.options);
    if (in.options.clearEachFrame) {
        std::fill(image.begin(), image.end(), 0);
        std::fill(sc.pickObjectBuffer3d.begin(), sc.pickObjectBuffer3d.end(), -1);
    }
    // The object codes of cells not drawn again stay valid only as long as the picture does;
    // the indices into the projected list are stale after every frame.
    if ((sc.frame3dCounter & 7) == 0)
        std::fill(sc.pickObjectBuffer3d.begin(), sc.pickObjectBuffer3d.end(), -1);
    std::fill(sc.pickBuffer3d.begin(), sc.pickBuffer3d.end(), -1);
    std::fill(sc.depthBuffer3d.begin(), sc.depthBuffer3d.end(), kDepthCleared3d);
    RasterInputs3d raster{in.tiles, in.colors, in.camera.camAngle, in.options.dither, in.random,
                          in.afterTriangle};
    rasterise3dTriangles(sc, image, raster);
    ++sc.frame3dCounter;
}

struct EdgeRow {
    int32_t startCol, startRow, endCol, endRow;
    double slope;
};

void renderPlan(Scene3d& sc, std::vector<uint8_t>& image, const FrameInputs3d& in) {
    const MapStore& map = in.map;
    const PlanProjection& pp = in.plan;
    const bool byLight = in.mode == View3DMode::PlanFilledAlt;
    std::fill(image.begin(), image.end(), 0);
    std::vector<int32_t>& value = sc.frame3dLong;
    std::fill(value.begin(), value.end(), 0);
    int64_t lo = 2147483647, hi = -2147483648LL;
    std::vector<EdgeRow> edges;
    std::vector<int32_t> crossings;
    const auto colOf = [&](double x) { return saturateToInt32(pp.screenX(x)); };
    const auto rowOf = [&](double y) {
        return int32_t(std::clamp<int64_t>(int64_t(saturateToInt32(pp.screenY(y))) - 134,
                                           INT32_MIN, INT32_MAX));
    };
    // The map x of every column, the same on every row.
    std::array<int32_t, kImageWidth3d> columnX;
    for (int32_t c = 0; c < kImageWidth3d; ++c) columnX[size_t(c)] = saturateToInt32(pp.mapX(c));
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        if (map.sectorIgnored[s] != 0) continue;
        const SectorRecord& sec = map.sectors[s];
        const int32_t first = std::max<int32_t>(0, sec.wallptr);
        const int32_t end = std::min<int32_t>(map.wallCount, int32_t(sec.wallptr) + sec.wallnum);
        edges.clear();
        int32_t c0 = 16777216, c1 = -16777216, r0 = 16777216, r1 = -16777216;
        for (int32_t w = first; w < end; ++w) {
            const WallRecord& a = map.walls[w];
            if (!isWall(map, a.point2)) continue;
            const WallRecord& b = map.walls[a.point2];
            EdgeRow e{colOf(a.x), rowOf(a.y), colOf(b.x), rowOf(b.y), kFlatEdge};
            if (e.endRow != e.startRow)
                e.slope = (double(e.endCol) - e.startCol) / (double(e.endRow) - e.startRow);
            c0 = std::min(c0, e.startCol);
            c1 = std::max(c1, e.startCol);
            r0 = std::min(r0, e.startRow);
            r1 = std::max(r1, e.startRow);
            edges.push_back(e);
        }
        if (edges.empty()) continue;
        c0 = std::clamp(c0, 0, kImageWidth3d - 1);
        c1 = std::clamp(c1, 0, kImageWidth3d - 1);
        r0 = std::clamp(r0, 0, kImageHeight3d - 1);
        r1 = std::clamp(r1, 0, kImageHeight3d - 1);
        const bool level = surfaceIsLevel(map, s, in.ceilingView);
        const int32_t levelZ = in.ceilingView ? sec.ceilingz : sec.floorz;
        for (int32_t m = r0; m <= r1; ++m) {
            const int32_t rowY = saturateToInt32(-pp.negatedMapY(m + 134));
            crossings.clear();
            for (const EdgeRow& e : edges) {
                if (e.slope == kFlatEdge) continue;
                if (m < std::min(e.startRow, e.endRow) || m >= std::max(e.startRow, e.endRow))
                    continue;
                crossings.push_back(
                    saturateToInt32(std::nearbyint(e.slope * (double(m) - e.startRow) + e.startCol)));
            }
            // A row through a corner can cross an odd number of times; it is left empty.
            if (crossings.size() % 2 != 0) continue;
            std::sort(crossings.begin(), crossings.end());
            for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
                const int32_t from = std::clamp(crossings[k], c0, c1);
                const int32_t to = std::clamp(crossings[k + 1], c0, c1);
                if (from == to) continue;
                uint8_t* shown = &image[size_t(m) * kImageWidth3d];
                int32_t* held = &value[size_t(m) * kImageWidth3d];
                if (byLight) {
                    for (int32_t c = from; c <= to; ++c) {
                        if (shown[c] == 0) {
                            held[c] = lightAtSurfacePoint(map, columnX[size_t(c)], rowY, s,
                                                          in.ceilingView ? 1 : 0);
                            shown[c] = 1;
                        }
                        lo = std::min<int64_t>(lo, held[c]);
                        hi = std::max<int64_t>(hi, held[c]);
                    }
                } else if (level) {
                    // One height over the whole run: a cell keeps the lowest of the heights
                    // drawn on it, each of which has counted towards lo and hi.
                    bool kept = false;
                    for (int32_t c = from; c <= to; ++c) {
                        if (shown[c] == 0 || levelZ < held[c]) {
                            held[c] = levelZ;
                            kept = true;
                        }
                        shown[c] = 1;
                    }
                    if (kept) {
                        lo = std::min<int64_t>(lo, levelZ);
                        hi = std::max<int64_t>(hi, levelZ);
                    }
                } else {
                    for (int32_t c = from; c <= to; ++c) {
                        const int32_t x = columnX[size_t(c)];
                        const int32_t z = in.ceilingView ? getTrueCeilingZ(map, x, rowY, s)
                                                         : getTrueFloorZ(map, x, rowY, s);
                        if (shown[c] == 0 || z < held[c]) held[c] = z;
                        shown[c] = 1;
                        lo = std::min<int64_t>(lo, held[c]);
                        hi = std::max<int64_t>(hi, held[c]);
                    }
                }
            }
        }
    }
    for (size_t px = 0; px < image.size(); ++px) {
        if (image[px] == 0) continue;
        if (lo == hi) {
            image[px] = 68;
            continue;
        }
        const double f = double(value[px] - lo) / double(hi - lo) * 8 + randomSingle(in.random);
        image[px] = depthLevelColour(safeFloor(f));
    }
}

}  // namespace

uint8_t depthLevelColour(int32_t level) {
    static constexpr uint8_t kColours[8] = {83, 71, 68, 92, 128, 8, 7, 6};
    if (level < 0) return 0;
    if (level >= 8) return 5;
    return kColours[level];
}

void renderFrame(Scene3d& sc, std::vector<uint8_t>& image, const FrameInputs3d& in) {
    if (image.size() < size_t(kImageWidth3d) * kImageHeight3d) return;
    if (in.mode == View3DMode::Live) renderLive(sc, image, in);
    else renderPlan(sc, image, in);
}

}  // namespace korvel
